#pragma once
// Band objects as a template stores them: the band type is the low byte of
// `FrameTyp`, the data source or group condition is `FormatStr`.
#include "report/objects/view.h"

#include <array>

namespace lum {

enum TfrBandType : quint8 {
    btReportTitle = 0,
    btReportSummary = 1,
    btPageHeader = 2,
    btPageFooter = 3,
    btMasterHeader = 4,
    btMasterData = 5,
    btMasterFooter = 6,
    btDetailHeader = 7,
    btDetailData = 8,
    btDetailFooter = 9,
    btSubDetailHeader = 10,
    btSubDetailData = 11,
    btSubDetailFooter = 12,
    btOverlay = 13,
    btColumnHeader = 14,
    btColumnFooter = 15,
    btGroupHeader = 16,
    btGroupFooter = 17,
    btCrossHeader = 18,
    btCrossData = 19,
    btCrossFooter = 20,
    btNone = 21,
};
inline constexpr int kBandTypeCount = 22;

// The engine's band type names, shown in calculation error messages.
const std::array<QString, kBandTypeCount>& bandTypeNames();
// Cross bands (18 to 20) run down the page and repeat across it.
inline bool isVerticalBand(int type) { return type >= btCrossHeader && type <= btCrossFooter; }

class TfrBandView : public TfrView {
public:
    // `Flags` bits of a band.
    static constexpr quint16 flStretched = 1;
    static constexpr quint16 flNewPageAfter = 2;
    static constexpr quint16 flPrintIfSubsetEmpty = 4;
    static constexpr quint16 flAllowSplit = 8;
    static constexpr quint16 flOnFirstPage = 16;
    static constexpr quint16 flOnLastPage = 32;
    static constexpr quint16 flRepeatHeader = 64;

    TfrBandView();
    std::unique_ptr<TfrView> clone() const override;

    int bandType() const { return FrameTyp & 0xFF; }
    void setBandType(int type) { FrameTyp = quint16((FrameTyp & 0xFF00) | (type & 0xFF)); }
    // The data source name (data bands) or group condition (group headers).
    const QString& dataSource() const { return FormatStr; }
};

class TfrSubReportView : public TfrView {
public:
    TfrSubReportView();
    std::unique_ptr<TfrView> clone() const override;
    void LoadFromStream(ByteReader& in, const TfrStreamContext& ctx) override;
    void SaveToStream(ByteWriter& out, const TfrStreamContext& ctx) const override;

    int SubPage = 0;  // 0-based template page the sub-report prints
};

class TfrLineView : public TfrView {
public:
    static constexpr quint16 flStretched = 1;

    TfrLineView();
    std::unique_ptr<TfrView> clone() const override;
};

}  // namespace lum
