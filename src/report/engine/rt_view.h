#pragma once
// A run-time copy of a template object while a report is built, with what
// the build keeps beside it: its band, the data field it loads, its memo
// layout state and the rectangles saved while a band stretches or splits.
#include "report/draw/memo_layout.h"
#include "report/objects/view.h"

#include <QRect>
#include <memory>

namespace lum {

class TfrBand;
class ReportDataSet;

struct RtView {
    std::unique_ptr<TfrView> view;
    TfrBand* Parent = nullptr;
    bool Free = false;             // not yet attached to a band
    ReportDataSet* DataSet = nullptr;  // set when the first line names a field
    QString DataField;
    MemoLayoutState memo;
    int SavedHeight = 0;           // while a band stretches
    QRect SavedRect;               // while a band splits
    bool Printed = false;          // while a band splits
    // Whether the totals pass of a footer evaluates this memo: only when its
    // text may count an aggregate. Decided when the band is set up, and again
    // for a text a script has changed since (TotalsText is the text decided on).
    bool InTotals = true;
    bool TotalsDecided = false;
    QStringList TotalsText;

    TfrMemoView* asMemo() const { return view->Typ == gtMemo ? static_cast<TfrMemoView*>(view.get()) : nullptr; }
};

}  // namespace lum
