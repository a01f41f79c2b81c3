#include "widgets/key_edit_binding.h"
#include "common/key_editors.h"
#include "platform/clock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

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

// Tab selects the whole field with the caret at its end; the keys still go
// into the mask from its first place. A click places the caret where clicked.
TEST(KeyEditBinding, TabIntoTheFieldThenTypeFillsTheMaskFromItsStart) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* date = new QLineEdit(&window);
    date->move(0, 40);
    date->setFixedWidth(240);
    auto* binding = KeyEditBinding::bindEraDate(date);
    binding->reset();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), date);
    EXPECT_EQ(date->selectedText(), lum::EraDateMask) << "Tab selected the whole mask";
    QTest::keyClicks(date, QStringLiteral("S150401"));
    EXPECT_EQ(date->text(), QStringLiteral("昭和15年04月01日"));
    EXPECT_FALSE(date->hasSelectedText());

    // Tab in again over a whole date: the era is typed over first.
    QTest::keyClick(date, Qt::Key_Backtab);
    QTest::keyClick(before, Qt::Key_Tab);
    QTest::keyClicks(date, QStringLiteral("H"));
    EXPECT_EQ(date->text(), QStringLiteral("平成15年04月01日"));
    EXPECT_EQ(date->cursorPosition(), 2);

    // A click on the month places the caret there; the keys go to the month.
    date->setCursorPosition(5);
    const QPoint atMonth = date->inputMethodQuery(Qt::ImCursorRectangle).toRect().center() + QPoint(1, 0);
    date->setCursorPosition(0);
    QTest::mouseClick(date, Qt::LeftButton, Qt::NoModifier, atMonth);
    ASSERT_EQ(date->cursorPosition(), 5);
    QTest::keyClicks(date, QStringLiteral("12"));
    EXPECT_EQ(date->text(), QStringLiteral("平成15年12月01日"));
}

// A dialog opened with a prefilled time gives its first field the focus with
// the window: no selection, and the caret setText left at the end must not
// swallow the keys.
TEST(KeyEditBinding, FocusWithTheWindowOnAPrefilledFieldTypesFromItsStart) {
    QWidget window;
    auto* time = new QLineEdit(&window);
    KeyEditBinding::bindTime(time);
    time->setText(QStringLiteral("09:30"));
    ASSERT_EQ(time->cursorPosition(), 5);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    time->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(time->cursorPosition(), 0);
    QTest::keyClicks(time, QStringLiteral("1015"));
    EXPECT_EQ(time->text(), QStringLiteral("10:15"));
}

// Free text never lands in a mask: a paste is typed key by key through the
// editor, and the roads around the editor (cut, undo, the X11 selection,
// dropping text) are shut.
TEST(KeyEditBinding, PasteGoesThroughTheEditorAndOtherRoadsAreShut) {
    struct Road {
        const char* name;
        std::function<void(QLineEdit&, KeyEditBinding&)> use;
    };
    const Road pastes[] = {
        {"Ctrl+V", [](QLineEdit& e, KeyEditBinding&) { QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [](QLineEdit& e, KeyEditBinding&) { QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"the window's paste", [](QLineEdit&, KeyEditBinding& b) { b.paste(); }},
        {"the context menu's paste",
         [](QLineEdit&, KeyEditBinding& b) {
             std::unique_ptr<QMenu> menu(b.contextMenu());
             for (QAction* a : menu->actions())
                 if (a->objectName() == u"edit-paste") a->trigger();
         }},
    };
    for (const Road& road : pastes) {
        QLineEdit edit;
        auto* binding = KeyEditBinding::bindEraDate(&edit);
        binding->reset();
        edit.setCursorPosition(0);
        QGuiApplication::clipboard()->setText(QStringLiteral("free text, 12 xyz"));
        road.use(edit, *binding);
        EXPECT_EQ(edit.text().size(), lum::EraDateMask.size()) << road.name;
        EXPECT_TRUE(edit.text().startsWith(QStringLiteral("＿＿"))) << road.name << ": no era key in it";
        EXPECT_TRUE(edit.text().endsWith(QStringLiteral("日"))) << road.name;

        binding->reset();
        edit.setCursorPosition(0);
        QGuiApplication::clipboard()->setText(QStringLiteral("Ｓ１５０４０１"));
        road.use(edit, *binding);
        EXPECT_EQ(edit.text(), QStringLiteral("昭和15年04月01日")) << road.name << ": typed key by key";
    }

    QLineEdit edit;
    auto* binding = KeyEditBinding::bindEraDate(&edit);
    edit.setText(QStringLiteral("平成14年05月01日"));
    edit.selectAll();
    const QString kept = edit.text();
    for (QKeySequence::StandardKey key : {QKeySequence::Cut, QKeySequence::Undo, QKeySequence::DeleteEndOfLine,
                                          QKeySequence::DeleteStartOfWord}) {
        const QKeySequence sequence(key);
        if (sequence.isEmpty()) continue;
        QTest::keySequence(&edit, sequence);
        EXPECT_EQ(edit.text(), kept) << qPrintable(sequence.toString());
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"), QClipboard::Selection);
    edit.setCursorPosition(3);
    QTest::mouseClick(&edit, Qt::MiddleButton, Qt::NoModifier, QPoint(4, edit.height() / 2));
    EXPECT_EQ(edit.text(), kept) << "the X11 selection is not pasted";
    EXPECT_FALSE(edit.acceptDrops());

    std::unique_ptr<QMenu> menu(binding->contextMenu());
    QStringList names;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) names << a->objectName();
    EXPECT_FALSE(names.contains(QStringLiteral("edit-cut")));
    EXPECT_FALSE(names.contains(QStringLiteral("edit-delete")));
    EXPECT_FALSE(names.contains(QStringLiteral("edit-undo")));
    EXPECT_TRUE(names.contains(QStringLiteral("edit-copy")));
    EXPECT_EQ(KeyEditBinding::of(&edit), binding);
    QLineEdit plain;
    EXPECT_EQ(KeyEditBinding::of(&plain), nullptr);
}

// In a dialog, Enter in the field checks the value and presses no button.
TEST(KeyEditBinding, KeepEnterInFieldLeavesTheDialogsButtonAlone) {
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* button = new QPushButton(QStringLiteral("開く"), &dialog);
    button->setDefault(true);
    auto* binding = KeyEditBinding::bindEraMonth(edit);
    binding->keepEnterInField();
    binding->reset();
    int clicked = 0, rejected = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicked; });
    QObject::connect(binding, &KeyEditBinding::rejected, [&] { ++rejected; });
    press(edit, Qt::Key_Return);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(rejected, 1) << "checked on the release all the same";
}
