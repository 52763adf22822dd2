// The tick, the Program, Verify and Read passes, their replies, time-outs and messages.
#include "TransferSequencer.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace dorv {

namespace {

constexpr Byte FirstProgramCommand = 0x00;
constexpr Byte FirstVerifyCommand = 0x41;
constexpr Byte FirstReadCommand = 0x40;
constexpr int LastBlock = BlockCount - 1;

MessageId FailureMessage(TransferMode mode) {
    switch (mode) {
    case TransferMode::Program:
        return MessageId::MsgProgramError;
    case TransferMode::Verify:
        return MessageId::MsgVerifyError;
    case TransferMode::Read:
    case TransferMode::Idle:
        break;
    }
    return MessageId::MsgReadError;
}

bool SameBlock(std::span<const Byte, FrameDataSize> data, std::span<const Byte, BlockSize> block) {
    return std::equal(data.begin(), data.end(), block.begin());
}

void CopyBlock(std::span<const Byte, FrameDataSize> data, std::span<Byte, BlockSize> block) {
    std::copy(data.begin(), data.end(), block.begin());
}

std::string VersionSuffix(int unitVersion) {
    char text[40];
    std::snprintf(text, sizeof text, "  PC-%d, IGN-%d", ImageFormatVersion, unitVersion);
    return text;
}

} // namespace

TransferSequencer::TransferSequencer(SerialPort& port, ParameterImage& image)
    : port_(port), image_(image), rxBuffer_(RxBufferSize) {}

TransferEvents TransferSequencer::Tick() {
    TransferEvents events;
    if (state_.Mode != TransferMode::Idle && port_.DeviceLost())
        FailTransfer();
    ReceiveStep(events);
    if (state_.Mode == TransferMode::Idle)
        IdleStep();
    else
        TransferStep();
    MessageTimeStep();
    ConnectionStep();
    events.Outcome = std::exchange(outcome_, std::nullopt);
    return events;
}

void TransferSequencer::ReceiveStep(TransferEvents& events) {
    const std::span<const Byte> frame = ReceiveFrame(port_, rxBuffer_);
    if (frame.empty())
        return;
    if (frame[0] != MonitorReply) {
        HandleTransferReply(frame, events);
        return;
    }
    auto values = DecodeMonitorFrame(frame);
    if (!values)
        return;
    state_.NoConnectionTicks = 0;
    live_ = *values;
    display_.VersionDiffers = values->VersionDiffers;
    events.Monitor = std::move(values);
}

void TransferSequencer::TransferStep() {
    if (++state_.TickCount < TimeoutTicks)
        return;
    state_.TickCount = 0;
    if (++state_.SendCount <= MaxSends)
        SendCurrentBlock();
    else
        FailTransfer();
}

void TransferSequencer::IdleStep() {
    if (!paused_ && ++state_.TickCount >= PollTicks) {
        state_.TickCount = 0;
        if (!SendPollFrame(port_, txFrame_))
            ++state_.FailedWrites;
    }
    const int countdown = live_.SaveCountdown;
    if (countdown != 0) {
        SetMessage(MessageId::MsgSaving, "", StatusColour::Normal);
        state_.MessageTicks = MessageTime;
        SetProgressMaximum(SavingProgressMaximum);
        SetProgressPosition(100 * (SaveCountdownFullScale - countdown) / SaveCountdownFullScale);
        return;
    }
    SetProgressMaximum(TransferProgressMaximum);
    if (state_.ProgrammedOk) {
        display_.Message = MessageId::MsgProgramming;
        display_.Suffix = ": OK";
        SetProgressPosition(display_.ProgressMaximum);
    }
}

void TransferSequencer::MessageTimeStep() {
    if (state_.MessageTicks > 0) {
        --state_.MessageTicks;
        display_.MessageVisible = true;
        return;
    }
    display_.MessageVisible = false;
    display_.ProgressVisible = false;
    state_.ProgrammedOk = false;
}

void TransferSequencer::ConnectionStep() {
    if (state_.NoConnectionTicks < NoConnectionThreshold) {
        ++state_.NoConnectionTicks;
        display_.NoConnection = false;
    } else {
        display_.NoConnection = true;
    }
    if (display_.NoConnection)
        display_.VersionDiffers = false;
}

