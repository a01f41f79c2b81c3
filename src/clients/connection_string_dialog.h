#pragma once
// The connection-string editor of the link settings ("接続確認"): the ODBC
// connection string of one link, a file chooser for a database file, a
// connection test, OK and キャンセル. Controls: ConnectionEdit (the string),
// BrowseButton ("参照…", file links only), TestButton ("接続テスト"),
// OkButton ("OK"), CancelButton ("キャンセル").
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class TConnectionStringDialog : public QDialog {
    Q_OBJECT
public:
    explicit TConnectionStringDialog(QWidget* parent = nullptr);

    // Prepares the dialog for a link mode (1 server, 2 file), the string to
    // start from and, for the test, the link's user and password.
    void Prepare(int mode, const QString& connection, const QString& user = {}, const QString& password = {});
    QString ConnectionString() const;

    QLabel* HintLabel;
    QLineEdit* ConnectionEdit;
    QPushButton* BrowseButton;
    QPushButton* TestButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;

private:
    void BrowseClick();
    void TestClick();

    int mode_ = 0;
    QString user_;
    QString password_;
};

namespace lum {
// The editor of the run, created on first use.
TConnectionStringDialog& connectionStringDialog();
}  // namespace lum
