// Operations on a rectangle of the servo table and its text for the clipboard, on shown values.
#include "TableOperations.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

namespace dorv {

namespace {

// The position of i between first and last as a fraction 0..1; 0 when they are the same, so a
// rectangle one cell wide takes its first value and never divides by zero.
double Fraction(int i, int first, int last) {
    return last == first ? 0.0 : double(i - first) / double(last - first);
}

double Between(double a, double b, double t) {
    return a + (b - a) * t;
}

// The value before rounding that the operation gives the cell (r, c); `from` is the table before.
double Result(const CellValues& from, const TableRect& rect, TableOperation operation,
              double amount, int r, int c) {
    const double v = from[r][c];
    switch (operation) {
    case TableOperation::Set:
        return amount;
    case TableOperation::Add:
        return v + amount;
    case TableOperation::Scale:
        return v * amount / 100.0;
    case TableOperation::InterpolateHorizontal:
        return Between(from[r][rect.Left], from[r][rect.Right], Fraction(c, rect.Left, rect.Right));
    case TableOperation::InterpolateVertical:
        return Between(from[rect.Top][c], from[rect.Bottom][c], Fraction(r, rect.Top, rect.Bottom));
    case TableOperation::InterpolateBilinear: {
        const double across = Fraction(c, rect.Left, rect.Right);
        const double top = Between(from[rect.Top][rect.Left], from[rect.Top][rect.Right], across);
        const double bottom =
            Between(from[rect.Bottom][rect.Left], from[rect.Bottom][rect.Right], across);
        return Between(top, bottom, Fraction(r, rect.Top, rect.Bottom));
    }
    case TableOperation::Smooth: {
        double sum = 0;
        int count = 0;
        for (int i = std::max(rect.Top, r - 1); i <= std::min(rect.Bottom, r + 1); ++i)
            for (int k = std::max(rect.Left, c - 1); k <= std::min(rect.Right, c + 1); ++k) {
                sum += from[i][k];
                ++count;
            }
        return sum / count;
    }
    }
    return v;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n\v\f");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// A throttle row label as the copy writes it: a number followed by "%".
bool IsPerCentLabel(const std::string& field) {
    const std::string text = Trimmed(field);
    double ignored = 0;
    return text.size() > 1 && text.back() == '%' &&
           ParseShownNumber(text.substr(0, text.size() - 1), ignored);
}

} // namespace

long long RoundToStep(double v, const EditorRange& range) {
    const double step = range.Step > 0 ? range.Step : 1;
    return static_cast<long long>(std::llround(v / step)) * static_cast<long long>(step);
}

int ApplyTableOperation(CellValues& cells, const TableRect& rect, const EditorRange& range,
                        TableOperation operation, double amount) {
    const CellValues from = cells;
    int clamped = 0;
    for (int r = rect.Top; r <= rect.Bottom; ++r)
        for (int c = rect.Left; c <= rect.Right; ++c) {
            const double result = Result(from, rect, operation, amount, r, c);
            const long long rounded = std::isfinite(result) ? RoundToStep(result, range) : 0;
            const long long kept = std::clamp<long long>(rounded, range.Min, range.Max);
            clamped += kept != rounded || !std::isfinite(result) ? 1 : 0;
            cells[r][c] = static_cast<int>(kept);
        }
    return clamped;
}

std::string TableText(const ServoTableModel& model, const TableRect& rect, bool headers) {
    std::ostringstream text;
    if (headers) {
        for (int c = rect.Left; c <= rect.Right; ++c)
            text << '\t' << model.Rpm[c];
        text << '\n';
    }
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        if (headers)
            text << ThrottleRowAxis[r] << "%\t";
        for (int c = rect.Left; c <= rect.Right; ++c)
            text << (c > rect.Left ? "\t" : "") << model.Cells[r][c];
        text << '\n';
    }
    return text.str();
}

bool ParseShownNumber(const std::string& text, double& value) {
    std::string digits;
    bool negative = false;
    std::string trimmed = Trimmed(text);
    if (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+')) {
        negative = trimmed[0] == '-';
        trimmed.erase(0, 1);
    }
    // Blanks (also the no-break space in UTF-8) and apostrophes group thousands.
    for (std::string::size_type i = 0; i < trimmed.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(trimmed[i]);
        if (ch == ' ' || ch == '\'')
            continue;
        if (ch == 0xC2 && i + 1 < trimmed.size() &&
            static_cast<unsigned char>(trimmed[i + 1]) == 0xA0) {
            ++i;
            continue;
        }
        if (!std::isdigit(ch) && ch != '.' && ch != ',')
            return false;
        digits += static_cast<char>(ch);
    }
    if (digits.empty() || !std::isdigit(static_cast<unsigned char>(digits.front())))
        return false;
    const auto commas = std::count(digits.begin(), digits.end(), ',');
    const auto points = std::count(digits.begin(), digits.end(), '.');
    // The decimal mark: the last separator when both kinds are used; a lone separator unless three
    // digits follow it ("2,000" is two thousand, "2,5" two and a half); none when one kind repeats.
    char decimal = 0;
    if (commas > 0 && points > 0) {
        decimal = digits[digits.find_last_of(".,")];
        if (std::count(digits.begin(), digits.end(), decimal) > 1)
            return false;
    } else if (commas + points == 1) {
        const auto at = digits.find_first_of(".,");
        if (digits.size() - at - 1 != 3)
            decimal = digits[at];
    }
    std::string plain;
    for (const char ch : digits) {
        if (ch == decimal)
            plain += '.';
        else if (ch != '.' && ch != ',')
            plain += ch;
    }
    if (plain.back() == '.')
        return false;
    // Groups of three digits after every thousands separator.
    if (decimal == 0 || (commas > 0 && points > 0)) {
        const char group = decimal == '.' ? ',' : (decimal == ',' ? '.' : (commas ? ',' : '.'));
        const std::string whole = decimal ? digits.substr(0, digits.find(decimal)) : digits;
        const auto parts = Split(whole, group);
        for (std::size_t i = 1; i < parts.size(); ++i)
            if (parts[i].size() != 3)
                return false;
        if (parts.size() > 1 && (parts[0].empty() || parts[0].size() > 3))
            return false;
    }
    value = std::strtod(plain.c_str(), nullptr);
    if (negative)
        value = -value;
    return true;
}

PastedBlock ReadPastedText(const std::string& text, TableCell at, const TableRect& bounds,
                           const EditorRange& range) {
    PastedBlock block;
    if (at.Row == RpmRow) {
        block.Error = PasteError::NoCell;
        return block;
    }
    std::vector<std::vector<std::string>> lines;
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(Split(line, '\t'));
    }
    while (!lines.empty() && lines.back().size() == 1 && Trimmed(lines.back()[0]).empty())
        lines.pop_back();
    if (lines.empty()) {
        block.Error = PasteError::Empty;
        return block;
    }
    // A first column of throttle labels (the corner may be anything), every line with values.
    bool headerColumn = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string first = Trimmed(lines[i][0]);
        const bool label = first.empty() || IsPerCentLabel(first) || (i == 0 && lines.size() > 1);
        headerColumn = headerColumn && label && lines[i].size() > 1;
    }
    double ignored = 0;
    const bool headerRow =
        lines.size() > 1 &&
        (headerColumn ? !IsPerCentLabel(lines[0][0])
                      : (Trimmed(lines[0][0]).empty() || !ParseShownNumber(lines[0][0], ignored)));
    if (headerRow)
        lines.erase(lines.begin());
    if (headerColumn)
        for (auto& line : lines)
            line.erase(line.begin());
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.size());
    if (lines.empty() || width == 0) {
        block.Error = PasteError::Empty;
        return block;
    }
    block.Rect = {at.Row, at.Column, at.Row + int(lines.size()) - 1, at.Column + int(width) - 1};
    if (block.Rect.Bottom > bounds.Bottom || block.Rect.Right > bounds.Right ||
        at.Row < bounds.Top || at.Column < bounds.Left) {
        block.Error = PasteError::PastEdge;
        return block;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<int> values;
        for (std::size_t k = 0; k < width; ++k) {
            const std::string field = k < lines[i].size() ? lines[i][k] : std::string();
            double value = 0;
            const TableCell cell{at.Row + int(i), at.Column + int(k)};
            if (!ParseShownNumber(field, value)) {
                block.Error = PasteError::NotNumber;
            } else if (const long long rounded = RoundToStep(value, range);
                       rounded < range.Min || rounded > range.Max) {
                block.Error = PasteError::OutOfRange;
            } else {
                values.push_back(static_cast<int>(rounded));
                continue;
            }
            block.BadCell = cell;
            block.BadText = Trimmed(field);
            block.Values.clear();
            return block;
        }
        block.Values.push_back(std::move(values));
    }
    return block;
}

void ApplyPastedBlock(CellValues& cells, const PastedBlock& block) {
    if (block.Error != PasteError::None)
        return;
    for (int r = block.Rect.Top; r <= block.Rect.Bottom; ++r)
        for (int c = block.Rect.Left; c <= block.Rect.Right; ++c)
            cells[r][c] = block.Values[r - block.Rect.Top][c - block.Rect.Left];
}

} // namespace dorv
