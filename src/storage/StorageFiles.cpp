// The file steps of Save and Open, and of the settings data and test marker files.
#include "StorageFiles.h"

#include <QFileInfo>

#include <optional>
#include <sstream>

#include "TestMarker.h"

namespace dorv {

namespace {

// A parameter file is about 3 KB; files far larger are not read into memory.
constexpr qint64 MaxParameterFileBytes = 1024 * 1024;
constexpr qint64 MaxSettingsDataBytes = 1024 * 1024;
constexpr qint64 MaxTestMarkerBytes = 1024 * 1024;

std::istringstream StreamOf(const QByteArray& bytes) {
    return std::istringstream(bytes.toStdString(), std::ios::binary);
}

} // namespace

FileWriteResult SaveParameterFile(const QString& path, const ParameterImage& image) {
    return WriteFileAtomically(path, QByteArray::fromStdString(ParameterFileText(image)));
}

ParameterFileResult OpenParameterFile(const QString& path, const ParameterImage& current) {
    const std::optional<QByteArray> bytes = ReadWholeFile(path, MaxParameterFileBytes);
    if (!bytes)
        return {ParameterFileStatus::CannotOpen, current,
                "The file cannot be opened or read, or is larger than 1 MiB.",
                RefusalOf(ParameterFileRefusal::CannotRead)};
    std::istringstream in = StreamOf(*bytes);
    return ReadParameterFile(current, in);
}

SettingsDataLoad LoadSettingsData(const QString& path, ParameterImage& image,
                                  AllCellsFlags& flags) {
    SettingsDataLoad load;
    const std::optional<FilePrefix> prefix = ReadFilePrefix(path, MaxSettingsDataBytes);
    if (!prefix) {
        load.Damage =
            QFileInfo::exists(path) ? SettingsDataDamage::Unreadable : SettingsDataDamage::Missing;
    } else {
        std::istringstream in = StreamOf(prefix->Bytes);
        const SettingsDataReading reading = ReadSettingsDataText(in, image, flags);
        load.NumbersTaken = reading.Taken;
        if (reading.Taken == SettingsDataNumbers) {
            load.Damage = SettingsDataDamage::None;
        } else if (reading.StoppedAt) {
            load.Damage = SettingsDataDamage::BadWord;
            load.BadWord = QuotedWord(reading.StoppedAt->Text);
            load.BadWordLine = reading.StoppedAt->Line;
        } else {
            load.Damage =
                prefix->Whole ? SettingsDataDamage::TooFewNumbers : SettingsDataDamage::TooLarge;
        }
    }
    if (load.Damaged())
        load.CopyPath = KeepDamagedCopy(path);
    return load;
}

FileWriteResult SaveSettingsData(const QString& path, const ParameterImage& image,
                                 const AllCellsFlags& flags) {
    return WriteFileAtomically(path, QByteArray::fromStdString(SettingsDataText(image, flags)),
                               FolderCreation::Create);
}

bool ReadTestMarkerFile(const QString& path) {
    const std::optional<QByteArray> bytes = ReadWholeFile(path, MaxTestMarkerBytes);
    if (!bytes)
        return false;
    std::istringstream in = StreamOf(*bytes);
    return ReadTestMarker(in);
}

} // namespace dorv
