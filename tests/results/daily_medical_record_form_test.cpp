// The daily medical record "治療実績入力 （日別）": its totals as a table,
// its template values, and the window driven by its control names on both
// backends: showing, the load checks in order, the rows of one day, staff
// member and type (a CureDate with a time of day included), the up-down
// that does not reload, edits and 保存 with the totals after, and printing
// under the day, staff member and type of the last load.
#include "results/daily_medical_record_form.h"

#include "medical_record_fixture.h"
#include "platform/ui/scripted_dialogs.h"
#include "common/text_helpers.h"
#include "support/report_pdf.h"
#include "widgets/horizontal_up_down.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using lum::CureResult;
using lum::DailyRecordTotals;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TEST(DailyRecordTotals, PlannedAndDoneAreCountedApart) {
    struct Case {
        std::vector<std::pair<int, int>> planDone;  // PMinute, RMinute
        DailyRecordTotals expected;
    };
    const Case cases[] = {
        {{}, {0, 0, 0, 0}},
        {{{30, 0}}, {1, 30, 0, 0}},  // planned, not done
        {{{0, 20}}, {0, 0, 1, 20}},  // done without a plan
        {{{40, 35}, {20, 20}, {0, 0}}, {2, 60, 2, 55}},
        {{{-10, -5}, {30, 45}}, {1, 30, 1, 45}},  // negative values count nowhere
    };
    for (const Case& c : cases) {
        std::vector<CureResult> rows;
        for (auto [plan, done] : c.planDone) {
            CureResult r;
            r.PMinute = plan;
            r.RMinute = done;
            rows.push_back(r);
        }
        EXPECT_EQ(DailyRecordTotals::Of(rows), c.expected) << c.planDone.size() << " rows";
    }
}

TEST(DailyRecordValue, RowHeadingAndTotals) {
    CureResult r;
    r.CureNo = 12;
    r.Name = QStringLiteral("山田　花子");
    r.NYUSHOBI_YMD = TDateTime::fromYmd(2024, 3, 25);
    r.PStartTime = TDateTime::fromYmdHms(1899, 12, 30, 9, 30);
    r.PMinute = 40;
    r.RStartTime = TDateTime::fromYmdHms(2024, 5, 7, 9, 35);  // older rows hold a date too
    r.RMinute = 35;
    r.Flags = lum::CategoryFlagsOf(2, 8 | 1);  // 通所: 短期集中 and 個別
    r.LoginName = QStringLiteral("鈴木 一郎");
    const lum::DailyRecordHeading heading{QStringLiteral("令和06年05月07日"), QStringLiteral("通所リハビリ"),
                                          QStringLiteral("佐藤 花子")};
    const DailyRecordTotals totals{3, 100, 2, 75};
    const TDateTime printed = TDateTime::fromYmdHms(2024, 5, 7, 17, 30, 45);
    auto value = [&](const char* name, const CureResult* row) {
        const auto v = lum::DailyRecordValue(QString::fromLatin1(name), row, heading, totals,
                                             QStringLiteral("みどり苑"), printed);
        return v ? v->toString() : QStringLiteral("<none>");
    };
    struct Expected {
        const char* name;
        const char* text;
    };
    const Expected rows[] = {
        {"CureNo", "      12"}, {"Shimei", "山田　花子"}, {"Nyushobi", "令和06年03月25日"}, {"PlanStart", "09:30"},
        {"PlanTime", "40"}, {"ResultStart", "09:35"}, {"ResultTime", "35"}, {"Kubun01", " "}, {"Kubun09", "○"},
        {"Kubun12", "○"}, {"Kubun10", " "}, {"Kubun14", " "}, {"Kubun15", "<none>"}, {"Comment", "　"},
        {"Editor", "鈴木 一郎"}, {"Sakuseibi", "令和06年05月07日17時30分"}, {"Homemei", "みどり苑"},
        {"YYMM", "令和06年05月07日"}, {"RihaType", "通所リハビリ"}, {"TantouName", "佐藤 花子"}, {"SumFun", "75"},
        {"SumCnt", "2"}, {"Other", "<none>"},
    };
    for (const Expected& e : rows) EXPECT_EQ(value(e.name, &r), QString::fromUtf8(e.text)) << e.name;
    r.Comment = QStringLiteral("歩行訓練");
    EXPECT_EQ(value("Comment", &r), QStringLiteral("歩行訓練"));
    r.NYUSHOBI_YMD = TDateTime();
    EXPECT_EQ(value("Nyushobi", &r), QString()) << "no admission date, not the empty date's day";
    // Past the last row only the heading and totals answer.
    EXPECT_EQ(value("Shimei", nullptr), QStringLiteral("<none>"));
    EXPECT_EQ(value("YYMM", nullptr), QStringLiteral("令和06年05月07日"));
    const lum::DailyRecordHeading noStaff{QStringLiteral("令和06年05月07日"), QStringLiteral("入所"), QString()};
    EXPECT_EQ(lum::DailyRecordValue(QStringLiteral("TantouName"), nullptr, noStaff, totals, QString(), printed)->toString(),
              QStringLiteral("　"));
}

