#pragma once
// Runs a block under another time zone of the C library (TZ), restoring the
// previous one when it ends, so a test sees what a workstation in that zone does.
#include <QByteArray>
#include <QtGlobal>

#include <ctime>

namespace lum::test {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : had_(qEnvironmentVariableIsSet("TZ")), previous_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone() {
        if (had_) qputenv("TZ", previous_);
        else qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool had_;
    QByteArray previous_;
};

}  // namespace lum::test
