#include "schedule/frame_caption.h"

#include "common/kubun.h"
#include "schedule/time_span.h"

namespace lum {
namespace {

QString typeWord(int rihaType) {
    switch (rihaType) {
    case 0: return QStringLiteral("入所 ");
    case 1: return QStringLiteral("短期 ");
    case 2: return QStringLiteral("通所 ");
    case 3: return QStringLiteral("訪問 ");
    default: return {};
    }
}

}  // namespace

QString groupClientLine(int count) { return QStringLiteral("予約 %1 名").arg(count); }

QString BuildFrameCaption(const TIMETABLE_ITEM& frame, const QString& clientLine, int rihaType, int kubunCode) {
    const int start = minutesOfDay(frame.StartTime);
    const QString first = QStringLiteral("%1.%2 -> %3分")
                              .arg(start / 60, 2, 10, QChar(u'0'))
                              .arg(start % 60, 2, 10, QChar(u'0'))
                              .arg(frame.Fnn);
    QString letters;
    if (kubunCode >= 0) {
        TKubun kubun;
        kubun.SetCode(kubunCode);
        letters = kubun.ShortText();
    }
    return first + u'\n' + clientLine + u'\n' + typeWord(rihaType) + u' ' + letters;
}

QString CaptionForBookings(const TIMETABLE_ITEM& frame, int count, const QString& firstName, int firstRihaType,
                           int firstKubunCode) {
    if (frame.Cap == 0) return BuildFrameCaption(frame, {});
    if (frame.Cap == 1 && count <= 1) {
        if (count == 0) return BuildFrameCaption(frame, {});
        return BuildFrameCaption(frame, firstName, firstRihaType, firstKubunCode);
    }
    return BuildFrameCaption(frame, groupClientLine(count));
}

}  // namespace lum
