#include "report/engine/tfr_band.h"

#include "report/data/tfr_dataset.h"
#include "report/engine/page_run.h"
#include "report/engine/tfr_report.h"
#include "report/expr/engine_context.h"

#include <QSet>

#include <algorithm>

namespace lum {

TfrBand::TfrBand(int typ, TfrPageRun& page) : Page(page), Typ(typ) {}

TfrBand::~TfrBand() {
    if (DataSet) DataSet->Close();
    if (CrossDataSet) CrossDataSet->Close();
}

bool TfrBand::hasObjectsOfItsOwn() const {
    for (const RtView* o : Objects)
        if (o->Parent == this) return true;
    return false;
}

bool TfrBand::hasCrossCells() const {
    for (const RtView* o : Objects)
        if (o->Parent && o->Parent != this && isVerticalBand(o->Parent->Typ)) return true;
    return false;
}

bool TfrBand::isDataBand() const { return Typ == btMasterData || Typ == btDetailData || Typ == btSubDetailData; }

bool TfrBand::movable() const { return Typ != btPageFooter && Typ != btOverlay && Typ != btNone; }

void TfrBand::SetDataSource(const QString& text) {
    if (Typ == btGroupHeader) {
        GroupCondition = text;
        return;
    }
    if (!text.contains(u';')) DataSet = Page.Report.ResolveDataSource(text.trimmed(), OwnedDataSet);
    if (!DataSet && Typ == btMasterData && Page.Report.ReportType == rtSimple) {
        DataSet = Page.Report.Dataset;
        if (DataSet) DataSet->Open();
    }
}

bool TfrBand::Draw() {
    EngineContext& e = engine();
    TfrReport& report = Page.Report;
    e.CurrentView = View;
    e.CurrentBand = this;
    e.AggregateBand = this;
    CalcHeight = -1;
    ForceNewPage = ForceNewColumn = false;
    if (report.OnBeginBand) report.OnBeginBand(this);
    if (report.RunScript && !Script.isEmpty()) report.RunScript(View, this);
    if (ForceNewPage) {
        Page.CurColumn = Page.colCount() - 1;
        Page.NewColumn(this);
    }
    if (ForceNewColumn) Page.NewColumn(this);

    bool result = false;
    if (!Visible) {
        if (isDataBand()) Page.AddAggregatesOfData();
    } else {
        if (Typ == btColumnHeader) Page.ColumnTop = Page.CurY;
        if (Typ == btPageFooter) Top = Page.CurBottomY;
        if (hasObjects()) {
            if (movable() && CalcBandHeight() + Page.CurY > Page.CurBottomY && !AllowSplit) {
                if (Page.IsSubPage) return true;
                Page.CheckPageBreak(this, Page.CurY, 10000, false);
            }
            if (isDataBand() && DataSet && Next && !Next->DataSet) {
                for (TfrBand* b = this; b && (b == this || !b->DataSet); b = b->Next) b->DoDraw();
            } else {
                DoDraw();
                if (!isDataBand() && Typ != btGroupHeader && NewPageAfter) Page.NewPage();
            }
        }
    }
    if (!NoReset) {
        if (Typ != btPageFooter || e.PageNo == report.EMFPages.Count() - 1) InitValues();
    }
    if (report.OnEndBand) report.OnEndBand(this);
    return result || HasPendingSubReports();
}

void TfrBand::DoDraw() {
    if (!hasObjects()) return;
    EngineContext& e = engine();
    e.CurrentBand = this;
    e.AggregateBand = this;
    const int savedTop = Top;
    if (movable()) Top = Page.CurY;
    if (!Stretched) {
        if (movable() && !AllowSplit) {
            Page.CheckPageBreak(this, Top, Height, false);
            Top = Page.CurY;
        }
        if (!AllowSplit) {
            const bool moved = DrawObjects();
            if (hasCrossCells()) DrawCrossCells();
            if (movable() && !moved) Page.CurY += Height;
        } else {
            PrintHeight = CalcHeight >= 0 ? CalcHeight : Height;
            split();
        }
    } else {
        bool moved = false;
        const int h = CalcHeight >= 0 ? CalcHeight : CalcBandHeight();
        if (h > Height) stretchObjects(h);
        PrintHeight = h;
        if (!AllowSplit) {
            if (movable()) {
                Page.CheckPageBreak(this, Top, h, false);
                Top = Page.CurY;
            }
            moved = DrawObjects();
            if (hasCrossCells()) DrawCrossCells();
        } else {
            split();
        }
        unstretchObjects();
        if (movable() && !AllowSplit && !moved) Page.CurY += h;
    }
    Top = savedTop;
    if (isDataBand()) Page.AddAggregatesOfData();
}

int TfrBand::contentsHeight() {
    TfrReport& report = Page.Report;
    for (RtView* o : Objects) o->SavedHeight = o->view->Height;
    int h = Height;
    for (RtView* o : Objects) {
        if (o->Parent != this || !o->asMemo()) continue;
        h = qMax(h, o->view->Top + report.MeasureMemo(*o));
    }
    return h;
}

int TfrBand::CalcBandHeight() {
    if (isDataBand() && Next && !Next->DataSet) {
        int sum = 0;
        for (TfrBand* b = this; b && (b == this || !b->DataSet); b = b->Next) {
            b->CalcHeight = b->Height;
            if (b->Stretched && b->hasObjects()) b->CalcHeight = b->contentsHeight();
            sum += b->CalcHeight;
        }
        return sum;
    }
    CalcHeight = Height;
    if (!Stretched) return Height;
    CalcHeight = contentsHeight();
    if (hasCrossCells() && Typ != btPageFooter) CalcHeight = qMax(CalcHeight, crossCellsHeight());
    return CalcHeight;
}

// The tallest the band's cross cells get over all columns: each column's
// cells are measured with COLUMN# and the cross data source on that column.
int TfrBand::crossCellsHeight() {
    TfrReport& report = Page.Report;
    TfrBand* data = Page.Bands[btCrossData];
    TfrDataset* columns = data && data->hasObjectsOfItsOwn() && data->DataSet ? data->DataSet : CrossDataSet;
    Page.ColumnNo = 1;
    if (report.OnBeginColumn) report.OnBeginColumn(this);
    int h = Height;
    if (!columns) return h;
    for (columns->First(); !columns->IsEof() && !report.Terminated; columns->Next()) {
        int width = data && data->View ? data->Width : 0;
        if (report.OnPrintColumn) report.OnPrintColumn(Page.ColumnNo, width);
        for (RtView* o : Objects) {
            if (!o->asMemo() || !o->Parent || !isVerticalBand(o->Parent->Typ)) continue;
            engine().CurrentBand = this;
            h = qMax(h, o->view->Top + report.MeasureMemo(*o));
            o->memo.DrawMode = MemoLayoutState::Normal;  // each column expands its own text when written
        }
        ++Page.ColumnNo;
    }
    Page.ColumnNo = 1;
    return h;
}

void TfrBand::stretchObjects(int height) {
    for (RtView* o : Objects) {
        const TfrView& v = *o->view;
        const bool stretchable = (v.Typ == gtMemo && (v.Flags & TfrMemoView::flStretched)) ||
                                 (v.Typ == gtLine && (v.Flags & TfrLineView::flStretched));
        if (stretchable) o->view->Height = height - v.Top;
    }
}

void TfrBand::unstretchObjects() {
    for (RtView* o : Objects) o->view->Height = o->SavedHeight;
}

bool TfrBand::DrawObjects() {
    QList<RtView*> subReports;
    for (RtView* o : Objects) {
        if (Page.Report.Terminated) break;
        if (o->view->Typ == gtSubReport && o->Parent == this) subReports.append(o);
        else DrawObject(*o);
    }
    if (subReports.isEmpty()) return false;
    RunSubReports(subReports);
    return true;
}

// Each sub-report's page is laid out once in recording mode, then replayed
// below the band's top, on as many pages as it takes; the position ends at
// the lowest point any of them reached.
void TfrBand::RunSubReports(const QList<RtView*>& subReports) {
    TfrReport& report = Page.Report;
    QList<TfrPageRun*> pages;
    for (RtView* o : subReports) {
        TfrPageRun* sub = report.RunForPage(static_cast<TfrSubReportView*>(o->view.get())->SubPage);
        if (!sub || sub == &Page) continue;
        sub->Recording = true;
        sub->Steps.clear();
        sub->ReplayCursor = 0;
        sub->LayOutPage();
        sub->Recording = false;
        sub->CurY = o->view->Top + Top;
        sub->CurBottomY = Page.CurBottomY;
        sub->XAdjust = Page.XAdjust + o->view->Left;
        sub->CurColumn = 0;
        sub->ForceOneColumn = true;
        pages.append(sub);
    }
    subReportTurns(pages, QList<bool>(pages.size(), false), true);
}

// A band left pending on a sub-report's page goes on where its sub-reports
// stopped, at the page's current position; true while still unfinished.
bool TfrBand::ContinuePendingSubReports() {
    const QList<TfrPageRun*> pages = std::exchange(pendingPages_, {});
    const QList<bool> finished = std::exchange(pendingFinished_, {});
    return subReportTurns(pages, finished, false);
}

bool TfrBand::subReportTurns(const QList<TfrPageRun*>& pages, QList<bool> finished, bool firstTurn) {
    TfrReport& report = Page.Report;
    int lowest = Page.CurY;
    for (; !report.Terminated; firstTurn = false) {
        if (!firstTurn)
            for (int i = 0; i < pages.size(); ++i)
                if (!finished[i]) {
                    pages[i]->CurY = Page.CurY;
                    pages[i]->CurBottomY = Page.CurBottomY;
                }
        lowest = Page.CurY;
        bool all = true;
        for (int i = 0; i < pages.size(); ++i) {
            if (finished[i]) continue;
            finished[i] = pages[i]->Replay();
            if (finished[i]) lowest = qMax(lowest, pages[i]->CurY);
            else all = false;
        }
        if (all) break;
        // Inside another sub-report the band waits: the outer replay starts
        // the next page and continues it there.
        if (Page.IsSubPage) {
            pendingPages_ = pages;
            pendingFinished_ = finished;
            Page.CurY = lowest;
            return true;
        }
        Page.NewPage();
    }
    for (TfrPageRun* sub : pages) sub->Steps.clear();
    Page.CurY = lowest;
    return false;
}

void TfrBand::DrawObject(RtView& o) {
    EngineContext& e = engine();
    e.CurrentPage = &Page.Template;
    e.CurrentBand = this;
    e.AggregateBand = this;
    if (o.Parent != this || e.FirstPass) return;
    TfrView& v = *o.view;
    const int savedLeft = v.Left, savedTop = v.Top;
    v.Left += Page.XAdjust - Page.LeftMargin();
    v.Top += Top;
    const bool wholeMemo = o.asMemo() && o.memo.DrawMode != MemoLayoutState::SplitPart;
    try {
        Page.Report.WriteObject(o);
        if (wholeMemo)
            for (TfrView* hooked : Page.Report.HookList) hooked->NotifyPrinted(&v);
    } catch (const std::exception& ex) {
        Page.Report.CalculationError(o, ex);
    }
    v.Left = savedLeft;
    v.Top = savedTop;
}

void TfrBand::drawCells(TfrBand* cross, int x) {
    if (!cross) return;
    for (RtView* o : Objects) {
        if (o->Parent != cross || Page.Report.Terminated) continue;
        TfrView& v = *o->view;
        const int savedLeft = v.Left;
        o->Parent = this;
        v.Left = x + savedLeft + Page.LeftMargin() - Page.XAdjust;  // DrawObject adds the column offset back
        DrawObject(*o);
        v.Left = savedLeft;
        o->Parent = cross;
    }
}

// Cross columns: the header's cells at the left margin, then one column per
// record of the cross data source (moving on to the next prepared page when
// a column would pass the right edge), then the footer's cells.
void TfrBand::DrawCrossCells() {
    // The page header of a side page: the band that added the page prints
    // its columns there.
    if (Page.AddingSidePage()) return;
    EngineContext& e = engine();
    TfrReport& report = Page.Report;
    TfrBand* header = Page.Bands[btCrossHeader];
    TfrBand* data = Page.Bands[btCrossData];
    TfrBand* footer = Page.Bands[btCrossFooter];
    if (Typ != btPageFooter && report.OnBeginColumn) report.OnBeginColumn(this);
    TfrDataset* columns = data && data->hasObjectsOfItsOwn() && data->DataSet ? data->DataSet : CrossDataSet;
    const int firstPage = e.PageNo;
    const int left = Page.LeftMargin();
    report.CrossCells = true;
    struct Done {
        TfrReport& r;
        int page;
        ~Done() {
            r.CrossCells = false;
            engine().PageNo = page;
        }
    } done{report, firstPage};
    int x = left;
    if (header && header->View) {
        drawCells(header, x);
        x += header->Width;
    }
    Page.ColumnNo = 1;
    if (columns) {
        for (columns->First(); !columns->IsEof() && !report.Terminated; columns->Next()) {
            int width = data && data->View ? data->Width : 0;
            if (report.OnPrintColumn) report.OnPrintColumn(Page.ColumnNo, width);
            if (x + width > Page.RightEdge() && x > left) {
                ++e.PageNo;
                if (e.PageNo >= report.EMFPages.Count()) Page.AddSidePage();
                x = left;
                if (header && header->View && (header->Flags & TfrBandView::flRepeatHeader)) {
                    drawCells(header, x);
                    x += header->Width;
                }
            }
            drawCells(data, x);
            if (isDataBand()) Page.AddAggregatesOfData();
            x += width;
            ++Page.ColumnNo;
        }
    }
    if (footer && footer->View) {
        drawCells(footer, x);
        footer->Values.clear();
        footer->ValueCount = 0;
    }
}

void TfrBand::prepareSplitText(RtView& o) {
    TfrMemoView* m = o.asMemo();
    if (!m) return;
    if (o.memo.DrawMode != MemoLayoutState::Measured) Page.Report.MeasureMemo(o);
    o.memo.DrawMode = MemoLayoutState::SplitPart;
    o.memo.PrintedHeight = 0;
}

// A memo continued from the previous page prints what is left of its text
// from the band's top. When that fits, whatever lay below it in its span moves
// down by what it prints beyond its old bottom, so the text runs into nothing.
void TfrBand::continueBelow(RtView& memo, int restHeight, int limit) {
    TfrView& v = *memo.view;
    const int oldBottom = v.Top + v.Height;
    v.Top = qMax(v.Top, 0);
    v.Height = restHeight;
    const int dy = v.Top + v.Height - oldBottom;
    if (v.Top + v.Height >= limit || dy <= 0) return;  // a page-high part moves nothing
    for (RtView* o : Objects) {
        TfrView& w = *o->view;
        if (o == &memo || o->Printed || w.Top < oldBottom) continue;
        if (w.Left < v.Left + v.Width && v.Left < w.Left + w.Width) w.Top += dy;
    }
}

// Splitting: objects print up to the page's limit; a memo crossing it prints
// the whole lines that fit and continues on the next page.
void TfrBand::split() {
    for (RtView* o : Objects) {
        o->Printed = false;
        o->SavedRect = QRect(o->view->Left, o->view->Top, o->view->Width, o->view->Height);
    }
    const auto restore = [&] {
        for (RtView* o : Objects) o->view->SetBounds(o->SavedRect.x(), o->SavedRect.y(), o->SavedRect.width(), o->SavedRect.height());
    };
    Top = Page.CurY;
    if (!Page.CheckPageBreak(this, Page.CurY, PrintHeight, true)) {
        DrawObjects();
        restore();
        Page.CurY += PrintHeight;
        return;
    }
    // Memos without text (a cell's frame and fill) print the part of their
    // box on each page they span.
    QSet<const RtView*> boxes;
    for (RtView* o : Objects) {
        prepareSplitText(*o);
        const auto& lines = o->memo.Scratch;
        if (o->asMemo() && std::all_of(lines.begin(), lines.end(), [](const WrappedLine& l) { return l.text.isEmpty(); }))
            boxes.insert(o);
    }
    TfrReport& report = Page.Report;
    int lastBottom = 0;
    const TfrBand* columnFooter = Page.Bands[btColumnFooter];
    const auto restHeight = [](const RtView& o) {
        return int(o.memo.Scratch.size()) * o.memo.LineHeightPx + 2 * scaleForDrawing(*o.view).GapY + 1;
    };
    while (!report.Terminated) {
        const int limit = Page.CurBottomY - (columnFooter ? columnFooter->Height : 0) - Top - 2;
        lastBottom = 0;
        // Where the texts continued on this page end: a stretched box goes
        // on down to there (the band grew to its texts).
        int textBottom = 0;
        for (RtView* o : Objects) {
            if (o->Printed || boxes.contains(o) || !o->asMemo() || o->memo.PrintedHeight <= 0) continue;
            continueBelow(*o, restHeight(*o), limit);
            textBottom = qMax(textBottom, o->view->Top + o->view->Height);
        }
        for (RtView* o : Objects) {
            if (o->Printed) continue;
            TfrView& v = *o->view;
            TfrMemoView* m = o->asMemo();
            const bool boxOnly = boxes.contains(o);
            if (boxOnly && v.Top < 0) {  // its rest, from the band's top
                v.Height += v.Top;
                v.Top = 0;
                if (v.Flags & TfrMemoView::flStretched) v.Height = qMax(v.Height, textBottom);
            } else if (m && o->memo.PrintedHeight > 0) {  // a continuation: what is left, from the band's top
                v.Top = qMax(v.Top, 0);
                v.Height = restHeight(*o);
            }
            if (v.Top >= limit) continue;
            if (m) o->memo.DrawMode = MemoLayoutState::SplitPart;  // each write ends the mode
            if (v.Top + v.Height < limit) {
                DrawObject(*o);
                o->Printed = true;
                lastBottom = qMax(lastBottom, v.Top + v.Height);
            } else if (boxOnly) {
                const int bottom = v.Top + v.Height;
                v.Height = limit - v.Top + 1;
                DrawObject(*o);
                lastBottom = qMax(lastBottom, v.Top + v.Height);
                v.Height = bottom - v.Top;
            } else if (m) {
                v.Height = limit - v.Top + 1;
                const int fit = memo::linesThatFit(*m, o->memo.Scratch);
                if (fit > 0) DrawObject(*o);
                // The first pass writes nothing, so the lines this part takes
                // leave the rest here, as the write takes them in the second.
                if (engine().FirstPass) o->memo.Scratch = o->memo.Scratch.mid(fit);
                o->memo.PrintedHeight += v.Height;
                o->Printed = o->memo.Scratch.isEmpty();
                lastBottom = qMax(lastBottom, v.Top + v.Height);
            } else {
                v.Top = limit;
            }
        }
        bool left = false;
        for (RtView* o : Objects)
            if (!o->Printed) {
                o->view->Top -= limit;
                left = true;
            }
        if (!left) break;
        Page.NewColumn(this);  // the rest goes on in the next column or page
        Top = Page.CurY;
    }
    restore();
    for (RtView* o : Objects) o->memo.DrawMode = MemoLayoutState::Normal;
    PrintHeight = lastBottom;
    Page.CurY += PrintHeight;
}

void TfrBand::InitValues() {
    if (Typ == btGroupHeader) {
        for (TfrBand* b = this; b; b = b->Next) {
            if (b->Footer) {
                b->Footer->Values.clear();
                b->Footer->ValueCount = 0;
            }
            b->LastGroupValue = Page.Report.GroupValue(b);
        }
    } else {
        Values.clear();
        ValueCount = 0;
    }
}

void TfrBand::DoAggregate() {
    for (auto it = Values.begin(); it != Values.end(); ++it)
        if (!it->isEmpty()) (*it)[0] = u'0';
    const bool wasVisible = Visible;
    Visible = false;
    EngineContext& e = engine();
    TfrBand* savedAggregate = e.AggregateBand;
    e.AggregateBand = this;
    struct Restore {
        TfrBand* band;
        bool visible;
        TfrBand* aggregate;
        ~Restore() {
            band->Visible = visible;
            engine().AggregateBand = aggregate;
        }
    } restore{this, wasVisible, savedAggregate};
    for (RtView* o : Objects)
        if (o->asMemo() && Page.Report.InTotals(*o)) Page.Report.ExpandObjectText(*o->view, o->view->Memo);
    ++ValueCount;
}

}  // namespace lum
