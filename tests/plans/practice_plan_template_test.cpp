// "PracticePlan.frf" as built from its description: one plan prints on two
// pages (the tables as one line per record of the two table sources, the
// texts and the team on the second), and a bulk run over a source of its own
// (rtMultiple, one record a plan) prints two pages per plan, each with its
// plan's values.
#include "plans/practice_plan_values.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"

#include <gtest/gtest.h>

#include <QDir>

#include <map>
#include <vector>

namespace {

using lum::ExprValue;
using lum::TDateTime;
using lum::TPracticePlan;

TPracticePlan plan(const QString& name) {
    TPracticePlan p;
    p.PlanDate = TDateTime::fromYmd(2024, 1, 31);
    p.UserName = name;
    p.Birth = TDateTime::fromYmd(1940, 4, 1);
    p.Kaigodo = 2;
    p.HomeBox = true;
    p.Exercise = true;
    p.ExerciseMemo = QStringLiteral("右片麻痺");
    p.HDSR = 21;
    for (int number : lum::PracticeRowNumbers) {
        lum::TPracticeRow& r = p.row(number);
        r.ABC = {QStringLiteral("　"), QStringLiteral("AB\nC"), QStringLiteral("　"), QStringLiteral("　"),
                 QStringLiteral("　")};
        r.Goods = QStringLiteral("用具%1").arg(number);
        r.Kaigo = QStringLiteral("介護%1").arg(number);
        r.Time = QStringLiteral(" %1ヵ月").arg(number);
        r.Special = 1;
    }
    p.PTOTST0 = QStringLiteral("歩行訓練");
    p.Jitchi1 = QStringLiteral("右肩に注意");
    p.SelfHope = QStringLiteral("自宅に帰りたい");
    p.Remark = QStringLiteral("備考の欄");
    p.Team[0] = 3;
    p.Team[12] = 5;
    return p;
}

QString stuffName(int code) {
    return code == 3 ? QStringLiteral("佐藤　医師") : code == 5 ? QStringLiteral("田中　相談") : QString();
}

class PracticePlanTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        for (lum::TfrUserDataset* ds : {&ds1_, &ds2_, &ds3_}) {
            ds->RangeEnd = lum::reCount;
            components_.addDataSource(ds);
        }
        ds1_.RangeEndCount = lum::PracticeFirstSourceRecords;
        ds2_.RangeEndCount = lum::PracticeSecondSourceRecords;
        report_.Ui = &ui_;
        report_.ShowProgress = false;
        report_.ReportType = lum::rtMultiple;
        ASSERT_TRUE(report_.LoadTemplateFromFile(QDir(QStringLiteral(LUMORIND_TEMPLATE_DIR)).filePath("PracticePlan.frf")));
    }
    void TearDown() override {
        for (lum::TfrUserDataset* ds : {&ds1_, &ds2_, &ds3_}) components_.remove(ds->Name);
    }
    // Answers from plans[k] while the bulk source stands at record k.
    void answerFrom(const std::vector<TPracticePlan>& plans) {
        report_.OnGetValue = [this, &plans](const QString& name, ExprValue& value) {
            const TPracticePlan& p = plans.at(size_t(report_.Dataset ? ds3_.RecNo() : 0));
            const lum::PracticePlanPrint print{p, ds1_.RecNo(), ds2_.RecNo(), stuffName};
            if (std::optional<ExprValue> v = lum::practicePlanValue(print, name)) value = *v;
        };
    }
    // The texts printed by the template object of that name on a page, top
    // to bottom (prepared objects keep their template's left edge and width).
    // table: 0 or 1 for a column of the tables, which share their columns
    // (the first table's lines come first); -1 for any other object.
    std::vector<QString> column(int page, const QString& name, int table = -1) {
        const lum::TfrView* tpl = report_.FindObject(name);
        EXPECT_TRUE(tpl) << name.toStdString();
        if (!tpl) return {};
        std::multimap<int, QString> byTop;
        for (const auto& v : report_.EMFPages.GetPage(page).objects())
            if (v->Left == tpl->Left && v->Width == tpl->Width && v->Height == tpl->Height && v->Typ == tpl->Typ)
                byTop.emplace(v->Top, v->Memo.join(u'\n'));
        std::vector<QString> out;
        for (const auto& [top, text] : byTop) out.push_back(text);
        if (table == 0 && out.size() > 15) out.resize(15);
        if (table == 1 && out.size() > 8) out.erase(out.begin(), out.end() - 8);
        return out;
    }
    QStringList pageText(int page) {
        QStringList out;
        for (const auto& v : report_.EMFPages.GetPage(page).objects()) out << v->Memo.join(u'\n');
        return out;
    }

    lum::ReportComponents components_{QStringLiteral("PracticePlanTemplateTest")};
    lum::TfrUserDataset ds1_{QStringLiteral("frUserDataset1")};
    lum::TfrUserDataset ds2_{QStringLiteral("frUserDataset2")};
    lum::TfrUserDataset ds3_{QStringLiteral("frUserDataset3")};
    lum::HeadlessReportUi ui_;
    lum::TfrReport report_{&components_};
};

