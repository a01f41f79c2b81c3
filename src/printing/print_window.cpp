#include "printing/print_window.h"

#include "app/app_folder.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "platform/ui/window_layout.h"
#include "printing/print_menu_form.h"
#include "report/templates/report_templates.h"

#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace lum {

QWidget* setUpPrintWindow(QWidget& window, const QString& objectName, const QString& caption, QSize panel) {
    window.setObjectName(objectName);
    window.setWindowTitle(caption);
    window.setFont(uiFont(11));
    auto* mainPanel = new QWidget(&window);
    mainPanel->setObjectName(QStringLiteral("MainPanel"));
    mainPanel->setFixedSize(panel);
    keepCentred(*mainPanel);
    window.resize(panel.width() + 60, panel.height() + 60);
    lum::centreOnScreen(window);
    return mainPanel;
}

QLabel* printWindowTitle(const QString& text, QWidget* panel) {
    auto* title = new QLabel(text, panel);
    title->setFont(uiFont(16, QFont::Bold));
    return title;
}

QLabel* printWindowLabel(const QString& text, QWidget* panel, int pointSize) {
    auto* label = new QLabel(text, panel);
    label->setFont(uiFont(pointSize));
    return label;
}

const QString PrintListFailedText = QStringLiteral("System Error\n表示に失敗しました。");

QPushButton* printWindowButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(true);
    button->setMinimumSize(96, 34);
    return button;
}

void enterFromPrintMenu(QWidget& window) {
    if (PrintMenuForm) PrintMenuForm->hide();
    if (TRegistory* settings = printSettings()) applyWindowState(window, settings->WinState);
    // It takes the menu's place, keyboard included.
    window.activateWindow();
}

void returnToPrintMenu() {
    if (PrintMenuForm) PrintMenuForm->show();
}

QString printTemplatePath(const QString& fileName) { return applicationTemplatePath(fileName); }

TRegistory* printSettings() { return MainForm ? MainForm->Registory.get() : nullptr; }

QString printFacilityName() { return MainModule ? MainModule->FacilityName : QString(); }

}  // namespace lum
