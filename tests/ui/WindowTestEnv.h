// Surroundings for tests that make a TFormHlav: a private configuration folder and a serial port.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

#include <memory>

#include "FakeSerialPort.h"
#include "Hlav.h"

namespace dorv::testing {

// While it lives, XDG_CONFIG_HOME and XDG_DATA_HOME name fresh temporary folders, so no test
// reads or writes the user's configuration, logs or history. With a scripted port, windows made
// meanwhile get a FakeSerialPort that opens (no unit answers it), so no box about the port opens;
// without, they get the program's serial port and find their devices through DORV.ini in that
// folder.
class WindowTestEnv {
public:
    enum class Port { Scripted, Real };

    explicit WindowTestEnv(Port port = Port::Scripted)
        : previousConfigHome_(qgetenv("XDG_CONFIG_HOME")),
          hadConfigHome_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
          previousDataHome_(qgetenv("XDG_DATA_HOME")),
          hadDataHome_(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", dataHome_.path().toLocal8Bit());
        if (port == Port::Scripted)
            TFormHlav::SetSerialPortFactory([] { return std::make_unique<FakeSerialPort>(); });
    }
    ~WindowTestEnv() {
        TFormHlav::SetSerialPortFactory({});
        Restore("XDG_CONFIG_HOME", hadConfigHome_, previousConfigHome_);
        Restore("XDG_DATA_HOME", hadDataHome_, previousDataHome_);
    }
    WindowTestEnv(const WindowTestEnv&) = delete;
    WindowTestEnv& operator=(const WindowTestEnv&) = delete;

    // The temporary folder XDG_CONFIG_HOME names; the tool's files go to its DORV subfolder.
    QString ConfigHome() const { return configHome_.path(); }
    // The temporary folder XDG_DATA_HOME names: logs and history go to its DORV subfolder.
    QString DataHome() const { return dataHome_.path(); }

private:
    static void Restore(const char* name, bool had, const QByteArray& value) {
        if (had)
            qputenv(name, value);
        else
            qunsetenv(name);
    }

    QTemporaryDir configHome_;
    QTemporaryDir dataHome_;
    QByteArray previousConfigHome_;
    bool hadConfigHome_;
    QByteArray previousDataHome_;
    bool hadDataHome_;
};

} // namespace dorv::testing
