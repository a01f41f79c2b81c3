#include "schedule/frame_clipboard.h"

#include "schedule/board_layout.h"
#include "schedule/time_span.h"

QString FrameClipboard::FrameCopyText(const TIMETABLE_ITEM& frame, bool withBookings) {
    const QDate day = frame.RegistDay.date();
    const int start = lum::minutesOfDay(frame.StartTime);
    return QStringLiteral("%1/%2 %3:%4 ")
               .arg(day.month(), 2, 10, QChar(u'0'))
               .arg(day.day(), 2, 10, QChar(u'0'))
               .arg(start / 60, 2, 10, QChar(u'0'))
               .arg(start % 60, 2, 10, QChar(u'0')) +
           (withBookings ? QStringLiteral("全てコピー") : QStringLiteral("時間枠コピー"));
}

std::optional<int> HeaderColumn(const QString& headerName, const QString& prefix) {
    if (!headerName.startsWith(prefix)) return std::nullopt;
    const QString digits = headerName.mid(prefix.size());
    if (digits.isEmpty() || digits.size() > 2) return std::nullopt;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
    }
    const int column = digits.toInt();
    if (column >= lum::board::Columns) return std::nullopt;
    return column;
}
