// The chart module's entry: the window loads it when a chart is first opened and makes the chart
// windows through it, so that Qt Charts and its OpenGL libraries load only then.
#include <QObject>

#include "ChartWindows.h"
#include "LiveChart.h"
#include "TableChart.h"

class TChartModule : public QObject, public TChartFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DORV_CHART_FACTORY_IID)
    Q_INTERFACES(TChartFactory)

public:
    TLiveChartWindow* MakeLiveChart(QWidget* parent) override { return new TFormChart(parent); }
    TTableChartWindow* MakeTableChart(QWidget* parent) override {
        return new TFormTableChart(parent);
    }
};

#include "ChartModule.moc"
