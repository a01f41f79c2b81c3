#include "platform/error_handler.h"

#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QThread>
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
        auto show = [text] {
            dialogs().message(Message{MsgKind::Error, text, MsgButton::Ok, applicationTitle()},
                              nullptr);
        };
        // Windows live on the user-interface thread only; another thread's
        // failure is shown there.
        QCoreApplication* app = QCoreApplication::instance();
        if (app && QThread::currentThread() != app->thread()) {
            QMetaObject::invokeMethod(app, show, Qt::QueuedConnection);
        } else {
            show();
        }
    } catch (...) {
        // The box itself failed: the text still reaches the console.
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

}  // namespace lum
