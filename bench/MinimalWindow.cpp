// The yardsticks for the process measures: a Qt Widgets main window of the tool's size, empty,
// (built with DORV_MINIMAL_TEXT) showing one line of text, or (built with DORV_MINIMAL_FONTS)
// showing one line in each font the tool's window shows at its first show.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>

#include "StartupProbe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(986, 849);
#ifdef DORV_MINIMAL_TEXT
    window.setCentralWidget(new QLabel(QStringLiteral("No connection with PC")));
#endif
#ifdef DORV_MINIMAL_FONTS
    // The window's own font, the connection sign, RPM and throttle, the voltage and the servo
    // values (at the size they are fitted to in Czech), and the application's font, which the
    // tool's editors lay out their first text in.
    struct Line {
        int PixelSize;
        bool Bold;
        const char* Text;
    };
    auto* lines = new QWidget;
    auto* layout = new QVBoxLayout(lines);
    for (const Line& line : {Line{11, false, "Soubor:"}, Line{23, true, "Není spojení s PC"},
                             Line{19, false, "U = ---[V]"},
                             Line{13, false, "Servo požadované 1 = --- mV"}, Line{0, false, "---"}}) {
        auto* label = new QLabel(QString::fromUtf8(line.Text));
        if (line.PixelSize > 0) {
            QFont font = label->font();
            font.setPixelSize(line.PixelSize);
            font.setBold(line.Bold);
            label->setFont(font);
        }
        layout->addWidget(label);
    }
    window.setCentralWidget(lines);
#endif
    dorv::InstallStartupProbe(&window);
    window.show();
    return app.exec();
}
