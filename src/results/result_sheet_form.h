#pragma once
// "実績入力一覧": one month of treatment results as clients by days, each day
// cell marked with the type of that day's result. A double click on a client
// opens the per-client entry for the client and month; 利用者追加 opens it for
// a client chosen in the client search. Both open it modally and refresh the
// sheet when it closes. The month is chosen in TOpenGYMDialog. インポート
// copies bookings into results (TImportScheduleDialog); エクスポート and
// 外部データ exchange the month's results as a CSV file.
#include "common/datetime.h"
#include "common/kubun.h"

#include <QWidget>

namespace lum {
class MonthSheetModel;
}

#include <array>
#include <memory>

class TRegistory;

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTableView;
class QToolButton;

class TResultSheetForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kToolBarHeight = 48;

    explicit TResultSheetForm(QWidget* parent = nullptr);
    ~TResultSheetForm() override;

    // The month [FromDate, ToDate); both empty until a month is chosen.
    lum::TDateTime FromDate;
    lum::TDateTime ToDate;
    // Set once the client rows of a month have been filled.
    bool Loaded = false;
    // The grid row of the last mouse release; -1 after each showing.
    int ClickedRow = -1;

    QWidget* ToolBarPanel;
    QToolButton* OpenButton;
    QToolButton* ImportButton;
    QToolButton* UserAddButton;
    QToolButton* ReturnButton;
    QMenuBar* MainMenu;
    QAction* OpenMenu;
    QMenu* ImportMenu;
    QAction* ImportScheduleMenu;
    QAction* ImportExtDataMenu;
    QAction* ExportMenu;
    QAction* UserAddMenu;
    QAction* CloseMenu;
    QWidget* MainPanel;
    std::array<QLabel*, 31> DayLabels;      // L1 .. L31
    std::array<QLabel*, 31> WeekdayLabels;  // w1 .. w31
    QLabel* LegendLabel;
    QTableView* StrGrid;
    lum::MonthSheetModel* StrGridModel;  // the grid's cells: StrGridModel->text(row, column)

    void OpenButtonClick();
    void UserAddButtonClick();
    // インポート / インポート > スケジュール: the copy of bookings.
    void ImportButtonClick();
    // エクスポート and インポート > 外部データ: the month's results as a CSV
    // file and back (the file names are kept in TRegistory Export and Import).
    void ExportMenuClick();
    void ImportExtDataMenuClick();
    // The labels and the client rows of [FromDate, ToDate).
    void Refresh();
    // Opens the per-client entry for the client of a grid row (the double click).
    void StrGridDblClick(int row);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ClearGrid();
    void FillDayLabels();
    void LoadClients();
    void OpenEntry(int cureNo);
    void EnableUserAdd(bool on);
    void CentrePanel();

    TRegistory& Settings();

    lum::TKubun Kubun;
    std::unique_ptr<TRegistory> ownSettings_;
};

extern TResultSheetForm* ResultSheetForm;
