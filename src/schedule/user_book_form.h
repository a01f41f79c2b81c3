#pragma once
// "利用者予約希望": the weekly requests of the clients of a month. 開く
// chooses the month, type and categories (TOpenCureDialog) and lists the
// clients; a click on a row shows that client and the seven requested start
// times and minutes in the fourteen edits; 保存 checks and writes them to
// the client shown; 希望表作成 turns the client's stored pattern into the
// month's requested days and shows them in the client month schedule.
//
// Both buttons act on the client shown (ShownCureNo), never on whatever row
// the grid has current: a new month clears the client shown, and a save
// keeps its client selected. A typed change disables 希望表作成 until it is
// saved, since the month is made from what is stored.
#include "clients/person.h"
#include "common/datetime.h"
#include "common/kubun.h"
#include "schedule/month_book.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QTableView;
class QToolButton;
class WeekRequestClients;

class TUserBookForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 980;
    static constexpr int kPanelHeight = 640;

    explicit TUserBookForm(QWidget* parent = nullptr);

    // ---- the state
    lum::TDateTime MonthStart;
    lum::TDateTime NextMonthStart;
    int RihaType = -1;
    int KubunCode = 0;
    lum::WeekSlots Week{};  // filled by the check before saving
    int ShownCureNo = 0;    // the client the labels and edits show; 0 none

    // ---- the controls
    QToolButton* OpenButton;     // 開く
    QToolButton* SaveButton;     // 保存
    QToolButton* ReserveButton;  // 希望表作成
    QToolButton* ToolButton4;    // 閉じる
    QWidget* MainPanel;
    QLabel* SchduleDate;
    QLabel* CureNoLabel;
    QLabel* NameLabel;
    QLabel* KanaLabel;
    QLabel* SexLabel;
    QLabel* BirthLabel;
    QLabel* OldLabel;
    QLabel* NyushoLabel;
    QLabel* TaishoLabel;
    QLabel* TypeLabel;
    QLabel* KubunLabel;
    std::array<QLineEdit*, 7> StartTime;  // StartTime01 .. StartTime07
    std::array<QLineEdit*, 7> Funn;       // Funn01 .. Funn07
    QTableView* DBGrid1;
    WeekRequestClients* UserSrchQuery;

    // ---- the handlers
    void OpenButtonClick();
    // A row taken with the mouse (released) or the keys shows its client.
    void DBGrid1MouseUp();
    void SaveButtonClick();
    void ReserveButtonClick();
    void EditChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ClearClient();
    void ShowClient(const TPerson& p);
    // The listed row of the client shown; -1 when none.
    int ShownRow() const;

    lum::TKubun kubun_;
    lum::TUserMonthBook monthBook_;
    bool filling_ = false;  // edits filled by the program, not typed
};

extern TUserBookForm* UserBookForm;
