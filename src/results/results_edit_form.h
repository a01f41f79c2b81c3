#pragma once
// "Brennivo７　治療実績登録（利用者別）": the treatment results of one client in
// one period. The user adds a day, edits each result in the grid (the
// editing controls of the design are laid over the focused cell), deletes
// one result or all of the period, and 保存 brings each row's category code
// in line with its flags. Every change is written at once, by ResultNo and
// only in the columns it changes; a result deleted elsewhere meanwhile gives
// a message and the grid is read again.
#include "app/staff_list.h"
#include "clients/person.h"
#include "common/datetime.h"
#include "common/kubun.h"
#include "platform/ui/dialogs.h"
#include "results/cure_results_store.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lum {
class KeyEditBinding;
}

class TResultsEditForm : public QDialog {
    Q_OBJECT
public:
    // The grid's columns.
    enum Column {
        DateColumn = 0,
        StartColumn = 1,
        MinuteColumn = 2,
        TypeColumn = 3,
        FirstFlagColumn = 4,  // to 17, in CategoryFlagNames order
        CommentColumn = 18,
        StaffColumn = 19,
        DeleteColumn = 20,
        ColumnCount = 21,
    };

    explicit TResultsEditForm(QWidget* parent = nullptr);

    // The client and the period [FromDate, ToDate); set before showing.
    int CureNo = 0;
    lum::TDateTime FromDate;
    lum::TDateTime ToDate;

    QLabel* CureNoLabel;
    QLabel* NameLabel;
    QLabel* KanaLabel;
    QLabel* SexLabel;
    QLineEdit* WorkingDay;
    QPushButton* WorkingAddButton;  // 利用日追加
    QPushButton* Button2;           // 全て削除
    QPushButton* Button3;           // 保存
    QPushButton* ReturnButton;      // 戻る
    QTableWidget* DBGrid1;
    // The editing controls laid over the focused cell.
    QComboBox* ResultTypeBox;
    std::array<QCheckBox*, lum::CategoryFlagCount> FlagBoxes;  // NYUTBox .. HNBox
    QComboBox* ResultCommentBox;
    QComboBox* DBLookupComboBox1;
    QPushButton* DeleteButton;

    // The rows the grid shows, in its order.
    const std::vector<lum::CureResult>& Rows() const { return rows_; }
    const TPerson& Person() const { return person_; }

    void WorkingAddButtonClick();
    void DeleteButtonClick();
    void AllDeleteClick();
    void SaveClick();

protected:
    void showEvent(QShowEvent* event) override;

public:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FormShow();
    // Reads the rows of the period again; false (after `failure`) when it cannot.
    bool Reload(const QString& failure, lum::MsgButton button);
    void FillRow(int row);
    void PlaceEditors();
    void HideEditors();
    // Writes one change of a row at once; false when it could not (the grid
    // is then read again when the row is gone).
    bool WriteChange(int row, const lum::CureResultChange& change);
    void TypeChosen(int index);
    void FlagClicked(int flag, bool on);
    void CommentEdited(const QString& text);
    void StaffChosen(int index);
    void CellEdited(int row, int column);
    void EditComments();
    QString StaffName(int code) const;

    lum::KeyEditBinding* dayBinding_;
    TPerson person_;
    bool havePerson_ = false;
    lum::TKubun Kubun;
    std::vector<lum::StaffMember> staff_;
    std::vector<lum::CureResult> rows_;
    bool filling_ = false;
};

extern TResultsEditForm* ResultsEditForm;

namespace lum {
// The per-client entry of the run (ResultsEditForm), created on first use
// when the start-up list has not made one.
TResultsEditForm& resultsEditForm();
}  // namespace lum
