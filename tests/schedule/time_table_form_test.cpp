// The frame bookings dialog on the demo data, driven by its control names:
// the list of a full group session, a phrase chosen on the third row stored
// on that booking only, typed comments written once, cancelling one and all.
#include "schedule/time_table_form.h"

#include "common/db/sql_date.h"
#include "widgets/comment_form.h"

#include "demo_data.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>

namespace {

class TimeTableFormTest : public lum::test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        lum::setup::writeDemoData(db(), QDate(2026, 12, 10));
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());
    }
    void TearDown() override {
        scope_.reset();
        DatabaseTest::TearDown();
    }
    int scalar(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q = db().prepare(sql);
        for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
    // ScheduleNo -> Comment of the frame's bookings.
    std::map<int, QString> comments(int frame) {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT ScheduleNo, Comment FROM Schedule WHERE WorkingNo = ?"));
        q.bindValue(0, frame);
        db().exec(q);
        std::map<int, QString> out;
        while (q.next()) out[q.value(0).toInt()] = q.value(1).toString();
        return out;
    }
    int fullGroupFrame() {
        return scalar(QStringLiteral(
            "SELECT ReserveNo FROM TimeTable t WHERE Capacity > 3 AND "
            "(SELECT COUNT(*) FROM Schedule s WHERE s.WorkingNo = t.ReserveNo) = Capacity ORDER BY ReserveDay, ReserveNo"));
    }
    static int scheduleNoOfRow(const TTimeTableForm& form, int row, const std::map<int, QString>& byNo) {
        auto it = byNo.begin();
        std::advance(it, row);  // the dialog lists in ScheduleNo order
        (void)form;
        return it->first;
    }

    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
};

