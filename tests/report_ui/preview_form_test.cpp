// The preview offscreen: pages taken from the report, zoom modes and the
// zoom memory, paging keys, text search, save and load, and printing
// through the print dialog on a fake printer.
#include "platform/ui/scripted_dialogs.h"
#include "report/data/report_components.h"
#include "report/data/tfr_dataset.h"
#include "report/prepared_fixture.h"
#include "report/report_fixture.h"
#include "report/print/tfr_printer.h"
#include "report_ui/preview_form.h"
#include "report_ui/print_form.h"
#include "report_ui/progress_form.h"
#include "report_ui/tb_buttons.h"
#include "support/fake_printer.h"
#include "support/page_layout.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace lum;
using namespace lum::test;

namespace {

struct Preview : ::testing::Test {
    FakePrinterPlatform platform;
    TfrReport report;
    ScriptedDialogs dialogs;

    void SetUp() override {
        previewZoomMemory() = PreviewZoomMemory{};
        ReportPrinter().AttachPrinter(&platform);
        for (int i = 1; i <= 3; ++i) addTextPage(report.EMFPages, QStringLiteral("Page %1 頁").arg(i));
        report.CanRebuild = false;
    }
    void TearDown() override { ReportPrinter().AttachPrinter(nullptr); }

    std::unique_ptr<TfrPreviewForm> open(QSize size = {800, 600}) {
        auto form = std::make_unique<TfrPreviewForm>(report);
        form->resize(size);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
};

}  // namespace

TEST_F(Preview, TakesThePagesAndPaintsThem) {
    auto form = open();
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_EQ(form->pages().Count(), 3);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Page 1/3"));
    EXPECT_EQ(form->ZoomBtn->text(), QStringLiteral("100%"));
    EXPECT_FALSE(form->HelpBtn->isVisible());
    EXPECT_TRUE(form->PrintBtn->isEnabled());
    const QImage shot = form->PBox->grab().toImage();
    const QRect page = form->layout().pages.at(0);
    EXPECT_EQ(shot.pixelColor(page.left() + 2, page.top() + 2), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(0x80, 0x80, 0x80));
}

TEST_F(Preview, PageWidthFillsTheBoxAndIsCentred) {
    auto form = open();
    form->chooseZoom(zmPageWidth);
    const int boxWidth = form->PBox->width();
    const QRect page = form->layout().pages.at(0);
    EXPECT_NEAR(page.width(), boxWidth - 20, 1);
    EXPECT_NEAR(page.left(), (boxWidth - page.width()) / 2, 1);
    EXPECT_EQ(form->layout().columns, 1);
}

TEST_F(Preview, TwoPagesModeAlwaysLaysTwoPerRow) {
    for (QSize size : {QSize(600, 500), QSize(1800, 500)}) {
        auto form = open(size);
        form->chooseZoom(zmTwoPages);
        EXPECT_EQ(form->layout().columns, 2);
        EXPECT_EQ(form->layout().pages.at(1).top(), form->layout().pages.at(0).top());
        EXPECT_GT(form->layout().pages.at(2).top(), form->layout().pages.at(0).bottom());
        // Give the pages back for the next window.
        form.reset();
        report.EMFPages.Clear();
        for (int i = 1; i <= 3; ++i) addTextPage(report.EMFPages, QStringLiteral("Page %1").arg(i));
    }
}

TEST_F(Preview, ZoomChoiceIsRememberedUnlessTheReportSaysOtherwise) {
    {
        auto form = open();
        form->chooseZoom(50);
    }
    EXPECT_EQ(previewZoomMemory().scale, 0.5);
    for (int i = 1; i <= 3; ++i) addTextPage(report.EMFPages, QStringLiteral("Page %1").arg(i));
    {
        auto form = open();
        EXPECT_EQ(form->scale(), 0.5);
        EXPECT_EQ(form->ZoomBtn->text(), QStringLiteral("50%"));
    }
    for (int i = 1; i <= 3; ++i) addTextPage(report.EMFPages, QStringLiteral("Page %1").arg(i));
    report.InitialZoom = pzPageWidth;
    auto form = open();
    EXPECT_EQ(form->zoomMode(), zmPageWidth);
}

TEST_F(Preview, PagingKeys) {
    auto form = open();
    QTest::keyClick(form.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(form->currentPage(), 3);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Page 3/3"));
    QTest::keyClick(form.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(form->VScrollBar->value(), 0);
    EXPECT_EQ(form->currentPage(), 1);
    QTest::keyClick(form.get(), Qt::Key_PageDown);
    EXPECT_EQ(form->VScrollBar->value(), 200);
    EXPECT_EQ(form->currentPage(), 1);
    QTest::keyClick(form.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form->currentPage(), 2);
    form->PgUp->click();
    EXPECT_EQ(form->currentPage(), 1);
}

TEST_F(Preview, FindsTextOnLaterPagesAndF3GoesOn) {
    auto form = open();
    QTest::keyClick(form.get(), Qt::Key_F3);  // before any search: nothing
    EXPECT_EQ(form->currentPage(), 1);
    dialogs.expectModal(QStringLiteral("TfrPreviewSearchForm"), [](QDialog& d) {
        auto& s = static_cast<TfrPreviewSearchForm&>(d);
        s.Edit1->setText(QStringLiteral("page 2"));
        return int(QDialog::Accepted);
    });
    form->FindBtn->click();
    EXPECT_EQ(form->currentPage(), 2);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Page 2/3"));
    EXPECT_FALSE(form->find(QStringLiteral("page 2"), true, true)) << "exact case";
    EXPECT_TRUE(form->find(QStringLiteral("頁"), false, true));
    EXPECT_EQ(form->currentPage(), 1);
    QTest::keyClick(form.get(), Qt::Key_F3);
    EXPECT_EQ(form->currentPage(), 2);
    QTest::keyClick(form.get(), Qt::Key_F3);
    EXPECT_EQ(form->currentPage(), 3);
    EXPECT_FALSE(form->findNext());
    EXPECT_EQ(form->currentPage(), 3);
}

TEST_F(Preview, SavesAsFrpAndLoadsBack) {
    QTemporaryDir dir;
    auto form = open();
    dialogs.expectFile(FileMode::Save, dir.filePath(QStringLiteral("out.txt")));
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    const QString saved = dir.filePath(QStringLiteral("out.frp"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.txt"))));
    report.CanRebuild = true;
    ASSERT_TRUE(form->loadFrom(saved));
    EXPECT_FALSE(report.CanRebuild);
    EXPECT_EQ(form->pages().Count(), 3);

    QFile cut(dir.filePath(QStringLiteral("cut.frp")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(QByteArray("\0\0", 2));
    cut.close();
    dialogs.expect(MsgKind::Error, QRegularExpression(QStringLiteral("^The prepared report file is damaged")),
                   MsgButton::Ok);
    EXPECT_FALSE(form->loadFrom(cut.fileName()));
    EXPECT_EQ(form->pages().Count(), 3);
    EXPECT_EQ(dialogs.messages().last().title, QStringLiteral("Error"));
}

TEST_F(Preview, PrintsTheChosenPagesOnTheChosenPrinter) {
    auto form = open();
    HeadlessProgress progress;
    report.Progress = &progress;
    dialogs.expectModal(QStringLiteral("TfrPrintForm"), [](QDialog& d) {
        auto& p = static_cast<TfrPrintForm&>(d);
        p.CB1->setCurrentIndex(1);
        emit p.CB1->activated(1);
        p.E2->setText(QStringLiteral("2-3"));
        p.RB3->setChecked(true);
        p.CopiesUp->click();
        return int(QDialog::Accepted);
    });
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(ReportPrinter().PrinterIndex, 1);
    FakePrinterDevice& fake = *platform.devices.at(1);
    ASSERT_EQ(fake.sheets.size(), 4);
    EXPECT_EQ(fake.sheets[0]->texts().value(0), QStringLiteral("Page 2 頁"));
    EXPECT_EQ(fake.sheets[2]->texts().value(0), QStringLiteral("Page 3 頁"));
    EXPECT_TRUE(platform.log.contains(QStringLiteral("begin Tiberlaine: Untitled")));
    EXPECT_EQ(progress.captions, QStringList({"Report preparing"}));
    EXPECT_EQ(progress.labels.last(), QStringLiteral("Printing page:  3"));
    EXPECT_EQ(form->pages().Count(), 3);
}

TEST_F(Preview, BadPageListIsRefusedBeforePrinting) {
    auto form = open();
    dialogs.expectModal(QStringLiteral("TfrPrintForm"), [](QDialog& d) {
        auto& p = static_cast<TfrPrintForm&>(d);
        p.RB3->setChecked(true);
        p.E2->setText(QStringLiteral("1,x"));
        return int(QDialog::Accepted);
    });
    dialogs.expect(MsgKind::Error, QStringLiteral("'x' is not a valid integer value"), MsgButton::Ok);
    form->print();
    EXPECT_TRUE(platform.log.isEmpty());
}

TEST(PrintForm, CancelPutsThePreviousPrinterBackAndCopiesStayAboveZero) {
    FakePrinterPlatform platform;
    TfrPrinter printer(&platform);
    TfrPrintForm form(printer);
    EXPECT_EQ(form.CB1->count(), 2);
    EXPECT_EQ(form.E1->text(), QStringLiteral("1"));
    form.CopiesDown->click();
    EXPECT_EQ(form.E1->text(), QStringLiteral("1"));
    form.CopiesUp->click();
    EXPECT_EQ(form.E1->text(), QStringLiteral("2"));
    emit form.CB1->activated(1);
    EXPECT_EQ(printer.PrinterIndex, 1);
    form.reject();
    EXPECT_EQ(printer.PrinterIndex, 0);
    EXPECT_EQ(form.pageListText(2), QString());
    form.RB2->setChecked(true);
    EXPECT_EQ(form.pageListText(2), QStringLiteral("2"));
}

TEST(ToolbarButtons, GreyGlyphMarginAndGroups) {
    QImage glyph(2, 1, QImage::Format_ARGB32);
    glyph.setPixel(0, 0, qRgb(255, 0, 0));
    glyph.setPixel(1, 0, qRgb(255, 255, 255));
    const QImage grey = grayedGlyph(glyph);
    EXPECT_EQ(grey.pixel(0, 0), qRgb(76, 76, 76));
    EXPECT_EQ(grey.pixel(1, 0), qRgb(255, 255, 255));
    QImage clear(1, 1, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_EQ(qAlpha(grayedGlyph(clear).pixel(0, 0)), 0);

    QWidget bar;
    TfrSpeedButton a(&bar), b(&bar);
    a.setMargin(-2);
    EXPECT_EQ(a.margin(), -1);
    a.setMargin(3);
    EXPECT_EQ(a.margin(), 3);
    a.setGroupIndex(1);
    b.setGroupIndex(1);
    a.setDown(true);
    b.setDown(true);
    EXPECT_FALSE(a.down());
    EXPECT_TRUE(b.down());
    b.setDown(false);  // one of the group stays latched
    EXPECT_TRUE(b.down());
    b.setAllowAllUp(true);
    b.setDown(false);
    EXPECT_FALSE(b.down());
    TfrTBButton flat(&bar);
    flat.setGlyph(glyph);
    EXPECT_TRUE(flat.showsGrey());
}

TEST(ProgressForm, RunsTheJobInsideItsModalLoopAndCancels) {
    ScriptedDialogs dialogs;
    TfrProgressForm form;
    const auto step = [](QDialog& d) {
        QCoreApplication::processEvents();  // the posted job runs
        return d.result();
    };
    dialogs.expectModal(QStringLiteral("TfrProgressForm"), step);
    QStringList seen;
    EXPECT_TRUE(form.runModal(QStringLiteral("Report preparing"), QStringLiteral("Printing page:"), [&] {
        form.setLabel(QStringLiteral("Printing page:  1"));
        seen.append(form.Label1->text());
    }));
    EXPECT_EQ(seen, QStringList({"Printing page:  1"}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report preparing"));

    bool cancelled = false;
    form.OnCancel = [&] { cancelled = true; };
    dialogs.expectModal(QStringLiteral("TfrProgressForm"), step);
    EXPECT_FALSE(form.runModal(QStringLiteral("x"), QStringLiteral("y"), [&] { form.Button1->click(); }));
    EXPECT_TRUE(cancelled);
}

TEST(ReportWindows, PrepareAndShowOpensThePreviewOfTheNewPages) {
    ScriptedDialogs dialogs;
    TfrReport report;
    WidgetReportUi ui;
    HeadlessProgress progress;
    report.Ui = &ui;
    report.Progress = &progress;
    report.Title = QStringLiteral("一覧");
    if (report.Pages().Count() == 0) report.Pages().Add();
    TfrPage& page = report.Pages()[0];
    addMemo(page, 10, 10, 200, 20, QStringLiteral("見出し"));
    dialogs.expectModal(QStringLiteral("TfrPreviewForm"), [](QDialog& d) {
        auto& form = static_cast<TfrPreviewForm&>(d);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview - 一覧"));
        EXPECT_EQ(form.pages().Count(), 1);
        EXPECT_TRUE(form.find(QStringLiteral("見出し"), true, true));
        return int(QDialog::Accepted);
    });
    report.PrepareAndShow();
    EXPECT_EQ(report.EMFPages.Count(), 0) << "the closed preview freed its pages";
}

// The conference record's evaluation at its limit, 2047 characters, the last
// one marking the end, prepared on the conference template: at every zoom the
// preview offers, the page draws that last line, whole inside its box. (The
// zoom's own rounding of the font size and line step once pushed it out at
// 200 %.)
TEST_F(Preview, TheConferenceEvaluationAtItsLimitShowsItsLastLineAtEveryZoom) {
    ReportComponents components(QStringLiteral("PreviewConferenceTest"));
    TfrUserDataset record(QStringLiteral("frUserDataset1"));
    record.RangeEnd = reCount;
    record.RangeEndCount = 1;
    components.addDataSource(&record);
    HeadlessReportUi ui;
    TfrReport conference(&components);
    conference.Ui = &ui;
    conference.ShowProgress = false;
    ASSERT_TRUE(conference.LoadTemplateFromFile(QDir(QStringLiteral(LUMORIND_TEMPLATE_DIR)).filePath(QStringLiteral("conference.frf"))));
    QString evaluation;
    while (evaluation.size() < 2046) evaluation += QStringLiteral("歩行は見守りで安定してきている。");
    evaluation = evaluation.left(2046) + QStringLiteral("了");
    conference.OnGetValue = [&](const QString& name, ExprValue& value) {
        value = ExprValue(name == u"Hyouka" ? evaluation : QStringLiteral("１"));
    };
    ASSERT_TRUE(conference.Prepare()) << ui.errors.join(u' ').toStdString();
    components.remove(record.Name);

    TfrPreviewForm form(conference);
    form.resize(900, 700);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const int zooms[] = {200, 150, 100, 75, 50, 25, 10, zmPageWidth, zmWholePage, zmTwoPages};
    for (int zoom : zooms) {
        SCOPED_TRACE(zoom);
        form.chooseZoom(zoom);
        int shown = 0;
        for (int page = 0; page < form.pages().Count(); ++page) {
            RecordingCanvas canvas;
            form.drawPage(page, canvas);
            for (const CanvasOp& op : canvas.textRuns()) {
                if (!op.text.endsWith(QStringLiteral("了"))) continue;
                ++shown;
                PageLayout run;
                detail::addText(run, op, -1, QString(), false);
                ASSERT_EQ(run.texts.size(), 1);
                EXPECT_EQ(cutBy(run.texts[0]), QString()) << "at " << form.scale() << ": " << op.text.toStdString();
            }
        }
        EXPECT_EQ(shown, 1) << "at " << form.scale();
    }
}
