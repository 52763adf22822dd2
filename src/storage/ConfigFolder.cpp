// Where the tool keeps its settings file, settings data file and test marker.
#include "ConfigFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtGlobal>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Profile.h"

namespace dorv {

QString ConfigFolderPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/DORV"));
}

QString ConfigFilePath(const QString& name) {
    return ConfigFolderPath() + QLatin1Char('/') + name;
}

QString DataFolderPath() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/DORV"));
}

namespace {

bool MayWriteInto(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// The nearest folder on the way up from path that exists: where a missing folder would be made.
QString NearestExisting(QString path) {
    while (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

ConfigCheck CheckSettingsFiles(const QString& folder) {
    const QFileInfo settings(folder + QLatin1Char('/') + QLatin1String(SettingsFileName));
    if (settings.exists() || settings.isSymLink()) {
        QFile file(settings.filePath());
        if (!settings.isFile() || !file.open(QIODevice::ReadOnly))
            return {ConfigTrouble::SettingsUnreadable, settings.filePath()};
        if (settings.size() > MaxProfileBytes)
            return {ConfigTrouble::SettingsTooLarge, settings.filePath()};
    }
    for (const char* name : {SettingsFileName, SettingsDataFileName}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        if (QFileInfo::exists(path) && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
            return {ConfigTrouble::FileNotWritable, path};
    }
    return {};
}

// How often the lock is tried again when the lock file was replaced between opening and locking.
constexpr int LockAttempts = 5;

// The running program's file name without its folder, as the kernel names the program.
QByteArray ProgramFileName() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0)
        return {};
    QByteArray name(path, static_cast<qsizetype>(length));
    const QByteArray deleted = QByteArrayLiteral(" (deleted)"); // the file was replaced meanwhile
    if (name.endsWith(deleted))
        name.chop(deleted.size());
    return name.mid(name.lastIndexOf('/') + 1);
}

// The lock file's text: the holder's process number, program file name, host name, machine and
// boot, one a line. Earlier versions of the tool read a live holder from these lines.
QByteArray LockFileText() {
    return QByteArray::number(static_cast<qint64>(::getpid())) + '\n' + ProgramFileName() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n';
}

int OpenLockFile(const QByteArray& path) {
    int fd;
    do
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Whether path still names the file opened (as fstat described it): a holder that ended removes
// its lock file, so the file locked may be gone from the folder by the time the lock was had.
bool PathNamesFile(const QByteArray& path, const struct stat& opened) {
    struct stat named {};
    return ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// Replaces the lock file's text with text; no sync: the lock file is no user data.
bool WriteLockFile(int fd, const QByteArray& text) {
    if (::ftruncate(fd, 0) != 0)
        return false;
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n = ::pwrite(fd, text.constData() + written,
                                   static_cast<size_t>(text.size() - written), written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

// The process number on the lock file's first line; 0 when the line is not a whole number.
qint64 ReadHolderPid(int fd) {
    char text[32];
    const ssize_t length = ::pread(fd, text, sizeof text, 0);
    if (length <= 0)
        return 0;
    const QByteArray read(text, static_cast<qsizetype>(length));
    const qsizetype lineEnd = read.indexOf('\n');
    if (lineEnd <= 0)
        return 0; // no whole first line: the holder is still writing it, or wrote none
    bool ok = false;
    const qint64 pid = read.left(lineEnd).toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace

ConfigFolderLock::ConfigFolderLock(QString folder) : folder_(std::move(folder)) {}

ConfigFolderLock::~ConfigFolderLock() {
    if (lockFd_ < 0)
        return;
    // Removed while still locked, so that no other program takes the lock on a file going away.
    ::unlink(QFile::encodeName(LockFilePath()).constData());
    ::close(lockFd_);
}

QString ConfigFolderLock::LockFilePath() const {
    return folder_ + QLatin1Char('/') + QLatin1String(ConfigLockFileName);
}

ConfigFolderLock::State ConfigFolderLock::TryLock() {
    if (lockFd_ >= 0)
        return State::Held;
    holderPid_ = 0;
    if (!QDir().mkpath(folder_))
        return State::Unavailable;
    const QByteArray path = QFile::encodeName(LockFilePath());
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        const int fd = OpenLockFile(path);
        if (fd < 0)
            return State::Unavailable;
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return State::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool heldByOther = errno == EWOULDBLOCK;
            if (heldByOther)
                holderPid_ = ReadHolderPid(fd);
            ::close(fd);
            return heldByOther ? State::HeldByOther : State::Unavailable;
        }
        if (!PathNamesFile(path, opened)) {
            ::close(fd);
            continue;
        }
        if (!WriteLockFile(fd, LockFileText())) {
            ::unlink(path.constData());
            ::close(fd);
            return State::Unavailable;
        }
        lockFd_ = fd;
        return State::Held;
    }
    return State::Unavailable;
}

ConfigCheck CheckConfigFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return {ConfigTrouble::NotAFolder, folder};
    if (!info.exists()) {
        if (info.isSymLink())
            return {ConfigTrouble::NotAFolder, folder};
        const QString nearest = NearestExisting(folder);
        if (!QFileInfo(nearest).isDir() || !MayWriteInto(nearest))
            return {ConfigTrouble::CannotCreate, folder};
        return {};
    }
    if (!MayWriteInto(folder))
        return {ConfigTrouble::FolderNotWritable, folder};
    return CheckSettingsFiles(folder);
}

} // namespace dorv
