// The treatment plans in bulk on both backends, driven by control names on
// 2002/05/20: which plans 最新 and 全て list, the kana rows over them, the
// selection and its messages, two plans of one client printed with their own
// charts (the same pictures the plan window prints), a plan without marks,
// a plan deleted after the list was read, and a Cancel in the middle.
#include "printing/print_riha_form.h"

#include "clients/person_store.h"
#include "plans/body_chart.h"
#include "plans/cure_plan_form.h"
#include "plans/cure_plan_values.h"
#include "plans/open_document_dialog.h"
#include "plans/plan_store.h"
#include "plan_print_fixture.h"
#include "report/objects/picture_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

using lum::ChartSide;
using lum::Corner;
using lum::MarkKind;
using lum::MsgButton;
using lum::MsgKind;
using lum::TDateTime;

class PrintRihaFormTest : public lum::test::PlanPrintTest<TPrintRihaForm> {
protected:
    PrintRihaFormTest() : PlanPrintTest("PlanNo") {}
    void SetUp() override {
        PrintWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        clientBase_.Disease = {QStringLiteral("脳梗塞後遺症"), {}, {}, {}, {}, {}};
        yamada_ = addClient(QStringLiteral("山田　花子"), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"), 0, 1 | 8);
        kato_ = addClient(QStringLiteral("加藤　一郎"), QStringLiteral("ｶﾄｳ ｲﾁﾛｳ"), 2, 2);
        kimura_ = addClient(QStringLiteral("木村　京子"), QStringLiteral("ｷﾑﾗ ｷｮｳｺ"), 1, 0);
        sato_ = addClient(QStringLiteral("佐藤　三郎"), QStringLiteral("ｻﾄｳ ｻﾌﾞﾛｳ"), 3, 4);
        lum::BodyChart first;
        first.side(ChartSide::Front).marks[int(MarkKind::JointRange)] = {QPoint(30, 40)};
        first.side(ChartSide::Front).overlays[int(Corner::UpperLeft)] = true;
        lum::BodyChart second;
        second.side(ChartSide::Back).marks[int(MarkKind::Pain)] = {QPoint(50, 60), QPoint(20, 150)};
        second.side(ChartSide::Back).overlays[int(Corner::LowerRight)] = true;
        planA_ = addPlan(yamada_, TDateTime::fromYmd(2002, 3, 1), QStringLiteral("計画Ａの所見"), first);
        planB_ = addPlan(yamada_, TDateTime::fromYmd(2002, 5, 1), QStringLiteral("計画Ｂの所見"), second);
        // On the first day of the month three months back: not recent.
        planC_ = addPlan(kato_, TDateTime::fromYmd(2002, 2, 1), QStringLiteral("計画Ｃの所見"), {});
        planD_ = addPlan(kimura_, TDateTime::fromYmd(2002, 2, 2), QStringLiteral("計画Ｄの所見"), first);
        planE_ = addPlan(sato_, TDateTime::fromYmd(2001, 11, 1), QStringLiteral("計画Ｅの所見"), second);
        makeForm();
    }

    int addPlan(int cureNo, TDateTime start, const QString& sonota, const lum::BodyChart& chart) {
        const TPerson p = *lum::PersonStore(db()).find(cureNo);
        lum::TPlan plan;
        plan.CureNo = cureNo;
        plan.PlanRegistDay = start;
        plan.PlanEndDay = lum::DefaultEndDate(start);
        plan.Name = p.Name;
        plan.Sex = p.Sex;
        plan.Birth = p.Birth;
        plan.RihaType = p.RihaType;
        plan.KubunCode = p.KubunCode;
        plan.Disease = p.Disease;
        plan.Body.Sonota = sonota;
        plan.Body.Mondaiten[0] = QStringLiteral("立位保持が不安定");
        return lum::PlanStore(db()).SavePlan(plan, lum::figureRows(chart), QStringLiteral("職員"), start);
    }

    QVector<int> selected() const {
        QVector<int> n;
        for (const QSqlRecord& r : form_->List->selectedRows()) n << r.value(QStringLiteral("PlanNo")).toInt();
        return n;
    }
    // The texts printed on a page, joined, and its body-chart picture.
    static QString pageText(lum::TfrReport& report, int page) {
        QStringList out;
        for (const auto& v : report.EMFPages.GetPage(page).objects()) out << v->Memo.join(u'\n');
        return out.join(u'|');
    }
    static QImage pageChart(lum::TfrReport& report, int page) {
        for (const auto& v : report.EMFPages.GetPage(page).objects())
            if (auto* picture = dynamic_cast<lum::TfrPictureView*>(v.get()); picture && !picture->isEmpty())
                return picture->image().convertToFormat(QImage::Format_RGB32);
        return {};
    }
    // The chart the treatment plan window prints for a stored plan, opened
    // through its own open dialog.
    QImage planWindowChart(int cureNo, int planNo, TDateTime start) {
        TCurePlanForm window;
        window.TemplateDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        window.show();
        lum::HeadlessReportUi ui;
        window.frReport1.Ui = &ui;
        lum::ScriptedDialogs d;
        d.expectModal(QStringLiteral("TGetCurePlanForm"), [cureNo, start](QDialog& dialog) {
            auto& open = static_cast<TGetDocumentForm&>(dialog);
            open.CureNoEdit->setText(QString::number(cureNo));
            open.ConFirmButton->click();
            if (open.result() == QDialog::Accepted) return open.result();
            for (int r = 0; r < open.DBGrid1->rowCount(); ++r)
                if (open.DBGrid1->item(r, 0)->text() == start.toDateText()) open.DBGrid1->setCurrentCell(r, 0);
            open.DecideButtonClick();
            return open.result();
        });
        window.OpenToolButton->click();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(window.Plan.PlanNo, planNo);
        window.PrintToolButton->click();
        EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join(u' ').toStdString();
        const QImage chart = window.frReport1.EMFPages.Count() == 1 ? pageChart(window.frReport1, 0) : QImage();
        window.DocChanged = false;
        delete GetCurePlanForm;
        return chart;
    }

    int yamada_ = 0, kato_ = 0, kimura_ = 0, sato_ = 0;
    int planA_ = 0, planB_ = 0, planC_ = 0, planD_ = 0, planE_ = 0;
};

TEST_P(PrintRihaFormTest, RecentAndAllListThePlansInKanaOrder) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("リハビリ治療計画書（印刷）"));
    // Shown: nothing listed, the list's buttons off, the second column on.
    EXPECT_FALSE(f().List->isLoaded());
    for (const char* name : {"ABtn", "WBtn", "AllDispBtn", "AllSelectBtn", "EraseBtn", "PrintBtn"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    for (const char* name : {"NewBtn", "AllBtn", "NewBtn2", "AllBtn2", "AllSelectBtn2", "EraseBtn2", "ReturnButton2"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;

    struct Case {
        const char* button;
        QVector<int> plans;
    };
    // 最新 on 2002/05/20: plans begun after 2002/02/01; a client with two plans twice.
    const Case cases[] = {{"NewBtn", {planD_, planA_, planB_}},
                          {"AllBtn", {planC_, planD_, planE_, planA_, planB_}},
                          {"NewBtn2", {planD_, planA_, planB_}},
                          {"AllBtn2", {planC_, planD_, planE_, planA_, planB_}}};
    for (const Case& c : cases) {
        button(c.button)->click();
        EXPECT_EQ(listed(), c.plans) << c.button;
    }
    for (const char* name : {"ABtn", "WBtn", "AllDispBtn", "AllSelectBtn", "EraseBtn", "PrintBtn"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    // The grid: eight digits, the name, the short era date, type and categories.
    EXPECT_EQ(cell(1, 0), QStringLiteral("%1").arg(kimura_, 8, 10, QChar(u'0')));
    EXPECT_EQ(cell(1, 1), QStringLiteral("木村　京子"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("H14.02.02"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("短期入所"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("認知症 "));
    f().List->DBGrid1->selectRow(2);
    shot(f(), QStringLiteral("print-riha"));
}

TEST_P(PrintRihaFormTest, AKanaRowChosenBeforeRecentStaysAndAllClearsIt) {
    button("AllBtn")->click();
    button("KBtn")->click();  // ｶﾄｳ, ｷﾑﾗ
    EXPECT_EQ(listed(), (QVector<int>{planC_, planD_}));
    button("NewBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{planD_}));
    button("AllBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{planC_, planD_, planE_, planA_, planB_}));
    button("YBtn")->click();
    EXPECT_EQ(listed(), (QVector<int>{planA_, planB_}));
    button("AllDispBtn")->click();
    EXPECT_EQ(listed().size(), 5);
}

TEST_P(PrintRihaFormTest, SelectAllTakesTheShownRowsAndNoSelectionIsTold) {
    {
        // Nothing listed yet.
        lum::ScriptedDialogs d;
        d.expect(MsgKind::Information, QStringLiteral("選択データがありません。"), MsgButton::Ok);
        f().PrintBtnClick();
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    }
    button("AllBtn")->click();
    button("KBtn")->click();
    button("AllSelectBtn")->click();
    EXPECT_EQ(selected(), (QVector<int>{planC_, planD_}));
    button("EraseBtn2")->click();
    EXPECT_TRUE(selected().isEmpty());
    button("AllSelectBtn2")->click();
    EXPECT_EQ(selected(), (QVector<int>{planC_, planD_}));
    button("EraseBtn")->click();
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("選択データがありません。"), MsgButton::Ok);
    button("PrintBtn")->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(f().frReport1.EMFPages.Count(), 0);
}

TEST_P(PrintRihaFormTest, TwoPlansOfOneClientPrintTwoCopiesWithTheirOwnCharts) {
    button("AllBtn")->click();
    button("YBtn")->click();
    button("AllSelectBtn")->click();
    button("PrintBtn")->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    EXPECT_EQ(ui_.previews, QStringList{QStringLiteral("Preview - リハビリ治療計画書（印刷）")});
    EXPECT_EQ(progress_.captions.value(0), QStringLiteral("Report preparing - リハビリ治療計画書（印刷）"));
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 2);
    const QString first = pageText(f().frReport1, 0);
    const QString second = pageText(f().frReport1, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("計画Ａの所見")));
    EXPECT_FALSE(first.contains(QStringLiteral("計画Ｂの所見")));
    EXPECT_TRUE(second.contains(QStringLiteral("計画Ｂの所見")));
    EXPECT_TRUE(second.contains(QStringLiteral("山田　花子")));
    const QImage chartA = pageChart(f().frReport1, 0);
    const QImage chartB = pageChart(f().frReport1, 1);
    ASSERT_EQ(chartA.size(), lum::ChartImageSize);
    EXPECT_NE(chartA, chartB);
    // After printing the list is empty until it is read again.
    EXPECT_FALSE(f().List->isLoaded());
    EXPECT_EQ(f().List->rowCount(), 0);
    // The plan window prints the same pictures.
    EXPECT_EQ(planWindowChart(yamada_, planA_, TDateTime::fromYmd(2002, 3, 1)), chartA);
    EXPECT_EQ(planWindowChart(yamada_, planB_, TDateTime::fromYmd(2002, 5, 1)), chartB);
}

TEST_P(PrintRihaFormTest, APlanWithoutMarksPrintsTheBarePictures) {
    button("AllBtn")->click();
    button("KBtn")->click();
    f().List->DBGrid1->selectRow(0);  // 加藤's plan: no Figure rows
    button("PrintBtn")->click();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 1);
    EXPECT_TRUE(pageText(f().frReport1, 0).contains(QStringLiteral("計画Ｃの所見")));
    EXPECT_EQ(pageChart(f().frReport1, 0), lum::renderBodyChart({}).convertToFormat(QImage::Format_RGB32));
}

TEST_P(PrintRihaFormTest, APlanDeletedAfterTheListPrintsNothingOfAnother) {
    button("AllBtn")->click();
    button("YBtn")->click();
    button("AllSelectBtn")->click();
    lum::PlanStore(db()).DeletePlan(planA_);
    button("PrintBtn")->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 2);
    EXPECT_FALSE(pageText(f().frReport1, 0).contains(QStringLiteral("山田")));
    EXPECT_EQ(pageChart(f().frReport1, 0), lum::renderBodyChart({}).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(pageText(f().frReport1, 1).contains(QStringLiteral("計画Ｂの所見")));
}

TEST_P(PrintRihaFormTest, CancelStopsAfterThePlanInHandAndShowsThePagesMade) {
    button("AllBtn")->click();
    button("AllSelectBtn")->click();
    // The labels: the window's first, then per plan its start, its page and its end.
    progress_.cancelAtLabel = 5;  // as the second plan starts
    button("PrintBtn")->click();
    ASSERT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(u' ').toStdString();
    EXPECT_EQ(ui_.previews.size(), 1);
    ASSERT_EQ(f().frReport1.EMFPages.Count(), 2) << progress_.labels.join(u'|').toStdString();
    EXPECT_TRUE(pageText(f().frReport1, 0).contains(QStringLiteral("計画Ｃの所見")));
    EXPECT_TRUE(pageText(f().frReport1, 1).contains(QStringLiteral("計画Ｄの所見")));
    EXPECT_FALSE(f().List->isLoaded());
}

TEST(RecentPlans, StartTheDayAfterTheFirstOfTheMonthThreeMonthsBack) {
    struct Case {
        QDate today;
        QDate from;
    };
    const Case cases[] = {{{2002, 5, 20}, {2002, 2, 2}},
                          {{2002, 5, 31}, {2002, 2, 2}},
                          {{2002, 5, 1}, {2002, 2, 2}},
                          {{2002, 1, 31}, {2001, 10, 2}},
                          {{2004, 3, 15}, {2003, 12, 2}}};
    for (const Case& c : cases)
        EXPECT_EQ(lum::recentPlansFrom(c.today), TDateTime::fromDate(c.from)) << c.today.toString().toStdString();
}

LUM_INSTANTIATE_DATABASE_TESTS(PrintRihaFormTest);

}  // namespace
