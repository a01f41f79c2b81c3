#pragma once
// The rehabilitation plan window "リハビリテーション計画書": one plan of one
// client and date of making, on the document road, stored as the KeikakuData
// record of UrinKeikaku. The sheet is laid out like the printed form.
#include "plans/document_form.h"
#include "plans/urin_plan_record.h"

#include <array>

class TMarker;
class TMarkerPair;

class TURinPlanForm : public TSheetDocumentForm {
    Q_OBJECT
public:
    static constexpr lum::DocumentId KindId = lum::DocumentId::UrinPlan;

    explicit TURinPlanForm(QWidget* parent = nullptr);

    // The plan on screen and its date of making (the row's UrinDay).
    lum::TUrinPlan Plan;
    lum::TDateTime SakuseiDate;

    bool CollectRecord() override;

    // Controls (object names as the design's).
    QWidget* MainPanel;
    QLabel* ShisetsuLabel;
    QLabel* NameLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* OldLabel;
    std::array<QLabel*, 6> Shindanmei;  // Shindanmei1 .. 6
    std::array<TMarker*, 7> Shapes;     // Shape1 .. 7: 要支援１ .. 要介護５
    std::array<QComboBox*, 4> AimBoxes;  // AimBox1 .. 4
    QLabel* NyushoDayLabel;
    TMarkerPair* NyushoPair;  // NyushoAri / NyushoNasi
    TMarkerPair* TankiPair;   // TankiAri / TankiNasi
    TMarkerPair* NinchiPair;  // NinchiAri / NinchiNasi
    QLineEdit* TankiLmtDay;
    QLineEdit* NinchiLmtDay;
    QLineEdit* HDS_R_Edit;
    QPlainTextEdit* TokiMemo;
    QPlainTextEdit* KinkiMemo;
    QLineEdit* SakuseiDay;
    QComboBox* TantouBox;

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    void FillLists() override;
    void GetValue(const QString& name, lum::ExprValue& value) override;

private:
    void BuildSheet();
    void WireChanges();
    // 有 or 無 of an addition: its date edit follows.
    void AdditionChosen(TMarkerPair* pair, QLineEdit* date, bool yes);
    void ShowAddition(TMarkerPair* pair, QLineEdit* date, bool set, lum::TDateTime to);
    void DateEntered(QLineEdit* edit, const QString& error);
    void EditPurposes();

    std::array<QLabel*, 7> levelCaptions_{};
    lum::KeyEditBinding* sakuseiKeys_ = nullptr;
    lum::KeyEditBinding* tankiKeys_ = nullptr;
    lum::KeyEditBinding* ninchiKeys_ = nullptr;
};

extern TURinPlanForm* URinPlanForm;
