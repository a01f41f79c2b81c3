#include "clients/tavelund_form.h"

#include "app/link_connection.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "app/system_menu_form.h"
#include "clients/connection_string_dialog.h"
#include "clients/linked_client_source.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

TTavelundForm* TavelundForm = nullptr;

namespace {

QLineEdit* makeEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setMinimumWidth(420);
    return edit;
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumSize(110, 32);
    return button;
}

}  // namespace

TTavelundForm::TTavelundForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TavelundForm"));
    setWindowTitle(QStringLiteral("他システムデータ取り込み"));
    setFont(lum::uiFont(11));

    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));

    Connection = new QGroupBox(QStringLiteral(" Tavelundシステム連動オプション "), MainPanel);
    Connection->setObjectName(QStringLiteral("Connection"));
    connectionGroup_ = new QButtonGroup(this);
    auto* items = new QHBoxLayout(Connection);  // three columns
    const char* const captions[3] = {"連動しない", "SQLServer連動", "MS-ACCESS MDB連動"};
    for (int i = 0; i < 3; ++i) {
        ConnectionItems[i] = new QRadioButton(QString::fromUtf8(captions[i]), Connection);
        ConnectionItems[i]->setObjectName(QStringLiteral("ConnectionItem%1").arg(i));
        connectionGroup_->addButton(ConnectionItems[i], i);
        items->addWidget(ConnectionItems[i], 1);
    }

    SQLServerFrame = new QGroupBox(QStringLiteral(" 連動設定　(SQLServer) "), MainPanel);
    SQLServerFrame->setObjectName(QStringLiteral("SQLServerFrame"));
    SQLServerName = makeEdit("SQLServerName", SQLServerFrame);
    SQLUserID = makeEdit("SQLUserID", SQLServerFrame);
    SQLPassword = makeEdit("SQLPassword", SQLServerFrame);  // shown in plain text, as stored
    SQLConfirm = makeButton("SQLConfirm", QStringLiteral("接続確認"), SQLServerFrame);
    auto* server = new QGridLayout(SQLServerFrame);
    server->setHorizontalSpacing(10);
    server->addWidget(new QLabel(QStringLiteral("接続文字"), SQLServerFrame), 0, 0);
    server->addWidget(SQLServerName, 0, 1);
    server->addWidget(SQLConfirm, 0, 2);
    server->addWidget(new QLabel(QStringLiteral("ユーザーID"), SQLServerFrame), 1, 0);
    server->addWidget(SQLUserID, 1, 1);
    server->addWidget(new QLabel(QStringLiteral("パスワード"), SQLServerFrame), 2, 0);
    server->addWidget(SQLPassword, 2, 1);

    MDBFrame = new QGroupBox(QStringLiteral(" 連動設定　(MS-ACCESS for MDB) "), MainPanel);
    MDBFrame->setObjectName(QStringLiteral("MDBFrame"));
    MDBConnection = makeEdit("MDBConnection", MDBFrame);
    MDBConfirm = makeButton("MDBConfirm", QStringLiteral("接続確認"), MDBFrame);
    auto* file = new QGridLayout(MDBFrame);
    file->setHorizontalSpacing(10);
    file->addWidget(new QLabel(QStringLiteral("接続文字"), MDBFrame), 0, 0);
    file->addWidget(MDBConnection, 0, 1);
    file->addWidget(MDBConfirm, 0, 2);

    Setting = makeButton("Setting", QStringLiteral("確定"), MainPanel);
    CloseButton = makeButton("CloseButton", QStringLiteral("戻る"), MainPanel);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Setting);
    bottom->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(MainPanel);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(14);
    layout->addWidget(Connection);
    layout->addWidget(SQLServerFrame);
    layout->addWidget(MDBFrame);
    layout->addLayout(bottom);
    MainPanel->setFixedSize(MainPanel->sizeHint());

    connect(SQLConfirm, &QPushButton::clicked, this, [this] { Confirm(lum::TavelundLink, SQLServerName); });
    connect(MDBConfirm, &QPushButton::clicked, this, [this] { Confirm(lum::AccessLink, MDBConnection); });
    connect(Setting, &QPushButton::clicked, this, &TTavelundForm::SettingClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    resize(MainPanel->width() + 80, MainPanel->height() + 80);
    lum::keepCentred(*MainPanel, {lum::Centring::Area::Outer, {}});
    lum::centreOnScreen(*this);
}

