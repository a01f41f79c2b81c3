#include "schedule/time_span.h"

#include <cmath>

namespace lum {

int minutesOfDay(TDateTime time) {
    const int minutes = static_cast<int>(std::lround(time.msecsOfDay() / 60000.0));
    return minutes >= 1440 ? 0 : minutes;
}

TDateTime timeOfDay(int minutes) { return TDateTime(minutes / 1440.0); }

bool spansOverlap(int startA, int minutesA, int startB, int minutesB) {
    return startA < startB + minutesB && startB < startA + minutesA;
}

}  // namespace lum
