#include "report/objects/picture_view.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"
#include "report/frf/frf_error.h"

#include <QBuffer>

namespace lum {

namespace {
quint32 le32(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}
quint16 le16(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint16(p[0] | (p[1] << 8));
}
}  // namespace

bool graphicHeaderValid(TfrGraphicKind kind, const QByteArray& bytes) {
    switch (kind) {
    case TfrGraphicKind::None:
        return true;
    case TfrGraphicKind::Bitmap:  // file header and at least the smallest info header
        return bytes.size() >= 26 && bytes.startsWith("BM");
    case TfrGraphicKind::Metafile:  // the header record with the " EMF" signature
        return bytes.size() >= 88 && le32(bytes, 0) == 1 && le32(bytes, 40) == 0x464D4520;
    case TfrGraphicKind::Icon:  // icon directory with at least one entry
        return bytes.size() >= 22 && le16(bytes, 0) == 0 && le16(bytes, 2) == 1 && le16(bytes, 4) >= 1;
    }
    return false;
}

TfrPictureView::TfrPictureView() : TfrView(gtPicture, QStringLiteral("Picture")) {
    Flags = flStretch | flKeepAspect;
}

std::unique_ptr<TfrView> TfrPictureView::clone() const {
    auto copy = std::make_unique<TfrPictureView>();
    copy->assignBase(*this);
    copy->GraphicKind = GraphicKind;
    copy->GraphicData = GraphicData;
    return copy;
}

QImage TfrPictureView::image() const {
    switch (GraphicKind) {
    case TfrGraphicKind::Bitmap:
        return QImage::fromData(GraphicData, "BMP");
    case TfrGraphicKind::Icon:
        return QImage::fromData(GraphicData, "ICO");
    default:
        return {};
    }
}

void TfrPictureView::setImage(const QImage& picture) {
    if (picture.isNull()) {
        clear();
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    GraphicKind = TfrGraphicKind::Bitmap;
    GraphicData = bytes;
}

void TfrPictureView::clear() {
    GraphicKind = TfrGraphicKind::None;
    GraphicData.clear();
}

void TfrPictureView::LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) {
    TfrView::LoadFromStream(in, ctx);
    const quint8 kind = in.u8();
    if (kind > quint8(TfrGraphicKind::Icon))
        throw FrfError(QStringLiteral("Picture \"%1\" has the unknown graphic kind %2.").arg(Name).arg(kind));
    const qint32 end = in.i32();
    const qsizetype start = in.pos();
    // The end position must lie after this object's data began and inside
    // the stream; any other value is a damaged file.
    if (end < start || end > in.size())
        throw FrfError(QStringLiteral("Picture \"%1\" gives the end position %2, outside bytes %3 to %4.")
                           .arg(Name)
                           .arg(end)
                           .arg(start)
                           .arg(in.size()));
    GraphicKind = TfrGraphicKind(kind);
    GraphicData = GraphicKind == TfrGraphicKind::None ? QByteArray() : in.bytes(end - start);
    if (!graphicHeaderValid(GraphicKind, GraphicData))
        throw FrfError(QStringLiteral("Picture \"%1\" holds no readable graphic of kind %2.").arg(Name).arg(kind));
    in.seek(end);
}

void TfrPictureView::SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const {
    TfrView::SaveToStream(out, ctx);
    out.u8(quint8(GraphicKind));
    const qsizetype endAt = out.pos();
    out.i32(0);  // the end position, known once the graphic is written
    if (GraphicKind != TfrGraphicKind::None)
        out.bytes(GraphicData);
    out.patchI32(endAt, qint32(out.pos()));
}

}  // namespace lum
