#include "platform/error_handler.h"

#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

namespace lum {

QString applicationTitle() {
    const QString display = QGuiApplication::applicationDisplayName();
    return display.isEmpty() ? QCoreApplication::applicationName() : display;
}

QString exceptionText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        const QString text = QString::fromUtf8(e.what());
        if (!text.isEmpty()) return text;
    } catch (...) {
    }
    return QStringLiteral("予期しないエラーが発生しました。");
}

void reportException(const std::exception_ptr& error) noexcept {
    QString text;
    try {
        text = exceptionText(error);
        dialogs().message(Message{MsgKind::Error, text, MsgButton::Ok, applicationTitle()}, nullptr);
    } catch (...) {
        // The box itself failed: the text still reaches the console.
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

}  // namespace lum
