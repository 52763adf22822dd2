// The live chart window: scrolling plots of speed, throttle and each servo's desired and measured
// position, following the live values or a replay.
#include "LiveChart.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

#include "Jazyk2.h"

namespace {

enum TraceIndex { Speed, Throttle, Servo1Desired, Servo1Measured, Servo2Desired, Servo2Measured };
enum PlotIndex { SpeedPlot, ThrottlePlot, Servo1Plot, Servo2Plot };

constexpr double SpeedAxisStart = 10000; // RPM; the axis grows in steps of 1000 beyond
constexpr double ThrottleAxisMax = 100;
constexpr double ServoAxisStart = 5000; // mV

// clang-format on

} // namespace

TFormChart::TFormChart(QWidget* parent) : TLiveChartWindow(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormChart"));
    resize(720, 640);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    LabelChartSpan = new QLabel(this);
    LabelChartSpan->setObjectName(QStringLiteral("LabelChartSpan"));
    ComboChartSpan = new QComboBox(this);
    ComboChartSpan->setObjectName(QStringLiteral("ComboChartSpan"));
    for (int seconds : Spans)
        ComboChartSpan->addItem(QStringLiteral("%1 min").arg(seconds / 60), seconds);
    top->addWidget(LabelChartSpan);
    top->addWidget(ComboChartSpan);
    top->addStretch();
    layout->addLayout(top);

    plots_[SpeedPlot] = MakePlot(SpeedAxisStart, "ChartSpeed");
    plots_[ThrottlePlot] = MakePlot(ThrottleAxisMax, "ChartThrottle");
    plots_[Servo1Plot] = MakePlot(ServoAxisStart, "ChartServo1");
    plots_[Servo2Plot] = MakePlot(ServoAxisStart, "ChartServo2");
    traces_[Speed].Series = AddTrace(plots_[SpeedPlot], QColor(0, 90, 200));
    traces_[Throttle].Series = AddTrace(plots_[ThrottlePlot], QColor(0, 140, 60));
    traces_[Servo1Desired].Series = AddTrace(plots_[Servo1Plot], QColor(220, 120, 0));
    traces_[Servo1Measured].Series = AddTrace(plots_[Servo1Plot], QColor(120, 0, 160));
    traces_[Servo2Desired].Series = AddTrace(plots_[Servo2Plot], QColor(220, 120, 0));
    traces_[Servo2Measured].Series = AddTrace(plots_[Servo2Plot], QColor(120, 0, 160));
    plots_[SpeedPlot].Chart->legend()->hide();
    plots_[ThrottlePlot].Chart->legend()->hide();
    for (Plot& plot : plots_)
        layout->addWidget(plot.View, 1);

    connect(ComboChartSpan, &QComboBox::currentIndexChanged, this,
            [this] { SetSpan(ComboChartSpan->currentData().toInt()); });
    SetTimeTicks();
    ShowSpan();
}

TFormChart::~TFormChart() = default;

void TFormChart::SetTimeTicks() {
    constexpr int TicksPerSpan = 6;
    for (Plot& plot : plots_)
        plot.TimeAxis->setTickInterval(span_ / TicksPerSpan);
}

TFormChart::Plot TFormChart::MakePlot(double valueMax, const char* name) {
    Plot plot;
    plot.Chart = new QChart;
    plot.Chart->setMargins(QMargins(4, 2, 4, 2));
    plot.Chart->legend()->setAlignment(Qt::AlignRight);
    plot.TimeAxis = new QValueAxis(plot.Chart);
    plot.TimeAxis->setLabelFormat(QStringLiteral("%.0f"));
    // Ticks at whole multiples of a fixed step: as the axis scrolls, a label keeps its text.
    plot.TimeAxis->setTickType(QValueAxis::TicksDynamic);
    plot.TimeAxis->setTickAnchor(0);
    plot.TimeAxis->setGridLineVisible(false); // grid lines that move are drawn anew every frame
    plot.ValueAxis = new QValueAxis(plot.Chart);
    plot.ValueAxis->setLabelFormat(QStringLiteral("%.0f"));
    plot.ValueAxis->setRange(0, valueMax);
    plot.ValueMax = valueMax;
    plot.Chart->addAxis(plot.TimeAxis, Qt::AlignBottom);
    plot.Chart->addAxis(plot.ValueAxis, Qt::AlignLeft);
    plot.View = new QChartView(plot.Chart, this);
    plot.View->setObjectName(QLatin1String(name));
    plot.View->setRenderHint(QPainter::Antialiasing, false);
    return plot;
}

QLineSeries* TFormChart::AddTrace(Plot& plot, QColor colour) {
    auto* series = new QLineSeries(plot.Chart);
    // A thin cosmetic pen: a wider one is stroked as an outline, several times the cost.
    QPen pen(colour);
    pen.setWidth(1);
    pen.setCosmetic(true);
    series->setPen(pen);
    plot.Chart->addSeries(series);
    series->attachAxis(plot.TimeAxis);
    series->attachAxis(plot.ValueAxis);
    return series;
}

