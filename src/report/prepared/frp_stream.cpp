#include "report/prepared/frp_stream.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"
#include "report/frf/frf_error.h"
#include "report/frf/template_stream.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace lum {
namespace {

// Bytes of one page record before its object stream.
constexpr qsizetype kPageHeaderBytes = 4 + 2 + 4 + 4 + 1 + 1;

QString damaged(const QString& detail) {
    return QStringLiteral("The prepared report file is damaged: %1").arg(detail);
}

struct PageHeader {
    qint32 next = 0;
    int paperSize = 0, width = 0, height = 0, orientation = 0;
    bool useMargins = true;
};

PageHeader readPageHeader(ByteReader& in) {
    PageHeader h;
    const qsizetype start = in.pos();
    h.next = in.i32();
    h.paperSize = in.u16();
    h.width = in.i32();
    h.height = in.i32();
    h.orientation = in.u8() == 1 ? 1 : 0;
    h.useMargins = in.u8() != 0;
    if (h.next < start + kPageHeaderBytes || h.next > in.size())
        throw FrfError(QStringLiteral("page at %1 ends at %2, outside the file").arg(start).arg(h.next));
    return h;
}

void appendPage(TfrEMFPages& pages, const PageHeader& h, const QByteArray& stream, const FrpContext& ctx) {
    const PageGeometry g = ctx.setupPaper ? ctx.setupPaper(h.paperSize, h.width, h.height, h.orientation)
                                          : defaultPrinterGeometry(h.paperSize, h.width, h.height, h.orientation);
    TfrPage tpl(h.paperSize, h.width, h.height, quint8(h.orientation));
    tpl.UseMargins = h.useMargins;
    TfrPreparedPage& p = pages.InsertPage(pages.Count(), tpl, g);
    // The page keeps the paper the file names; the geometry is the printer's.
    p.PaperSize = h.paperSize;
    p.PaperWidth = h.width;
    p.PaperHeight = h.height;
    p.Orientation = h.orientation;
    p.UseMargins = h.useMargins;
    p.Stream = stream;
}

// Objects a preparation can place: positions and sizes within a million
// pixels, frames up to 1000 pixels, fonts up to 2000 points. Anything else
// is a damaged file, not something to draw.
void checkDrawable(const TfrView& v) {
    constexpr qint64 kLimit = 1'000'000;
    for (qint64 x : {qint64(v.Left), qint64(v.Top), qint64(v.Width), qint64(v.Height)})
        if (x < -kLimit || x > kLimit) throw FrfError(QStringLiteral("an object lies outside the page (%1)").arg(x));
    if (!std::isfinite(v.FrameWidth) || v.FrameWidth < 0 || v.FrameWidth > 1000)
        throw FrfError(QStringLiteral("an object has the frame width %1").arg(double(v.FrameWidth)));
    if (auto* m = dynamic_cast<const TfrMemoView*>(&v); m && (m->Font.Size < 0 || m->Font.Size > 2000))
        throw FrfError(QStringLiteral("a memo has the font size %1").arg(m->Font.Size));
}

qint32 readPageCount(ByteReader& in) {
    const qint32 count = in.i32();
    if (count < 0 || count > in.remaining() / kPageHeaderBytes)
        throw FrfError(QStringLiteral("page count %1 does not fit the file").arg(count));
    return count;
}

// The current layout: version byte 23 object streams per page.
void readCurrentLayout(ByteReader& in, TfrEMFPages& pages, const FrpContext& ctx, FrpLoadResult& result) {
    result.printerName = in.currentString();
    if (ctx.selectPrinter) ctx.selectPrinter(result.printerName);
    const qint32 count = readPageCount(in);
    for (qint32 i = 0; i < count; ++i) {
        const PageHeader h = readPageHeader(in);
        const QByteArray stream = in.bytes(h.next - in.pos());
        try {
            for (const auto& v : readPreparedObjects(stream)) checkDrawable(*v);
        } catch (const FrfError& e) {
            throw FrfError(QStringLiteral("page %1: %2").arg(i + 1).arg(e.text()));
        }
        appendPage(pages, h, stream, ctx);
    }
}

// The older layout: each page an enhanced metafile, kept as the graphic of
// one picture object covering the page (drawn empty: no metafile renderer).
void readMetafileLayout(ByteReader& in, TfrEMFPages& pages, const FrpContext& ctx, FrpLoadResult& result) {
    in.seek(0);
    const QStringList names = in.oldLines();
    if (!names.isEmpty()) {
        result.printerName = names.first();
        if (ctx.selectPrinter) ctx.selectPrinter(result.printerName);
    }
    const qint32 count = readPageCount(in);
    for (qint32 i = 0; i < count; ++i) {
        const PageHeader h = readPageHeader(in);
        TfrPictureView picture;
        picture.GraphicKind = TfrGraphicKind::Metafile;
        picture.GraphicData = in.bytes(h.next - in.pos());
        if (!graphicHeaderValid(TfrGraphicKind::Metafile, picture.GraphicData))
            throw FrfError(QStringLiteral("page %1 holds no enhanced metafile").arg(i + 1));
        const PageGeometry g = defaultPrinterGeometry(h.paperSize, h.width, h.height, h.orientation);
        picture.SetBounds(0, 0, g.pageWidth, g.pageHeight);
        ByteWriter out;
        out.u8(kTemplateVersionCurrent);
        writePreparedObject(out, picture);
        appendPage(pages, h, out.take(), ctx);
    }
}

}  // namespace

QByteArray SavePreparedToStream(const TfrEMFPages& pages, const QString& printerName) {
    ByteWriter out;
    out.u8(0);
    out.currentString(printerName);
    out.i32(pages.Count());
    for (int i = 0; i < pages.Count(); ++i) {
        const TfrPreparedPage& p = pages.GetPage(i);
        const qsizetype at = out.pos();
        out.i32(0);
        out.u16(quint16(p.PaperSize));
        out.i32(p.PaperWidth);
        out.i32(p.PaperHeight);
        out.u8(quint8(p.Orientation));
        out.u8(p.UseMargins ? 1 : 0);
        out.bytes(p.Stream);
        out.patchI32(at, qint32(out.pos()));
    }
    return out.take();
}

bool SavePreparedToFile(const QString& fileName, const TfrEMFPages& pages, const QString& printerName,
                        QString* error) {
    QByteArray bytes;
    try {
        bytes = SavePreparedToStream(pages, printerName);
    } catch (const FrfError& e) {
        if (error) *error = e.text();
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) *error = QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

FrpLoadResult LoadPreparedFromStream(const QByteArray& bytes, TfrEMFPages& pages, const FrpContext& ctx) {
    FrpLoadResult result;
    TfrEMFPages loaded;
    try {
        ByteReader in(bytes);
        const quint8 first = in.u8();
        if (first == 1 || first == 255) {
            result.message = kCompressedFrpRefused;
            return result;
        }
        if (first == 0) readCurrentLayout(in, loaded, ctx, result);
        else readMetafileLayout(in, loaded, ctx, result);
    } catch (const FrfError& e) {
        result.message = damaged(e.text());
        return result;
    }
    loaded.OnPageAdded = pages.OnPageAdded;
    pages = std::move(loaded);
    result.ok = true;
    return result;
}

FrpLoadResult LoadPreparedFromFile(const QString& fileName, TfrEMFPages& pages, const FrpContext& ctx) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        FrpLoadResult r;
        r.message = QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString());
        return r;
    }
    return LoadPreparedFromStream(file.readAll(), pages, ctx);
}

}  // namespace lum
