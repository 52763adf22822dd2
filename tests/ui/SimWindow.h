// The main window against dorv-sim on a pseudo-terminal: the simulator, the window on its port.
#pragma once

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "ComPort.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "SimProcess.h"
#include "WindowTestEnv.h"

namespace dorv::testing {

// dorv-sim on a pty, private configuration and data folders, DORV.ini mapping COM1 and COM2 to the
// pty (the window opens COM2 before its settings are read, COM1 after), and the window on
// QSerialPort, made at once or when the test first asks for it (after preparing the folders).
class SimWindow {
public:
    enum class WindowMade { AtOnce, OnFirstUse };

    explicit SimWindow(QStringList simOptions, const ParameterImage* unitImage = nullptr,
                       WindowMade made = WindowMade::AtOnce) {
        if (unitImage)
            simOptions << "--load" << WriteImage(dir_, *unitImage);
        sim = std::make_unique<SimProcess>(dir_, simOptions);
        ptyFound_ = !sim->WaitForPty().isEmpty();
        SetPort(0, sim->Link());
        SetPort(1, sim->Link());
        dorv::CurrentLanguage = dorv::Language::English;
        if (made == WindowMade::AtOnce)
            window = std::make_unique<TFormHlav>();
    }
    TFormHlav& Window() {
        if (!window)
            window = std::make_unique<TFormHlav>();
        return *window;
    }
    // Maps COMn (portIndex n - 1) to a device in DORV.ini's [PORTS].
    void SetPort(int portIndex, const QString& device) const {
        QDir().mkpath(env_.ConfigHome() + "/DORV");
        QSettings ini(env_.ConfigHome() + "/DORV/DORV.ini", QSettings::IniFormat);
        ini.setValue(QStringLiteral("PORTS/%1").arg(QString::fromStdString(ComPortName(portIndex))),
                     device);
        ini.setValue(QStringLiteral("FORM_HLAV/ComPort"), 1);
    }
    bool Connected() { return ptyFound_ && Window().Live.LabelSpojeni->isHidden(); }
    // The unit comes back: a new simulator whose pty takes the same link.
    bool RestartSim(QStringList simOptions) {
        sim = std::make_unique<SimProcess>(dir_, simOptions);
        return !sim->WaitForPty().isEmpty();
    }
    QString Path(const char* name) const { return dir_.filePath(name); }
    QString DataHome() const { return env_.DataHome(); }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TFormHlav> window;

private:
    QTemporaryDir dir_;
    WindowTestEnv env_{WindowTestEnv::Port::Real};
    bool ptyFound_ = false;
};

// The last pass has ended well and the link is idle.
inline bool PassEndedOk(TFormHlav& w) {
    const TransferDisplay& d = w.Sequencer().Display();
    return w.Sequencer().State().Mode == TransferMode::Idle && d.Suffix == ": OK" &&
           d.Colour == StatusColour::Normal;
}

} // namespace dorv::testing
