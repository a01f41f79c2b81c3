#include "app/system_menu_form.h"

#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "widgets/ui_font.h"
#include "platform/ui/window_layout.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

TSystemMenuForm* SystemMenuForm = nullptr;

namespace {
const char* const kLinkSettingsClass = "TTavelundForm";
}  // namespace

TSystemMenuForm::TSystemMenuForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("SystemMenuForm"));
    setWindowTitle(QStringLiteral("システム設定"));
    setFont(lum::uiFont(12));

    MenuPanel = new QWidget(this);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->setFixedSize(kPanelWidth, kPanelHeight);

    auto makeButton = [this](const char* name, const char* caption) {
        auto* button = new QPushButton(QString::fromUtf8(caption), MenuPanel);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(lum::uiFont(14, QFont::Bold));
        button->setMinimumHeight(64);
        button->setAutoDefault(false);
        return button;
    };
    Panel1 = makeButton("Panel1", "他システムデータ取り込み");
    GamenSizeChange = makeButton("GamenSizeChange", "画面表示");
    Button2 = makeButton("Button2", "閉じる");
    auto* layout = new QVBoxLayout(MenuPanel);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(16);
    layout->addWidget(Panel1);
    layout->addWidget(GamenSizeChange);
    layout->addWidget(Button2);

    connect(Panel1, &QPushButton::clicked, this, &TSystemMenuForm::Panel1Click);
    connect(GamenSizeChange, &QPushButton::clicked, this, &TSystemMenuForm::GamenSizeChangeClick);
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
    resize(640, 480);
    lum::centreOnScreen(*this);
}

void TSystemMenuForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm) {
        MainForm->hide();
        if (MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    }
    // The link settings come with the linked-system import; until then the
    // button has nothing to show.
    const lum::AppWindows* windows = lum::AppWindows::current();
    Panel1->setEnabled(windows && windows->find(QString::fromLatin1(kLinkSettingsClass)));
    CentrePanel();
}

void TSystemMenuForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CentrePanel();
}

void TSystemMenuForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (MainForm) MainForm->show();
}

void TSystemMenuForm::GamenSizeChangeClick() {
    const bool maximize = !isMaximized();
    const QString setting = maximize ? TRegistory::Maximized : TRegistory::Normal;
    lum::applyWindowState(*this, setting);
    if (MainForm && MainForm->Registory) MainForm->Registory->WinState = setting;
    close();
}

void TSystemMenuForm::Panel1Click() {
    const lum::AppWindows* windows = lum::AppWindows::current();
    if (!windows) return;
    if (auto* window = windows->find<QWidget>(QString::fromLatin1(kLinkSettingsClass))) window->show();
}

// The menu centres its panel in its outer size, frame included.
void TSystemMenuForm::CentrePanel() { lum::centrePanel(*MenuPanel, {lum::Centring::Area::Outer, {}}); }
