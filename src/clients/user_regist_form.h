#pragma once
// The client registration ("利用者登録"): creates, opens (through the client
// search), edits, saves and deletes Person rows, one per client and
// admission. Shown from the main window's tile; hides the main window while
// it is open.
#include "common/kubun.h"
#include "clients/person.h"

#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace lum {
class EraDateField;
struct PersonInput;
}  // namespace lum

class TUserRegistForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TUserRegistForm(QWidget* parent = nullptr);
    ~TUserRegistForm() override;

    // The record filled by the validation and written to the row.
    TPerson Person;
    // 2 nothing loaded (save does nothing), 1 new client, 0 existing client.
    unsigned char Mode = 2;
    // Set by changes the edit controls do not track themselves.
    bool Dirty = false;
    lum::TRihaKubun RihaKubun;

    bool ValidateInput();
    void ClearInput();
    void ApplyRihaType(int type);
    bool IsInputModified() const;
    bool CheckRegistName();
    bool CheckRegistKana();

    // Commands (the tool bar's buttons and the ファイル menu run these).
    void NewClick();
    void OpenClick();
    void ImportClick();
    void SaveClick();
    void SaveAsNewClick();
    void DeleteClick();

    QWidget* MainPanel;
    QLabel* CureNo;
    QLineEdit* RegistName;
    QLineEdit* RegistKanaName;
    QLineEdit* BirthDay;
    QDateEdit* BirthDatePicker;
    QComboBox* SexBox;
    QLineEdit* distinctive;
    QComboBox* RoomBox;
    QLineEdit* UbinNo;
    QLineEdit* Address;
    QLineEdit* TelNo;
    QLineEdit* FaxNo;
    QLineEdit* EMailEdit;
    QLineEdit* TavelundUserNoEdit;
    QComboBox* RihaTypeBox;
    QLabel* ShuruiLabel;
    QCheckBox* TankiBox;
    QCheckBox* NinchiBox;
    QCheckBox* ShuudanBox;
    QCheckBox* KobetsuBox;
    QLabel* KijunLabel;
    QLineEdit* KijunEdit;
    QDateEdit* KijunDatePicker;
    QComboBox* JiritsudoBox;
    QComboBox* NinchidoBox;
    QComboBox* YoukaigodoBox;
    QLineEdit* TaiinDay;
    QDateEdit* TaiinDayPicker;
    QLineEdit* NyushoDay;
    QDateEdit* NyushoDayPicker;
    QLineEdit* TaishoDay;
    QDateEdit* TaishoDayPicker;
    std::array<QComboBox*, 6> ShikanNameBoxes;  // ShikanName1Box .. ShikanName6Box

    QPushButton* NewBtn;
    QPushButton* OpenBtn;
    QPushButton* ImportBtn;
    QPushButton* SaveBtn;
    QPushButton* CloseBtn;
    QPushButton* CopyBtn;
    QPushButton* CutBtn;
    QPushButton* PasteBtn;

    QMenu* FileMenu;
    QAction* NewMenu;
    QAction* OpenMenu;
    QAction* ImportMenu;
    QAction* SaveMenu;
    QAction* SaveAsNewMenu;  // 異なる入所(開始)日で新規保存
    QAction* DeleteMenu;
    QAction* CloseMenu;

    // The ファイル menu's items take the state of the buttons; 削除 needs a
    // treatment number of 1 or more (run when the menu opens).
    void UpdateFileMenu();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPanel();
    void BuildCommands();
    void BuildTabOrder();
    lum::PersonInput ReadInputs() const;
    void ShowPerson(const TPerson& p);
    void SaveNew();
    void SaveExisting();
    // The end of a good save: the message, the buttons, mode 0, nothing unsaved.
    void Saved();
    // The edits' own change flags cleared: what they show is what is stored.
    void MarkUnchanged();
    void EditComments(int code);

    std::array<lum::EraDateField*, 5> dateFields_{};  // BirthDay, KijunEdit, TaiinDay, NyushoDay, TaishoDay
};

extern TUserRegistForm* UserRegistForm;
