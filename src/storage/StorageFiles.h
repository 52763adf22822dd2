// The file steps of Save and Open, and of the settings data and test marker files.
#pragma once

#include <QString>

#include <string>

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

// What reading the settings data file found.
enum class SettingsDataDamage {
    None,          // all 402 numbers read
    Missing,       // no file yet: nothing to keep
    Unreadable,    // there, but not a regular file, or it cannot be read
    BadWord,       // a word that is not a number before the last number
    TooFewNumbers, // the file ends before the last number
    TooLarge,      // over the size limit, without its 402 numbers at its start
};

struct SettingsDataLoad {
    SettingsDataDamage Damage = SettingsDataDamage::None;
    int NumbersTaken = 0;
    std::string BadWord; // as it may be shown (BadWord only)
    int BadWordLine = 0;
    QString CopyPath; // the copy kept of a damaged file; empty when none could be made

    bool Damaged() const {
        return Damage != SettingsDataDamage::None && Damage != SettingsDataDamage::Missing;
    }
    // A damaged file is replaced only when a copy of it was kept.
    bool MayReplace() const { return !Damaged() || !CopyPath.isEmpty(); }
};

// Fills the image and flags from the settings data file as far as it can be trusted: the numbers
// before any damage; what was not reached keeps its value. A damaged file is copied beside
// itself (KeepDamagedCopy) before anything can replace it. A file over the size limit whose
// first 402 numbers are whole is read like any other.
SettingsDataLoad LoadSettingsData(const QString& path, ParameterImage& image, AllCellsFlags& flags);

// Writes the settings data file atomically; its folder is created when missing.
FileWriteResult SaveSettingsData(const QString& path, const ParameterImage& image,
                                 const AllCellsFlags& flags);

// True when the marker file exists and holds the whole word VIEW_EXTRAS.
bool ReadTestMarkerFile(const QString& path);

} // namespace dorv
