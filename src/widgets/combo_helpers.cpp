#include "widgets/combo_helpers.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace lum {
namespace {

class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QComboBox* box, std::function<void()> action) : QObject(box), action_(std::move(action)) {
        box->installEventFilter(this);
        if (box->lineEdit()) box->lineEdit()->installEventFilter(this);
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

void onDoubleClick(QComboBox* box, std::function<void()> action) { new DoubleClickFilter(box, std::move(action)); }

}  // namespace lum
