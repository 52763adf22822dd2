// Port naming, the COMn to device mapping and the open and close steps.
#include "ComPort.h"

#include <algorithm>
#include <cctype>

namespace dorv {

std::string ComPortName(int portIndex) {
    return "COM" + std::to_string(portIndex + 1);
}

namespace {

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string OpenErrorReason(PortOpenError error) {
    switch (error) {
    case PortOpenError::NotFound:
        return "the device does not exist";
    case PortOpenError::PermissionDenied:
        return "no permission (the user must be in the dialout group)";
    case PortOpenError::Busy:
        return "the device is in use by another program";
    case PortOpenError::None:
    case PortOpenError::Other:
        break;
    }
    return "the device cannot be opened";
}

} // namespace

std::string ComDevicePath(int portIndex, const std::optional<std::string>& configuredDevice) {
    if (configuredDevice && !IsBlank(*configuredDevice))
        return Trimmed(*configuredDevice);
    return "/dev/ttyS" + std::to_string(portIndex);
}

int PortIndexAfterMenuClick(int currentPortIndex, int clickedItem) {
    return clickedItem >= 0 && clickedItem < MenuComPortCount ? clickedItem : currentPortIndex;
}

ComOpenResult OpenComPort(SerialPort& port, const std::string& device) {
    const PortOpenError error = port.Open(device);
    if (error == PortOpenError::None)
        return {.Opened = true, .Message = MessageId::None, .Suffix = {}};
    return {.Opened = false,
            .Message = MessageId::MsgComOpenError,
            .Suffix = "\n" + device + ": " + OpenErrorReason(error)};
}

void CloseComPort(SerialPort& port) {
    if (port.IsOpen())
        port.Close();
}

} // namespace dorv
