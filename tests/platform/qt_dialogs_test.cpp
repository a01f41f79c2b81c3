// The real message box, driven offscreen from a timer: its title, icon and
// Japanese buttons, and the answers of Esc, the close box and a click.
#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace lum {
namespace {

using B = MsgButton;

struct Seen {
    QString title;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
};

// Acts on the next modal window once it is up; a later timer ends any box the
// action left open, so a fault fails the test instead of hanging it.
void onNextModal(std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act] {
        if (QWidget* w = QApplication::activeModalWidget()) act(*w);
    });
    QTimer::singleShot(5000, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(-1);
    });
}

enum class Act { Esc, CloseBox, Click };

struct BoxCase {
    MsgKind kind;
    MsgButtons buttons;
    Act act;
    QString click;  // the button text for Act::Click
    MsgButton answer;
    QMessageBox::Icon icon;
};

TEST(QtMessageBox, EscCloseBoxAndClicksGiveTheirAnswers) {
    const BoxCase cases[] = {
        {MsgKind::Confirm, B::Yes | B::No, Act::Esc, {}, B::No, QMessageBox::Question},
        {MsgKind::Confirm, B::Yes | B::No, Act::CloseBox, {}, B::No, QMessageBox::Question},
        {MsgKind::Confirm, B::Yes | B::No | B::Cancel, Act::Esc, {}, B::Cancel, QMessageBox::Question},
        {MsgKind::Warning, B::No | B::Ok, Act::CloseBox, {}, B::No, QMessageBox::Warning},
        {MsgKind::Error, B::Abort, Act::Esc, {}, B::Abort, QMessageBox::Critical},
        {MsgKind::Information, B::Ok, Act::CloseBox, {}, B::Ok, QMessageBox::Information},
        {MsgKind::Warning, B::Yes, Act::Esc, {}, B::Yes, QMessageBox::Warning},
        {MsgKind::Confirm, B::Yes | B::No, Act::Click, "はい", B::Yes, QMessageBox::Question},
        {MsgKind::Confirm, B::Ok | B::Cancel, Act::Click, "OK", B::Ok, QMessageBox::Question},
    };
    QtDialogs real;
    for (const BoxCase& c : cases) {
        const Message m{c.kind, "<b>登録しますか？</b>", c.buttons, {}};
        SCOPED_TRACE(describe(m).toStdString());
        Seen seen;
        onNextModal([&seen, c](QWidget& w) {
            auto& box = dynamic_cast<QMessageBox&>(w);
            seen.title = box.windowTitle();
            seen.icon = box.icon();
            seen.format = box.textFormat();
            for (QAbstractButton* b : box.buttons()) seen.buttons.append(b->text());
            switch (c.act) {
            case Act::Esc: {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&box, &esc);
                break;
            }
            case Act::CloseBox: box.close(); break;
            case Act::Click:
                for (QAbstractButton* b : box.buttons()) {
                    if (b->text() == c.click) b->click();
                }
                break;
            }
        });
        EXPECT_EQ(real.message(m, nullptr), c.answer);
        EXPECT_EQ(seen.title, kindTitle(c.kind));
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.format, Qt::PlainText);
        QStringList expected;
        for (MsgButton b : buttonList(c.buttons)) expected.append(buttonText(b));
        seen.buttons.sort();
        expected.sort();
        EXPECT_EQ(seen.buttons, expected);
    }
}

TEST(QtMessageBox, AnExplicitTitleReplacesTheKind) {
    QtDialogs real;
    QString title;
    onNextModal([&title](QWidget& w) {
        title = w.windowTitle();
        w.close();
    });
    real.message(Message{MsgKind::Error, "壊れました", B::Ok, "Lumorind"}, nullptr);
    EXPECT_EQ(title, "Lumorind");
}

TEST(QtMessageBox, APositionPlacesTheBoxThere) {
    QtDialogs real;
    QPoint at;
    onNextModal([&at](QWidget& w) {
        at = w.pos();
        w.close();
    });
    Message m{MsgKind::Error, "担当者を指定してください。", B::Ok, {}};
    m.position = QPoint(130, 170);
    real.message(m, nullptr);
    EXPECT_EQ(at, QPoint(130, 170));
}

TEST(QtDialogs, RunModalExecsTheDialog) {
    QtDialogs real;
    QDialog dialog;
    onNextModal([](QWidget& w) { static_cast<QDialog&>(w).done(5); });
    EXPECT_EQ(real.runModal(dialog), 5);
}

TEST(QtDialogs, InputBoxGivesTheTextOrNothingWhenCancelled) {
    QtDialogs real;
    onNextModal([](QWidget& w) {
        auto& box = dynamic_cast<QInputDialog&>(w);
        box.setTextValue(box.textValue() + "5");
        box.accept();
    });
    EXPECT_EQ(real.inputText({"", "回数", "1", nullptr}), QString("15"));
    onNextModal([](QWidget& w) { w.close(); });
    EXPECT_EQ(real.inputText({"", "回数", "1", nullptr}), std::nullopt);
}

TEST(QtDialogs, PipeFiltersBecomeQtFilters) {
    const std::pair<QString, QString> cases[] = {
        {"CSV|*.csv;*.CSV", "CSV (*.csv *.CSV)"},
        {"ＣＳＶ|*.csv", "ＣＳＶ (*.csv)"},
        {"レポートファイル (*.frp)|*.frp", "レポートファイル (*.frp)"},
        {"CSV|*.csv;*.txt|すべて|*.*", "CSV (*.csv *.txt);;すべて (*.*)"},
        {"", ""},
    };
    for (const auto& [pipes, qt] : cases) EXPECT_EQ(qtFileFilter(pipes), qt) << pipes.toStdString();
}

}  // namespace
}  // namespace lum
