// Saves pictures of the main window's pages as PNG files: WindowShots FOLDER PREFIX LANGUAGE PAGES
// [table|compare]. With "table", also pictures of the servo table editor: a selection, the heat
// map, and a table before and after a 2-D interpolation; with "compare", servo 1 compared with a
// file (PREFIX.png; pass no PAGES for it alone).
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QTabWidget>

#include "CompareView.h"
#include "EditUpDown.h"
#include "EditorValues.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LazyIconStyle.h"
#include "ServoTable.h"
#include "WindowTestEnv.h"

namespace {

void SaveBox(TFormHlav& window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    window.GroupBoxServo->grab().save(folder.filePath(name));
}

// Servo 1 with a bumpy table: a selection, the heat map, then a 2-D interpolation of a block.
void SaveTablePictures(TFormHlav& window, const QDir& folder, const QString& prefix) {
    window.PageControl1->setCurrentIndex(1);
    auto servo = window.Image.servo(0);
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        for (int c = 0; c < dorv::RpmColumns; ++c)
            servo.Cell(r, c) = dorv::Byte(60 + 8 * c + 5 * r + ((r * 7 + c * 3) % 5) * 6);
    window.FillEditors();
    window.ServoTable->SetCurrentCell({2, 3});
    window.ServoTable->SetSelection({2, 3, 6, 9});
    window.ServoTable->Editor()->setFocus();
    SaveBox(window, folder, prefix + QStringLiteral("-table-selection.png"));
    SaveBox(window, folder, prefix + QStringLiteral("-table-before-2d.png"));
    window.ServoTableOperation(dorv::TableOperation::InterpolateBilinear);
    SaveBox(window, folder, prefix + QStringLiteral("-table-after-2d.png"));
    window.Commands.MenuViewHeatMap->setChecked(true);
    window.ServoTable->SetCurrentCell({dorv::RpmRow, 0});
    SaveBox(window, folder, prefix + QStringLiteral("-table-heatmap.png"));
    window.Commands.MenuViewHeatMap->setChecked(false);
}

// Servo 1 compared with another tune: some cells, an RPM point, TPS and a hysteresis differ.
void SaveComparePicture(TFormHlav& window, const QDir& folder, const QString& prefix) {
    window.PageControl1->setCurrentIndex(1);
    dorv::ParameterImage other = window.Image;
    auto servo = other.servo(0);
    for (int c = 4; c < 9; ++c)
        servo.Cell(3, c) = dorv::Byte(servo.Cell(3, c) + 6 + c);
    servo.Cell(6, 2) = dorv::Byte(servo.Cell(6, 2) - 9);
    servo.Cell(0, 12) = dorv::Byte(servo.Cell(0, 12) + 4);
    servo.RpmPoints(7) = dorv::Byte(servo.RpmPoints(7) + 2);
    servo.HysteresisMv() = dorv::Byte(servo.HysteresisMv() + 4);
    other.Tps0() = dorv::Byte(other.Tps0() + 3);
    other.servo(1).Cell(2, 2) = dorv::Byte(other.servo(1).Cell(2, 2) + 5);
    window.ShowComparison(other, QStringLiteral("bench-2.ign"));
    window.Comparison->SetCurrentDifference(5);
    QApplication::processEvents();
    window.grab().save(folder.filePath(prefix + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    dorv::InstallLazyIconStyle(); // the style as the program has it
    const QStringList args = app.arguments();
    const QDir folder(args.value(1, QStringLiteral(".")));
    const QString prefix = args.value(2, QStringLiteral("window"));
    dorv::CurrentLanguage = dorv::LanguageOfNumber(args.value(3, QStringLiteral("1")).toUInt());
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
    if (args.value(5) == QLatin1String("table"))
        SaveTablePictures(window, folder, prefix);
    if (args.value(5) == QLatin1String("compare"))
        SaveComparePicture(window, folder, prefix);
    return 0;
}
