#pragma once
// The whole application started on a test database: the start-up list run
// with a scripted login, its windows destroyed after the case. Tiles and
// menus are then driven as a user would.
#include "app/app_windows.h"
#include "app/facility_fixture.h"
#include "app/startup.h"
#include "startup/startup_windows.h"

class RunningAppTest : public FacilityTest {
protected:
    void TearDown() override {
        windows_.destroyAll();
        lum::AppWindows::setCurrent(nullptr);
        FacilityTest::TearDown();
    }
    // Scripts the login of staff member 3 and runs every start-up step.
    bool startLoggedIn(lum::ScriptedDialogs& d) {
        expectLogin(d, "3", "riha");
        lum::AppWindows::setCurrent(&windows_);
        return lum::startApplication(lum::startupWindows(), windows_);
    }
    lum::AppWindows windows_;
};
