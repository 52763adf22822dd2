// The table chart window: the active servo's set-point against engine speed, one curve per
// throttle row (one row or all), with the live operating point.
#pragma once

#include <QWidget>

#include <array>
#include <optional>

#include "Jazyk2.h"
#include "ParameterImage.h"
#include "TableCurves.h"

class QChart;
class QComboBox;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

class TFormTableChart : public QWidget {
    Q_OBJECT
public:
    explicit TFormTableChart(QWidget* parent = nullptr);

    // Shows servo s's table of image; the curves change only where the table did.
    void ShowTable(const dorv::ParameterImage& image, dorv::ServoIndex s);
    // The engine's point: live speed and the servo's desired position.
    void ShowOperatingPoint(int rpm, int millivolts);
    // -1: all rows, else the one row shown.
    void SetRow(int row);
    int Row() const { return row_; }
    void ApplyLanguage(dorv::Language language);

    // What a curve shows now, for tests.
    QList<QPointF> CurvePoints(int row) const;
    bool CurveVisible(int row) const;
    QPointF OperatingPoint() const;

    QComboBox* ComboTableRow = nullptr;
    QLabel* LabelTableRow = nullptr;

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
