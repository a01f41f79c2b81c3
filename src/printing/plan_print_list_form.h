#pragma once
// What the bulk printouts of treatment plans and practice plans share: a list
// of the clients' plans read on request (最新: those begun in the last three
// months, 全て: every one), narrowed by the kana rows, several plans chosen
// (全選択 / 全取消) and printed one document per plan under the engine's
// progress window, a Cancel stopping after the plan in hand; each chosen
// plan is read once, when its first page is formed. A member adds its query,
// its own columns, its data sources and what a page shows.
#include "clients/kana_row_print_list.h"
#include "common/datetime.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"

#include <QDate>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace lum {

// 最新 lists plans begun after the first day of the month three months before
// today: the first moment it takes is the day after that one (a plan of that
// day itself is left out, whatever its time of day).
TDateTime recentPlansFrom(QDate today);

}  // namespace lum

class TPlanPrintListForm : public QWidget {
    Q_OBJECT
public:
    ~TPlanPrintListForm() override;

    QWidget* MainPanel;
    QPushButton* NewBtn;  // 最新
    QPushButton* AllBtn;  // 全て
    lum::KanaRowPrintList* List;  // DBGrid1, ABtn .. WBtn, AllDispBtn, AllSelectBtn, EraseBtn
    QPushButton* PrintBtn;
    QPushButton* ReturnButton;

    lum::ReportComponents Components;
    lum::TfrReport frReport1{&Components};

    void NewBtnClick();
    void AllBtnClick();
    void PrintBtnClick();
    // The kana-row buttons and 全て表示 together.
    void EnableListButtons(bool on) { List->EnableListButtons(on); }

    // The columns both lists show alike: the type's name and the categories'
    // long text.
    static lum::KanaRowListColumn TypeColumn(int width);
    static lum::KanaRowListColumn KubunColumn(int width);
    // A date column: the field read as a date and shown by `text` (empty for
    // a value that is no date).
    static lum::KanaRowListColumn DateColumn(const QString& field, int width, const QString& title,
                                             std::function<QString(lum::TDateTime)> text);

protected:
    struct Layout {
        QString objectName;
        QString caption;
        QString title;
        QVector<lum::KanaRowListColumn> columns;
        QSize panel;
    };
    TPlanPrintListForm(const Layout& layout, QWidget* parent);

    // The list's statement; `recent`: only plans from :from on (bound by the
    // caller with recentPlansFrom).
    virtual QString ListSql(bool recent) const = 0;
    // Prints the chosen rows, in list order (at least one).
    virtual void PrintRows(const QVector<QSqlRecord>& rows) = 0;
    // What 印刷 says when there is no list to print from.
    virtual QString NoListMessage() const;

    // The column right of the steps, empty unless a member fills it.
    QVBoxLayout* SideColumn;
    // Prints the chosen rows: their plan numbers (the list's `numberField`)
    // held in list order, `perPlan` given one record per plan, the template
    // prepared and shown under its progress window. Gives the number of the
    // plan the last page was formed for, if any.
    std::optional<int> PrintChosen(const QVector<QSqlRecord>& rows, const QString& numberField,
                                   lum::TfrUserDataset& perPlan, const QString& templateName);
    // For a page being formed for record `record` of the chosen plans: the
    // plan's number when its first page starts (so a plan is read once),
    // nothing for its later pages or a record outside the chosen ones.
    std::optional<int> PlanToRead(int record);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FillList(bool recent);

    std::vector<int> chosen_;  // the chosen plans' numbers while they print
    int readRecord_ = -1;      // the record whose plan was read last
};
