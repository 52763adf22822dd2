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

} // namespace dorv
