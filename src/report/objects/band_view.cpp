#include "report/objects/band_view.h"

#include "report/frf/byte_reader.h"
#include "report/frf/byte_writer.h"

namespace lum {

const std::array<QString, kBandTypeCount>& bandTypeNames() {
    static const std::array<QString, kBandTypeCount> names = {
        QStringLiteral("レポート タイトル"), QStringLiteral("レポート サマリー"), QStringLiteral("ページ ヘッダー"),
        QStringLiteral("ページ フッター"),   QStringLiteral("マスタ ヘッダー"),   QStringLiteral("マスタ データ"),
        QStringLiteral("マスタ フッター"),   QStringLiteral("詳細 ヘッダー"),     QStringLiteral("詳細 データ"),
        QStringLiteral("詳細 フッター"),     QStringLiteral("サブ詳細 ヘッダー"), QStringLiteral("サブ詳細 データ"),
        QStringLiteral("サブ詳細 フッター"), QStringLiteral("オーバーレイ"),      QStringLiteral("項目 ヘッダー"),
        QStringLiteral("項目 フッター"),     QStringLiteral("グループ ヘッダー"), QStringLiteral("グループ フッター"),
        QStringLiteral("クロス ヘッダー"),   QStringLiteral("クロス データ"),     QStringLiteral("クロス フッター"),
        QStringLiteral("無し"),
    };
    return names;
}

TfrBandView::TfrBandView() : TfrView(gtBand, QStringLiteral("Band")) {
    Flags = flOnFirstPage | flOnLastPage;
    Format = 0;
}

std::unique_ptr<TfrView> TfrBandView::clone() const {
    auto copy = std::make_unique<TfrBandView>();
    copy->assignBase(*this);
    return copy;
}

TfrSubReportView::TfrSubReportView() : TfrView(gtSubReport, QStringLiteral("SubReport")) {}

std::unique_ptr<TfrView> TfrSubReportView::clone() const {
    auto copy = std::make_unique<TfrSubReportView>();
    copy->assignBase(*this);
    copy->SubPage = SubPage;
    return copy;
}

void TfrSubReportView::LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) {
    TfrView::LoadFromStream(in, ctx);
    SubPage = in.i32();
}

void TfrSubReportView::SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const {
    TfrView::SaveToStream(out, ctx);
    out.i32(SubPage);
}

TfrLineView::TfrLineView() : TfrView(gtLine, QStringLiteral("Line")) { FrameTyp = frLeft; }

std::unique_ptr<TfrView> TfrLineView::clone() const {
    auto copy = std::make_unique<TfrLineView>();
    copy->assignBase(*this);
    return copy;
}

}  // namespace lum
