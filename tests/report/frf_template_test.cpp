// Template files: hand-made bytes per version read as the layouts say, and
// the writer gives back exactly the bytes of a version 23 file.
#include "frf_fixture_bytes.h"

#include "report/frf/template_stream.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

#include <gtest/gtest.h>

using namespace lum;
using frftest::Bytes;

namespace {

const QByteArray kNamae("\x96\xBC\x91\x4F");                   // 名前
const QByteArray kSama("\x97\x6C");                            // 様
const QByteArray kMsMincho("\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");  // ＭＳ 明朝

void pageRecord(Bytes& b, bool oldVersion) {
    b.u8(255).i32(9).i32(2100).i32(2970).i32(10).i32(20).i32(30).i32(40).u8(1);
    if (oldVersion)
        b.raw(QByteArray(6, '\x7F'));
    b.u16(0).u16(0xFFFF).i32(2).i32(5);
}

// The 30-byte block, the fill colour.
void geometry(Bytes& b, int left, int top, int width, int height, int flags, int frameTyp, qint32 frameWidth) {
    b.i32(left).i32(top).i32(width).i32(height).u16(flags).u16(frameTyp).i32(frameWidth).i32(0xFF).u16(1);
    b.i32(0x1FFFFFFF);
}

// A version 23 template with one object of every kind, written in the form
// the writer writes (Boolean words FFFF), so writing it gives the same bytes.
QByteArray version23Template() {
    Bytes b;
    b.u8(23).u16(0).u16(0xFFFF).str("PDF");
    pageRecord(b, false);
    pageRecord(b, false);
    // memo on page 1
    b.u8(0).u8(0).str(kNamae);
    geometry(b, 1, 2, 3, 4, 3, 15, 500);
    b.i32(0x22E).str("").lines({"[Name] " + kSama, ""}).lines({"a := 1"}).u16(0);
    b.str(kMsMincho).i32(12).u16(2).i32(0x00FF00).i32(2 | 8).u16(128);
    b.u16(1).i32(0xFF).i32(0xFFFF).str("[X] > 0");
    // band
    b.u8(2).u8(0).str("MasterData1");
    geometry(b, 0, 100, 700, 20, 48, 5, 1);
    b.i32(0).str("frUserDataset1").lines({}).lines({}).u16(0xFFFF);
    // picture: its end position is the absolute position after its graphic
    b.u8(1).u8(0).str("Picture1");
    geometry(b, 5, 6, 7, 8, 5, 0, 1);
    b.i32(0x22E).str("").lines({"[Picture]"}).lines({}).u16(0xFFFF).u8(1);
    const qsizetype endAt = b.size();
    b.i32(0).raw(frftest::tinyBitmap());
    b.patch32(endAt, qint32(b.size()));
    // sub-report printing page 2
    b.u8(3).u8(0).str("SubReport1");
    geometry(b, 0, 200, 100, 50, 0, 0, 1);
    b.i32(0x22E).str("").lines({}).lines({}).u16(0xFFFF).i32(1);
    // line on page 2
    b.u8(4).u8(1).str("Line1");
    geometry(b, 0, 10, 1, 300, 0, 4, 12000);
    b.i32(0x22E).str("").lines({}).lines({}).u16(0xFFFF);
    // the two add-ins on page 2
    b.u8(10).str("TfrCheckBoxView").u8(1).str("Check1");
    geometry(b, 10, 10, 12, 12, 0, 15, 2);
    b.i32(0x22E).str("").lines({"[Flag]"}).lines({}).u16(0xFFFF);
    b.u8(10).str("TfrShapeView").u8(1).str("Shape1");
    geometry(b, 30, 10, 40, 20, 0, 0, 1);
    b.i32(0x22E).str("").lines({}).lines({}).u16(0xFFFF).u8(2);
    // bindings and variable lines
    b.u8(254).i32(2);
    b.u8(1).i32(0).shortStr("frDBDataSet1").shortStr("NAME").shortStr("ClientName");
    b.u8(2).i32(1).shortStr("").shortStr("1 + 2").shortStr("Sum");
    b.lines({"Group", " ClientName"});
    return b.data;
}

ReportTemplate loadOk(const QByteArray& bytes) {
    ReportTemplate t;
    const TemplateLoadResult r = LoadTemplateFromStream(bytes, t);
    EXPECT_TRUE(r.ok()) << r.detail.toStdString();
    return t;
}

}  // namespace

