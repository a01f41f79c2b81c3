#include "report/print/cups_print_queues.h"

#include <cups/cups.h>

#include <QByteArray>

namespace lum {

namespace {

// Qt names a queue's instance as "queue/instance".
struct Destination {
    QByteArray name, instance;
    explicit Destination(const QString& queue) {
        const qsizetype slash = queue.indexOf(QLatin1Char('/'));
        name = queue.left(slash < 0 ? queue.size() : slash).toUtf8();
        if (slash >= 0) instance = queue.mid(slash + 1).toUtf8();
    }
};

QString optionOf(const cups_dest_t& dest, const char* option) {
    return QString::fromUtf8(cupsGetOption(option, dest.num_options, dest.options));
}

// The queue's own message ("Rejecting Jobs", the text given to cupsreject -r);
// the destination's options do not carry it.
QString stateMessage(const QByteArray& name) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     name.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString message;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_ZERO))
        message = QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed();
    ippDelete(response);
    return message;
}

// The newest job of this user on the queue, whatever its state (0: none).
int newestJob(const QByteArray& name) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 1, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i) newest = qMax(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

}  // namespace

std::optional<QueueState> CupsPrintQueues::state(const QString& queue) {
    const Destination d(queue);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, d.name.constData(),
                                         d.instance.isEmpty() ? nullptr : d.instance.constData());
    if (!dest) return std::nullopt;
    QueueState s;
    switch (optionOf(*dest, "printer-state").toInt()) {
    case IPP_PSTATE_PROCESSING: s.activity = QueueState::Activity::Printing; break;
    case IPP_PSTATE_STOPPED: s.activity = QueueState::Activity::Stopped; break;
    default: s.activity = QueueState::Activity::Idle; break;
    }
    s.accepting = optionOf(*dest, "printer-is-accepting-jobs") != QLatin1String("false");
    const QString reasons = optionOf(*dest, "printer-state-reasons");
    cupsFreeDests(1, dest);
    if (s.activity == QueueState::Activity::Stopped || !s.accepting) {
        s.reason = stateMessage(d.name);
        if (s.reason.isEmpty() && reasons != QLatin1String("none")) s.reason = reasons;
    }
    return s;
}

void CupsPrintQueues::handingOver(const QString& queue) { newestBefore_ = newestJob(Destination(queue).name); }

JobAnswer CupsPrintQueues::handedOver(const QString& queue) {
    // Qt's engine submits with cupsPrintFile and drops its answer, but libcups
    // keeps the last answer per thread: it is read before anything else asks
    // the server. handingOver asked the server last, so a job that was never
    // submitted does not show an older failure.
    JobAnswer answer;
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        answer.taken = false;
        answer.reason = QString::fromUtf8(cupsLastErrorString());
        return answer;
    }
    // A job the server took shows in the user's jobs at once; without its
    // history (PreserveJobHistory No) a finished one may not, so this gives
    // the number only.
    const int newest = newestJob(Destination(queue).name);
    if (newest > newestBefore_) answer.jobId = newest;
    return answer;
}

}  // namespace lum
