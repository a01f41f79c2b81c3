#pragma once
// The run-time part of a template page while a report is built: its bands
// (one chain per band type), the run-time copies of its objects and the
// cursor that walks down the prepared pages (current position, bottom limit,
// columns). LayOutPage prints the title, headers, the nested data loops with
// their groups, column and page breaks, page footers and the summary.
#include "report/engine/page_geometry.h"
#include "report/engine/tfr_band.h"
#include "report/objects/page.h"

#include <array>
#include <vector>

namespace lum {

class TfrReport;

class TfrPageRun {
public:
    TfrPageRun(TfrReport& report, TfrPage& page, const PageGeometry& geometry);
    ~TfrPageRun();
    TfrPageRun(const TfrPageRun&) = delete;
    TfrPageRun& operator=(const TfrPageRun&) = delete;

    TfrReport& Report;
    TfrPage& Template;
    PageGeometry Geometry;

    std::array<TfrBand*, kBandTypeCount> Bands{};  // the first band of each type's chain
    std::vector<std::unique_ptr<RtView>> RTObjects;
    int ColWidth = 0;
    int CurY = 0;
    int CurBottomY = 0;
    int CurColumn = 0;
    int ColumnTop = 0;
    int XAdjust = 0;
    bool IsSubPage = false;
    int ColumnNo = 1;   // COLUMN#
    int CurrentNo = 1;  // CURRENT#

    // Recording mode: a page printed by a sub-report object is laid out once
    // with every band, first-record and next-record step recorded, then
    // replayed inside the sub-report's band, across page breaks.
    struct RecordedStep {
        enum Kind { Band, First, Next } kind;
        TfrBand* band;
    };
    bool Recording = false;
    QList<RecordedStep> Steps;
    int ReplayCursor = 0;
    bool ForceOneColumn = false;
    // Replays from the cursor; false when a band did not fit (it is retried).
    bool Replay();

    int LeftMargin() const;
    int TopMargin() const;
    int RightEdge() const;
    int BottomEdge() const;
    int colCount() const { return ForceOneColumn ? 1 : qMax(1, Template.ColCount); }

    void InitReport();
    void DoneReport();
    void PrepareObjects();
    void LayOutPage();

    void EmitBand(TfrBand* band);
    void NewPage();
    void NewColumn(TfrBand* band);
    void ShowPageFooters();
    bool CheckPageBreak(TfrBand* band, int y, int height, bool testOnly);
    void AddAggregates(std::initializer_list<int> types);
    void AddAggregatesOfData();
    RtView* FindRTObject(const QString& name) const;
    // A prepared page added beside the current one for cross columns, with
    // its overlay and page header; the cursor stays where it was.
    void AddSidePage();
    // True while AddSidePage prints the new page's overlay and page header:
    // their cross columns are then left to the band whose columns ran over,
    // which goes on with them on the new page.
    bool AddingSidePage() const { return addingSidePage_; }

private:
    void InitBands();
    void configureBand(TfrBand& band, RtView& object);
    void DoLoop(int level);
    void findLevels();
    void showPending();
    TfrBand* newBand(int typ);

    std::vector<std::unique_ptr<TfrBand>> ownedBands_;
    QList<TfrBand*> pending_;
    int deepestLevel_ = 0;
    bool breaking_ = false;  // a column or page break is printing its headers
    int freshY_ = -1, freshPage_ = -1, freshColumn_ = -1;  // where the last break left the cursor
    bool hasGroups_ = false;
    bool addingSidePage_ = false;
};

}  // namespace lum
