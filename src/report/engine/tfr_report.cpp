#include "report/engine/tfr_report.h"

#include "platform/clock.h"
#include "report/draw/memo_fit.h"
#include "report/expr/engine_context.h"
#include "report/expr/expr_error.h"
#include "report/expr/number_format.h"
#include "report/frf/byte_writer.h"
#include "report/frf/template_stream.h"
#include "report/objects/addin_views.h"
#include "report/objects/picture_view.h"
#include "report/script/report_interpreter.h"

#include <QRegularExpression>
#include <cmath>

namespace lum {
namespace {

QString exceptionText(const std::exception& ex) {
    if (const auto* e = dynamic_cast<const ReportExprError*>(&ex)) return e->message();
    if (const auto* e = dynamic_cast<const EDSError*>(&ex)) return e->message();
    return QString::fromUtf8(ex.what());
}

// The data band whose data set the lookup reads for a band of this type.
int dataBandTypeFor(int typ) {
    switch (typ) {
    case btMasterData:
    case btMasterFooter:
    case btReportSummary:
    case btGroupHeader:
    case btGroupFooter: return btMasterData;
    case btDetailData:
    case btDetailFooter: return btDetailData;
    case btSubDetailData:
    case btSubDetailFooter: return btSubDetailData;
    default: return -1;
    }
}


}  // namespace

TfrReport::TfrReport(ReportComponents* owner, QString name) : Name(std::move(name)), Owner(owner) {
    EMFPages.OnPageAdded = [this](int) {
        if (OnBeginPage) OnBeginPage(engine().PageNo);
    };
    RunScript = [](TfrView* view, TfrBand*) { RunViewScript(*view); };
}

TfrReport::~TfrReport() {
    runs_.clear();
    engine().forgetReport(this);
    if (engine().ScriptPage == static_cast<ScriptHost*>(this)) engine().ScriptPage = nullptr;
}

namespace {
ReportProgress* gDefaultProgress = nullptr;
ReportUi* gDefaultUi = nullptr;
}  // namespace

ReportProgress* defaultReportProgress() { return gDefaultProgress; }
ReportUi* defaultReportUi() { return gDefaultUi; }
void setDefaultReportWindows(ReportProgress* progress, ReportUi* ui) {
    gDefaultProgress = progress;
    gDefaultUi = ui;
}

ReportProgress& TfrReport::progress() {
    if (Progress) return *Progress;
    if (gDefaultProgress) return *gDefaultProgress;
    if (!ownProgress_) ownProgress_ = std::make_unique<HeadlessProgress>();
    return *ownProgress_;
}

ReportUi& TfrReport::ui() {
    if (Ui) return *Ui;
    if (gDefaultUi) return *gDefaultUi;
    if (!ownUi_) ownUi_ = std::make_unique<HeadlessReportUi>();
    return *ownUi_;
}

bool TfrReport::LoadTemplateFromFile(const QString& fileName) {
    const TemplateLoadResult result = lum::LoadTemplateFromFile(fileName, Template);
    if (result.ok()) {
        FileName = fileName;
        return true;
    }
    ui().showError(result.message.isEmpty() ? kUnsupportedFrfFormat : result.message);
    return false;
}

void TfrReport::bindEngine() {
    EngineContext& e = engine();
    e.CurrentReport = this;
    Values().Sort();
    lookup_.OnGetValue = OnGetValue;
    lookup_.OnUserFunction = OnUserFunction;
    lookup_.Values = &Values();
    lookup_.Host = this;
    lookup_.bindParser();
    e.Aggregates = &aggregates_;
    e.ScriptPage = this;
}

QString TfrReport::progressCaption() const {
    QString caption = QStringLiteral("Report preparing");
    if (!Title.isEmpty()) caption += QStringLiteral(" - ") + Title;
    return caption;
}

bool TfrReport::Prepare() {
    EngineContext& e = engine();
    e.setReportMoment(TDateTime::fromDateTime(lum::now()));
    bindEngine();
    if (OnBeginDoc) OnBeginDoc();
    // The template's double-pass setting is put back whatever happens.
    struct RestoreDoublePass {
        TfrReport& r;
        quint16 saved;
        ~RestoreDoublePass() {
            r.Template.DoublePass = saved;
            r.secondPass_ = false;
            engine().FirstPass = false;
        }
    } restore{*this, Template.DoublePass};
    firstPassCancelled_ = false;
    const bool ok = DoPrepare();
    FinalPass = false;
    if (OnEndDoc) OnEndDoc();
    return ok;
}

bool TfrReport::DoPrepare() {
    EngineContext& e = engine();
    Terminated = false;
    cancelAtRecordEnd_ = false;
    Append = AppendFooter = false;
    e.FirstPass = false;
    FinalPass = true;
    e.PageNo = 0;
    EMFPages.Clear();
    const bool window = !OnProgress && ShowProgress;
    progress().OnCancel = [this] {
        if (FinishRecordOnCancel && Dataset && ReportType == rtMultiple) cancelAtRecordEnd_ = true;
        else Terminated = true;
    };
    // Nothing raised while the pages are formed escapes the progress job: it is
    // kept, the window closed, and raised again once the job is over.
    const auto job = [this] {
        try {
            RunPass();
        } catch (...) {
            jobError_ = std::current_exception();
            Terminated = true;
            if (progress().isVisible()) progress().close(false);
        }
    };
    bool result = true;
    if (DoublePass()) {
        e.FirstPass = true;
        FinalPass = false;
        e.TotalPages = 0;
        firstCaption_ = QStringLiteral("Performing 1st pass:");
        if (window) progress().runModal(progressCaption(), firstCaption_ + QStringLiteral("  1"), job);
        else job();
        result = !firstPassCancelled_;
    } else {
        firstCaption_ = QStringLiteral("Processing page:");
        if (!secondPass_) e.TotalPages = 0;
        if (window && !progress().isVisible())
            result = progress().runModal(progressCaption(), firstCaption_ + QStringLiteral("  1"), job);
        else
            job();
    }
    Terminated = false;
    if (jobError_) {
        const std::exception_ptr error = jobError_;
        jobError_ = nullptr;
        EMFPages.Clear();
        std::rethrow_exception(error);
    }
    return result;
}

void TfrReport::RunPass() {
    EngineContext& e = engine();
    BuildPages();
    if (FinalPass) {
        if (!OnProgress && ShowProgress && progress().isVisible()) progress().close(!Terminated);
        return;
    }
    // The first pass is over. A cancel here ends the preparation.
    firstPassCancelled_ = Terminated;
    if (firstPassCancelled_) {
        EMFPages.Clear();
        if (progress().isVisible()) progress().close(false);
        return;
    }
    e.TotalPages = EMFPages.Count();
    const quint16 saved = Template.DoublePass;
    Template.DoublePass = 0;
    secondPass_ = true;
    struct Restore {
        TfrReport& r;
        quint16 saved;
        ~Restore() {
            r.Template.DoublePass = saved;
            r.secondPass_ = false;
        }
    } restore{*this, saved};
    DoPrepare();
}

void TfrReport::BuildPages() {
    EngineContext& e = engine();
    HookList.clear();
    CanRebuild = true;
    bindEngine();
    e.CalcErrorFlag = false;
    e.CalcErrorText.clear();
    const bool multi = Dataset && ReportType == rtMultiple;
    struct Cleanup {
        TfrReport& r;
        bool multi;
        ~Cleanup() {
            r.currentRun_ = nullptr;
            r.runs_.clear();
            engine().forgetRuntimeObjects();
            if (multi) {
                try {
                    r.Dataset->Close();
                } catch (...) {
                }
            }
        }
    } cleanup{*this, multi};
    if (multi) {
        Dataset->Open();
        Dataset->First();
    }
    const int count = Pages().Count();
    subReportPages_.assign(size_t(count), false);
    runs_.clear();
    for (int i = 0; i < count; ++i) {
        TfrPage& page = Pages()[i];
        const PageGeometry geometry = PaperSetup ? PaperSetup(page)
                                                 : defaultPrinterGeometry(page.PaperSize, page.PaperWidth,
                                                                          page.PaperHeight, page.Orientation);
        runs_.push_back(std::make_unique<TfrPageRun>(*this, page, geometry));
    }
    for (auto& run : runs_) {
        currentRun_ = run.get();
        run->InitReport();
    }
    for (int i = 0; i < count; ++i) runs_[size_t(i)]->IsSubPage = subReportPages_[size_t(i)];
    lookup_.BindValueDataSets();
    for (auto& run : runs_) run->PrepareObjects();

    while (true) {
        ShowProgressPage(e.PageNo + 1);
        for (int i = 0; i < count; ++i) {
            TfrPageRun& run = *runs_[size_t(i)];
            if (run.IsSubPage) continue;
            currentRun_ = &run;
            e.CurrentPage = &run.Template;
            if (OnManualBuild) OnManualBuild(&run.Template);
            else run.LayOutPage();
            if (i + 1 < count && Pages()[i + 1].PrintToPrevPage) {
                --e.PageNo;
                Append = true;
            } else {
                e.PageNo = EMFPages.Count();
                ShowProgressPage(e.PageNo);
            }
            if (Terminated) break;
        }
        ShowProgressPage(e.PageNo);
        if (cancelAtRecordEnd_) Terminated = true;
        if (multi) Dataset->Next();
        if (Terminated || !multi || Dataset->IsEof()) break;
    }
}

void TfrReport::PrepareAndShow() {
    EngineContext& e = engine();
    try {
        Prepare();
    } catch (const std::exception& ex) {
        EMFPages.Clear();
        ui().showError(exceptionText(ex));
        return;
    }
    if (e.CalcErrorFlag) {
        ui().showError(e.CalcErrorText);
        EMFPages.Clear();
        return;
    }
    PreviewPrepared();
}

void TfrReport::PreviewPrepared() {
    if (EMFPages.Count() == 0) return;
    QString caption = QStringLiteral("Preview");
    if (!Title.isEmpty()) caption += QStringLiteral(" - ") + Title;
    ui().showPreview(*this, caption);
}

void TfrReport::ShowProgressPage(int n) {
    if (OnProgress) {
        OnProgress(n);
        return;
    }
    if (!ShowProgress || !progress().isVisible()) return;
    QString label = firstCaption_ + QStringLiteral("  ") + QString::number(n);
    if (secondPass_) label += QStringLiteral(" from ") + QString::number(engine().TotalPages);
    progress().setLabel(label);
    progress().processEvents();
}

void TfrReport::ProcessEvents() {
    if (ShowProgress && !OnProgress && progress().isVisible()) progress().processEvents();
}

TfrDataset* TfrReport::ResolveDataSource(const QString& name, std::unique_ptr<TfrDataset>& owned) {
    if (name.isEmpty()) return nullptr;
    TfrDataset* source = nullptr;
    if (name.at(0) >= u'1' && name.at(0) <= u'9') {
        owned = std::make_unique<TfrUserDataset>(name);
        owned->RangeEnd = reCount;
        owned->RangeEndCount = name.toInt();
        source = owned.get();
    } else {
        source = FindDataSourceByName(Owner, name);
    }
    if (source) source->Open();
    return source;
}

void TfrReport::MarkSubReportPage(int index) {
    if (index >= 0 && size_t(index) < subReportPages_.size()) subReportPages_[size_t(index)] = true;
}

QStringList TfrReport::ExpandObjectText(const TfrView& view, const QStringList& text) {
    engine().CurrentView = const_cast<TfrView*>(&view);
    return memo::expandText(text, [&](const QString& expr) {
        return lookup_.ExpandExpression(expr, view.Format, view.FormatStr);
    });
}

bool TfrReport::InTotals(RtView& o) {
    const QStringList& text = o.view->Memo;
    if (o.TotalsDecided && o.TotalsText == text) return o.InTotals;
    o.TotalsDecided = true;
    o.TotalsText = text;
    o.InTotals = false;
    for (const QString& line : text) o.InTotals = o.InTotals || mayCountAggregate(line);
    // A name in the text may be a binding whose expression counts one.
    for (int i = 0; i < Values().Count() && !o.InTotals; ++i)
        o.InTotals = mayCountAggregate(Values().Item(i).FieldName);
    return o.InTotals;
}

ExprValue TfrReport::GroupValue(TfrBand* header) {
    if (header->GroupCondition.trimmed().isEmpty()) return {};
    engine().CurrentBand = header;
    return engine().ExprParser.Calc(header->GroupCondition);
}

void TfrReport::BindObjectField(RtView& o, const QString& name) {
    const TfrValue* binding = Values().FindVariable(name);
    if (!binding) {
        const int dataType = o.Parent ? dataBandTypeFor(o.Parent->Typ) : -1;
        TfrBand* dataBand = dataType >= 0 ? o.Parent->Page.Bands[size_t(dataType)] : nullptr;
        ReportDataSet* ds = dataBand && dataBand->DataSet ? dataBand->DataSet->dataSet() : nullptr;
        QString field;
        if (lookup_.SplitFieldName(name, ds, field) && ds && ds->hasField(field)) {
            o.DataSet = ds;
            o.DataField = field;
        }
    } else if (binding->Typ == vtDataField && binding->DSet) {
        o.DataSet = binding->DSet;
        o.DataField = binding->FieldName;
    }
}

void TfrReport::AddPreparedPage(TfrPageRun& page) { EMFPages.AddPage(page.Template, page.Geometry); }

void TfrReport::enterRect(RtView& o) {
    TfrView& v = *o.view;
    if (o.DataSet && !o.DataField.isEmpty() && o.DataSet->isBlobField(o.DataField)) {
        if (!o.DataSet->isOpen()) o.DataSet->open();
        if (v.Typ == gtMemo) {
            v.Memo1 = memo::splitLines(o.DataSet->fieldValue(o.DataField).toString());
        } else if (v.Typ == gtPicture) {
            auto& picture = static_cast<TfrPictureView&>(v);
            const QByteArray bytes = o.DataSet->blobBytes(o.DataField);
            if (bytes.isEmpty()) picture.clear();
            else picture.setImage(QImage::fromData(bytes));
        }
    }
    if (OnEnterRect) OnEnterRect(v.Memo1, &v);
}

int TfrReport::MeasureMemo(RtView& o) {
    TfrMemoView* m = o.asMemo();
    if (!m) return 0;
    engine().CurrentView = m;
    o.memo.DrawMode = MemoLayoutState::Measured;
    if (RunScript && !m->Script.isEmpty()) RunScript(m, o.Parent);
    if (!m->Visible) return 0;
    m->Memo1 = m->Memo;
    enterRect(o);
    if (m->Memo1 == m->Memo) m->Memo1 = ExpandObjectText(*m, m->Memo);
    // Measured with the highlight's font style when its condition holds.
    const quint16 savedStyle = m->Font.Style;
    if (!m->HighlightCondition.trimmed().isEmpty() && engine().ExprParser.Calc(m->HighlightCondition).toDouble() != 0)
        m->Font.Style = m->Highlight.FontStyle;
    struct Restore {
        TfrMemoView& m;
        quint16 style;
        ~Restore() { m.Font.Style = style; }
    } restore{*m, savedStyle};
    if ((m->Flags & TfrMemoView::flAutoWidth) && !m->Memo1.isEmpty()) m->Width = memo::calcWidth(*m, m->Memo1);
    return memo::calcHeight(*m, m->Memo1, o.memo);
}

// A text its box cannot hold is written as the whole lines the box holds,
// the last one marked as cut: never half a line, never text gone without a
// sign. Auto-width memos are sized to their text and never cut.
// A memo measured for a stretched band was wrapped then: those lines serve.
static void cutToItsBox(TfrMemoView& m, const MemoLayoutState& s) {
    if (m.Memo1.isEmpty() || (m.Flags & TfrMemoView::flAutoWidth) || isAlreadyWrapped(m.Memo1)) return;
    const memo::Fit fit =
        s.DrawMode == MemoLayoutState::Measured ? memo::fitLines(m, s.Scratch) : memo::fit(m, m.Memo1);
    if (fit.whole()) return;
    m.Memo1 = encodeWrappedLines(memo::cutToBox(m, fit));
    if (!isAlreadyWrapped(m.Memo1)) m.Memo1.append(QString(kParagraphEnd));
}

void TfrReport::WriteObject(RtView& o) {
    EngineContext& e = engine();
    TfrView& v = *o.view;
    e.CurrentView = &v;
    // Positions inside the object count from the start of the page's stream.
    ByteWriter out(EMFPages.GetPage(e.PageNo).Stream.size());
    if (TfrMemoView* m = o.asMemo()) {
        MemoLayoutState& s = o.memo;
        if (s.DrawMode == MemoLayoutState::Normal) {
            if (RunScript && !m->Script.isEmpty()) RunScript(m, o.Parent);
            const bool blobBound = o.DataSet && o.DataSet->isBlobField(o.DataField);
            if (OnEnterRect || blobBound) {
                m->Memo1 = m->Memo;
                enterRect(o);
                if (m->Memo1 == m->Memo) m->Memo1 = ExpandObjectText(*m, m->Memo);
            } else {
                m->Memo1 = ExpandObjectText(*m, m->Memo);
            }
        }
        // The highlight replaces font style, font colour and fill for this write.
        const TfrFont savedFont = m->Font;
        const TColor savedFill = m->FillColor;
        if (!m->HighlightCondition.trimmed().isEmpty() && e.ExprParser.Calc(m->HighlightCondition).toDouble() != 0) {
            m->Font.Style = m->Highlight.FontStyle;
            m->Font.Color = m->Highlight.FontColor;
            m->FillColor = m->Highlight.FillColor;
        }
        struct Restore {
            TfrMemoView& m;
            TfrFont font;
            TColor fill;
            MemoLayoutState& s;
            ~Restore() {
                m.Font = font;
                m.FillColor = fill;
                s.DrawMode = MemoLayoutState::Normal;
            }
        } restore{*m, savedFont, savedFill, s};
        if (!m->Visible) return;
        if (s.DrawMode == MemoLayoutState::SplitPart) {
            // The lines that fit this part, written already wrapped; the rest waits.
            const int fit = memo::linesThatFit(*m, s.Scratch);
            const QList<WrappedLine> part = s.Scratch.mid(0, fit);
            m->Memo1 = encodeWrappedLines(part);
            if (!isAlreadyWrapped(m->Memo1)) m->Memo1.append(QString(kParagraphEnd));
            writePreparedObject(out, *m);
            s.Scratch = s.Scratch.mid(fit);
        } else {
            cutToItsBox(*m, s);
            writePreparedObject(out, *m);
        }
    } else {
        v.Memo1 = v.Memo;
        enterRect(o);
        if (RunScript && !v.Script.isEmpty()) RunScript(&v, o.Parent);
        if (!v.Visible) return;
        if (v.addInClassName() == u"TfrCheckBoxView" && !v.Memo1.isEmpty() && !v.Memo1.first().trimmed().isEmpty()) {
            const ExprValue value = e.ExprParser.Calc(v.Memo1.first());
            v.Memo1 = QStringList{TfrCheckBoxView::preparedText(value.isEmptyOrNull() ? 0 : value.toDouble())};
        }
        writePreparedObject(out, v);
    }
    EMFPages.GetPage(e.PageNo).Stream.append(out.data());
}

void TfrReport::CalculationError(RtView& o, const std::exception&) {
    EngineContext& e = engine();
    QString text = QStringLiteral("An error occured during calculating");
    for (const QString& line : o.view->Memo) text += u'\r' + line;
    text += QStringLiteral("\rReport ") + Name;
    const int bandType = o.Parent ? o.Parent->Typ : btNone;
    text += QStringLiteral("\rBand: ") + bandTypeNames()[size_t(bandType)];
    e.CalcErrorFlag = true;
    e.CalcErrorText = text;
    Terminated = true;
}

// ---- Values from data sets and counters.

ReportDataSet* TfrReport::currentBandDataSet() {
    TfrBand* b = engine().CurrentBand;
    if (!b) return nullptr;
    const int dataType = dataBandTypeFor(b->Typ);
    if (dataType < 0) return nullptr;
    TfrBand* d = b->Page.Bands[size_t(dataType)];
    return d && d->DataSet ? d->DataSet->dataSet() : nullptr;
}

ReportDataSet* TfrReport::findDataSet(const QString& name) { return FindDataSetByName(Owner, name); }

std::optional<ExprValue> TfrReport::fieldValue(ReportDataSet* dataSet, const QString& field) {
    if (!dataSet) return std::nullopt;
    if (!dataSet->isOpen()) dataSet->open();
    if (!dataSet->hasField(field)) return std::nullopt;
    if (dataSet->hasDisplayText(field)) return ExprValue(dataSet->displayText(field));
    return dataSet->fieldValue(field);
}

int TfrReport::specialCounter(int otherKind) {
    TfrBand* b = engine().CurrentBand;
    TfrPageRun* run = b ? &b->Page : currentRun_;
    switch (otherKind) {
    case svLine:
    case svLineThrough: {
        TfrBand* counted = b && !b->DataSet ? b->Page.Bands[size_t(b->Typ)] : b;
        if (!counted) return 0;
        return otherKind == svLine ? counted->LineNo : counted->LineThroughNo;
    }
    case svColumn: return run ? run->ColumnNo : 0;
    case svCurrentLine: return run ? run->CurrentNo : 0;
    default: return 0;
    }
}

bool TfrReport::aggregateBandVisible() {
    TfrBand* b = engine().AggregateBand;
    return b ? b->Visible : true;
}

// ---- Aggregates: the counting is AggregateCounter's; the report gives it the bands.

bool TfrReport::forEachRecord(ReportDataSet* dataSet, const std::function<void()>& visit) {
    if (!dataSet) return false;
    if (!dataSet->isOpen()) dataSet->open();
    // The walk returns the data set to its record, so a master loop over the
    // same data set goes on where it was.
    struct Back {
        ReportDataSet* ds;
        QVariant mark;
        ~Back() { ds->gotoBookmark(mark); }
    } back{dataSet, dataSet->bookmark()};
    for (dataSet->first(); !dataSet->eof(); dataSet->next()) visit();
    return true;
}

int TfrReport::aggregateBandType() {
    const TfrBand* b = engine().AggregateBand;
    return b ? b->Typ : -1;
}

int TfrReport::aggregateBandValueCount() {
    const TfrBand* b = engine().AggregateBand;
    return b ? b->ValueCount : 0;
}

QString TfrReport::aggregateValue(const QString& key) {
    const TfrBand* b = engine().AggregateBand;
    return b ? b->Values.value(key) : QString();
}

void TfrReport::setAggregateValue(const QString& key, const QString& value) {
    if (TfrBand* b = engine().AggregateBand) b->Values.insert(key, value);
}

QString TfrReport::currentBandName() {
    const TfrBand* b = engine().CurrentBand;
    return b ? b->name() : QString();
}

bool TfrReport::currentBandVisible() {
    const TfrBand* b = engine().CurrentBand;
    return b ? b->Visible : true;
}

int TfrReport::currentColumn() {
    const TfrBand* b = engine().AggregateBand;
    return b ? b->Page.ColumnNo : (currentRun_ ? currentRun_->ColumnNo : 0);
}

}  // namespace lum
