// The link's tick: receiving, polling, block transfers with time-outs, messages and connection.
//
// How a user of the link (the window, the command line) wires it:
//   TransferSequencer seq(port, image);   // port: a SerialPort (QtSerialPort in the program)
//   every 55 ms:  TransferEvents e = seq.Tick();  then show seq.Display() and act on e:
//     e.Monitor          -> show the live values (MonitorValues), keep them
//     e.Identity         -> show the unit's version, date and time texts
//     e.ImageChanged     -> show the image again (a transfer changed it)
//     e.VersionMismatch  -> tell MsgVersionMismatch + Suffix; once the user has seen it call
//                           seq.VersionMismatchBoxClosed()
//   Program: take the edited values into the image, NormalizeRpmPoints, then
//            seq.StartProgramming() (programming after change calls it directly).
//   Verify:  the same, then seq.StartVerify().
//   Read:    e = seq.StartRead(); e.ImageFromUnit -> the image no longer comes from a file.
//   e.Outcome          -> a pass ended (which, OK or not, whether the unit answered otherwise);
//   e.EditorBeforeRead -> a Read replaced the image's parameters (the image before it);
//   e.UnitCopy         -> StartUnitCopyRead() has the unit's whole image in a copy.
//   After each of these, show seq.Display() again; seq.Live() gives the operating point.
// The transfer message is the current language's text of Display().Message followed by
// Display().Suffix (no message text when Message is None).
#pragma once

#include "Frame.h"
#include "Messages.h"
#include "Monitor.h"
#include "ParameterImage.h"
#include "SerialPort.h"

#include <optional>
#include <string>
#include <vector>

namespace dorv {

enum class TransferMode : Byte { Idle = 0, Program = 1, Verify = 2, Read = 3 };

inline constexpr int TickPeriodMs = 55;
inline constexpr int TimeoutTicks = 4;
inline constexpr int MaxSends = 5;
inline constexpr int PollTicks = 6;
inline constexpr int MessageTime = 200;
inline constexpr int NoConnectionThreshold = 18;
inline constexpr int TransferProgressMaximum = 7;
inline constexpr int SavingProgressMaximum = 100;

// The state of the link to show: the transfer message, the transfer's progress, the lost
// connection and a unit of another parameter format version.
struct TransferDisplay {
    MessageId Message = MessageId::None;
    std::string Suffix;
    StatusColour Colour = StatusColour::Normal;
    bool MessageVisible = false;
    int ProgressMaximum = TransferProgressMaximum; // the position always lies within 0..maximum
    int ProgressPosition = 0;
    bool ProgressVisible = false;
    bool NoConnection = false;
    bool VersionDiffers = false;
    friend bool operator==(const TransferDisplay&, const TransferDisplay&) = default;
};

// The unit's program has another parameter format version than this tool.
struct VersionMismatch {
    int PcVersion = ImageFormatVersion;
    int UnitVersion = 0;
    std::string Suffix; // "  PC-56, IGN-55": shown after MsgVersionMismatch
};

// Which pass ended. Program and Read include the verify pass that follows them; Verify is a
// verify the user started; UnitCopy a read of the unit's image into a copy.
enum class PassKind { Read, Program, Verify, UnitCopy };

struct PassOutcome {
    PassKind Pass = PassKind::Read;
    bool Ok = false;
    // A verify reply differed from the tool's image: the unit answers but holds something else
    // (a pass that ran out of time without any differing answer leaves this false).
    bool UnitDiffered = false;
    friend bool operator==(const PassOutcome&, const PassOutcome&) = default;
};

// What the window must do after a tick or a start command.
struct TransferEvents {
    std::optional<MonitorValues> Monitor;
    std::optional<IdentityTexts> Identity;
    bool ImageChanged = false;
    std::optional<dorv::VersionMismatch> VersionMismatch;
    bool ImageFromUnit = false;
    // Set on the tick a pass ends (a pass stopped by StopTransfer: on the next tick).
    std::optional<PassOutcome> Outcome;
    // On the tick a Read replaces the editor's parameters: the image just before.
    std::optional<ParameterImage> EditorBeforeRead;
    // On the tick a UnitCopy pass has all eight blocks: the unit's whole image.
    std::optional<ParameterImage> UnitCopy;
};

// The sequencer's counters, for the window's status and for tests.
struct SequencerState {
    TransferMode Mode = TransferMode::Idle;
    Byte BlockCommand = 0;
    int TickCount = 0;
    int SendCount = 0;
    int MessageTicks = 0;
    int NoConnectionTicks = NoConnectionThreshold;
    bool ProgrammedOk = false;
    int FailedWrites = 0; // frames that did not leave the port
};

class TransferSequencer {
public:
    TransferSequencer(SerialPort& port, ParameterImage& image);

