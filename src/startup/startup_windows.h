#pragma once
// The start-up list of this build: every window and data module in the order
// they are created. Built into the executable (and its test) only, since it
// names the windows of every subsystem.
#include "app/startup_list.h"

#include <vector>

namespace lum {

std::vector<StartupStep> startupWindows();

}  // namespace lum
