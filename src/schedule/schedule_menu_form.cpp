#include "schedule/schedule_menu_form.h"

#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "platform/ui/window_layout.h"
#include "schedule/board_layout.h"
#include "widgets/ui_font.h"

#include <QCloseEvent>
#include <QPushButton>

#include <array>

TScheduleMenuForm* ScheduleMenuForm = nullptr;

namespace {

struct MenuButton {
    const char* name;
    const char* caption;
    int left, top, width, height;
    const char* windowClass;  // nullptr: closes the menu
};

constexpr std::array<MenuButton, 8> kButtons{{
    {"StuffWeekBookBtn", "担当者別予約表", 72, 32, 169, 65, "TStuffScheduleForm"},
    {"UserWeekBookBtn", "利用者予約希望", 72, 112, 169, 65, "TUserBookForm"},
    {"Button2", "当日予約表", 72, 192, 169, 65, "TDayScheduleForm"},
    {"Button1", "予約状況サマリー", 72, 272, 169, 65, "TUserSheetForm"},
    {"AttendButton", "月別担当者別予定表", 280, 32, 169, 65, "TAttendScheduleForm"},
    {"UserAttend", "月別利用者別予定表", 280, 112, 169, 65, "TUserAttendForm"},
    {"DayAttend", "当日作業予定表", 280, 192, 169, 65, "TDayAttendForm"},
    {"Button10", "戻　　　る", 72, 368, 377, 56, nullptr},
}};

QWidget* findWindow(const char* windowClass) {
    const lum::AppWindows* windows = lum::AppWindows::current();
    return windows && windowClass ? windows->find<QWidget>(QString::fromLatin1(windowClass)) : nullptr;
}

}  // namespace

TScheduleMenuForm::TScheduleMenuForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ScheduleMenuForm"));
    setWindowTitle(QStringLiteral("スケジュール管理メニュー"));
    QPalette background = palette();
    background.setColor(QPalette::Window, lum::board::MenuBackground);
    setPalette(background);
    setAutoFillBackground(true);

    ScheduleMenuPanel = new QWidget(this);
    ScheduleMenuPanel->setObjectName(QStringLiteral("ScheduleMenuPanel"));
    ScheduleMenuPanel->setFixedSize(kPanelWidth, kPanelHeight);

    QFont buttonFont = lum::uiFont(10, QFont::Bold);
    buttonFont.setPixelSize(13);
    std::array<QPushButton*, 8> made{};
    for (size_t i = 0; i < kButtons.size(); ++i) {
        const MenuButton& entry = kButtons[i];
        auto* button = new QPushButton(QString::fromUtf8(entry.caption), ScheduleMenuPanel);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setGeometry(entry.left, entry.top, entry.width, entry.height);
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        const char* windowClass = entry.windowClass;
        if (windowClass) {
            connect(button, &QPushButton::clicked, this, [this, windowClass] { ShowWindow(windowClass); });
        } else {
            connect(button, &QPushButton::clicked, this, &QWidget::close);
        }
        made[i] = button;
    }
    StuffWeekBookBtn = made[0];
    UserWeekBookBtn = made[1];
    Button2 = made[2];
    Button1 = made[3];
    AttendButton = made[4];
    UserAttend = made[5];
    DayAttend = made[6];
    Button10 = made[7];
    setFixedSize(kClientWidth, kClientHeight);
}

const char* TScheduleMenuForm::WindowClassOf(const QPushButton* button, const TScheduleMenuForm& menu) {
    const std::array<const QPushButton*, 8> buttons{menu.StuffWeekBookBtn, menu.UserWeekBookBtn, menu.Button2,
                                                     menu.Button1,         menu.AttendButton,    menu.UserAttend,
                                                     menu.DayAttend,       menu.Button10};
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == button) return kButtons[i].windowClass;
    }
    return nullptr;
}

void TScheduleMenuForm::showEvent(QShowEvent* event) {
    // Over the main window, which then goes.
    if (MainForm && MainForm->isVisible() && !isMaximized()) {
        move(MainForm->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    QWidget::showEvent(event);
    if (MainForm) {
        MainForm->hide();
        if (MainForm->Registory) {
            // Of fixed size, unless every window opens maximised.
            const QString& state = MainForm->Registory->WinState;
            if (lum::isMaximizedSetting(state)) {
                setMinimumSize(0, 0);
                setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            } else {
                setFixedSize(kClientWidth, kClientHeight);
            }
            lum::applyWindowState(*this, state);
        }
    }
    // A button whose window is not part of this build stays disabled.
    for (QPushButton* b : {StuffWeekBookBtn, UserWeekBookBtn, Button2, Button1, AttendButton, UserAttend, DayAttend}) {
        b->setEnabled(findWindow(WindowClassOf(b, *this)) != nullptr);
    }
    CentrePanel();
}

void TScheduleMenuForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CentrePanel();
}

void TScheduleMenuForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (MainForm) MainForm->show();
}

void TScheduleMenuForm::ShowWindow(const char* windowClass) {
    if (QWidget* window = findWindow(windowClass)) window->show();
}

// The panel is centred in the window's outer size, frame included.
void TScheduleMenuForm::CentrePanel() {
    lum::centrePanel(*ScheduleMenuPanel, {lum::Centring::Area::Outer, {}});
}
