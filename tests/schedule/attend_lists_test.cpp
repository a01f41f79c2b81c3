// The three booking lists (月別担当者別予約表, 月別利用者別予約表, 当日作業予約表):
// their cell texts and printout variables as tables, and the windows driven
// by their control names on both backends: the periods listed, the checks,
// when printing is on, the printouts prepared from the real templates and
// read back from PDF, and the notice's byte limit.
#include "schedule/attend_schedule_form.h"
#include "schedule/attend_texts.h"
#include "schedule/day_attend_form.h"
#include "schedule/user_attend_form.h"
#include "schedule_fixture.h"

#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "clients/user_search_form.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "report/engine/tfr_report.h"
#include "report/objects/memo_view.h"
#include "support/page_layout.h"
#include "support/report_pdf.h"
#include "widgets/comment_form.h"
#include "widgets/horizontal_up_down.h"
#include "widgets/radio_group.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using lum::AttendRow;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;
namespace attend = lum::attend;

AttendRow sampleRow() {
    AttendRow r;
    r.ReserveDay = TDateTime::fromYmd(2024, 2, 5);  // a Monday
    r.CureNo = 12;
    r.Name = QStringLiteral("山田　花子");
    r.NYUSHOBI_YMD = TDateTime::fromYmd(2023, 4, 1);
    r.RihaType = 2;
    r.KubunCode = 1 | 4;
    r.HasStartTime = true;
    r.StartTime = lum::test::hm("09:30");
    r.WorkingMin = 40;
    r.Capacity = 3;
    r.StuffCode = 2;
    r.StuffName = QStringLiteral("佐藤　花子");
    return r;
}

TEST(AttendTexts, GridCells) {
    const AttendRow r = sampleRow();
    struct Case {
        QString actual;
        const char* expected;
    };
    AttendRow noStart = r;
    noStart.HasStartTime = false;
    const Case cases[] = {
        {attend::DateCell(r.ReserveDay), "令和 06年02月05日"},
        {attend::DateCell(TDateTime()), ""},  // never 明治32年12月30日
        {attend::WeekdayName(r.ReserveDay), "月曜日"},
        {attend::WeekdayName(TDateTime::fromYmd(2024, 2, 4)), "日曜日"},
        {attend::CureNoCell(12), "        12"},
        {attend::CureNoCell(0), ""},
        {attend::CategoryCell(15), "短期集中  認知症  集団  個別"},
        {attend::CategoryCell(1 | 4), "短期集中  集団  "},
        {attend::CategoryCell(-1), ""},
        {attend::CategoryText(15), "短期集中 認知症 集団 個別"},
        {attend::CategoryText(-3), ""},
        {attend::StartCell(r), "09:30"},
        {attend::StartCell(noStart), ""},
        {attend::CountCell(40), "  40"},
        {attend::CountCell(0), ""},
        {attend::CountCell(-5), ""},
        {attend::TypeName(2), "通所リハビリ"},
        {attend::TypeName(7), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, QString::fromUtf8(c.expected)) << c.expected;
}

TEST(AttendTexts, PrintValues) {
    const AttendRow r = sampleRow();
    const attend::PrintHeading heading{QStringLiteral("みどり苑"), TDateTime::fromYmdHms(2024, 2, 5, 17, 30),
                                       QStringLiteral("令和 06年02月 1日～29日")};
    auto text = [](std::optional<lum::ExprValue> v) { return v ? v->toString() : QStringLiteral("<none>"); };
    auto staffName = [](int code) { return code == 2 ? QStringLiteral("鈴木　一郎") : QString(); };
    struct Case {
        const char* name;
        const char* staff;   // the staff list
        const char* client;  // the client list
        const char* day;     // the day list
    };
    const Case cases[] = {
        {"Yoteibi", "5日", "5日", "5日"},
        {"Youbi", "月曜日", "月曜日", "月"},  // the day list's is its label's
        {"CureNo", "12", "00000012", "12"},
        {"Shimei", "山田　花子", "山田 花子", "山田　花子"},
        {"NyuShobi", "令和05年04月01日", "<none>", "<none>"},
        {"Keikakubi", "<none>", "<none>", "令和 05年04月01日"},
        {"Rihabiri", "通所リハビリ", "通所リハビリ", "通所リハビリ"},
        {"RihaKubun", "短期集中 集団 ", "短期集中 集団 ", "短期集中 集団 "},
        {"StartTime", "09:30", "09:30", "09:30"},
        {"WorkTime", "40", "40", "40"},
        {"Ninzuu", "3", "<none>", "3"},
        // Looked up from the code on the staff list; the row's name on the
        // client list; the staff member of the display on the day list.
        {"TantouName", "鈴木　一郎", "佐藤　花子", "田中　実"},
        {"Homemei", "みどり苑", "みどり苑", "みどり苑"},
        {"Sakuseibi", "令和06年02月05日17時30分", "令和06年02月05日17時30分", "令和06年02月05日17時30分"},
        {"YYMMDD", "令和 06年02月 1日～29日", "<none>", "令和 06年02月 1日～29日"},
        {"YYMM", "<none>", "令和 06年02月 1日～29日", "<none>"},
        {"Renraku", "<none>", "ご家族へ", "<none>"},
        {"Other", "<none>", "<none>", "<none>"},
    };
    const attend::ClientHeading client{QStringLiteral("00000012"), QStringLiteral("山田 花子"), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"),
                                       QStringLiteral("昭和 15年01月01日"), QStringLiteral("女性"),
                                       QStringLiteral("ご家族へ")};
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(text(attend::StaffListValue(name, &r, heading, staffName, 2)), QString::fromUtf8(c.staff)) << c.name;
        EXPECT_EQ(text(attend::ClientListValue(name, &r, heading, client)), QString::fromUtf8(c.client)) << c.name;
        EXPECT_EQ(text(attend::DayListValue(name, &r, heading, QStringLiteral("月"), QStringLiteral("田中　実"))),
                  QString::fromUtf8(c.day))
            << c.name;
    }
    // Past the last row only the heading answers.
    EXPECT_EQ(text(attend::StaffListValue(QStringLiteral("Shimei"), nullptr, heading, staffName, 2)),
              QStringLiteral("<none>"));
    EXPECT_EQ(text(attend::StaffListValue(QStringLiteral("TantouName"), nullptr, heading, staffName, 2)),
              QStringLiteral("鈴木　一郎"));
    EXPECT_EQ(text(attend::ClientListValue(QStringLiteral("Shimei"), nullptr, heading, client)),
              QStringLiteral("山田 花子"));
}

