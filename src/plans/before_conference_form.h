#pragma once
// The start-of-stay conference survey window
// "開始時リハビリテーションカンフアレンス（調査票参照）": one survey of one client
// and 実施日, on the document road, stored as the BeforeConferData record of
// BeforeConfer. The sheet is laid out like the printed form.
#include "plans/before_conference_record.h"
#include "plans/document_form.h"

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class TMarker;

class TBeforeConferenceForm : public TSheetDocumentForm {
    Q_OBJECT
public:
    static constexpr lum::DocumentId KindId = lum::DocumentId::BeforeConf;

    explicit TBeforeConferenceForm(QWidget* parent = nullptr);
    ~TBeforeConferenceForm() override;

    // The survey held (as opened, saved or collected) and its 実施日 (the
    // row's ConferenceDay).
    lum::TBeforeConference Survey;
    lum::TDateTime PractDay;
    // What the last Print took from the screen; the held survey stays as it was.
    lum::TBeforeConference PrintSurvey;
    lum::TDateTime PrintDay;

    bool CollectRecord() override;
    // The length checks of CollectRecord, without the date test, into the
    // print copy: every entry as the screen shows it, the 実施日 from
    // JishiDay when it is a date, else the one held.
    bool CheckLengths();

    // Controls (object names as the design's).
    QWidget* ChosaPanel;
    QLineEdit* JishiDay;
    QLabel* NameLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* OldLabel;
    QLabel* KaigoLabel;
    QPlainTextEdit* Health;
    QPlainTextEdit* Gatsupai;
    QPlainTextEdit* SelfHope;
    QPlainTextEdit* FarmilyHope;
    // ExerciseBox, SenseBox, BrainBox, KoushukukBox, ArthralgiaBox, SonotaBox,
    // nintchiBox and their notes Exercise .. nintchi: the stored order.
    std::array<QCheckBox*, 7> FunctionBoxes;
    std::array<QPlainTextEdit*, 7> FunctionNotes;
    QCheckBox* TaishoBox;
    QLineEdit* TaishyoYotei;
    QLabel* TaishoMitei;  // "・未定" with its marker, shown while unchecked
    TMarker* TaishoMiteiShape;
    QCheckBox* TaishoSakiBox;
    QLineEdit* TaishyoSaki;
    QLabel* TaishoSakiMitei;
    TMarker* TaishoSakiMiteiShape;
    QCheckBox* Tashisetsu;
    QLineEdit* Tokuyou;
    QLineEdit* Rouken;
    QLineEdit* Ryoyou;
    QPlainTextEdit* kentou;
    // DRBox, CareBox, EiyouBox, KangoBox, RihaBox: the stored order.
    std::array<QComboBox*, 5> AttendeeBoxes{};
    QAction* ReturnMenu;       // 閉じる

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    void FillLists() override;
    bool CollectForPrint() override { return CheckLengths(); }
    void GetValue(const QString& name, lum::ExprValue& value) override;

private:
    void BuildSheet();
    void WireChanges();
    // The enabled states a box sets (a disabled text keeps its contents).
    void ShowGoal(QCheckBox* box, QLineEdit* text, QLabel* mitei, TMarker* shape);
    void ShowStates();
    // The screen's entries into a copy of the held survey with the checks;
    // nothing after the first refusal (its message shown, its field focused).
    // Saving also refuses a memo its printed box cannot hold whole and a name
    // that is no staff member; printing takes such a name as nobody and
    // prints the memo cut at its box, marked (a text stored before).
    std::optional<lum::TBeforeConference> Collect(bool saving);
    void JishiDayEntered();

    // Each typed entry with its record field, in the order the checks run.
    struct Entry {
        QWidget* control;
        QString lum::TBeforeConference::*field;
        int limit;
        QString box;      // the printout's memo of fixed size, or empty
        QString caption;  // the entry's name in the message refusing it
    };
    std::vector<Entry> entries_;
    lum::KeyEditBinding* jishiKeys_ = nullptr;
};

extern TBeforeConferenceForm* BeforeConferenceForm;
