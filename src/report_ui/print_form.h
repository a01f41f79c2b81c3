#pragma once
// TfrPrintForm: the print dialog of the preview ("プリント"): the printer
// (chosen at once through the engine's printer, put back when the dialog is
// left any other way than "印刷"; it opens on the current printer, or on PDF
// output on a machine without one), its properties, copies with up and down
// buttons, and the page range.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lum {

class TfrPrinter;

class TfrPrintForm : public QDialog {
    Q_OBJECT
public:
    TfrPrintForm(TfrPrinter& printer, QWidget* parent = nullptr);

    QComboBox* CB1 = nullptr;
    QPushButton* PropButton = nullptr;
    QLineEdit* E1 = nullptr;  // copies
    QPushButton* CopiesUp = nullptr;
    QPushButton* CopiesDown = nullptr;
    QRadioButton* RB1 = nullptr;  // 全てのページ
    QRadioButton* RB2 = nullptr;  // 表示のページ
    QRadioButton* RB3 = nullptr;  // ページ指定
    QLineEdit* E2 = nullptr;      // the range
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The printer chosen when the dialog opened.
    int previousPrinter() const { return previous_; }
    // The page list text for the preview's current page (1-based).
    QString pageListText(int currentPage) const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseProperties();
    TfrPrinter& printer_;
    int previous_ = 0;
};

}  // namespace lum
