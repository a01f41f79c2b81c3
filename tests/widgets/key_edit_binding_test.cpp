#include "widgets/key_edit_binding.h"
#include "common/key_editors.h"
#include "platform/clock.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

using lum::KeyEditBinding;
using lum::TDateTime;

namespace {

void press(QWidget* w, Qt::Key key, const QString& text = QString()) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &up);
}

void type(QWidget* w, const QString& keys) {
    for (QChar c : keys) press(w, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c));
}

}  // namespace

TEST(KeyEditBinding, TypingGoesThroughTheEditor) {
    QLineEdit edit;
    auto* binding = KeyEditBinding::bindEraDate(&edit);
    EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));
    binding->reset();
    EXPECT_EQ(edit.text(), lum::EraDateMask);
    EXPECT_FALSE(edit.isModified());
    {
        lum::FixedClock clock(QDate(2019, 5, 1));
        binding->reset(-2);
        EXPECT_EQ(edit.text(), QStringLiteral("令和01年05月01日"));
        EXPECT_EQ(edit.cursorPosition(), 0);
        binding->reset();
    }

    int edited = 0, keys = 0;
    QObject::connect(&edit, &QLineEdit::textEdited, [&] { ++edited; });
    QObject::connect(binding, &KeyEditBinding::keyTyped, [&] { ++keys; });
    edit.setCursorPosition(0);
    type(&edit, QStringLiteral("H140501x"));
    EXPECT_EQ(edit.text(), QStringLiteral("平成14年05月01日"));
    EXPECT_EQ(edit.cursorPosition(), 11);
    EXPECT_TRUE(edit.isModified());  // the window sees a user change
    EXPECT_EQ(edited, 7);
    EXPECT_EQ(keys, 8);

    // A read-only edit takes no keys.
    edit.setReadOnly(true);
    edit.setCursorPosition(0);
    type(&edit, QStringLiteral("S"));
    EXPECT_EQ(edit.text(), QStringLiteral("平成14年05月01日"));
}

TEST(KeyEditBinding, BackspaceAndDeleteOnlyMoveLeft) {
    QLineEdit edit;
    KeyEditBinding::bindEraDate(&edit);
    edit.setText(QStringLiteral("平成14年05月01日"));
    edit.setCursorPosition(6);
    press(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("平成14年05月01日"));
    EXPECT_EQ(edit.cursorPosition(), 5);
    press(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), QStringLiteral("平成14年05月01日"));
    EXPECT_EQ(edit.cursorPosition(), 4);
    // Keys without text keep their usual meaning.
    press(&edit, Qt::Key_End);
    EXPECT_EQ(edit.cursorPosition(), 11);
}

TEST(KeyEditBinding, EnterReportsTheValue) {
    struct Row { KeyEditBinding::Mask mask; QString text; bool ok; TDateTime value; };
    const Row rows[] = {
        {KeyEditBinding::Mask::EraDate, QStringLiteral("令和01年05月01日"), true, TDateTime::fromYmd(2019, 5, 1)},
        {KeyEditBinding::Mask::EraDate, QStringLiteral("平成14年05月3_日"), false, {}},
        {KeyEditBinding::Mask::EraMonth, QStringLiteral("平成14年 5月"), true, TDateTime::fromYmd(2002, 5, 1)},
        {KeyEditBinding::Mask::EraMonth, QStringLiteral("＿＿__年__月"), false, {}},
        {KeyEditBinding::Mask::Time, QStringLiteral(" 9:30"), true, TDateTime(9.5 / 24)},
        {KeyEditBinding::Mask::Time, QStringLiteral("23:59"), true, TDateTime((23 * 60 + 59) / 1440.0)},
        {KeyEditBinding::Mask::Time, QStringLiteral("2_:__"), false, {}},
    };
    for (const Row& r : rows) {
        QLineEdit edit;
        auto* binding = new KeyEditBinding(&edit, r.mask);
        edit.setText(r.text);
        int accepted = 0, rejected = 0;
        TDateTime got;
        QObject::connect(binding, &KeyEditBinding::accepted, [&](TDateTime v) { ++accepted; got = v; });
        QObject::connect(binding, &KeyEditBinding::rejected, [&] { ++rejected; });
        int returnPressed = 0;
        QObject::connect(&edit, &QLineEdit::returnPressed, [&] { ++returnPressed; });
        press(&edit, Qt::Key_Return);
        EXPECT_EQ(accepted, r.ok ? 1 : 0) << qPrintable(r.text);
        EXPECT_EQ(rejected, r.ok ? 0 : 1) << qPrintable(r.text);
        EXPECT_EQ(returnPressed, 1) << "the window still sees Enter";
        if (r.ok) {
            EXPECT_DOUBLE_EQ(got.value(), r.value.value()) << qPrintable(r.text);
        }
        EXPECT_EQ(edit.text(), r.text);
    }
}

TEST(KeyEditBinding, CommittedInputMethodTextIsTypedKeyByKey) {
    QLineEdit edit;
    auto* binding = KeyEditBinding::bindTime(&edit);
    binding->reset();
    edit.setCursorPosition(0);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("１２３０"));  // full-width digits from a Japanese input method
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.text(), QStringLiteral("12:30"));
    EXPECT_EQ(edit.cursorPosition(), 5);
}
