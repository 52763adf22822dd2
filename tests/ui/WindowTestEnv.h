// Surroundings for tests that make a TFormHlav: a private configuration folder and a serial port.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

#include <memory>

#include "FakeSerialPort.h"
#include "Hlav.h"

namespace dorv::testing {

// While it lives, XDG_CONFIG_HOME names a fresh temporary folder, so no test reads or writes the
// user's configuration. With a scripted port, windows made meanwhile get a FakeSerialPort that
// opens (no unit answers it), so no box about the port opens; without, they get the program's
// serial port and find their devices through DORV.ini in that folder.
class WindowTestEnv {
public:
    enum class Port { Scripted, Real };

    explicit WindowTestEnv(Port port = Port::Scripted)
        : previousConfigHome_(qgetenv("XDG_CONFIG_HOME")),
          hadConfigHome_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
        if (port == Port::Scripted)
            TFormHlav::SetSerialPortFactory([] { return std::make_unique<FakeSerialPort>(); });
    }
    ~WindowTestEnv() {
        TFormHlav::SetSerialPortFactory({});
        if (hadConfigHome_)
            qputenv("XDG_CONFIG_HOME", previousConfigHome_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    WindowTestEnv(const WindowTestEnv&) = delete;
    WindowTestEnv& operator=(const WindowTestEnv&) = delete;

    // The temporary folder XDG_CONFIG_HOME names; the tool's files go to its DORV subfolder.
    QString ConfigHome() const { return configHome_.path(); }

private:
    QTemporaryDir configHome_;
    QByteArray previousConfigHome_;
    bool hadConfigHome_;
};

} // namespace dorv::testing