int TTavelundForm::ConnectionIndex() const { return connectionGroup_->checkedId(); }

void TTavelundForm::SetConnectionIndex(int index) {
    QAbstractButton* item = connectionGroup_->button(index);
    if (item) {
        item->setChecked(true);
        return;
    }
    // Another stored mode: none of the three is checked.
    connectionGroup_->setExclusive(false);
    for (QRadioButton* b : ConnectionItems) b->setChecked(false);
    connectionGroup_->setExclusive(true);
}

void TTavelundForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (SystemMenuForm) SystemMenuForm->hide();
    const TRegistory* settings = MainForm ? MainForm->Registory.get() : nullptr;
    if (settings) lum::applyWindowState(*this, settings->WinState);
    SetConnectionIndex(settings ? settings->ServFlg : 0);
    SQLServerName->setText(settings ? settings->Tavelund : QString());
    SQLUserID->setText(settings ? settings->ID : QString());
    SQLPassword->setText(settings ? settings->Password : QString());
    MDBConnection->setText(settings ? settings->MDBConnection : QString());
    for (QLineEdit* edit : {SQLServerName, SQLUserID, SQLPassword, MDBConnection}) edit->setCursorPosition(0);
}

void TTavelundForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (SystemMenuForm) SystemMenuForm->show();
}

void TTavelundForm::Confirm(int mode, QLineEdit* field) {
    // The editor starts from what the field holds and gives its result back to
    // the field, so what is tested is what 確定 stores.
    TConnectionStringDialog& editor = lum::connectionStringDialog();
    if (mode == lum::TavelundLink) editor.Prepare(mode, field->text(), SQLUserID->text(), SQLPassword->text());
    else editor.Prepare(mode, field->text());
    if (lum::runModal(editor) == QDialog::Accepted) field->setText(editor.ConnectionString());
}

void TTavelundForm::SettingClick() {
    const int mode = ConnectionIndex();
    const TMainModule::LinkValues values =
        mode == lum::TavelundLink ? TMainModule::LinkValues{SQLServerName->text(), SQLUserID->text(), SQLPassword->text()}
                                  : TMainModule::LinkValues{MDBConnection->text(), QString(), QString()};
    // The settings take the new values in any case; they reach the settings
    // file at exit and the start-up link uses them next time.
    if (MainForm && MainForm->Registory) {
        TRegistory& settings = *MainForm->Registory;
        settings.ServFlg = mode;
        settings.Tavelund = SQLServerName->text();
        settings.ID = SQLUserID->text();
        settings.Password = SQLPassword->text();
        settings.MDBConnection = MDBConnection->text();
    }
    if (MainModule) MainModule->CloseLinks();
    if (mode == lum::TavelundLink || mode == lum::AccessLink) {
        // Opened with what the fields hold, the link counts as made only when
        // the other system's client table reads with its columns.
        QString why;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!MainModule) {
            why = QStringLiteral("no data module");
        } else {
            why = MainModule->OpenLinkWith(mode, values);
            if (why.isEmpty()) why = lum::LinkedClientSource::probe(*MainModule->Link(mode));
            if (!why.isEmpty()) MainModule->CloseLink(mode);
        }
        QApplication::restoreOverrideCursor();
        if (!why.isEmpty()) {
            qWarning("Link %d not made: %s", mode, qPrintable(why));
            lum::message(lum::MsgKind::Error,
                         mode == lum::TavelundLink ? QStringLiteral("Tavelund接続に失敗しました。")
                                                   : QStringLiteral("Access接続に失敗しました。"),
                         lum::MsgButton::Yes, this);
            return;
        }
    }
    lum::message(lum::MsgKind::Information, QStringLiteral("接続しました。"), lum::MsgButton::Ok, this);
}
