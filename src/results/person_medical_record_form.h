#pragma once
// "治療実績入力 （個人）": one client's treatment results of one month, or only
// those of one staff member, with the actual start time, minutes and remark
// corrected in the grid (TMedicalRecordForm's editing rule), and the
// client's monthly record printed through "RihaPersonKirokusho.frf"
// (MonthRecordReport). The results menu's 治療実績入力（個人） shows it.
#include "common/datetime.h"
#include "common/kubun.h"
#include "results/medical_record_form.h"
#include "results/month_record_report.h"

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TPersonMedicalRecordForm : public TMedicalRecordForm {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "RihaPersonKirokusho.frf"

    explicit TPersonMedicalRecordForm(QWidget* parent = nullptr);

    // The month: its first day and the period [FromDate, ToDate).
    lum::TDateTime Month;
    lum::TDateTime FromDate;
    lum::TDateTime ToDate;

    QToolButton* OpenButton;  // 開く
    QLabel* YearMonthLabel;
    QLineEdit* CureEdit;          // 治療番号
    QPushButton* UserSearchBtn;   // 利用者検索
    // The client, from the first row opened.
    QLabel* CureNoLabel;
    QLabel* NameLabel;
    QLabel* KanaLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* RihaTypeLabel;
    QLabel* KubunLabel;
    QLabel* TaishoLabel;     // 退所(終了)日
    QLabel* JiritsuLabel;
    QLabel* NinchiLabel;
    QLabel* HpTaishoLabel;   // 病院退院日
    QLabel* NyushoLabel;     // 入所(開始)日
    QLabel* DateLabel;

    // The record printed last.
    lum::MonthRecordReport Record;

    void HizukeClick(int step);
    void UserSearchBtnClick();
    void OpenButtonClick();
    void PrintButtonClick();

protected:
    QString OwnText(const lum::CureResult& row, int column) const override;
    std::vector<lum::CureResult> ReadRows() override;
    void FormShow() override;

private:
    void SetMonth(lum::TDateTime firstDay);
    // Disables 保存 and 印刷, empties the client labels and closes the rows.
    void ClearClientLabels();
    void ShowClient(const lum::CureResult& first);

    lum::TKubun Kubun;
    std::vector<lum::StaffMember> staff_;
    // What the rows on show were opened for.
    int openedCureNo_ = 0;
    std::optional<int> openedStaff_;
};

extern TPersonMedicalRecordForm* PersonMedicalRecordForm;