// No two boxes of a printout overlap: a line printed into a neighbouring box
// is crossed by that box's frame.
TEST(AttendTemplates, NoTwoMemosOverlap) {
    for (const char* file : {"AttendSchedule.frf", "UserAttend.frf", "DayAttend.frf"}) {
        SCOPED_TRACE(file);
        lum::TfrReport report;
        ASSERT_TRUE(report.LoadTemplateFromFile(QStringLiteral(LUMORIND_TEMPLATE_DIR "/") + QString::fromLatin1(file)));
        int memos = 0;
        for (const auto& v : report.Template.Pages[0].Objects) memos += dynamic_cast<const lum::TfrMemoView*>(v.get()) != nullptr;
        ASSERT_GT(memos, 10);
        EXPECT_EQ(lum::test::overlappingMemoBoxes(report.Template.Pages[0].Objects), QStringList());
    }
}

// February 2024 with "today" the 5th: staff member A (code 1) has bookings
// on the 5th (two clients), the 6th, the 29th and the 1st of March; B has one
// on the 5th.
class AttendListTest : public lum::test::ScheduleTest {
protected:
    void SetUp() override {
        ScheduleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (int code : {1, 2, 3}) {
            QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
            q.bindValue(0, code);
            q.bindValue(1, lum::test::staffNameOf(code));
            q.bindValue(2, lum::test::staffNameOf(code));
            db().exec(q);
        }
        module_.StuffCount = 3;
        module_.StuffCD = {1, 2, 3};
        module_.StuffNames = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        module_.StuffKigo = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        module_.FacilityName = QStringLiteral("介護老人保健施設 みどり苑");
        previousModule_ = MainModule;
        MainModule = &module_;
        mainForm_ = std::make_unique<TMainForm>();
        mainForm_->AppDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        mainForm_->Registory = std::make_unique<TRegistory>();
        previousForm_ = MainForm;
        MainForm = mainForm_.get();
        scope_ = std::make_unique<lum::ScopedFacilityDatabase>(db());

        yamada_ = addClient(QStringLiteral("山田　花子"), TDateTime::fromYmd(2023, 4, 1), {}, 2, 1 | 4);
        kawai_ = addClient(QStringLiteral("河合　次郎"), TDateTime::fromYmd(2023, 6, 1), {}, 0, 8);
        book(addFrame(day(5), 1, "09:00", 40, 3), yamada_);
        const auto group = addFrame(day(5), 1, "13:00", 0, 0);  // no minutes, no capacity
        book(group, kawai_);
        book(addFrame(day(6), 1, "10:00", 20, 1), kawai_);
        book(addFrame(day(29), 1, "14:00", 30, 1), yamada_);
        book(addFrame(TDateTime::fromYmd(2024, 3, 1), 1, "09:00", 30, 1), yamada_);
        book(addFrame(day(5), 2, "11:00", 30, 1), yamada_);
    }
    void TearDown() override {
        forms_.clear();
        scope_.reset();
        MainForm = previousForm_;
        MainModule = previousModule_;
        mainForm_.reset();
        ScheduleTest::TearDown();
    }

