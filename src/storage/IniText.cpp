// The text logic of INI profile files: finding and setting one key of one section.
#include "IniText.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace dorv {

namespace {

// One line of the text: where it starts, its content without the line end, and where the next
// line starts.
struct Line {
    std::size_t Begin;
    std::string_view Content;
    std::size_t End; // just after the line end
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t newline = text.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        std::string_view content =
            text.substr(begin, (newline == std::string_view::npos ? end : newline) - begin);
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);
        lines.push_back({begin, content, end});
        begin = end;
    }
    return lines;
}

std::string_view Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool IsComment(std::string_view trimmed) {
    return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#');
}

// The section name of a header line "[name]", or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view content) {
    const std::string_view trimmed = Trimmed(content);
    if (trimmed.empty() || trimmed[0] != '[')
        return std::nullopt;
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trimmed(trimmed.substr(1, close - 1));
}

// The key of an entry line "key=value", or nothing for any other line.
std::optional<std::string_view> EntryKey(std::string_view content) {
    const std::string_view trimmed = Trimmed(content);
    if (trimmed.empty() || IsComment(trimmed) || SectionName(content))
        return std::nullopt;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return Trimmed(trimmed.substr(0, equals));
}

// Where a section lies among the lines: its header line and the lines up to the next header.
struct SectionSpan {
    std::size_t Header;
    std::size_t End; // index of the line after the section's last line
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = SectionName(lines[i].Content);
        if (!name || !SameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end].Content))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindEntry(const std::vector<Line>& lines, const SectionSpan& span,
                                     std::string_view key) {
    for (std::size_t i = span.Header + 1; i < span.End; ++i) {
        const std::optional<std::string_view> name = EntryKey(lines[i].Content);
        if (name && SameName(*name, key))
            return i;
    }
    return std::nullopt;
}

std::string_view LineEndOf(std::string_view text) {
    const std::size_t newline = text.find('\n');
    return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n"
                                                                                         : "\n";
}

// The text with `insertion` put at `position`; a line that ends the text without a line end
// gets one first.
std::string InsertLines(std::string_view text, std::size_t position, std::string_view insertion) {
    std::string result(text.substr(0, position));
    if (!result.empty() && result.back() != '\n')
        result += LineEndOf(text);
    result += insertion;
    result += text.substr(position);
    return result;
}

bool HasLineEnd(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const std::optional<SectionSpan> span = FindSection(lines, section);
    if (!span)
        return std::nullopt;
    const std::optional<std::size_t> entry = FindEntry(lines, *span, key);
    if (!entry)
        return std::nullopt;
    const std::string_view content = Trimmed(lines[*entry].Content);
    return std::string(Trimmed(content.substr(content.find('=') + 1)));
}

std::optional<std::string> ProfileEntryProblem(std::string_view section, std::string_view key,
                                               std::string_view value) {
    if (Trimmed(section).empty() || HasLineEnd(section) ||
        section.find(']') != std::string_view::npos)
        return "The section name \"" + std::string(section) + "\" cannot be written.";
    if (Trimmed(key).empty() || HasLineEnd(key) || key.find('=') != std::string_view::npos ||
        IsComment(Trimmed(key)) || Trimmed(key)[0] == '[')
        return "The key \"" + std::string(key) + "\" cannot be written.";
    if (HasLineEnd(value))
        return "The value of \"" + std::string(key) + "\" holds a line end and cannot be written.";
    return std::nullopt;
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string_view lineEnd = LineEndOf(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
    const std::vector<Line> lines = SplitLines(text);
    const std::optional<SectionSpan> span = FindSection(lines, section);
    if (!span)
        return InsertLines(text, text.size(),
                           "[" + std::string(section) + "]" + std::string(lineEnd) + entry +
                               std::string(lineEnd));
    if (const std::optional<std::size_t> found = FindEntry(lines, *span, key)) {
        const Line& line = lines[*found];
        std::string result(text.substr(0, line.Begin));
        result += entry;
        result += text.substr(line.Begin + line.Content.size());
        return result;
    }
    std::size_t last = span->Header; // the last line of the section that is not blank
    for (std::size_t i = span->Header + 1; i < span->End; ++i)
        if (!Trimmed(lines[i].Content).empty())
            last = i;
    return InsertLines(text, lines[last].End, entry + std::string(lineEnd));
}

std::optional<int> ParseProfileInteger(std::string_view text) {
    std::string_view s = Trimmed(text);
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    unsigned base = 10;
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    std::int64_t value = 0;
    constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (char c : s) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f')
            digit = static_cast<unsigned>(Lower(c) - 'a' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > Limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace dorv
