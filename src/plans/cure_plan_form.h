#pragma once
// The treatment plan window "リハビリ治療計画書": one plan of one client,
// with its body chart, on the document road. It stores the plan as a
// RihaPlan row and Figure rows (PlanStore): saving the plan on screen again
// replaces it whole; another stored plan of that client and start day only
// once the user agreed to overwrite it.
#include "plans/body_chart_model.h"
#include "plans/document_form.h"
#include "plans/plan_record.h"
#include "platform/ui/dialogs.h"

#include <QImage>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class TRihaShape;
class TSheetScrollBox;

namespace lum {
class EraDateField;
}

class TCurePlanForm : public TDocumentForm {
    Q_OBJECT
public:
    explicit TCurePlanForm(QWidget* parent = nullptr);
    ~TCurePlanForm() override;

    // The plan on screen; PlanNo 0 until it is opened or saved.
    lum::TPlan Plan;

    bool IsModified() const override;
    bool CollectRecord() override;

    // The chart as data, and back onto the screen.
    lum::BodyChart Chart() const;
    void LoadChart(const lum::BodyChart& chart);
    // クリア of one side: its overlays hidden and its marks removed.
    void ClearChart(lum::ChartSide side);
    // The chart's mouse rules, in the body picture's coordinates of a side
    // (the window's mouse handlers call these; tests may too).
    void ChartLeftUp(lum::ChartSide side, QPoint at, TRihaShape* onMark, Qt::KeyboardModifiers modifiers);
    void ChartRightDown(TRihaShape* mark, QPoint at);
    void ChartMove(TRihaShape* mark, QPoint at);
    void ChartRightUp();
    // The marks of one side and kind, in placement order.
    const std::vector<TRihaShape*>& Marks(lum::ChartSide side, lum::MarkKind kind) const;
    QLabel* Overlay(lum::ChartSide side, lum::Corner corner) const;
    // The printed chart of the last Print.
    const QImage& ChartImage() const { return chartImage_; }

    // Controls (object names as the design's).
    TSheetScrollBox* ScrollBox1;
    QWidget* CurePlanPanel;
    QLabel* CureNoLabel;
    QLabel* NameLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* RihaTypeLabel;
    QLabel* KubunLabel;
    std::array<QLabel*, 6> ShikanLabels;  // ShikanLabel1 .. 6
    QLabel* JiritsuCircle;
    QLabel* NinchiCircle;
    QLabel* YoukaigoCircle;
    QLineEdit* PlanRegistDay;
    QLineEdit* PlanStopDay;
    QDateEdit* RegistDatePicker;
    QDateEdit* EndDatePicker;
    // KansetsuBox .. RightChoryokuBox, in stored order.
    std::array<QComboBox*, 9> ImpairmentBoxes;
    std::array<QComboBox*, 3> DetailBoxes;  // MahiUpDetailBox, MahiDownDetailBox, MahiFinDetailBox
    std::array<QComboBox*, 9> ImpairmentComments;  // KansetsuComment .. ChoryokuRComment
    QPlainTextEdit* EtcMemo;
    QComboBox* Shitsugo;
    QComboBox* Shitsunin;
    QComboBox* ShitsugoComment;
    QComboBox* ShitsuninnComment;
    std::array<QCheckBox*, 15> BehaviourBoxes;  // Tukuribanashi .. Shushuu
    std::array<QComboBox*, 10> DailyBoxes;      // Negaeri .. Ishi
    std::array<QComboBox*, 10> DailyComments;   // NegaeriComment .. IshiComment
    QPlainTextEdit* Sonota;
    std::array<QComboBox*, 6> Mondaiten;
    std::array<QComboBox*, 6> Mokuhyo;
    std::array<QComboBox*, 6> Program;
    QPlainTextEdit* DrMemo;
    QPlainTextEdit* CopyMemo;  // hidden: phrases picked for pasting
    QWidget* ShogaiKubun;
    std::array<QRadioButton*, 4> ShogaiKubunButtons;
    QWidget* ZukeiPanel;
    QWidget* FrontPanel;
    QWidget* BackPanel;
    QLabel* FrontImage;
    QLabel* BackImage;
    QPushButton* ImClearFBtn;
    QPushButton* ImClearBBtn;

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    QWidget* WorkArea() const override;
    QWidget* DateField() const override;
    void FillLists() override;
    bool OpenDocument(TGetDocumentForm& dialog) override;
    bool SaveDocument() override;
    bool DeleteDocument() override;
    void GetValue(const QString& name, lum::ExprValue& value) override;
    void EnterRect(QStringList& memo, lum::TfrView* view) override;
    bool BeforePrint() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildHeader();
    void BuildDates();
    void BuildImpairments();
    void BuildChart();
    void BuildSpeechAndBehaviour();
    void BuildDailyLife();
    void BuildLinesAndMemos();
    void WireChanges();
    void EditPhrases(int code);
    void PickPhrases(int code);
    TRihaShape* AddMark(lum::ChartSide side, lum::MarkKind kind, QPoint at);
    void RemoveMark(TRihaShape* mark);
    QWidget* SidePanel(lum::ChartSide side) const;
    bool refuse(const QString& text, QWidget* focus, lum::MsgKind kind = lum::MsgKind::Information);

    lum::EraDateField* registField_;
    lum::EraDateField* endField_;
    std::array<std::array<std::vector<TRihaShape*>, 3>, 2> marks_;
    std::array<std::array<int, 3>, 2> counters_{};
    std::array<std::array<QLabel*, 4>, 2> overlays_{};
    bool dragging_ = false;
    TRihaShape* dragged_ = nullptr;
    QPoint reference_;
    bool loading_ = false;
    bool built_ = false;  // the event filter waits for every control
    lum::BodyChart openedChart_;
    QImage chartImage_;
};

extern TCurePlanForm* CurePlanForm;
