#include "platform/ui/window_layout.h"

#include <QEvent>
#include <QWidget>

namespace lum {

bool isMaximizedSetting(const QString& winState) {
    return winState == QLatin1String("wsMaximized");
}

void applyWindowState(QWidget& window, const QString& winState) {
    Qt::WindowStates state = window.windowState() &
                             ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (isMaximizedSetting(winState)) state |= Qt::WindowMaximized;
    window.setWindowState(state);
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
