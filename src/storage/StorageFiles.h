// The file steps of Save and Open, and of the settings data and test marker files.
#pragma once

#include <QString>

#include "FileSystem.h"
#include "ParameterFile.h"
#include "SettingsData.h"

namespace dorv {

// Writes the parameter file of `image` at `path`, replacing an existing file atomically. On
// failure (MsgOpenFileError) the old file is whole and the caller changes nothing else.
FileWriteResult SaveParameterFile(const QString& path, const ParameterImage& image);

// Opens and reads a parameter file into a copy of `current` (see ReadParameterFile).
// CannotOpen when the file is missing, unreadable or not a regular file.
ParameterFileResult OpenParameterFile(const QString& path, const ParameterImage& current);

// Fills the image and flags from the settings data file as far as it goes. False when the
// file is missing or unreadable; then nothing changes.
bool LoadSettingsData(const QString& path, ParameterImage& image, AllCellsFlags& flags);

// Writes the settings data file atomically; its folder is created when missing.
FileWriteResult SaveSettingsData(const QString& path, const ParameterImage& image,
                                 const AllCellsFlags& flags);

// True when the marker file exists and holds the whole word VIEW_EXTRAS.
bool ReadTestMarkerFile(const QString& path);

} // namespace dorv
