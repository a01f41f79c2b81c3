#include "printing/month_type_report.h"

#include "common/era_text.h"

#include <QDate>

namespace lum {

void StaffLegend::Fill(const std::vector<StaffMember>& staff) {
    for (int k = 0; k < MonthLegendSize; ++k) {
        const bool there = k < static_cast<int>(staff.size());
        Tk[static_cast<size_t>(k)] = there ? staff[static_cast<size_t>(k)].symbol : QString();
        TkName[static_cast<size_t>(k)] = there ? staff[static_cast<size_t>(k)].name : QString();
    }
}

bool StaffLegend::Value(const QString& name, QString& value) const {
    const bool isName = name.startsWith(QStringLiteral("TkName"), Qt::CaseInsensitive);
    const bool isMark = !isName && name.startsWith(QStringLiteral("Tk"), Qt::CaseInsensitive);
    if (!isName && !isMark) return false;
    bool ok = false;
    const int k = name.mid(isName ? 6 : 2).toInt(&ok);
    if (!ok || k < 1 || k > MonthLegendPrinted) return false;
    value = (isName ? TkName : Tk)[static_cast<size_t>(k - 1)];
    return true;
}

void ReportMonth::Set(int year, int month) {
    Year = year;
    Month = month;
    UseMonth = TDateTime::fromYmd(year, month, 1);
    Range = monthRange(year, month);
    Calendor.SetMonth(UseMonth);
}

void ReportMonth::Step(int direction) {
    const QDate moved = QDate(Year, Month, 1).addMonths(direction > 0 ? 1 : -1);
    Set(moved.year(), moved.month());
}

int ReportMonth::Days() const { return Year > 0 ? QDate(Year, Month, 1).daysInMonth() : 0; }

ReportTexts ReportTexts::Of(const QDateTime& preparedAt, TDateTime month) {
    return {DateToEraText(TDateTime::fromDateTime(preparedAt)), DateToEraMonthText(month)};
}

QString DayValueOrEmpty(const ReportMonth& month, int dayIndex, const QString& value) {
    return month.HasDay(dayIndex) ? value : QString();
}

}  // namespace lum
