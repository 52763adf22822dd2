// The table chart window: the active servo's set-point against engine speed, one curve per
// throttle row (one row or all), with the live operating point.
#pragma once

#include <array>
#include <optional>

#include "ChartWindows.h"
#include "TableCurves.h"

class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

class TFormTableChart final : public TTableChartWindow {
    Q_OBJECT
public:
    explicit TFormTableChart(QWidget* parent = nullptr);

    void ShowTable(const dorv::ParameterImage& image, dorv::ServoIndex s) override;
    void ShowOperatingPoint(int rpm, int millivolts) override;
    void SetRow(int row) override;
    int Row() const override { return row_; }
    void ApplyLanguage(dorv::Language language) override;

    QList<QPointF> CurvePoints(int row) const override;
    bool CurveVisible(int row) const override;
    QPointF OperatingPoint() const override;

private:
    void ShowCurve(int row);

    QChart* chart_ = nullptr;
    QValueAxis* rpmAxis_ = nullptr;
    QValueAxis* mvAxis_ = nullptr;
    std::array<QLineSeries*, dorv::ThrottleRows> curves_{};
    QScatterSeries* operatingPoint_ = nullptr;
    std::array<std::optional<dorv::SetPointCurve>, dorv::ThrottleRows> shown_;
    dorv::ServoIndex servo_ = 0;
    int row_ = -1;
    dorv::Language language_ = dorv::Language::English;
};