TEST(FrfTemplate, Version23ReadsEveryField) {
    const ReportTemplate t = loadOk(version23Template());
    EXPECT_EQ(t.PrintToDefault, 0);
    EXPECT_EQ(t.DoublePass, 0xFFFF);
    EXPECT_EQ(t.PrinterName, "PDF");
    ASSERT_EQ(t.Pages.Count(), 2);
    const TfrPage& p = t.Pages[0];
    EXPECT_EQ(p.PaperSize, 9);
    EXPECT_EQ(p.PaperWidth, 2100);
    EXPECT_EQ(p.PaperHeight, 2970);
    EXPECT_EQ(p.Margins[0], 10);
    EXPECT_EQ(p.Margins[3], 40);
    EXPECT_EQ(p.Orientation, 1);
    EXPECT_FALSE(p.PrintToPrevPage);
    EXPECT_TRUE(p.UseMargins);
    EXPECT_EQ(p.ColCount, 2);
    EXPECT_EQ(p.ColGap, 5);
    ASSERT_EQ(p.Objects.size(), 4u);
    ASSERT_EQ(t.Pages[1].Objects.size(), 3u);

    const auto* memo = dynamic_cast<const TfrMemoView*>(p.Objects[0].get());
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Name, QStringLiteral("名前"));
    EXPECT_EQ(memo->Typ, gtMemo);
    EXPECT_EQ(memo->Left, 1);
    EXPECT_EQ(memo->Height, 4);
    EXPECT_EQ(memo->Flags, 3);
    EXPECT_EQ(memo->FrameTyp, 15);
    EXPECT_FLOAT_EQ(memo->FrameWidth, 0.5f);
    EXPECT_EQ(memo->FrameColor, 0xFF);
    EXPECT_EQ(memo->FrameStyle, fsDash);
    EXPECT_EQ(memo->FillColor, clNone);
    EXPECT_EQ(memo->Format, 0x22E);
    EXPECT_EQ(memo->Memo, QStringList({QStringLiteral("[Name] 様"), QString()}));
    EXPECT_EQ(memo->Script, QStringList({"a := 1"}));
    EXPECT_FALSE(memo->Visible);
    EXPECT_EQ(memo->Font.Name, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(memo->Font.Size, 12);
    EXPECT_EQ(memo->Font.Style, fsBold);
    EXPECT_EQ(memo->Font.Color, 0x00FF00);
    EXPECT_EQ(memo->Adjust, adCenter | adMiddle);
    EXPECT_EQ(memo->Font.Charset, 128);
    EXPECT_EQ(memo->Highlight.FontStyle, fsItalic);
    EXPECT_EQ(memo->Highlight.FontColor, 0xFF);
    EXPECT_EQ(memo->Highlight.FillColor, 0xFFFF);
    EXPECT_EQ(memo->HighlightCondition, "[X] > 0");

    const auto* band = dynamic_cast<const TfrBandView*>(p.Objects[1].get());
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->bandType(), btMasterData);
    EXPECT_EQ(band->dataSource(), "frUserDataset1");
    EXPECT_EQ(band->Flags, TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage);

    const auto* pic = dynamic_cast<const TfrPictureView*>(p.Objects[2].get());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GraphicKind, TfrGraphicKind::Bitmap);
    EXPECT_EQ(pic->GraphicData, frftest::tinyBitmap());
    const QImage img = pic->image();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(1, 1));
    EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(Qt::red));

    const auto* sub = dynamic_cast<const TfrSubReportView*>(p.Objects[3].get());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->SubPage, 1);
    const auto& page2 = t.Pages[1].Objects;
    const auto* line = dynamic_cast<const TfrLineView*>(page2[0].get());
    ASSERT_NE(line, nullptr);
    EXPECT_FLOAT_EQ(line->FrameWidth, 12.0f);
    const auto* check = dynamic_cast<const TfrCheckBoxView*>(page2[1].get());
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->Typ, gtAddIn);
    EXPECT_EQ(check->Memo, QStringList({"[Flag]"}));
    EXPECT_FLOAT_EQ(check->FrameWidth, 2.0f);
    const auto* shape = dynamic_cast<const TfrShapeView*>(page2[2].get());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->ShapeType, skEllipse);

    ASSERT_EQ(t.Values.Count(), 2);
    EXPECT_EQ(t.Values.Name(0), "ClientName");
    EXPECT_EQ(t.Values.Item(0).Typ, vtDataField);
    EXPECT_EQ(t.Values.Item(0).DataSetName, "frDBDataSet1");
    EXPECT_EQ(t.Values.Item(0).FieldName, "NAME");
    EXPECT_EQ(t.Values.Name(1), "Sum");
    EXPECT_EQ(t.Values.Item(1).Typ, vtSpecial);
    EXPECT_EQ(t.Values.Item(1).OtherKind, svExpression);
    EXPECT_EQ(t.Values.Item(1).FieldName, "1 + 2");
    EXPECT_EQ(t.Variables, QStringList({"Group", " ClientName"}));
}

TEST(FrfTemplate, WriterGivesBackTheVersion23Bytes) {
    const QByteArray original = version23Template();
    const ReportTemplate t = loadOk(original);
    const QByteArray written = SaveTemplateToStream(t);
    EXPECT_EQ(written.toHex(), original.toHex());
    const ReportTemplate again = loadOk(written);
    EXPECT_EQ(SaveTemplateToStream(again), written);
}
