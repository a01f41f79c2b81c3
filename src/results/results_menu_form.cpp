#include "results/results_menu_form.h"

#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "platform/ui/window_layout.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

TResultsMenuForm* ResultsMenuForm = nullptr;

namespace {
const char* const kSheetClass = "TResultSheetForm";
const char* const kPersonRecordClass = "TPersonMedicalRecordForm";
const char* const kDailyRecordClass = "TDailyMedicalRecordForm";

QWidget* findWindow(const char* windowClass) {
    const lum::AppWindows* windows = lum::AppWindows::current();
    return windows ? windows->find<QWidget>(QString::fromLatin1(windowClass)) : nullptr;
}
}  // namespace

TResultsMenuForm::TResultsMenuForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ResultsMenuForm"));
    setWindowTitle(QStringLiteral("実績管理メニュー"));
    setFont(lum::uiFont(12));

    ResultsMenuPanel = new QWidget(this);
    ResultsMenuPanel->setObjectName(QStringLiteral("ResultsMenuPanel"));
    ResultsMenuPanel->setFixedSize(kPanelWidth, kPanelHeight);

    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, ResultsMenuPanel);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(lum::uiFont(14, QFont::Bold));
        button->setMinimumHeight(68);
        button->setAutoDefault(false);
        return button;
    };
    Button3 = makeButton("Button3", QStringLiteral(" 治療実績登録"));
    TreatmentBtn = makeButton("TreatmentBtn", QString());
    TreatmentDayBtn = makeButton("TreatmentDayBtn", QString());
    Button2 = makeButton("Button2", QStringLiteral("戻る"));
    auto* layout = new QVBoxLayout(ResultsMenuPanel);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(16);
    for (QPushButton* b : {Button3, TreatmentBtn, TreatmentDayBtn, Button2}) layout->addWidget(b);

    connect(Button3, &QPushButton::clicked, this, [this] { ShowWindow(kSheetClass); });
    connect(TreatmentBtn, &QPushButton::clicked, this, [this] { ShowWindow(kPersonRecordClass); });
    connect(TreatmentDayBtn, &QPushButton::clicked, this, [this] { ShowWindow(kDailyRecordClass); });
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
    lum::keepCentred(*ResultsMenuPanel);
    resize(640, 520);
    lum::centreOnScreen(*this);
}

void TResultsMenuForm::FormCreate() {
    // The two-line captions go on once the buttons take line breaks.
    lum::SetButtonMultiLine(TreatmentBtn);
    lum::SetButtonMultiLine(TreatmentDayBtn);
    TreatmentBtn->setText(QStringLiteral("治療実績入力\n（個人）"));
    TreatmentDayBtn->setText(QStringLiteral("治療実績入力\n（日別）"));
}

void TResultsMenuForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm) {
        MainForm->hide();
        if (MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    }
    if (TreatmentBtn->text().isEmpty()) FormCreate();
    // A button whose window is not part of this build stays disabled.
    Button3->setEnabled(findWindow(kSheetClass));
    TreatmentBtn->setEnabled(findWindow(kPersonRecordClass));
    TreatmentDayBtn->setEnabled(findWindow(kDailyRecordClass));
    lum::centrePanel(*ResultsMenuPanel);
}

void TResultsMenuForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (MainForm) MainForm->show();
}

void TResultsMenuForm::ShowWindow(const char* windowClass) {
    if (QWidget* window = findWindow(windowClass)) window->show();
}
