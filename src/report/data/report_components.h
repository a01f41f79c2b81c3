#pragma once
// Components by name, as a window's stored layout names them ("frUserDataset1",
// "frDBDataSet1", "Query1"). Each printing window registers its data sources
// and data sets in its own ReportComponents; windows register themselves by
// name so "Form.Component" names reach another window's components.
#include "report/data/tfr_dataset.h"

#include <QHash>
#include <QString>

namespace lum {

class ReportComponents {
public:
    explicit ReportComponents(QString formName = {});
    ~ReportComponents();
    ReportComponents(const ReportComponents&) = delete;
    ReportComponents& operator=(const ReportComponents&) = delete;

    const QString& formName() const { return formName_; }
    void addDataSource(TfrDataset* source);  // under its Name
    void addDataSet(const QString& name, ReportDataSet* dataSet);
    void remove(const QString& name);

    TfrDataset* dataSource(const QString& name) const;
    ReportDataSet* dataSetNamed(const QString& name) const;

    // A window by name among those registered.
    static ReportComponents* form(const QString& name);

private:
    QString formName_;
    QHash<QString, TfrDataset*> sources_;      // upper-cased names
    QHash<QString, ReportDataSet*> dataSets_;  // upper-cased names
};

// "Component" among owner's components, or "Form.Component" among that
// form's. Data sources only; none when not found.
TfrDataset* FindDataSourceByName(const ReportComponents* owner, const QString& name);
// A data set by name: a registered data set, or the data set a database data
// source of that name walks.
ReportDataSet* FindDataSetByName(const ReportComponents* owner, const QString& name);

}  // namespace lum
