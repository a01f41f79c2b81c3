#pragma once
// The fixed measures and colours of the boards (the staff work chart and the
// day board): 31 columns of 120 pixels, the hours 8:00 to 21:00 at 120 pixels
// an hour, and where a frame's label goes in its column.
#include "schedule/timetable_items.h"

#include <QColor>
#include <QRect>

namespace lum::board {

inline constexpr int Columns = 31;
inline constexpr int ColumnWidth = 120;
inline constexpr int HourHeight = 120;
inline constexpr int FirstHour = 8;
inline constexpr int Hours = 13;                         // 8:00 .. 20:00 on the ruler
inline constexpr int ChartWidth = Columns * ColumnWidth;  // 3720
inline constexpr int ChartHeight = Hours * HourHeight;    // 1560
inline constexpr int HeaderHeight = 22;
inline constexpr int RulerWidth = 44;

// Left 1, width 118; top (hour − 8) × 120 + minute × 2; height minutes × 2 − 1.
QRect FrameGeometry(const TIMETABLE_ITEM& frame);
// By capacity: 0 fuchsia (closed), 1 lime (individual), more yellow (group).
QColor FrameColour(int capacity);

// The colours of the design.
inline const QColor Aqua{0x00, 0xFF, 0xFF};        // headers
inline const QColor White{0xFF, 0xFF, 0xFF};       // columns
inline const QColor Saturday{0xFC, 0xE0, 0xF1};    // $F1E0FC
inline const QColor Sunday{0xFC, 0xB6, 0xEB};      // $EBB6FC
inline const QColor SkyBlue{0xA6, 0xCA, 0xF0};     // the top bar
inline const QColor MoneyGreen{0xC0, 0xDC, 0xC0};  // the client list
inline const QColor MenuBackground{0xD7, 0xE4, 0xF2};  // the inactive caption's gradient colour

}  // namespace lum::board
