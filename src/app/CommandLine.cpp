// The command-line options answered without a display: --help and --version, as plain text.
#include "CommandLine.h"

#include <cstring>

namespace dorv {

namespace {

const char* const VersionText =
    "dorv " DORV_VERSION "\n"
    "Licence GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

const char* const HelpText =
    "usage: dorv [ENGLISH | CESKY | DEUTSCH]\n"
    "       dorv --help | --version\n"
    "\n"
    "The configuration tool of the DORV ignition servo unit: shows its live values, reads,\n"
    "edits, programs and verifies its parameters over a serial line.\n"
    "\n"
    "Arguments:\n"
    "  ENGLISH, CESKY, DEUTSCH  language of this run (first argument, exact case); without\n"
    "                           it the language chosen last (Options menu, kept in DORV.ini)\n"
    "  --help                   show this text and end\n"
    "  --version                show the version and the licence and end\n"
    "\n"
    "Environment:\n"
    "  XDG_CONFIG_HOME          the configuration folder is $XDG_CONFIG_HOME/DORV when that is\n"
    "                           an absolute path, else ~/.config/DORV\n"
    "  DORV_EXIT_AFTER_SHOW     when not empty, end right after the window is first shown\n"
    "                           (start-up measures)\n"
    "  QT_QPA_PLATFORM          Qt's display platform, e.g. offscreen to run without a display\n"
    "\n"
    "Files, in the configuration folder:\n"
    "  DORV.ini                 settings: window placement, port, language, page, last file;\n"
    "                           its section [PORTS] maps COM numbers to devices, e.g.\n"
    "                           COM1=/dev/ttyUSB0 (without it COMn is /dev/ttyS<n-1>)\n"
    "  _DORV.ini                the last parameter image\n"
    "  test_tomble.txt          holding VIEW_EXTRAS, shows the unit's test values\n"
    "\n"
    "Serial devices: the user needs access to the device, as a member of the dialout group\n"
    "(sudo usermod -aG dialout $USER, then log in again).\n"
    "Signals: SIGTERM, SIGINT and SIGHUP close the window as File > Exit does, saving the\n"
    "settings.\n"
    "Manual: Help > Contents (F1) opens DORV_manual_en.pdf (DORV_manual_cz.pdf in Czech) from\n"
    "the program's folder or ../share/dorv beside it.\n";

} // namespace

std::optional<int> AnswerInfoOption(int argc, const char* const* argv, std::FILE* out) {
    for (int i = 1; i < argc; ++i) {
        const char* text = nullptr;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            text = HelpText;
        else if (std::strcmp(argv[i], "--version") == 0)
            text = VersionText;
        if (text)
            return std::fputs(text, out) >= 0 && std::fflush(out) == 0 ? 0 : 1;
    }
    return std::nullopt;
}

} // namespace dorv