void TransferSequencer::HandleTransferReply(std::span<const Byte> frame, TransferEvents& events) {
    if (!IsFrameValid(frame) || frame[0] != ReplyByteFor(state_.BlockCommand) ||
        state_.Mode == TransferMode::Idle)
        return;
    state_.NoConnectionTicks = 0;
    const auto data = FrameData(frame);
    switch (state_.Mode) {
    case TransferMode::Read:
        if (pass_ == PassKind::UnitCopy)
            HandleUnitCopyReply(data, events);
        else
            HandleReadReply(data, events);
        break;
    case TransferMode::Verify:
        HandleVerifyReply(data);
        break;
    case TransferMode::Program:
        HandleProgramReply(data, events);
        break;
    case TransferMode::Idle:
        break;
    }
}

// Block 0 goes into the image at once (the unit's identity); blocks 1..7 are held back until
// the last one has come, so a Read that fails half-way leaves the edited parameters as they were.
void TransferSequencer::HandleReadReply(std::span<const Byte, FrameDataSize> data,
                                        TransferEvents& events) {
    const int k = CurrentBlock();
    if (k == 0) {
        if (!TakeIdentityBlock(data, events)) {
            NormalizeRpmPoints(image_);
            events.ImageChanged = true;
            ReportVersionMismatch(events);
            return;
        }
    } else {
        CopyBlock(data, receivedBlocks_.Block(k));
    }
    if (k < LastBlock) {
        NextBlock();
        return;
    }
    events.EditorBeforeRead = image_;
    for (int b = 1; b < BlockCount; ++b)
        std::ranges::copy(receivedBlocks_.Block(b), image_.Block(b).begin());
    NormalizeRpmPoints(image_);
    events.ImageChanged = true;
    StartVerifyAfterPass();
}

// The copy gets every block as the unit sent it; the editor's image is left alone.
void TransferSequencer::HandleUnitCopyReply(std::span<const Byte, FrameDataSize> data,
                                            TransferEvents& events) {
    const int k = CurrentBlock();
    CopyBlock(data, receivedBlocks_.Block(k));
    if (k < LastBlock) {
        NextBlock();
        return;
    }
    events.UnitCopy = receivedBlocks_;
    SetProgressPosition(display_.ProgressMaximum);
    SetMessage(MessageId::MsgReading, ": OK", StatusColour::Normal);
    state_.MessageTicks = MessageTime;
    state_.Mode = TransferMode::Idle;
    EndPass(true);
}

// A pass ends OK only when the whole image still equals what the unit answered: an edit made
// during the pass to a block already compared means the unit does not hold the tool's image.
void TransferSequencer::HandleVerifyReply(std::span<const Byte, FrameDataSize> data) {
    const int k = CurrentBlock();
    if (!SameBlock(data, image_.Block(k))) {
        unitDiffered_ = true;
        return;
    }
    CopyBlock(data, receivedBlocks_.Block(k));
    if (k < LastBlock) {
        NextBlock();
        return;
    }
    if (!ImageMatchesReceivedBlocks()) {
        unitDiffered_ = true;
        FailTransfer();
        return;
    }
    SetProgressPosition(display_.ProgressMaximum);
    SetMessage(MessageId::MsgVerifying, ": OK", StatusColour::Normal);
    state_.MessageTicks = MessageTime;
    state_.Mode = TransferMode::Idle;
    EndPass(true);
}

void TransferSequencer::HandleProgramReply(std::span<const Byte, FrameDataSize> data,
                                           TransferEvents& events) {
    const int k = CurrentBlock();
    if (k == 0) {
        const bool versionMatches = TakeIdentityBlock(data, events);
        NormalizeRpmPoints(image_);
        events.ImageChanged = true;
        if (!versionMatches) {
            ReportVersionMismatch(events);
            return;
        }
    } else if (!SameBlock(data, image_.Block(k))) {
        return;
    }
    if (k < LastBlock) {
        NextBlock();
        return;
    }
    state_.ProgrammedOk = true;
    StartVerifyAfterPass();
}

bool TransferSequencer::ImageMatchesReceivedBlocks() const {
    for (int b = 1; b < BlockCount; ++b)
        if (!std::ranges::equal(image_.Block(b), receivedBlocks_.Block(b)))
            return false;
    return true;
}

// The unit's block 0 replaces the tool's; true when its format version is this tool's.
bool TransferSequencer::TakeIdentityBlock(std::span<const Byte, FrameDataSize> data,
                                          TransferEvents& events) {
    CopyBlock(data, image_.Block(0));
    events.Identity = DecodeIdentityBlock(image_);
    return image_.FormatVersion() == ImageFormatVersion;
}

void TransferSequencer::ReportVersionMismatch(TransferEvents& events) {
    state_.Mode = TransferMode::Idle;
    EndPass(false);
    const int unitVersion = image_.FormatVersion();
    events.VersionMismatch = dorv::VersionMismatch{.PcVersion = ImageFormatVersion,
                                                   .UnitVersion = unitVersion,
                                                   .Suffix = VersionSuffix(unitVersion)};
    state_.MessageTicks = 0;
}

