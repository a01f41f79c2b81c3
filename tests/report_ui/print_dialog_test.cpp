// The print dialog always opens on a printer it can print on: this machine's
// current printer, or PDF output on a machine without one (never an empty
// printer box); and what the preview tells the user when printing fails.
#include "platform/ui/scripted_dialogs.h"
#include "report/prepared_fixture.h"
#include "report/print/qt_printer_device.h"
#include "report/print/tfr_printer.h"
#include "report_ui/preview_form.h"
#include "report_ui/print_form.h"
#include "report_ui/tb_buttons.h"
#include "support/fake_printer.h"
#include "support/qt_printers.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

// A preview of two pages on the engine's printer over `platform`.
template <typename Platform>
struct PreviewOn : ::testing::Test {
    Platform platform;
    TfrReport report;
    HeadlessProgress progress;
    ScriptedDialogs dialogs;

    void SetUp() override {
        ReportPrinter().AttachPrinter(&platform);
        for (int i = 1; i <= 2; ++i) addTextPage(report.EMFPages, QStringLiteral("Page %1 頁").arg(i));
        report.CanRebuild = false;
        report.Progress = &progress;
    }
    void TearDown() override { ReportPrinter().AttachPrinter(nullptr); }

    std::unique_ptr<TfrPreviewForm> open() {
        auto form = std::make_unique<TfrPreviewForm>(report);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
};

using PreviewWithoutPrinter = PreviewOn<NoPrinterPlatform>;
using PreviewOnFakes = PreviewOn<FakePrinterPlatform>;

}  // namespace

TEST(PrintDialog, WithoutAPrinterItOpensOnPdfOutput) {
    NoPrinterPlatform none;
    TfrPrinter printer(&none);
    ASSERT_TRUE(printer.isDefaultPrinter());
    {
        TfrPrintForm form(printer);
        EXPECT_EQ(form.CB1->count(), 1);
        EXPECT_EQ(form.CB1->currentIndex(), 0);
        EXPECT_EQ(form.CB1->currentText(), QStringLiteral("PDF"));
        // 印刷 prints on what the box shows.
        ASSERT_NE(printer.device(), nullptr);
        EXPECT_TRUE(printer.device()->writesFile());
        form.reject();
    }
    EXPECT_TRUE(printer.isDefaultPrinter()) << "取消 puts the printer of before back";
}

// The dialog over this machine's own printers (none on a build machine):
// the system's default printer, or PDF output when there is none.
TEST(PrintDialog, OpensOnThisMachinesDefaultPrinterOrPdf) {
    QtPrinterPlatform platform;
    TfrPrinter printer(&platform);
    TfrPrintForm form(printer);
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    const QString system = QPrinterInfo::defaultPrinterName();
    const QString expected = installed.isEmpty()          ? QStringLiteral("PDF")
                             : installed.contains(system) ? system
                                                          : installed.first();
    EXPECT_EQ(form.CB1->currentText(), expected);
    EXPECT_FALSE(form.CB1->currentText().isEmpty());
    form.reject();
}

TEST_F(PreviewWithoutPrinter, PrintingWritesThePdfTheUserNames) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("報告.pdf"));
    auto form = open();
    EXPECT_TRUE(form->PrintBtn->isEnabled());
    dialogs.expectModal(QStringLiteral("TfrPrintForm"), [](QDialog& d) {
        EXPECT_EQ(static_cast<TfrPrintForm&>(d).CB1->currentText(), QStringLiteral("PDF"));
        return int(QDialog::Accepted);
    });
    dialogs.expectFile(FileMode::Save, pdf);
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << "no PDF written";
    EXPECT_TRUE(written.read(5) == "%PDF-");
    EXPECT_EQ(dialogs.fileRequests().value(0).filter, QStringLiteral("PDF (*.pdf)|*.pdf"));
    EXPECT_EQ(form->pages().Count(), 2);
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
}

