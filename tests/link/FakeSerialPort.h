// A scripted SerialPort for tests, benchmarks and fuzzing: queued input, recorded output.
#pragma once

#include "Frame.h"
#include "SerialPort.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace dorv::testing {

class FakeSerialPort final : public SerialPort {
public:
    struct SentFrame {
        int Tick = 0;
        std::vector<Byte> Bytes;
    };

    // Input the port will hand out, and what happens on each write (a scripted unit).
    std::deque<Byte> Incoming;
    std::function<void(std::span<const Byte>)> OnWrite;
    bool QueryFails = false;
    PortOpenError OpenResult = PortOpenError::None;
    bool RecordWrites = true;

    // Output: frames written, each with the tick it left in.
    std::vector<SentFrame> Sent;
    int CurrentTick = 0;
    std::string OpenedDevice;
    int CloseCount = 0;

    void Queue(std::span<const Byte> bytes) {
        Incoming.insert(Incoming.end(), bytes.begin(), bytes.end());
    }

    PortOpenError Open(const std::string& device) override {
        OpenedDevice = device;
        open_ = OpenResult == PortOpenError::None;
        if (open_)
            Lost = false;
        return OpenResult;
    }
    void Close() override {
        ++CloseCount;
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    std::optional<std::size_t> BytesWaiting() override {
        if (QueryFails)
            return std::nullopt;
        return Incoming.size();
    }
    std::size_t Read(std::span<Byte> buffer) override {
        const std::size_t n = std::min(buffer.size(), Incoming.size());
        std::copy_n(Incoming.begin(), n, buffer.begin());
        Incoming.erase(Incoming.begin(), Incoming.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }
    bool Write(std::span<const Byte> bytes) override {
        if (Lost)
            return false;
        if (RecordWrites)
            Sent.push_back({CurrentTick, {bytes.begin(), bytes.end()}});
        if (OnWrite)
            OnWrite(bytes);
        return true;
    }
    bool DeviceLost() const override { return Lost; }
    // Pulls the cable: the port closes, writes fail and the device counts as lost.
    void PullCable() {
        Lost = true;
        open_ = false;
    }
    bool Lost = false;

private:
    bool open_ = false;
};

} // namespace dorv::testing
