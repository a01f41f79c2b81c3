#pragma once
// The compile errors of every script of a template, for the people who write
// templates (preparing a report shows none of them).
#include <QStringList>

namespace lum {

struct ReportTemplate;

// One line per error: "Page 1, Memo3: Line 2/5: \"then\" required". Calls the
// compiler evaluates (IF, COPY, functions) see no report: names read 0, and an
// error they raise is listed like a compile error.
QStringList checkTemplateScripts(const ReportTemplate& t);

}  // namespace lum
