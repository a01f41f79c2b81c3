// What scripts see of a report being prepared: the run-time objects of the page
// being formed, the run-time bands of the band objects, and the band being
// printed. Everything is looked up when asked, so nothing outlives a build.
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"

namespace lum {

TfrView* TfrReport::findObject(const QString& name) {
    const RtView* o = currentRun_ ? currentRun_->FindRTObject(name) : nullptr;
    return o ? o->view.get() : nullptr;
}

int TfrReport::freeSpace() { return currentRun_ ? currentRun_->CurBottomY - currentRun_->CurY : 0; }

TfrBand* TfrReport::runTimeBand(const TfrBandView& view) const {
    for (const auto& run : runs_)
        for (TfrBand* first : run->Bands)
            for (TfrBand* b = first; b; b = b->Next)
                if (b->View == &view) return b;
    return nullptr;
}

std::optional<ScriptBandBox> TfrReport::band(const TfrBandView& view) {
    const TfrBand* b = runTimeBand(view);
    if (!b) return std::nullopt;
    return ScriptBandBox{b->Left, b->Top, b->Width, b->Height, b->Visible};
}

void TfrReport::setBand(const TfrBandView& view, const ScriptBandBox& box) {
    TfrBand* b = runTimeBand(view);
    if (!b) return;
    b->Left = box.Left;
    b->Top = box.Top;
    b->Width = box.Width;
    b->Height = box.Height;
    b->Visible = box.Visible;
}

void TfrReport::forceNewPage() {
    if (TfrBand* b = engine().CurrentBand) b->ForceNewPage = true;
}

void TfrReport::forceNewColumn() {
    if (TfrBand* b = engine().CurrentBand) b->ForceNewColumn = true;
}

}  // namespace lum
