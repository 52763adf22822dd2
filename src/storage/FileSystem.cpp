// Whole-file reading and atomic replacement of files on disk.
#include "FileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dorv {

namespace {

FileWriteResult Failed(const QFileDevice& file, FileWriteError kind) {
    if (file.error() == QFileDevice::PermissionsError)
        kind = FileWriteError::PermissionDenied;
    return {false, file.errorString(), kind};
}

} // namespace

FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& contents,
                                    FolderCreation folders) {
    if (folders == FolderCreation::Create) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder))
            return {false, QStringLiteral("Cannot create the folder %1").arg(folder),
                    FileWriteError::FolderNotMade};
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return Failed(file, FileWriteError::CannotCreate);
    if (file.write(contents) != contents.size()) {
        const FileWriteResult failed = Failed(file, FileWriteError::WriteFailed);
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return Failed(file, FileWriteError::NotReplaced);
    return {true, {}, FileWriteError::None};
}

std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 maxBytes) {
    std::optional<FilePrefix> prefix = ReadFilePrefix(path, maxBytes);
    if (!prefix || !prefix->Whole)
        return std::nullopt;
    return std::move(prefix->Bytes);
}

std::optional<FilePrefix> ReadFilePrefix(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray contents = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const bool whole = contents.size() <= maxBytes;
    if (!whole)
        contents.truncate(maxBytes);
    return FilePrefix{std::move(contents), whole};
}

QString KeepDamagedCopy(const QString& path) {
    const QString stem = path + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString copy =
            attempt == 0 ? stem : stem + QLatin1Char('-') + QString::number(attempt);
        if (QFileInfo::exists(copy))
            continue;
        return QFile::copy(path, copy) ? copy : QString();
    }
    return {};
}

} // namespace dorv
