// Stock phrases on both database backends: lists kept apart by key and code
// in the order appended, the append limit, deleting the clicked row and then
// the one that took its place, the six-box dialog, and the failure messages.
#include "widgets/comment_form.h"

#include "widgets/comment_store.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using lum::MsgButton;
using lum::MsgKind;

class CommentFormTest : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
    }
    void TearDown() override {
        scope_.reset();
        DatabaseTest::TearDown();
    }

    QStringList gridTexts(const TCommentForm& form) const {
        QStringList texts;
        for (int row = 0; row < form.CommentGrid->rowCount(); ++row) texts << form.CommentGrid->item(row, 0)->text();
        return texts;
    }
    void append(TCommentForm& form, const QString& text) {
        form.CommentEdit->setText(text);
        form.AppendButton->click();
    }
    void clickRow(TCommentForm& form, int row) {
        QTableWidget* grid = form.CommentGrid;
        const QRect cell = grid->visualItemRect(grid->item(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }

    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
};

TEST_P(CommentFormTest, ListsKeepTheirOrderAndNeverMix) {
    TCommentForm form;
    const QString key = QStringLiteral("User'Regist");  // a quote in the key selects its own list
    for (auto [code, texts] : {std::pair{0, QStringList{"脳梗塞", "骨折", "高血圧"}}, std::pair{1, QStringList{"101", "骨折"}}}) {
        form.ProgramName = key;
        form.CommentCode = code;
        form.show();
        for (const QString& t : texts) append(form, t);
        EXPECT_EQ(gridTexts(form), texts);
        EXPECT_EQ(form.CommentEdit->text(), texts.last()) << "the edit keeps its text";
        form.hide();
    }
    lum::CommentStore(db()).append("UserRegist", 0, "other key", lum::TDateTime::fromYmd(2002, 1, 1));

    EXPECT_EQ(form.LoadComments(key, 0), (QStringList{"脳梗塞", "骨折", "高血圧"}));
    EXPECT_EQ(form.Comments, (QStringList{"脳梗塞", "骨折", "高血圧"}));
    EXPECT_EQ(lum::LoadComments(key, 1), (QStringList{"101", "骨折"}));
    EXPECT_EQ(lum::LoadComments("UserRegist", 0), QStringList{"other key"});

    // An empty list empties the boxes filled from it.
    QComboBox box;
    box.setEditable(true);
    box.addItems({"old"});
    box.setEditText("typed");
    lum::LoadCommentsInto({&box}, key, 7);
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentText(), "");
}

TEST_P(CommentFormTest, AppendLimitIs254Bytes) {
    lum::ScriptedDialogs d;
    TCommentForm form;
    form.ProgramName = "Test";
    form.show();
    append(form, QString(254, u'a'));
    append(form, QString(127, u'字'));
    append(form, QString());  // an empty phrase is a phrase
    d.expect(MsgKind::Information,
             "入力文字数がオーバーしています。\n半角254文字・全角127文字以内で入力してください。", MsgButton::Ok);
    append(form, QString(127, u'字') + "a");
    EXPECT_EQ(gridTexts(form), (QStringList{QString(254, u'a'), QString(127, u'字'), QString()}));
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(CommentFormTest, DeleteTakesTheClickedRowThenTheOneInItsPlace) {
    TCommentForm form;
    form.ProgramName = "Test";
    form.show();
    for (const char* t : {"a", "b", "c", "d"}) append(form, t);
    EXPECT_FALSE(form.DeleteButton->isEnabled()) << "nothing clicked yet";

    clickRow(form, 1);
    EXPECT_TRUE(form.DeleteButton->isEnabled());
    EXPECT_EQ(form.CommentEdit->text(), "b");
    EXPECT_GE(form.SelectedIDNo, 0);
    form.DeleteButton->click();
    EXPECT_EQ(gridTexts(form), (QStringList{"a", "c", "d"}));
    EXPECT_EQ(form.CommentGrid->currentRow(), 1) << "the highlighted row is the next one deleted";
    form.DeleteButton->click();
    EXPECT_EQ(gridTexts(form), (QStringList{"a", "d"}));

    clickRow(form, 1);  // the last row: the one before takes its place
    form.DeleteButton->click();
    form.DeleteButton->click();
    EXPECT_TRUE(gridTexts(form).isEmpty());
    EXPECT_FALSE(form.DeleteButton->isEnabled());
    EXPECT_EQ(form.SelectedIDNo, -1);
    EXPECT_TRUE(lum::LoadComments("Test", 0).isEmpty());

    // Each show starts afresh.
    append(form, "e");
    clickRow(form, 0);
    form.hide();
    form.show();
    EXPECT_EQ(form.CommentEdit->text(), "");
    EXPECT_FALSE(form.DeleteButton->isEnabled());
    EXPECT_EQ(form.SelectedIDNo, -1);
}

TEST_P(CommentFormTest, StringsFormOffersOneListInSixBoxes) {
    lum::CommentStore store(db());
    for (const char* t : {"歩行訓練", "筋力訓練"}) store.append("Plan", 3, t, lum::TDateTime::fromYmd(2002, 1, 1));
    TStringsForm form;
    form.ProgramName = "Plan";
    form.CommentCode = 3;
    form.show();
    for (QComboBox* box : form.Boxes()) {
        EXPECT_EQ(box->count(), 2);
        EXPECT_EQ(box->itemText(0), "歩行訓練");
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_EQ(box->currentText(), "");
    }
    form.TextBox2->setCurrentIndex(1);
    form.TextBox5->setEditText("手書き");

    // A double-click edits the list; the boxes then offer the new list and keep what they show.
    lum::ScriptedDialogs d;
    d.expectModal("TCommentForm", [](QDialog& dialog) {
        auto& comments = static_cast<TCommentForm&>(dialog);
        EXPECT_EQ(comments.ProgramName, "Plan");
        EXPECT_EQ(comments.CommentCode, 3);
        comments.CommentEdit->setText("立位訓練");
        comments.AppendButton->click();
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(form.TextBox3->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(form.TextBox1->count(), 3);
    EXPECT_EQ(form.TextBox1->itemText(2), "立位訓練");
    EXPECT_EQ(form.ChosenTexts(), (QStringList{"筋力訓練", "手書き"}));

    form.OkButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    form.show();
    EXPECT_TRUE(form.ChosenTexts().isEmpty()) << "every show starts with empty boxes";
    form.CancelButton->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

LUM_INSTANTIATE_DATABASE_TESTS(CommentFormTest);

// Without the Comment table every road ends in its message and leaves no
// transaction open.
class CommentFailureTest : public CommentFormTest {
protected:
    bool migrateOnSetUp() const override { return false; }
};

TEST_P(CommentFailureTest, FailuresShowTheirMessages) {
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, "System Error : コメント取り込みエラーです。", MsgButton::Ok);
    EXPECT_TRUE(lum::LoadComments("Test", 0).isEmpty());

    TCommentForm form;
    d.expect(MsgKind::Error, "System Error : コメントエラーです。", MsgButton::Ok);
    form.show();
    d.expect(MsgKind::Error, "System Error : コメント追加終了エラーです。", MsgButton::Ok);
    append(form, "x");
    EXPECT_FALSE(db().inTransaction());
}

LUM_INSTANTIATE_DATABASE_TESTS(CommentFailureTest);

}  // namespace
