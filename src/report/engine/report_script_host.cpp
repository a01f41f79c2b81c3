// What scripts see of a report being prepared: the run-time objects of the page
// being formed, the run-time bands of the band objects, and the band being
// printed. Everything is looked up when asked, so nothing outlives a build.
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"

namespace lum {

// The page being formed: the engine's current page (a sub-report's page while it
// prints), else the page being laid out.
TfrPageRun* TfrReport::scriptRun() const {
    if (const TfrPage* current = engine().CurrentPage)
        for (const auto& run : runs_)
            if (&run->Template == current) return run.get();
    return currentRun_;
}

TfrView* TfrReport::findObject(const QString& name) {
    const TfrPageRun* run = scriptRun();
    const RtView* o = run ? run->FindRTObject(name) : nullptr;
    return o ? o->view.get() : nullptr;
}

int TfrReport::freeSpace() {
    const TfrPageRun* run = scriptRun();
    return run ? run->CurBottomY - run->CurY : 0;
}

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
