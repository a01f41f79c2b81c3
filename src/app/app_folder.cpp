#include "app/app_folder.h"

#include "app/main_form.h"
#include "report/templates/report_templates.h"

#include <QCoreApplication>

namespace lum {

QString applicationFolder() {
    if (MainForm && !MainForm->AppDir.isEmpty()) return MainForm->AppDir;
    return QCoreApplication::applicationDirPath();
}

QString applicationTemplatePath(const QString& fileName) { return reportTemplatePath(applicationFolder(), fileName); }

}  // namespace lum
