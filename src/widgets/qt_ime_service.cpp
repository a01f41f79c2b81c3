#include "widgets/qt_ime_service.h"

#include "common/kana.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QWidget>

namespace lum {

QtImeService::QtImeService() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

bool QtImeService::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod)
        observe(watched, *static_cast<QInputMethodEvent*>(event));
    return false;
}

QtImeService::Track& QtImeService::track(QObject* receiver) {
    auto it = tracks_.find(receiver);
    if (it == tracks_.end()) {
        it = tracks_.insert(receiver, Track{});
        connect(receiver, &QObject::destroyed, this, [this, receiver] { tracks_.remove(receiver); });
    }
    return *it;
}

void QtImeService::observe(QObject* receiver, const QInputMethodEvent& event) {
    const QString commit = event.commitString();
    const QString preedit = event.preeditString();
    if (!preedit.isEmpty() && !fromUs_) composed_ = true;
    if (commit.isEmpty() && preedit.isEmpty() && !tracks_.contains(receiver)) return;
    Track& t = track(receiver);
    // Qt applies the commit before the new preedit of the same event.
    if (!commit.isEmpty()) {
        const QString& kana = isKanaText(commit) ? commit : t.kanaPreedit;
        t.reading = toHalfWidthKatakana(kana);
        t.kanaPreedit.clear();
    }
    if (isKanaText(preedit)) t.kanaPreedit = preedit;
}

QString QtImeService::reading(QWidget* control) {
    const auto it = tracks_.constFind(control);
    return it == tracks_.constEnd() ? QString() : it->reading;
}

bool QtImeService::inputMethodActive() const {
    if (composed_) return true;
    const QByteArray module = qgetenv("QT_IM_MODULE").trimmed().toLower();
    return !module.isEmpty() && module != "compose" && module != "none";
}

bool QtImeService::convertText(QWidget* control, const QString& text) {
    if (!control || text.isEmpty() || !inputMethodActive() || !control->testAttribute(Qt::WA_InputMethodEnabled))
        return false;
    // Into the composition, never committed by us: what the user does next
    // (convert, type over, leave the field) decides what the field keeps.
    const QList<QInputMethodEvent::Attribute> attributes = {
        {QInputMethodEvent::Cursor, int(text.size()), 1, QVariant()},
    };
    QInputMethodEvent event(text, attributes);
    fromUs_ = true;
    QCoreApplication::sendEvent(control, &event);
    fromUs_ = false;
    return false;  // the input method's conversion status cannot be read here
}

}  // namespace lum
