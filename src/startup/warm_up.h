#pragma once
// Work the first windows need later, done on a thread of its own while the
// main thread builds the application object and the splash window: the font
// configuration read and the driver of the stored database connection loaded.
// Nothing depends on it having run: the main thread does each of these itself
// when it gets there first.
#include <thread>

namespace lum {

// The thread joins when the returned object is destroyed.
std::jthread startWarmUp();

}  // namespace lum
