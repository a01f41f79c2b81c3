#pragma once
// What the two month printouts by type share as windows (results per type,
// month grid): the month up-down Hizuke with YearMonthLabel, the staff choice
// (RadioButton1 with Joken3Box, or RadioButton2 for every staff member), the
// CSV path CsvEdit with CSVSearchButton and CSVOutButton, PrintButton and
// ReturnButton, the report component with its user data sources, and the
// checks before the results are read. A member adds its own controls, its
// data step and its lines.
#include "app/staff_list.h"
#include "printing/csv_save_dialog.h"
#include "printing/month_type_report.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "results/cure_result.h"
#include "results/cure_results_store.h"

#include <QWidget>

#include <functional>

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TRegistory;

namespace lum {
class TfrReport;
class UpDown;
}  // namespace lum

class TMonthTypeForm : public QWidget {
    Q_OBJECT
public:
    ~TMonthTypeForm() override;

    // The chosen month (UseMonth, its range and calendar).
    lum::ReportMonth Month;
    // The staff list the staff box shows (cache index = box index).
    std::vector<lum::StaffMember> Staff;

    QWidget* MainPanel;
    QLabel* YearMonthLabel;
    lum::UpDown* Hizuke;
    QRadioButton* RadioButton1;  // one staff member
    QComboBox* Joken3Box;
    QRadioButton* RadioButton2;  // every staff member
    QLineEdit* CsvEdit;
    QPushButton* CSVSearchButton;
    QPushButton* CSVOutButton;
    QPushButton* PrintButton;
    QPushButton* ReturnButton;

    lum::CsvSaveDialog CsvSaveDialog;
    lum::ReportComponents Components;
    std::array<std::unique_ptr<lum::TfrUserDataset>, 7> frUserDatasets;
    std::unique_ptr<lum::TfrReport> frReport1;

    void HizukeClick(int direction);
    void CSVSearchButtonClick();
    lum::TfrUserDataset& frUserDataset(int n) { return *frUserDatasets[static_cast<size_t>(n - 1)]; }

protected:
    TMonthTypeForm(const QString& objectName, const QString& caption, const QString& title, int dataSources,
                   QString TRegistory::*csvSetting, QWidget* parent);

    // The staff condition: false (after its message) when one staff member
    // is asked for but none is chosen; else the code, or none for everyone.
    bool StaffCondition(std::optional<int>& stuffCode);
    // Reads the month's results; false after "データの抽出に失敗しました。" or
    // "条件に該当するデータがありません。".
    bool ReadResults(std::function<std::vector<lum::MonthTypeResult>(const lum::CureResultsStore&)> read,
                     std::vector<lum::MonthTypeResult>& rows);
    // "SystemError : Print Start Error " (エラー, 中止).
    void PrintStartError();
    // The row where a member puts its own controls (under the month).
    QGridLayout* Conditions;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    virtual void Closing() {}

private:
    void ChooseStaff(bool one);
    QString TRegistory::*csvSetting_;
};
