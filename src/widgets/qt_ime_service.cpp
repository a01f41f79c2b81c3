#include "widgets/qt_ime_service.h"

#include "common/kana.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

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

bool QtImeService::convertText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->insert(text);
    } else if (auto* textEdit = qobject_cast<QTextEdit*>(control)) {
        textEdit->insertPlainText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->insertPlainText(text);
    }
    return false;  // the input method's conversion status cannot be read here
}

}  // namespace lum
