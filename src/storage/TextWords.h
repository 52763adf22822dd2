// Words and unsigned numbers of the system's text files: reading them and writing them in columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace dorv {

// Longest word kept whole; longer words are cut and marked, so no file can make a word grow
// without bound. No key word or number of the system comes near this length.
inline constexpr std::size_t MaxWordLength = 275;

struct Word {
    std::string Text; // at most MaxWordLength characters
    bool Overlong = false;
    int Line = 1; // line on which the word starts, counted from 1
};

// Splits a stream into runs of non-blank characters. Blanks, tabs, form feeds and line ends of
// either kind separate words.
class WordReader {
public:
    explicit WordReader(std::istream& in) : buf_(in.rdbuf()) {}

    // The next word, or nothing at the end of the stream.
    std::optional<Word> Next();
    // Makes the given word the next one Next() returns.
    void PutBack(Word word) { pending_ = std::move(word); }

private:
    std::streambuf* buf_;
    std::optional<Word> pending_;
    int line_ = 1;
};

// An unsigned decimal number made of digits only that fits in 32 bits; anything else is nothing.
std::optional<std::uint32_t> ParseUnsignedNumber(const Word& word);

// An unsigned number right-aligned in `width` columns (wider numbers are written whole).
std::string RightAligned(unsigned value, std::size_t width);
// An unsigned number in five columns followed by one blank.
std::string FiveColumns(unsigned value);

// A word as it may be shown in a message: cut to a readable length, unprintable bytes as '?'.
std::string QuotedWord(std::string_view text);

} // namespace dorv
