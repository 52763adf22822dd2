// The profile layer: one value of one section of a named INI file, read or written on demand.
#include "Profile.h"

#include <QFileInfo>
#include <optional>
#include <string>

#include "IniText.h"

namespace dorv {

namespace {

std::string Utf8(const QString& s) {
    return s.toStdString();
}

std::optional<std::string> ReadValue(const QString& path, const QString& section,
                                     const QString& key) {
    const std::optional<QByteArray> text = ReadWholeFile(path, MaxProfileBytes);
    if (!text)
        return std::nullopt;
    return FindProfileValue(
        std::string_view(text->constData(), static_cast<std::size_t>(text->size())), Utf8(section),
        Utf8(key));
}

} // namespace

QString Profile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const std::optional<std::string> value = ReadValue(path_, section, key);
    return value ? QString::fromStdString(*value) : defaultValue;
}

int Profile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const std::optional<std::string> value = ReadValue(path_, section, key);
    const std::optional<int> number = value ? ParseProfileInteger(*value) : std::nullopt;
    return number.value_or(defaultValue);
}

FileWriteResult Profile::WriteString(const QString& section, const QString& key,
                                     const QString& value) const {
    const ProfileEntry entry{section, key, value};
    return WriteEntries(std::span<const ProfileEntry>(&entry, 1));
}

FileWriteResult Profile::WriteInteger(const QString& section, const QString& key, int value) const {
    return WriteString(section, key, QString::number(value));
}

FileWriteResult Profile::WriteEntries(std::span<const ProfileEntry> entries) const {
    std::string text;
    if (QFileInfo::exists(path_)) {
        // An existing file that cannot be read is never replaced: its other keys would be lost.
        const std::optional<QByteArray> old = ReadWholeFile(path_, MaxProfileBytes);
        if (!old)
            return {false, QStringLiteral("Cannot read %1").arg(path_), FileWriteError::Refused};
        text = old->toStdString();
    }
    for (const ProfileEntry& entry : entries) {
        const std::string section = Utf8(entry.Section), key = Utf8(entry.Key),
                          value = Utf8(entry.Value);
        if (const std::optional<std::string> problem = ProfileEntryProblem(section, key, value))
            return {false, QString::fromStdString(*problem), FileWriteError::Refused};
        text = SetProfileValue(text, section, key, value);
    }
    return WriteFileAtomically(path_, QByteArray::fromStdString(text), FolderCreation::Create);
}

} // namespace dorv
