#pragma once
// The open dialog of the care documents: one design configured seven ways by
// the member table. Mode 1 asks for a client number only (New); Mode 2 lists
// the client's documents of that member, newest first, and hands back the
// chosen one's key: PlanNo, PractNo or KeyDay, with CureNo.
//
// 確定 takes the key of the grid's current row (arrow keys included; Enter
// on the row acts as 確定), and a table that cannot be read is an open error,
// not "no documents".
#include "common/datetime.h"
#include "plans/document_kinds.h"
#include "plans/document_list.h"
#include "widgets/enter_release.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TGetDocumentForm : public QDialog {
    Q_OBJECT
public:
    TGetDocumentForm(lum::DocumentId id, QWidget* parent = nullptr);

    const lum::DocumentKind& Kind() const { return kind_; }

    int Mode = 1;  // 1 new document (client number only), 2 open a stored one
    int CureNo = 0;
    int PlanNo = 0;
    int PractNo = 0;
    lum::TDateTime KeyDay;

    QLabel* Label1;  // 治療番号
    QLineEdit* CureNoEdit;
    QPushButton* SearchButton;
    QPushButton* ConFirmButton;
    QPushButton* Button4;  // キャンセル
    QPushButton* DecideButton;
    QLabel* PromptLabel;
    QTableWidget* DBGrid1;

    void SearchButtonClick();
    void ConFirmButtonClick();
    void DecideButtonClick();

    // Client-area heights: the number row alone, and with the list.
    static constexpr int ShortHeight = 100;
    static constexpr int TallHeight = 341;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakeKey(const lum::DocumentListRow& row);
    void ShowShort();

    const lum::DocumentKind& kind_;
    lum::EnterRelease enter_;
    int number_ = 0;
    std::vector<lum::DocumentListRow> rows_;
};


// The seven members' dialogs: one design, configured by the member table.
class TGetCurePlanForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetCurePlanForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::CurePlan, parent) {}
};
class TGetPractPlanForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetPractPlanForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::PracticePlan, parent) {}
};
class TGetUrinPlanForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetUrinPlanForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::UrinPlan, parent) {}
};
class TGetUrinPractForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetUrinPractForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::UrinPract, parent) {}
};
class TGetBeforeConfForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetBeforeConfForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::BeforeConf, parent) {}
};
class TGetConfForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetConfForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::Conference, parent) {}
};
class TGetEstimateForm : public TGetDocumentForm {
    Q_OBJECT
public:
    explicit TGetEstimateForm(QWidget* parent = nullptr) : TGetDocumentForm(lum::DocumentId::Estimate, parent) {}
};

extern TGetCurePlanForm* GetCurePlanForm;
extern TGetPractPlanForm* GetPractPlanForm;
extern TGetUrinPlanForm* GetUrinPlanForm;
extern TGetUrinPractForm* GetUrinPractForm;
extern TGetBeforeConfForm* GetBeforeConfForm;
extern TGetConfForm* GetConfForm;
extern TGetEstimateForm* GetEstimateForm;

namespace lum {
// The member's open dialog of the run: the one the start-up list made, or
// one made on first use.
TGetDocumentForm& openDialogFor(DocumentId id);
}  // namespace lum
