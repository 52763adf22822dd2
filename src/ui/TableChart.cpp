// The table chart window: the active servo's set-point against engine speed, one curve per
// throttle row (one row or all), with the live operating point.
#include "TableChart.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include "Jazyk2.h"

namespace {

constexpr int ServoFullScaleMv = 5000;
constexpr int RpmAxisStep = 1000;

// clang-format on

} // namespace

TFormTableChart::TFormTableChart(QWidget* parent) : TTableChartWindow(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormTableChart"));
    resize(720, 480);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    LabelTableRow = new QLabel(this);
    LabelTableRow->setObjectName(QStringLiteral("LabelTableRow"));
    ComboTableRow = new QComboBox(this);
    ComboTableRow->setObjectName(QStringLiteral("ComboTableRow"));
    ComboTableRow->addItem(QString(), -1);
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        ComboTableRow->addItem(QStringLiteral("%1 %").arg(dorv::ThrottleRowAxis[r]), r);
    top->addWidget(LabelTableRow);
    top->addWidget(ComboTableRow);
    top->addStretch();
    layout->addLayout(top);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    rpmAxis_ = new QValueAxis(chart_);
    rpmAxis_->setLabelFormat(QStringLiteral("%.0f"));
    mvAxis_ = new QValueAxis(chart_);
    mvAxis_->setLabelFormat(QStringLiteral("%.0f"));
    mvAxis_->setRange(0, ServoFullScaleMv);
    for (QValueAxis* axis : {rpmAxis_, mvAxis_}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
    }
    rpmAxis_->setTickInterval(2 * RpmAxisStep);
    mvAxis_->setTickInterval(ServoFullScaleMv / 5);
    chart_->addAxis(rpmAxis_, Qt::AlignBottom);
    chart_->addAxis(mvAxis_, Qt::AlignLeft);
    for (int r = 0; r < dorv::ThrottleRows; ++r) {
        auto* curve = new QLineSeries(chart_);
        curve->setName(QStringLiteral("%1 %").arg(dorv::ThrottleRowAxis[r]));
        curve->setColor(QColor::fromHsv(240 - 24 * r, 220, 200)); // blue at 0 %, red at 100 %
        curve->setPointsVisible(true);
        chart_->addSeries(curve);
        curve->attachAxis(rpmAxis_);
        curve->attachAxis(mvAxis_);
        curves_[r] = curve;
    }
    operatingPoint_ = new QScatterSeries(chart_);
    operatingPoint_->setColor(QColor(0, 255, 0)); // lime green, as the operating cell
    operatingPoint_->setBorderColor(Qt::black);
    operatingPoint_->setMarkerSize(12);
    chart_->addSeries(operatingPoint_);
    operatingPoint_->attachAxis(rpmAxis_);
    operatingPoint_->attachAxis(mvAxis_);
    auto* view = new QChartView(chart_, this);
    view->setObjectName(QStringLiteral("ChartTable"));
    layout->addWidget(view, 1);

    connect(ComboTableRow, &QComboBox::currentIndexChanged, this,
            [this] { SetRow(ComboTableRow->currentData().toInt()); });
}

void TFormTableChart::ShowTable(const dorv::ParameterImage& image, dorv::ServoIndex s) {
    if (s != servo_) {
        servo_ = s;
        shown_ = {};
        ApplyLanguage(language_);
    }
    int topRpm = 0;
    for (int r = 0; r < dorv::ThrottleRows; ++r) {
        const dorv::SetPointCurve curve = dorv::SetPointCurveOf(image, s, r);
        topRpm = std::max(topRpm, curve.back().Rpm);
        if (shown_[r] == curve)
            continue;
        shown_[r] = curve;
        ShowCurve(r);
    }
    const int axisEnd = (topRpm / RpmAxisStep + 1) * RpmAxisStep;
    if (rpmAxis_->max() != axisEnd)
        rpmAxis_->setRange(0, axisEnd);
}

void TFormTableChart::ShowCurve(int row) {
    QList<QPointF> points;
    for (const dorv::CurvePoint& p : *shown_[row])
        points.append(QPointF(p.Rpm, p.Millivolts));
    curves_[row]->replace(points);
    curves_[row]->setVisible(row_ < 0 || row_ == row);
}

void TFormTableChart::ShowOperatingPoint(int rpm, int millivolts) {
    const QPointF point(rpm, millivolts);
    if (operatingPoint_->count() == 1 && operatingPoint_->at(0) == point)
        return;
    operatingPoint_->replace(QList<QPointF>{point});
}

void TFormTableChart::SetRow(int row) {
    row_ = row;
    const int index = ComboTableRow->findData(row);
    if (index >= 0 && index != ComboTableRow->currentIndex())
        ComboTableRow->setCurrentIndex(index);
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        curves_[r]->setVisible(row_ < 0 || row_ == r);
}

void TFormTableChart::ApplyLanguage(dorv::Language language) {
    language_ = language;
    const dorv::LanguageCaptions captions = dorv::CaptionsFor(language);
    setWindowTitle(captions.TableChartCaption.arg(servo_ + 1));
    LabelTableRow->setText(captions.TableChartRowLabel);
    ComboTableRow->setItemText(0, captions.TableChartAllRows);
    rpmAxis_->setTitleText(captions.TableChartRpmTitle);
    mvAxis_->setTitleText(captions.TableChartSetPointTitle);
    operatingPoint_->setName(captions.TableChartOperatingPoint);
}

QList<QPointF> TFormTableChart::CurvePoints(int row) const {
    return curves_[row]->points();
}

bool TFormTableChart::CurveVisible(int row) const {
    return curves_[row]->isVisible();
}

QPointF TFormTableChart::OperatingPoint() const {
    return operatingPoint_->count() ? operatingPoint_->at(0) : QPointF(-1, -1);
}
