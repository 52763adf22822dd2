// Where the tool keeps its settings file, settings data file and test marker.
#pragma once

#include <QString>

namespace dorv {

inline constexpr char SettingsFileName[] = "DORV.ini";
inline constexpr char SettingsDataFileName[] = "_DORV.ini"; // "_" and the settings file name
inline constexpr char TestMarkerFileName[] = "test_tomble.txt";

// $XDG_CONFIG_HOME/DORV when that variable holds an absolute path, else ~/.config/DORV.
// The folder is not created here; the first write creates it.
QString ConfigFolderPath();

// A file of the configuration folder.
QString ConfigFilePath(const QString& name);

// Why the configuration folder cannot keep the settings and parameters of a run.
enum class ConfigTrouble {
    None,
    NotAFolder,        // a plain file, or a link that leads nowhere, stands where the folder should
    CannotCreate,      // the folder is missing and cannot be made where it should be
    FolderNotWritable, // the folder is there, but files in it cannot be written
    SettingsUnreadable, // DORV.ini is there but cannot be read (or is not a plain file)
    SettingsTooLarge,   // DORV.ini is larger than a settings file can be
    FileNotWritable,    // DORV.ini or _DORV.ini is there but cannot be replaced
};

struct ConfigCheck {
    ConfigTrouble Trouble = ConfigTrouble::None;
    QString Path; // the folder or file the trouble is with
};

// Checks, without writing anything, whether the folder can keep DORV.ini and _DORV.ini.
ConfigCheck CheckConfigFolder(const QString& folder = ConfigFolderPath());

} // namespace dorv
