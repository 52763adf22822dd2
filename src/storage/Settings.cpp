// The settings kept in DORV.ini between runs: window placement, port, language, file, page.
#include "Settings.h"

#include <array>

namespace dorv {

namespace {

const QString FormHlav = QString::fromLatin1(SectionFormHlav);
const QString Ignition = QString::fromLatin1(SectionIgnition);
const QString PageKey = QStringLiteral("PageControl1->ActivePageIndex");

Byte LowByte(int value) {
    return static_cast<Byte>(value & 0xFF);
}

} // namespace

Settings LoadSettings(const Profile& profile, const Settings& current) {
    Settings s = current;
    s.Left = profile.ReadInteger(FormHlav, QStringLiteral("Left"), current.Left);
    s.Top = profile.ReadInteger(FormHlav, QStringLiteral("Top"), current.Top);
    s.Height = profile.ReadInteger(FormHlav, QStringLiteral("Height"), current.Height);
    s.Width = profile.ReadInteger(FormHlav, QStringLiteral("Width"), current.Width);
    s.PortIndex = LowByte(
        LowByte(profile.ReadInteger(FormHlav, QStringLiteral("ComPort"), current.PortIndex)) - 1);
    s.CurrentLanguage =
        LowByte(profile.ReadInteger(FormHlav, QStringLiteral("Language"), current.CurrentLanguage));
    s.File = profile.ReadString(FormHlav, QStringLiteral("File"), {});
    s.IniDir = profile.ReadString(FormHlav, QStringLiteral("IniDir"), {});
    s.ActivePageIndex = profile.ReadInteger(Ignition, PageKey, current.ActivePageIndex);
    return s;
}

FileWriteResult SaveSettings(const Profile& profile, const Settings& s) {
    const std::array<ProfileEntry, 9> entries{{
        {FormHlav, QStringLiteral("Left"), QString::number(s.Left)},
        {FormHlav, QStringLiteral("Top"), QString::number(s.Top)},
        {FormHlav, QStringLiteral("Height"), QString::number(s.Height)},
        {FormHlav, QStringLiteral("Width"), QString::number(s.Width)},
        {FormHlav, QStringLiteral("ComPort"), QString::number(s.PortIndex + 1)},
        {FormHlav, QStringLiteral("Language"), QString::number(s.CurrentLanguage)},
        {FormHlav, QStringLiteral("File"), s.File},
        {FormHlav, QStringLiteral("IniDir"), s.IniDir},
        {Ignition, PageKey, QString::number(s.ActivePageIndex)},
    }};
    return profile.WriteEntries(entries);
}

namespace {

const QString ServoTableSection = QString::fromLatin1(SectionServoTable);
const QString HeatMapKey = QStringLiteral("HeatMap");

} // namespace

bool LoadHeatMap(const Profile& profile) {
    return profile.ReadInteger(ServoTableSection, HeatMapKey, 0) != 0;
}

FileWriteResult SaveHeatMap(const Profile& profile, bool heatMap) {
    const bool kept = !profile.ReadString(ServoTableSection, HeatMapKey, QString()).isEmpty();
    if (!heatMap && !kept)
        return {.Ok = true, .Error = {}, .Kind = FileWriteError::None};
    return profile.WriteInteger(ServoTableSection, HeatMapKey, heatMap ? 1 : 0);
}

} // namespace dorv
