// The command line of dorv-cli: its commands, options, usage texts and exit statuses.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dorv::cli {

// The exit statuses of dorv-cli. A stop by SIGINT or SIGTERM exits with 128 + the signal.
enum ExitStatus : int {
    ExitOk = 0,
    ExitDiffer = 1,          // the images differ (verify, diff, program's final check)
    ExitPortTrouble = 2,     // the port cannot be opened, the unit does not answer, cable pulled
    ExitBadInput = 3,        // a bad file or bad arguments
    ExitVersionMismatch = 4, // the unit's parameter format version is not this tool's
};

enum class Command { None, Ports, Info, Read, Verify, Program, Monitor, Diff };

struct CliOptions {
    Command Which = Command::None;
    bool Help = false;
    bool Version = false;
    bool Json = false;
    bool Csv = false;
    bool NoHistory = false;            // --no-history: read, verify, program keep no entries
    std::string Port;                  // --port: a device path or COMn
    std::string Output;                // read -o
    std::vector<std::string> Operands; // files (verify, program), A and B (diff)
    std::optional<double> Duration;    // monitor --duration, seconds
};

// The parsed command line, or why it is refused (Error non-empty).
struct ParsedCommandLine {
    CliOptions Options;
    std::string Error;
};

// Parses the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text of a command (Command::None: the program's overview).
std::string UsageText(Command command);

// The name of a command as typed.
std::string CommandName(Command command);

} // namespace dorv::cli
