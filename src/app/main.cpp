// Program entry: answers --help and --version, or creates the main window and runs the message
// loop.
#include "Application.h"
#include "CommandLine.h"
#include "FileNotes.h"
#include "Hlav.h"
#include "LazyIconStyle.h"
#include "SignalClose.h"
#include "StartupProbe.h"

int main(int argc, char* argv[]) {
    // --help and --version are answered before any Qt object exists, so they need no display.
    if (const auto exitCode = dorv::AnswerInfoOption(argc, argv, stdout))
        return *exitCode;
    TApplication app(argc, argv);
    dorv::InstallLazyIconStyle();
    // Before the window, so that a signal during the start-up still closes it properly.
    SignalClose signalClose;
    // Held until the window has saved its files at exit.
    dorv::ConfigFolderLock folderLock;
    if (!dorv::HoldConfigFolder(folderLock))
        return 1;
    try {
        TFormHlav window;
        signalClose.SetWindow(&window, [&window] { window.CloseForSignal(); });
        if (signalClose.CloseRequested())
            return 0; // closed during the start-up; the settings are saved
        dorv::InstallStartupProbe(&window);
        window.show();
        return app.exec();
    } catch (...) {
        TApplication::ShowException(std::current_exception());
        return 1;
    }
}
