// The serial port's number, name and device, and opening and closing it by PortIndex.
#pragma once

#include "Messages.h"
#include "PortDiagnosis.h"
#include "SerialPort.h"

#include <optional>
#include <string>

namespace dorv {

// PortIndex runs 0..20 (COM1..COM21); the Com menu has items for 0..19.
inline constexpr int PortIndexMax = 20;
inline constexpr int ComPortCount = 20;

// "COM%d" with portIndex + 1; also the key of the port's device in section [PORTS] of DORV.ini.
std::string ComPortName(int portIndex);

// The device for portIndex: the value of DORV.ini's [PORTS] COMn key when it is given and not
// blank, otherwise /dev/ttyS<n-1>.
std::string ComDevicePath(int portIndex, const std::optional<std::string>& configuredDevice);

// The port chosen from the list of COM numbers: the index chosen (0..19), or the current index
// when the choice is none of them.
int PortIndexAfterChoice(int currentPortIndex, int chosen);

// The outcome of OpenComPort. On failure the window shows Message, the device and the reason of
// Error in its language in a modal box, so a technician can act on it.
struct ComOpenResult {
    bool Opened = false;
    MessageId Message = MessageId::None;
    PortOpenError Error = PortOpenError::None;
    std::string Device;
    std::string SystemReason; // the port layer's own words
    // The real cause, from the system's facts (DiagnoseComOpen); none until diagnosed.
    std::optional<PortDiagnosis> Diagnosis;
};

// Opens the port at device (57600 8N1, no flow control). A failed open gives MsgComOpenError.
ComOpenResult OpenComPort(SerialPort& port, const std::string& device);

// Drops pending input and closes the port; nothing happens when it was never opened.
void CloseComPort(SerialPort& port);

} // namespace dorv
