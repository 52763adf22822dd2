// The CSV data log as text: its header, one line per sample, and the reader of such logs.
#pragma once

#include "LogSample.h"

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorv {

// The first line of every log, naming each column and its unit. A file that does not start with
// it was not written by this tool.
inline constexpr std::string_view LogHeader =
    "local time,time [s],speed [RPM],throttle [%],throttle [mV],supply [V],"
    "servo 1 desired [mV],servo 1 measured [mV],servo 2 desired [mV],servo 2 measured [mV],"
    "servo 1 row,servo 1 column,servo 2 row,servo 2 column,marker";

// A line longer than this is not a line of a log.
inline constexpr std::size_t MaxLogLineLength = 256;

// The local time of a moment as a log writes it: "yyyy-MM-dd hh:mm:ss.zzz".
std::string LocalTimeText(std::int64_t msSinceEpoch);

// The header line, line end included.
std::string LogHeaderLine();
// The sample's line, line end included. Rows and columns are counted from 1 in the file.
std::string LogLine(const LogSample& sample);
// The sample a line (without its line end) holds; nothing when it is not a sample's line.
std::optional<LogSample> ParseLogLine(std::string_view line);

enum class LogReadStatus {
    Whole,   // every line read
    CutLine, // the file ends inside a line (a log cut off while written): read up to it
    BadLine, // Line is not a sample's line: read up to the line before it
    NotALog, // no header line of this tool's logs: nothing read
};

struct LogRead {
    std::vector<LogSample> Samples;
    LogReadStatus Status = LogReadStatus::Whole;
    int Line = 0; // the line (from 1) the status speaks of; 0 for Whole
};

// Reads a log: the header, then samples up to the first line that is cut, damaged or goes back
// in time.
LogRead ReadLog(std::istream& in);

} // namespace dorv
