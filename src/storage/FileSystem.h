// Whole-file reading and atomic replacement of files on disk.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace dorv {

// Why a write failed, for the window to tell in its language.
enum class FileWriteError {
    None,
    FolderNotMade,    // a missing folder of the path could not be made
    PermissionDenied, // the folder or the file may not be written
    CannotCreate,     // the file could not be made (a folder of that name, a missing folder...)
    WriteFailed,      // the contents could not be written (disk full, device error)
    NotReplaced,      // the written contents could not take the file's name
    Refused,          // the contents were refused before anything was written
};

// What became of a write. On failure the file on disk is as it was before.
struct FileWriteResult {
    bool Ok = false;
    QString Error;                              // the system's reason, empty on success
    FileWriteError Kind = FileWriteError::None; // why it failed, None on success
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
