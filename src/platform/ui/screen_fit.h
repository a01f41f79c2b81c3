#pragma once
// The one placement rule of every window and dialog: none lies beyond the
// available area of its screen (the screen less the task bars and panels).
// The application object applies it to each window as it is shown, while the
// window manager settles its frame, and whenever the window is resized, after
// the window's own handlers placed it; no window calls it by hand.
// - A window larger than the area is made as small as the area, frame
//   included; one that cannot shrink that far (the minimum size of its
//   layout) has its content put into a scroll area first, so that content
//   scrolls instead of lying off the screen.
// - The frame is then moved in by as little as it takes, so the title bar and
//   its close box are on the screen.
// - A maximised, full-screen or minimised window is left to the window
//   manager; popups and tooltips are placed by Qt itself.
#include <QMargins>
#include <QRect>

class QEvent;
class QObject;
class QWidget;

namespace lum {

// Where a frame goes so that it lies inside `area`: no larger than the area
// on either axis, moved in by as little as it takes.
QRect frameInside(const QRect& frame, const QRect& area);

// The available area of the screen the window is on (the primary screen for
// a window on none yet).
QRect availableArea(const QWidget& window);

// Applies the rule to a window now.
void fitInsideScreen(QWidget& window);

// The name of the scroll area a window's content was put into.
inline constexpr const char* kFittedContentScroll = "FittedContentScroll";

class ScreenFitRule {
public:
    // The events the rule acts on: a window shown, resized or moved.
    static bool watches(const QEvent& event);
    // Called by the application object once `event` was delivered to `receiver`.
    void delivered(QObject& receiver, const QEvent& event);

private:
    bool fitting_ = false;
};

}  // namespace lum
