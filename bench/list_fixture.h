#pragma once
// The list the report benchmarks prepare: a page header, a master data band
// of 8 memos per record over a count data source, and a page footer with the
// page number; optionally one stretched, word-wrapped memo of about 100
// Japanese characters per record. Run the benchmarks with
// QT_QPA_PLATFORM=offscreen (set here when no application exists yet).
#include "report/engine/tfr_report.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"

#include <QGuiApplication>
#include <memory>

namespace bench {

inline void ensureApplication() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: destroying it among the static objects at exit reaches
    // into Qt's globals already gone, and the program ended with a crash.
    new QGuiApplication(argc, argv);
}

inline lum::TfrBandView& band(lum::TfrPage& page, int type, int top, int height, const QString& source = {},
                              quint16 flags = 0) {
    auto b = std::make_unique<lum::TfrBandView>();
    b->setBandType(type);
    b->SetBounds(0, top, 700, height);
    b->FormatStr = source;
    b->Flags = flags;
    b->Name = QStringLiteral("Band%1").arg(type);
    return static_cast<lum::TfrBandView&>(*page.add(std::move(b)));
}

inline lum::TfrMemoView& memo(lum::TfrPage& page, int left, int top, int width, int height, const QString& text,
                              quint16 flags = 0) {
    auto m = std::make_unique<lum::TfrMemoView>();
    m->SetBounds(left, top, width, height);
    m->Memo = QStringList{text};
    m->Flags = flags;
    m->FrameTyp = lum::frAllSides;
    return static_cast<lum::TfrMemoView&>(*page.add(std::move(m)));
}

inline void buildList(lum::TfrReport& report, int records, bool wrappedText) {
    using namespace lum;
    TfrPage& page = report.Pages()[0];
    band(page, btPageHeader, 0, 30, {}, TfrBandView::flOnFirstPage);
    memo(page, 0, 5, 300, 20, QStringLiteral("利用者一覧 [DATE]"));
    const int rowTop = 40;
    band(page, btMasterData, rowTop, 24, QString::number(records),
         wrappedText ? TfrBandView::flStretched : quint16(0));
    const QStringList fields = {"CureNo", "Name", "Kana", "Sex", "Birth", "RihaType", "Kubun", "Room"};
    for (int i = 0; i < fields.size(); ++i)
        memo(page, i * 85, rowTop + 2, 85, 20, QStringLiteral("[%1]").arg(fields[i]));
    if (wrappedText)
        memo(page, 0, rowTop + 22, 680, 2, QStringLiteral("[Note]"), TfrMemoView::flStretched | TfrMemoView::flWordWrap);
    band(page, btPageFooter, 1000, 30, {}, TfrBandView::flOnFirstPage | TfrBandView::flOnLastPage);
    memo(page, 600, 1005, 80, 20, QStringLiteral("[PAGE#] / [TOTALPAGES]"));
    report.ShowProgress = false;
    report.OnGetValue = [](const QString& name, ExprValue& v) {
        if (name == u"Name") v = ExprValue(QStringLiteral("山田 太郎"));
        else if (name == u"Kana") v = ExprValue(QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        else if (name == u"Note")
            v = ExprValue(QStringLiteral("リハビリテーションの経過は良好で、歩行訓練を継続する。").repeated(4));
        else if (name != u"PAGE#" && name != u"TOTALPAGES" && name != u"DATE") v = ExprValue(12345);
    };
}

}  // namespace bench
