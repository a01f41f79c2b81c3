#include "report/objects/addin_views.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"

#include <cmath>
#include <limits>

namespace lum {

TfrCheckBoxView::TfrCheckBoxView() : TfrView(gtAddIn, QStringLiteral("Check")) { FrameWidth = 2; }

std::unique_ptr<TfrView> TfrCheckBoxView::clone() const {
    auto copy = std::make_unique<TfrCheckBoxView>();
    copy->assignBase(*this);
    return copy;
}

bool TfrCheckBoxView::isCrossed(const QStringList& lines) {
    return !lines.isEmpty() && !lines.first().isEmpty() && !lines.first().startsWith(QLatin1Char('0'));
}

QString TfrCheckBoxView::preparedText(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const double whole = std::trunc(value);
    constexpr double most = double(std::numeric_limits<qint64>::max());
    if (std::fabs(whole) >= most)
        return QString::number(whole, 'f', 0);
    return QString::number(static_cast<qint64>(whole));
}

QString shapeKindName(int kind) {
    switch (kind) {
    case skRectangle: return QStringLiteral("長方形");
    case skRoundRectangle: return QStringLiteral("丸み長方形");
    case skEllipse: return QStringLiteral("楕円形");
    case skTriangle: return QStringLiteral("三角形");
    case skDiagonal1: return QStringLiteral("斜線1");
    case skDiagonal2: return QStringLiteral("斜線2");
    default: return {};
    }
}

TfrShapeView::TfrShapeView() : TfrView(gtAddIn, QStringLiteral("Shape")) {}

std::unique_ptr<TfrView> TfrShapeView::clone() const {
    auto copy = std::make_unique<TfrShapeView>();
    copy->assignBase(*this);
    copy->ShapeType = ShapeType;
    return copy;
}

void TfrShapeView::LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) {
    TfrView::LoadFromStream(in, ctx);
    ShapeType = in.u8();
}

void TfrShapeView::SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const {
    TfrView::SaveToStream(out, ctx);
    out.u8(ShapeType);
}

}  // namespace lum
