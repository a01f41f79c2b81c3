#pragma once
// "治療予約状況サマリー": for a month chosen through TOpenCureDialog, the
// clients of the weekly requests' client query against the days 1 to 31,
// the client's type mark on each day booked and the month's bookings at the
// row's end. Read-only; shown from the schedule menu, which it hides while
// shown.
#include "common/datetime.h"
#include "schedule/booking_summary.h"

#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QMenuBar;
class QTableWidget;
class QToolButton;

class TUserSheetForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBand = 48;  // the menu and tool bar above the panel

    explicit TUserSheetForm(QWidget* parent = nullptr);

    lum::TDateTime MonthStart;
    lum::TDateTime NextMonthStart;
    int RihaType = -1;
    int KubunCode = 0;

    QMenuBar* MainMenu;
    QAction* OpenMenu;   // ファイル → 開く
    QAction* CloseMenu;  // ファイル → 閉じる
    QToolButton* OpenButton;
    QToolButton* CloseButton;
    QWidget* MainPanel;
    std::array<QLabel*, lum::SummaryDays> L{};  // L1 .. L31
    std::array<QLabel*, lum::SummaryDays> w{};  // w1 .. w31
    QTableWidget* StrGrid;

    void OpenButtonClick();
    // Fills the header and the grid for the month, type and categories.
    void ShowMonth(lum::TDateTime monthStart, int rihaType, int kubunCode);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlacePanel();
    void ClearGrid(int rows);
    void ShowHeader(const lum::SummaryHeader& header);
};

extern TUserSheetForm* UserSheetForm;
