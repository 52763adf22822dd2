// The profile layer: one value of one section of a named INI file, read or written on demand.
#pragma once

#include <QString>
#include <span>

#include "FileSystem.h"

namespace dorv {

// Settings files are small; anything larger is not taken for one.
inline constexpr qint64 MaxProfileBytes = 4 * 1024 * 1024;

// One key of one section with the text to write.
struct ProfileEntry {
    QString Section;
    QString Key;
    QString Value;
};

// Binds an INI file by its full path. Nothing is cached: every read reads the file and every
// write replaces it atomically (its folder is created when missing). Keys are written exactly
// as given, so "PageControl1->ActivePageIndex" stays as it is; names match without regard to
// case. A write keeps every other line of the file byte for byte.
class Profile {
public:
    explicit Profile(QString path) : path_(std::move(path)) {}

    const QString& Path() const { return path_; }

    // The value, or `defaultValue` when the file or the key is missing.
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // The value read as decimal, or hexadecimal after "0x" or "$"; `defaultValue` when the file
    // or the key is missing or the text is not an integer.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;

    FileWriteResult WriteString(const QString& section, const QString& key,
                                const QString& value) const;
    FileWriteResult WriteInteger(const QString& section, const QString& key, int value) const;
    // Several entries in one replacement of the file, in the given order.
    FileWriteResult WriteEntries(std::span<const ProfileEntry> entries) const;

private:
    QString path_;
};

} // namespace dorv
