// The main window: window state from WinState, centring of MainPanel, tiles,
// the date format of the run and the settings written at exit.
#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/menu_tile.h"
#include "app/registory.h"
#include "app/terminate_thread.h"
#include "platform/settings/settings_key.h"
#include "temp_settings.h"

#include <QDate>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using lum::SettingsKey;

class MainFormTest : public TempSettingsTest {
protected:
    void TearDown() override {
        form_.reset();
        TempSettingsTest::TearDown();
    }
    void storeWinState(const QString* winState) {
        auto key = SettingsKey::openOrCreate(TRegistory::KeyPath);
        ASSERT_TRUE(key);
        if (winState) key->writeText(QStringLiteral("WinState"), *winState);
        else key->writeText(QStringLiteral("Import"), QStringLiteral("/tmp"));
        ASSERT_TRUE(key->flush());
    }
    TMainForm& create() {
        form_ = std::make_unique<TMainForm>();
        MainForm = form_.get();
        form_->FormCreate();
        return *form_;
    }
    QString storedWinState() {
        auto key = SettingsKey::open(TRegistory::KeyPath);
        return key ? key->readText(QStringLiteral("WinState")) : QStringLiteral("<no key>");
    }

    std::unique_ptr<TMainForm> form_;
};

TEST_F(MainFormTest, WindowStateFollowsWinStateSpeltExactly) {
    struct Case {
        const char* stored;  // nullptr: an existing key without the value
        bool maximized;
    };
    const Case cases[] = {{"wsMaximized", true}, {"wsmaximized", false}, {"WSMAXIMIZED", false},
                          {"wsNormal", false},   {"", false},            {nullptr, false}};
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.stored ? c.stored : "");
        QFile::remove(SettingsKey::filePathOf(TRegistory::KeyPath));
        storeWinState(c.stored ? &text : nullptr);
        TMainForm& form = create();
        form.show();
        EXPECT_EQ(form.windowState().testFlag(Qt::WindowMaximized), c.maximized)
            << (c.stored ? c.stored : "<missing>");
        form_.reset();
    }
}

TEST_F(MainFormTest, WithoutASettingsKeyItOpensMaximised) {
    TMainForm& form = create();
    // Created hidden, it has no native window yet: none is made before the login.
    EXPECT_FALSE(form.testAttribute(Qt::WA_WState_Created));
    form.show();
    EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMaximized));
}

TEST_F(MainFormTest, CentresMainPanelTruncatingTowardZero) {
    const QString normal = QStringLiteral("wsNormal");
    storeWinState(&normal);
    TMainForm& form = create();
    form.show();
    struct Case {
        QSize client;
        QPoint panel;
    };
    // MainPanel is 545 x 585.
    const Case cases[] = {{{800, 700}, {127, 57}},  // odd differences 255 and 115
                          {{542, 584}, {-1, 0}},    // -3 / 2 = -1, -1 / 2 = 0
                          {{400, 500}, {-72, -42}},
                          {{545, 585}, {0, 0}}};
    for (const Case& c : cases) {
        form.resize(c.client);
        QCoreApplication::processEvents();
        ASSERT_EQ(form.size(), c.client);
        EXPECT_EQ(form.MainPanel->pos(), c.panel) << c.client.width() << "x" << c.client.height();
    }
}

TEST_F(MainFormTest, TilesAreDisabledUntilShownAndThenOnlyWhereTheirWindowExists) {
    lum::AppWindows windows;
    lum::AppWindows::setCurrent(&windows);
    auto* menu = new QWidget;
    menu->setObjectName(QStringLiteral("FakeSystemMenu"));
    windows.add(QStringLiteral("TSystemMenuForm"), menu);

    TMainForm& form = create();
    for (const auto& t : form.tiles()) EXPECT_FALSE(t.tile->isEnabled()) << t.windowClass;
    form.show();
    for (const auto& t : form.tiles()) {
        EXPECT_EQ(t.tile->isEnabled(), t.tile == form.InfoConnectBtn) << t.windowClass;
    }
    QTest::mouseClick(form.InfoConnectBtn, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(menu->isVisible());
    form_.reset();
    lum::AppWindows::setCurrent(nullptr);
}

TEST_F(MainFormTest, HoldsTheDateFormatForTheRunAndRestoresIt) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDate day(2002, 5, 1);
    const QString workstation = QLocale().toString(day, QLocale::ShortFormat);
    create();
    EXPECT_EQ(QLocale().toString(day, QLocale::ShortFormat), QStringLiteral("2002/05/01"));
    form_.reset();
    EXPECT_EQ(QLocale().toString(day, QLocale::ShortFormat), workstation);
    QLocale::setDefault(QLocale::c());
}

TEST_F(MainFormTest, WritesTheSettingsWhenDestroyed) {
    ASSERT_FALSE(SettingsKey::open(TRegistory::KeyPath));
    TMainForm& form = create();
    EXPECT_EQ(form.StartupOK, 1);
    EXPECT_EQ(form.AppDir, QCoreApplication::applicationDirPath());
    form.Registory->WinState = TRegistory::Normal;
    form.Registory->ServFlg = 2;
    form_.reset();
    EXPECT_EQ(storedWinState(), QStringLiteral("wsNormal"));
    EXPECT_EQ(SettingsKey::open(TRegistory::KeyPath)->readInteger(QStringLiteral("ServFlg")), 2);
}

TEST_F(MainFormTest, ClosingStartsTheInstalledWatchdogAndEndsTheRun) {
    int armed = 0;
    lum::TTerminateThread::install([&armed] { ++armed; });
    TMainForm& form = create();
    QSignalSpy closed(&form, &TMainForm::closed);
    form.show();
    form.CloseBtn->click();
    lum::TTerminateThread::install({});
    EXPECT_EQ(armed, 1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, AClearStartupFlagClosesItOnShow) {
    TMainForm& form = create();
    form.StartupOK = 0;
    QSignalSpy closed(&form, &TMainForm::closed);
    form.show();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
