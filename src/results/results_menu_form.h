#pragma once
// The results menu ("実績管理メニュー"): the way into the treatment results.
// 治療実績登録 shows the results sheet; the two medical-record buttons show
// their windows once the build has them. Like every menu it hides the main
// window while shown.
#include <QWidget>

class QPushButton;

class TResultsMenuForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 420;
    static constexpr int kPanelHeight = 380;

    explicit TResultsMenuForm(QWidget* parent = nullptr);
    void FormCreate();

    QWidget* ResultsMenuPanel;
    QPushButton* Button3;          // " 治療実績登録": the results sheet
    QPushButton* TreatmentBtn;     // 治療実績入力（個人）
    QPushButton* TreatmentDayBtn;  // 治療実績入力（日別）
    QPushButton* Button2;          // 戻る

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowWindow(const char* windowClass);
};

extern TResultsMenuForm* ResultsMenuForm;
