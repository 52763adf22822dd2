// The [PORTS] section of DORV.ini: which device each COM name stands for.
#include "PortsSection.h"

#include "ConfigFolder.h"
#include "Profile.h"

namespace dorv {

namespace {

const QString PortsSection = QStringLiteral("PORTS");

Profile SettingsProfile() {
    return Profile(ConfigFilePath(QString::fromLatin1(SettingsFileName)));
}

} // namespace

std::optional<std::string> ConfiguredPortDevice(const std::string& comName) {
    const QString device =
        SettingsProfile().ReadString(PortsSection, QString::fromStdString(comName), QString());
    if (device.isEmpty())
        return std::nullopt;
    return device.toStdString();
}

bool StorePortDevice(const std::string& comName, const std::string& device) {
    return SettingsProfile()
        .WriteString(PortsSection, QString::fromStdString(comName), QString::fromStdString(device))
        .Ok;
}

} // namespace dorv
