#pragma once
// The start-up of the application: the splash window, the start-up list and
// the flag test. The caller runs the message loop afterwards.
#include "app/app_windows.h"
#include "app/startup_list.h"

#include <vector>

namespace lum {

// Shows the splash window, runs the list into `windows`, frees the splash
// again and shows the main window. False when the start-up flag of the main
// window was clear at the flag test: the main window is then never shown.
bool startApplication(const std::vector<StartupStep>& steps, AppWindows& windows);

}  // namespace lum
