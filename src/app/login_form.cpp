#include "app/login_form.h"

#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

TLoginForm* LoginForm = nullptr;

TLoginForm::TLoginForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("LoginForm"));
    setWindowTitle(QStringLiteral("Lumorind　ログイン"));
    setFont(lum::uiFont(11));

    auto* userLabel = new QLabel(QStringLiteral("ユーザー名"), this);
    userLabel->setObjectName(QStringLiteral("Label1"));
    auto* passLabel = new QLabel(QStringLiteral("パスワード"), this);
    passLabel->setObjectName(QStringLiteral("Label2"));

    UserEdit = new QLineEdit(this);
    UserEdit->setObjectName(QStringLiteral("UserEdit"));
    PassEdit = new QLineEdit(this);
    PassEdit->setObjectName(QStringLiteral("PassEdit"));
    PassEdit->setEchoMode(QLineEdit::Password);
    // Masked with "*" whatever the style's own masking character is.
    PassEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    // Codes and passwords are typed without the input method.
    for (QLineEdit* edit : {UserEdit, PassEdit}) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setMinimumWidth(220);
        edit->installEventFilter(this);
    }

    ErrorLabel = new QLabel(this);
    ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
    QPalette pal = ErrorLabel->palette();
    pal.setColor(QPalette::WindowText, QColor(0xc0, 0x20, 0x20));
    ErrorLabel->setPalette(pal);
    ErrorLabel->setMinimumHeight(22);

    LogInBtn = new QPushButton(QStringLiteral("ロ グ イ ン"), this);
    LogInBtn->setObjectName(QStringLiteral("LogInBtn"));
    CancelBtn = new QPushButton(QStringLiteral("キ ャ ン セ ル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    // Enter acts when released, in the edits (below); no button fires on the press.
    for (QPushButton* button : {LogInBtn, CancelBtn}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumSize(120, 32);
    }
    connect(LogInBtn, &QPushButton::clicked, this, &TLoginForm::LogInBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(UserEdit, 0, 1);
    fields->addWidget(passLabel, 1, 0);
    fields->addWidget(PassEdit, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(LogInBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(fields);
    layout->addWidget(ErrorLabel);
    layout->addLayout(buttons);

    // The password comes right after the user name, then the two buttons.
    lum::setTabChain({UserEdit, PassEdit, LogInBtn, CancelBtn});
}

bool TLoginForm::InputFilled() const { return !UserEdit->text().isEmpty() && !PassEdit->text().isEmpty(); }

void TLoginForm::showEvent(QShowEvent* event) {
    UserEdit->clear();
    PassEdit->clear();
    ErrorLabel->clear();
    UserEdit->setFocus();
    QDialog::showEvent(event);
    lum::centreOnScreen(*this);
    TakeKeyboard();
    // A window manager may map the dialog without giving it the keyboard:
    // ask again once it is first on screen, so the first keys typed reach the
    // user name.
    awaitingExpose_ = true;
    if (QWindow* window = windowHandle()) window->installEventFilter(this);
}

void TLoginForm::TakeKeyboard() {
    raise();
    activateWindow();
    if (!focusWidget() || focusWidget() == this) UserEdit->setFocus();
}

bool TLoginForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Expose && awaitingExpose_ && windowHandle()->isExposed()) {
            awaitingExpose_ = false;
            TakeKeyboard();
        }
        return false;
    }
    // Enter in the user field moves on to the password; in the password
    // field it logs in, as the button does. Only a release whose press the
    // field received counts: the Enter that closes the warning after a wrong
    // login is released on the user field and must leave the caret there.
    if (enter_.isRelease(watched, event)) {
        if (watched == UserEdit) PassEdit->setFocus();
        else if (watched == PassEdit) LogInBtnClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;  // the dialog never sees the press
    }
    return QDialog::eventFilter(watched, event);
}

void TLoginForm::LogInBtnClick() {
    if (InputFilled()) {
        accept();
    } else {
        ErrorLabel->setText(QStringLiteral("ユーザー名又はパスワードがありません。"));
    }
}
