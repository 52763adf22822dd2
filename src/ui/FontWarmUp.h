// Reads the system's font configuration on a second thread while the program starts.
#pragma once

#include <thread>

namespace dorv {

// Reading the font configuration is the largest single step of starting the program, and the
// window needs it for the first text it measures. Started first thing in main, it runs beside the
// application's own start-up and the building of the window's first controls, on a second core.
// The object waits for it when it goes, so that a program that ends early never leaves it running.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread thread_;
};

// Waits until the font configuration has been read; at once when no warm-up runs. The window calls
// it before it first measures a text, so that the configuration is never read twice at once.
void AwaitFontWarmUp();

} // namespace dorv
