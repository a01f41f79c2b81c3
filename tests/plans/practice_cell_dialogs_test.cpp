// The practice plan's cell dialogs driven by their buttons: the letters of
// the ABC dialog and its cell text, the keypad (no cancel: Esc does nothing),
// and the tool and care dialogs over their stock-phrase lists.
#include "plans/practice_cell_dialogs.h"

#include "plans/plans_fixture.h"
#include "platform/ui/scripted_dialogs.h"
#include "widgets/comment_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::ScriptedDialogs;

TEST(ABCForm, LettersInTheOrderABCAndTheCellTextOfThree) {
    struct Case {
        bool a, b, c;
        const char* letters;
        const char* cell;
    };
    const Case cases[] = {
        {true, true, true, "ABC", "AB\nC"}, {true, false, false, "A", "A"}, {false, true, true, "BC", "BC"},
        {true, false, true, "AC", "AC"},    {false, false, false, "", ""},  {true, true, false, "AB", "AB"},
    };
    TABCForm form;
    for (const Case& c : cases) {
        form.ABox->setChecked(c.a);
        form.BBox->setChecked(c.b);
        form.CBox->setChecked(c.c);
        form.Letters = QStringLiteral("old");
        form.show();
        form.OkButton->click();
        EXPECT_EQ(form.result(), lum::mrOk);
        EXPECT_EQ(form.Letters, QString::fromLatin1(c.letters));
        EXPECT_EQ(form.FormatResult(), QString::fromLatin1(c.cell));
    }
}

TEST(ABCForm, EveryButtonEndsWithItsResultAndOnlyOkAndAllSetTakeTheLetters) {
    struct Case {
        QPushButton* TABCForm::*button;
        int result;
        const char* letters;
    };
    const Case cases[] = {{&TABCForm::OkButton, lum::mrOk, "BC"},
                          {&TABCForm::ALLSet, lum::mrYesToAll, "BC"},
                          {&TABCForm::ALLCancel, lum::mrNoToAll, "A"},
                          {&TABCForm::CancelButton, lum::mrCancel, "A"}};
    for (const Case& c : cases) {
        TABCForm form;
        form.Letters = QStringLiteral("A");
        form.BBox->setChecked(true);
        form.CBox->setChecked(true);
        form.show();
        (form.*c.button)->click();
        EXPECT_EQ(form.result(), c.result);
        EXPECT_EQ(form.Letters, QString::fromLatin1(c.letters));
        EXPECT_FALSE(form.isVisible());
        // The boxes keep their state for the next use.
        EXPECT_TRUE(form.BBox->isChecked());
        // No button is pressed by Enter unless it has the focus.
        for (QPushButton* b : {form.OkButton, form.CancelButton, form.ALLSet, form.ALLCancel})
            EXPECT_FALSE(b->isDefault() || b->autoDefault());
    }
    TABCForm form;
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), lum::mrCancel);
}

TEST(TimeForm, DigitsMakeTheMonthsAndEscOrClosingDoesNothing) {
    struct Case {
        const char* keys;  // digits, 'c' for クリア
        bool monthButton;
        int months;
        const char* cell;
    };
    const Case cases[] = {
        {"", false, 0, " 0ヵ月"},     {"007", true, 7, " 7月"},   {"12c3", false, 3, " 3ヵ月"},
        {"12", true, 12, " 12月"},    {"6", false, 6, " 6ヵ月"},
    };
    TTimeForm keypad;
    for (const Case& c : cases) {
        keypad.show();
        EXPECT_TRUE(keypad.NumLabel->text().isEmpty());
        for (const char* k = c.keys; *k; ++k) {
            if (*k == 'c') keypad.ClearButton->click();
            else keypad.NumButtons[size_t(*k - '0')]->click();
        }
        QTest::keyClick(&keypad, Qt::Key_Escape);
        keypad.close();
        ASSERT_TRUE(keypad.isVisible()) << c.keys;
        (c.monthButton ? keypad.MButton : keypad.KButton)->click();
        EXPECT_FALSE(keypad.isVisible());
        const int result = c.monthButton ? lum::mrYes : lum::mrOk;
        EXPECT_EQ(keypad.result(), result);
        EXPECT_EQ(keypad.Months, c.months) << c.keys;
        EXPECT_EQ(TTimeForm::CellText(keypad.result(), keypad.Months), QString::fromUtf8(c.cell));
    }
    // Typed digits press the keys; a number too long to be one reads as 0.
    keypad.show();
    QTest::keyClicks(&keypad, QStringLiteral("45"));
    EXPECT_EQ(keypad.NumLabel->text(), QStringLiteral("45"));
    for (int i = 0; i < 12; ++i) keypad.NumButtons[9]->click();
    keypad.KButton->click();
    EXPECT_EQ(keypad.Months, 0);
}

