// Data sources: the count/event state machine, database data sources over a
// data set (ranges, bookmarks, missing data set) and the Qt SQL adapter.
#include "report/data/memory_data_set.h"
#include "report/data/report_components.h"
#include "report/data/sql_query_data_set.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace lum;

namespace {

QStringList walk(TfrDataset& ds, ReportDataSet& data, const QString& field) {
    QStringList out;
    ds.Open();
    for (ds.First(); !ds.IsEof(); ds.Next()) out.append(data.fieldValue(field).toString());
    ds.Close();
    return out;
}

MemoryDataSet numbers(int n) {
    MemoryDataSet d;
    d.columns = {QStringLiteral("N")};
    for (int i = 1; i <= n; ++i) d.rows.append({ExprValue(i)});
    return d;
}

}  // namespace

TEST(UserDataset, CountsRecordsAndLetsTheWindowDecideTheEnd) {
    TfrUserDataset ds;
    EXPECT_FALSE(ds.IsEof());  // reLast without an event never ends by itself
    ds.RangeEnd = reCount;
    ds.RangeEndCount = 0;
    ds.First();
    EXPECT_TRUE(ds.IsEof());
    ds.RangeEndCount = 2;
    int firsts = 0, nexts = 0;
    ds.OnFirst = [&](TfrDataset*) { ++firsts; };
    ds.OnNext = [&](TfrDataset*) { ++nexts; };
    ds.First();
    EXPECT_EQ(ds.RecNo(), 0);
    ds.Next();
    EXPECT_FALSE(ds.IsEof());
    ds.Next();
    EXPECT_TRUE(ds.IsEof());
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(firsts, 1);
    EXPECT_EQ(nexts, 2);
    ds.OnCheckEOF = [](TfrDataset*, bool& eof) { eof = !eof; };
    EXPECT_FALSE(ds.IsEof());
}

TEST(DBDataSet, WalksTheDataSetWithinItsRange) {
    MemoryDataSet data = numbers(4);
    TfrDBDataSet ds(QStringLiteral("frDBDataSet1"));
    ds.DataSet = &data;
    EXPECT_EQ(walk(ds, data, QStringLiteral("n")), QStringList({"1", "2", "3", "4"}));

    // From the current record on, and back to it afterwards.
    data.open();
    data.first();
    data.next();
    data.next();
    ds.RangeBegin = rbCurrent;
    EXPECT_EQ(walk(ds, data, QStringLiteral("N")), QStringList({"3", "4"}));
    EXPECT_EQ(data.position(), 2);

    // Only the current record.
    ds.RangeBegin = rbCurrent;
    ds.RangeEnd = reCurrent;
    EXPECT_EQ(walk(ds, data, QStringLiteral("N")), QStringList({"3"}));
    EXPECT_EQ(data.position(), 2);
}

TEST(DBDataSet, WithoutADataSetItRaisesNamingItself) {
    TfrDBDataSet ds(QStringLiteral("frDBDataSet7"));
    try {
        ds.Open();
        FAIL() << "no error";
    } catch (const EDSError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to open dataset frDBDataSet7"));
    }
}

TEST(DBDataSet, WalksTheDataSetOfItsLinkAndKeepsTheTwoExclusive) {
    MemoryDataSet own = numbers(1);
    MemoryDataSet linked = numbers(3);
    TDataSource link(&linked);
    TfrDBDataSet ds(QStringLiteral("frDBDataSet1"));
    ds.SetDataSet(&own);
    ds.SetDataSource(&link);
    EXPECT_EQ(ds.DataSet, nullptr);
    EXPECT_EQ(ds.dataSet(), &linked);
    EXPECT_EQ(walk(ds, linked, QStringLiteral("N")), QStringList({"1", "2", "3"}));

    // A link without a data set leaves the data source without one.
    TDataSource empty;
    ds.SetDataSource(&empty);
    EXPECT_THROW(ds.Open(), EDSError);
    // An empty link keeps the data set; naming a data set drops the link.
    ds.SetDataSource(nullptr);
    ds.SetDataSet(&own);
    ds.SetDataSource(nullptr);
    EXPECT_EQ(ds.dataSet(), &own);
    ds.SetDataSource(&link);
    ds.SetDataSet(&own);
    EXPECT_EQ(ds.DataSource, nullptr);
    EXPECT_EQ(walk(ds, own, QStringLiteral("N")), QStringList({"1"}));
}

TEST(ReportComponentsTest, FindsComponentsOfTheOwnerAndOfNamedForms) {
    ReportComponents own(QStringLiteral("OwnForm"));
    ReportComponents other(QStringLiteral("OtherForm"));
    TfrUserDataset a(QStringLiteral("frUserDataset1"));
    TfrDBDataSet b(QStringLiteral("frDBDataSet1"));
    MemoryDataSet data = numbers(1);
    b.DataSet = &data;
    own.addDataSource(&a);
    other.addDataSource(&b);
    other.addDataSet(QStringLiteral("Query1"), &data);
    EXPECT_EQ(FindDataSourceByName(&own, QStringLiteral("FRUSERDATASET1")), &a);
    EXPECT_EQ(FindDataSourceByName(&own, QStringLiteral("frDBDataSet1")), nullptr);
    EXPECT_EQ(FindDataSourceByName(&own, QStringLiteral("OtherForm.frDBDataSet1")), &b);
    EXPECT_EQ(FindDataSetByName(&own, QStringLiteral("OtherForm.Query1")), &data);
    EXPECT_EQ(FindDataSetByName(&other, QStringLiteral("frDBDataSet1")), &data);
    EXPECT_EQ(FindDataSourceByName(&own, QStringLiteral("NoForm.x")), nullptr);
}

TEST(SqlQueryDataSetTest, WalksTheRowsTheFilterLetsThroughWithBookmarks) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("report_ds_test"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        QSqlQuery setup(db);
        ASSERT_TRUE(setup.exec(QStringLiteral("CREATE TABLE t (CureNo INTEGER, Name TEXT, Pic BLOB)")));
        ASSERT_TRUE(setup.exec(QStringLiteral("INSERT INTO t VALUES (1, '山田', NULL), (2, '佐藤', NULL), (3, '鈴木', x'0102')")));
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT CureNo, Name, Pic FROM t ORDER BY CureNo"));
        SqlQueryDataSet data(std::move(q));
        data.rowFilter = [](const QSqlRecord& r) { return r.value(0).toInt() != 2; };
        TfrDBDataSet ds(QStringLiteral("frDBDataSet1"));
        ds.DataSet = &data;
        EXPECT_EQ(walk(ds, data, QStringLiteral("name")), QStringList({"山田", "鈴木"}));
        EXPECT_TRUE(data.hasField(QStringLiteral("cureno")));
        EXPECT_FALSE(data.hasField(QStringLiteral("Nothing")));
        data.first();
        const QVariant mark = data.bookmark();
        data.next();
        EXPECT_EQ(data.fieldValue(QStringLiteral("CureNo")).toInt(), 3);
        EXPECT_EQ(data.blobBytes(QStringLiteral("Pic")), QByteArray("\x01\x02", 2));
        data.gotoBookmark(mark);
        EXPECT_EQ(data.fieldValue(QStringLiteral("CureNo")).toInt(), 1);
        EXPECT_TRUE(data.fieldValue(QStringLiteral("Pic")).isNull());
        data.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("report_ds_test"));
}