TEST_F(PracticePlanTemplate, OnePlanPrintsOnTwoPagesWithBothTablesLineByLine) {
    const std::vector<TPracticePlan> plans{plan(QStringLiteral("山田　花子"))};
    answerFrom(plans);
    ASSERT_TRUE(report_.Prepare());
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(report_.EMFPages.Count(), 2);

    // The first table: rows 0-3, a blank line, rows 4-12, a blank line.
    const std::vector<QString> items = column(0, QStringLiteral("Item0"), 0);
    const std::vector<QString> goods = column(0, QStringLiteral("Goods0"), 0);
    const std::vector<QString> times = column(0, QStringLiteral("Time0"), 0);
    ASSERT_EQ(items.size(), 15u);
    ASSERT_EQ(goods.size(), 15u);
    const int rowOfRecord[15] = {0, 1, 2, 3, -1, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1};
    for (int rec = 0; rec < 15; ++rec) {
        const int row = rowOfRecord[rec];
        EXPECT_EQ(items[size_t(rec)].trimmed(), row < 0 ? QString() : lum::practiceRowItem(row)) << rec;
        EXPECT_EQ(goods[size_t(rec)], row < 0 ? QStringLiteral(" ") : QStringLiteral("用具%1").arg(row)) << rec;
        EXPECT_EQ(times[size_t(rec)], row < 0 ? QStringLiteral(" ") : QStringLiteral(" %1ヵ月").arg(row)) << rec;
    }
    // The second table: rows 20-27; a level cell keeps its two lines.
    const std::vector<QString> kaigo = column(0, QStringLiteral("Kaigo1"), 1);
    ASSERT_EQ(kaigo.size(), 8u);
    EXPECT_EQ(kaigo.front(), QStringLiteral("介護20"));
    EXPECT_EQ(kaigo.back(), QStringLiteral("介護27"));
    const std::vector<QString> cells = column(0, QStringLiteral("ABC12"), 1);
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells.front(), QStringLiteral("AB\nC"));
    EXPECT_EQ(column(0, QStringLiteral("Spacial1"), 1).back(), QStringLiteral("○"));
    // The table memos once each, below their tables.
    const std::vector<QString> ptotst = column(0, QStringLiteral("PTOTST0"));
    const std::vector<QString> jitchi = column(0, QStringLiteral("Jitchi1"));
    EXPECT_EQ(ptotst, (std::vector<QString>{QStringLiteral("歩行訓練"), QString()}));
    EXPECT_EQ(jitchi, (std::vector<QString>{QString(), QStringLiteral("右肩に注意")}));
    const QStringList first = pageText(0);
    EXPECT_TRUE(first.contains(QStringLiteral(" 山田　花子 様")));
    EXPECT_TRUE(first.contains(QStringLiteral("ＨＤＳ－Ｒ　21　点")));
    EXPECT_TRUE(first.contains(QStringLiteral("右片麻痺")));

    // The second page: the texts and the team.
    const QStringList second = pageText(1);
    EXPECT_TRUE(second.contains(QStringLiteral("自宅に帰りたい")));
    EXPECT_TRUE(second.contains(QStringLiteral("備考の欄")));
    EXPECT_TRUE(second.contains(QStringLiteral(" 佐藤　医師")));
    EXPECT_TRUE(second.contains(QStringLiteral(" 田中　相談")));
    EXPECT_FALSE(second.contains(QStringLiteral("用具0")));
}

TEST_F(PracticePlanTemplate, ABulkRunPrintsEachPlanOnItsOwnTwoPages) {
    const std::vector<TPracticePlan> plans{plan(QStringLiteral("山田　花子")), plan(QStringLiteral("佐藤　一郎")),
                                           plan(QStringLiteral("鈴木　次郎"))};
    answerFrom(plans);
    ds3_.RangeEndCount = 3;
    report_.Dataset = &ds3_;
    ASSERT_TRUE(report_.Prepare());
    EXPECT_TRUE(ui_.errors.isEmpty()) << ui_.errors.join(", ").toStdString();
    ASSERT_EQ(report_.EMFPages.Count(), 6);
    for (int k = 0; k < 3; ++k) {
        const QString name = QStringLiteral(" %1 様").arg(plans[size_t(k)].UserName);
        EXPECT_TRUE(pageText(2 * k).contains(name)) << k;
        EXPECT_TRUE(pageText(2 * k + 1).contains(name)) << k;
        EXPECT_EQ(column(2 * k, QStringLiteral("Goods0"), 0).size(), 15u) << k;
        EXPECT_EQ(column(2 * k, QStringLiteral("Goods1"), 1).size(), 8u) << k;
    }
}

}  // namespace
