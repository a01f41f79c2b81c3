#include "report/data/tfr_dataset.h"

namespace lum {

void TfrDataset::First() {
    recNo_ = 0;
    if (OnFirst) OnFirst(this);
}

void TfrDataset::Next() {
    ++recNo_;
    if (OnNext) OnNext(this);
}

bool TfrDataset::IsEof() {
    bool eof = RangeEnd == reCount && recNo_ >= RangeEndCount;
    if (OnCheckEOF) OnCheckEOF(this, eof);
    return eof;
}

void TfrDBDataSet::SetDataSet(ReportDataSet* dataSet) {
    DataSet = dataSet;
    DataSource = nullptr;
}

void TfrDBDataSet::SetDataSource(TDataSource* source) {
    DataSource = source;
    if (source) DataSet = nullptr;
}

ReportDataSet* TfrDBDataSet::dataSet() {
    if (DataSource && DataSource->DataSet) return DataSource->DataSet;
    return DataSet;
}

ReportDataSet& TfrDBDataSet::GetDataSet() {
    ReportDataSet* ds = dataSet();
    if (!ds) throw EDSError(QStringLiteral("Unable to open dataset ") + Name);
    return *ds;
}

void TfrDBDataSet::Open() {
    ReportDataSet& ds = GetDataSet();
    if (OpenDataSource) ds.open();
    if (OnOpen) OnOpen(this);
    openMark_ = ds.bookmark();
    hasMark_ = true;
    cameBack_ = false;
}

void TfrDBDataSet::Close() {
    ReportDataSet* ds = dataSet();
    if (hasMark_ && ds) {
        if (RangeBegin == rbCurrent || RangeEnd == reCurrent) ds->gotoBookmark(openMark_);
        hasMark_ = false;
    }
    if (OnClose) OnClose(this);
    if (CloseDataSource && ds) ds->close();
}

void TfrDBDataSet::First() {
    ReportDataSet& ds = GetDataSet();
    if (RangeBegin == rbFirst) ds.first();
    else if (hasMark_) ds.gotoBookmark(openMark_);
    cameBack_ = false;
    TfrDataset::First();
}

void TfrDBDataSet::Next() {
    ReportDataSet& ds = GetDataSet();
    cameBack_ = false;
    if (RangeEnd != reCurrent) {
        ds.next();
        TfrDataset::Next();
    } else {
        cameBack_ = hasMark_ && ds.sameBookmark(ds.bookmark(), openMark_);
    }
}

bool TfrDBDataSet::IsEof() {
    if (TfrDataset::IsEof()) return true;
    return GetDataSet().eof() || cameBack_;
}

}  // namespace lum