void TransferSequencer::VersionMismatchBoxClosed() {
    state_.Mode = TransferMode::Idle;
    state_.MessageTicks = 0;
}

void TransferSequencer::ShowMessage(MessageId message, std::string suffix, int ticks,
                                    StatusColour colour) {
    SetMessage(message, std::move(suffix), colour);
    state_.MessageTicks = ticks;
    display_.MessageVisible = ticks > 0;
}

void TransferSequencer::StartProgramming() {
    Start(TransferMode::Program, FirstProgramCommand, MessageId::MsgProgramming, PassKind::Program);
}

void TransferSequencer::StartVerify() {
    Start(TransferMode::Verify, FirstVerifyCommand, MessageId::MsgVerifying, PassKind::Verify);
}

TransferEvents TransferSequencer::StartRead() {
    if (paused_)
        return {};
    Start(TransferMode::Read, FirstReadCommand, MessageId::MsgReading, PassKind::Read);
    TransferEvents events;
    events.ImageFromUnit = true;
    return events;
}

void TransferSequencer::StartUnitCopyRead() {
    Start(TransferMode::Read, FirstReadCommand, MessageId::MsgReading, PassKind::UnitCopy);
}

void TransferSequencer::Start(TransferMode mode, Byte firstCommand, MessageId message,
                              PassKind pass) {
    if (paused_)
        return;
    pass_ = pass;
    unitDiffered_ = false;
    outcome_.reset();
    state_.Mode = mode;
    state_.BlockCommand = firstCommand;
    state_.SendCount = 0;
    SetMessage(message, "", StatusColour::Normal);
    state_.MessageTicks = MessageTime;
    display_.MessageVisible = true;
    SetProgressPosition(0);
    display_.ProgressVisible = true;
    state_.ProgrammedOk = false;
}

void TransferSequencer::StartVerifyAfterPass() {
    state_.Mode = TransferMode::Verify;
    state_.BlockCommand = FirstVerifyCommand;
    state_.SendCount = 1;
    SendCurrentBlock();
    SetMessage(MessageId::MsgVerifying, ":", StatusColour::Normal);
    state_.MessageTicks = MessageTime;
    display_.MessageVisible = true;
    SetProgressPosition(0);
}

void TransferSequencer::NextBlock() {
    SetProgressPosition(display_.ProgressPosition + 1);
    ++state_.BlockCommand;
    state_.SendCount = 1;
    SendCurrentBlock();
}

void TransferSequencer::SendCurrentBlock() {
    state_.TickCount = 0;
    static constexpr std::array<Byte, FrameDataSize> Zeros{};
    const auto data = state_.Mode == TransferMode::Read
                          ? std::span<const Byte, FrameDataSize>(Zeros)
                          : std::span<const Byte, FrameDataSize>(image_.Block(CurrentBlock()));
    if (SendBlockFrame(port_, txFrame_, state_.BlockCommand, data))
        return;
    // The frame did not leave: it counts as a send; the time-out resends it, and a device that
    // has gone away ends the pass at the next tick.
    ++state_.FailedWrites;
}

void TransferSequencer::StopTransfer() {
    if (state_.Mode != TransferMode::Idle)
        FailTransfer();
}

void TransferSequencer::FailTransfer() {
    SetMessage(FailureMessage(state_.Mode), "", StatusColour::Red);
    state_.MessageTicks = MessageTime;
    if (state_.Mode == TransferMode::Verify)
        state_.ProgrammedOk = false;
    state_.Mode = TransferMode::Idle;
    EndPass(false);
}

void TransferSequencer::EndPass(bool ok) {
    outcome_ = PassOutcome{.Pass = pass_, .Ok = ok, .UnitDiffered = unitDiffered_};
}

void TransferSequencer::SetMessage(MessageId message, std::string suffix, StatusColour colour) {
    display_.Message = message;
    display_.Suffix = std::move(suffix);
    display_.Colour = colour;
}

// The gauge holds its position within 0..maximum; a maximum of 0 is ignored.
void TransferSequencer::SetProgressMaximum(int maximum) {
    if (maximum == 0)
        return;
    display_.ProgressMaximum = maximum;
    display_.ProgressPosition = std::min(display_.ProgressPosition, maximum);
}

void TransferSequencer::SetProgressPosition(int position) {
    display_.ProgressPosition = std::clamp(position, 0, display_.ProgressMaximum);
}

} // namespace dorv
