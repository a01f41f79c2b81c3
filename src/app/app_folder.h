#pragma once
// The application's folder (where the executable and the built report
// templates lie) as the main window read it at start-up, or the
// executable's folder where no main window runs (tests, tools).
#include <QString>

namespace lum {

QString applicationFolder();
// The application's folder, '/', the template's file name.
QString applicationTemplatePath(const QString& fileName);

}  // namespace lum
