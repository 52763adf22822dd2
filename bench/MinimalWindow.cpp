// The yardsticks for the process measures: a Qt Widgets main window of the tool's size, empty or
// (built with DORV_MINIMAL_TEXT) showing one line of text.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "StartupProbe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(986, 849);
#ifdef DORV_MINIMAL_TEXT
    window.setCentralWidget(new QLabel(QStringLiteral("No connection with PC")));
#endif
    dorv::InstallStartupProbe(&window);
    window.show();
    return app.exec();
}