    template <class Form>
    Form& show() {
        auto form = std::make_unique<Form>();
        form->frReport1.Ui = &ui_;
        Form& f = *form;
        forms_.push_back(std::move(form));
        f.show();
        return f;
    }
    static QStringList column(const QTableWidget* grid, int c) {
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r) texts << grid->item(r, c)->text();
        return texts;
    }
    QString printedText(lum::TfrReport& report, const char* name) {
        lum::test::PdfOutput out;
        const QString file = out.file(QStringLiteral("%1-%2.pdf").arg(QString::fromLatin1(name),
                                                                       isSqlite() ? QStringLiteral("sqlite")
                                                                                  : QStringLiteral("pg")));
        lum::test::writePdf(report.EMFPages, file);
        return lum::test::withoutBlanks(lum::test::pdfText(file));
    }

    lum::FixedClock clock_{QDateTime(QDate(2024, 2, 5), QTime(10, 15))};
    TMainModule module_;
    TMainModule* previousModule_ = nullptr;
    std::unique_ptr<TMainForm> mainForm_;
    TMainForm* previousForm_ = nullptr;
    std::unique_ptr<lum::ScopedFacilityDatabase> scope_;
    lum::HeadlessReportUi ui_;
    std::vector<std::unique_ptr<QWidget>> forms_;
    int yamada_ = 0;
    int kawai_ = 0;
};

TEST_P(AttendListTest, TheStaffListListsTheMonthOrTheDaysAskedFor) {
    lum::ScriptedDialogs d;
    auto& f = show<TAttendScheduleForm>();
    EXPECT_EQ(f.YearMonthLabel->text(), QStringLiteral("令和 06年02月"));
    EXPECT_EQ(f.TantouBox->currentIndex(), 0);
    EXPECT_FALSE(f.FromEdit->isEnabled());
    EXPECT_EQ(f.ToEdit->value(), 29);
    EXPECT_FALSE(f.PrintButton->isEnabled());

    // The whole month: the 29th is in, the 1st of March is not.
    f.DisplayButton->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("4"));
    EXPECT_EQ(column(f.ScheduleGrid, 0),
              (QStringList{QStringLiteral("令和 06年02月05日"), QStringLiteral("令和 06年02月05日"),
                           QStringLiteral("令和 06年02月06日"), QStringLiteral("令和 06年02月29日")}));
    EXPECT_EQ(column(f.ScheduleGrid, 1).first(), QStringLiteral("月曜日"));
    EXPECT_EQ(column(f.ScheduleGrid, 2).first(), QStringLiteral("%1").arg(yamada_, 10));
    EXPECT_EQ(column(f.ScheduleGrid, 6).first(), QStringLiteral("短期集中  集団  "));
    EXPECT_EQ(column(f.ScheduleGrid, 7), (QStringList{"09:00", "13:00", "10:00", "14:00"}));
    // The frame without minutes or capacity shows empty cells for them.
    EXPECT_EQ(column(f.ScheduleGrid, 8), (QStringList{"  40", "", "  20", "  30"}));
    EXPECT_EQ(column(f.ScheduleGrid, 9), (QStringList{"   3", "", "   1", "   1"}));
    EXPECT_TRUE(f.PrintButton->isEnabled());

    // 指定日 5 to 5 lists one day; a change of criteria closes the list.
    f.SagyoGroup->item(1)->click();
    EXPECT_TRUE(f.FromEdit->isEnabled());
    EXPECT_FALSE(f.PrintButton->isEnabled());
    EXPECT_EQ(f.ScheduleGrid->rowCount(), 0);
    f.FromEdit->setValue(5);
    f.ToEdit->setValue(5);
    f.DisplayButton->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("2"));
    EXPECT_EQ(f.FromDate, day(5));
    EXPECT_EQ(f.ToDate, day(5));

    // 6 to 5 is refused and lists nothing.
    f.FromEdit->setValue(6);
    d.expect(MsgKind::Error, QStringLiteral("作業日の指定に誤りがあります。"), MsgButton::Abort);
    f.DisplayButton->click();
    EXPECT_EQ(f.ScheduleGrid->rowCount(), 0);
    EXPECT_FALSE(f.PrintButton->isEnabled());
    EXPECT_TRUE(f.Hizuke->isEnabled());

    // Another staff member lists only theirs.
    f.SagyoGroup->item(0)->click();
    f.TantouBox->setCurrentIndex(1);
    f.DisplayButton->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("1"));

    // A month without bookings: count 0, printing off.
    f.Hizuke->previousButton()->click();
    EXPECT_EQ(f.YearMonthLabel->text(), QStringLiteral("令和 06年01月"));
    EXPECT_EQ(f.ToEdit->value(), 31);
    f.DisplayButton->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("0"));
    EXPECT_FALSE(f.PrintButton->isEnabled());
    EXPECT_EQ(d.messages().size(), 1);
}

