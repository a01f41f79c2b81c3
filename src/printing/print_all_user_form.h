#pragma once
// The client list (利用者一覧表(印刷)): the clients chosen by type, discharge
// and admission, printed through "AllUser.frf" and written to a 13-column
// CSV file. Shown from the print menu, which it hides while open.
#include "printing/client_list.h"
#include "printing/csv_save_dialog.h"
#include "report/data/report_components.h"
#include "report/data/sql_query_data_set.h"
#include "report/data/tfr_dataset.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace lum {
class RadioGroup;
class TfrReport;
}  // namespace lum

class TPrintAllUserForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 620;
    static constexpr int kPanelHeight = 380;

    explicit TPrintAllUserForm(QWidget* parent = nullptr);
    ~TPrintAllUserForm() override;

    // Builds and opens AllUserPrintQuery from the boxes and radio groups and
    // stands on its first row; true when it has rows (else its message was shown).
    bool PrepareList();
    // Set when at least one type box was ticked at the last list preparation.
    bool TypeChosen = false;

    QWidget* MainPanel;
    QCheckBox* NyushoBox;
    QCheckBox* TankiBox;
    QCheckBox* TsushoBox;
    QCheckBox* HoumonBox;
    lum::RadioGroup* RadioGroup1;  // 条件２: 退所者を除く / 退所者を含む
    lum::RadioGroup* RadioGroup2;  // 条件３: ３ヶ月以内 / 過去分の全て
    QLineEdit* Fnrm1910_1Edit;     // the CSV file
    QPushButton* CSVSearchButton;
    QPushButton* CSVOutButton;
    QPushButton* PrintButton;
    QPushButton* ReturnButton;

    lum::CsvSaveDialog CsvSaveDialog;
    // The list; open from PrepareList until the window closes or the next list.
    std::unique_ptr<lum::SqlQueryDataSet> AllUserPrintQuery;
    lum::ReportComponents Components{QStringLiteral("PrintAllUserForm")};
    lum::TfrDBDataSet frDBDataSet1{QStringLiteral("frDBDataSet1")};
    std::unique_ptr<lum::TfrReport> frReport1;

    void PrintButtonClick();
    void CSVSearchButtonClick();
    void CSVOutButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    lum::ClientListConditions conditions() const;
    void closeList();

    lum::ClientListConditions listConditions_;
};

extern TPrintAllUserForm* PrintAllUserForm;
