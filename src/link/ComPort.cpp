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

} // namespace

std::string ComDevicePath(int portIndex, const std::optional<std::string>& configuredDevice) {
    if (configuredDevice && !IsBlank(*configuredDevice))
        return Trimmed(*configuredDevice);
    return "/dev/ttyS" + std::to_string(portIndex);
}

int PortIndexAfterChoice(int currentPortIndex, int chosen) {
    return chosen >= 0 && chosen < ComPortCount ? chosen : currentPortIndex;
}

ComOpenResult OpenComPort(SerialPort& port, const std::string& device) {
    const PortOpenError error = port.Open(device);
    if (error == PortOpenError::None)
        return {.Opened = true,
                .Message = MessageId::None,
                .Error = error,
                .Device = device,
                .SystemReason = {},
                .Diagnosis = std::nullopt};
    return {.Opened = false,
            .Message = MessageId::MsgComOpenError,
            .Error = error,
            .Device = device,
            .SystemReason = port.LastErrorText(),
            .Diagnosis = std::nullopt};
}

void CloseComPort(SerialPort& port) {
    if (port.IsOpen())
        port.Close();
}

} // namespace dorv
