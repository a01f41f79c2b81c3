#pragma once
// The documents menu "書卓": one button per care document and the list of
// clients without plans. Like every menu it hides the main window while
// shown; a button whose window is not part of this build stays disabled.
#include <QWidget>

class QPushButton;

class TPaperMenuForm : public QWidget {
    Q_OBJECT
public:
    explicit TPaperMenuForm(QWidget* parent = nullptr);
    void FormCreate();

    QWidget* MenuPanel;
    QPushButton* BitBtn1;  // リハビリ治療計画書
    QPushButton* BitBtn2;  // リハビリ実施計画書
    QPushButton* Button1;  // リハビリテーション計画書
    QPushButton* Button3;  // リハビリテーション\n実施計画書
    QPushButton* Button2;  // カンファレンス調査
    QPushButton* Button4;  // カンファレンス報告
    QPushButton* Button6;  // 日常生活機能評価表
    QPushButton* Button5;  // 未登録リスト
    QPushButton* ReturnButton;

    // The button's window, shown; false when it is not in this build.
    bool ShowWindowOf(QPushButton* button);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CentrePanel();
    void EnableButtons();
};

extern TPaperMenuForm* PaperMenuForm;
