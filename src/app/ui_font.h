#pragma once
// The window fonts live in common, where the shared dialogs use them too.
#include "common/ui_font.h"