    // One 55 ms tick: receive at most one frame, step the transfer or poll, count the message
    // time and the ticks without a valid frame. A running pass whose device has gone away
    // (the cable pulled) ends at once with its failure message.
    TransferEvents Tick();

    void StartProgramming();
    void StartVerify();
    TransferEvents StartRead();
    // Reads the unit's whole image (blocks 0..7) into a copy that the UnitCopy event carries;
    // the editor's image is never touched, no verify follows.
    void StartUnitCopyRead();
    // Ends a running Program, Verify or Read pass as a failed one (its error message shows); the
    // unit keeps whatever blocks it had received. Nothing when idle.
    void StopTransfer();
    // The version-mismatch box was closed: the sequencer stays idle and the message goes.
    void VersionMismatchBoxClosed();
    // Paused (while a log is replayed), the sequencer sends nothing to the unit: no polls, and
    // Program, Verify and Read do not start. Frames that still arrive are taken in as ever.
    void SetPaused(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }
    // The pass running now (or the last one, when idle).
    PassKind Pass() const { return pass_; }
    // A read of the unit into a copy is running.
    bool UnitCopyRunning() const {
        return state_.Mode == TransferMode::Read && pass_ == PassKind::UnitCopy;
    }
    // Shows a message of the window's own (the print heading, for instance) for ticks ticks; a
    // failure shown again after another pass keeps its red.
    void ShowMessage(MessageId message, std::string suffix, int ticks,
                     StatusColour colour = StatusColour::Normal);

    const TransferDisplay& Display() const { return display_; }
    const SequencerState& State() const { return state_; }
    // The last accepted monitor frame's values (zeros until one arrives).
    const MonitorValues& Live() const { return live_; }

private:
    void ReceiveStep(TransferEvents& events);
    void TransferStep();
    void IdleStep();
    void MessageTimeStep();
    void ConnectionStep();

    void HandleTransferReply(std::span<const Byte> frame, TransferEvents& events);
    void HandleReadReply(std::span<const Byte, FrameDataSize> data, TransferEvents& events);
    void HandleVerifyReply(std::span<const Byte, FrameDataSize> data);
    void HandleProgramReply(std::span<const Byte, FrameDataSize> data, TransferEvents& events);
    bool TakeIdentityBlock(std::span<const Byte, FrameDataSize> data, TransferEvents& events);
    void ReportVersionMismatch(TransferEvents& events);
    bool ImageMatchesReceivedBlocks() const;

    void Start(TransferMode mode, Byte firstCommand, MessageId message, PassKind pass);
    void HandleUnitCopyReply(std::span<const Byte, FrameDataSize> data, TransferEvents& events);
    void EndPass(bool ok);
    void StartVerifyAfterPass();
    void NextBlock();
    void SendCurrentBlock();
    void FailTransfer();
    void SetMessage(MessageId message, std::string suffix, StatusColour colour);
    void SetProgressMaximum(int maximum);
    void SetProgressPosition(int position);
    int CurrentBlock() const { return BlockOfCommand(state_.BlockCommand); }

    SerialPort& port_;
    ParameterImage& image_;
    SequencerState state_;
    TransferDisplay display_;
    MonitorValues live_;
    Frame txFrame_{};
    std::vector<Byte> rxBuffer_;
    // Blocks 1..7 as the unit sent them in the current pass: a Read pass keeps them here until
    // it has all of them; a Verify pass checks the image against them at its end.
    ParameterImage receivedBlocks_;
    bool paused_ = false;
    PassKind pass_ = PassKind::Read;
    bool unitDiffered_ = false;
    // The outcome of a pass that ended, handed to the window with the next events.
    std::optional<PassOutcome> outcome_;
};

} // namespace dorv
