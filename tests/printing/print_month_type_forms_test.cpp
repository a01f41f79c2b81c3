// The results per type and the month grid on both backends, driven by their
// control names: showing and the month up-down across the year, the staff
// choice and the type with their messages, both CSV files against golden
// files (a 30-day month and February of a leap year, names holding a comma
// and a quote, ten staff members), and both printouts read back from PDF.
#include "printing/print_keitai_form.h"
#include "printing/print_schedule_type_form.h"

#include "common/csv_file.h"
#include "print_fixture.h"
#include "report/engine/tfr_report.h"
#include "results/cure_results_store.h"
#include "widgets/up_down.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

TDateTime on(int y, int m, int d, int h = 0, int min = 0) { return TDateTime::fromYmdHms(y, m, d, h, min); }
TDateTime at(int h, int min) { return TDateTime((h * 60 + min) / 1440.0); }

const QString kDone = QStringLiteral("終了しました。");

class MonthTypeFormsTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        clock_.set(QDateTime(QDate(2002, 6, 15), QTime(9, 0)));
        // Ten staff members: the legend's third line ends in blanks, its fourth is blank.
        for (int i = 1; i <= 10; ++i) {
            QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
            q.addBindValue(100 + i);
            q.addBindValue(QStringLiteral("職員　%1").arg(i));
            q.addBindValue(QString(QChar(u"佐高中小松石森林田原"[i - 1])));
            db().exec(q);
        }
        keitai_ = std::make_unique<TPrintKeitaiForm>();
        grid_ = std::make_unique<TPrintScheduleTypeForm>();
        keitai_->frReport1->Ui = &ui_;
        grid_->frReport1->Ui = &ui_;
    }
    void TearDown() override {
        keitai_.reset();
        grid_.reset();
        PrintWindowTest::TearDown();
    }

    void add(TDateTime day, int cureNo, int type, int staff, TDateTime start, int minutes, const QString& name,
             const QString& kana) {
        lum::CureResult r;
        r.CureDate = day;
        r.CureNo = cureNo;
        r.RihaType = type;
        r.StuffCode = staff;
        r.StuffKigo = staff > 100 ? QString(QChar(u"佐高中小松石森林田原"[staff - 101])) : QString();
        r.RStartTime = start;
        r.RMinute = minutes;
        r.Name = name;
        r.Kana = kana;
        r.NYUSHOBI_YMD = on(2002, 4, 1);
        lum::CureResultsStore(db()).insert(r);
    }
    // June 2002 (30 days) and February 2004 (29 days): a name with a comma,
    // one with a quote, a client under two types, a day with two results
    // (the first without a mark), 14:00 on the last day, results of May and
    // July around June.
    void addFixture() {
        const QString comma = QStringLiteral("佐藤,花子");
        const QString quote = QStringLiteral("鈴木\"一\"");
        const QString plain = QStringLiteral("山田　太郎");
        for (int year : {2002, 2004}) {
            const int m = year == 2002 ? 6 : 2;
            const int last = year == 2002 ? 30 : 29;
            add(on(year, m, 3), 1, 0, -1, at(9, 0), 20, plain, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
            add(on(year, m, 3), 1, 0, 101, at(10, 0), 40, plain, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
            add(on(year, m, 4), 1, 2, 102, at(13, 30), 60, plain, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
            add(on(year, m, last, 14, 0), 2, 0, 103, at(14, 0), 40, comma, QStringLiteral("ｻﾄｳ ﾊﾅｺ"));
            add(on(year, m, 5), 3, 0, 110, at(11, 0), 30, quote, QStringLiteral("ｽｽﾞｷ ﾊｼﾞﾒ"));
            add(on(year, m, 5), 3, 0, 101, at(10, 20), 30, quote, QStringLiteral("ｽｽﾞｷ ﾊｼﾞﾒ"));
        }
        add(on(2002, 5, 31, 23, 0), 1, 0, 101, at(9, 0), 20, plain, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        add(on(2002, 7, 1), 1, 0, 101, at(9, 0), 20, plain, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    }
    static QByteArray golden(const char* name) {
        QFile f(QStringLiteral(QT_TESTCASE_SOURCEDIR "/printing/golden/%1").arg(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        return f.readAll();
    }
    QByteArray written(TMonthTypeForm& form, const QString& path) {
        form.CsvEdit->setText(path);
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, kDone, MsgButton::Yes);
        form.CSVOutButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        // A path with another extension writes the ".csv" beside it.
        QFile f(lum::withCsvExtension(path));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return f.readAll();
    }
    static void stepTo(TMonthTypeForm& form, int year, int month) {
        while (form.Month.Year * 12 + form.Month.Month > year * 12 + month) form.Hizuke->clickDown();
        while (form.Month.Year * 12 + form.Month.Month < year * 12 + month) form.Hizuke->clickUp();
    }

    lum::HeadlessReportUi ui_;
    std::unique_ptr<TPrintKeitaiForm> keitai_;
    std::unique_ptr<TPrintScheduleTypeForm> grid_;
};

TEST_P(MonthTypeFormsTest, ShowingStartsOnTheCurrentMonthForEveryStaffMemberAndStepsAcrossTheYear) {
    settings().Keitai = QStringLiteral("/srv/keitai.csv");
    settings().PrnSch = QStringLiteral("/srv/prnsch.csv");
    for (TMonthTypeForm* form : std::initializer_list<TMonthTypeForm*>{keitai_.get(), grid_.get()}) {
        SCOPED_TRACE(form->objectName().toStdString());
        form->show();
        EXPECT_EQ(form->YearMonthLabel->text(), QStringLiteral("平成14年06月"));
        EXPECT_TRUE(form->RadioButton2->isChecked());
        EXPECT_FALSE(form->Joken3Box->isEnabled());
        EXPECT_EQ(form->Joken3Box->count(), 10);
        EXPECT_EQ(form->Joken3Box->currentIndex(), -1);
        for (int i = 0; i < 7; ++i) form->Hizuke->clickUp();
        EXPECT_EQ(form->YearMonthLabel->text(), QStringLiteral("平成15年01月"));
        form->Hizuke->clickDown();
        EXPECT_EQ(form->YearMonthLabel->text(), QStringLiteral("平成14年12月"));
        EXPECT_EQ(form->Month.UseMonth, on(2002, 12, 1));
        EXPECT_EQ(form->Month.Range.end, on(2003, 1, 1));
        form->close();
    }
    EXPECT_EQ(keitai_->windowTitle(), QStringLiteral("形態別実績一覧表（印刷）"));
    EXPECT_EQ(keitai_->CsvEdit->text(), QStringLiteral("/srv/keitai.csv"));
    EXPECT_EQ(grid_->windowTitle(), QStringLiteral("月別リハビリ形態別実施一覧(印刷)"));
    EXPECT_EQ(grid_->CsvEdit->text(), QStringLiteral("/srv/prnsch.csv"));
    EXPECT_EQ(grid_->ComboBox1->count(), 4);
    EXPECT_EQ(grid_->ComboBox1->currentText(), QStringLiteral("入所"));
}

TEST_P(MonthTypeFormsTest, TheStaffChoiceAndTheTypeAreCheckedBeforeTheResultsAreRead) {
    addFixture();
    lum::ScriptedDialogs d;
    keitai_->show();
    keitai_->RadioButton1->click();
    EXPECT_TRUE(keitai_->Joken3Box->isEnabled());
    d.expect(MsgKind::Error, QStringLiteral("担当者を指定してください。"), MsgButton::Yes);
    EXPECT_FALSE(keitai_->PrepareKeitaiReport());
    // One staff member: only that member's results.
    keitai_->Joken3Box->setCurrentIndex(1);  // 102, 高
    ASSERT_TRUE(keitai_->PrepareKeitaiReport());
    ASSERT_EQ(keitai_->Report.Table.Rows.size(), 1u);
    EXPECT_EQ(keitai_->Report.Table.Rows[0].RihaType, 2);
    EXPECT_EQ(keitai_->frUserDataset(1).RangeEndCount, 1);
    keitai_->RadioButton2->click();
    EXPECT_FALSE(keitai_->Joken3Box->isEnabled());
    ASSERT_TRUE(keitai_->PrepareKeitaiReport());
    EXPECT_EQ(keitai_->Report.Table.Rows.size(), 4u);
    const int counts[] = {4, 1, 31, 31, 1, 31, 4};
    for (int n = 1; n <= 7; ++n) EXPECT_EQ(keitai_->frUserDataset(n).RangeEndCount, counts[n - 1]) << n;
    // A month without results.
    keitai_->Hizuke->clickUp();
    keitai_->Hizuke->clickUp();
    d.expect(MsgKind::Warning, QStringLiteral("条件に該当するデータがありません。"), MsgButton::Yes);
    EXPECT_FALSE(keitai_->PrepareKeitaiReport());

    grid_->show();
    grid_->ComboBox1->setCurrentIndex(-1);
    d.expect(MsgKind::Error, QStringLiteral("リハビリ形態を指定してください。"), MsgButton::Yes);
    EXPECT_FALSE(grid_->PrepareScheduleTypeReport());
    grid_->ComboBox1->setCurrentIndex(0);
    grid_->RadioButton1->click();
    d.expect(MsgKind::Error, QStringLiteral("担当者を指定してください。"), MsgButton::Yes);
    EXPECT_FALSE(grid_->PrepareScheduleTypeReport());
    grid_->RadioButton2->click();
    ASSERT_TRUE(grid_->PrepareScheduleTypeReport());
    EXPECT_EQ(grid_->Report.Grid.Rows.size(), 3u);
    const int gridCounts[] = {3, 1, 31, 31, 1, 31};
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(grid_->frUserDataset(n).RangeEndCount, gridCounts[n - 1]) << n;
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

TEST_P(MonthTypeFormsTest, BothCsvFilesHoldTheGoldenBytesForThirtyAndTwentyNineDays) {
    addFixture();
    module().FacilityName = QStringLiteral("介護老人保健施設 \"みどり苑\",本館");
    QTemporaryDir dir;
    keitai_->show();
    grid_->show();
    EXPECT_EQ(written(*keitai_, dir.filePath(QStringLiteral("k/june.txt"))), golden("keitai_2002_06.csv"));
    EXPECT_EQ(written(*grid_, dir.filePath(QStringLiteral("g/june.csv"))), golden("schedule_type_2002_06.csv"));
    stepTo(*keitai_, 2004, 2);
    stepTo(*grid_, 2004, 2);
    EXPECT_EQ(written(*keitai_, dir.filePath(QStringLiteral("k/feb.csv"))), golden("keitai_2004_02.csv"));
    EXPECT_EQ(written(*grid_, dir.filePath(QStringLiteral("g/feb.csv"))), golden("schedule_type_2004_02.csv"));
    if (qEnvironmentVariableIsSet("LUMORIND_PRINT_OUT")) {
        for (const char* f : {"k/june.csv", "g/june.csv", "k/feb.csv", "g/feb.csv"})
            QFile::copy(dir.filePath(QString::fromLatin1(f)),
                        outputFile(QString::fromLatin1(f).replace(u'/', u'-')));
    }
}

TEST_P(MonthTypeFormsTest, ThePathButtonStartsFromTheSettingAndLeavesTheEditAlone) {
    settings().Keitai = QStringLiteral("/srv/riha/形態別.csv");
    keitai_->show();
    keitai_->CsvEdit->setText(QStringLiteral("typed"));
    lum::ScriptedDialogs d;
    d.expectFile(lum::FileMode::Save, QString());  // cancelled
    keitai_->CSVSearchButton->click();
    ASSERT_EQ(d.fileRequests().size(), 1);
    EXPECT_EQ(d.fileRequests()[0].fileName, QStringLiteral("/srv/riha/形態別.csv"));
    EXPECT_EQ(keitai_->CsvEdit->text(), QStringLiteral("typed"));
    d.expectFile(lum::FileMode::Save, QStringLiteral("/srv/riha/6月.csv"));
    keitai_->CSVSearchButton->click();
    EXPECT_EQ(keitai_->CsvEdit->text(), QStringLiteral("/srv/riha/6月.csv"));
    EXPECT_EQ(settings().Keitai, QStringLiteral("/srv/riha/6月.csv"));
}

TEST_P(MonthTypeFormsTest, BothPrintoutsShowTheDaysMarksTotalsAndLegend) {
    if (!havePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    addFixture();
    keitai_->show();
    keitai_->PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(keitai_->frReport1->EMFPages.Count(), 1);
    lum::test::writePdf(keitai_->frReport1->EMFPages,
                        outputFile(QStringLiteral("keitai-%1.pdf").arg(isSqlite() ? "sqlite" : "pg")));
    const QString text = pdfText(outputFile(QStringLiteral("keitai-%1.pdf").arg(isSqlite() ? "sqlite" : "pg")));
    for (const char* expected : {"形態別実績一覧表", "平成14年06月度", "00000002 佐藤,花子", "通所リハビリ", "H14.04.01",
                                 "介護老人保健施設 みどり苑", "1400", "1020"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    // The day headings: June 2002 starts on a Saturday and has 30 days.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b1\\s+2\\s+3\\s+4\\b.*\\b29\\s+30\\s"))));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("土\\s+日\\s+月\\s+火\\s+水\\s+木\\s+金\\s+土"))));
    // The legend, its names split at the full-width blank.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("原\\s*職員\\s*10"))));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\b31\\b")))) << "June has no 31st";

    grid_->show();
    grid_->PrintButton->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(grid_->frReport1->EMFPages.Count(), 1);
    const QString gfile = outputFile(QStringLiteral("schedule-type-%1.pdf").arg(isSqlite() ? "sqlite" : "pg"));
    lum::test::writePdf(grid_->frReport1->EMFPages, gfile);
    const QString g = pdfText(gfile);
    for (const char* expected : {"月別リハビリ形態別実施一覧", "平成14年06月", "00000003 鈴木\"一\"", "合 計"})
        EXPECT_TRUE(g.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(g.contains(QRegularExpression(QStringLiteral("佐\\s*職員\\s*1\\b"))));
}

LUM_INSTANTIATE_DATABASE_TESTS(MonthTypeFormsTest);

}  // namespace
