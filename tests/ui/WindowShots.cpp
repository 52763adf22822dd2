// Saves pictures of the main window's pages as PNG files: WindowShots FOLDER PREFIX LANGUAGE PAGES.
#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include "EditorValues.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "WindowTestEnv.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDir folder(args.value(1, QStringLiteral(".")));
    const QString prefix = args.value(2, QStringLiteral("window"));
    dorv::CurrentLanguage = static_cast<unsigned char>(args.value(3, QStringLiteral("1")).toUInt());
    const QString pages = args.value(4, QStringLiteral("012"));

    // No unit: a scripted port, and a private configuration folder.
    const dorv::testing::WindowTestEnv env;
    TFormHlav window;
    // Both servos with their whole tables shown; servo 2 in per cent.
    for (dorv::ServoIndex s = 0; s < dorv::ServoCount; ++s)
        window.Image.servo(s).TpEnable() = 1;
    dorv::SwitchPercentMode(window.Image, 1, true);
    window.FillEditors();
    window.show();
    for (const QChar page : pages) {
        window.PageControl1->setCurrentIndex(page.digitValue());
        QApplication::processEvents();
        window.grab().save(folder.filePath(QStringLiteral("%1-page%2.png").arg(prefix).arg(page)));
    }
    return 0;
}
