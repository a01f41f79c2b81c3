#pragma once
// The conference record window "リハビリテーションカンファレンス": one
// rehabilitation conference of one client and date, on the document road,
// stored as the ConferData record of Conference. New keeps the body of the
// document last shown under the new client's header.
#include "plans/document_form.h"
#include "plans/conference_record.h"

#include <array>

class TMarkerPair;

class TConferenceForm : public TSheetDocumentForm {
    Q_OBJECT
public:
    static constexpr lum::DocumentId KindId = lum::DocumentId::Conference;

    explicit TConferenceForm(QWidget* parent = nullptr);
    ~TConferenceForm() override;

    // The record on screen and its conference date (the row's PractDay).
    lum::TConference Conf;
    lum::TDateTime ConfDate;

    bool CollectRecord() override { return Collect(true); }
    // Each takes a valid date into the record, or shows its message and
    // focuses the edit.
    bool CheckHizukeDate();
    bool CheckFromDate();
    bool CheckToDate();

    // Controls (object names as the design's).
    QWidget* CanfPanel;
    QLineEdit* Hizuke;
    QLabel* Shimai;
    QLabel* Seibetsu;
    QLabel* NenreiLabel;
    QLabel* Youkaigo;
    QLineEdit* FromDate;
    QLineEdit* ToDate;
    QPlainTextEdit* Hyouka;
    TMarkerPair* TargetPair;  // MokuAri / MokuNasi, markers TargetAri / TargetNasi
    TMarkerPair* KangoPair;   // KanKaiAri / KankaiNasi, markers KangoAri / KangoNasi
    TMarkerPair* RihaPair;    // RihabiriAri / RihabiriNasi, markers RahaAri / RahaNasi
    QPlainTextEdit* target;
    QPlainTextEdit* DeadLine;
    QPlainTextEdit* KanKaigo;
    QPlainTextEdit* RihaProgram;
    QComboBox* DRCombo;
    QComboBox* CareCombo;
    QComboBox* EiyouComb;
    QComboBox* KangoCombo;
    QComboBox* RihaCombo;

protected:
    void ClearDocument() override;
    void TakeHeader(const TPerson& person) override;
    void ShowHeader() override;
    void ShowRecord() override;
    void FillLists() override;
    void GetValue(const QString& name, lum::ExprValue& value) override;
    bool CollectForPrint() override { return Collect(false); }

private:
    struct Row {
        TMarkerPair* pair;
        QPlainTextEdit* memo;  // enabled while the row is 有
    };
    void BuildSheet();
    void WireChanges();
    void ShowRow(const Row& row, bool changed);
    void ShowAge();
    void ShowPeriodDate(QLineEdit* edit, lum::TDateTime date);
    bool CheckDate(QLineEdit* edit, const QString& error, lum::TDateTime& into);
    // Controls into the record; for Save also the attendee boxes' check and
    // that each row's text prints whole in its box, while Print takes a name
    // that is no staff member as nobody and prints a row's text cut at its
    // box, marked (a text stored before).
    bool Collect(bool saving);
    void ShowAttendee(QComboBox* box, int code);

    struct Attendee {
        QComboBox* box;
        QString caption;
        int lum::TConference::*code;
    };
    std::array<Row, 3> rows_{};
    std::array<Attendee, 5> attendees_{};
    lum::KeyEditBinding* hizukeKeys_ = nullptr;
    lum::KeyEditBinding* fromKeys_ = nullptr;
    lum::KeyEditBinding* toKeys_ = nullptr;
};

extern TConferenceForm* ConferenceForm;
