#pragma once
// What the two medical-record windows share (治療実績入力 （個人） and
// （日別）): the tool bar's 保存, 印刷 and 閉じる; the date's up-down Hizuke and
// the staff box TantouBox; the results grid, whose columns from the plan's
// start time on are the same in both (the plan's start time and minutes, the
// actual start time and minutes, the fourteen category flags, the remark, the
// login name); the stock-phrase box over the remark cell; reading the rows of
// the window's criteria; and the editing rule, written once:
// - only the start time, the minutes and the remark take input; the current
//   cell is moved off every other column;
// - typing in a cell (or the remark box) puts its row in edit mode: 保存 on,
//   印刷 off;
// - each edit is written at once by ResultNo through the results store, only
//   its column and UpdateDate (now): the row is posted, which turns 保存 off
//   again, so closing never asks about an edit already written; 印刷 stays
//   off until 保存 or the window's 開く / 読込 reads the rows again;
// - a negative number of minutes is told ("負の値です。") and written as 0;
// - a result deleted on another workstation is told and the rows read again;
// - closing while 保存 is enabled asks first.
#include "app/staff_list.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"
#include "results/cure_results_store.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace lum {
class HorizontalUpDown;
}

class QComboBox;
class QLabel;
class QTableWidget;
class QToolButton;

class TMedicalRecordForm : public QWidget {
    Q_OBJECT
public:
    // The stock-phrase list of the remark box.
    static const QString kPhraseList;  // "ResultEdit", code 0

    QWidget* ToolBarPanel;
    QToolButton* SaveButton;   // 保存
    QToolButton* PrintButton;  // 印刷
    QToolButton* CloseButton;  // 閉じる
    QWidget* MainPanel;        // centred horizontally, 60 pixels from the top
    lum::HorizontalUpDown* Hizuke;  // the month or the day, a step back or on
    QComboBox* TantouBox;           // 担当者
    QTableWidget* ResultGrid;
    QComboBox* CommentBox;     // laid over the focused remark cell

    // The printout: one user data source, the window's values.
    lum::ReportComponents Components;
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};
    lum::TfrReport frReport1{&Components};

    // The columns from the plan's start time on.
    int PlanStartColumn() const { return leading_ - 2; }
    int PlanMinuteColumn() const { return leading_ - 1; }
    int StartColumn() const { return leading_; }
    int MinuteColumn() const { return leading_ + 1; }
    int FirstFlagColumn() const { return leading_ + 2; }
    int CommentColumn() const { return leading_ + 2 + lum::CategoryFlagCount; }
    int LoginColumn() const { return CommentColumn() + 1; }
    int ColumnCount() const { return LoginColumn() + 1; }
    // Where a move to this column lands: the minutes stay, a column after
    // them goes to the remark, one before the start time to the start time.
    int EditableColumn(int column) const;

    // The rows on show, in the grid's order.
    const std::vector<lum::CureResult>& Rows() const { return rows_; }
    // Whether rows were read (the window's data set is open), even none.
    bool RowsOpen() const { return open_; }

    // 保存: the cell being typed in is written, the rows are read again and
    // 印刷 is enabled.
    void SaveButtonClick();

protected:
    struct LeadingColumn {
        QString title;
        int width;
    };
    // The tool bar starts with the window's own first button (開く, 読込);
    // the grid with the window's own columns, then the plan's start time and
    // minutes under リハビリ計画.
    TMedicalRecordForm(const char* objectName, const QString& caption, const char* firstButton,
                       const QString& firstCaption, const std::vector<LeadingColumn>& own, QWidget* parent);
    ~TMedicalRecordForm() override;

    QToolButton* FirstButton() const { return firstButton_; }
    // A template file in the application's folder.
    static QString TemplatePath(const QString& fileName);
    // A right-aligned caption for a control of the panel.
    QLabel* CaptionLabel(const QString& text);
    // Fills the staff box with the run's staff list, no choice made; gives
    // the list (empty after its message when it cannot be read).
    std::vector<lum::StaffMember> FillStaffBox(QComboBox* box);
    // The window's own columns, before the plan's.
    virtual QString OwnText(const lum::CureResult& row, int column) const = 0;
    // Reads the rows of the window's criteria (its query); throws db::DbError.
    virtual std::vector<lum::CureResult> ReadRows() = 0;
    // The rows of criteria just set, or nothing after the message saying
    // they could not be read.
    std::optional<std::vector<lum::CureResult>> ReadNewRows();
    // Shows rows just read: 保存 and 印刷 on, the grid focused.
    void ShowNewRows(std::vector<lum::CureResult> rows);
    // The Tab order: the window's criteria and commands, then the grid, 保存,
    // 印刷 and 閉じる.
    void SetTabChain(QList<QWidget*> criteria);
    // The rows were read again by 保存 (after the grid shows them).
    virtual void RowsSaved() {}
    // Showing: the window's own reset, after the common one.
    virtual void FormShow() {}

    // Shows rows as read (the data set opened), or none (closed).
    void ShowRows(std::vector<lum::CureResult> rows);
    void CloseRows();
    // Writes what is being typed in a start time or minutes cell.
    void CommitTyping();
    void LoadPhrases();
    // A labelled group over grid columns, in the strip above the titles.
    void AddColumnGroup(const QString& title, int firstColumn, int columns);
    // The panel's layout: the window inserts its own controls at the top,
    // then calls FinishLayout once.
    class QVBoxLayout* PanelLayout() const { return panelLayout_; }
    void FinishLayout();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString LeadingText(const lum::CureResult& row, int column) const;
    // A row entered edit mode: 保存 on, 印刷 off.
    void EditStarted();
    void FillRow(int row);
    void PlaceCommentBox();
    void CurrentCellMoved(int row, int column, int previousRow, int previousColumn);
    void CellEdited(int row, int column);
    void CommentEdited(const QString& text);
    void EditComments();
    // Writes a change and UpdateDate now; false when it could not.
    bool WriteChange(int row, lum::CureResultChange change);
    bool Reload(const QString& failure);
    // Tab and Shift+Tab: start time, minutes, remark, then the next row.
    void TabMove(bool forward);

    int leading_;
    QToolButton* firstButton_;
    QWidget* groups_;
    class QVBoxLayout* panelLayout_;
    std::vector<int> columnX_;
    std::vector<lum::CureResult> rows_;
    bool open_ = false;
    bool filling_ = false;
    bool redirecting_ = false;
};
