#pragma once
// Stock phrases: TCommentForm ("コメント") appends phrases to one list and
// deletes them; its LoadComments gives a list for filling combo boxes.
// Callers set ProgramName and CommentCode, show it through lum::runModal and
// then reload their boxes with LoadComments for the same list.
#include <QDialog>
#include <QStringList>

#include <array>

class QLineEdit;
class QPushButton;
class QTableWidget;
class QComboBox;

namespace lum {
// The phrases of one list in order; on a database failure the message
// "System Error : コメント取り込みエラーです。" and an empty list.
QStringList LoadComments(const QString& programName, int commentCode);
// Fills the boxes with that list (no selection, empty text).
void LoadCommentsInto(std::initializer_list<QComboBox*> boxes, const QString& programName, int commentCode);
// The double click on a phrase box: the phrase dialog edits the list, then
// the boxes get the list again and keep the text they showed.
void EditCommentsOf(std::initializer_list<QComboBox*> boxes, const QString& programName, int commentCode);
}  // namespace lum

class TCommentForm : public QDialog {
    Q_OBJECT
public:
    explicit TCommentForm(QWidget* parent = nullptr);

    // The list the dialog edits; set by the caller before showing it.
    QString ProgramName;
    int CommentCode = 0;
    // The list returned by the last LoadComments.
    QStringList Comments;
    // CommentIDNo of the row clicked in the grid; -1 when none.
    qint64 SelectedIDNo = -1;

    const QStringList& LoadComments(const QString& programName, int commentCode);

    QLineEdit* CommentEdit;
    QTableWidget* CommentGrid;
    QPushButton* AppendButton;
    QPushButton* DeleteButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the list into the grid; false (after its message) when it cannot.
    bool ReloadGrid(const QString& failure);
    qint64 CurrentRowID() const;
    void GridMouseUp();
    void AppendButtonClick();
    void DeleteButtonClick();
};

// Six combo boxes of one list, from which the caller takes up to six phrases.
class TStringsForm : public QDialog {
    Q_OBJECT
public:
    explicit TStringsForm(QWidget* parent = nullptr);

    QString ProgramName;
    int CommentCode = 0;

    QComboBox* TextBox1;
    QComboBox* TextBox2;
    QComboBox* TextBox3;
    QComboBox* TextBox4;
    QComboBox* TextBox5;
    QComboBox* TextBox6;
    QPushButton* OkButton;
    QPushButton* CancelButton;

    // The six boxes in order.
    std::array<QComboBox*, 6> Boxes() const;
    // The non-empty texts of the six boxes, in order.
    QStringList ChosenTexts() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Fills the six lists; keepTexts leaves what the boxes show.
    void Reload(bool keepTexts);
    void EditList();
};

extern TCommentForm* CommentForm;
extern TStringsForm* StringsForm;

namespace lum {
// The phrase dialog of the run (CommentForm), created on first use when the
// start-up list has not made one.
TCommentForm& commentForm();
// The phrase picker of the run (StringsForm), likewise.
TStringsForm& stringsForm();
}  // namespace lum
