// The layout of the four printouts prepared from the database through their
// print windows (the clients without plans, the plan deadlines, the results
// per type and the month grid), on both backends: the facility holds the
// longest values the windows and their tables accept, enough rows for a full
// first page and a page break, and each window's own print road prepares the
// pages; support/page_layout.h reads them back object by object (every text
// inside its box with 1 mm to the frame lines beside it, no two texts
// overlapping). Set LUMORIND_PRINT_OUT to a folder to keep the pages as PDF
// files and look at them.
#include "print_fixture.h"
#include "support/longest_values.h"
#include "support/page_layout.h"

#include "common/db/sql_date.h"
#include "plans/print_outstanding_form.h"
#include "printing/print_keitai_form.h"
#include "printing/print_limit_riha_form.h"
#include "printing/print_schedule_type_form.h"
#include "report/engine/tfr_report.h"
#include "results/cure_results_store.h"

#include <QComboBox>
#include <QPushButton>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

using lum::TDateTime;

// The longest client name (20 code page 932 bytes of the widest characters,
// as the registration takes a name), the longest staff name the setup tool
// accepts (30 characters), marks of two full-width characters; the longest
// facility name the setup tool accepts.
const QString kName = lum::test::longestClient().Name;
const QString kStaffName = lum::test::longestStaffName();
const QString kFacility = lum::test::longestFacilityName();  // 60 characters
constexpr int kStaff = 16;       // as many as the legends print
constexpr int kTopCureNo = 99999999;
constexpr int kType = 2;         // 通所リハビリ: the longest type name (with 訪問リハビリ)
constexpr int kKubun = 15;       // all four categories: the longest category text
// More rows than a page holds: 39 lines of the portrait lists, 17 rows of
// the results per type, 32 of the month grid.
constexpr int kListed = 45;
constexpr int kResultClients = 35;

TDateTime day(int d, int h = 0, int m = 0) { return TDateTime::fromYmdHms(2018, 12, d, h, m); }
TDateTime timeOfDay(int h, int m) { return TDateTime((h * 60 + m) / 1440.0); }
QString mark(int staff) { return QString(2, QChar(u"鷹鷲鳳鵬麟龍鶴鸞鷺鸚鵡鶯鶏鴎鷸鶚"[staff])); }

