// The SerialPort of the program, on QSerialPort.
#pragma once

#include "SerialPort.h"

#include <QSerialPort>

namespace dorv {

// 57600 baud, 8N1, no flow control, read buffer 10000 bytes; each write waits until the bytes
// have left (at most WriteTimeoutMs). Used from the thread that runs the event loop: received
// bytes reach the read buffer between ticks.
class QtSerialPort final : public SerialPort {
public:
    static constexpr int BaudRate = 57600;
    static constexpr qint64 ReadBufferBytes = 10000;
    static constexpr int WriteTimeoutMs = 1000;

    QtSerialPort() = default;
    ~QtSerialPort() override;

    PortOpenError Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override;
    std::optional<std::size_t> BytesWaiting() override;
    std::size_t Read(std::span<std::uint8_t> buffer) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    std::string LastErrorText() const override { return lastErrorText_; }

    // True once the device has gone away (an unplugged adapter); the port is closed then.
    bool DeviceLost() const override { return deviceLost_; }

private:
    void CheckForLostDevice();

    QSerialPort port_;
    bool deviceLost_ = false;
    std::string lastErrorText_;
};

} // namespace dorv
