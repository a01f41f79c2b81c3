#include "expr_fixture.h"

#include "report/expr/aggregate_counter.h"
#include "report/objects/band_view.h"

#include <gtest/gtest.h>

using namespace lum;
using lum::test::ExprFixture;
using lum::test::FakeDataSet;

namespace {

// A footer band and the data band being printed, as the band engine would show them.
struct FakeBands : AggregateBandAccess {
    int footerType = btGroupFooter;
    bool footerVisible = false;
    int valueCount = 0;
    QHash<QString, QString> values;
    QString current = QStringLiteral("MasterData1");
    bool currentVisible = true;
    bool cross = false;
    int column = 0;

    int aggregateBandType() override { return footerType; }
    bool aggregateBandVisible() override { return footerVisible; }
    int aggregateBandValueCount() override { return valueCount; }
    QString aggregateValue(const QString& key) override { return values.value(key); }
    void setAggregateValue(const QString& key, const QString& value) override { values.insert(key, value); }
    QString currentBandName() override { return current; }
    bool currentBandVisible() override { return currentVisible; }
    bool printingCrossCells() override { return cross; }
    int currentColumn() override { return column; }

    // What the band engine does before each data record reaches the footers.
    void nextRecord() {
        for (auto it = values.begin(); it != values.end(); ++it)
            if (it.value().startsWith(u'1')) it.value()[0] = u'0';
        ++valueCount;
    }
};

struct AggregateFixture : ExprFixture {
    FakeBands bands;
    AggregateCounter counter{lookup, &bands};
    AggregateFixture() { engine().Aggregates = &counter; }

    // Prints records with the footer collecting: every expression evaluated twice per
    // record (height measurement and writing), as the engine does.
    void collect(const QList<double>& records, const QStringList& expressions) {
        bands.footerVisible = false;
        for (double r : records) {
            bands.nextRecord();
            window.insert("V", ExprValue(r));
            for (int twice = 0; twice < 2; ++twice)
                for (const QString& e : expressions) EXPECT_EQ(text(e), QStringLiteral("0")) << e.toStdString();
        }
        bands.footerVisible = true;
    }
};

}  // namespace

TEST(AggregateCounter, BandModeCountsEachRecordOnce) {
    AggregateFixture f;
    const QStringList exprs{"SUM([V])", "AVG([V])", "MIN([V])", "MAX([V])", "COUNT(frUserDataset1)"};
    f.collect({5, 3, 8}, exprs);
    EXPECT_EQ(f.text("SUM([V])"), QStringLiteral("16"));
    EXPECT_EQ(f.text("AVG([V])"), QStringLiteral("5.33333333333333"));
    EXPECT_EQ(f.text("MIN([V])"), QStringLiteral("3"));
    EXPECT_EQ(f.text("MAX([V])"), QStringLiteral("8"));
    EXPECT_EQ(f.text("COUNT(frUserDataset1)"), QStringLiteral("3"));
    EXPECT_EQ(f.bands.values.value("SUM[V]"), QStringLiteral("116"));
}

TEST(AggregateCounter, AverageDividesByTheFooterRecordCount) {
    AggregateFixture f;
    f.collect({4, 6}, {"AVG([V])"});
    f.bands.valueCount = 4;  // the footer saw four records, two of them with the memo invisible
    EXPECT_EQ(f.text("AVG([V])"), QStringLiteral("2.5"));
    f.bands.valueCount = 0;
    EXPECT_EQ(f.text("AVG([V])"), QStringLiteral("0"));
}

TEST(AggregateCounter, OnlyTheNamedBandContributes) {
    AggregateFixture f;
    f.collect({1, 2}, {"SUM([V], 'MasterData1')", "SUM([V] * 10, 'DetailData1')"});
    EXPECT_EQ(f.text("SUM([V], 'MasterData1')"), QStringLiteral("3"));
    EXPECT_EQ(f.text("SUM([V] * 10, 'DetailData1')"), QStringLiteral("0"));  // nothing collected
}

TEST(AggregateCounter, InvisibleDataBandNeedsTheFlag) {
    AggregateFixture f;
    f.bands.currentVisible = false;
    f.collect({2, 5}, {"SUM([V], '', '1')", "SUM([V] + 0)"});
    EXPECT_EQ(f.text("SUM([V], '', '1')"), QStringLiteral("7"));
    EXPECT_EQ(f.text("SUM([V] + 0)"), QStringLiteral("0"));
}

TEST(AggregateCounter, NothingOutsideFootersAndCrossKeys) {
    AggregateFixture f;
    f.bands.footerType = btPageHeader;
    f.collect({2}, {"SUM([V])"});
    EXPECT_TRUE(f.bands.values.isEmpty());

    f.bands.footerType = btMasterFooter;
    f.bands.cross = true;
    f.bands.column = 3;
    f.collect({2}, {"SUM([V])"});
    EXPECT_EQ(f.bands.values.value("SUM[V]3"), QStringLiteral("12"));
    f.bands.footerType = btCrossFooter;
    f.collect({4}, {"SUM([V])"});
    EXPECT_EQ(f.bands.values.value("SUM[V]00"), QStringLiteral("14"));
}

TEST(AggregateCounter, DataSetModeWalksTheWholeDataSet) {
    struct WalkingHost : lum::test::FakeHost {
        QList<QHash<QString, ExprValue>> rows;
        int position = 1;  // the record the data set is on
        FakeDataSet ds;
        bool forEachRecord(ReportDataSet*, const std::function<void()>& visit) override {
            const int saved = position;
            for (position = 0; position < rows.size(); ++position) {
                ds.fields = rows[position];
                visit();
            }
            position = saved;
            return true;
        }
    };
    AggregateFixture f;
    WalkingHost host;
    host.dataSets.insert("frDB", &host.ds);
    host.rows = {{{"Fee", ExprValue(5)}}, {{"Fee", ExprValue::null()}}, {{"Fee", ExprValue(8.5)}}};
    f.lookup.Host = &host;
    f.bands.footerVisible = true;
    EXPECT_EQ(f.text("SUM(frDB.Fee)"), QStringLiteral("13.5"));
    EXPECT_EQ(f.text("AVG(frDB.Fee)"), QStringLiteral("4.5"));
    EXPECT_EQ(f.text("MIN(frDB.Fee)"), QStringLiteral("0"));
    EXPECT_EQ(f.text("MAX(frDB.\"Fee\")"), QStringLiteral("8.5"));
    EXPECT_EQ(f.text("COUNT(frDB)"), QStringLiteral("3"));
    EXPECT_EQ(f.text("SUM(frDB.NoSuchField)"), QStringLiteral("0"));
    EXPECT_EQ(host.position, 1);  // back on its record
    host.rows.clear();
    EXPECT_EQ(f.text("MIN(frDB.Fee)"), QStringLiteral("0"));  // not 1E200
    EXPECT_EQ(f.text("MAX(frDB.Fee)"), QStringLiteral("0"));
    f.bands.footerVisible = false;  // collecting: the data set is not walked
    host.rows = {{{"Fee", ExprValue(5)}}};
    EXPECT_EQ(f.text("SUM(frDB.Fee)"), QStringLiteral("0"));
}
