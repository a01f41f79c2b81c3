#pragma once
// The print system's queues as printing needs them: whether a queue is
// stopped or refuses jobs before anything is sent, and whether it took the
// job it was handed. Qt's print engine hands the job over when its painter
// ends and keeps the answer to itself, so printing asks here instead.
// Implementations: CupsPrintQueues (libcups) and, in the tests, a stand-in.
#include <QString>
#include <optional>

namespace lum {

struct QueueState {
    enum class Activity { Idle, Printing, Stopped };
    Activity activity = Activity::Idle;
    bool accepting = true;
    // The print system's own words on the state (its message, else its
    // reasons); empty when it gives none.
    QString reason;
};

struct JobAnswer {
    bool taken = true;
    int jobId = 0;   // the print system's number of the job; 0 when not known
    QString reason;  // why it was not taken, in the print system's words
};

class PrintQueues {
public:
    virtual ~PrintQueues() = default;
    // The state of a queue; nothing when the print system cannot tell.
    virtual std::optional<QueueState> state(const QString& queue) = 0;
    // Called right before the printer device ends a job on `queue` (which
    // hands it over), then right after it, on the same thread.
    virtual void handingOver(const QString& queue) = 0;
    virtual JobAnswer handedOver(const QString& queue) = 0;
};

}  // namespace lum