class PhraseLinesFormTest : public lum::test::PlansTest {};

TEST_P(PhraseLinesFormTest, TheBoxesOfferTheListAndOkGivesTheirTextsCancelNothing) {
    lum::CommentStore phrases(db());
    for (const char* text : {"Ｔ字杖", "四点杖", "車椅子"})
        phrases.append(QStringLiteral("Goods"), 0, QString::fromUtf8(text), lum::TDateTime::fromYmd(2024, 1, 1));
    phrases.append(QStringLiteral("Kaigo"), 0, QStringLiteral("手すりにつかまる"), lum::TDateTime::fromYmd(2024, 1, 1));
    phrases.append(QStringLiteral("Goods"), 1, QStringLiteral("別の一覧"), lum::TDateTime::fromYmd(2024, 1, 1));

    TGoodsForm goods;
    EXPECT_EQ(goods.windowTitle(), QStringLiteral("使用用具"));
    goods.GoodsBox2->setEditText(QStringLiteral("前の文字"));
    goods.show();
    for (QComboBox* box : {goods.GoodsBox1, goods.GoodsBox2, goods.GoodsBox3}) {
        EXPECT_EQ(box->count(), 3);
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_TRUE(box->currentText().isEmpty());
    }
    goods.GoodsBox1->setCurrentIndex(1);
    goods.GoodsBox3->setEditText(QStringLiteral("短下肢装具"));
    goods.OkButton->click();
    EXPECT_EQ(goods.result(), QDialog::Accepted);
    EXPECT_EQ(goods.Lines(), (QStringList{QStringLiteral("四点杖"), QStringLiteral("短下肢装具")}));
    goods.show();
    goods.CancelButton->click();
    EXPECT_EQ(goods.result(), QDialog::Rejected);

    TKaigoForm kaigo;
    EXPECT_EQ(kaigo.windowTitle(), QStringLiteral("介護内容"));
    EXPECT_EQ(kaigo.ProgramName, QStringLiteral("Kaigo"));
    EXPECT_EQ(kaigo.CommentCode, 0);
    kaigo.show();
    EXPECT_EQ(kaigo.KaigoBox1->itemText(0), QStringLiteral("手すりにつかまる"));
    // The title bar's close cancels.
    kaigo.close();
    EXPECT_EQ(kaigo.result(), QDialog::Rejected);

    // A double click edits the list in the phrase dialog, and the boxes get it again.
    goods.show();
    goods.GoodsBox2->setEditText(QStringLiteral("入力中"));
    ScriptedDialogs d;
    d.expectModal(QStringLiteral("TCommentForm"), [&phrases](QDialog& dialog) {
        phrases.append(QStringLiteral("Goods"), 0, QStringLiteral("歩行器"), lum::TDateTime::fromYmd(2024, 1, 2));
        return dialog.result();
    });
    QTest::mouseDClick(goods.GoodsBox2->lineEdit(), Qt::LeftButton);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(goods.GoodsBox1->count(), 4);
    EXPECT_EQ(goods.GoodsBox2->currentText(), QStringLiteral("入力中"));
    goods.reject();
}

LUM_INSTANTIATE_DATABASE_TESTS(PhraseLinesFormTest);

}  // namespace
