// Reading and writing a template of the size of the largest printouts
// (about 250 text objects in bands, one small picture).
#include "report/frf/template_stream.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"

#include <benchmark/benchmark.h>

namespace {

lum::ReportTemplate largeTemplate() {
    lum::ReportTemplate t;
    auto band = std::make_unique<lum::TfrBandView>();
    band->Name = "MasterData1";
    band->setBandType(lum::btMasterData);
    band->FormatStr = "frUserDataset1";
    t.Pages[0].add(std::move(band));
    for (int i = 0; i < 250; ++i) {
        auto memo = std::make_unique<lum::TfrMemoView>();
        memo->Name = QStringLiteral("Memo%1").arg(i + 1);
        memo->SetBounds(10 + (i % 5) * 140, 20 + (i / 5) * 20, 130, 18);
        memo->Memo = {QStringLiteral("[Program%1] 様の計画").arg(i), QStringLiteral("二行目")};
        t.Pages[0].add(std::move(memo));
    }
    auto picture = std::make_unique<lum::TfrPictureView>();
    picture->Name = "Picture1";
    QImage image(256, 232, QImage::Format_RGB32);
    image.fill(Qt::white);
    picture->setImage(image);
    t.Pages[0].add(std::move(picture));
    return t;
}

void BM_LoadTemplate(benchmark::State& state) {
    const QByteArray bytes = lum::SaveTemplateToStream(largeTemplate());
    for (auto _ : state) {
        lum::ReportTemplate t;
        benchmark::DoNotOptimize(lum::LoadTemplateFromStream(bytes, t).ok());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadTemplate)->Unit(benchmark::kMicrosecond);

void BM_SaveTemplate(benchmark::State& state) {
    const lum::ReportTemplate t = largeTemplate();
    for (auto _ : state)
        benchmark::DoNotOptimize(lum::SaveTemplateToStream(t));
}
BENCHMARK(BM_SaveTemplate)->Unit(benchmark::kMicrosecond);

}  // namespace
