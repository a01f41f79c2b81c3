#pragma once
// What the three booking lists share (月別担当者別予約表, 月別利用者別予約表,
// 当日作業予約表): shown from the schedule menu, which they hide while shown;
// a read-only grid of bookings opened by a bound query and closed again
// whenever a criterion changes; the row count; 印刷, on only while a list
// with rows is open; and the printout, whose data source walks exactly the
// rows listed while the window answers its variables.
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/engine/tfr_report.h"
#include "schedule/booking_store.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;
namespace lum { class HorizontalUpDown; }

class TAttendListForm : public QWidget {
    Q_OBJECT
public:
    struct Column {
        QString title;
        int width;
        bool alignRight = false;
    };

    QWidget* MainPanel;
    QTableWidget* ScheduleGrid;
    QLabel* CountLabel;
    QPushButton* PrintButton;
    QPushButton* ReturnButton;

    lum::ReportComponents Components;
    lum::TfrUserDataset frUserDataset1{QStringLiteral("frUserDataset1")};
    lum::TfrReport frReport1{&Components};

    ~TAttendListForm() override;

    // The rows listed (empty while the list is closed).
    const std::vector<lum::AttendRow>& Rows() const { return rows_; }
    bool ListOpen() const { return open_; }

protected:
    TAttendListForm(const char* objectName, const QString& caption, std::vector<Column> columns,
                    const QString& printCaption, QWidget* parent);

    // The criteria and command rows go above the grid.
    QVBoxLayout* PanelLayout() const { return panelLayout_; }
    QLabel* CaptionLabel(const QString& text);
    // A framed read-only box (the month, the day's weekday, a client's data).
    QLabel* BoxLabel(const char* objectName, int minWidth, int height = 26);
    // The month or day arrows `Hizuke`, each arrow a Tab stop.
    lum::HorizontalUpDown* DateArrows();
    // Fixes the panel's size once the member has added its controls.
    void FinishLayout();

    // Reads the bookings; a failure says "System Error:表示に失敗しました。"
    // and leaves the list closed (false). With no rows the list stays
    // closed. The count shows either way; 印刷 is on only with rows.
    bool OpenList(const lum::AttendCriteria& criteria);
    // Closes the list: no rows, no count, 印刷 off.
    void CloseList();

    // The member's cell texts, its variables and its template.
    virtual QString CellText(const lum::AttendRow& row, int column) const = 0;
    virtual std::optional<lum::ExprValue> Value(const QString& name, const lum::AttendRow* row) const = 0;
    // Loads the template from the application's folder and shows the
    // prepared report; a missing or broken template gives the engine's message.
    void PrintTemplate(const QString& fileName);

    virtual void FormShow() = 0;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FillGrid();

    std::vector<Column> columns_;
    QVBoxLayout* panelLayout_;
    std::vector<lum::AttendRow> rows_;
    bool open_ = false;
    std::size_t cursor_ = 0;
};
