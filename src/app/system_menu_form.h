#pragma once
// The system menu: the link settings, the window-state switch and 閉じる.
// Like every menu it hides the main window while shown.
#include <QWidget>

class QPushButton;

class TSystemMenuForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 420;
    static constexpr int kPanelHeight = 300;

    explicit TSystemMenuForm(QWidget* parent = nullptr);

    QWidget* MenuPanel;
    QPushButton* Panel1;           // 他システムデータ取り込み
    QPushButton* GamenSizeChange;  // 画面表示
    QPushButton* Button2;          // 閉じる

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void GamenSizeChangeClick();
    void Panel1Click();
    void CentrePanel();
};

extern TSystemMenuForm* SystemMenuForm;
