#pragma once
// The one span rule of frames and bookings. A frame occupies the half-open
// span [start, start + minutes) in whole minutes of its day; two spans overlap
// when each starts before the other ends, so spans that only touch do not.
// Minutes never wrap past midnight: a frame from 20:59 for 600 minutes ends at
// minute 1859 of its day, and nothing later that day escapes it.
#include "common/datetime.h"

namespace lum {

// Whole minutes since midnight of a time of day (the fraction of the value;
// a stored start lies on 1899-12-30), rounded to the nearest minute.
int minutesOfDay(TDateTime time);
// A time of day as stored: the minutes on 1899-12-30.
TDateTime timeOfDay(int minutes);

bool spansOverlap(int startA, int minutesA, int startB, int minutesB);
inline bool spansOverlap(TDateTime startA, int minutesA, TDateTime startB, int minutesB) {
    return spansOverlap(minutesOfDay(startA), minutesA, minutesOfDay(startB), minutesB);
}

}  // namespace lum
