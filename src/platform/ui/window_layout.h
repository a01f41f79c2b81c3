#pragma once
// What every menu and work window does when shown or resized: take its window
// state from the WinState setting and centre its panel.
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

class QObject;
class QWidget;

namespace lum {

// Maximised only for the setting text "wsMaximized", spelt exactly so; any
// other text, the same word in other letter case included, means normal.
bool isMaximizedSetting(const QString& winState);
// Sets the window's state from the setting. Going back to normal restores the
// size and place the window had before it was maximised, in the same run as
// after a restart.
void applyWindowState(QWidget& window, const QString& winState);

// Where a panel goes so that it sits in the middle of an area:
// (area − panel) / 2 on each axis, the division truncating toward zero, so an
// odd difference of −3 gives −1 and a panel larger than the area goes negative.
constexpr int centredOffset(int area, int panel) { return (area - panel) / 2; }
constexpr QPoint centredPosition(QSize area, QSize panel) {
    return {centredOffset(area.width(), panel.width()), centredOffset(area.height(), panel.height())};
}

struct Centring {
    // The window's client area (the panel's parent), or its outer frame size.
    enum class Area { Client, Outer } area = Area::Client;
    // Set: centred horizontally only, with this top.
    std::optional<int> top;
};

// Moves the panel inside its parent by the rule above.
void centrePanel(QWidget& panel, const Centring& how = {});
// Centres the panel now and again whenever its window is shown or resized.
// The binding is a child of the panel and ends with it.
QObject* keepCentred(QWidget& panel, const Centring& how = {});

}  // namespace lum
