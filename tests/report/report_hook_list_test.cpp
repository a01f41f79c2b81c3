// The per-object hook list: objects flagged for it hear of every memo written
// to a prepared page, once per build.
#include "report_fixture.h"

#include "report/expr/engine_context.h"

#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

// A memo that logs the names of the memos it hears of.
class ListeningMemo : public TfrMemoView {
public:
    explicit ListeningMemo(QStringList* log) : log_(log) {}
    std::unique_ptr<TfrView> clone() const override {
        auto copy = std::make_unique<ListeningMemo>(log_);
        copy->assignMemo(*this);
        return copy;
    }
    void NotifyPrinted(TfrView* printed) override { log_->append(Name + QStringLiteral("<-") + printed->Name); }

private:
    QStringList* log_;
};

class ReportHookList : public ::testing::Test {
protected:
    void SetUp() override {
        engine().reset();
        useFixedPaper(report, 400, 300);
    }
    void TearDown() override { engine().reset(); }

    void addListener(const QString& name, quint16 flags, int top) {
        auto memo = std::make_unique<ListeningMemo>(&log);
        memo->SetBounds(200, top, 100, 16);
        memo->Memo = {QStringLiteral("x")};
        memo->Flags = flags;
        memo->Name = name;
        report.Pages()[0].add(std::move(memo));
    }

    ReportComponents components{QStringLiteral("ReportHookListForm")};
    TfrReport report{&components};
    QStringList log;
};

}  // namespace

TEST_F(ReportHookList, FlaggedObjectsHearOfEveryMemoWrittenOncePerBuild) {
    TfrPage& page = report.Pages()[0];
    addBand(page, btReportTitle, 0, 20);
    addListener(QStringLiteral("Hooked"), flHookList, 0);
    addListener(QStringLiteral("Deaf"), 0, 2);
    addBand(page, btMasterData, 30, 20, QStringLiteral("2"));
    addMemo(page, 0, 30, 100, 16, QStringLiteral("r[LINE#]"));

    const QStringList once{"Hooked<-Hooked", "Hooked<-Deaf", "Hooked<-Memo0_30", "Hooked<-Memo0_30"};
    report.Prepare();
    EXPECT_EQ(log, once);
    // A second build starts from a fresh list: nothing heard twice, nothing freed heard of.
    log.clear();
    report.Prepare();
    EXPECT_EQ(log, once);
}
