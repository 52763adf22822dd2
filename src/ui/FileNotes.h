// What the window tells the user about its own files: a damaged parameter store, a configuration
// folder that cannot keep anything, a save at exit that failed, a second copy of the program.
#pragma once

#include <QString>

#include "ConfigFolder.h"
#include "Jazyk2.h"
#include "StorageFiles.h"

namespace dorv {

// The note about the parameter store read at start-up; empty when it was whole or missing.
QString SettingsDataNote(const SettingsDataLoad& load, const QString& path, Language language);

// The note that settings and parameters will not be kept, and why; empty without trouble.
QString ConfigTroubleNote(const ConfigCheck& check, Language language);
// The short form for the status bar.
QString ConfigTroubleShort(Language language);

// The note that saving at exit failed: what could not be written and the system's reason.
QString SaveFailedNote(const QString& path, const QString& reason, Language language);

// The note that the program already runs on this configuration folder (pid 0: not known).
QString AlreadyRunningNote(const QString& folder, qint64 pid, Language language);

// Takes the configuration folder's lock for this run. When another copy of the program holds it,
// tells so (standard error and a box, in the language the stored settings and the command line
// give) and returns false: this run must end without writing anything. A folder that cannot be
// locked is left to the start-up's own note that nothing will be kept.
bool HoldConfigFolder(ConfigFolderLock& lock);

} // namespace dorv
