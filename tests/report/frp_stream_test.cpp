// The prepared report file: round trip (same pages, same images), the older
// layout, compressed and damaged files, and the atomic save.
#include "prepared_fixture.h"
#include "report/frf/byte_reader.h"
#include "report/objects/picture_view.h"
#include "report/prepared/frp_stream.h"
#include "report/prepared/page_draw.h"
#include "report/render/painter_canvas.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

QImage render(const TfrPreparedPage& page, double scale) {
    const QRect r = pageDrawRect(page, 0, 0, scale);
    QImage img(r.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    QPainterCanvas canvas(painter);
    DrawPage(page, canvas, QRect(QPoint(0, 0), r.size()));
    return img;
}

TfrEMFPages threePages() {
    TfrEMFPages pages;
    addTextPage(pages, QStringLiteral("一頁目 Page 1"));
    addTextPage(pages, QStringLiteral("二頁目 Page 2"), 8, 1);
    TfrPreparedPage& third = addTextPage(pages, QStringLiteral("三頁目 Page 3"), 13);
    third.UseMargins = false;
    return pages;
}

}  // namespace

TEST(FrpStream, SavedAndLoadedPagesRenderTheSame) {
    TfrEMFPages pages = threePages();
    const QByteArray bytes = SavePreparedToStream(pages, QStringLiteral("Default printer"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes.at(0), 0);

    TfrEMFPages loaded;
    QString selected;
    FrpContext ctx;
    ctx.selectPrinter = [&](const QString& name) { selected = name; };
    const FrpLoadResult r = LoadPreparedFromStream(bytes, loaded, ctx);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(selected, QStringLiteral("Default printer"));
    ASSERT_EQ(loaded.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TfrPreparedPage& a = pages.GetPage(i);
        const TfrPreparedPage& b = loaded.GetPage(i);
        EXPECT_EQ(a.Stream, b.Stream) << i;
        EXPECT_EQ(a.PaperSize, b.PaperSize);
        EXPECT_EQ(a.Orientation, b.Orientation);
        EXPECT_EQ(a.UseMargins, b.UseMargins);
        EXPECT_EQ(a.Geometry.pageWidth, b.Geometry.pageWidth);
        const QImage ia = render(a, 0.75), ib = render(b, 0.75);
        EXPECT_FALSE(ia.isNull());
        EXPECT_EQ(ia, ib) << "page " << i + 1;
    }
    EXPECT_EQ(SavePreparedToStream(loaded, QStringLiteral("Default printer")), bytes);
}

TEST(FrpStream, CompressedFileIsRefusedAndPagesStay) {
    TfrEMFPages pages = threePages();
    QByteArray bytes = SavePreparedToStream(pages, QString());
    for (char first : {char(1), char(255)}) {
        bytes[0] = first;
        TfrEMFPages target = threePages();
        const FrpLoadResult r = LoadPreparedFromStream(bytes, target);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, kCompressedFrpRefused);
        EXPECT_EQ(target.Count(), 3);
    }
}

TEST(FrpStream, DamagedFilesFailWholeAndKeepThePagesShown) {
    const QByteArray good = SavePreparedToStream(threePages(), QStringLiteral("P"));
    // Offsets: 0 flag, 1 name (2 + 1 + 1), 5 count, 9 first page's next position.
    const auto patched = [&](qsizetype at, qint32 v) {
        QByteArray b = good;
        for (int k = 0; k < 4; ++k) b[at + k] = char((quint32(v) >> (8 * k)) & 0xFF);
        return b;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"truncated header", good.left(7)},
        {"truncated last page", good.left(good.size() - 3)},
        {"huge page count", patched(5, 0x7FFFFFFF)},
        {"negative page count", patched(5, -1)},
        {"next position backwards", patched(9, 9)},
        {"next position past the end", patched(9, qint32(good.size() + 100))},
        {"broken object stream", [&] {
             QByteArray b = good;
             b[9 + 16] = char(99);  // the first page's version byte
             return b;
         }()},
    };
    for (const Case& k : cases) {
        TfrEMFPages target = threePages();
        const FrpLoadResult r = LoadPreparedFromStream(k.bytes, target);
        EXPECT_FALSE(r.ok) << k.what;
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("The prepared report file is damaged"))) << k.what;
        EXPECT_EQ(target.Count(), 3) << k.what;
    }
}

TEST(FrpStream, OlderLayoutBecomesOnePicturePerPage) {
    // The smallest header record a metafile reader accepts.
    QByteArray emf(88, '\0');
    emf[0] = 1;
    emf.replace(40, 4, " EMF");
    ByteWriter out;
    out.bytes("PRN1");
    out.u8(0);  // end of the old text lines
    out.i32(1);
    const qsizetype at = out.pos();
    out.i32(0);
    out.u16(9);
    out.i32(2100);
    out.i32(2970);
    out.u8(0);
    out.u8(1);
    out.bytes(emf);
    out.patchI32(at, qint32(out.pos()));
    TfrEMFPages pages;
    const FrpLoadResult r = LoadPreparedFromStream(out.data(), pages);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.printerName, QStringLiteral("PRN1"));
    ASSERT_EQ(pages.Count(), 1);
    const auto objects = pages.GetPage(0).objects();
    ASSERT_EQ(objects.size(), 1u);
    const auto* pic = dynamic_cast<const TfrPictureView*>(objects[0].get());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GraphicKind, TfrGraphicKind::Metafile);
    EXPECT_EQ(pic->GraphicData, emf);
    EXPECT_EQ(pic->Width, pages.GetPage(0).Geometry.pageWidth);
}

TEST(FrpStream, FailedSaveKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("report.frp"));
    ASSERT_TRUE(SavePreparedToFile(name, threePages(), QStringLiteral("P")));
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    QString error;
    // A printer name code page 932 cannot hold fails before anything is written.
    EXPECT_FALSE(SavePreparedToFile(name, threePages(), QStringLiteral("Pr\U0001F600"), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    TfrEMFPages loaded;
    EXPECT_TRUE(LoadPreparedFromFile(name, loaded).ok);
    EXPECT_EQ(loaded.Count(), 3);
    EXPECT_FALSE(LoadPreparedFromFile(dir.filePath(QStringLiteral("missing.frp")), loaded).ok);
}

TEST(FrpStream, ObjectsBeyondAnyPageAreDamage) {
    struct Case {
        const char* what;
        std::function<void(TfrMemoView&)> spoil;
    } cases[] = {
        {"position", [](TfrMemoView& m) { m.Left = 2000000000; }},
        {"size", [](TfrMemoView& m) { m.Height = -5000000; }},
        {"font", [](TfrMemoView& m) { m.Font.Size = 100000; }},
        {"frame", [](TfrMemoView& m) { m.FrameWidth = 1e9f; }},
    };
    for (const Case& k : cases) {
        TfrEMFPages pages;
        TfrPreparedPage& p = addTextPage(pages, QStringLiteral("x"));
        TfrMemoView memo;
        memo.SetBounds(0, 0, 10, 10);
        k.spoil(memo);
        addObject(p, memo);
        TfrEMFPages loaded;
        const FrpLoadResult r = LoadPreparedFromStream(SavePreparedToStream(pages, QString()), loaded);
        EXPECT_FALSE(r.ok) << k.what;
        EXPECT_TRUE(r.message.contains(QStringLiteral("damaged"))) << k.what;
    }
}
