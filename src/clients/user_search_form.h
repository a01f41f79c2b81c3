#pragma once
// The client search ("利用者検索"): the one modal dialog with which every
// window picks a client. The user searches by treatment number, name, kana,
// the linked system's number, a kana row or all rows, may sort by any column,
// clicks a row and confirms with 確定; the caller then reads Person.
#include "clients/person.h"

#include <QDialog>

#include <array>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

class TUserSearchForm : public QDialog {
    Q_OBJECT
public:
    explicit TUserSearchForm(QWidget* parent = nullptr);

    // The chosen row after 確定: every column but the weekly requests, which
    // keep what they held before.
    TPerson Person;
    // The direction of the next sort on each grid column; kept for the run.
    std::array<bool, 9> SortAscending{};

    // The input checks of the four searches (message, focus, false).
    bool CheckCureNoInput();
    bool CheckNameInput();
    bool CheckKanaInput();
    bool CheckTavelundNoInput();
    // Copies the grid's current row into the four edits.
    void TakeGridRow();

    QLineEdit* RegistCureNo;
    QPushButton* CureNoButton;
    QLineEdit* RegistName;
    QPushButton* UserSearchBtn;
    QLineEdit* RegistKanaName;
    QPushButton* KanaSearchBtn;
    QLineEdit* RegistTavelund;
    QPushButton* TavelundBtn;
    QPushButton* ClearBtn;
    std::array<QPushButton*, 10> KanaRowButtons;  // ABtn .. WBtn
    QPushButton* AllDisplay;
    QTableWidget* DBGrid1;
    QPushButton* DecideButton;
    QPushButton* ReturnBtn;

    // The rows the grid shows, in its order.
    const std::vector<TPerson>& Rows() const { return rows_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ClearInput();
    // Runs a search and shows its rows; a database failure shows its message
    // and leaves the list empty.
    template <typename Search>
    void Show(Search&& search);
    void ShowRows(std::vector<TPerson> rows);
    void CureNoSearch();
    void NameSearch();
    void KanaSearch();
    void TavelundSearch();
    void KanaRowSearch(int row);
    void SortBy(int column);
    void GridMouseUp();
    void Decide();

    std::vector<TPerson> rows_;
};

extern TUserSearchForm* UserSearchForm;

namespace lum {
// The search dialog of the run (UserSearchForm), created on first use when
// the start-up list has not made one.
TUserSearchForm& userSearchForm();
// The text a grid column shows for a row (the dialog's columns 0..8).
QString userSearchCellText(const TPerson& person, int column);
}  // namespace lum
