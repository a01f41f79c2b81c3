#pragma once
// The practice plan window "リハビリ計画管理システム": the two-page
// リハビリテーション実施計画書 of one client and evaluation date, on the
// document road, stored as the PracticeData record of Practice. Page 1 holds
// the header, the body and the two tables of daily-life items (level cells
// filled through the ABC dialog, tool and care memos through their phrase
// dialogs, the target period through the keypad, 重点項目 by clicks); page 2
// the texts and the team. It prints "PracticePlan.frf".
#include "plans/document_form.h"
#include "plans/practice_plan_record.h"

#include <array>
#include <map>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class TChoiceLabel;
class TDiagonalBox;
class TLevelCell;
class TSheetScrollBox;

namespace lum {
class KeyEditBinding;
}

class TPracticePlanForm : public TDocumentForm {
    Q_OBJECT
public:
    static constexpr lum::DocumentId KindId = lum::DocumentId::PracticePlan;

    explicit TPracticePlanForm(QWidget* parent = nullptr);
    ~TPracticePlanForm() override;

    // The plan on screen; its PlanDate is the plan date (the day alone once
    // collected).
    lum::TPracticePlan Plan;

    // The plan date edit read as an era date into the plan date; false
    // after "日付エラーです。" with page 1 shown and the edit focused.
    bool CheckPlanDate();
    bool CollectRecord() override;
    bool IsModified() const override;
    bool IsModifiedOnClose() const override;
    void ResetModified() override;

    // The controls of one table row.
    struct RowControls {
        std::array<TLevelCell*, lum::PracticeLevelColumns> ABC{};  // ABC<row><column>
        QPlainTextEdit* Goods = nullptr;                           // Goods<row>
        QPlainTextEdit* Kaigo = nullptr;                           // Kaigo<row>
        QLineEdit* Time = nullptr;                                 // Time<row>
        TChoiceLabel* Special = nullptr;                           // Special<row>
    };
    // A row by its number (0 … 12, 20 … 27).
    RowControls& Row(int number);

    // ---- cell editing (the mouse's and the dialogs' ways into the tables)
    void LevelCellReleased(TLevelCell* cell);  // left button: selected or not
    void LevelCellMenu();                      // right button: the ABC dialog
    void EditGoods(int row);
    void EditKaigo(int row);
    void EditTime(int row);
    void SpecialClick(int row);
    // The stock-phrase picker for a code of the list "PracticePlan".
    void PickPhrases(int code);

    // ---- controls (object names as the design's)
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    TSheetScrollBox* ScrollBox1;
    TSheetScrollBox* ScrollBox2;
    QWidget* P1Panel;
    QWidget* P2Panel;
    QLineEdit* PlanDateEdit;
    QLabel* UserNameLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* OldLabel;
    QLabel* KaigodoLabel;
    QPlainTextEdit* KenkouMemo;
    QPlainTextEdit* GapeiMemo;
    QPlainTextEdit* SeikatsuMemo;
    QCheckBox* Exercise;
    QCheckBox* Sense;
    QCheckBox* Brain;
    QCheckBox* Koushuku;
    QCheckBox* Arthralgia;
    QCheckBox* Sonota;
    QPlainTextEdit* ExerciseMemo;
    QPlainTextEdit* SenseMemo;
    QPlainTextEdit* BrainMemo;
    QPlainTextEdit* KoushukuMemo;
    QPlainTextEdit* ArthralgiaMemo;
    QPlainTextEdit* SonotaMemo;
    QLineEdit* HDSEdit;
    QCheckBox* HomeBox;
    QCheckBox* EtcBox;
    QLineEdit* EtcEdit;
    QCheckBox* TaiinBox;
    QLineEdit* HomeWorkEdit;
    QLineEdit* SocialEdit;
    QLineEdit* GoOutEdit;
    QLineEdit* FreeTimeEdit;
    QLineEdit* TaiinEdit;
    QPlainTextEdit* PTOTST0;
    QPlainTextEdit* Kango0;
    QPlainTextEdit* Jitchi0;
    QPlainTextEdit* PTOTST1;
    QPlainTextEdit* Kango1;
    QPlainTextEdit* Jitchi1;
    TDiagonalBox* PaintBox1;
    TDiagonalBox* PaintBox2;
    QLabel* UserLabel;
    QPlainTextEdit* SelfHope;
    QPlainTextEdit* FarmilyHope;
    QPlainTextEdit* LifePoint;
    QPlainTextEdit* RihaTerget;
    QPlainTextEdit* SelfDo;
    QPlainTextEdit* AskFarmily;
    QPlainTextEdit* DiseseCare;
    QPlainTextEdit* Variation;
    QPlainTextEdit* Remark;
    std::array<QComboBox*, lum::PracticeTeamSlots> TeamBoxes{};  // TeamBox1 … TeamBox13
    QPlainTextEdit* CopyMemo;  // hidden: phrases picked for pasting
    // The tool bar's buttons under this window's names (the base's buttons).
    QPushButton* ToolButton1;   // 新規作成
    QPushButton* ToolButton2;   // 開く
    QPushButton* SaveButton;    // 保存
    QPushButton* PrintButton;   // 印刷
    QPushButton* ToolButton11;  // 閉じる
    QToolBar* EditToolBar;      // 切り取り, コピー, 貼り付け

    // The table data source of the second table (8 records).
    lum::TfrUserDataset frUserDataset2{QStringLiteral("frUserDataset2")};

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    QWidget* WorkArea() const override;
    QWidget* DateField() const override;
    void FillLists() override;
    QByteArray RecordBytes() const override;
    bool LoadRecord(const QByteArray& bytes, lum::TDateTime) override;  // the plan date is in the record
    lum::TDateTime RecordDate() const override { return Plan.PlanDate; }
    bool DeleteDocument() override;
    void SetRecordCounts() override;
    void GetValue(const QString& name, lum::ExprValue& value) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // A typed text of the record: its control, its field, its limit, and
    // the caption of its printed box when the printout holds it in a box of
    // fixed size (null when it flows).
    struct Entry {
        QWidget* control;
        QString lum::TPracticePlan::*field;
        int limit;
        const char* boxCaption;
    };
    void BuildPage1();
    void BuildPage2();
    void BuildTable(QWidget* sheet, int top, int firstRow, int rows, const QString& corner, int tableIndex);
    void WireChanges();
    void ShowAge();
    // Shows the page, scrolls to the control and focuses it.
    void FocusOn(QWidget* control);
    bool Refuse(const QString& text, QWidget* focus);
    bool CollectEntries(const std::vector<Entry>& entries, lum::TPracticePlan& plan);
    bool CollectRow(int number, lum::TPracticePlan& plan);
    void ShowSpecial(int row);
    static QString ControlText(QWidget* control);

    std::map<int, RowControls> rows_;
    std::vector<TLevelCell*> cells_;          // every level cell of both tables
    std::vector<std::pair<QWidget*, int>> phraseFields_;  // a field (a memo's viewport) and its phrase code
    std::map<QObject*, int> goodsMemos_, kaigoMemos_, timeEdits_;  // viewport or edit → row
    std::vector<Entry> headEntries_, bodyEntries_, tableMemos0_, tableMemos1_, page2Entries_;
    std::array<int, lum::PracticeTeamSlots> team_{};  // the staff codes the team boxes stand for
    lum::KeyEditBinding* planDateKeys_ = nullptr;
    bool loading_ = false;
};

extern TPracticePlanForm* PracticePlanForm;
