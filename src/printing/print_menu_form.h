#pragma once
// The print menu (印刷メニュー): the way into every printout of the results.
// Each button shows its print window without blocking; a button whose
// window is not part of this build stays disabled. Like every menu it hides
// the main window while shown.
#include <QWidget>

#include <array>

class QPushButton;

class TPrintMenuForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 560;
    static constexpr int kPanelHeight = 400;

    explicit TPrintMenuForm(QWidget* parent = nullptr);

    QWidget* MenuPanel;
    QPushButton* PrintAllUserButton;  // 利用者一覧表
    QPushButton* Button3;             // リハビリ治療計画書
    QPushButton* Button2;             // リハビリ実施計画書
    QPushButton* Button6;             // リハビリ実績記録書
    QPushButton* Button4;             // 統計情報書
    QPushButton* Button8;             // 形態別実績一覧表
    QPushButton* Button9;             // 計画書期限参照
    QPushButton* Button7;             // 月別リハビリ形態別 / 実施一覧
    QPushButton* ReturnButton;        // 戻　　　る

    // The eight buttons with the class of the window each shows.
    struct Entry {
        QPushButton* button;
        const char* windowClass;
    };
    std::array<Entry, 8> entries() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowWindow(const char* windowClass);
};

extern TPrintMenuForm* PrintMenuForm;
