// Program entry: creates the main window and runs the message loop.
#include <QApplication>

#include "Hlav.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TFormHlav window;
    window.show();
    return app.exec();
}
