// The live chart window: scrolling plots of speed, throttle and each servo's desired and measured
// position, following the live values or a replay.
#pragma once

#include <array>
#include <deque>
#include <vector>

#include "ChartWindows.h"

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

class TFormChart final : public TLiveChartWindow {
    Q_OBJECT
public:
    explicit TFormChart(QWidget* parent = nullptr);
    ~TFormChart() override;

    void AddSample(const dorv::LogSample& sample) override;
    void ShowSamples(const std::vector<dorv::LogSample>& samples) override;
    void Clear() override;
    void SetSpan(int seconds) override;
    int Span() const override { return span_; }
    void ApplyLanguage(dorv::Language language) override;
    int ShownPoints() const override;

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
