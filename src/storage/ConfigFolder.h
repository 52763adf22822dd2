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

// $XDG_DATA_HOME/DORV when that variable holds an absolute path, else ~/.local/share/DORV: where
// the logs and the image history are kept. Not created here.
QString DataFolderPath();

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

// Holds the configuration folder for one running program, so that a second one on the same
// folder never overwrites the first one's files. The lock is the kernel's lock on the open file
// DORV.lock, which names the holder in the layout earlier versions of the tool read, so these see
// the folder held as well. The lock of a program that died is taken over: the kernel released it
// when the program ended. Nothing of the lock file is synced to the disk.
class ConfigFolderLock {
public:
    enum class State { Held, HeldByOther, Unavailable };

    explicit ConfigFolderLock(QString folder = ConfigFolderPath());
    ~ConfigFolderLock();
    ConfigFolderLock(const ConfigFolderLock&) = delete;
    ConfigFolderLock& operator=(const ConfigFolderLock&) = delete;

    // Makes the folder when missing and takes the lock. Unavailable when the folder cannot hold
    // a lock (it cannot be written: then nothing of this run is kept anyway).
    State TryLock();
    const QString& Folder() const { return folder_; }
    // The process that holds the lock, when HeldByOther and its lock file names one; else 0.
    qint64 HolderPid() const { return holderPid_; }

private:
    QString LockFilePath() const;

    QString folder_;
    int lockFd_ = -1; // open, and locked, while the lock is held
    qint64 holderPid_ = 0;
};

inline constexpr char ConfigLockFileName[] = "DORV.lock";

// Checks, without writing anything, whether the folder can keep DORV.ini and _DORV.ini.
ConfigCheck CheckConfigFolder(const QString& folder = ConfigFolderPath());

} // namespace dorv
