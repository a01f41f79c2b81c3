#pragma once
// The three-line caption of a frame label on the boards:
//   "09.00 -> 40分"            start (hour.minute) and minutes
//   client line                a client's name, "予約 n 名", or empty
//   type word + " " + letters  "入所 短個"; " " when no client is given
#include "schedule/timetable_items.h"

#include <QString>

namespace lum {

// The client line of a group frame: "予約 " + count + " 名".
QString groupClientLine(int count);

// rihaType and kubunCode -1: not given (no type word, no letters).
QString BuildFrameCaption(const TIMETABLE_ITEM& frame, const QString& clientLine, int rihaType = -1,
                          int kubunCode = -1);

}  // namespace lum
