#pragma once
// The results per type (形態別実績一覧表) without a window: one row per client
// and service type with the staff mark, minutes and start time of each day,
// the row and day totals, the values its template asks for and the lines of
// its CSV file.
#include "printing/month_type_report.h"
#include "report/expr/expr_value.h"
#include "results/cure_result.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace lum {

struct KeitaiRow {
    QString Label;          // "%8.8d" of CureNo, a blank, Name
    int RihaType = 0;
    QString AdmissionText;  // NYUSHOBI_YMD as one-letter era text
    std::array<QString, CalendorDays> Marks;       // the day's first non-empty staff mark
    std::array<int, CalendorDays> Minutes{};       // RMinute summed
    std::array<QString, CalendorDays> StartTimes;  // the day's first start time, "hhmm"
    int MarkedDays = 0;
    int TotalMinutes = 0;

    bool operator==(const KeitaiRow&) const = default;
};

struct KeitaiTable {
    std::vector<KeitaiRow> Rows;
    std::array<int, CalendorDays> DayCounts{};   // rows with a mark that day
    std::array<int, CalendorDays> DayMinutes{};  // minutes of all rows that day
    int TotalCount = 0;
    int TotalMinutes = 0;
};

// The table from the results in CureNo, RihaType, day, start-time order: a
// new row whenever client or type changes; each result overwrites the row's
// label, type and admission text.
KeitaiTable BuildKeitaiRows(const std::vector<MonthTypeResult>& results);

// The current records of the report's data sources, each counted from 0.
struct KeitaiRecords {
    int row = 0;        // frUserDataset1
    int headerDay = 0;  // frUserDataset3
    int cellDay = 0;    // frUserDataset4
    int totalDay = 0;   // frUserDataset6
};

struct KeitaiReport {
    KeitaiTable Table;
    ReportMonth Month;
    ReportTexts Texts;
    StaffLegend Legend;
    QString Facility;

    // The value of a template variable; nothing for a name it does not know.
    std::optional<ExprValue> Value(const QString& name, const KeitaiRecords& at) const;

    // The CSV file: the title and header lines, then one line per row.
    QStringList CsvTitle() const;
    QStringList CsvHeader() const;
    QStringList CsvRow(const KeitaiRow& row) const;
};

}  // namespace lum
