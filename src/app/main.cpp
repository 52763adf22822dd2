// Program entry: creates the main window and runs the message loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Nastavování jednotky \"DORV\""));
    window.resize(986, 849);
    window.show();
    return app.exec();
}
