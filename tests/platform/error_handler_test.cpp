// The default error handler: an exception escaping an event handler is shown
// with the application's title and the event loop goes on.
#include "platform/application.h"
#include "platform/error_handler.h"
#include "platform/ui/scripted_dialogs.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace lum {
namespace {

class ThrowingWidget : public QWidget {
protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("利用者を読めませんでした。");
        if (e->type() == QEvent::User + 1) throw 42;
        return QWidget::event(e);
    }
};

class ErrorHandler : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::setApplicationDisplayName("Lumorind"); }
    void TearDown() override { QGuiApplication::setApplicationDisplayName(QString()); }
};

TEST_F(ErrorHandler, AnExceptionFromAnEventHandlerIsShownWithTheApplicationTitle) {
    ASSERT_NE(qobject_cast<Application*>(qApp), nullptr);
    ScriptedDialogs d;
    d.expect(MsgKind::Error, "利用者を読めませんでした。", MsgButton::Ok)
        .expect(MsgKind::Error, "予期しないエラーが発生しました。", MsgButton::Ok);
    ThrowingWidget w;
    QEvent first(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&w, &first));
    QEvent second(QEvent::Type(QEvent::User + 1));
    QApplication::sendEvent(&w, &second);
    ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(d.messages()[0].caption(), "Lumorind");
    EXPECT_EQ(d.messages()[0].buttons, MsgButton::Ok);
}

TEST_F(ErrorHandler, TheEventLoopGoesOnAfterAnException) {
    ScriptedDialogs d;
    d.expect(MsgKind::Error, "タイマーの失敗", MsgButton::Ok);
    QEventLoop loop;
    bool later = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("タイマーの失敗"); });
    QTimer::singleShot(1, [&] { later = true; loop.quit(); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(later);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_F(ErrorHandler, AnotherThreadsFailureIsShownOnTheUserInterfaceThread) {
    ScriptedDialogs d;
    d.expect(MsgKind::Error, "作業スレッドの失敗", MsgButton::Ok);
    QThread worker;
    worker.start();
    QObject inWorker;
    inWorker.moveToThread(&worker);
    QMetaObject::invokeMethod(&inWorker, [] { throw std::runtime_error("作業スレッドの失敗"); },
                              Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();
    EXPECT_TRUE(d.messages().isEmpty());  // not shown on the worker
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_F(ErrorHandler, GuardedReportsOutsideTheEventLoop) {
    ScriptedDialogs d;
    d.expect(MsgKind::Error, "設定を読めません", MsgButton::Ok);
    EXPECT_TRUE(guarded([] {}));
    EXPECT_FALSE(guarded([] { throw std::runtime_error("設定を読めません"); }));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(d.messages()[0].title, "Lumorind");
}

TEST(ApplicationTitle, FallsBackToTheApplicationName) {
    QGuiApplication::setApplicationDisplayName(QString());
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("lumorind");
    EXPECT_EQ(applicationTitle(), "lumorind");
    QGuiApplication::setApplicationDisplayName("Lumorind  Ver 5.0 SHR");
    EXPECT_EQ(applicationTitle(), "Lumorind  Ver 5.0 SHR");
    QGuiApplication::setApplicationDisplayName(QString());
    QCoreApplication::setApplicationName(name);
}

}  // namespace
}  // namespace lum
