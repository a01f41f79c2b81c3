#pragma once
// The readable text form of a template: what `lumorind-report dump` prints
// and `lumorind-report build` compiles. One statement per line:
//
//   report double-pass=yes printer="…"
//   page paper=9 width=2100 height=2970 orientation=portrait margins=0,0,0,0
//   band "MasterData1" bounds=0,100,718,20 type=master-data dataset="frUserDataset1"
//   memo "Name" bounds=10,102,200,16 font="ＭＳ 明朝" size=12 frame=ltrb
//     text "[Name] 様"
//   binding "Total" kind=expression field="[A] + [B]"
//   variable "Group"
//
// Objects belong to the page line above them; `text` and `script` lines to
// the object above them. Attributes left out keep a new object's values, and
// the printer leaves out exactly those, so build(dump(t)) writes t's bytes.
#include "report/objects/report_template.h"

#include <QString>

namespace lum {

QString templateToSource(const ReportTemplate& source);

// Fills `target` from the text; `baseDir` resolves picture files. On an
// error returns false and names the line in *error.
bool templateFromSource(const QString& text, const QString& baseDir, ReportTemplate& target, QString* error);

}  // namespace lum