testing::AssertionResult readsRight(const QStringList& faults) {
    if (faults.isEmpty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << faults.size() << " faults:\n" << faults.join(u'\n').toStdString();
}

class PrintoutLayoutDbTest : public lum::test::PrintWindowTest {
protected:
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // 平成30年12月28日: the widest era date, in a month of 31 days.
        clock_.set(QDateTime(QDate(2018, 12, 28), QTime(23, 59)));
        module().FacilityName = kFacility;
        lum::db::inTransaction(db(), [&] {
            for (int i = 0; i < kStaff; ++i) {
                QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName, KIGO) VALUES (?, ?, ?)"));
                q.addBindValue(101 + i);
                q.addBindValue(kStaffName);
                q.addBindValue(mark(i));
                db().exec(q);
            }
        });
    }

    // `count` clients of eight-digit numbers, the longest name, in care
    // since the widest date; their readings differ (the month grid has a
    // row per reading).
    void addClients(int count) {
        lum::db::inTransaction(db(), [&] {
            for (int i = 0; i < count; ++i) {
                QSqlQuery q = db().prepare(QStringLiteral(
                    "INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, NYUSHOBI_YMD, TAISHOBI_YMD) "
                    "VALUES (:no, :name, :kana, :type, :kubun, :in, :out)"));
                q.bindValue(QStringLiteral(":no"), kTopCureNo - i);
                q.bindValue(QStringLiteral(":name"), kName);
                q.bindValue(QStringLiteral(":kana"), QStringLiteral("ﾀｶﾜｼﾎｳﾎｳﾘﾝ ﾘｭｳﾂﾙ%1").arg(i, 3, 10, QChar(u'0')));
                q.bindValue(QStringLiteral(":type"), kType);
                q.bindValue(QStringLiteral(":kubun"), kKubun);
                lum::db::bindDate(q, QStringLiteral(":in"), day(28));
                lum::db::bindDate(q, QStringLiteral(":out"), TDateTime());
                db().exec(q);
            }
        });
    }

    // A treatment plan of each of `count` clients, older than three months.
    void addOldPlans(int count) {
        lum::db::inTransaction(db(), [&] {
            for (int i = 0; i < count; ++i) {
                QSqlQuery q = db().prepare(QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay) VALUES (:c, :d)"));
                q.bindValue(QStringLiteral(":c"), kTopCureNo - i);
                lum::db::bindDate(q, QStringLiteral(":d"), TDateTime::fromYmd(2018, 9, 27));
                db().exec(q);
            }
        });
    }

    // Results on every day of December for `count` clients, each with its
    // own mark, starting at 23:59. The first client has two a day making a
    // whole day of minutes (1440); the others 250 each, so a day's total
    // stays at four digits (9940 for 35 clients).
    void addResults(int count) {
        lum::db::inTransaction(db(), [&] {
            lum::CureResultsStore store(db());
            for (int i = 0; i < count; ++i) {
                for (int d = 1; d <= 31; ++d) {
                    lum::CureResult r;
                    r.CureDate = day(d);
                    r.CureNo = kTopCureNo - i;
                    r.RihaType = kType;
                    r.KubunCode = kKubun;
                    r.StuffCode = 101 + (i + d) % kStaff;
                    r.StuffName = kStaffName;
                    r.StuffKigo = mark((i + d) % kStaff);
                    r.RStartTime = timeOfDay(23, 59);
                    r.RMinute = i == 0 ? 999 : 250;
                    r.Name = kName;
                    r.Kana = QStringLiteral("ﾀｶﾜｼﾎｳﾎｳﾘﾝ ﾘｭｳﾂﾙ%1").arg(i, 3, 10, QChar(u'0'));
                    r.NYUSHOBI_YMD = day(28);
                    store.insert(r);
                    if (i == 0) {
                        r.RMinute = 1440 - 999;
                        store.insert(r);
                    }
                }
            }
        });
    }

    // The faults of the pages the window's print button prepared; at least
    // two pages asked for (a full page and a page break).
    QStringList printedFaults(lum::TfrReport& report, QPushButton* print, const QString& name) {
        report.Ui = &ui_;
        print->click();
        EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
        lum::TfrEMFPages& pages = report.EMFPages;
        EXPECT_GE(pages.Count(), 2) << name.toStdString();
        if (qEnvironmentVariableIsSet("LUMORIND_PRINT_OUT"))
            writePdf(pages, outputFile(QStringLiteral("layout-%1-%2.pdf").arg(name, isSqlite() ? "sqlite" : "pg")));
        pageCount_ = pages.Count();
        clientNames_ = lum::test::namesPrintedFromTheStart(pages, lum::test::kClientNameStart);
        staffNames_ = lum::test::namesPrintedFromTheStart(pages, lum::test::kStaffNameStart);
        return lum::test::layoutFaults(pages, name) + lum::test::scaleFaults(pages, name);
    }

    // A kana-row list window's treatment-plan list, printed.
    template <class ListForm>
    QStringList listFaults(const QString& name) {
        ListForm form;
        form.show();
        form.PlanBtn->click();
        EXPECT_EQ(form.List->rowCount(), kListed);
        return printedFaults(form.frReport1, form.PrintBtn, name);
    }

    lum::HeadlessReportUi ui_;
    // Of the last pages printed: how many, and how many times they print the
    // client's and a staff member's name from its start.
    int pageCount_ = 0;
    int clientNames_ = 0;
    int staffNames_ = 0;
};

TEST_P(PrintoutLayoutDbTest, ClientsWithoutPlans) {
    addClients(kListed);
    EXPECT_TRUE(readsRight(listFaults<TPrintOutstandingForm>(QStringLiteral("OutStandingList"))));
    EXPECT_EQ(clientNames_, kListed);
}

TEST_P(PrintoutLayoutDbTest, PlanDeadlines) {
    addClients(kListed);
    addOldPlans(kListed);
    EXPECT_TRUE(readsRight(listFaults<TPrintLimitRihaForm>(QStringLiteral("PrintLimit"))));
    EXPECT_EQ(clientNames_, kListed);
}

TEST_P(PrintoutLayoutDbTest, ResultsPerType) {
    addResults(kResultClients);
    TPrintKeitaiForm form;
    form.show();
    EXPECT_TRUE(readsRight(printedFaults(*form.frReport1, form.PrintButton, QStringLiteral("PrintKeitai"))));
    EXPECT_EQ(clientNames_, kResultClients);
    EXPECT_EQ(staffNames_, kStaff * pageCount_);  // the legend at each page's foot
}

TEST_P(PrintoutLayoutDbTest, MonthGrid) {
    addResults(kResultClients);
    TPrintScheduleTypeForm form;
    form.show();
    form.ComboBox1->setCurrentIndex(kType);
    EXPECT_TRUE(readsRight(printedFaults(*form.frReport1, form.PrintButton, QStringLiteral("PrintScheduleType"))));
    EXPECT_EQ(clientNames_, kResultClients);
    EXPECT_EQ(staffNames_, kStaff * pageCount_);  // the legend at each page's foot
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintoutLayoutDbTest);

}  // namespace
