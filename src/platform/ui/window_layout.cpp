#include "platform/ui/window_layout.h"

#include <QEvent>
#include <QWidget>

namespace lum {

bool isMaximizedSetting(const QString& winState) {
    return winState == QLatin1String("wsMaximized");
}

namespace {
// The geometry a window had in the normal state before it was last maximised.
constexpr const char* kNormalGeometry = "lumNormalGeometry";
}  // namespace

void applyWindowState(QWidget& window, const QString& winState) {
    const bool maximize = isMaximizedSetting(winState);
    const bool wasMaximized = window.windowState().testFlag(Qt::WindowMaximized);
    Qt::WindowStates state = window.windowState() &
                             ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (maximize) state |= Qt::WindowMaximized;
    if (maximize && !wasMaximized) window.setProperty(kNormalGeometry, window.geometry());
    window.setWindowState(state);
    // Back to normal, the window takes its normal size and place again itself:
    // a window manager that has not yet undone the maximising when the window
    // is hidden (画面表示 closes the menu at once) would otherwise leave it at
    // the maximised size, shown as normal.
    if (!maximize && wasMaximized) {
        const QRect normal = window.property(kNormalGeometry).toRect();
        if (normal.isValid()) window.setGeometry(normal);
    }
}

namespace {

QSize areaOf(const QWidget& panel, Centring::Area area) {
    if (area == Centring::Area::Outer) return panel.window()->frameGeometry().size();
    return panel.parentWidget() ? panel.parentWidget()->size() : QSize();
}

// Re-centres its panel on the show and resize events of the panel's window.
class CentringBinding final : public QObject {
public:
    CentringBinding(QWidget& panel, const Centring& how)
        : QObject(&panel), panel_(panel), how_(how) {
        panel.window()->installEventFilter(this);
        if (panel.parentWidget() && panel.parentWidget() != panel.window()) {
            panel.parentWidget()->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            centrePanel(panel_, how_);
        }
        return false;
    }

private:
    QWidget& panel_;
    Centring how_;
};

}  // namespace

void centrePanel(QWidget& panel, const Centring& how) {
    const QSize area = areaOf(panel, how.area);
    QPoint at = centredPosition(area, panel.size());
    if (how.top) at.setY(*how.top);
    panel.move(at);
}

QObject* keepCentred(QWidget& panel, const Centring& how) {
    centrePanel(panel, how);
    return new CentringBinding(panel, how);
}

}  // namespace lum
