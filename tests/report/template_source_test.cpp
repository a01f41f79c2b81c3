// The readable description of templates: build from text, print it back, and
// the errors a description author gets.
#include "report/frf/template_source.h"
#include "report/frf/template_stream.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

#include <gtest/gtest.h>

using namespace lum;

namespace {

const char* const kEveryKind = R"(report double-pass=yes printer="PDF"
page margins=10,10,10,10
band "Head" bounds=0,0,700,30 type=page-header flags=on-first-page|repeat-header
memo "Title" bounds=5,5,300,20 font="ＭＳ 明朝" size=14 style=bold|italic align=justify valign=bottom rotated=yes frame=ltrb frame-width=0.5 frame-style=double fill=#102030 color=0x80000005
  text "見出し \"引用\" \\ tab\tend"
  text ""
  script "Title.Visible := True"
band "Data" bounds=0,40,700,20 type=master-data dataset="frUserDataset1"
checkbox "Tick" bounds=5,42,12,12
  text "[Flag]"
shape "Tri" bounds=20,42,12,12 shape=triangle fill=none
line "Rule" bounds=0,60,700,0 frame=t
picture "Pic" bounds=40,42,16,16 graphic=bitmap data="Qk06AAAAAAAAADYAAAAoAAAAAQAAAAEAAAABABgAAAAAAAQAAAAAAAAAAAAAAAAAAAAAAAAAAAD/AA=="
subreport "Sub" bounds=0,70,700,20 subpage=1
page paper=256 width=1000 height=1480 orientation=landscape use-margins=no previous-page=yes columns=2 gap=4
memo "Other" bounds=0,0,10,10 visible=no format=0x1020000 highlight="[A] > 0" highlight-style=underline
binding "B1" kind=field dataset="ds" field="F"
binding "B2" kind=special special=8
variable "V"
)";

QByteArray build(const QString& text) {
    ReportTemplate t;
    QString error;
    EXPECT_TRUE(templateFromSource(text, QString(), t, &error)) << error.toStdString();
    return SaveTemplateToStream(t);
}

}  // namespace

TEST(TemplateSource, EveryKindIsBuiltWithItsAttributes) {
    ReportTemplate t;
    QString error;
    ASSERT_TRUE(templateFromSource(QString::fromUtf8(kEveryKind), QString(), t, &error)) << error.toStdString();
    EXPECT_EQ(t.DoublePass, 0xFFFF);
    EXPECT_EQ(t.PrinterName, "PDF");
    ASSERT_EQ(t.Pages.Count(), 2);
    ASSERT_EQ(t.Pages[0].Objects.size(), 8u);
    const auto& title = dynamic_cast<const TfrMemoView&>(*t.Pages[0].Objects[1]);
    EXPECT_EQ(title.Memo, QStringList({QStringLiteral("見出し \"引用\" \\ tab\tend"), QString()}));
    EXPECT_EQ(title.Font.Style, fsBold | fsItalic);
    EXPECT_EQ(title.Adjust, adJustify | adBottom | adRotated);
    EXPECT_EQ(title.FrameTyp, frAllSides);
    EXPECT_EQ(title.FrameStyle, fsDouble);
    EXPECT_EQ(title.FillColor, 0x302010);  // #RRGGBB keeps red in the low byte
    EXPECT_EQ(title.Font.Color, qint32(0x80000005));
    const auto& band = dynamic_cast<const TfrBandView&>(*t.Pages[0].Objects[0]);
    EXPECT_EQ(band.bandType(), btPageHeader);
    EXPECT_EQ(band.Flags, TfrBandView::flOnFirstPage | TfrBandView::flRepeatHeader);
    EXPECT_EQ(dynamic_cast<const TfrShapeView&>(*t.Pages[0].Objects[4]).ShapeType, skTriangle);
    EXPECT_EQ(dynamic_cast<const TfrPictureView&>(*t.Pages[0].Objects[6]).image().size(), QSize(1, 1));
    EXPECT_EQ(dynamic_cast<const TfrSubReportView&>(*t.Pages[0].Objects[7]).SubPage, 1);
    EXPECT_TRUE(t.Pages[1].PrintToPrevPage);
    EXPECT_EQ(t.Pages[1].Orientation, 1);
    EXPECT_EQ(t.Values.Item(1).OtherKind, svTotalPages);
}

TEST(TemplateSource, PrintedDescriptionBuildsTheSameBytes) {
    const QByteArray first = build(QString::fromUtf8(kEveryKind));
    ReportTemplate loaded;
    ASSERT_TRUE(LoadTemplateFromStream(first, loaded).ok());
    const QString printed = templateToSource(loaded);
    EXPECT_EQ(build(printed), first);
    ReportTemplate again;
    ASSERT_TRUE(LoadTemplateFromStream(first, again).ok());
    EXPECT_EQ(templateToSource(again), printed);
    EXPECT_TRUE(printed.contains(QStringLiteral("band \"Data\" bounds=0,40,700,20 type=master-data dataset=\"frUserDataset1\"")))
        << printed.toStdString();
}

TEST(TemplateSource, ErrorsNameTheLine) {
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"page\nfoo \"x\"", "line 2: unknown statement \"foo\""},
        {"memo \"m\" bounds=0,0,1,1", "line 1: an object comes before the first page line"},
        {"page\n  text \"x\"", "line 2: text comes before any object"},
        {"page\nmemo \"m\" shape=ellipse", "line 2: memo has no attribute \"shape\""},
        {"page\nmemo \"m\" bounds=1,2,3", "bounds takes 4 numbers"},
        {"page\nmemo \"m\" size=big", "size \"big\" is not a number"},
        {"page\nmemo \"m\" font=\"open", "a string has no closing quote"},
        {"page\nmemo \"m\" fill=#12", "colour \"#12\" is not a number"},
        {"page\nmemo \"m\" visible=maybe", "visible must be yes or no"},
        {"page\nmemo \"m\" frame=lx", "frame sides are letters"},
        {"page\npicture \"p\" graphic=bitmap data=\"AAAA\"", "holds no readable bitmap"},
        {"page\npicture \"p\" file=\"absent.bmp\"", "cannot read picture"},
        {"page\nbinding kind=none", "binding needs its name in quotes"},
        {"page\nmemo bounds=0,0,1,1", "memo needs its name in quotes"},
        {"page width=x", "width \"x\" is not a number"},
        {"# only a comment", "the description has no page line"},
    };
    for (const auto& r : rows) {
        ReportTemplate t;
        QString error;
        EXPECT_FALSE(templateFromSource(QString::fromUtf8(r.text), QString(), t, &error)) << r.text;
        EXPECT_TRUE(error.contains(QString::fromUtf8(r.message))) << r.text << " -> " << error.toStdString();
    }
}
