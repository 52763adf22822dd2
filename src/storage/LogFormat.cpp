// The CSV data log as text: its header, one line per sample, and the reader of such logs.
#include "LogFormat.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace dorv {

namespace {

constexpr int LogColumns = 15;
constexpr std::size_t LocalTimeLength = 23; // yyyy-MM-dd hh:mm:ss.zzz

// "12.345" from 12345 thousandths.
std::string Thousandths(std::int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03d", static_cast<long long>(value / 1000),
                  static_cast<int>(value % 1000));
    return text;
}

bool IsLocalTime(std::string_view text) {
    if (text.size() != LocalTimeLength)
        return false;
    constexpr std::string_view Shape = "dddd-dd-dd dd:dd:dd.ddd";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Shape[i] == 'd' ? !digit : text[i] != Shape[i])
            return false;
    }
    return true;
}

// A whole field of decimal digits, at most max.
std::optional<std::int64_t> Unsigned(std::string_view text, std::int64_t max) {
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max)
        return std::nullopt;
    return value;
}

// "12.345" as 12345; exactly three decimals.
std::optional<std::int64_t> ThousandthsOf(std::string_view text, std::int64_t max) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || text.size() - point != 4)
        return std::nullopt;
    const auto whole = Unsigned(text.substr(0, point), max / 1000);
    const auto part = Unsigned(text.substr(point + 1), 999);
    if (!whole || !part)
        return std::nullopt;
    return *whole * 1000 + *part;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

} // namespace

std::string LocalTimeText(std::int64_t msSinceEpoch) {
    const std::time_t seconds = static_cast<std::time_t>(msSinceEpoch / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(msSinceEpoch % 1000));
    return text;
}

std::string LogHeaderLine() {
    return std::string(LogHeader) + '\n';
}

std::string LogLine(const LogSample& s) {
    char text[MaxLogLineLength];
    std::snprintf(text, sizeof text, "%s,%s,%d,%d,%d,%s,%d,%d,%d,%d,%d,%d,%d,%d,",
                  s.LocalTime.c_str(), Thousandths(s.ElapsedMs).c_str(), s.Rpm, s.TpPercent, s.TpMv,
                  Thousandths(s.SupplyMv).c_str(), s.ServoDesiredMv[0], s.ServoMeasuredMv[0],
                  s.ServoDesiredMv[1], s.ServoMeasuredMv[1], s.Cell[0].Row + 1,
                  s.Cell[0].Column + 1, s.Cell[1].Row + 1, s.Cell[1].Column + 1);
    std::string line = text;
    if (s.Marker > 0)
        line += std::to_string(s.Marker);
    line += '\n';
    return line;
}

std::optional<LogSample> ParseLogLine(std::string_view line) {
    if (line.size() > MaxLogLineLength)
        return std::nullopt;
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != LogColumns || !IsLocalTime(f[0]))
        return std::nullopt;
    LogSample s;
    s.LocalTime = std::string(f[0]);
    const auto elapsed = ThousandthsOf(f[1], 1'000'000'000'000);
    const auto rpm = Unsigned(f[2], 65535);
    const auto tpPercent = Unsigned(f[3], 255);
    const auto tpMv = Unsigned(f[4], 65535);
    const auto supply = ThousandthsOf(f[5], 9'999'999);
    if (!elapsed || !rpm || !tpPercent || !tpMv || !supply)
        return std::nullopt;
    s.ElapsedMs = *elapsed;
    s.Rpm = static_cast<int>(*rpm);
    s.TpPercent = static_cast<int>(*tpPercent);
    s.TpMv = static_cast<int>(*tpMv);
    s.SupplyMv = static_cast<int>(*supply);
    for (int servo = 0; servo < ServoCount; ++servo) {
        const auto desired = Unsigned(f[6 + 2 * servo], 65535);
        const auto measured = Unsigned(f[7 + 2 * servo], 65535);
        const auto row = Unsigned(f[10 + 2 * servo], ThrottleRows);
        const auto column = Unsigned(f[11 + 2 * servo], RpmColumns);
        if (!desired || !measured || !row || !column || *row < 1 || *column < 1)
            return std::nullopt;
        s.ServoDesiredMv[servo] = static_cast<int>(*desired);
        s.ServoMeasuredMv[servo] = static_cast<int>(*measured);
        s.Cell[servo] = {.Column = static_cast<int>(*column) - 1,
                         .Row = static_cast<int>(*row) - 1};
    }
    if (!f[14].empty()) {
        const auto marker = Unsigned(f[14], 1'000'000'000);
        if (!marker || *marker < 1)
            return std::nullopt;
        s.Marker = static_cast<int>(*marker);
    }
    return s;
}

LogRead ReadLog(std::istream& in) {
    LogRead read;
    std::string line;
    int number = 0;
    while (true) {
        line.clear();
        bool ended = false;
        char c;
        while (in.get(c)) {
            if (c == '\n') {
                ended = true;
                break;
            }
            if (line.size() > MaxLogLineLength)
                break;
            line += c;
        }
        ++number;
        if (!ended && line.empty() && !in) {
            if (number == 1)
                read = {{}, LogReadStatus::NotALog, 1};
            return read;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1) {
            if (!ended || line != LogHeader)
                return {{}, LogReadStatus::NotALog, 1};
            continue;
        }
        if (!ended && !in && line.size() <= MaxLogLineLength) {
            read.Status = LogReadStatus::CutLine;
            read.Line = number;
            return read;
        }
        std::optional<LogSample> sample = ParseLogLine(line);
        if (!ended || !sample ||
            (!read.Samples.empty() && sample->ElapsedMs < read.Samples.back().ElapsedMs)) {
            read.Status = LogReadStatus::BadLine;
            read.Line = number;
            return read;
        }
        read.Samples.push_back(std::move(*sample));
    }
}

} // namespace dorv
