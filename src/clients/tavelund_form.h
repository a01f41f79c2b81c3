#pragma once
// The link settings ("他システムデータ取り込み", from the system menu): the
// link mode and the connection of each mode. 確定 stores the values in the
// settings (written at exit) and opens the link of the chosen mode with
// exactly those values; the link counts as made only when the other system's
// client table reads.
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TTavelundForm : public QWidget {
    Q_OBJECT
public:
    explicit TTavelundForm(QWidget* parent = nullptr);

    QWidget* MainPanel;
    QGroupBox* Connection;  // " Tavelundシステム連動オプション "
    QRadioButton* ConnectionItems[3];  // 連動しない, SQLServer連動, MS-ACCESS MDB連動
    QGroupBox* SQLServerFrame;  // " 連動設定　(SQLServer) "
    QLineEdit* SQLServerName;
    QLineEdit* SQLUserID;
    QLineEdit* SQLPassword;
    QPushButton* SQLConfirm;
    QGroupBox* MDBFrame;  // " 連動設定　(MS-ACCESS for MDB) "
    QLineEdit* MDBConnection;
    QPushButton* MDBConfirm;
    QPushButton* Setting;      // 確定
    QPushButton* CloseButton;  // 戻る

    // The item index of Connection (the link mode), -1 when none is checked.
    int ConnectionIndex() const;
    void SetConnectionIndex(int index);

    void SettingClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Confirm(int mode, QLineEdit* field);

    QButtonGroup* connectionGroup_;
};

extern TTavelundForm* TavelundForm;
