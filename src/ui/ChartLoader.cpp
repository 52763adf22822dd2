// The chart module, the chart windows and the chart libraries they need, loaded when a chart is
// first opened: the program starts without them.
#include "ChartLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QJsonObject>
#include <QPluginLoader>

#include "ChartWindows.h"

namespace dorv {

namespace {

QString& ChosenPath() {
    static QString path;
    return path;
}

} // namespace

QString ChartModulePath() {
    if (!ChosenPath().isEmpty())
        return ChosenPath();
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QStringLiteral(DORV_CHART_MODULE));
}

void SetChartModulePath(const QString& path) {
    ChosenPath() = path;
}

ChartModuleLoad LoadChartModule() {
    // A module once loaded stays: the windows it made live in it.
    static QHash<QString, TChartFactory*> loaded;
    ChartModuleLoad load;
    load.Path = ChartModulePath();
    if (TChartFactory* factory = loaded.value(load.Path)) {
        load.Factory = factory;
        return load;
    }
    QPluginLoader loader(load.Path);
    QObject* module = loader.instance();
    if (!module) {
        load.Error = loader.errorString();
        if (load.Error.endsWith(QLatin1Char('.'))) // it stands in brackets inside a sentence
            load.Error.chop(1);
        return load;
    }
    load.Factory = qobject_cast<TChartFactory*>(module);
    if (!load.Factory) {
        // Another kind of plugin, or chart windows of another build: said by what it offers.
        load.Error = loader.metaData().value(QStringLiteral("IID")).toString() +
                     QStringLiteral(" != ") + QStringLiteral(DORV_CHART_FACTORY_IID);
        return load;
    }
    loaded.insert(load.Path, load.Factory);
    return load;
}

} // namespace dorv
