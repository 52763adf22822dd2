// Program entry: creates the main window and the about box and runs the message loop.
#include <QApplication>

#include "About.h"
#include "Hlav.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TFormHlav window;
    TFormAbout about(&window);
    window.FormAbout = &about;
    window.show();
    return app.exec();
}
