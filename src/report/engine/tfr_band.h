#pragma once
// A run-time band: a strip of a template page printed once, per page, per
// record or per group, with the run-time objects lying in it. It knows its
// height for the current record, whether it fits, how to split over pages,
// how to print its objects into the prepared page and how to collect the
// values of the aggregate functions of its footers.
#include "report/engine/rt_view.h"
#include "report/expr/expr_value.h"
#include "report/objects/band_view.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <memory>

namespace lum {

class TfrPageRun;
class TfrDataset;

class TfrBand {
public:
    TfrBand(int typ, TfrPageRun& page);
    ~TfrBand();
    TfrBand(const TfrBand&) = delete;
    TfrBand& operator=(const TfrBand&) = delete;

    TfrPageRun& Page;
    TfrBandView* View = nullptr;  // the band object (none for a type the page lacks)
    int Typ;
    quint16 Flags = 0;
    TfrBand* Next = nullptr;
    TfrBand* Prev = nullptr;
    TfrBand* LastBand = nullptr;  // in the first band of a chain
    TfrBand* Header = nullptr;
    TfrBand* Footer = nullptr;
    TfrDataset* DataSet = nullptr;
    std::unique_ptr<TfrDataset> OwnedDataSet;  // a numeric name makes a private one
    TfrDataset* CrossDataSet = nullptr;        // columns of this band (the cross data band's list)
    std::unique_ptr<TfrDataset> OwnedCrossDataSet;
    QString GroupCondition;
    ExprValue LastGroupValue;
    QList<RtView*> Objects;
    QStringList Memo, Script;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int CalcHeight = -1;
    int PrintHeight = 0;
    bool Stretched = false, NewPageAfter = false, PrintIfSubsetEmpty = false, AllowSplit = false;
    bool Visible = true;
    bool ForceNewPage = false, ForceNewColumn = false;
    int LineNo = 1, LineThroughNo = 1;
    // Accumulators of the aggregate functions: key -> state character + number.
    QHash<QString, QString> Values;
    int ValueCount = 0;
    bool NoReset = false;

    QString name() const { return View ? View->Name : QString(); }
    bool isDataBand() const;
    bool hasObjects() const { return !Objects.isEmpty(); }
    // Cells of the cross bands lying in this band.
    bool hasCrossCells() const;
    // Objects whose parent is the band itself (a cross band's own cells).
    bool hasObjectsOfItsOwn() const;

    // From a band object's format text: a group condition or a data source.
    void SetDataSource(const QString& text);
    // Prints the band at its page's current position; true when it could not
    // be completed on this page.
    bool Draw();
    // Sub-reports of this band left unfinished on a sub-report's page.
    bool HasPendingSubReports() const { return !pendingPages_.isEmpty(); }
    bool ContinuePendingSubReports();
    int CalcBandHeight();
    void InitValues();
    void DoAggregate();

private:
    void DoDraw();
    int contentsHeight();
    int crossCellsHeight();
    void stretchObjects(int height);
    void unstretchObjects();
    bool DrawObjects();  // true when sub-reports moved the position
    void RunSubReports(const QList<RtView*>& subReports);
    bool subReportTurns(const QList<TfrPageRun*>& pages, QList<bool> finished, bool firstTurn);
    QList<TfrPageRun*> pendingPages_;  // sub-reports left unfinished on a sub-report's page
    QList<bool> pendingFinished_;
    void DrawObject(RtView& o);
    void DrawCrossCells();
    // Prints the cells of cross band `cross` lying in this band at x.
    void drawCells(TfrBand* cross, int x);
    void split();
    void prepareSplitText(RtView& o);
    void continueBelow(RtView& memo, int restHeight, int limit);
    bool movable() const;
};

}  // namespace lum
