// Where the tool keeps its settings file, settings data file and test marker.
#include "ConfigFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QtGlobal>

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

} // namespace

ConfigFolderLock::ConfigFolderLock(QString folder) : folder_(std::move(folder)) {}

ConfigFolderLock::~ConfigFolderLock() = default;

ConfigFolderLock::State ConfigFolderLock::TryLock() {
    if (!QDir().mkpath(folder_))
        return State::Unavailable;
    lock_ =
        std::make_unique<QLockFile>(folder_ + QLatin1Char('/') + QLatin1String(ConfigLockFileName));
    // Never stale by age: only the lock of a process that no longer runs is taken over.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return State::Held;
    if (lock_->error() != QLockFile::LockFailedError)
        return State::Unavailable;
    QString host;
    QString application;
    if (!lock_->getLockInfo(&holderPid_, &host, &application))
        holderPid_ = 0;
    return State::HeldByOther;
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
