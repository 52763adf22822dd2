// The text logic of INI profile files: finding and setting one key of one section.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorv {

// The value of `key` in `section`, trimmed of blanks and tabs, or nothing when the section or
// the key is missing. Section and key names match without regard to ASCII case; the first
// section of that name and its first line of that key count. Lines starting with ';' or '#'
// are comments. Line ends may be LF or CR LF.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// Why a section, key or value cannot be written into an INI file (a line end in a value, an
// '=' in a key, ...), or nothing when it can.
std::optional<std::string> ProfileEntryProblem(std::string_view section, std::string_view key,
                                               std::string_view value);

// The text with `key` of `section` set to `value`, written exactly as given ("key=value").
// An existing line of that key is replaced in place; a new key goes after the last entry of
// its section; a new section is added at the end. Every other line stays byte for byte. New
// lines take the line end the text already uses (LF for an empty text). The entry must pass
// ProfileEntryProblem.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// An integer as the profile stores it: optional blanks, an optional sign, then decimal digits,
// or hexadecimal digits after "0x" or "$". Nothing when the text is not such an integer or does
// not fit in an int.
std::optional<int> ParseProfileInteger(std::string_view text);

} // namespace dorv
