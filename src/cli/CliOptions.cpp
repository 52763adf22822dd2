// The command line of dorv-cli: parsing, the checks of each command's operands, usage texts.
#include "CliOptions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace dorv::cli {

namespace {

constexpr std::array<std::pair<Command, const char*>, 7> Names = {{
    {Command::Ports, "ports"},
    {Command::Info, "info"},
    {Command::Read, "read"},
    {Command::Verify, "verify"},
    {Command::Program, "program"},
    {Command::Monitor, "monitor"},
    {Command::Diff, "diff"},
}};

std::optional<Command> CommandOf(const std::string& word) {
    for (const auto& [command, name] : Names)
        if (word == name)
            return command;
    return std::nullopt;
}

bool NeedsPort(const CliOptions& o) {
    switch (o.Which) {
    case Command::Info:
    case Command::Read:
    case Command::Verify:
    case Command::Program:
    case Command::Monitor:
        return true;
    case Command::Diff:
        return o.Operands.size() == 2 && (o.Operands[0] == "unit" || o.Operands[1] == "unit");
    case Command::Ports:
    case Command::None:
        break;
    }
    return false;
}

std::size_t OperandCount(Command command) {
    switch (command) {
    case Command::Verify:
    case Command::Program:
        return 1;
    case Command::Diff:
        return 2;
    default:
        return 0;
    }
}

// The commands that keep what they saw of the unit in the image history.
bool KeepsHistory(Command command) {
    return command == Command::Read || command == Command::Verify || command == Command::Program;
}

// The checks that need the whole line: operands, the options each command takes.
std::string CheckCommand(const CliOptions& o) {
    const std::string name = CommandName(o.Which);
    if (o.Operands.size() != OperandCount(o.Which))
        return name + ": expected " + std::to_string(OperandCount(o.Which)) +
               " file operand(s), got " + std::to_string(o.Operands.size());
    if (NeedsPort(o) && o.Port.empty())
        return name + ": --port is required";
    if (o.Which == Command::Read && o.Output.empty())
        return "read: -o FILE is required";
    if (o.Which != Command::Read && !o.Output.empty())
        return name + ": -o is only for read";
    if (o.Which != Command::Monitor && (o.Csv || o.Duration))
        return name + ": --csv and --duration are only for monitor";
    if (o.NoHistory && !KeepsHistory(o.Which))
        return name + ": --no-history is only for read, verify and program";
    if (o.Csv && o.Json)
        return "monitor: --csv and --json exclude each other";
    return {};
}

} // namespace

std::string CommandName(Command command) {
    for (const auto& [c, name] : Names)
        if (c == command)
            return name;
    return "dorv-cli";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    CliOptions& o = parsed.Options;
    const auto fail = [&parsed](std::string error) {
        parsed.Error = std::move(error);
        return parsed;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size())
                return false;
            into = arguments[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.Help = true;
        } else if (a == "--version") {
            o.Version = true;
        } else if (a == "--json") {
            o.Json = true;
        } else if (a == "--csv") {
            o.Csv = true;
        } else if (a == "--no-history") {
            o.NoHistory = true;
        } else if (a == "--port" || a == "-p") {
            if (!value(o.Port) || o.Port.empty())
                return fail(a + " needs a device or COMn");
        } else if (a == "-o" || a == "--output") {
            if (!value(o.Output) || o.Output.empty())
                return fail(a + " needs a file name");
        } else if (a == "--duration") {
            std::string text;
            if (!value(text))
                return fail("--duration needs a number of seconds");
            double seconds = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), seconds);
            if (error != std::errc() || end != text.data() + text.size() ||
                !std::isfinite(seconds) || seconds <= 0)
                return fail("--duration needs a positive number of seconds, not \"" + text + "\"");
            o.Duration = seconds;
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a);
        } else if (o.Which == Command::None) {
            const auto command = CommandOf(a);
            if (!command)
                return fail("unknown command \"" + a + "\"");
            o.Which = *command;
        } else {
            o.Operands.push_back(a);
        }
    }
    if (o.Help || o.Version)
        return parsed;
    if (o.Which == Command::None)
        return fail("no command given");
    parsed.Error = CheckCommand(o);
    return parsed;
}

std::string UsageText(Command command) {
    switch (command) {
    case Command::Ports:
        return "usage: dorv-cli ports [--json]\n"
               "  The serial devices present, their stable /dev/serial/by-id names and the COM\n"
               "  numbers that DORV.ini [PORTS] maps to them.\n";
    case Command::Info:
        return "usage: dorv-cli info --port P [--json]\n"
               "  The unit's identity, its programming count and one set of live values.\n";
    case Command::Read:
        return "usage: dorv-cli read --port P -o FILE.ign [--json] [--no-history]\n"
               "  Reads the unit's parameters into FILE.ign. The file is written in one step:\n"
               "  on any failure no file is left behind and an existing one is kept.\n"
               "  The image read is kept in the history (a \"read\" entry) unless --no-history.\n";
    case Command::Verify:
        return "usage: dorv-cli verify --port P FILE.ign [--json] [--no-history]\n"
               "  Compares the unit with FILE.ign; exit status 1 when they differ. A unit that\n"
               "  differs is kept in the history (\"unit-differs\") unless --no-history.\n";
    case Command::Program:
        return "usage: dorv-cli program --port P FILE.ign [--json] [--no-history]\n"
               "  Programs FILE.ign into the unit, then verifies; exit status 0 only when the\n"
               "  unit then holds the file's parameters. The unit's image is kept in the\n"
               "  history (\"programmed\", or \"unit-differs\" when it holds something else)\n"
               "  unless --no-history.\n";
    case Command::Monitor:
        return "usage: dorv-cli monitor --port P [--csv | --json] [--duration SECONDS]\n"
               "  Live values, one line per monitor frame, until the duration has passed or\n"
               "  Ctrl+C.\n";
    case Command::Diff:
        return "usage: dorv-cli diff A B [--port P] [--json]\n"
               "  Differences between two parameter sets by name. A and B are .ign files or\n"
               "  the word unit (the unit on --port); exit status 1 when they differ.\n";
    case Command::None:
        break;
    }
    return "usage: dorv-cli COMMAND [options]\n"
           "Commands: ports, info, read, verify, program, monitor, diff\n"
           "  --port P     a device (/dev/ttyUSB0, /dev/serial/by-id/...) or COMn, which\n"
           "               DORV.ini [PORTS] maps as the window does\n"
           "  --json       machine-readable output\n"
           "  --no-history keep no entries in the image history (read, verify, program)\n"
           "  --help       this text; COMMAND --help tells about one command\n"
           "  --version    the program's version\n"
           "Progress goes to standard error.\n"
           "read, verify and program keep the unit's image in the window's history folder,\n"
           "$XDG_DATA_HOME/DORV/history (~/.local/share/DORV/history); a write that fails is\n"
           "told on standard error and changes nothing else.\n"
           "Exit status: 0 success, 1 the parameters differ, 2 port or unit trouble (cannot\n"
           "open, no answer, cable pulled), 3 bad file or arguments, 4 the unit's parameter\n"
           "format version does not match; 128 + the signal after Ctrl+C or SIGTERM.\n";
}

} // namespace dorv::cli
