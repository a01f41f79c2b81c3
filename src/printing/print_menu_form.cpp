#include "printing/print_menu_form.h"

#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "platform/ui/window_layout.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TPrintMenuForm* PrintMenuForm = nullptr;

TPrintMenuForm::TPrintMenuForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    // No border icons: 戻る is the way back.
    setObjectName(QStringLiteral("PrintMenuForm"));
    setWindowTitle(QStringLiteral("印刷メニュー"));
    setFont(lum::uiFont(12));

    MenuPanel = new QWidget(this);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->setFixedSize(kPanelWidth, kPanelHeight);

    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, MenuPanel);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(lum::uiFont(13, QFont::Bold));
        button->setMinimumHeight(60);
        button->setAutoDefault(true);
        return button;
    };
    PrintAllUserButton = makeButton("PrintAllUserButton", QStringLiteral("利用者一覧表"));
    Button3 = makeButton("Button3", QStringLiteral("リハビリ治療計画書"));
    Button2 = makeButton("Button2", QStringLiteral("リハビリ実施計画書"));
    Button6 = makeButton("Button6", QStringLiteral("リハビリ実績記録書"));
    Button4 = makeButton("Button4", QStringLiteral("統計情報書"));
    Button8 = makeButton("Button8", QStringLiteral("形態別実績一覧表"));
    Button9 = makeButton("Button9", QStringLiteral("計画書期限参照"));
    Button7 = makeButton("Button7", QString());
    lum::SetButtonMultiLine(Button7);
    Button7->setText(QStringLiteral("月別リハビリ形態別\n実施一覧"));
    ReturnButton = makeButton("ReturnButton", QStringLiteral("戻　　　る"));

    auto* title = new QLabel(QStringLiteral("印刷メニュー"), MenuPanel);
    title->setFont(lum::uiFont(16, QFont::Bold));
    title->setAlignment(Qt::AlignCenter);
    auto* layout = new QGridLayout(MenuPanel);
    layout->setContentsMargins(20, 12, 20, 16);
    layout->setHorizontalSpacing(20);
    layout->setVerticalSpacing(12);
    layout->addWidget(title, 0, 0, 1, 2);
    // Reading order: the client list and the plans on the left, results and
    // statistics on the right.
    const std::array<QPushButton*, 8> grid = {PrintAllUserButton, Button6, Button3, Button4,
                                              Button2,            Button8, Button9, Button7};
    for (int i = 0; i < 8; ++i) layout->addWidget(grid[i], 1 + i / 2, i % 2);
    layout->addWidget(ReturnButton, 5, 1);

    for (const Entry& e : entries()) {
        const char* windowClass = e.windowClass;
        connect(e.button, &QPushButton::clicked, this, [this, windowClass] { ShowWindow(windowClass); });
    }
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    lum::keepCentred(*MenuPanel);
    resize(800, 600);
    lum::centreOnScreen(*this);
}

std::array<TPrintMenuForm::Entry, 8> TPrintMenuForm::entries() const {
    return {{{PrintAllUserButton, "TPrintAllUserForm"},
             {Button3, "TPrintRihaForm"},
             {Button2, "TPrintPractForm"},
             {Button6, "TPrintPersonResultForm"},
             {Button4, "TPrintToukeiForm"},
             {Button8, "TPrintKeitaiForm"},
             {Button9, "TPrintLimitRihaForm"},
             {Button7, "TPrintScheduleTypeForm"}}};
}

void TPrintMenuForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (MainForm) {
        MainForm->hide();
        if (MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    }
    // A printout not part of this build has nothing to show yet.
    const lum::AppWindows* windows = lum::AppWindows::current();
    for (const Entry& e : entries()) {
        e.button->setEnabled(windows && windows->find(QString::fromLatin1(e.windowClass)));
    }
    lum::centrePanel(*MenuPanel);
    // It takes the main window's place, keyboard included: the first
    // printout that can be chosen has the focus.
    activateWindow();
    for (const Entry& e : entries()) {
        if (e.button->isEnabled()) {
            e.button->setFocus();
            break;
        }
    }
}

void TPrintMenuForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (MainForm) MainForm->show();
}

void TPrintMenuForm::ShowWindow(const char* windowClass) {
    const lum::AppWindows* windows = lum::AppWindows::current();
    if (!windows) return;
    if (auto* window = windows->find<QWidget>(QString::fromLatin1(windowClass))) window->show();
}
