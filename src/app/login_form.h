#pragma once
// The login dialog. The data module shows it modally (through the dialog
// service) and reads UserEdit and PassEdit when it returns Accepted.
#include "widgets/enter_release.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TLoginForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoginForm(QWidget* parent = nullptr);

    // Both fields hold at least one character.
    bool InputFilled() const;

    QLineEdit* UserEdit;
    QLineEdit* PassEdit;
    QPushButton* LogInBtn;
    QPushButton* CancelBtn;
    QLabel* ErrorLabel;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LogInBtnClick();
    // Raises and activates the dialog with the caret in the user name.
    void TakeKeyboard();

    lum::EnterRelease enter_;
    bool awaitingExpose_ = false;
};

extern TLoginForm* LoginForm;
