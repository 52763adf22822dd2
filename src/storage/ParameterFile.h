// The .ign parameter file: its writer and its reader over text streams.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "ParameterImage.h"

namespace dorv {

// How reading a parameter file ended.
enum class ParameterFileStatus {
    Accepted,     // the file's fields were applied to the copy
    CannotOpen,   // the file could not be opened or read (MsgOpenFileError)
    WrongKey,     // no key line "KORVALEX_KEY" 56 (MsgFileVersionMismatch)
    BadContent,   // an accepted key line, but numbers missing or malformed, or not a text file
    Empty,        // no word at all: an empty file, or blanks only
    NoParameters, // an accepted key line, but no key word of a parameter after it
};

// Why a file was refused, with what the window needs to tell it in its language.
enum class ParameterFileRefusal {
    None,
    CannotRead,    // missing, unreadable, not a regular file or larger than the limit
    NoKeyLine,     // no key line with the file format's number
    EndsInNumbers, // the file ends before all numbers of KeyWord
    NotANumber,    // FoundWord on line FoundLine stands where a number of KeyWord belongs
    Empty,         // no word at all
    NoParameters,  // a key line and no parameter after it
};

struct RefusalFacts {
    ParameterFileRefusal Kind = ParameterFileRefusal::None;
    std::string KeyWord;   // the key word whose numbers are missing
    int KeyWordLine = 0;   // its line, counted from 1
    int NumberCount = 0;   // how many numbers it needs
    std::string FoundWord; // what stands in place of a number, quoted and shortened
    int FoundLine = 0;     // its line
};

// Facts of a refusal that has no more to tell than its kind.
inline RefusalFacts RefusalOf(ParameterFileRefusal kind) {
    RefusalFacts facts;
    facts.Kind = kind;
    return facts;
}

struct ParameterFileResult {
    ParameterFileStatus Status = ParameterFileStatus::WrongKey;
    // The image to apply: the current image with the file's fields when accepted,
    // otherwise the current image unchanged.
    ParameterImage Image;
    // Why a file was refused, in plain English (empty when accepted).
    std::string Detail;
    // The same, as facts for the window's own texts.
    RefusalFacts Refusal;

    bool Accepted() const { return Status == ParameterFileStatus::Accepted; }
};

// The whole file as written: 33 lines with CR LF, the last one without a line end.
std::string ParameterFileText(const ParameterImage& image);

// Writes the fields the file carries. The caller opens and closes the stream (binary mode).
void WriteParameterFile(const ParameterImage& image, std::ostream& out);

// Reads a parameter file into a copy of `current`. The per-cent mode that divides each
// servo table is the one the copy holds when that table's key word is read. Words before the
// accepted key line are never applied. A refused file leaves the result's image equal to
// `current`.
ParameterFileResult ReadParameterFile(const ParameterImage& current, std::istream& in);

} // namespace dorv
