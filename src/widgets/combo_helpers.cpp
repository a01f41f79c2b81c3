#include "widgets/combo_helpers.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace lum {
namespace {

class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* owner, std::initializer_list<QObject*> watched, std::function<void()> action)
        : QObject(owner), action_(std::move(action)) {
        for (QObject* w : watched) {
            if (w) w->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

}  // namespace

void fillComboBox(QComboBox* box, const QStringList& items) {
    const bool blocked = box->blockSignals(true);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (box->isEditable()) box->setEditText(QString());
    box->blockSignals(blocked);
}

void onDoubleClick(QComboBox* box, std::function<void()> action) {
    new DoubleClickFilter(box, {box, box->lineEdit()}, std::move(action));
}

void onDoubleClick(QPlainTextEdit* memo, std::function<void()> action) {
    new DoubleClickFilter(memo, {memo->viewport()}, std::move(action));
}

void onDoubleClick(QLineEdit* edit, std::function<void()> action) {
    new DoubleClickFilter(edit, {edit}, std::move(action));
}

}  // namespace lum
