// Templates of versions 21 and 22: old string and line encodings, no stored
// names, six extra page bytes, the character set replaced, word wrap forced
// at 21; and files from before version bytes existed.
#include "frf_fixture_bytes.h"

#include "report/frf/template_stream.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"

#include <gtest/gtest.h>

using namespace lum;
using frftest::Bytes;

namespace {

void oldPage(Bytes& b) {
    b.u8(255).i32(256).i32(1000).i32(1480).i32(0).i32(0).i32(0).i32(0).u8(0);
    b.raw(QByteArray(6, '\x55'));  // skipped
    b.u16(1).u16(0).i32(0).i32(0);
}

void oldMemo(Bytes& b, int flags, const QByteArray& text) {
    b.u8(0).u8(0);
    b.i32(1).i32(2).i32(3).i32(4).u16(flags).u16(0).i32(1).i32(0).u16(0).i32(0x1FFFFFFF);
    b.i32(0).oldStr("").oldLines({text});
    b.oldStr("Arial").i32(9).u16(0).i32(0).i32(0).u16(128);
    b.u16(2).i32(0).i32(0xFFFFFF).oldStr("");
}

void oldBand(Bytes& b) {
    b.u8(2).u8(0);
    b.i32(0).i32(50).i32(600).i32(18).u16(48).u16(btMasterData).i32(1).i32(0).u16(0).i32(0x1FFFFFFF);
    b.i32(0).oldStr("frUserDataset1").oldLines({});
}

QByteArray oldTemplate(int versionByte) {
    Bytes b;
    if (versionByte >= 0)
        b.u8(versionByte);
    b.u16(0).u16(0).oldStr("Printer A");
    oldPage(b);
    oldMemo(b, 0, "first");
    oldBand(b);
    oldMemo(b, 0, "second");
    b.u8(10).oldStr("TfrShapeView").u8(0);
    b.i32(0).i32(0).i32(9).i32(9).u16(0).u16(0).i32(1).i32(0).u16(0).i32(0x1FFFFFFF);
    b.i32(0).oldStr("").oldLines({}).u8(3);
    b.u8(254).i32(1).u8(3).i32(0).shortStr("").shortStr("[A] + 1").shortStr("Next");
    b.oldLines({"Var", ""});
    return b.data;
}

}  // namespace

TEST(FrfOldVersions, Version22) {
    ReportTemplate t;
    const TemplateLoadResult r = LoadTemplateFromStream(oldTemplate(22), t);
    ASSERT_TRUE(r.ok()) << r.detail.toStdString();
    EXPECT_EQ(r.version, 22);
    EXPECT_EQ(t.PrinterName, "Printer A");
    ASSERT_EQ(t.Pages.Count(), 1);
    const TfrPage& p = t.Pages[0];
    EXPECT_EQ(p.PaperSize, kPaperUserDefined);
    EXPECT_EQ(p.PaperWidth, 1000);
    EXPECT_TRUE(p.PrintToPrevPage);
    EXPECT_FALSE(p.UseMargins);
    ASSERT_EQ(p.Objects.size(), 4u);
    // names are made up in object order, per base name
    EXPECT_EQ(p.Objects[0]->Name, "Memo1");
    EXPECT_EQ(p.Objects[1]->Name, "Band1");
    EXPECT_EQ(p.Objects[2]->Name, "Memo2");
    EXPECT_EQ(p.Objects[3]->Name, "Shape1");
    const auto& memo = dynamic_cast<const TfrMemoView&>(*p.Objects[0]);
    EXPECT_EQ(memo.Memo, QStringList({"first"}));
    EXPECT_EQ(memo.Font.Name, "Arial");
    EXPECT_EQ(memo.Font.Charset, 0);           // replaced at versions before 23
    EXPECT_EQ(memo.Flags, 0);                  // word wrap as stored
    EXPECT_TRUE(memo.Visible);
    EXPECT_TRUE(memo.Script.isEmpty());
    EXPECT_EQ(p.Objects[1]->FormatStr, "frUserDataset1");
    EXPECT_EQ(dynamic_cast<const TfrShapeView&>(*p.Objects[3]).ShapeType, skTriangle);
    ASSERT_EQ(t.Values.Count(), 1);
    EXPECT_EQ(t.Values.Item(0).Typ, vtExpression);
    EXPECT_EQ(t.Values.Item(0).FieldName, "[A] + 1");
    EXPECT_EQ(t.Variables, QStringList({"Var", ""}));
}

