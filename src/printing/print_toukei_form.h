#pragma once
// The three-month statistics (統計情報（印刷）): the results of a month and the
// two before it counted by category flag (days, client-days, results), shown
// as a 14 x 9 grid, printed through "Toukei.frf", and each month's results
// written to a CSV file of its own. A new count needs キャンセル, then 表示;
// stepping the month in between changes only its label.
#include "printing/csv_save_dialog.h"
#include "printing/statistics_table.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TRegistory;

namespace lum {
class TfrReport;
class UpDown;
}  // namespace lum

class TPrintToukeiForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 1040;
    static constexpr int kPanelHeight = 720;

    explicit TPrintToukeiForm(QWidget* parent = nullptr);
    ~TPrintToukeiForm() override;

    // The chosen month: year, month and its first day.
    int Year = 0;
    int Month = 0;
    lum::TDateTime ChosenMonth;
    // The months of the last count (M-2, M-1, M) and their counts; no months
    // after キャンセル.
    std::optional<lum::StatisticsMonths> Counted;
    lum::StatisticsTable StatisticsTable;

    QWidget* MainPanel;
    QLabel* YearMonthLabel;
    lum::UpDown* Hizuke;
    QPushButton* ResultLoadBtn;  // 表示
    QPushButton* CancelButton;   // キャンセル
    QTableWidget* StringGrid1;
    QLabel* B2Label;  // month titles over the grid: M-2, M-1, M
    QLabel* B1Label;
    QLabel* B0Label;
    QLabel* B2Lbl;  // "<month>CSVファイルの保存場所"
    QLabel* B1Lbl;
    QLabel* B0Lbl;
    QLineEdit* B2Edit;  // the CSV files of M-2, M-1, M (settings Toukei2, Toukei1, Toukei0)
    QLineEdit* B1Edit;
    QLineEdit* B0Edit;
    QPushButton* B2Button;
    QPushButton* B1Button;
    QPushButton* B0Button;
    QPushButton* PrintButton;
    QPushButton* CSVButton;
    QPushButton* ReturnButton;

    lum::CsvSaveDialog CSVSaveDialog;
    lum::ReportComponents Components{QStringLiteral("PrintToukeiForm")};
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};
    lum::TfrUserDataset frUserDataset2{QStringLiteral("frUserDataset2")};
    std::unique_ptr<lum::TfrReport> frReport1;

    void HizukeClick(int direction);
    void ResultLoadBtnClick();
    void CancelButtonClick();
    void PrintButtonClick();
    void CSVButtonClick();
    // Month index 0..2 (M-2, M-1, M) of the last count to the edit's file;
    // true when it was written.
    bool WriteMonthCsv(int month);
    // The rows of a month's file; false (after its message) when they cannot
    // be read or there are none.
    bool OpenMonthRowsQuery(lum::DateRange month, std::vector<lum::CureResultEntry>& rows);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setChosenMonth(int year, int month);
    void RepaintGrid();
    void ShowCountedControls(bool on);
    void ChoosePath(QLineEdit* edit, QString TRegistory::*setting);

    std::array<QLineEdit*, 3> edits() const { return {B2Edit, B1Edit, B0Edit}; }
};

extern TPrintToukeiForm* PrintToukeiForm;
