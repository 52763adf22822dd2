// What the window knows of the chart windows: their operations, and the maker the chart module
// gives, so that the chart libraries are loaded only when a chart is first opened.
#pragma once

#include <QList>
#include <QPointF>
#include <QWidget>
#include <QtPlugin>

#include <array>
#include <vector>

#include "Jazyk2.h"
#include "LogSample.h"
#include "ParameterImage.h"

class QComboBox;
class QLabel;

// The live chart window: scrolling plots of speed, throttle and each servo's desired and measured
// position, following the live values or a replay.
class TLiveChartWindow : public QWidget {
public:
    // The spans to choose, in seconds; the longest is what the chart keeps.
    static constexpr std::array<int, 3> Spans{60, 5 * 60, 15 * 60};

    using QWidget::QWidget;

    // Adds a sample at its ElapsedMs; points older than the longest span are let go.
    virtual void AddSample(const dorv::LogSample& sample) = 0;
    // Shows these samples (in time order) instead of what was shown.
    virtual void ShowSamples(const std::vector<dorv::LogSample>& samples) = 0;
    virtual void Clear() = 0;
    // Seconds shown, one of Spans.
    virtual void SetSpan(int seconds) = 0;
    virtual int Span() const = 0;
    // Captions in the language.
    virtual void ApplyLanguage(dorv::Language language) = 0;
    // Points in the series now (what is drawn), for tests and benchmarks.
    virtual int ShownPoints() const = 0;

    QComboBox* ComboChartSpan = nullptr;
    QLabel* LabelChartSpan = nullptr;
};

// The table chart window: the active servo's set-point against engine speed, one curve per
// throttle row (one row or all), with the live operating point.
class TTableChartWindow : public QWidget {
public:
    using QWidget::QWidget;

    // Shows servo s's table of image; the curves change only where the table did.
    virtual void ShowTable(const dorv::ParameterImage& image, dorv::ServoIndex s) = 0;
    // The engine's point: live speed and the servo's desired position.
    virtual void ShowOperatingPoint(int rpm, int millivolts) = 0;
    // -1: all rows, else the one row shown.
    virtual void SetRow(int row) = 0;
    virtual int Row() const = 0;
    virtual void ApplyLanguage(dorv::Language language) = 0;

    // What a curve shows now, for tests.
    virtual QList<QPointF> CurvePoints(int row) const = 0;
    virtual bool CurveVisible(int row) const = 0;
    virtual QPointF OperatingPoint() const = 0;

    QComboBox* ComboTableRow = nullptr;
    QLabel* LabelTableRow = nullptr;
};

// The chart module's maker of the chart windows; each is a top-level window owned by parent.
class TChartFactory {
public:
    virtual ~TChartFactory() = default;
    virtual TLiveChartWindow* MakeLiveChart(QWidget* parent) = 0;
    virtual TTableChartWindow* MakeTableChart(QWidget* parent) = 0;
};

// Changes with every change above: a module built from other headers is refused, not called.
#define DORV_CHART_FACTORY_IID "io.github.dorv.Configurator.ChartFactory/2"
Q_DECLARE_INTERFACE(TChartFactory, DORV_CHART_FACTORY_IID)
