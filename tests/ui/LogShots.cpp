// Saves pictures of the data log: the chart window and a replay with the cells it visited
// marked: LogShots FOLDER LANGUAGE.
#include <QApplication>
#include <QDir>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cmath>

#include "ChartWindows.h"
#include "FakeSerialPort.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LogWriter.h"
#include "Monitor.h"
#include "WindowTestEnv.h"

namespace {

// A unit whose engine runs up and down a few times, throttle leading, servo 1 following its
// table with a lag, servo 2 held.
dorv::MonitorReport Engine(int frame) {
    const double t = frame * 0.33;
    const double throttle = 50 + 45 * std::sin(t / 6.0);
    dorv::MonitorReport r;
    r.TpPercent = static_cast<dorv::Byte>(throttle);
    r.Rpm = static_cast<std::uint16_t>(1500 + 60 * throttle + 400 * std::sin(t / 1.7));
    r.TpsSteps = static_cast<std::uint16_t>(100 + throttle * 8);
    r.SupplySteps = 262;
    const double desired = 800 + 30 * throttle;
    const double lagged = 800 + 30 * (50 + 45 * std::sin((t - 0.8) / 6.0));
    r.ServoRequiredMv = {static_cast<std::uint16_t>(desired), 2600};
    r.ServoMeasuredMv = {static_cast<std::uint16_t>(lagged),
                         static_cast<std::uint16_t>(2580 + (frame % 7) * 5)};
    r.ServoFlag = {1, 1};
    r.ProgramCount = 12;
    r.Version = dorv::ImageFormatVersion;
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDir folder(args.value(1, QStringLiteral(".")));
    dorv::CurrentLanguage = dorv::LanguageOfNumber(args.value(2, QStringLiteral("1")).toUInt());
    const QString suffix = args.value(3, QStringLiteral("en"));

    const dorv::testing::WindowTestEnv env;
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    TFormHlav window;
    std::int64_t clock = 0;
    window.SetLogClock([&clock] { return clock; });
    for (dorv::ServoIndex s = 0; s < dorv::ServoCount; ++s)
        window.Image.servo(s).TpEnable() = 1;
    // Servo 1's table rises with speed and throttle, as a tuned one would.
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        for (int k = 0; k < dorv::RpmColumns; ++k)
            window.Image.servo(0).Cell(r, k) = static_cast<dorv::Byte>(40 + 11 * r + 6 * k);
    window.PageControl1->setCurrentIndex(1);
    window.FillEditors();
    window.ApplyLanguage();
    window.show();
    auto& port = dynamic_cast<dorv::testing::FakeSerialPort&>(window.ComPort());
    int frame = 0;
    port.RecordWrites = false;
    port.OnWrite = [&](std::span<const dorv::Byte>) {
        port.Queue(dorv::EncodeMonitorFrame(Engine(frame++)));
    };
    const auto tick = [&](int n) {
        for (int i = 0; i < n; ++i) {
            clock += TFormHlav::TimerInterval;
            window.OnTick();
        }
    };
    tick(12);
    window.Commands.MenuChart->trigger();
    window.Commands.MenuRecord->trigger();
    tick(6 * 200); // 66 s of frames
    window.Commands.MenuMarker->trigger();
    tick(6 * 20);
    QApplication::processEvents();
    window.FormChart->grab().save(folder.filePath(QStringLiteral("chart-%1.png").arg(suffix)));
    window.Commands.MenuTableChart->trigger();
    tick(1);
    QApplication::processEvents();
    window.FormTableChart->grab().save(
        folder.filePath(QStringLiteral("table-chart-%1.png").arg(suffix)));
    window.FormTableChart->close();
    window.Commands.MenuRecord->trigger();
    const QString log = QDir(dorv::LogFolderPath()).entryList(QDir::Files).value(0);
    window.OpenLog(QDir(dorv::LogFolderPath()).filePath(log));
    window.Commands.MenuViewCellVisits->setChecked(true); // where the engine ran, on the table
    tick(6 * 120);                                        // 40 s into the log
    QApplication::processEvents();
    window.grab().save(folder.filePath(QStringLiteral("replay-%1.png").arg(suffix)));
    return 0;
}
