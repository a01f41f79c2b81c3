#include "schedule/board_layout.h"

#include "schedule/time_span.h"

namespace lum::board {

QRect FrameGeometry(const TIMETABLE_ITEM& frame) {
    const int start = minutesOfDay(frame.StartTime);
    const int top = (start / 60 - FirstHour) * HourHeight + (start % 60) * 2;
    return {1, top, ColumnWidth - 2, frame.Fnn * 2 - 1};
}

QColor FrameColour(int capacity) {
    switch (capacity) {
    case 0: return {0xFF, 0x00, 0xFF};
    case 1: return {0x00, 0xFF, 0x00};
    default: return {0xFF, 0xFF, 0x00};
    }
}

}  // namespace lum::board
