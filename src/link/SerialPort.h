// The serial port the link talks through: an interface, so tests can script it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace dorv {

// Why a port could not be opened.
enum class PortOpenError { None, NotFound, PermissionDenied, Busy, Other };

// A blocking serial port at 57600 baud, 8N1, no flow control, used from one thread.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device exclusively and configures the line; returns why it failed, if it did.
    virtual PortOpenError Open(const std::string& device) = 0;
    // Drops pending input and closes; does nothing when the port is not open.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Received bytes waiting, without blocking; nothing when the query fails.
    virtual std::optional<std::size_t> BytesWaiting() = 0;
    // Reads up to buffer.size() waiting bytes; returns how many were read.
    virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
    // Writes the bytes and returns once they have left the port; false when they did not all
    // leave (the port is closed, the device went away, the write timed out).
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;

    // The system's own words for the last failed open; empty when it has none.
    virtual std::string LastErrorText() const { return {}; }
    // True once the opened device has gone away (an unplugged adapter); the port is closed then.
    virtual bool DeviceLost() const { return false; }
};

} // namespace dorv
