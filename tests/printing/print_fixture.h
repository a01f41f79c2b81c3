#pragma once
// What the print windows' tests share: a facility database on both backends
// handed to the windows, a fixed "now", a main window holding the settings
// and the folder of the built templates, a data module holding the facility
// name, and the road from prepared pages to a PDF file and back to its text.
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/settings/settings_key.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"
#include "support/qt_printers.h"
#include "support/report_pdf.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

namespace lum::test {

class PrintWindowTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(settingsDir_.isValid());
        SettingsKey::setRootFolder(settingsDir_.path());
        facility_ = std::make_unique<ScopedFacilityDatabase>(db());
        mainForm_ = std::make_unique<TMainForm>();
        mainForm_->AppDir = QStringLiteral(LUMORIND_TEMPLATE_DIR);
        mainForm_->Registory = std::make_unique<TRegistory>();
        MainForm = mainForm_.get();
        module_ = std::make_unique<TMainModule>();
        module_->FacilityName = QStringLiteral("介護老人保健施設 みどり苑");
        MainModule = module_.get();
    }
    void TearDown() override {
        MainModule = nullptr;
        module_.reset();
        MainForm = nullptr;
        mainForm_.reset();
        facility_.reset();
        SettingsKey::setRootFolder(QString());
        DatabaseTest::TearDown();
    }

    TRegistory& settings() { return *mainForm_->Registory; }
    TMainModule& module() { return *module_; }

    // The pages as a PDF file, and that file's text as pdftotext reads it
    // (support/report_pdf.h).
    static void writePdf(TfrEMFPages& pages, const QString& file) { lum::test::writePdf(pages, file); }
    static QString pdfText(const QString& file) { return lum::test::pdfText(file); }
    static bool havePdfToText() { return lum::test::havePdfToText(); }
    // Where a test keeps the PDF it looked at: $LUMORIND_PRINT_OUT when set
    // (to keep the files), else a temporary folder.
    QString outputFile(const QString& name) const { return out_.file(name); }
    // With $LUMORIND_SHOTS naming a folder, a picture of the window there.
    static void shot(QWidget& window, const QString& name) {
        const QString folder = qEnvironmentVariable("LUMORIND_SHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        window.grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }

    FixedClock clock_{QDateTime(QDate(2002, 5, 20), QTime(10, 30))};

private:
    QTemporaryDir settingsDir_;
    PdfOutput out_;
    std::unique_ptr<ScopedFacilityDatabase> facility_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TMainModule> module_;
};

}  // namespace lum::test
