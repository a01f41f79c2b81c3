#include "clients/connection_string_dialog.h"

#include "app/link_connection.h"
#include "app/main_module.h"
#include "clients/linked_client_source.h"
#include "platform/ui/dialogs.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum {

TConnectionStringDialog& connectionStringDialog() {
    static QPointer<TConnectionStringDialog> dialog;
    if (!dialog) dialog = new TConnectionStringDialog;
    return *dialog;
}

}  // namespace lum

namespace {

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumSize(110, 32);
    return button;
}

}  // namespace

TConnectionStringDialog::TConnectionStringDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ConnectionStringDialog"));
    setWindowTitle(QStringLiteral("接続文字の設定"));
    setFont(lum::uiFont(11));

    HintLabel = new QLabel(this);
    HintLabel->setObjectName(QStringLiteral("HintLabel"));
    HintLabel->setWordWrap(true);
    ConnectionEdit = new QLineEdit(this);
    ConnectionEdit->setObjectName(QStringLiteral("ConnectionEdit"));
    ConnectionEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ConnectionEdit->setMinimumWidth(560);
    BrowseButton = makeButton("BrowseButton", QStringLiteral("参照…"), this);
    TestButton = makeButton("TestButton", QStringLiteral("接続テスト"), this);
    OkButton = makeButton("OkButton", QStringLiteral("OK"), this);
    CancelButton = makeButton("CancelButton", QStringLiteral("キャンセル"), this);

    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("接続文字"), this));
    line->addWidget(ConnectionEdit, 1);
    line->addWidget(BrowseButton);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(TestButton);
    bottom->addStretch();
    bottom->addWidget(OkButton);
    bottom->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(HintLabel);
    layout->addLayout(line);
    layout->addLayout(bottom);

    connect(BrowseButton, &QPushButton::clicked, this, &TConnectionStringDialog::BrowseClick);
    connect(TestButton, &QPushButton::clicked, this, &TConnectionStringDialog::TestClick);
    OkButton->setDefault(true);  // Enter in the string confirms it
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TConnectionStringDialog::Prepare(int mode, const QString& connection, const QString& user,
                                      const QString& password) {
    mode_ = mode;
    user_ = user;
    password_ = password;
    ConnectionEdit->setText(connection);
    ConnectionEdit->setCursorPosition(0);
    const bool file = mode == lum::AccessLink;
    BrowseButton->setVisible(file);
    HintLabel->setText(file ? QStringLiteral("ODBC の接続文字です。例: DRIVER={MDBTools};DBQ=/srv/tavelund/kaigo.mdb")
                            : QStringLiteral("ODBC の接続文字です。例: DRIVER={FreeTDS};SERVER=kaigo-server;PORT=1433;"
                                             "DATABASE=tavelund（ユーザーIDとパスワードは設定画面の値を使います）"));
    ConnectionEdit->setFocus();
}

QString TConnectionStringDialog::ConnectionString() const { return ConnectionEdit->text().trimmed(); }

void TConnectionStringDialog::BrowseClick() {
    const QString current = lum::linkFilePath(ConnectionString());
    const QString file = lum::chooseFile({lum::FileMode::Open, QStringLiteral("データベースファイルの選択"), current,
                                          QStringLiteral("データベース|*.mdb;*.accdb;*.db;*.sqlite|すべて|*"), this});
    if (file.isEmpty()) return;
    QString connection = ConnectionString();
    // The file goes where the string names one; a string without one gets the
    // file driver's attribute.
    const bool hasDatabase = !lum::odbcAttribute(connection, QStringLiteral("Database")).isEmpty() &&
                             lum::odbcAttribute(connection, QStringLiteral("DBQ")).isEmpty();
    if (connection.isEmpty()) connection = QStringLiteral("DRIVER={MDBTools}");
    connection = lum::withOdbcAttribute(connection, hasDatabase ? QStringLiteral("Database") : QStringLiteral("DBQ"), file);
    ConnectionEdit->setText(connection);
}

void TConnectionStringDialog::TestClick() {
    QString why;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!MainModule) {
            why = QStringLiteral("no data module");
        } else {
            why = MainModule->WithTestLink(mode_, {ConnectionString(), user_, password_},
                                           [](QSqlDatabase& link) { return lum::LinkedClientSource::probe(link); });
        }
        QApplication::restoreOverrideCursor();
    }
    if (why.isEmpty()) {
        lum::message(lum::MsgKind::Information, QStringLiteral("接続テストに成功しました。"), lum::MsgButton::Ok, this);
    } else {
        lum::message(lum::MsgKind::Error, QStringLiteral("接続テストに失敗しました。\n") + why, lum::MsgButton::Ok, this);
    }
}
