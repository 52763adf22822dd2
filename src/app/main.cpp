// Program entry: creates the main window and the about box and runs the message loop.
#include <QApplication>

#include "About.h"
#include "Hlav.h"
#include "StartupProbe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TFormHlav window;
    TFormAbout about(&window);
    window.FormAbout = &about;
    dorv::InstallStartupProbe(&window);
    window.show();
    return app.exec();
}
