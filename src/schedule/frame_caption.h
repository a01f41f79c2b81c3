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

// The caption of a frame by its bookings (count, and the first booking's
// client): capacity 0 no client line; capacity 1 the booked client with type
// and letters, nothing when there is none, and "予約 n 名" when it holds
// several (older data); a group "予約 n 名".
QString CaptionForBookings(const TIMETABLE_ITEM& frame, int count, const QString& firstName = {},
                           int firstRihaType = -1, int firstKubunCode = -1);

}  // namespace lum
