// Message identifiers and status colours the link reports; the window maps them to its texts.
#pragma once

namespace dorv {

// Messages of the link, named as the language tables name them. The window shows the current
// language's text of the message, followed unchanged by the suffix the link gives with it.
enum class MessageId {
    None,
    MsgProgramming,
    MsgVerifying,
    MsgReading,
    MsgSaving,
    MsgProgramError,
    MsgVerifyError,
    MsgReadError,
    MsgVersionMismatch,
    MsgComOpenError,
    MsgServoDesired,
    MsgServoMeasured,
    MsgProgramCount,
};

// Colours of shown values: the normal face, pure red for errors, pure yellow for the
// supply-voltage warning band.
enum class StatusColour { Normal, Red, Yellow };

} // namespace dorv
