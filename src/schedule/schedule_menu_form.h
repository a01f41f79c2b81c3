#pragma once
// The schedule menu "スケジュール管理メニュー", the way into scheduling: seven
// buttons each showing one schedule window (which hides the menu while it is
// shown) and 戻る. A button whose window is not part of this build stays
// disabled. Like every menu it hides the main window while shown and centres
// its panel by the window's outer size.
#include <QWidget>

class QPushButton;

class TScheduleMenuForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 670;
    static constexpr int kClientHeight = 586;
    static constexpr int kPanelWidth = 513;
    static constexpr int kPanelHeight = 465;

    explicit TScheduleMenuForm(QWidget* parent = nullptr);

    QWidget* ScheduleMenuPanel;
    QPushButton* StuffWeekBookBtn;  // 担当者別予約表: the staff work chart
    QPushButton* UserWeekBookBtn;   // 利用者予約希望: the weekly requests
    QPushButton* Button2;           // 当日予約表: the day board
    QPushButton* Button1;           // 予約状況サマリー: the booking summary
    QPushButton* AttendButton;      // 月別担当者別予定表
    QPushButton* UserAttend;        // 月別利用者別予定表
    QPushButton* DayAttend;         // 当日作業予定表
    QPushButton* Button10;          // 戻る

    // The window class each button shows.
    static const char* WindowClassOf(const QPushButton* button, const TScheduleMenuForm& menu);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowWindow(const char* windowClass);
    void CentrePanel();
};

extern TScheduleMenuForm* ScheduleMenuForm;
