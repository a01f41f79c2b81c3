#pragma once
// The month grid (月別リハビリ形態別実施一覧) without a window: for one month
// and one service type, a row of 35 texts per client (label, type name,
// admission text, the staff mark of each day's first result, the count of
// marked days), the count per day, the values its template asks for and the
// lines of its CSV file.
#include "printing/month_type_report.h"
#include "report/expr/expr_value.h"
#include "results/cure_result.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace lum {

inline constexpr int GridColumns = 35;
inline constexpr int GridFirstDay = 3;  // column of day 1
inline constexpr int GridCount = 34;    // column of the count of marked days

using GridRow = std::array<QString, GridColumns>;

struct ScheduleTypeGrid {
    std::vector<GridRow> Rows;
    std::array<int, CalendorDays> DayCounts{};  // rows with a mark that day
    int TotalCount = 0;
};

// The grid from the results in Kana, CureNo, day, start-time order: a new
// row whenever the client changes (two clients of one reading keep a row
// each); each result overwrites the row's columns 0 to 2, and a day takes
// the mark of its first result while still empty.
ScheduleTypeGrid BuildScheduleTypeGrid(const std::vector<MonthTypeResult>& results);

// The current records of the report's data sources, each counted from 0.
struct GridRecords {
    int row = 0;        // frUserDataset1
    int headerDay = 0;  // frUserDataset3
    int cellDay = 0;    // frUserDataset4
    int totalDay = 0;   // frUserDataset6
};

struct ScheduleTypeReport {
    ScheduleTypeGrid Grid;
    ReportMonth Month;
    ReportTexts Texts;
    StaffLegend Legend;
    QString Facility;
    QString TypeText;  // the type box's text

    std::optional<ExprValue> Value(const QString& name, const GridRecords& at) const;

    // The CSV file, every value quoted: title, date line, header, the rows,
    // the totals line and four legend lines of four staff members each.
    QStringList CsvTitle() const;
    QStringList CsvDateLine() const;
    QStringList CsvHeader() const;
    QStringList CsvRow(const GridRow& row) const;
    QStringList CsvTotals() const;
    // Line r (0..3): mark and name of staff members 4r + 1 .. 4r + 4 of the
    // list, a single blank in both past its end.
    static QStringList CsvLegendLine(const std::vector<StaffMember>& staff, int r);
};

}  // namespace lum
