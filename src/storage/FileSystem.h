// Whole-file reading and atomic replacement of files on disk.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace dorv {

// What became of a write. On failure the file on disk is as it was before.
struct FileWriteResult {
    bool Ok = false;
    QString Error; // the system's reason, empty on success
};

enum class FolderCreation { Keep, Create };

// Replaces the file at `path` with `contents` in one step: the new contents go to a temporary
// file beside it, reach the disk, and then take the file's name. A crash, a kill or a full disk
// in the middle leaves the previous file whole. With FolderCreation::Create missing folders
// of the path are made first.
FileWriteResult WriteFileAtomically(const QString& path, const QByteArray& contents,
                                    FolderCreation folders = FolderCreation::Keep);

// The whole file, or nothing when it is missing, is not a regular file, cannot be read or is
// larger than `maxBytes`.
std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 maxBytes);

// The start of a file: at most maxBytes of it, and whether that is the whole file. Nothing when
// the file is missing, is not a regular file or cannot be read.
struct FilePrefix {
    QByteArray Bytes;
    bool Whole = true;
};
std::optional<FilePrefix> ReadFilePrefix(const QString& path, qint64 maxBytes);

// Copies the file to "<path>.damaged-<yyyyMMdd-HHmmss>" beside it (a number added when that name
// is taken) before anything replaces it. The copy's path, or empty when no copy could be made.
QString KeepDamagedCopy(const QString& path);

} // namespace dorv
