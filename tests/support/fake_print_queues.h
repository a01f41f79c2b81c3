#pragma once
// A print system for tests: every queue idle and taking jobs until a test
// sets its state or makes it refuse what it is handed. It records what it
// was asked ("state <queue>", "handing <queue>", "handed <queue>").
#include "report/print/print_queues.h"

#include <QMap>
#include <QStringList>

namespace lum::test {

// A queue as after cupsreject, and one as after cupsdisable.
inline QueueState refusingQueue(const QString& reason) {
    QueueState s;
    s.accepting = false;
    s.reason = reason;
    return s;
}
inline QueueState stoppedQueue(const QString& reason) {
    QueueState s;
    s.activity = QueueState::Activity::Stopped;
    s.reason = reason;
    return s;
}

class FakePrintQueues : public PrintQueues {
public:
    std::optional<QueueState> state(const QString& queue) override {
        asked.append(QStringLiteral("state ") + queue);
        if (unknown.contains(queue)) return std::nullopt;
        return states.value(queue, QueueState{});
    }
    void handingOver(const QString& queue) override { asked.append(QStringLiteral("handing ") + queue); }
    JobAnswer handedOver(const QString& queue) override {
        asked.append(QStringLiteral("handed ") + queue);
        JobAnswer answer;
        if (refusals.contains(queue)) {
            answer.taken = false;
            answer.reason = refusals.value(queue);
        } else {
            answer.jobId = ++lastJobId;
        }
        return answer;
    }

    QMap<QString, QueueState> states;
    QStringList unknown;              // queues the print system cannot tell about
    QMap<QString, QString> refusals;  // queues that refuse the jobs handed over, with their reason
    QStringList asked;
    int lastJobId = 0;
};

}  // namespace lum::test
