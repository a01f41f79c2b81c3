#include "report/data/report_components.h"

namespace lum {
namespace {
QHash<QString, ReportComponents*>& forms() {
    static QHash<QString, ReportComponents*> table;
    return table;
}

// The owner and the component name a (possibly form-qualified) name points at.
const ReportComponents* resolveOwner(const ReportComponents* owner, const QString& name, QString& component) {
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0) {
        component = name.trimmed();
        return owner;
    }
    component = name.mid(dot + 1).trimmed();
    return ReportComponents::form(name.left(dot).trimmed());
}
}  // namespace

ReportComponents::ReportComponents(QString formName) : formName_(std::move(formName)) {
    if (!formName_.isEmpty()) forms().insert(formName_.toUpper(), this);
}

ReportComponents::~ReportComponents() {
    if (!formName_.isEmpty() && forms().value(formName_.toUpper()) == this) forms().remove(formName_.toUpper());
}

void ReportComponents::addDataSource(TfrDataset* source) { sources_.insert(source->Name.toUpper(), source); }
void ReportComponents::addDataSet(const QString& name, ReportDataSet* dataSet) { dataSets_.insert(name.toUpper(), dataSet); }
void ReportComponents::remove(const QString& name) {
    sources_.remove(name.toUpper());
    dataSets_.remove(name.toUpper());
}
TfrDataset* ReportComponents::dataSource(const QString& name) const { return sources_.value(name.toUpper()); }
ReportDataSet* ReportComponents::dataSetNamed(const QString& name) const { return dataSets_.value(name.toUpper()); }
ReportComponents* ReportComponents::form(const QString& name) { return forms().value(name.toUpper()); }

TfrDataset* FindDataSourceByName(const ReportComponents* owner, const QString& name) {
    QString component;
    const ReportComponents* where = resolveOwner(owner, name, component);
    return where && !component.isEmpty() ? where->dataSource(component) : nullptr;
}

ReportDataSet* FindDataSetByName(const ReportComponents* owner, const QString& name) {
    QString component;
    const ReportComponents* where = resolveOwner(owner, name, component);
    if (!where || component.isEmpty()) return nullptr;
    if (ReportDataSet* ds = where->dataSetNamed(component)) return ds;
    TfrDataset* source = where->dataSource(component);
    return source ? source->dataSet() : nullptr;
}

}  // namespace lum
