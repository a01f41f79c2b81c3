#pragma once
// The four small dialogs that fill the cells of the practice plan's tables:
// TABCForm sets the letters of the level cells, TGoodsForm and TKaigoForm
// compose the tool and care memos from stock phrases, TTimeForm is a keypad
// for the target period. Each is made once for the run, shown over its
// owner's centre and read by the caller after it closes. None has a default
// button: Enter presses only the button that has the focus.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace lum {
// How the cell dialogs end, besides QDialog's Rejected (cancel) and Accepted (OK).
enum CellDialogResult { mrCancel = QDialog::Rejected, mrOk = QDialog::Accepted, mrYes = 6, mrNoToAll = 9, mrYesToAll = 10 };
}  // namespace lum

// "ＡＢＣ記入": which of the letters A (目標), B (実施状況) and C (能力) go into
// the level cells. The boxes keep their state from one use to the next.
class TABCForm : public QDialog {
    Q_OBJECT
public:
    explicit TABCForm(QWidget* parent = nullptr);

    // The letters of the checked boxes in the order A, B, C ("" for none),
    // set by Ok and 全て記載.
    QString Letters;
    // The cell text of the letters: three of them as "AB", a line feed, "C".
    static QString FormatResult(const QString& letters);
    QString FormatResult() const { return FormatResult(Letters); }

    QCheckBox* ABox;
    QCheckBox* BBox;
    QCheckBox* CBox;
    QPushButton* OkButton;     // mrOk
    QPushButton* CancelButton; // mrCancel
    QPushButton* ALLSet;       // 全て記載: mrYesToAll
    QPushButton* ALLCancel;    // 全て消去: mrNoToAll

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString CheckedLetters() const;
};

// Three editable boxes over one stock-phrase list; the caller takes the
// texts after Ok. A double click on a box edits the list.
class TPhraseLinesForm : public QDialog {
    Q_OBJECT
public:
    // The non-empty texts of the three boxes, in order.
    QStringList Lines() const;

    QString ProgramName;
    int CommentCode = 0;
    std::array<QComboBox*, 3> Boxes{};
    QPushButton* CancelButton;
    QPushButton* OkButton;

protected:
    TPhraseLinesForm(const QString& caption, const char* boxPrefix, const QString& programName, bool closeButton,
                     QWidget* parent);
    void showEvent(QShowEvent* event) override;
};

// "使用用具": the tools of a row, from the list "Goods" 0.
class TGoodsForm : public TPhraseLinesForm {
    Q_OBJECT
public:
    explicit TGoodsForm(QWidget* parent = nullptr);
    QComboBox* GoodsBox1;
    QComboBox* GoodsBox2;
    QComboBox* GoodsBox3;
};

// "介護内容": the care of a row, from the list "Kaigo" 0. Its title bar keeps
// the close button, which cancels.
class TKaigoForm : public TPhraseLinesForm {
    Q_OBJECT
public:
    explicit TKaigoForm(QWidget* parent = nullptr);
    QComboBox* KaigoBox1;
    QComboBox* KaigoBox2;
    QComboBox* KaigoBox3;
};

// "到達時期": a keypad for a number of months, ended by 月 (mrYes) or カ月
// (mrOk). It has no cancel: Esc and the window's close do nothing, so a
// cell is never overwritten by a period nobody typed.
class TTimeForm : public QDialog {
    Q_OBJECT
public:
    explicit TTimeForm(QWidget* parent = nullptr);

    // The number shown when the keypad closed; 0 when none or not a number.
    int Months = 0;
    // The cell text of a result: " " + the number + "月" after 月, "ヵ月" otherwise.
    static QString CellText(int result, int months);

    QLabel* NumLabel;
    std::array<QPushButton*, 10> NumButtons{};  // "０" … "９"
    QPushButton* ClearButton;
    QPushButton* MButton;  // 月
    QPushButton* KButton;  // カ月

    void done(int result) override;
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

extern TABCForm* ABCForm;
extern TGoodsForm* GoodsForm;
extern TKaigoForm* KaigoForm;
extern TTimeForm* TimeForm;

namespace lum {
// The dialogs of the run, made on first use when the start-up list has not
// made them.
TABCForm& abcForm();
TGoodsForm& goodsForm();
TKaigoForm& kaigoForm();
TTimeForm& timeForm();
}  // namespace lum
