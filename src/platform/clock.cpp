#include "platform/clock.h"

namespace lum {

namespace {
const Clock* installed = nullptr;
}  // namespace

const Clock& clock() {
    static const SystemClock system;
    return installed ? *installed : system;
}

const Clock* setClock(const Clock* replacement) {
    const Clock* previous = installed;
    installed = replacement;
    return previous;
}

QDateTime now() { return clock().now(); }
QDate today() { return clock().today(); }

FixedClock::FixedClock(QDateTime at, Install install) : at_(std::move(at)) {
    if (install == Install::Yes) {
        previous_ = setClock(this);
        installed_ = true;
    }
}

FixedClock::FixedClock(QDate day, Install install) : FixedClock(day.startOfDay(), install) {}

FixedClock::~FixedClock() {
    if (installed_) setClock(previous_);
}

}  // namespace lum
