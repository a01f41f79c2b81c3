#pragma once
// TTextForm "記入": one editable combo box over a stock-phrase list, for a
// single text the caller takes after 確定 (the preventive-care plan's その他).
// A double click on the box edits the list.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

class TTextForm : public QDialog {
    Q_OBJECT
public:
    explicit TTextForm(QWidget* parent = nullptr);

    // The phrase list shown; set by the caller before showing the dialog.
    QString ProgramName;
    int CommentCode = 0;
    // The phrases the box offers (the last FillTextBox).
    QStringList Comments;

    QComboBox* TextBox;
    QPushButton* DecideButton;  // 確定
    QPushButton* CancelButton;  // キャンセル

    // Fills the box from the list, with no selection and an empty text.
    void FillTextBox();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EditList();
};

extern TTextForm* TextForm;

namespace lum {
// The dialog of the run (TextForm), made on first use when the start-up list
// has not made one.
TTextForm& textForm();
}  // namespace lum
