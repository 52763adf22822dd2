// QSerialPort adapter: line settings, exclusive open, byte count, read, write and wait.
#include "QtSerialPort.h"

namespace dorv {

namespace {

PortOpenError OpenErrorOf(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return PortOpenError::None;
    case QSerialPort::DeviceNotFoundError:
        return PortOpenError::NotFound;
    case QSerialPort::PermissionError:
        return PortOpenError::PermissionDenied;
    case QSerialPort::OpenError:
        return PortOpenError::Busy;
    default:
        return PortOpenError::Other;
    }
}

} // namespace

QtSerialPort::~QtSerialPort() {
    Close();
}

PortOpenError QtSerialPort::Open(const std::string& device) {
    Close();
    deviceLost_ = false;
    lastErrorText_.clear();
    port_.setPortName(QString::fromStdString(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        const PortOpenError error = OpenErrorOf(port_.error());
        lastErrorText_ = port_.errorString().toStdString();
        port_.clearError();
        return error == PortOpenError::None ? PortOpenError::Other : error;
    }
    const bool configured = port_.setBaudRate(BaudRate) && port_.setDataBits(QSerialPort::Data8) &&
                            port_.setParity(QSerialPort::NoParity) &&
                            port_.setStopBits(QSerialPort::OneStop) &&
                            port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        lastErrorText_ = port_.errorString().toStdString();
        port_.close();
        return PortOpenError::Other;
    }
    port_.setReadBufferSize(ReadBufferBytes);
    port_.clear(QSerialPort::AllDirections);
    return PortOpenError::None;
}

void QtSerialPort::Close() {
    if (!port_.isOpen())
        return;
    port_.clear(QSerialPort::Input);
    port_.close();
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen();
}

std::optional<std::size_t> QtSerialPort::BytesWaiting() {
    CheckForLostDevice();
    if (!port_.isOpen())
        return std::nullopt;
    return static_cast<std::size_t>(port_.bytesAvailable());
}

std::size_t QtSerialPort::Read(std::span<std::uint8_t> buffer) {
    if (!port_.isOpen())
        return 0;
    const qint64 got =
        port_.read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool QtSerialPort::Write(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen())
        return false;
    const qint64 queued =
        port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(WriteTimeoutMs)) {
    }
    const bool left = queued == static_cast<qint64>(bytes.size()) && port_.bytesToWrite() == 0;
    CheckForLostDevice();
    return left && port_.isOpen();
}

// A vanished device (an unplugged adapter) reports a resource error: close the port, so the
// link sees no bytes and the no-connection label shows.
void QtSerialPort::CheckForLostDevice() {
    if (port_.isOpen() && port_.error() == QSerialPort::ResourceError) {
        deviceLost_ = true;
        port_.close();
    }
}

} // namespace dorv