TEST(FrfOldVersions, Version21ForcesWordWrap) {
    ReportTemplate t;
    ASSERT_TRUE(LoadTemplateFromStream(oldTemplate(21), t).ok());
    EXPECT_EQ(t.Pages[0].Objects[0]->Flags, TfrMemoView::flWordWrap);
    EXPECT_EQ(t.Pages[0].Objects[1]->Flags, 48);  // bands are not memos
}

TEST(FrfOldVersions, StreamWithoutVersionByteIsReadFromTheStartAsVersion21) {
    // The first byte is the header's first byte (0, 1 or 2).
    for (int firstWord : {0, 1, 2}) {
        QByteArray bytes = oldTemplate(-1);
        bytes[0] = char(firstWord);
        ReportTemplate t;
        const TemplateLoadResult r = LoadTemplateFromStream(bytes, t);
        ASSERT_TRUE(r.ok()) << r.detail.toStdString();
        EXPECT_EQ(r.version, 21);
        EXPECT_EQ(t.PrintToDefault, firstWord);
        EXPECT_EQ(t.PrinterName, "Printer A");
        EXPECT_EQ(t.Pages[0].Objects[2]->Name, "Memo2");
        EXPECT_EQ(t.Pages[0].Objects[0]->Flags, TfrMemoView::flWordWrap);
    }
}

TEST(FrfOldVersions, OldTemplateIsWrittenAsVersion23AndStaysStable) {
    ReportTemplate t;
    ASSERT_TRUE(LoadTemplateFromStream(oldTemplate(22), t).ok());
    const QByteArray first = SaveTemplateToStream(t);
    EXPECT_EQ(first[0], char(23));
    ReportTemplate again;
    ASSERT_TRUE(LoadTemplateFromStream(first, again).ok());
    EXPECT_EQ(again.Pages[0].Objects[2]->Name, "Memo2");
    EXPECT_EQ(SaveTemplateToStream(again), first);
}

TEST(FrfOldVersions, OldLinesEndingWithoutCarriageReturnKeepTheirLastLine) {
    Bytes b;
    b.u8(22).u16(0).u16(0).oldStr("");
    b.u8(254).i32(0).raw("a\r\rlast").u8(0);
    ReportTemplate t;
    ASSERT_TRUE(LoadTemplateFromStream(b.data, t).ok());
    EXPECT_EQ(t.Variables, QStringList({"a", "", "last"}));
}

TEST(FrfOldVersions, FramedMemoIsReadAsMemoAndItsEightBytesSkipped) {
    Bytes b;
    b.u8(23).u16(0).u16(0).str("");
    b.u8(255).i32(9).i32(2100).i32(2970).i32(0).i32(0).i32(0).i32(0).u8(0).u16(0).u16(0xFFFF).i32(1).i32(0);
    b.u8(10).str("TfrFramedMemoView").u8(0).str("Framed");
    b.i32(0).i32(0).i32(9).i32(9).u16(3).u16(0).i32(1).i32(0).u16(0).i32(0x1FFFFFFF);
    b.i32(0).str("").lines({"x"}).lines({}).u16(0xFFFF);
    b.str("Arial").i32(9).u16(0).i32(0).i32(0).u16(1).u16(0).i32(0).i32(0).str("");
    b.raw("12345678");
    b.u8(254).i32(0).lines({});
    ReportTemplate t;
    const TemplateLoadResult r = LoadTemplateFromStream(b.data, t);
    ASSERT_TRUE(r.ok()) << r.detail.toStdString();
    ASSERT_EQ(t.Pages[0].Objects.size(), 1u);
    EXPECT_NE(dynamic_cast<TfrMemoView*>(t.Pages[0].Objects[0].get()), nullptr);
    EXPECT_EQ(t.Pages[0].Objects[0]->Memo, QStringList({"x"}));
}
