// The chart module, the chart windows and the chart libraries they need, loaded when a chart is
// first opened: the program starts without them.
#pragma once

#include <QString>

class TChartFactory;

namespace dorv {

// The module's file: in its folder beside the program's (lib/dorv/modules next to bin/), in the
// build tree as when installed.
QString ChartModulePath();
// The module to load instead, for tests; empty: the one beside the program again.
void SetChartModulePath(const QString& path);

struct ChartModuleLoad {
    TChartFactory* Factory = nullptr; // kept loaded for the rest of the process; null: not loaded
    QString Path;                     // the file tried
    QString Error;                    // why it was not loaded, without a closing full stop
};

// The chart windows' maker from the module at ChartModulePath(), loaded on the first call; a file
// missing, not a module, of another Qt or of other chart windows gives no maker and the reason.
ChartModuleLoad LoadChartModule();

} // namespace dorv
