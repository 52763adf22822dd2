// Saves pictures of the main window's pages as PNG files: WindowShots OUTPUT_FOLDER [PREFIX].
#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include "Hlav.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QString prefix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("window");
    TFormHlav window;
    window.show();
    for (int page = 0; page < 3; ++page) {
        window.PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
        window.grab().save(folder.filePath(QStringLiteral("%1-page%2.png").arg(prefix).arg(page)));
    }
    return 0;
}
