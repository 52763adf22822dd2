// The image history's names, sidecar text and retention rule, as pure functions.
#include "HistoryText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace dorv {

namespace {

constexpr std::array<std::string_view, 6> KindWords{"read",        "programmed",  "unit-differs",
                                                    "before-read", "before-open", "before-new"};

// Digits [from, from + count) of text as a number; nothing when any is no digit.
std::optional<int> DigitsAt(std::string_view text, std::size_t from, std::size_t count) {
    if (from + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<int> NumberOf(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string Trimmed(std::string text) {
    const auto blank = [](char c) { return c == ' '; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    const auto first = std::ranges::find_if_not(text, blank);
    return std::string(first, text.end());
}

// Bytes of the identity block that are no printable ASCII become '?': the block comes from the
// unit and may hold anything.
std::string Printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            c = '?';
    return text;
}

std::string Escaped(std::string_view value) {
    std::string out;
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

} // namespace

std::string_view HistoryKindWord(HistoryKind kind) {
    return KindWords[static_cast<std::size_t>(kind)];
}

std::optional<HistoryKind> HistoryKindOfWord(std::string_view word) {
    for (std::size_t k = 0; k < KindWords.size(); ++k)
        if (KindWords[k] == word)
            return static_cast<HistoryKind>(k);
    return std::nullopt;
}

std::string HistoryStampPrefix(const HistoryStamp& s) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%03d", s.Year, s.Month, s.Day,
                  s.Hour, s.Minute, s.Second, s.Millisecond);
    return text;
}

std::string HistoryEntryStem(const HistoryStamp& stamp, HistoryKind kind) {
    return HistoryStampPrefix(stamp) + '-' + std::string(HistoryKindWord(kind));
}

std::optional<HistoryName> ParseHistoryStem(std::string_view stem) {
    // "YYYYMMDD-HHMMSS-mmm-" is 20 characters.
    constexpr std::size_t KindAt = 20;
    if (stem.size() <= KindAt || stem[8] != '-' || stem[15] != '-' || stem[19] != '-')
        return std::nullopt;
    const auto year = DigitsAt(stem, 0, 4), month = DigitsAt(stem, 4, 2),
               day = DigitsAt(stem, 6, 2);
    const auto hour = DigitsAt(stem, 9, 2), minute = DigitsAt(stem, 11, 2);
    const auto second = DigitsAt(stem, 13, 2), ms = DigitsAt(stem, 16, 3);
    const auto kind = HistoryKindOfWord(stem.substr(KindAt));
    if (!year || !month || !day || !hour || !minute || !second || !ms || !kind)
        return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 || *minute > 59 ||
        *second > 60)
        return std::nullopt;
    HistoryName name;
    name.Stamp = {*year, *month, *day, *hour, *minute, *second, *ms, 0};
    name.Kind = *kind;
    return name;
}

std::string HistoryTimeText(const HistoryStamp& s) {
    const int offset = s.UtcOffsetSeconds;
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d %c%02d:%02d", s.Year,
                  s.Month, s.Day, s.Hour, s.Minute, s.Second, s.Millisecond, offset < 0 ? '-' : '+',
                  minutes / 60, minutes % 60);
    return text;
}

std::string HistoryUnit::Text() const {
    if (!Known())
        return {};
    return ProgramName + ' ' + BuildDate + ' ' + BuildTime + " v" + std::to_string(FormatVersion);
}

HistoryUnit HistoryUnitOf(const ParameterImage& image) {
    const auto block = image.Block(0);
    if (std::ranges::all_of(block, [](Byte b) { return b == 0; }))
        return {};
    const IdentityTexts texts = DecodeIdentityBlock(image);
    HistoryUnit unit;
    unit.ProgramName = Trimmed(Printable(texts.VersionText));
    unit.BuildDate = Trimmed(texts.DateText);
    unit.BuildTime = texts.TimeText;
    unit.FormatVersion = image.FormatVersion();
    if (unit.ProgramName.empty())
        unit.ProgramName = "?";
    return unit;
}

std::string SidecarText(const HistorySidecar& s) {
    std::string text;
    const auto line = [&text](std::string_view key, std::string_view value) {
        text += key;
        text += '=';
        text += Escaped(value);
        text += '\n';
    };
    line("time", s.Time);
    line("kind", HistoryKindWord(s.Kind));
    line("program", s.Unit.ProgramName);
    line("build-date", s.Unit.BuildDate);
    line("build-time", s.Unit.BuildTime);
    line("version", s.Unit.Known() ? std::to_string(s.Unit.FormatVersion) : std::string());
    line("programming-count", s.ProgramCount ? std::to_string(*s.ProgramCount) : std::string());
    line("file", s.FileName);
    line("note", s.Note);
    line("pinned", s.Pinned ? "1" : "0");
    return text;
}

std::optional<HistorySidecar> ReadSidecarText(std::string_view text) {
    HistorySidecar s;
    bool hasTime = false;
    bool hasKind = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::optional<std::string> value = Unescaped(line.substr(equals + 1));
        if (!value)
            return std::nullopt;
        if (key == "time") {
            s.Time = *value;
            hasTime = !value->empty();
        } else if (key == "kind") {
            const auto kind = HistoryKindOfWord(*value);
            if (!kind)
                return std::nullopt;
            s.Kind = *kind;
            hasKind = true;
        } else if (key == "program") {
            s.Unit.ProgramName = *value;
        } else if (key == "build-date") {
            s.Unit.BuildDate = *value;
        } else if (key == "build-time") {
            s.Unit.BuildTime = *value;
        } else if (key == "version") {
            const auto n = NumberOf(*value);
            if (!value->empty() && !n)
                return std::nullopt;
            s.Unit.FormatVersion = n.value_or(0);
        } else if (key == "programming-count") {
            const auto n = NumberOf(*value);
            if (!value->empty() && !n)
                return std::nullopt;
            s.ProgramCount = n;
        } else if (key == "file") {
            s.FileName = *value;
        } else if (key == "note") {
            s.Note = *value;
        } else if (key == "pinned") {
            s.Pinned = *value == "1";
        }
    }
    if (!hasTime || !hasKind)
        return std::nullopt;
    return s;
}

std::vector<std::size_t> EntriesToRemove(std::span<const RetentionItem> oldestFirst, int maxEntries,
                                         std::int64_t maxBytes) {
    std::int64_t count = static_cast<std::int64_t>(oldestFirst.size());
    std::int64_t bytes = 0;
    for (const RetentionItem& item : oldestFirst)
        bytes += item.Bytes;
    std::vector<std::size_t> removed;
    // The newest entry is the one just written: it always stays.
    for (std::size_t i = 0; i + 1 < oldestFirst.size() && (count > maxEntries || bytes > maxBytes);
         ++i) {
        const RetentionItem& item = oldestFirst[i];
        if (item.Pinned || item.Damaged)
            continue;
        removed.push_back(i);
        --count;
        bytes -= item.Bytes;
    }
    return removed;
}

} // namespace dorv
