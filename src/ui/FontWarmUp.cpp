// The font configuration read on a second thread at start-up.
#include "FontWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace dorv {

namespace {

// The thread of the warm-up that runs, if any; started and waited for on the main thread only.
std::thread* running = nullptr;

} // namespace

FontWarmUp::FontWarmUp() {
    if (running)
        return;
    thread_ = std::thread([] { FcInit(); });
    running = &thread_;
}

FontWarmUp::~FontWarmUp() {
    AwaitFontWarmUp();
}

void AwaitFontWarmUp() {
    if (!running)
        return;
    if (running->joinable())
        running->join();
    running = nullptr;
}

} // namespace dorv
