#pragma once
// "月別利用者別予約表": one client's bookings of a month, listed and printed
// through "UserAttend.frf" with a notice for the family (連絡欄, at most 512
// bytes in code page 932), which the stock phrases of list "UserAttend" help
// write through the clipboard.
#include "common/datetime.h"
#include "schedule/attend_list_form.h"

class QPlainTextEdit;

namespace lum {
class HorizontalUpDown;
}

class TUserAttendForm : public TAttendListForm {
    Q_OBJECT
public:
    static const QString kTemplateFile;  // "UserAttend.frf"
    static constexpr int kNoticeBytes = 512;

    explicit TUserAttendForm(QWidget* parent = nullptr);

    lum::TDateTime UseMonth;  // the chosen month's first day
    int CureNo = -1;          // the chosen client; -1 none

    QLabel* YearMonthLabel;
    lum::HorizontalUpDown* Hizuke;
    QPushButton* UserSearch;  // 検索
    QPushButton* Display;     // 表示
    QLabel* CureNoLabel;
    QLabel* NameLabel;
    QLabel* KanaLabel;
    QLabel* BirthLabel;
    QLabel* SexLabel;
    QPlainTextEdit* Memo;      // 連絡欄
    QPlainTextEdit* CopyMemo;  // hidden: the phrases on their way to the clipboard

    void HizukeClick(int step);
    void UserSearchClick();
    void DisplayClick();
    void MemoDblClick();
    void PrintButtonClick();

protected:
    QString CellText(const lum::AttendRow& row, int column) const override;
    std::optional<lum::ExprValue> Value(const QString& name, const lum::AttendRow* row) const override;
    void FormShow() override;

private:
    void SetMonth(lum::TDateTime firstDay);

    lum::TDateTime printed_;
    QString notice_;  // the notice as it was when printing began
};

extern TUserAttendForm* UserAttendForm;
