// The live chart window: scrolling plots of speed, throttle and each servo's desired and measured
// position, following the live values or a replay.
#pragma once

#include <QWidget>

#include <array>
#include <deque>
#include <vector>

#include "Jazyk2.h"
#include "LogSample.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QValueAxis;

class TFormChart : public QWidget {
    Q_OBJECT
public:
    // The spans to choose, in seconds; the longest is what the chart keeps.
    static constexpr std::array<int, 3> Spans{60, 5 * 60, 15 * 60};

    explicit TFormChart(QWidget* parent = nullptr);
    ~TFormChart() override;

    // Adds a sample at its ElapsedMs; points older than the longest span are let go.
    void AddSample(const dorv::LogSample& sample);
    // Shows these samples (in time order) instead of what was shown.
    void ShowSamples(const std::vector<dorv::LogSample>& samples);
    void Clear();
    // Seconds shown, one of Spans.
    void SetSpan(int seconds);
    int Span() const { return span_; }
    // Captions in the language.
    void ApplyLanguage(dorv::Language language);
    // Points in the series now (what is drawn), for tests and benchmarks.
    int ShownPoints() const;

    QComboBox* ComboChartSpan = nullptr;
    QLabel* LabelChartSpan = nullptr;

private:
    // One plotted value: its points of the longest span, and the points of the span shown.
    struct Trace {
        QLineSeries* Series = nullptr;
        std::deque<QPointF> Kept;
    };
    struct Plot {
        QChart* Chart = nullptr;
        QChartView* View = nullptr;
        QValueAxis* TimeAxis = nullptr;
        QValueAxis* ValueAxis = nullptr;
        double ValueMax = 0; // the value axis grows when a value passes it
    };

    Plot MakePlot(double valueMax, const char* name);
    QLineSeries* AddTrace(Plot& plot, QColor colour);
    void Append(double seconds, const dorv::LogSample& sample);
    void ShowSpan();
    void SetTimeTicks();
    void GrowValueAxis(Plot& plot, double value);

    std::array<Plot, 4> plots_;   // speed, throttle, servo 1, servo 2
    std::array<Trace, 6> traces_; // speed, throttle, servo 1 desired, measured, servo 2 ...
    int span_ = Spans[0];
    double latest_ = 0;
    double axisEnd_ = 0; // the time axis ends here, a step beyond the latest sample
    static constexpr double AxisStepsPerSpan = 12;
    // A trace draws at most this many points over its span: one per time bucket of the span's
    // width / MaxPointsPerTrace (a frame every 330 ms fits 1 min whole; 5 and 15 min are thinned).
    static constexpr double MaxPointsPerTrace = 400;
    double Bucket() const;
    bool NewBucket(const QLineSeries* series, double seconds) const;
};
