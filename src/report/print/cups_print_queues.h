#pragma once
// The print queues of CUPS through libcups, the library Qt's print engine
// submits jobs with. The server is libcups' own choice (CUPS_SERVER, the
// client configuration, else the local scheduler).
#include "report/print/print_queues.h"

namespace lum {

class CupsPrintQueues : public PrintQueues {
public:
    std::optional<QueueState> state(const QString& queue) override;
    void handingOver(const QString& queue) override;
    JobAnswer handedOver(const QString& queue) override;

private:
    int newestBefore_ = 0;
};

}  // namespace lum
