// The print queues of a real CUPS scheduler: the throwaway one ./test.sh
// starts (scripts/test-cups.sh, its socket in LUMORIND_TEST_CUPS) with a queue
// taking jobs, one refusing them, one stopped and one that refuses this user's
// jobs only when they are handed over. Qt's own print engine hands
// the jobs over, as in the application; without the scheduler the cases are
// skipped.
#include "prepared_fixture.h"
#include "report/prepared/print_prepared.h"
#include "report/print/cups_print_queues.h"
#include "report/print/qt_printer_device.h"
#include "report/print/tfr_printer.h"
#include "support/qt_printers.h"

#include <QPrinterInfo>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

// The application's print system, keeping what it answered.
class RecordingQueues : public PrintQueues {
public:
    std::optional<QueueState> state(const QString& queue) override { return cups_.state(queue); }
    void handingOver(const QString& queue) override { cups_.handingOver(queue); }
    JobAnswer handedOver(const QString& queue) override {
        answers.append(cups_.handedOver(queue));
        return answers.last();
    }
    QList<JobAnswer> answers;

private:
    CupsPrintQueues cups_;
};

class RecordingQtPlatform : public QtPrinterPlatform {
public:
    PrintQueues* queues() override { return &recorder; }
    // CUPS lists no queue to a user it denies (root excepted); the queue is
    // still there by its name.
    std::vector<std::unique_ptr<PrinterDevice>> printers() override {
        auto out = QtPrinterPlatform::printers();
        const QString denying = QStringLiteral("denying");
        if (!QPrinterInfo::availablePrinterNames().contains(denying))
            out.push_back(std::make_unique<QtPrinterDevice>(QPrinterInfo::printerInfo(denying)));
        return out;
    }
    RecordingQueues recorder;
};

struct LiveCups : ::testing::Test {
    void SetUp() override {
        const QByteArray server = qgetenv("LUMORIND_TEST_CUPS");
        if (server.isEmpty()) GTEST_SKIP() << "LUMORIND_TEST_CUPS is not set: the live print-queue cases are skipped";
        // Read by libcups when this process first reaches the scheduler.
        qputenv("CUPS_SERVER", server);
    }
};

}  // namespace

TEST_F(LiveCups, QueueStatesAsTheSchedulerTellsThem) {
    struct Case {
        const char* queue;
        QueueState::Activity activity;
        bool accepting;
        QString reason;
    };
    const Case cases[] = {
        {"taking", QueueState::Activity::Idle, true, QString()},
        {"refusing", QueueState::Activity::Idle, false, QStringLiteral("Rejecting Jobs")},
        {"stopped", QueueState::Activity::Stopped, true, QStringLiteral("Paused")},
        {"denying", QueueState::Activity::Idle, true, QString()},
    };
    CupsPrintQueues queues;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queue);
        const std::optional<QueueState> s = queues.state(QString::fromLatin1(c.queue));
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->activity, c.activity);
        EXPECT_EQ(s->accepting, c.accepting);
        EXPECT_EQ(s->reason, c.reason);
    }
    EXPECT_FALSE(queues.state(QStringLiteral("no-such-queue")).has_value());
}

// Refused first, so a later job shows no earlier answer. "refusing" is sent
// although the window would not send it, to see the scheduler's answer.
TEST_F(LiveCups, JobsHandedOverByQtsEngineAreToldAsTheSchedulerAnswered) {
    RecordingQtPlatform platform;
    TfrPrinter printer(&platform);
    struct Case {
        const char* queue;
        PrintCheck::Verdict before;
        QString told;
        PrintOutcome outcome;
    };
    const Case cases[] = {
        {"refusing", PrintCheck::DontPrint, QStringLiteral("「refusing」は印刷ジョブを受け付けていません。\nRejecting Jobs"),
         PrintOutcome::Failed},
        {"taking", PrintCheck::Print, QString(), PrintOutcome::Printed},
        {"denying", PrintCheck::Print, QString(), PrintOutcome::Failed},
        {"stopped", PrintCheck::PrintAfterWarning,
         QStringLiteral("「stopped」は停止中です。印刷は再開されるまで待機します。\nPaused"), PrintOutcome::Printed},
    };
    int lastJob = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queue);
        const int index = int(printer.Printers.indexOf(QString::fromLatin1(c.queue)));
        ASSERT_GE(index, 0) << printer.Printers.join(QLatin1Char(' ')).toStdString();
        printer.SelectPrinter(index);
        TfrEMFPages pages;
        addTextPage(pages, QStringLiteral("P1"));
        addTextPage(pages, QStringLiteral("P2"));
        const PrintCheck check = CheckBeforePrinting(pages.Count(), PageList{}, printer);
        EXPECT_EQ(check.verdict, c.before);
        EXPECT_EQ(check.text, c.told);
        platform.recorder.answers.clear();
        QString error;
        EXPECT_EQ(PrintPageList(pages, printer, PrintRun{}, &error), c.outcome);
        ASSERT_EQ(platform.recorder.answers.size(), 1);
        const JobAnswer answer = platform.recorder.answers.first();
        if (c.outcome == PrintOutcome::Failed) {
            EXPECT_FALSE(answer.taken);
            EXPECT_EQ(answer.jobId, 0);
            EXPECT_FALSE(answer.reason.isEmpty());
            EXPECT_EQ(error, QStringLiteral("「%1」への印刷に失敗しました。\n").arg(QString::fromLatin1(c.queue)) + answer.reason);
        } else {
            EXPECT_TRUE(answer.taken) << answer.reason.toStdString();
            EXPECT_GT(answer.jobId, lastJob) << "a job of its own in the queue";
            lastJob = answer.jobId;
            EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        }
    }
}
