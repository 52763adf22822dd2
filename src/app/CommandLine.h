// The command-line options answered without a display: --help and --version, as plain text.
#pragma once

#include <cstdio>
#include <optional>

namespace dorv {

// When an argument asks for the help or the version, writes it to out and gives the exit code;
// otherwise nothing, and the program starts its window. Needs no Qt application object.
std::optional<int> AnswerInfoOption(int argc, const char* const* argv, std::FILE* out);

} // namespace dorv
