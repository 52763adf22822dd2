// Where the tool keeps its settings file, settings data file and test marker.
#include "ConfigFolder.h"

#include <QDir>
#include <QtGlobal>

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

} // namespace dorv
