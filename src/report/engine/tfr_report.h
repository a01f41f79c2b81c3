#pragma once
// The report component every printing window owns: it loads a template,
// answers the template's questions through the window's value event, forms
// the prepared pages (in one or two passes, once or once per record of its
// data source) and hands them to the preview.
#include "report/data/report_components.h"
#include "report/engine/page_run.h"
#include "report/engine/prepared_pages.h"
#include "report/engine/report_progress.h"
#include "report/expr/aggregate_counter.h"
#include "report/expr/engine_hooks.h"
#include "report/expr/report_lookup.h"
#include "report/objects/report_template.h"
#include "report/script/script_host.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace lum {

enum TfrReportType { rtSimple, rtMultiple };

// The preview's buttons (`PreviewButtons`) and the zoom it opens at (`InitialZoom`).
enum TfrPreviewButton { pbZoom = 1, pbLoad = 2, pbSave = 4, pbPrint = 8, pbFind = 16, pbHelp = 32, pbExit = 64 };
inline constexpr int kAllPreviewButtons = pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit;
enum TfrPreviewZoom { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };

// What preparation shows the user: error boxes (caption "Error", error icon)
// and the preview of the prepared pages. The engine's widgets implement it;
// HeadlessReportUi records what would have been shown.
class ReportUi {
public:
    virtual ~ReportUi() = default;
    virtual void showError(const QString& text) = 0;
    virtual void showPreview(class TfrReport& report, const QString& caption) = 0;
};

class HeadlessReportUi : public ReportUi {
public:
    void showError(const QString& text) override { errors.append(text); }
    void showPreview(TfrReport&, const QString& caption) override { previews.append(caption); }
    QStringList errors;
    QStringList previews;
};

// The engine-wide progress window and user interface every report uses when
// it is given none of its own (the engine's widgets install theirs at start;
// without them reports run headless).
ReportProgress* defaultReportProgress();
ReportUi* defaultReportUi();
void setDefaultReportWindows(ReportProgress* progress, ReportUi* ui);

class TfrReport : public ReportDataHost, public AggregateBandAccess, public ScriptHost {
public:
    explicit TfrReport(ReportComponents* owner = nullptr, QString name = QStringLiteral("frReport1"));
    ~TfrReport() override;
    TfrReport(const TfrReport&) = delete;
    TfrReport& operator=(const TfrReport&) = delete;

    // Properties.
    QString Name;
    TfrDataset* Dataset = nullptr;
    TfrReportType ReportType = rtSimple;
    bool ShowProgress = true;
    // rtMultiple: a Cancel lets the pages of the record in hand be finished
    // before the build stops, so no record is printed in part (bulk printouts
    // of one document per record). Otherwise a Cancel stops every loop at once.
    bool FinishRecordOnCancel = false;
    bool ModalPreview = true;
    int PreviewButtons = kAllPreviewButtons;
    TfrPreviewZoom InitialZoom = pzDefault;
    QString Title;

    // Events.
    std::function<void()> OnBeginDoc;
    std::function<void()> OnEndDoc;
    std::function<void(int pgNo)> OnBeginPage;
    std::function<void(int pgNo)> OnEndPage;
    std::function<void(TfrBand* band)> OnBeginBand;
    std::function<void(TfrBand* band)> OnEndBand;
    ReportValueLookup::GetValueEvent OnGetValue;
    std::function<void(QStringList& memo, TfrView* view)> OnEnterRect;
    ReportValueLookup::UserFunctionEvent OnUserFunction;
    std::function<void(int n)> OnProgress;
    std::function<void(TfrPage* page)> OnManualBuild;
    std::function<void(TfrBand* band)> OnBeginColumn;
    std::function<void(int colNo, int& width)> OnPrintColumn;
    // Runs an object's or band's compiled script; the engine's script interpreter
    // unless replaced.
    std::function<void(TfrView* view, TfrBand* band)> RunScript;

    // State.
    ReportTemplate Template;
    TfrEMFPages EMFPages;
    QString FileName = QStringLiteral("Untitled");
    bool CanRebuild = false;
    // Run-time objects whose Flags carry flHookList; each hears of every
    // whole memo written. Cleared when a build starts; a page's objects
    // leave it when they are freed.
    std::vector<TfrView*> HookList;
    bool Terminated = false;
    bool FinalPass = false;
    ReportComponents* Owner;

    // Services: the progress window and what is shown; headless when not set.
    ReportProgress* Progress = nullptr;
    ReportUi* Ui = nullptr;
    // The paper of a template page on the printer (the Default printer's table
    // when not set).
    std::function<PageGeometry(const TfrPage&)> PaperSetup;

    TfrPages& Pages() { return Template.Pages; }
    TfrValues& Values() { return Template.Values; }
    bool DoublePass() const { return Template.DoublePass != 0; }

