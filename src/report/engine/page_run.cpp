#include "report/engine/page_run.h"

#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"
#include "report/objects/view_factory.h"
#include "report/script/report_interpreter.h"

#include <algorithm>

namespace lum {
namespace {
constexpr int kDataTypes[] = {btMasterData, btDetailData, btSubDetailData};
constexpr int kHeaderTypes[] = {btMasterHeader, btDetailHeader, btSubDetailHeader};
constexpr int kFooterTypes[] = {btMasterFooter, btDetailFooter, btSubDetailFooter};
}  // namespace

TfrPageRun::TfrPageRun(TfrReport& report, TfrPage& page, const PageGeometry& geometry)
    : Report(report), Template(page), Geometry(geometry) {}

TfrPageRun::~TfrPageRun() { DoneReport(); }

int TfrPageRun::LeftMargin() const {
    if (!Template.UseMargins) return 0;
    return Template.Margins[0] != 0 ? Template.Margins[0] : Geometry.offsetLeft;
}

int TfrPageRun::TopMargin() const {
    if (!Template.UseMargins) return 0;
    return Template.Margins[1] != 0 ? Template.Margins[1] : Geometry.offsetTop;
}

int TfrPageRun::RightEdge() const {
    if (!Template.UseMargins) return Geometry.pageWidth;
    return Template.Margins[2] != 0 ? Geometry.pageWidth - Template.Margins[2]
                                    : Geometry.offsetLeft + Geometry.printableWidth;
}

int TfrPageRun::BottomEdge() const {
    int bottom = Geometry.pageHeight;
    if (Template.UseMargins)
        bottom = Template.Margins[3] != 0 ? Geometry.pageHeight - Template.Margins[3]
                                          : Geometry.offsetTop + Geometry.printableHeight;
    const TfrBand* footer = Bands[btPageFooter];
    if (footer && footer->hasObjects()) bottom -= footer->Height;
    return bottom;
}

TfrBand* TfrPageRun::newBand(int typ) {
    ownedBands_.push_back(std::make_unique<TfrBand>(typ, *this));
    return ownedBands_.back().get();
}

void TfrPageRun::InitReport() {
    DoneReport();
    for (int t = 0; t < kBandTypeCount; ++t) Bands[t] = newBand(t);
    InitBands();
    ColumnNo = CurrentNo = 1;
}

void TfrPageRun::DoneReport() {
    pending_.clear();
    ownedBands_.clear();  // closes the bands' data sources
    Bands.fill(nullptr);
    std::erase_if(Report.HookList, [this](const TfrView* hooked) {
        return std::any_of(RTObjects.begin(), RTObjects.end(), [hooked](const auto& o) { return o->view.get() == hooked; });
    });
    RTObjects.clear();
}

// A run-time band takes its band object's text, script, place, flags and
// data source.
void TfrPageRun::configureBand(TfrBand& b, RtView& object) {
    auto& bv = static_cast<TfrBandView&>(*object.view);
    b.Memo = bv.Memo;
    b.Script = bv.Script;
    b.Left = bv.Left;
    b.Width = bv.Width;
    b.View = &bv;
    b.Flags = bv.Flags;
    b.Visible = bv.Visible;
    object.Parent = &b;
    b.SetDataSource(bv.FormatStr);
}

void TfrPageRun::InitBands() {
    // Run-time copies of the template objects.
    for (const auto& tpl : Template.Objects) {
        auto rt = std::make_unique<RtView>();
        rt->view = tpl->clone();
        rt->view->StreamMode = TfrStreamMode::Prepared;
        rt->Free = tpl->Typ != gtBand;
        if (rt->view->Flags & flHookList) Report.HookList.push_back(rt->view.get());
        RTObjects.push_back(std::move(rt));
    }
    // Each copy's script becomes compiled lines; the template keeps its own.
    for (auto& rt : RTObjects) CompileViewScript(*rt->view);
    // Which memos a footer's totals pass evaluates is decided once, here.
    for (auto& rt : RTObjects)
        if (rt->asMemo()) Report.InTotals(*rt);
    for (auto& rt : RTObjects)
        if (rt->view->Typ == gtSubReport) {
            const int sub = static_cast<TfrSubReportView*>(rt->view.get())->SubPage;
            Report.MarkSubReportPage(sub);
        }

    // Cross bands: the objects lying across inside one belong to it as cells
    // (and stay free, so they join a horizontal band as well).
    for (auto& rt : RTObjects) {
        if (rt->view->Typ != gtBand) continue;
        auto* bv = static_cast<TfrBandView*>(rt->view.get());
        const int t = bv->bandType();
        if (!isVerticalBand(t) || Bands[t]->View) continue;
        configureBand(*Bands[t], *rt);
    }
    for (int t = btCrossHeader; t <= btCrossFooter; ++t) {
        TfrBand* b = Bands[t];
        if (!b->View) continue;
        for (auto& o : RTObjects) {
            if (!o->Free || o->Parent || o->view->Typ == gtBand) continue;
            if (o->view->Left < b->Left || o->view->Left + o->view->Width > b->Left + b->Width) continue;
            o->view->Left -= b->Left;
            o->Parent = b;
            b->Objects.append(o.get());
        }
    }

    // Horizontal bands, type by type.
    for (int t = 0; t <= btGroupFooter; ++t) {
        QList<TfrBand*> chain;
        for (auto& rt : RTObjects) {
            if (rt->view->Typ != gtBand) continue;
            auto* bv = static_cast<TfrBandView*>(rt->view.get());
            if (bv->bandType() != t) continue;
            TfrBand* b = chain.isEmpty() ? Bands[t] : newBand(t);
            chain.append(b);
            b->Top = bv->Top;
            b->Height = bv->Height;
            configureBand(*b, *rt);
            b->Stretched = bv->Flags & TfrBandView::flStretched;
            b->PrintIfSubsetEmpty = bv->Flags & TfrBandView::flPrintIfSubsetEmpty;
            if (!IsSubPage) {
                b->NewPageAfter = bv->Flags & TfrBandView::flNewPageAfter;
                b->AllowSplit = bv->Flags & TfrBandView::flAllowSplit;
            }
            // Objects whose top lies in the band (both edges included): plain ones
            // first, then cross cells (which keep their cross band), sub-reports last.
            for (int pass = 0; pass < 3; ++pass)
                for (auto& o : RTObjects) {
                    if (!o->Free) continue;
                    const bool cell = o->Parent && isVerticalBand(o->Parent->Typ);
                    if (pass == 1 ? !cell : (o->Parent != nullptr)) continue;
                    if (pass != 1 && (o->view->Typ == gtSubReport) != (pass == 2)) continue;
                    if (o->view->Top < b->Top || o->view->Top > b->Top + b->Height) continue;
                    o->view->Top -= b->Top;
                    o->Free = false;
                    if (!cell) o->Parent = b;
                    b->Objects.append(o.get());
                }
        }
        if (chain.isEmpty()) continue;
        std::stable_sort(chain.begin(), chain.end(), [](TfrBand* a, TfrBand* b) { return a->Top < b->Top; });
        for (int i = 0; i < chain.size(); ++i) {
            chain[i]->Prev = i > 0 ? chain[i - 1] : nullptr;
            chain[i]->Next = i + 1 < chain.size() ? chain[i + 1] : nullptr;
        }
        chain.first()->LastBand = chain.last();
        Bands[t] = chain.first();
    }

    // What lies outside every band.
    TfrBand* outside = Bands[btNone];
    outside->Top = 0;
    for (auto& o : RTObjects)
        if (o->Free && !o->Parent && o->view->Typ != gtBand) {
            o->Parent = outside;
            o->Free = false;
            outside->Objects.append(o.get());
        }

    // Headers and footers of the data levels.
    for (int level = 0; level < 3; ++level) {
        for (TfrBand* h = Bands[kHeaderTypes[level]]; h && h->View; h = h->Next)
            for (TfrBand* d = Bands[kDataTypes[level]]; d && d->View; d = d->Next)
                if (d->Top > h->Top + h->Height && !d->Header) {
                    d->Header = h;
                    break;
                }
        for (TfrBand* f = Bands[kFooterTypes[level]]; f && f->View; f = f->Next) {
            TfrBand* found = nullptr;
            for (TfrBand* d = Bands[kDataTypes[level]]; d && d->View; d = d->Next)
                if (d->Top + d->Height <= f->Top && !d->Footer) found = d;
            if (found) found->Footer = f;
        }
    }
    // Group headers from the last, footers from the first.
    TfrBand* gh = Bands[btGroupHeader]->View ? Bands[btGroupHeader]->LastBand : nullptr;
    if (gh == nullptr && Bands[btGroupHeader]->View) gh = Bands[btGroupHeader];
    for (TfrBand* gf = Bands[btGroupFooter]->View ? Bands[btGroupFooter] : nullptr; gh && gf; gh = gh->Prev, gf = gf->Next)
        gh->Footer = gf;

    // Columns per band from the cross data band's list "Band=DataSource;...".
    TfrBand* crossData = Bands[btCrossData];
    if (crossData->hasObjects() && crossData->View && crossData->View->FormatStr.contains(u';')) {
        for (const QString& pair : crossData->View->FormatStr.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype eq = pair.indexOf(u'=');
            if (eq < 0) continue;
            const QString bandName = pair.left(eq).trimmed();
            const QString source = pair.mid(eq + 1).trimmed();
            for (int t = btMasterHeader; t <= btGroupFooter; ++t)
                for (TfrBand* b = Bands[t]; b && b->View; b = b->Next)
                    if (QString::compare(b->View->Name, bandName, Qt::CaseInsensitive) == 0)
                        b->CrossDataSet = Report.ResolveDataSource(source, b->OwnedCrossDataSet);
        }
    }

    if (Template.ColCount <= 0) Template.ColCount = 1;
    ColWidth = (RightEdge() - LeftMargin()) / colCount();
}

void TfrPageRun::PrepareObjects() {
    engine().CurrentPage = &Template;
    for (auto& o : RTObjects) {
        o->DataField.clear();
        o->DataSet = nullptr;
        const QStringList& text = o->view->Memo;
        if (text.isEmpty() || text.first().size() < 3 || !text.first().startsWith(u'[')) continue;
        const QString& line = text.first();
        const QString name = line.mid(1, line.lastIndexOf(u']') - 1);
        Report.BindObjectField(*o, name);
    }
}

void TfrPageRun::EmitBand(TfrBand* band) {
    if (!band) return;
    if (Recording) Steps.append({RecordedStep::Band, band});
    else band->Draw();
}

bool TfrPageRun::Replay() {
    while (ReplayCursor < Steps.size() && !Report.Terminated) {
        const RecordedStep step = Steps.at(ReplayCursor);
        switch (step.kind) {
        case RecordedStep::Band:
            if (step.band->HasPendingSubReports() ? step.band->ContinuePendingSubReports() : step.band->Draw())
                return false;
            break;
        case RecordedStep::First:
            if (step.band->DataSet) step.band->DataSet->First();
            step.band->LineNo = 1;
            break;
        case RecordedStep::Next:
            if (step.band->DataSet) step.band->DataSet->Next();
            ++CurrentNo;
            ++step.band->LineThroughNo;
            ++step.band->LineNo;
            break;
        }
        ++ReplayCursor;
    }
    return true;
}

void TfrPageRun::showPending() {
    const QList<TfrBand*> bands = pending_;
    pending_.clear();
    for (TfrBand* b : bands)
        if (b->hasObjects()) EmitBand(b);
}

bool TfrPageRun::CheckPageBreak(TfrBand* band, int y, int height, bool testOnly) {
    const TfrBand* columnFooter = Bands[btColumnFooter];
    if (y + height + (columnFooter ? columnFooter->Height : 0) <= CurBottomY) return false;
    // A band that cannot fit even at the top of a fresh column prints there
    // (clipped), and the headers a break prints never break again: no endless
    // run of empty pages.
    if (testOnly) return true;
    if (breaking_ || (y <= freshY_ && engine().PageNo == freshPage_ && CurColumn == freshColumn_)) return false;
    NewColumn(band);
    return true;
}

void TfrPageRun::AddAggregates(std::initializer_list<int> types) {
    for (int t : types)
        for (TfrBand* b = Bands[t]; b; b = b->Next)
            if (b->hasObjects()) b->DoAggregate();
}

void TfrPageRun::AddAggregatesOfData() {
    AddAggregates({btPageFooter, btMasterFooter, btDetailFooter, btSubDetailFooter, btGroupFooter, btReportSummary});
}

RtView* TfrPageRun::FindRTObject(const QString& name) const {
    for (const auto& o : RTObjects)
        if (QString::compare(o->view->Name, name, Qt::CaseInsensitive) == 0) return o.get();
    return nullptr;
}

void TfrPageRun::LayOutPage() {
    EngineContext& e = engine();
    e.CurrentPage = &Template;
    TfrReport& r = Report;
    if (Recording) {
        findLevels();
        DoLoop(1);
        return;
    }
    if (r.Append && r.SavedCurY == r.SavedBottom) {
        r.Append = r.AppendFooter = false;
        e.PageNo = r.EMFPages.Count();
    }
    CurBottomY = (r.Append && r.AppendFooter) ? r.SavedBottom : BottomEdge();
    CurColumn = 0;
    XAdjust = LeftMargin();
    if (!r.Append) {
        r.AddPreparedPage(*this);
        CurY = TopMargin();
        freshY_ = CurY;
        freshPage_ = e.PageNo;
        freshColumn_ = 0;
        EmitBand(Bands[btOverlay]);
        EmitBand(Bands[btNone]);
    } else {
        CurY = r.SavedCurY;
    }
    const int pagesBefore = r.EMFPages.Count();
    EmitBand(Bands[btReportTitle]);
    if (r.EMFPages.Count() == pagesBefore) {
        TfrBand* header = Bands[btPageHeader];
        if (header->hasObjects() && (header->Flags & TfrBandView::flOnFirstPage)) EmitBand(header);
        EmitBand(Bands[btColumnHeader]);
    }

    findLevels();
    DoLoop(1);

    EmitBand(Bands[btColumnFooter]);
    EmitBand(Bands[btReportSummary]);
    r.SavedCurY = CurColumn > 0 ? BottomEdge() : CurY;
    r.SavedBottom = CurBottomY;
    CurColumn = 0;
    XAdjust = LeftMargin();
    const TfrBand* footer = Bands[btPageFooter];
    r.AppendFooter = footer->hasObjects() && (footer->Flags & TfrBandView::flOnLastPage);
    const int pageNo = e.PageNo;
    if (r.AppendFooter) ShowPageFooters();
    e.PageNo = pageNo + 1;
}

void TfrPageRun::findLevels() {
    deepestLevel_ = 0;
    for (int level = 0; level < 3; ++level)
        if (Bands[kDataTypes[level]]->hasObjects()) deepestLevel_ = level + 1;
    hasGroups_ = false;
    for (TfrBand* g = Bands[btGroupHeader]; g; g = g->Next)
        if (g->hasObjects()) hasGroups_ = true;
    pending_.clear();
}

void TfrPageRun::DoLoop(int level) {
    if (level > deepestLevel_) return;
    EngineContext& e = engine();
    TfrReport& r = Report;
    for (TfrBand* b = Bands[kDataTypes[level - 1]]; b && b->DataSet; b = b->Next) {
        TfrDataset* ds = b->DataSet;
        ds->First();
        if (Recording) Steps.append({RecordedStep::First, b});
        else b->LineNo = 1;
        for (TfrBand* g = Bands[btGroupHeader]; g; g = g->Next) g->LineNo = g->LineThroughNo = 0;
        if (ds->IsEof()) continue;
        const auto printGroupHeaders = [&](TfrBand* from) {
            for (TfrBand* g = from; g; g = g->Next) {
                ++g->LineNo;
                ++g->LineThroughNo;
                EmitBand(g);
            }
        };
        const bool groups = level == 1 && hasGroups_;
        if (groups) printGroupHeaders(Bands[btGroupHeader]);
        if (b->Header) pending_.append(b->Header);
        if (b->Footer) b->Footer->InitValues();
        while (!ds->IsEof() && !r.Terminated) {
            r.ProcessEvents();
            pending_.append(b);
            bool ok = true;
            if (level < deepestLevel_) {
                DoLoop(level + 1);
                if (!pending_.isEmpty()) {
                    if (b->PrintIfSubsetEmpty) {
                        showPending();
                    } else {
                        pending_.removeLast();
                        ok = false;
                    }
                }
            } else {
                showPending();
            }
            ds->Next();
            if (groups) {
                for (TfrBand* g = Bands[btGroupHeader]; g; g = g->Next) {
                    const bool eof = ds->IsEof();
                    if (!eof && r.GroupValue(g) == g->LastGroupValue) continue;
                    EmitBand(b->Footer);
                    for (TfrBand* h = Bands[btGroupHeader]->LastBand ? Bands[btGroupHeader]->LastBand : Bands[btGroupHeader];
                         h && h != g; h = h->Prev) {
                        EmitBand(h->Footer);
                        h->LineNo = 0;
                    }
                    EmitBand(g->Footer);
                    if (!ds->IsEof()) {
                        if (g->NewPageAfter) NewPage();
                        printGroupHeaders(g);
                        EmitBand(b->Header);
                        b->LineNo = 0;
                    }
                    break;
                }
            }
            if (Recording) {
                Steps.append({RecordedStep::Next, b});
            } else if (ok) {
                ++CurrentNo;
                ++b->LineThroughNo;
                ++b->LineNo;
                if (!ds->IsEof() && b->NewPageAfter) NewPage();
            }
        }
        if (pending_.isEmpty()) EmitBand(b->Footer);
        else pending_.removeLast();
        (void)e;
    }
}

void TfrPageRun::AddSidePage() {
    const int savedY = CurY;
    Report.AddPreparedPage(*this);
    CurY = TopMargin();
    // A page header whose columns run over would add a side page again from
    // inside this one, without end.
    const bool was = addingSidePage_;
    addingSidePage_ = true;
    EmitBand(Bands[btOverlay]);
    EmitBand(Bands[btPageHeader]);
    addingSidePage_ = was;
    CurY = savedY;
}

void TfrPageRun::NewColumn(TfrBand* band) {
    struct Breaking {
        TfrPageRun& p;
        bool was;
        ~Breaking() {
            p.breaking_ = was;
            p.freshY_ = p.CurY;
            p.freshPage_ = engine().PageNo;
            p.freshColumn_ = p.CurColumn;
        }
    } breaking{*this, breaking_};
    breaking_ = true;
    if (CurColumn < colCount() - 1) {
        EmitBand(Bands[btColumnFooter]);
        ++CurColumn;
        XAdjust += ColWidth + Template.ColGap;
        CurY = ColumnTop;
        EmitBand(Bands[btColumnHeader]);
    } else {
        NewPage();
    }
    if (!band) return;
    // Headers that repeat on every new page.
    const bool inData = band->isDataBand() || band->Typ == btGroupHeader || band->Typ == btGroupFooter;
    if (inData)
        for (TfrBand* g = Bands[btGroupHeader]; g; g = g->Next)
            if (g != band && g->hasObjects() && (g->Flags & TfrBandView::flRepeatHeader)) {
                g->NoReset = true;
                g->Draw();
                g->NoReset = false;
            }
    if (band->isDataBand() && band->Header && (band->Header->Flags & TfrBandView::flRepeatHeader)) {
        band->Header->NoReset = true;
        band->Header->Draw();
        band->Header->NoReset = false;
    }
}

void TfrPageRun::NewPage() {
    EngineContext& e = engine();
    Report.ShowProgressPage(e.PageNo + 1);
    EmitBand(Bands[btColumnFooter]);
    ShowPageFooters();
    CurBottomY = BottomEdge();
    Report.AddPreparedPage(*this);
    Report.Append = false;
    EmitBand(Bands[btOverlay]);
    CurY = TopMargin();
    ColumnTop = CurY;
    EmitBand(Bands[btPageHeader]);
    EmitBand(Bands[btColumnHeader]);
}

void TfrPageRun::ShowPageFooters() {
    EngineContext& e = engine();
    CurColumn = 0;
    XAdjust = LeftMargin();
    TfrBand* footer = Bands[btPageFooter];
    const int count = Report.EMFPages.Count();
    if (!(e.PageNo == 0 && !(footer->Flags & TfrBandView::flOnFirstPage))) {
        for (int pg = e.PageNo; pg < count; ++pg) {
            e.PageNo = pg;
            if (!(Report.Append && Report.AppendFooter)) {
                if (Report.OnEndPage) Report.OnEndPage(pg);
                EmitBand(footer);
            }
        }
    }
    e.PageNo = Report.EMFPages.Count();
}

}  // namespace lum
