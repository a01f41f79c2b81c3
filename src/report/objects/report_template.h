#pragma once
// What a template file holds: the header words, the printer name, the pages
// with their objects, the variable bindings and the variable lines.
#include "report/objects/page.h"
#include "report/values/tfr_values.h"

#include <QStringList>

namespace lum {

struct ReportTemplate {
    ReportTemplate() { Pages.Add(); }  // a report never has no page

    quint16 PrintToDefault = 0;  // Boolean words, kept as the file has them
    quint16 DoublePass = 0;
    QString PrinterName;
    TfrPages Pages;
    TfrValues Values;
    QStringList Variables;
};

}  // namespace lum
