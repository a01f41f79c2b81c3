#include "platform/ui/screen_fit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace lum {
namespace {

// Set while the window manager has not yet reported the frame of a window just shown.
constexpr const char* kSettling = "lumScreenFitSettling";

bool isPlacedWindow(const QWidget& widget) {
    if (!widget.isWindow() || !widget.isVisible() || widget.testAttribute(Qt::WA_DontShowOnScreen)) return false;
    switch (widget.windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Tool:
    case Qt::SplashScreen:
        break;
    default:
        return false;  // popups, tooltips and the like: Qt keeps them on the screen
    }
    return !(widget.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

QMargins marginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry(), client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// The frame a window has, or will have once the window manager framed it:
// until then it is taken to be the last frame seen on a window.
QMargins frameMargins(const QWidget& window) {
    static QMargins lastSeen;
    const QMargins own = marginsOf(window);
    if (!own.isNull()) lastSeen = own;
    return own.isNull() ? lastSeen : own;
}

// The window's layout, with every widget it holds, goes into a scroll area
// that fills the window: the content keeps its size and scrolls, and the
// window can be as small as the screen. Done once per window.
void scrollContent(QWidget& window) {
    QLayout* own = window.layout();
    if (!own || window.findChild<QScrollArea*>(QLatin1String(kFittedContentScroll), Qt::FindDirectChildrenOnly))
        return;
    const QSize largest = window.maximumSize();
    auto* scroll = new QScrollArea(&window);
    scroll->setObjectName(QLatin1String(kFittedContentScroll));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // no Tab stop of its own
    scroll->setWidgetResizable(true);
    // The content is made inside the window, so its widgets never leave the
    // window and keep their Tab order.
    auto* content = new QWidget(&window);
    content->setLayout(own);  // takes the layout and the widgets it holds
    scroll->setWidget(content);
    auto* around = new QVBoxLayout(&window);
    around->setContentsMargins(0, 0, 0, 0);
    around->addWidget(scroll);
    window.setMinimumSize(0, 0);
    window.setMaximumSize(largest);
    around->activate();
}

}  // namespace

QRect frameInside(const QRect& frame, const QRect& area) {
    const QSize size = frame.size().boundedTo(area.size());
    const int x = std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(x, y), size};
}

QRect availableArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void fitInsideScreen(QWidget& window) {
    if (!isPlacedWindow(window)) return;
    const QRect area = availableArea(window);
    if (!area.isValid()) return;
    const QMargins margins = frameMargins(window);
    const QSize room = area.size().shrunkBy(margins);
    if (window.minimumWidth() > room.width() || window.minimumHeight() > room.height()) scrollContent(window);
    const QRect frame = window.geometry().marginsAdded(margins);
    const QRect inside = frameInside(frame, area);
    const QSize size = inside.size().shrunkBy(margins).expandedTo(window.minimumSize());
    if (size != window.size()) window.resize(size);
    // A window's place is its frame's.
    if (inside.topLeft() != frame.topLeft()) window.move(inside.topLeft());
}

bool ScreenFitRule::watches(const QEvent& event) {
    const QEvent::Type type = event.type();
    return type == QEvent::Show || type == QEvent::Resize || type == QEvent::Move;
}

void ScreenFitRule::delivered(QObject& receiver, const QEvent& event) {
    const QEvent::Type type = event.type();
    if (fitting_ || !watches(event) || !receiver.isWidgetType()) return;
    auto* widget = static_cast<QWidget*>(&receiver);
    if (!widget->isWindow()) return;
    if (type == QEvent::Show) {
        widget->setProperty(kSettling, true);
    } else if (type == QEvent::Move) {
        // A window the user moves stays where the user put it; only the move
        // that frames a window just shown is checked.
        if (!widget->property(kSettling).toBool()) return;
        if (!marginsOf(*widget).isNull()) widget->setProperty(kSettling, QVariant());
    }
    fitting_ = true;
    fitInsideScreen(*widget);
    fitting_ = false;
}

}  // namespace lum
