// Fuzz target: arbitrary received bytes through ReceiveFrame into both reply handlers, in every
// transfer mode, with checks on the sequencer's visible state after each tick.
#include "FakeSerialPort.h"
#include "TransferSequencer.h"

#include <cstddef>
#include <cstdint>

using namespace dorv;

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    Byte Next() { return Empty() ? 0 : data_[at_++]; }
    std::span<const Byte> Take(std::size_t n) {
        n = std::min(n, size_ - at_);
        std::span<const Byte> bytes(data_ + at_, n);
        at_ += n;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckState(const TransferSequencer& seq) {
    const TransferDisplay& d = seq.Display();
    const SequencerState& s = seq.State();
    Require(d.ProgressPosition >= 0 && d.ProgressPosition <= d.ProgressMaximum);
    Require(d.ProgressMaximum == TransferProgressMaximum ||
            d.ProgressMaximum == SavingProgressMaximum);
    Require(s.MessageTicks >= 0 && s.MessageTicks <= MessageTime);
    Require(s.NoConnectionTicks >= 0 && s.NoConnectionTicks <= NoConnectionThreshold);
    Require(s.TickCount >= 0 && s.TickCount < PollTicks);
    // A failed pass leaves the count one above the limit.
    Require(s.SendCount >= 0 && (s.SendCount <= MaxSends ||
                                 (s.SendCount == MaxSends + 1 && s.Mode == TransferMode::Idle)));
    Require(s.Mode == TransferMode::Idle || BlockOfCommand(s.BlockCommand) < BlockCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakeSerialPort port;
    port.RecordWrites = false;
    Frame lastSent{};
    port.OnWrite = [&lastSent](std::span<const Byte> bytes) {
        std::copy_n(bytes.begin(), FrameSize, lastSent.begin());
    };
    ParameterImage image;
    SetDefaultParameters(image);
    TransferSequencer seq(port, image);

    Input in(data, size);
    while (!in.Empty()) {
        const Byte op = in.Next();
        switch (op & 7) {
        case 0:
            seq.StartProgramming();
            break;
        case 1:
            seq.StartVerify();
            break;
        case 2:
            seq.StartRead();
            break;
        case 3: // raw bytes as they come off the line
            port.Queue(in.Take(in.Next()));
            break;
        case 4: { // a frame with a correct check byte
            const Byte first = in.Next();
            port.Queue(MakeFrame(first, in.Take(FrameDataSize)));
            break;
        }
        case 5: // a correctly checked reply to the last frame sent, echoing or with new data
            port.Queue(MakeFrame(ReplyByteFor(lastSent[0]),
                                 (op & 8) ? in.Take(FrameDataSize)
                                          : std::span<const Byte>(FrameData(lastSent))));
            break;
        case 6:
            seq.VersionMismatchBoxClosed();
            break;
        case 7:
            port.QueryFails = (op & 8) != 0;
            break;
        }
        seq.Tick();
        CheckState(seq);
        if (port.Incoming.size() > 4 * RxBufferSize)
            port.Incoming.clear();
    }
    return 0;
}
