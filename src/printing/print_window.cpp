#include "printing/print_window.h"

#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "platform/ui/window_layout.h"
#include "printing/print_menu_form.h"
#include "report/templates/report_templates.h"

#include <QCoreApplication>

namespace lum {

void enterFromPrintMenu(QWidget& window) {
    if (PrintMenuForm) PrintMenuForm->hide();
    if (TRegistory* settings = printSettings()) applyWindowState(window, settings->WinState);
}

void returnToPrintMenu() {
    if (PrintMenuForm) PrintMenuForm->show();
}

QString printTemplatePath(const QString& fileName) {
    const QString folder = MainForm && !MainForm->AppDir.isEmpty() ? MainForm->AppDir
                                                                    : QCoreApplication::applicationDirPath();
    return reportTemplatePath(folder, fileName);
}

TRegistory* printSettings() { return MainForm ? MainForm->Registory.get() : nullptr; }

QString printFacilityName() { return MainModule ? MainModule->FacilityName : QString(); }

}  // namespace lum
