#pragma once
// The pickers of the other care system's clients: TTavelundUserForm reads its
// database server (link mode 1), TAccessUserForm its database file (link
// mode 2). One window, two classes: they differ only in the link, the title,
// the input methods and the message of a failed read.
//
// Each show reads the whole table kgkihn1d; the searches filter those rows in
// the program. A click on a row picks it whole: PickedClient is that row, so
// the caller never assembles one client out of edits and labels. Typing into
// a search field or searching again drops the pick, and 確定 waits for the
// next click.
#include "clients/linked_client.h"

#include <QDialog>

#include <array>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TLinkedUserForm : public QDialog {
    Q_OBJECT
public:
    // The link mode read (1 or 2).
    int LinkMode() const { return variant_.mode; }

    // The number of the last number search; 0 at creation.
    qint64 SearchNo = 0;
    // The picked client's sex as an index into SexNames: 1 female, 0 male,
    // -1 when none is picked or the row holds none.
    int SexIndex = -1;
    // The picked client's date of birth; empty when none.
    lum::TDateTime PickedBirth;
    // The clicked row, whole; none until a row is clicked.
    std::optional<lum::LinkedClient> PickedClient;

    // Copies the grid's current row into the edits, the labels and the fields above.
    void ShowPickedClient();

    QLabel* TitleLabel;
    QLineEdit* UserNo;
    QPushButton* NoSearchBtn;
    QLineEdit* RegistName;
    QLineEdit* RegistKanaName;
    QPushButton* UserSearchBtn;
    QPushButton* AllButton;
    std::array<QPushButton*, 10> KanaRowButtons;  // AButton .. WButton
    QTableWidget* DBGrid1;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* JhushoLabel;
    QLabel* ADDLabel;
    QLabel* TelLabel;
    QLabel* FaxLabel;
    QLabel* ChikuLabel;
    QLabel* TownLabel;
    QLabel* MailLabel;
    QPushButton* ReturnBtn;  // 確定
    QPushButton* Button1;    // キャンセル

    // The rows the grid shows, in its order, and whether the table is read.
    const std::vector<lum::LinkedClient>& Rows() const { return shown_; }
    bool IsLoaded() const { return loaded_; }

protected:
    struct Variant {
        int mode;
        const char* objectName;
        QString title;
        QString loadFailed;  // the message when the table cannot be read at show
        bool numberImeOn;    // UserNo: closed (on, Latin first) or disabled
    };
    TLinkedUserForm(const Variant& variant, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ClearInput();
    void ClearPick();
    // Reads the table ("opens the query"); false after the message.
    bool Load(const QString& failure);
    bool EnsureLoaded();
    void CloseQuery();
    void ShowRows(std::vector<lum::LinkedClient> rows);
    void NameSearch();
    void NoSearch();
    void KanaRowSearch(int row);
    void ShowAll();

    Variant variant_;
    std::vector<lum::LinkedClient> all_;
    std::vector<lum::LinkedClient> shown_;
    bool loaded_ = false;
    bool filling_ = false;
};

class TTavelundUserForm : public TLinkedUserForm {
    Q_OBJECT
public:
    explicit TTavelundUserForm(QWidget* parent = nullptr);
};

class TAccessUserForm : public TLinkedUserForm {
    Q_OBJECT
public:
    explicit TAccessUserForm(QWidget* parent = nullptr);
};

extern TTavelundUserForm* TavelundUserForm;
extern TAccessUserForm* AccessUserForm;

namespace lum {
// The picker of the run, created on first use when the start-up list has not made one.
TTavelundUserForm& tavelundUserForm();
TAccessUserForm& accessUserForm();
// The picker of a link mode (1 or 2); null for any other.
TLinkedUserForm* linkedUserForm(int mode);
}  // namespace lum
