// The open dialog, one design for seven members: the number typed, the
// client search, a client's documents (none, one, several), the key of the
// row the user moved to, and a table that cannot be read.
#include "plans/open_document_dialog.h"

#include "clients/user_search_form.h"
#include "common/db/sql_date.h"
#include "plans/plan_store.h"
#include "plans/plans_fixture.h"
#include "platform/ui/scripted_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class OpenDialogTest : public lum::test::PlansTest {
protected:
    void TearDown() override {
        delete UserSearchForm;
        PlansTest::TearDown();
    }
    int savePlan(int cureNo, TDateTime start) {
        lum::TPlan p;
        p.CureNo = cureNo;
        p.PlanRegistDay = start;
        p.PlanEndDay = start.addDays(90);
        return lum::PlanStore(db()).SavePlan(p, {}, "a", start);
    }
    void addUrinPlan(int cureNo, TDateTime day) {
        QSqlQuery q = db().prepare("INSERT INTO UrinKeikaku (CureNo, UrinDay, DataFormatVersion, KeikakuData) "
                                   "VALUES (:c, :d, 30, :b)");
        q.bindValue(":c", cureNo);
        lum::db::bindDate(q, ":d", day);
        q.bindValue(":b", QByteArray(1664, '\0'));
        db().exec(q);
    }
};

TEST_P(OpenDialogTest, TypedNumbers) {
    TGetCurePlanForm dialog;
    dialog.Mode = 2;
    dialog.show();
    struct Case {
        QString typed;
        QString message;
    } cases[] = {
        {"0", "0 より大きい数字を入力してください。"},
        {"-5", "0 より大きい数字を入力してください。"},
        {"12a", "数字エラーです。\n半角数字で入力してください。"},
        {"", "数字エラーです。\n半角数字で入力してください。"},
        {QString::number(client_), "該当する利用者の治療計画書がありません。\n確認してください。"},
    };
    for (const Case& c : cases) {
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, c.message, MsgButton::Ok);
        dialog.CureNoEdit->setText(c.typed);
        QTest::keyClick(dialog.CureNoEdit, Qt::Key_Return);  // Enter in the number runs 確認
        EXPECT_TRUE(dialog.isVisible()) << c.typed.toStdString();
        EXPECT_EQ(dialog.height(), TGetDocumentForm::ShortHeight);
    }
}

TEST_P(OpenDialogTest, NewTakesTheNumberAndOneDocumentClosesAtOnce) {
    TGetCurePlanForm dialog;
    dialog.Mode = 1;
    dialog.show();
    dialog.CureNoEdit->setText(QString::number(other_));
    dialog.ConFirmButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.CureNo, other_);

    const int planNo = savePlan(client_, TDateTime::fromYmd(2024, 1, 5));
    dialog.Mode = 2;
    dialog.show();
    dialog.CureNoEdit->setText(QString::number(client_));
    dialog.ConFirmButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.PlanNo, planNo);
}

TEST_P(OpenDialogTest, SeveralDocumentsAreListedAndTheCurrentRowIsTaken) {
    savePlan(client_, TDateTime::fromYmd(2023, 7, 1));
    const int middle = savePlan(client_, TDateTime::fromYmd(2023, 10, 1));
    const int newest = savePlan(client_, TDateTime::fromYmd(2024, 1, 5));
    TGetCurePlanForm dialog;
    dialog.Mode = 2;
    dialog.show();
    dialog.CureNoEdit->setText(QString::number(client_));
    dialog.ConFirmButton->click();
    EXPECT_EQ(dialog.height(), TGetDocumentForm::TallHeight);
    EXPECT_TRUE(dialog.DBGrid1->isVisible());
    EXPECT_FALSE(dialog.ConFirmButton->isEnabled());
    EXPECT_FALSE(dialog.DecideButton->isEnabled());
    ASSERT_EQ(dialog.DBGrid1->rowCount(), 3);
    EXPECT_EQ(dialog.DBGrid1->item(0, 0)->text(), QStringLiteral("2024/01/05"));  // newest first
    EXPECT_EQ(dialog.DBGrid1->item(0, 1)->text(), QStringLiteral("2024/04/04"));
    // A click on the first row, then the down arrow: 確定 opens the row shown.
    dialog.DBGrid1->setCurrentCell(0, 0);
    EXPECT_TRUE(dialog.DecideButton->isEnabled());
    EXPECT_EQ(dialog.PlanNo, 0);
    QTest::keyClick(dialog.DBGrid1, Qt::Key_Down);
    dialog.DecideButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.PlanNo, middle);
    EXPECT_NE(dialog.PlanNo, newest);
}

TEST_P(OpenDialogTest, DateKeyedMembersGiveTheDay) {
    addUrinPlan(client_, TDateTime::fromYmd(2023, 12, 1));
    addUrinPlan(client_, TDateTime::fromYmd(2024, 1, 10));
    TGetUrinPlanForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("治療計画確認"));
    dialog.Mode = 2;
    dialog.show();
    dialog.CureNoEdit->setText(QString::number(client_));
    dialog.ConFirmButton->click();
    ASSERT_EQ(dialog.DBGrid1->rowCount(), 2);
    dialog.DBGrid1->setCurrentCell(1, 0);
    dialog.DecideButton->click();
    EXPECT_EQ(dialog.KeyDay, TDateTime::fromYmd(2023, 12, 1));
    EXPECT_EQ(dialog.CureNo, client_);
}

TEST_P(OpenDialogTest, CancelledSearchClosesTheDialogAndAChosenClientIsTyped) {
    TGetConfForm dialog;
    dialog.Mode = 1;
    dialog.show();
    lum::ScriptedDialogs d;
    d.expectModal("TUserSearchForm", QDialog::Rejected);
    dialog.SearchButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    d.expectModal("TUserSearchForm", [this](QDialog& search) {
        static_cast<TUserSearchForm&>(search).Person.CureNo = other_;
        return int(QDialog::Accepted);
    });
    dialog.SearchButton->click();
    EXPECT_EQ(dialog.CureNoEdit->text(), QString::number(other_));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_P(OpenDialogTest, ATableThatCannotBeReadIsAnOpenError) {
    db().execute("DROP TABLE UrinYobou");
    TGetUrinPractForm dialog;
    dialog.Mode = 2;
    dialog.show();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Error, "System DB Open Error", MsgButton::Abort);
    dialog.CureNoEdit->setText(QString::number(client_));
    dialog.ConFirmButton->click();
    EXPECT_TRUE(dialog.isVisible());
}

// Every list names its columns in Japanese.
TEST(OpenDialogTitles, EveryColumnTitleIsJapanese) {
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (lum::DocumentId id : lum::allDocuments()) {
        TGetDocumentForm dialog(id);
        const QString name = dialog.objectName();
        ASSERT_GT(dialog.DBGrid1->columnCount(), 0) << name.toStdString();
        for (int c = 0; c < dialog.DBGrid1->columnCount(); ++c) {
            const QString title = dialog.DBGrid1->horizontalHeaderItem(c)->text();
            EXPECT_FALSE(title.isEmpty()) << name.toStdString();
            EXPECT_FALSE(title.contains(latin)) << name.toStdString() << ": " << title.toStdString();
        }
    }
}

LUM_INSTANTIATE_DATABASE_TESTS(OpenDialogTest);

}  // namespace