TEST_P(AttendListTest, WithoutStaffNothingCanBeDisplayedAndAFailedReadSaysSo) {
    lum::ScriptedDialogs d;
    {
        // An empty staff list: 表示 and 印刷 stay off.
        module_.StuffCount = 0;
        auto& f = show<TAttendScheduleForm>();
        EXPECT_EQ(f.TantouBox->currentIndex(), -1);
        EXPECT_FALSE(f.DisplayButton->isEnabled());
        EXPECT_FALSE(f.PrintButton->isEnabled());
        auto& day = show<TDayAttendForm>();
        EXPECT_EQ(day.Rows().size(), 0u);
        EXPECT_FALSE(day.PrintButton->isEnabled());
        module_.StuffCount = 3;
    }
    auto& f = show<TAttendScheduleForm>();
    db().execute(QStringLiteral("DROP TABLE Schedule"));
    d.expect(MsgKind::Error, QStringLiteral("System Error:表示に失敗しました。"), MsgButton::Abort);
    f.DisplayButton->click();
    EXPECT_FALSE(f.ListOpen());
    EXPECT_FALSE(f.PrintButton->isEnabled());
    EXPECT_TRUE(f.Hizuke->isEnabled());
}

TEST_P(AttendListTest, TheStaffListPrintsItsRowsUnderTheStaffMembersName) {
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::ScriptedDialogs d;
    auto& f = show<TAttendScheduleForm>();
    f.DisplayButton->click();
    f.PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(ui_.previews.size(), 1);
    const QString text = printedText(f.frReport1, "attend-schedule");
    for (const char* expected : {"月別担当者別予約表", "介護老人保健施設みどり苑", "令和06年02月1日〜29日", "山田花子",
                                 "河合次郎", "5日", "29日", "09:00", "14:00", "通所リハビリ", "短期集中集団",
                                 "令和06年02月05日10時15分", "1/1"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    // The staff member looked up from the rows' code: A.
    EXPECT_TRUE(text.contains(QStringLiteral("担当者A"))) << text.toStdString();

    // A missing template stops the print with the engine's message.
    QTemporaryDir empty;
    mainForm_->AppDir = empty.path();
    f.PrintButton->click();
    EXPECT_EQ(ui_.previews.size(), 1);
    EXPECT_FALSE(ui_.errors.isEmpty());
}

TEST_P(AttendListTest, TheClientListPrintsTheClientsMonthWithTheNoticeUpTo512Bytes) {
    lum::ScriptedDialogs d;
    auto& f = show<TUserAttendForm>();
    EXPECT_FALSE(f.Display->isEnabled());
    EXPECT_FALSE(f.PrintButton->isEnabled());
    const TPerson client = *lum::PersonStore(db()).find(yamada_);
    d.expectModal(QStringLiteral("UserSearchForm"), [&client](QDialog& dialog) {
        static_cast<TUserSearchForm&>(dialog).Person = client;
        return int(QDialog::Accepted);
    });
    f.UserSearch->click();
    EXPECT_EQ(f.CureNoLabel->text(), QString::number(yamada_));
    EXPECT_EQ(f.NameLabel->text(), QStringLiteral("山田　花子"));
    EXPECT_EQ(f.BirthLabel->text(), QStringLiteral("昭和 15年01月01日"));
    ASSERT_TRUE(f.Display->isEnabled());
    f.Display->click();
    // The month's bookings with every staff member, not March's.
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(column(f.ScheduleGrid, 4), (QStringList{"A", "B", "A"}));
    EXPECT_TRUE(f.PrintButton->isEnabled());

    // Another month closes the list and printing with it.
    f.Hizuke->nextButton()->click();
    EXPECT_FALSE(f.PrintButton->isEnabled());
    f.Display->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("1"));
    f.Hizuke->previousButton()->click();
    f.Display->click();

    // The stock phrases go to the clipboard through the hidden memo.
    d.expectModal(QStringLiteral("StringsForm"), [](QDialog& dialog) {
        auto& picker = static_cast<TStringsForm&>(dialog);
        EXPECT_EQ(picker.ProgramName, QStringLiteral("UserAttend"));
        EXPECT_EQ(picker.CommentCode, 0);
        picker.TextBox1->setEditText(QStringLiteral("送迎は9時です。"));
        picker.TextBox3->setEditText(QStringLiteral("タオルをお持ちください。"));
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(f.Memo->viewport(), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("送迎は9時です。\nタオルをお持ちください。"));

    // 513 bytes are refused, 512 (256 double-byte characters) print whole.
    f.Memo->setPlainText(QString(256, QChar(u'あ')) + u'A');
    d.expect(MsgKind::Error, QStringLiteral("連絡事項の文字数が許容数を超えました。"), MsgButton::Abort);
    f.PrintButton->click();
    EXPECT_TRUE(ui_.previews.isEmpty());
    const QString notice = QString(255, QChar(u'あ')) + QStringLiteral("終");
    f.Memo->setPlainText(notice);
    f.PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(ui_.previews.size(), 1);
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QString text = printedText(f.frReport1, "user-attend");
    for (const char* expected : {"月別利用者別予約表", "令和06年02月", "山田花子", "昭和15年01月01日", "5日", "29日",
                                 "11:00", "連絡欄", "終"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    EXPECT_EQ(text.count(QChar(u'あ')), 255) << "the notice prints whole";
    EXPECT_FALSE(text.contains(QStringLiteral("3月"))) << text.toStdString();
}

TEST_P(AttendListTest, TheDayListShowsTodayAndPrintsUnderTheStaffMemberOfTheDisplay) {
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::ScriptedDialogs d;
    auto& f = show<TDayAttendForm>();
    EXPECT_EQ(f.YearMonthLabel->text(), QStringLiteral("令和 06年02月05日"));
    EXPECT_EQ(f.WeekLabel->text(), QStringLiteral("月曜日"));
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("2"));
    EXPECT_EQ(column(f.ScheduleGrid, 0), (QStringList{QString::number(yamada_), QString::number(kawai_)}));
    EXPECT_EQ(column(f.ScheduleGrid, 4).first(), QStringLiteral("短期集中 集団 "));

    // A step of the day displays again; choosing another staff member alone does not.
    f.Hizuke->nextButton()->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("1"));
    f.Hizuke->nextButton()->click();
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("0"));
    EXPECT_FALSE(f.PrintButton->isEnabled());
    f.Hizuke->previousButton()->click();
    f.Hizuke->previousButton()->click();
    f.TantouBox->setCurrentIndex(1);
    EXPECT_EQ(f.CountLabel->text(), QStringLiteral("2"));
    f.PrintButton->click();
    ASSERT_EQ(ui_.previews.size(), 1);
    const QString text = printedText(f.frReport1, "day-attend");
    for (const char* expected : {"当日作業予約表", "令和06年02月05日", "月曜日", "担当者A", "山田花子", "河合次郎",
                                 "09:00", "13:00"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("担当者B"))) << "not the staff member chosen since";
}

LUM_INSTANTIATE_DATABASE_TESTS(AttendListTest);

}  // namespace
