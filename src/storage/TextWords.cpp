// Words and unsigned numbers of the system's text files: reading them and writing them in columns.
#include "TextWords.h"

namespace dorv {

namespace {

bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

std::optional<Word> WordReader::Next() {
    if (pending_) {
        std::optional<Word> word = std::move(pending_);
        pending_.reset();
        return word;
    }
    if (buf_ == nullptr)
        return std::nullopt;
    using Traits = std::streambuf::traits_type;
    int c = buf_->sbumpc();
    while (c != Traits::eof() && IsBlank(c)) {
        if (c == '\n')
            ++line_;
        c = buf_->sbumpc();
    }
    if (c == Traits::eof())
        return std::nullopt;
    Word word;
    word.Line = line_;
    while (c != Traits::eof() && !IsBlank(c)) {
        if (word.Text.size() < MaxWordLength)
            word.Text.push_back(static_cast<char>(c));
        else
            word.Overlong = true;
        c = buf_->sbumpc();
    }
    if (c == '\n')
        ++line_;
    return word;
}

std::optional<std::uint32_t> ParseUnsignedNumber(const Word& word) {
    if (word.Overlong || word.Text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : word.Text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::string RightAligned(unsigned value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(width > digits.size() ? width - digits.size() : 0, ' ') + digits;
}

std::string FiveColumns(unsigned value) {
    return RightAligned(value, 5) + ' ';
}

std::string QuotedWord(std::string_view text) {
    constexpr std::size_t Shown = 40;
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size() && i < Shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        quoted.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    }
    if (text.size() > Shown)
        quoted += "...";
    return quoted + "\"";
}

} // namespace dorv