// A failure is told in the windows' language under the エラー title, naming
// where the pages were to go.
TEST_F(PreviewOnFakes, APrintFailureIsToldInJapanese) {
    auto form = open();
    platform.devices.at(0)->failBegin = true;
    dialogs.expectModal(QStringLiteral("TfrPrintForm"), int(QDialog::Accepted));
    dialogs.expect(MsgKind::Error, QStringLiteral("「Fake 1」への印刷に失敗しました。"), MsgButton::Ok);
    form->PrintBtn->click();
    ASSERT_FALSE(dialogs.messages().isEmpty());
    EXPECT_EQ(dialogs.messages().last().caption(), QStringLiteral("エラー"));
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
}

// What the print system says of the chosen queue is told: before sending
// (refusing: nothing is sent; stopped: the job is sent and waits there) and
// after handing the job over (not taken: its reason). A list of no page of
// the document is told and nothing is sent.
TEST_F(PreviewOnFakes, WhatThePrintSystemSaysIsTold) {
    const QueueState refusing = refusingQueue(QStringLiteral("Rejecting Jobs"));
    const QueueState stopped = stoppedQueue(QStringLiteral("Paused"));
    const QString notAccepting = QStringLiteral("宛先 \"Fake 1\" はジョブを受け付けていません。");
    const QStringList sent = {"begin Tiberlaine: Untitled", "page", "end"};
    struct Case {
        const char* what;
        QueueState state;
        bool refusesTheJob;
        const char* range;  // "" prints every page
        MsgKind kind;       // of the message told, when there is one
        QString message;
        QStringList log;
    };
    const Case cases[] = {
        {"taken", QueueState{}, false, "", MsgKind::Information, {}, sent},
        {"refusing jobs", refusing, false, "", MsgKind::Error,
         QStringLiteral("「Fake 1」は印刷ジョブを受け付けていません。\nRejecting Jobs"), {}},
        {"stopped", stopped, false, "", MsgKind::Warning,
         QStringLiteral("「Fake 1」は停止中です。印刷は再開されるまで待機します。\nPaused"), sent},
        {"the job handed over is refused", QueueState{}, true, "", MsgKind::Error,
         QStringLiteral("「Fake 1」への印刷に失敗しました。\n") + notAccepting, sent},
        {"a list of no page of the document", QueueState{}, false, "3-4", MsgKind::Error,
         QStringLiteral("印刷するページがありません。"), {}},
    };
    auto form = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs script;
        platform.log.clear();
        progress.captions.clear();
        platform.queueSystem.states["Fake 1"] = c.state;
        platform.queueSystem.refusals.clear();
        if (c.refusesTheJob) platform.queueSystem.refusals["Fake 1"] = notAccepting;
        const QString range = QString::fromUtf8(c.range);
        script.expectModal(QStringLiteral("TfrPrintForm"), [range](QDialog& d) {
            auto& p = static_cast<TfrPrintForm&>(d);
            if (!range.isEmpty()) {
                p.RB3->setChecked(true);
                p.E2->setText(range);
            }
            return int(QDialog::Accepted);
        });
        if (!c.message.isEmpty()) script.expect(c.kind, c.message, MsgButton::Ok);
        form->PrintBtn->click();
        EXPECT_TRUE(script.allDone()) << script.report().toStdString();
        EXPECT_EQ(platform.log, c.log);
        EXPECT_EQ(progress.captions.isEmpty(), c.log.isEmpty()) << "the progress window shows only when a job is sent";
        EXPECT_EQ(form->pages().Count(), 2);
    }
}

TEST_F(PreviewWithoutPrinter, APdfThatCannotBeWrittenIsNamed) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("無いフォルダー/報告.pdf"));
    auto form = open();
    dialogs.expectModal(QStringLiteral("TfrPrintForm"), int(QDialog::Accepted));
    dialogs.expectFile(FileMode::Save, pdf);
    dialogs.expect(MsgKind::Error, QStringLiteral("「%1」への印刷に失敗しました。").arg(pdf), MsgButton::Ok);
    form->PrintBtn->click();
    EXPECT_EQ(dialogs.messages().value(0).caption(), QStringLiteral("エラー"));
    EXPECT_TRUE(dialogs.allDone()) << dialogs.report().toStdString();
}
