// Kana fields convert what is typed into half-width katakana, and the name
// field hands its reading to the kana field on Enter.
#include "widgets/ime.h"
#include "widgets/kana_input.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

// What an input method does when the user confirms a conversion.
void commit(QWidget* w, const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

class FakeIme : public lum::ImeService {
public:
    FakeIme() { lum::setImeService(this); }
    ~FakeIme() override { lum::setImeService(nullptr); }
    QString reading(QWidget*) override { return next; }
    bool convertText(QWidget*, const QString&) override { return true; }
    QString next;
};

TEST(KanaField, TypedKanaBecomesHalfWidthKatakana) {
    QLineEdit kana;
    lum::bindKanaField(&kana);
    kana.show();
    commit(&kana, QStringLiteral("やまだ"));
    EXPECT_EQ(kana.text(), QStringLiteral("ﾔﾏﾀﾞ"));
    QTest::keyClick(&kana, Qt::Key_Space);
    commit(&kana, QStringLiteral("タロウ"));
    EXPECT_EQ(kana.text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(kana.cursorPosition(), kana.text().size());
    // Typing in the middle keeps the caret behind what was typed.
    kana.setCursorPosition(4);
    commit(&kana, QStringLiteral("が"));
    EXPECT_EQ(kana.text(), QStringLiteral("ﾔﾏﾀﾞｶﾞ ﾀﾛｳ"));
    EXPECT_EQ(kana.cursorPosition(), 6);
    // Text set by the window is left alone.
    kana.setText(QStringLiteral("ヤマ"));
    EXPECT_EQ(kana.text(), QStringLiteral("ヤマ"));
}

TEST(NameReadingBinding, EnterAppendsTheReadingAndLeavingDropsTheBlank) {
    FakeIme ime;
    QWidget window;
    auto* name = new QLineEdit(&window);
    auto* kana = new QLineEdit(&window);
    new lum::NameReadingBinding(name, kana);
    window.show();

    ime.next = QStringLiteral("やまだ");  // a reading in hiragana is converted too
    QTest::keyClick(name, Qt::Key_Return);
    ime.next = QString();  // Enter without a conversion adds nothing
    QTest::keyClick(name, Qt::Key_Return);
    ime.next = QStringLiteral("ﾀﾛｳ");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(kana->text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ "));
    // A message box taking the focus for a moment leaves the blank.
    QFocusEvent popup(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(name, &popup);
    EXPECT_EQ(kana->text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ "));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(name, &leave);
    EXPECT_EQ(kana->text(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
}

}  // namespace
