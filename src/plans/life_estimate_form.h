#pragma once
// The daily-life function evaluation window "日常生活機能評価表": one
// evaluation of one client and date of making, on the document road, stored
// in the plain columns of Estimate. Each item is answered by clicking one of
// its option texts (or Space / Enter on a focused one); clicking the chosen
// option again leaves the item unanswered.
#include "plans/document_form.h"
#include "plans/life_estimate.h"

#include <array>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;
class TSheetScrollBox;

namespace lum {
class EraDateField;
}

class TLifeEstimateForm : public TDocumentForm {
    Q_OBJECT
public:
    static constexpr lum::DocumentId KindId = lum::DocumentId::Estimate;
    explicit TLifeEstimateForm(QWidget* parent = nullptr);

    // The evaluation on screen.
    lum::TLifeEstimate Estimate;

    // The option of `points` of an item clicked: its circle toggles, the
    // item's others go, the total follows.
    void OptionClick(int item, int points);
    // Recomputes the total from the scores and shows it.
    void CalcTotal();
    // The Enter rule applied to the date as typed (Save runs it first).
    bool CollectRecord() override;

    // Controls (object names as the design's).
    TSheetScrollBox* ScrollBox1;
    QWidget* P1Panel;
    QLineEdit* DateEdit;
    QDateEdit* RegistDatePicker;
    QLabel* NameLbl;
    QLabel* CureNoLbl;
    QLabel* TotalLabel;
    // Per item and points (a null entry where the item has no such option):
    // the option text H<i>T<p>Label and its circle H<i>T<p>Cir.
    std::array<std::array<QLabel*, 3>, lum::EstimateItemCount> OptionLabels{};
    std::array<std::array<QLabel*, 3>, lum::EstimateItemCount> Circles{};

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    QWidget* WorkArea() const override;
    QWidget* DateField() const override;
    bool OpenDocument(TGetDocumentForm& dialog) override;
    bool SaveDocument() override;
    bool DeleteDocument() override;
    void GetValue(const QString& name, lum::ExprValue& value) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSheet();
    void ShowScores();

    lum::EraDateField* dateField_ = nullptr;
    bool loading_ = false;
    // The evaluation on screen as stored when it was opened or last saved:
    // Save replaces that row unasked, any other only after the question.
    std::optional<lum::TLifeEstimate> storedRow_;
};

extern TLifeEstimateForm* LifeEstimateForm;
