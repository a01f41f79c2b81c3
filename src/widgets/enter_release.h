#pragma once
// Enter acts when it is released, as the windows expect; but only a release
// whose press the same widget received counts. The Enter that closes a
// message box is pressed on the box and released on the field the box gives
// the focus back to: that release must not run the field's check again (the
// same message would reopen at once and trap a keyboard user).
//
// Every window that acts on an Enter release uses this, either the tracker
// inside its own event filter or onEnterReleased for a plain action.
#include <QObject>
#include <QPointer>

#include <functional>

class QEvent;
class QWidget;

namespace lum {

// Feed it every event of the widgets one filter watches; it answers true for
// the release of an Enter (Return or the keypad's Enter) whose press the same
// widget received. Auto-repeated presses and releases never count; losing the
// focus between press and release forgets the press.
class EnterRelease {
public:
    bool isRelease(QObject* watched, QEvent* event);

private:
    QPointer<QObject> pressedOn_;
};

// Runs action on each Enter release of widget that counts (above). The filter
// belongs to the widget.
QObject* onEnterReleased(QWidget* widget, std::function<void()> action);

}  // namespace lum