void TFormChart::ApplyLanguage(dorv::Language language) {
    const dorv::LanguageCaptions captions = dorv::CaptionsFor(language);
    setWindowTitle(captions.ChartCaption);
    LabelChartSpan->setText(captions.ChartSpanLabel);
    plots_[SpeedPlot].Chart->setTitle(captions.ChartSpeedTitle);
    plots_[ThrottlePlot].Chart->setTitle(captions.ChartThrottleTitle);
    for (int s = 0; s < dorv::ServoCount; ++s) {
        plots_[Servo1Plot + s].Chart->setTitle(captions.ChartServoTitle.arg(s + 1));
        traces_[Servo1Desired + 2 * s].Series->setName(captions.ChartDesiredName);
        traces_[Servo1Measured + 2 * s].Series->setName(captions.ChartMeasuredName);
    }
    for (Plot& plot : plots_)
        plot.TimeAxis->setTitleText(captions.ChartTimeTitle);
}

void TFormChart::GrowValueAxis(Plot& plot, double value) {
    if (value <= plot.ValueMax)
        return;
    plot.ValueMax = std::ceil(value / 1000) * 1000;
    plot.ValueAxis->setRange(0, plot.ValueMax);
}

void TFormChart::Append(double seconds, const dorv::LogSample& s) {
    const std::array<double, 6> values{double(s.Rpm),
                                       double(std::min(s.TpPercent, 100)),
                                       double(s.ServoDesiredMv[0]),
                                       double(s.ServoMeasuredMv[0]),
                                       double(s.ServoDesiredMv[1]),
                                       double(s.ServoMeasuredMv[1])};
    for (std::size_t i = 0; i < traces_.size(); ++i) {
        Trace& trace = traces_[i];
        if (!trace.Kept.empty() && seconds < trace.Kept.back().x())
            trace.Kept.clear(); // time went back (another log, a seek): start again
        trace.Kept.emplace_back(seconds, values[i]);
        // One point before the longest span stays, as in the series.
        while (trace.Kept.size() > 1 && trace.Kept[1].x() < seconds - Spans.back())
            trace.Kept.pop_front();
    }
    GrowValueAxis(plots_[SpeedPlot], s.Rpm);
    GrowValueAxis(plots_[Servo1Plot], std::max(s.ServoDesiredMv[0], s.ServoMeasuredMv[0]));
    GrowValueAxis(plots_[Servo2Plot], std::max(s.ServoDesiredMv[1], s.ServoMeasuredMv[1]));
    latest_ = seconds;
}

// Cheap per sample: the new point is appended to each series, and the points that left the span
// are removed from its front; the time axes move along.
void TFormChart::AddSample(const dorv::LogSample& sample) {
    const double seconds = static_cast<double>(sample.ElapsedMs) / 1000.0;
    const bool restart = !traces_[0].Kept.empty() && seconds < traces_[0].Kept.back().x();
    Append(seconds, sample);
    if (restart) {
        ShowSpan();
        return;
    }
    for (Trace& trace : traces_)
        if (NewBucket(trace.Series, trace.Kept.back().x()))
            trace.Series->append(trace.Kept.back());
    // The time axis moves on in steps: the lines grow into the room at the right, and the axis,
    // its labels and the points that left it are done again only a few times a minute.
    if (seconds > axisEnd_)
        ShowSpan();
}

void TFormChart::ShowSamples(const std::vector<dorv::LogSample>& samples) {
    for (Trace& trace : traces_)
        trace.Kept.clear();
    for (const dorv::LogSample& s : samples)
        Append(static_cast<double>(s.ElapsedMs) / 1000.0, s);
    ShowSpan();
}

void TFormChart::Clear() {
    ShowSamples({});
    latest_ = 0;
}

void TFormChart::SetSpan(int seconds) {
    if (seconds == span_)
        return;
    span_ = seconds;
    SetTimeTicks();
    const int index = ComboChartSpan->findData(seconds);
    if (index >= 0 && index != ComboChartSpan->currentIndex())
        ComboChartSpan->setCurrentIndex(index);
    ShowSpan();
}

// Every series gets the kept points of the span at once.
void TFormChart::ShowSpan() {
    const double step = span_ / AxisStepsPerSpan;
    axisEnd_ = std::max(double(span_), (std::floor(latest_ / step) + 1) * step);
    const double axisStart = axisEnd_ - span_;
    for (Trace& trace : traces_) {
        QList<QPointF> points;
        auto first = trace.Kept.begin();
        while (first != trace.Kept.end() && std::next(first) != trace.Kept.end() &&
               std::next(first)->x() < axisStart)
            ++first;
        points.reserve(static_cast<qsizetype>(std::distance(first, trace.Kept.end())));
        double lastBucket = -1;
        for (auto point = first; point != trace.Kept.end(); ++point) {
            const double bucket = std::floor(point->x() / Bucket());
            if (bucket != lastBucket)
                points.append(*point);
            lastBucket = bucket;
        }
        trace.Series->replace(points);
    }
    for (Plot& plot : plots_)
        plot.TimeAxis->setRange(axisStart, axisEnd_);
}

double TFormChart::Bucket() const {
    return span_ / MaxPointsPerTrace;
}

bool TFormChart::NewBucket(const QLineSeries* series, double seconds) const {
    const int count = series->count();
    return count == 0 ||
           std::floor(series->at(count - 1).x() / Bucket()) != std::floor(seconds / Bucket());
}

int TFormChart::ShownPoints() const {
    int points = 0;
    for (const Trace& trace : traces_)
        points += trace.Series->count();
    return points;
}
