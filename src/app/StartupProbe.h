// Opt-in start-up probe for measuring: exit the process right after the main window first shows.
#pragma once

class QWidget;

namespace dorv {

// With the environment variable DORV_EXIT_AFTER_SHOW set (to anything but empty), the process
// ends with status 0 as soon as window has been shown for the first time and its first events
// have been handled. Without it, nothing changes.
void InstallStartupProbe(QWidget* window);

} // namespace dorv
