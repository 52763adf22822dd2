// Check byte, frame building, sending and receiving.
#include "Frame.h"

#include <algorithm>

namespace dorv {

Byte FrameCheck(std::span<const Byte> bytes) {
    Byte check = 0xFF;
    for (Byte b : bytes)
        check ^= b;
    return check;
}

bool IsFrameValid(std::span<const Byte> bytes) {
    return bytes.size() >= static_cast<std::size_t>(FrameSize) &&
           FrameCheck(bytes.first(FrameSize)) == 0;
}

Frame MakeFrame(Byte first, std::span<const Byte> data) {
    Frame frame{};
    frame[0] = first;
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), FrameDataSize), frame.begin() + 1);
    frame[FrameSize - 1] = FrameCheck(std::span<const Byte>(frame).first(FrameSize - 1));
    return frame;
}

bool SendPollFrame(SerialPort& port, Frame& txFrame) {
    txFrame = MakeFrame(PollCommand);
    return port.Write(txFrame);
}

bool SendBlockFrame(SerialPort& port, Frame& txFrame, Byte command,
                    std::span<const Byte, FrameDataSize> data) {
    txFrame = MakeFrame(command, data);
    return port.Write(txFrame);
}

std::span<const Byte> ReceiveFrame(SerialPort& port, std::vector<Byte>& rxBuffer) {
    const auto waiting = port.BytesWaiting();
    if (!waiting || *waiting < static_cast<std::size_t>(FrameSize))
        return {};
    rxBuffer.resize(RxBufferSize);
    const std::size_t wanted = std::min(*waiting, RxBufferSize);
    const std::size_t got = port.Read(std::span<Byte>(rxBuffer).first(wanted));
    if (got < static_cast<std::size_t>(FrameSize))
        return {};
    return std::span<const Byte>(rxBuffer).first(FrameSize);
}

} // namespace dorv
