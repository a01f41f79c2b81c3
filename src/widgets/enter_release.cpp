#include "widgets/enter_release.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace lum {
namespace {

bool isEnterKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat();
}

class EnterReleaseFilter final : public QObject {
public:
    EnterReleaseFilter(QWidget* widget, std::function<void()> action)
        : QObject(widget), widget_(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && enter_.isRelease(watched, event)) action_();
        return false;
    }

private:
    QWidget* widget_;
    std::function<void()> action_;
    EnterRelease enter_;
};

}  // namespace

bool EnterRelease::isRelease(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (isEnterKey(event)) pressedOn_ = watched;
        return false;
    case QEvent::KeyRelease:
        if (!isEnterKey(event)) return false;
        if (pressedOn_ == watched) {
            pressedOn_ = nullptr;
            return true;
        }
        return false;
    case QEvent::FocusOut:
        if (pressedOn_ == watched) pressedOn_ = nullptr;
        return false;
    default:
        return false;
    }
}

QObject* onEnterReleased(QWidget* widget, std::function<void()> action) {
    return new EnterReleaseFilter(widget, std::move(action));
}

}  // namespace lum