class DailyMedicalRecordTest : public lum::test::MedicalRecordTest {
protected:
    void SetUp() override {
        MedicalRecordTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        a_ = registered(lum::test::makeClient(QStringLiteral("山田　花子"), 2, 9));  // 通所: 短期集中, 個別
        b_ = registered(lum::test::makeClient(QStringLiteral("川口　次郎"), 2, 1));
        form_ = std::make_unique<TDailyMedicalRecordForm>();
        form_->frReport1.Ui = &ui_;
    }
    void TearDown() override {
        form_.reset();
        MedicalRecordTest::TearDown();
    }

    TDailyMedicalRecordForm& f() { return *form_; }
    void showForm() {
        f().show();
        QApplication::setActiveWindow(&f());
    }
    // Types the day into the mask key by key and Enter.
    void typeDay(const QString& keys) {
        f().ResultInputDay->setFocus();
        f().ResultInputDay->setCursorPosition(0);
        QTest::keyClicks(f().ResultInputDay, keys);
        QTest::keyClick(f().ResultInputDay, Qt::Key_Return);
    }
    void choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // A day of 佐藤 花子 (staff index 1, code 7), 通所リハビリ.
    void load(const QString& dayKeys) {
        typeDay(dayKeys);
        choose(f().TantouBox, 1);
        choose(f().RihaTypeBox, 2);
        f().ResultLoadBtn->click();
    }
    std::vector<QString> names() {
        std::vector<QString> n;
        for (const CureResult& r : f().Rows()) n.push_back(r.Name);
        return n;
    }
    QString totals() {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(f().PlanCountLbl->text(), f().PlanFunnLbl->text(), f().ExecCountLbl->text(), f().ExecFunnLbl->text());
    }
    qint64 addTyped(const TPerson& client, TDateTime day, int staff, int type, int planned, int done) {
        CureResult r = lum::test::resultOn(client, day, type);
        r.StuffCode = staff;
        r.StuffName = staff == 7 ? QStringLiteral("佐藤 花子") : QStringLiteral("鈴木 一郎");
        r.StuffKigo = staff == 7 ? QStringLiteral("サ") : QStringLiteral("ス");
        r.PStartTime = r.RStartTime = hm(9, 0);
        r.PMinute = planned;
        r.RMinute = done;
        r.LoginName = QStringLiteral("入力 太郎");
        return store().insert(r);
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TDailyMedicalRecordForm> form_;
    TPerson a_;
    TPerson b_;
};

TEST_P(DailyMedicalRecordTest, ShowingResetsToTodayWithNothingChosen) {
    lum::ScriptedDialogs d;
    showForm();
    EXPECT_EQ(f().windowTitle(), QStringLiteral("治療実績入力 （日別）"));
    EXPECT_EQ(f().ResultInputDay->text(), QStringLiteral("令和06年05月20日"));
    EXPECT_EQ(f().Day, ymd(2024, 5, 20));
    EXPECT_EQ(f().TantouBox->count(), 3);
    EXPECT_EQ(f().TantouBox->currentIndex(), -1);
    EXPECT_EQ(f().RihaTypeBox->count(), 4);
    EXPECT_EQ(f().RihaTypeBox->currentIndex(), -1);
    for (QWidget* w : std::initializer_list<QWidget*>{f().SaveButton, f().PrintButton, f().SumButton}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_EQ(totals(), QStringLiteral("   "));
    EXPECT_EQ(f().ResultGrid->columnCount(), 23);
    EXPECT_EQ(f().CommentBox->count(), 1);
}

TEST_P(DailyMedicalRecordTest, LoadChecksTheDayThenTheStaffMemberThenTheType) {
    lum::ScriptedDialogs d;
    showForm();
    // A day that does not exist: told on Enter, and again on 読込.
    f().ResultInputDay->setText(QStringLiteral("令和06年02月30日"));
    d.expect(MsgKind::Error, QStringLiteral("SystemError : 実施入力日 error "), MsgButton::Abort);
    QTest::keyClick(f().ResultInputDay, Qt::Key_Return);
    choose(f().TantouBox, 1);
    choose(f().RihaTypeBox, 2);
    d.expect(MsgKind::Error, QStringLiteral("SystemError : 実施入力日 error "), MsgButton::Abort);
    f().ResultLoadBtn->click();
    EXPECT_TRUE(f().ResultInputDay->hasFocus());

    typeDay(QStringLiteral("R060507"));
    EXPECT_EQ(f().Day, ymd(2024, 5, 7));
    f().TantouBox->setCurrentIndex(-1);
    d.expect(MsgKind::Error, QStringLiteral("SystemError : 担当者 error "), MsgButton::Abort);
    f().ResultLoadBtn->click();
    EXPECT_TRUE(f().TantouBox->hasFocus());
    choose(f().TantouBox, 1);
    f().RihaTypeBox->setCurrentIndex(-1);
    d.expect(MsgKind::Error, QStringLiteral("SystemError : リハビリ形態 error "), MsgButton::Abort);
    f().ResultLoadBtn->click();
    EXPECT_TRUE(f().RihaTypeBox->hasFocus());

    // Nothing that day: said so, and 印刷 stays as it was.
    choose(f().RihaTypeBox, 2);
    d.expect(MsgKind::Confirm, QStringLiteral("該当するスケジュールがありません。\n条件を変更してください。"), MsgButton::Yes);
    f().ResultLoadBtn->click();
    EXPECT_FALSE(f().PrintButton->isEnabled());
    EXPECT_FALSE(f().RowsOpen());
}

TEST_P(DailyMedicalRecordTest, ALoadListsTheDaysResultsOfTheStaffMemberAndTypeWithTheirTotals) {
    lum::ScriptedDialogs d;
    const TDateTime may7 = ymd(2024, 5, 7);
    addTyped(a_, may7, 7, 2, 40, 35);
    const qint64 timed = addTyped(b_, may7, 7, 2, 30, 0);  // planned, not done
    setRaw(timed, "CureDate", TDateTime::fromYmdHms(2024, 5, 7, 13, 15));
    addTyped(a_, may7, 3, 2, 40, 40);                // another staff member
    addTyped(a_, may7, 7, 0, 40, 40);                // another type
    addTyped(a_, ymd(2024, 5, 8), 7, 2, 40, 40);     // the next day
    showForm();
    load(QStringLiteral("R060507"));
    EXPECT_EQ(names(), (std::vector<QString>{QStringLiteral("山田　花子"), QStringLiteral("川口　次郎")}));
    EXPECT_EQ(totals(), QStringLiteral("2 70 1 35"));
    for (QWidget* w : std::initializer_list<QWidget*>{f().SaveButton, f().PrintButton, f().SumButton}) {
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_EQ(f().ResultGrid->item(0, 0)->text(), lum::CureNoText(a_.CureNo));
    EXPECT_EQ(f().ResultGrid->item(1, 2)->text(), QStringLiteral("令和06年05月07日"));
    EXPECT_EQ(f().ResultGrid->item(0, 4)->text(), QStringLiteral("40"));
    EXPECT_EQ(f().ResultGrid->item(0, 6)->text(), QStringLiteral("35"));
    EXPECT_EQ(f().ResultGrid->item(0, 7 + 8)->data(Qt::CheckStateRole).toInt(), Qt::Checked) << "通所 短期集中";

    // Only the start, minutes and remark take input: 5, 6 and 21.
    f().ResultGrid->setFocus();
    for (auto [to, lands] : {std::pair{0, 5}, {4, 5}, {6, 6}, {7, 21}, {20, 21}, {22, 21}}) {
        f().ResultGrid->setCurrentCell(1, to);
        EXPECT_EQ(f().ResultGrid->currentColumn(), lands) << to;
    }

    // -5 minutes become 0; 保存 reads the rows again and counts anew.
    d.expect(MsgKind::Warning, QStringLiteral("負の値です。"), MsgButton::Abort);
    f().ResultGrid->item(0, 6)->setText(QStringLiteral("-5"));
    EXPECT_EQ(f().Rows()[0].RMinute, 0);
    f().ResultGrid->item(1, 6)->setText(QStringLiteral("25"));
    EXPECT_EQ(totals(), QStringLiteral("2 70 1 35")) << "counted on 集計, 保存 and printing";
    f().SumButton->click();
    EXPECT_EQ(totals(), QStringLiteral("2 70 1 25"));
    EXPECT_FALSE(f().SaveButton->isEnabled()) << "each edit written at once";
    f().ResultGrid->setCurrentCell(1, 6);
    f().ResultGrid->editItem(f().ResultGrid->item(1, 6));
    EXPECT_TRUE(f().SaveButton->isEnabled()) << "a cell being typed in";
    f().SaveButton->click();
    EXPECT_EQ(totals(), QStringLiteral("2 70 1 25"));
    EXPECT_EQ(store().find(timed)->RMinute, 25);
    EXPECT_EQ(store().find(timed)->CureDate, TDateTime::fromYmdHms(2024, 5, 7, 13, 15)) << "its day left as it was";
    EXPECT_FALSE(f().SaveButton->isEnabled());
    EXPECT_TRUE(f().PrintButton->isEnabled());
}

TEST_P(DailyMedicalRecordTest, EditsWrittenAtOnceCloseWithoutAQuestion) {
    lum::ScriptedDialogs d;
    const qint64 id = addTyped(a_, ymd(2024, 5, 7), 7, 2, 40, 20);
    showForm();
    load(QStringLiteral("R060507"));
    ASSERT_TRUE(f().SaveButton->isEnabled()) << "loaded: 保存 on before any edit";
    expectWrittenEditsCloseWithoutAQuestion(f(), id);
}

TEST_P(DailyMedicalRecordTest, TheUpDownMovesTheDayButThePrintoutStaysWithWhatWasLoaded) {
    lum::ScriptedDialogs d;
    addTyped(a_, ymd(2024, 5, 7), 7, 2, 40, 35);
    addTyped(b_, ymd(2024, 5, 7), 7, 2, 30, 30);
    addTyped(a_, ymd(2024, 5, 8), 7, 2, 20, 20);
    showForm();
    load(QStringLiteral("R060507"));
    ASSERT_EQ(f().Rows().size(), 2u);

    f().Hizuke->nextButton()->click();
    EXPECT_EQ(f().ResultInputDay->text(), QStringLiteral("令和06年05月08日"));
    EXPECT_EQ(f().Day, ymd(2024, 5, 8));
    EXPECT_EQ(f().Rows().size(), 2u) << "nothing is reloaded";
    EXPECT_EQ(f().Rows()[0].CureDate, ymd(2024, 5, 7));
    // Another staff member and type chosen, not loaded.
    choose(f().TantouBox, 0);
    choose(f().RihaTypeBox, 0);

    f().PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(ui_.previews.size(), 1);
    EXPECT_EQ(f().Loaded.DayText, QStringLiteral("令和06年05月07日"));
    EXPECT_EQ(f().Loaded.StaffName, QStringLiteral("佐藤 花子"));
    EXPECT_EQ(f().Loaded.TypeName, QStringLiteral("通所リハビリ"));
    if (!lum::test::havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    lum::test::PdfOutput out;
    const QString file = out.file(QStringLiteral("daily-record-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    lum::test::writePdf(f().frReport1.EMFPages, file);
    const QString text = lum::test::withoutBlanks(lum::test::pdfText(file));
    for (const char* expected : {"治療実績記録（日別）", "令和06年05月07日", "通所リハビリ", "佐藤花子", "山田花子",
                                 "川口次郎", "09:00", "2回", "65分", "介護老人保健施設みどり苑",
                                 "令和06年05月20日10時15分", "入力太郎"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_FALSE(text.contains(QStringLiteral("令和06年05月08日"))) << "not the day stepped to";
    EXPECT_FALSE(text.contains(QStringLiteral("鈴木一郎"))) << "not the staff member chosen since";
}

LUM_INSTANTIATE_DATABASE_TESTS(DailyMedicalRecordTest);

}  // namespace
