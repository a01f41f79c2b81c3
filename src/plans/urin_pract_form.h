#pragma once
// The preventive-care plan window "リハビリテーション実施計画書（予防）": one
// plan of one client and evaluation date, on the document road, stored as
// the YobouData record of UrinYobou. The sheet is laid out like the printed
// form.
#include "plans/document_form.h"
#include "plans/urin_pract_record.h"

#include <array>
#include <vector>

class QCheckBox;

class TURinPractForm : public TSheetDocumentForm {
    Q_OBJECT
public:
    static constexpr lum::DocumentId KindId = lum::DocumentId::UrinPract;

    explicit TURinPractForm(QWidget* parent = nullptr);

    // The plan on screen and its evaluation date (the row's UrinDay).
    lum::TUrinPract Pract;
    lum::TDateTime HyoukaDate;

    bool CollectRecord() override;
    // A fresh record: evaluation date now, no maker, no occupation.
    void InitRecord();

    // Controls (object names as the design's).
    QWidget* MainPanel;
    QLineEdit* HyoukaDayEdit;
    QComboBox* MakeBox;
    QComboBox* OccupBox;
    QLabel* KaigoKubunLabel;
    QLabel* ShimeiLabel;
    QLabel* SeibetsuLabel;
    QLabel* SeinenLabel;
    QLabel* ToshiLabel;
    QPlainTextEdit* ShindanMemo;
    QPlainTextEdit* KiouMemo;
    QLineEdit* GripR;
    QLineEdit* GripL;
    QLineEdit* LegR;
    QLineEdit* LegL;
    QLineEdit* TUG1;
    QLineEdit* TUG2;
    QLineEdit* Stand30;
    QLineEdit* StandNum;
    QLineEdit* Walk1;
    QLineEdit* Walk2;
    QComboBox* GoodsBox;
    QLineEdit* HDSEdit;
    QPlainTextEdit* ItamiMemo;
    QPlainTextEdit* SelfMemo;
    QPlainTextEdit* AttentMemo;
    QPlainTextEdit* ShortMemo;
    QPlainTextEdit* AllMemo;
    // KeitaiCheck, BaioCheck, SerabCheck, LegPCheck, HotBCheck, MycroCheck,
    // LowCheck, MedMCheck, ADLCheck, NINCheck, ETCCheck: the stored order.
    std::array<QCheckBox*, 11> ProgrammeChecks;
    QLineEdit* ETCEdit;
    QPlainTextEdit* HyoukaMemo;
    QLineEdit* Num1;
    QLineEdit* Num2;
    QLineEdit* Num3;
    QLineEdit* Funn;
    QComboBox* Fuka;
    QComboBox* FukaHow;
    QLabel* ShisetsuLbl;

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    void FillLists() override;
    // A failed open leaves a fresh record behind.
    bool OpenDocument(TGetDocumentForm& dialog) override;
    void GetValue(const QString& name, lum::ExprValue& value) override;

private:
    // A typed entry of the record: its control, its field and its limit, in
    // the order the checks run. A memo, printed in a box of fixed size (the
    // template's memo named as the field's variable), also has its caption
    // for the message refusing more lines than that box holds.
    struct Entry {
        QWidget* control;
        QString lum::TUrinPract::*field;
        int limit;
        QString overLimit;
        QString caption = {};
    };
    void BuildSheet();
    void WireChanges();
    void EditList(QComboBox* box, int code);
    void FillList(QComboBox* box, int code);
    void EditSonota();

    std::vector<Entry> entries_;
};

extern TURinPractForm* URinPractForm;
