// Report objects: defaults of new objects, the frame width encoding, the
// add-ins, made-up names, and the prepared form of the object stream.
#include "report/frf/byte_writer.h"
#include "report/frf/frf_error.h"
#include "report/frf/template_stream.h"
#include "report/objects/addin_views.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"
#include "report/objects/view_factory.h"
#include "report/templates/report_templates.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace lum;

TEST(ReportObjects, NewObjectDefaults) {
    TfrMemoView memo;
    EXPECT_EQ(memo.Flags, 3);
    EXPECT_EQ(memo.Font.Name, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(memo.Font.Size, 10);
    EXPECT_EQ(memo.Font.Charset, 128);
    EXPECT_EQ(memo.LineSpacing, 2);
    EXPECT_EQ(memo.Highlight.FontStyle, fsBold);
    EXPECT_EQ(memo.Highlight.FillColor, clWhite);
    EXPECT_EQ(memo.FillColor, clNone);
    EXPECT_FLOAT_EQ(memo.FrameWidth, 1.0f);
    EXPECT_EQ(memo.Format, 0x22E);
    EXPECT_TRUE(memo.Visible);
    EXPECT_EQ(TfrPictureView().Flags, 5);
    TfrBandView band;
    EXPECT_EQ(band.Flags, 48);
    EXPECT_EQ(band.Format, 0);
    EXPECT_EQ(TfrLineView().FrameTyp, frLeft);
    EXPECT_FLOAT_EQ(TfrCheckBoxView().FrameWidth, 2.0f);
    EXPECT_EQ(TfrShapeView().ShapeType, skRectangle);
    EXPECT_LT(memo.ID, band.ID);  // numbered as made
}

TEST(ReportObjects, FactoryByTypeAndAddInClassName) {
    const struct {
        quint8 typ;
        const char* className;
        const char* baseName;
    } rows[] = {{0, "", "Memo"},       {1, "", "Picture"}, {2, "", "Band"},
                {3, "", "SubReport"},  {4, "", "Line"},    {10, "TfrCheckBoxView", "Check"},
                {10, "TfrShapeView", "Shape"}};
    for (const auto& r : rows) {
        auto view = CreateViewByType(r.typ, QString::fromLatin1(r.className));
        ASSERT_NE(view, nullptr) << r.baseName;
        EXPECT_EQ(view->Typ, r.typ);
        EXPECT_EQ(view->BaseName, QLatin1String(r.baseName));
    }
    for (quint8 typ : {5, 7, 9, 11, 200})
        EXPECT_EQ(CreateViewByType(typ), nullptr) << int(typ);
    try {
        CreateViewByType(10, QStringLiteral("tfrshapeview"));
        FAIL() << "a class name is matched with its letter case";
    } catch (const FrfError& e) {
        EXPECT_EQ(e.text(), "Class not found: tfrshapeview");
    }
}

TEST(ReportObjects, FrameWidthEncoding) {
    const struct {
        float width;
        qint32 stored;
        float readBack;
    } rows[] = {
        {1, 1, 1},       {10, 10, 10},          {0, 0, 0},         {0.5f, 500, 0.5f},  {12, 12000, 12},
        {2.5f, 2500, 2.5f}, {0.011f, 11, 0.011f},
        // below 0.011 and not whole: the nearest width the stream holds, never whole pixels
        {0.008f, 11, 0.011f}, {0.005f, 0, 0},   {0.002f, 0, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(encodeFrameWidth(r.width), r.stored) << r.width;
        EXPECT_FLOAT_EQ(decodeFrameWidth(encodeFrameWidth(r.width)), r.readBack) << r.width;
    }
    EXPECT_FLOAT_EQ(decodeFrameWidth(10), 10);
    EXPECT_FLOAT_EQ(decodeFrameWidth(11), 0.011f);
    EXPECT_FLOAT_EQ(decodeFrameWidth(12000), 12);
    EXPECT_EQ(encodeFrameWidth(std::nanf("")), 0);
    EXPECT_EQ(encodeFrameWidth(1e12f), std::numeric_limits<qint32>::max());
}

TEST(ReportObjects, StringAndLineEncodings) {
    ByteWriter w;
    w.currentLines({});
    EXPECT_EQ(w.data().toHex(), "000000");
    ByteWriter s;
    s.currentString("ab");
    EXPECT_EQ(s.data().toHex(), "0200616200");
    ByteWriter l;
    l.currentLines({"a", ""});
    EXPECT_EQ(l.data().toHex(), "020001006" "10d000000");
    ByteWriter bad;
    EXPECT_THROW(bad.currentString(QStringLiteral("😀")), FrfError);
    EXPECT_THROW(bad.shortString(QString(256, 'x')), FrfError);
}

TEST(ReportObjects, CheckBoxCrossAndPreparedValue) {
    const struct {
        QStringList lines;
        bool crossed;
    } rows[] = {{{}, false}, {{""}, false}, {{"0"}, false}, {{"0.5"}, false},
                {{"1"}, true}, {{"-1"}, true}, {{"x"}, true}};
    for (const auto& r : rows)
        EXPECT_EQ(TfrCheckBoxView::isCrossed(r.lines), r.crossed) << r.lines.join('|').toStdString();
    EXPECT_EQ(TfrCheckBoxView::preparedText(0.9), "0");
    EXPECT_EQ(TfrCheckBoxView::preparedText(-1), "-1");
    EXPECT_EQ(TfrCheckBoxView::preparedText(-1.7), "-1");
    EXPECT_EQ(TfrCheckBoxView::preparedText(42), "42");
    EXPECT_FALSE(TfrCheckBoxView::isCrossed({TfrCheckBoxView::preparedText(0.9)}));
    EXPECT_TRUE(TfrCheckBoxView::isCrossed({TfrCheckBoxView::preparedText(-1)}));
    EXPECT_EQ(shapeKindName(skEllipse), QStringLiteral("楕円形"));
    EXPECT_EQ(shapeKindName(skDiagonal2), QStringLiteral("斜線2"));
}

TEST(ReportObjects, MadeUpNamesTakeTheSmallestFreeNumber) {
    TfrPages pages;
    pages.Add();
    auto memo = std::make_unique<TfrMemoView>();
    memo->Name = "memo1";
    pages[0].add(std::move(memo));
    auto other = std::make_unique<TfrMemoView>();
    other->Name = "MEMO3";
    pages[0].add(std::move(other));
    EXPECT_EQ(pages.MakeUniqueName("Memo"), "Memo2");
    EXPECT_EQ(pages.MakeUniqueName("Band"), "Band1");
    EXPECT_NE(pages.FindObject("Memo3"), nullptr);
    UniqueNamer namer;
    namer.take("Memo2");
    EXPECT_EQ(namer.make("Memo"), "Memo1");
    EXPECT_EQ(namer.make("Memo"), "Memo3");
    for (int i = 4; i <= 10000; ++i)
        namer.take(QStringLiteral("memo%1").arg(i));
    EXPECT_EQ(namer.make("Memo"), QString());
}

TEST(ReportObjects, ShapeKindAndCloneSurvive) {
    ReportTemplate t;
    auto shape = std::make_unique<TfrShapeView>();
    shape->Name = "Shape1";
    shape->ShapeType = skDiagonal1;
    t.Pages[0].add(std::move(shape));
    ReportTemplate back;
    ASSERT_TRUE(LoadTemplateFromStream(SaveTemplateToStream(t), back).ok());
    const auto& read = dynamic_cast<const TfrShapeView&>(*back.Pages[0].Objects[0]);
    EXPECT_EQ(read.ShapeType, skDiagonal1);
    const auto copy = read.clone();
    EXPECT_EQ(dynamic_cast<const TfrShapeView&>(*copy).ShapeType, skDiagonal1);
    EXPECT_EQ(copy->Name, "Shape1");
}

TEST(ReportObjects, PreparedFormLeavesOutTemplateFields) {
    TfrMemoView memo;
    memo.Name = "NotStored";
    memo.FormatStr = "NotStored";
    memo.Script = {"x := 1"};
    memo.Memo1 = {"expanded", "text"};
    memo.HighlightCondition = "[A]";
    TfrShapeView shape;
    shape.ShapeType = skTriangle;
    TfrPictureView picture;
    QImage image(2, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    picture.setImage(image);
    ByteWriter out;
    out.u8(23);
    writePreparedObject(out, memo);
    writePreparedObject(out, shape);
    writePreparedObject(out, picture);
    const auto views = readPreparedObjects(out.data());
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0]->Name, QString());
    EXPECT_EQ(views[0]->FormatStr, QString());
    EXPECT_TRUE(views[0]->Script.isEmpty());
    EXPECT_EQ(views[0]->Memo1, QStringList({"expanded", "text"}));
    EXPECT_EQ(dynamic_cast<const TfrMemoView&>(*views[0]).HighlightCondition, QString());
    EXPECT_EQ(dynamic_cast<const TfrShapeView&>(*views[1]).ShapeType, skTriangle);
    EXPECT_EQ(dynamic_cast<const TfrPictureView&>(*views[2]).image().size(), QSize(2, 3));
    ByteWriter again;
    again.u8(23);
    for (const auto& v : views)
        writePreparedObject(again, *v);
    EXPECT_EQ(again.data(), out.data());
}

TEST(ReportObjects, SaveToFileRefusesTextCodePage932Lacks) {
    QTemporaryDir dir;
    ReportTemplate t;
    auto memo = std::make_unique<TfrMemoView>();
    memo->Memo = {QStringLiteral("emoji 😀")};
    t.Pages[0].add(std::move(memo));
    const QString path = dir.filePath("t.frf");
    QString error;
    EXPECT_FALSE(SaveTemplateToFile(path, t, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("code page 932")));
    EXPECT_FALSE(QFile::exists(path));
    t.Pages[0].Objects.clear();
    ASSERT_TRUE(SaveTemplateToFile(path, t, &error)) << error.toStdString();
    ReportTemplate back;
    EXPECT_TRUE(LoadTemplateFromFile(path, back).ok());
}

TEST(ReportTemplates, NineteenFileNamesWithTheirWindows) {
    const auto& files = reportTemplateFiles();
    EXPECT_EQ(files.size(), 19);
    QSet<QString> names;
    for (const auto& f : files) {
        EXPECT_TRUE(f.fileName.endsWith(".frf"));
        EXPECT_FALSE(f.windows.isEmpty());
        names.insert(f.fileName);
    }
    EXPECT_EQ(names.size(), 19);
    ASSERT_NE(findReportTemplateFile("conference.frf"), nullptr);
    EXPECT_EQ(findReportTemplateFile("Conference.frf"), nullptr);  // the name is exact
    EXPECT_EQ(findReportTemplateFile("CurePlan.frf")->windows.size(), 2);
    EXPECT_EQ(reportTemplatePath("/opt/app", "Toukei.frf"), "/opt/app/Toukei.frf");
}
