// The yardstick for the process measures: an empty Qt Widgets main window of the tool's size.
#include <QApplication>
#include <QMainWindow>

#include "StartupProbe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(986, 849);
    dorv::InstallStartupProbe(&window);
    window.show();
    return app.exec();
}