TEST_P(TimeTableFormTest, APhraseOnTheThirdRowIsStoredThereOnlyAndCancelsLeaveTheRightCount) {
    lum::ScriptedDialogs d;
    const int frame = fullGroupFrame();
    ASSERT_GT(frame, 0);
    const std::map<int, QString> before = comments(frame);
    const int booked = static_cast<int>(before.size());
    ASSERT_GE(booked, 4);

    TTimeTableForm form;
    form.WorkingNo = frame;
    form.CancelAllowed = true;
    form.show();
    EXPECT_EQ(form.BookedCount, booked);
    EXPECT_EQ(form.StatusText(0), QString::number(booked));
    EXPECT_TRUE(form.DeleteButton->isVisible() && form.DeleteButton->isEnabled());
    EXPECT_TRUE(form.AllDeleteButton->isVisible() && form.AllDeleteButton->isEnabled());
    ASSERT_EQ(form.ScheduleDispGrid->rowCount(), booked);
    EXPECT_EQ(form.ScheduleDispGrid->item(0, TTimeTableForm::ColCureNo)->text().size(), 8);
    EXPECT_GT(form.CommentBox->count(), 0) << "the Schd phrases";

    // The third row's comment cell: the box lies over it with its comment.
    form.ScheduleDispGrid->setCurrentCell(2, TTimeTableForm::ColComment);
    ASSERT_TRUE(form.CommentBox->isVisible());
    const int third = scheduleNoOfRow(form, 2, before);
    EXPECT_EQ(form.CommentBox->currentText(), before.at(third));
    const int phrase = 2;
    const QString chosen = form.CommentBox->itemText(phrase);
    form.CommentBox->setCurrentIndex(phrase);
    emit form.CommentBox->activated(phrase);
    std::map<int, QString> expected = before;
    expected[third] = chosen;
    EXPECT_EQ(comments(frame), expected);
    EXPECT_EQ(form.ScheduleDispGrid->currentRow(), 2) << "the list keeps its row";
    EXPECT_EQ(form.ScheduleDispGrid->item(2, TTimeTableForm::ColComment)->text(), chosen);

    // Typed on: written once, when Enter ends the edit, to the same booking.
    ASSERT_TRUE(form.CommentBox->isVisible());
    form.CommentBox->lineEdit()->setFocus();
    form.CommentBox->lineEdit()->end(false);
    QTest::keyClicks(form.CommentBox->lineEdit(), QStringLiteral(" ok"));
    EXPECT_EQ(comments(frame), expected) << "nothing written while typing";
    QTest::keyClick(form.CommentBox->lineEdit(), Qt::Key_Return);
    expected[third] = chosen + QStringLiteral(" ok");
    EXPECT_EQ(comments(frame), expected);

    // Too long for the table: refused with a message, nothing written.
    d.expect(lum::MsgKind::Error, QStringLiteral("コメントは255文字以内です。（256文字あります）"), lum::MsgButton::Ok);
    form.CommentBox->setEditText(QString(256, u'あ'));
    emit form.CommentBox->lineEdit()->editingFinished();
    EXPECT_EQ(comments(frame), expected);

    // Typed, then a click on another row: written to the third row, the click kept.
    ASSERT_EQ(form.ScheduleDispGrid->currentRow(), 2);
    form.CommentBox->lineEdit()->end(false);
    QTest::keyClicks(form.CommentBox->lineEdit(), QStringLiteral("!"));
    form.ScheduleDispGrid->setCurrentCell(4, TTimeTableForm::ColCureNo);
    expected[third] += QStringLiteral("!");
    EXPECT_EQ(comments(frame), expected);
    EXPECT_EQ(form.ScheduleDispGrid->currentRow(), 4);
    EXPECT_FALSE(form.CommentBox->isVisible());
    form.ScheduleDispGrid->setCurrentCell(2, TTimeTableForm::ColComment);

    // Another row from the comment column starts at the number: no write there.
    form.ScheduleDispGrid->setCurrentCell(3, TTimeTableForm::ColComment);
    EXPECT_EQ(form.ScheduleDispGrid->currentColumn(), TTimeTableForm::ColCureNo);
    form.ScheduleDispGrid->setCurrentCell(3, TTimeTableForm::ColName);
    EXPECT_EQ(form.ScheduleDispGrid->currentColumn(), TTimeTableForm::ColCureNo) << "only number and comment";
    EXPECT_EQ(comments(frame), expected);

    // Cancel one: the current row's booking.
    form.ScheduleDispGrid->setCurrentCell(0, TTimeTableForm::ColCureNo);
    const int first = scheduleNoOfRow(form, 0, expected);
    form.DeleteButton->click();
    expected.erase(first);
    EXPECT_EQ(comments(frame), expected);
    EXPECT_EQ(form.BookedCount, booked - 1);
    EXPECT_EQ(form.StatusText(0), QString::number(booked - 1));

    // With no current cell.
    d.expect(lum::MsgKind::Error, QStringLiteral("データを選択して下さい。"), lum::MsgButton::Ok);
    form.ScheduleDispGrid->setCurrentCell(-1, -1);
    form.DeleteButton->click();
    EXPECT_EQ(form.BookedCount, booked - 1);

    // Cancel all, then nothing is left to cancel.
    form.AllDeleteButton->click();
    EXPECT_TRUE(comments(frame).empty());
    EXPECT_EQ(form.BookedCount, 0);
    EXPECT_EQ(form.StatusText(0), QStringLiteral("0"));
    EXPECT_FALSE(form.DeleteButton->isEnabled());
    EXPECT_FALSE(form.AllDeleteButton->isEnabled());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TimeTable WHERE ReserveNo = ?"), {frame}), 1)
        << "the frame stays";
    form.CancelButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_P(TimeTableFormTest, FromTheClientMonthScheduleWithoutCancelButtonsAndAClosedFrameEmpty) {
    lum::ScriptedDialogs d;
    TTimeTableForm form;
    form.WorkingNo = fullGroupFrame();
    form.CancelAllowed = false;
    form.show();
    EXPECT_FALSE(form.DeleteButton->isVisible());
    EXPECT_FALSE(form.AllDeleteButton->isVisible());
    EXPECT_GT(form.BookedCount, 0);
    // Sex and discharge texts of the listed clients.
    QSqlQuery q = db().prepare(QStringLiteral(
        "SELECT p.Sex, p.TAISHOBI_YMD FROM Schedule s JOIN Person p ON p.CureNo = s.CureNo WHERE s.WorkingNo = ? "
        "ORDER BY s.ScheduleNo"));
    q.bindValue(0, form.WorkingNo);
    db().exec(q);
    for (int row = 0; q.next(); ++row) {
        EXPECT_EQ(form.ScheduleDispGrid->item(row, TTimeTableForm::ColSex)->text(),
                  q.value(0).toInt() == 0 ? QStringLiteral("男性") : QStringLiteral("女性"));
        const bool discharged = lum::db::readDate(q.value(1)).value() > 0;
        EXPECT_EQ(form.ScheduleDispGrid->item(row, TTimeTableForm::ColTaisho)->text().isEmpty(), !discharged);
    }
    form.hide();

    form.WorkingNo = scalar(QStringLiteral("SELECT MIN(ReserveNo) FROM TimeTable WHERE Capacity = 0"));
    form.CancelAllowed = true;
    form.show();
    EXPECT_EQ(form.BookedCount, 0);
    EXPECT_EQ(form.StatusText(0), QStringLiteral("0"));
    EXPECT_TRUE(form.DeleteButton->isVisible());
    EXPECT_FALSE(form.DeleteButton->isEnabled());
    EXPECT_FALSE(form.AllDeleteButton->isEnabled());

    // A double click on the comment box edits the Schd phrases.
    form.WorkingNo = fullGroupFrame();
    form.hide();
    form.show();
    form.ScheduleDispGrid->setCurrentCell(0, TTimeTableForm::ColComment);
    d.expectModal(QStringLiteral("CommentForm"), [](QDialog& dialog) {
        auto& phrases = static_cast<TCommentForm&>(dialog);
        EXPECT_EQ(phrases.ProgramName, QStringLiteral("Schd"));
        EXPECT_EQ(phrases.CommentCode, 0);
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(form.CommentBox->lineEdit(), Qt::LeftButton);
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(TimeTableFormTest);

}  // namespace
