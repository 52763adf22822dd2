// The 52-byte frames exchanged with the unit: layout, check byte, building and receiving.
#pragma once

#include "ParameterImage.h"
#include "SerialPort.h"

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace dorv {

inline constexpr int FrameSize = 52;
inline constexpr int FrameDataSize = 50;
inline constexpr std::size_t RxBufferSize = 15000;

inline constexpr Byte PollCommand = 0x30;
inline constexpr Byte MonitorReply = 0xB0;
inline constexpr Byte ReadFlag = 0x40;
inline constexpr Byte ReplyFlag = 0x80;
inline constexpr Byte BlockMask = 0x3F;

using Frame = std::array<Byte, FrameSize>;

// The exclusive-or of 0xFF and the given bytes: over bytes 0..50 it is the check byte; over
// all 52 bytes it is 0 for a valid frame.
Byte FrameCheck(std::span<const Byte> bytes);

// True when at least 52 bytes are given and the check over the first 52 comes out 0.
bool IsFrameValid(std::span<const Byte> bytes);

// A frame with the given first byte and 50 data bytes (zeros when data is empty), check byte set.
Frame MakeFrame(Byte first, std::span<const Byte> data = {});

inline int BlockOfCommand(Byte command) {
    return command & BlockMask;
}
inline Byte ReplyByteFor(Byte command) {
    return static_cast<Byte>(command ^ ReplyFlag);
}
inline bool IsReadCommand(Byte command) {
    return (command & ReadFlag) != 0;
}

// The data bytes 1..50 of a frame.
inline std::span<const Byte, FrameDataSize> FrameData(std::span<const Byte> frame) {
    return frame.subspan<1, FrameDataSize>();
}

// Builds the poll frame in txFrame, writes it and waits until it has left; false when the
// write failed.
bool SendPollFrame(SerialPort& port, Frame& txFrame);

// Builds a block frame for command in txFrame (data: zeros, or the image block for a write or a
// verify), writes it and waits until it has left; false when the write failed.
bool SendBlockFrame(SerialPort& port, Frame& txFrame, Byte command,
                    std::span<const Byte, FrameDataSize> data);

// Takes in at most one frame: when 52 or more bytes wait, reads them all (at most 15000) into
// rxBuffer and returns its first 52 bytes; otherwise (or when the query fails) returns an empty
// span and leaves the bytes queued. Bytes after the first 52 are dropped.
std::span<const Byte> ReceiveFrame(SerialPort& port, std::vector<Byte>& rxBuffer);

} // namespace dorv
