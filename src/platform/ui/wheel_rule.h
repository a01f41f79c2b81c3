#pragma once
// The one wheel rule of the application, put on the application object so
// every window, test and tool has it:
// - a turn over a value control (drop-down, spin box, date or time field,
//   slider) that does not hold the keyboard focus never reaches the control:
//   it goes to what holds it, so the sheet, board or list around it scrolls
//   and the value stays; a control with the focus keeps Qt's own handling;
// - value controls take the focus by click and Tab only, never by the wheel;
// - a region with a scroll rule of its own (a document's sheet, a board's
//   chart) takes every other turn inside it, except over a list or grid,
//   which scrolls itself.
#include <QObject>

#include <functional>

class QWheelEvent;
class QWidget;

namespace lum {

class WheelRule : public QObject {
public:
    using QObject::QObject;

    // A widget whose value the wheel would step: a drop-down, a spin box
    // (date and time edits and the up-down controls too) or a slider.
    static bool isValueControl(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Gives `scroll` the turns inside `region` that the rule above leaves to the
// region, for as long as the region lives.
void scrollByOwnRule(QWidget* region, std::function<void(const QWheelEvent&)> scroll);

}  // namespace lum
