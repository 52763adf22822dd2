// The entries dorv-cli keeps in the image history folder, and how a failed write is told.
#pragma once

#include "History.h"

#include <string>

namespace dorv::cli {

// Writes an entry of the kind with the unit's image into HistoryFolderPath(), the window's
// folder, with file (as typed on the command line) as its file name; no programming count (the
// command line reads no live values around a transfer). A write that fails is told in one line
// on standard error and changes nothing else.
void KeepInHistory(HistoryKind kind, const ParameterImage& image, const std::string& file);

} // namespace dorv::cli
