#pragma once
// The clock: "now" and "today" for the whole application, replaceable in
// tests by a fixed clock that only moves when told to.
#include <QDate>
#include <QDateTime>

namespace lum {

class Clock {
public:
    virtual ~Clock() = default;
    // The local wall-clock time.
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The process-wide clock: the system clock unless a replacement is installed.
const Clock& clock();
// Installs a replacement (nullptr puts the system clock back); returns the one before.
const Clock* setClock(const Clock* replacement);

QDateTime now();
QDate today();

// Installs a replacement for a scope and puts the previous one back.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& replacement) : previous_(setClock(&replacement)) {}
    ~ScopedClock() { setClock(previous_); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* previous_;
};

// A clock standing at a given time, installed for its lifetime unless told not to.
class FixedClock final : public Clock {
public:
    enum class Install { Yes, No };
    explicit FixedClock(QDateTime at, Install install = Install::Yes);
    explicit FixedClock(QDate day, Install install = Install::Yes);  // at 00:00
    ~FixedClock() override;
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    QDateTime now() const override { return at_; }
    void set(const QDateTime& at) { at_ = at; }
    void advanceMSecs(qint64 msecs) { at_ = at_.addMSecs(msecs); }
    void advanceSecs(qint64 secs) { at_ = at_.addSecs(secs); }
    void advanceDays(qint64 days) { at_ = at_.addDays(days); }

private:
    QDateTime at_;
    const Clock* previous_ = nullptr;
    bool installed_ = false;
};

}  // namespace lum
