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

// dorv-sim on a pty, a private configuration folder whose DORV.ini maps COM1 and COM2 to it (the
// window opens COM2 before its settings are read, COM1 after), and the window on QSerialPort.
class SimWindow {
public:
    explicit SimWindow(QStringList simOptions, const ParameterImage* unitImage = nullptr) {
        if (unitImage)
            simOptions << "--load" << WriteImage(dir_, *unitImage);
        sim = std::make_unique<SimProcess>(dir_, simOptions);
        ptyFound_ = !sim->WaitForPty().isEmpty();
        SetPort(0, sim->Link());
        SetPort(1, sim->Link());
        dorv::CurrentLanguage = dorv::Language::English;
        window = std::make_unique<TFormHlav>();
    }
    // Maps COMn (portIndex n - 1) to a device in DORV.ini's [PORTS].
    void SetPort(int portIndex, const QString& device) const {
        QDir().mkpath(env_.ConfigHome() + "/DORV");
        QSettings ini(env_.ConfigHome() + "/DORV/DORV.ini", QSettings::IniFormat);
        ini.setValue(QStringLiteral("PORTS/%1").arg(QString::fromStdString(ComPortName(portIndex))),
                     device);
        ini.setValue(QStringLiteral("FORM_HLAV/ComPort"), 1);
    }
    bool Connected() const { return ptyFound_ && window->Live.LabelSpojeni->isHidden(); }
    // The unit comes back: a new simulator whose pty takes the same link.
    bool RestartSim(QStringList simOptions) {
        sim = std::make_unique<SimProcess>(dir_, simOptions);
        return !sim->WaitForPty().isEmpty();
    }
    QString Path(const char* name) const { return dir_.filePath(name); }

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
