#pragma once
// "治療実績入力 （日別）": the treatment results of one day for one staff
// member and one type, with the actual start time, minutes and remark
// corrected in the grid (TMedicalRecordForm's editing rule), what was
// planned and done counted, and the day's record printed through
// "DailyMedicalRecord.frf" under the day, staff member and type the rows
// were loaded for. The results menu's 治療実績入力（日別） shows it.
#include "app/staff_list.h"
#include "common/datetime.h"
#include "results/daily_medical_record.h"
#include "results/medical_record_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace lum {
class KeyEditBinding;
}

class TDailyMedicalRecordForm : public TMedicalRecordForm {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "DailyMedicalRecord.frf"

    explicit TDailyMedicalRecordForm(QWidget* parent = nullptr);

    // The day (no time of day).
    lum::TDateTime Day;

    QToolButton* ResultLoadBtn;  // 読込
    QLineEdit* ResultInputDay;   // 実施入力日
    QComboBox* RihaTypeBox;      // リハビリ形態
    QPushButton* SumButton;      // 集計
    QLabel* PlanCountLbl;        // 計画　回数
    QLabel* PlanFunnLbl;         // 計画　時間
    QLabel* ExecCountLbl;        // 実施　回数
    QLabel* ExecFunnLbl;         // 実施　時間

    // The totals last shown, and what the rows on show were loaded for.
    lum::DailyRecordTotals Totals;
    lum::DailyRecordHeading Loaded;

    void ResultLoadBtnClick();
    void HizukeClick(int step);
    void SumButtonClick();
    void PrintButtonClick();

protected:
    QString OwnText(const lum::CureResult& row, int column) const override;
    std::vector<lum::CureResult> ReadRows() override;
    void RowsSaved() override;
    void FormShow() override;

private:
    void DayEntered(lum::TDateTime day);
    void DayRefused();
    void ShowTotals();
    void ClearTotals();

    lum::KeyEditBinding* dayBinding_;
    std::vector<lum::StaffMember> staff_;
    int loadedStaff_ = -1;
    int loadedType_ = -1;
    lum::TDateTime loadedDay_;
    std::size_t cursor_ = 0;  // the row the printout stands on
    lum::TDateTime printed_;  // when the printout was made
};

extern TDailyMedicalRecordForm* DailyMedicalRecordForm;