    // Loads a template; on failure shows the loader's message and returns false
    // (the caller then prepares nothing).
    bool LoadTemplateFromFile(const QString& fileName);
    // Forms the prepared pages; false when the user cancelled. An exception in
    // a band script, a group condition or an aggregate ends the preparation
    // with every run-time object freed and the progress window closed, and is
    // passed on.
    bool Prepare();
    // Prepare, then the preview; a calculation error or an exception shows its
    // message instead and clears the pages.
    void PrepareAndShow();
    void PreviewPrepared();

    // ---- Prepared pages: files and printing (tfr_report_prepared.cpp).
    // Writes the prepared pages (through a temporary file); false with the
    // reason in `error`.
    bool SavePreparedToFile(const QString& fileName, QString* error = nullptr);
    // Replaces the prepared pages by the file's (only when the whole file
    // was read) and clears CanRebuild; false with the reason in `error`.
    bool LoadPreparedFromFile(const QString& fileName, QString* error = nullptr);
    // Selects the printer of that name unless the template prints to the
    // default printer; an unknown name changes nothing.
    void SelectPrinterByName(const QString& name);
    // Selects printer `newIndex` and sets up every template page's paper on
    // it; on failure "Printer selected is not valid", the old printer again
    // and false.
    bool SwitchPrinter(int oldIndex, int newIndex);
    // Prints the pages of the list ("1,3,5-12", empty for all) `copies`
    // times under the progress window; false with the reason when the list
    // is not valid or printing failed (a cancel is not a failure).
    bool PrintPrepared(const QString& pageList, int copies, QString* error = nullptr);
    TfrView* FindObject(const QString& name) const { return Template.Pages.FindObject(name); }

    // ---- Used by bands and pages while a report is built.
    bool Append = false;
    bool AppendFooter = false;
    int SavedCurY = 0;
    int SavedBottom = 0;
    bool CrossCells = false;

    TfrDataset* ResolveDataSource(const QString& name, std::unique_ptr<TfrDataset>& owned);
    int MeasureMemo(RtView& o);
    void WriteObject(RtView& o);
    void CalculationError(RtView& o, const std::exception& ex);
    ExprValue GroupValue(TfrBand* header);
    QStringList ExpandObjectText(const TfrView& view, const QStringList& text);
    // Whether a footer's totals pass evaluates the memo `o` (see RtView::InTotals):
    // its text, or any binding it could reach, may count an aggregate.
    bool InTotals(RtView& o);
    void MarkSubReportPage(int index);
    void BindObjectField(RtView& o, const QString& name);
    void AddPreparedPage(TfrPageRun& page);
    void ShowProgressPage(int n);
    void ProcessEvents();
    TfrPageRun* currentRun() const { return currentRun_; }
    TfrPageRun* RunForPage(int index) const {
        return index >= 0 && size_t(index) < runs_.size() ? runs_[size_t(index)].get() : nullptr;
    }

    // ReportDataHost.
    ReportDataSet* currentBandDataSet() override;
    ReportDataSet* findDataSet(const QString& name) override;
    std::optional<ExprValue> fieldValue(ReportDataSet* dataSet, const QString& field) override;
    int specialCounter(int otherKind) override;
    bool aggregateBandVisible() override;  // (also AggregateBandAccess)
    bool forEachRecord(ReportDataSet* dataSet, const std::function<void()>& visit) override;
    // AggregateBandAccess: the footer being evaluated and the band being printed.
    int aggregateBandType() override;
    int aggregateBandValueCount() override;
    QString aggregateValue(const QString& key) override;
    void setAggregateValue(const QString& key, const QString& value) override;
    QString currentBandName() override;
    bool currentBandVisible() override;
    bool printingCrossCells() override { return CrossCells; }
    int currentColumn() override;
    // ScriptHost: the page being formed, the bands of the pages, the band being printed
    // (report_script_host.cpp).
    TfrView* findObject(const QString& name) override;
    int freeSpace() override;
    std::optional<ScriptBandBox> band(const TfrBandView& view) override;
    void setBand(const TfrBandView& view, const ScriptBandBox& box) override;
    void forceNewPage() override;
    void forceNewColumn() override;

private:
    bool DoPrepare();
    void RunPass();
    void BuildPages();
    void bindEngine();
    QString progressCaption() const;
    ReportProgress& progress();
    ReportUi& ui();
    void enterRect(RtView& o);
    TfrBand* runTimeBand(const TfrBandView& view) const;
    TfrPageRun* scriptRun() const;

    ReportValueLookup lookup_;
    AggregateCounter aggregates_{lookup_, this};
    std::vector<std::unique_ptr<TfrPageRun>> runs_;
    std::vector<bool> subReportPages_;
    TfrPageRun* currentRun_ = nullptr;
    QString firstCaption_;
    bool secondPass_ = false;
    bool cancelAtRecordEnd_ = false;  // a Cancel waiting for the record in hand
    bool firstPassCancelled_ = false;
    std::exception_ptr jobError_;
    std::unique_ptr<HeadlessProgress> ownProgress_;
    std::unique_ptr<HeadlessReportUi> ownUi_;
};

}  // namespace lum
