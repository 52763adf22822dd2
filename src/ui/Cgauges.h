// The bar gauge: a horizontal progress bar with an optional per-cent text drawn inverted over it.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A horizontal bar gauge. The bar shows Progress between MinValue and MaxValue; with ShowText on,
// the whole per cent done is drawn centred over the bar, inverted against the colours beneath.
class TCGauge : public QWidget {
    Q_OBJECT
public:
    explicit TCGauge(QWidget* parent = nullptr);

    int MinValue() const { return FMinValue; }
    int MaxValue() const { return FMaxValue; }
    int Progress() const { return FProgress; }
    bool ShowText() const { return FShowText; }
    QColor ForeColor() const { return FForeColor; }
    QColor BackColor() const { return FBackColor; }

    // Per cent done, rounded down; 0 when the range is empty.
    int PercentDone() const;

    // Clamps v to MinValue..MaxValue; repaints only when the per cent done changes.
    void SetProgress(int v);
    // Ignores 0; refuses (returns false) a value below MinValue; lowers Progress to v if above.
    bool SetMaxValue(int v);
    void SetShowText(bool on);
    void SetForeColor(const QColor& c);
    void SetBackColor(const QColor& c);

    // The complete picture of the gauge at its current size, as painted on the screen.
    QImage RenderGauge() const;

    QSize sizeHint() const override { return {100, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintBar(QImage& area) const;
    void PaintPercentText(QImage& area) const;

    int FMinValue = 0;
    int FMaxValue = 100;
    int FProgress = 0;
    bool FShowText = true;
    QColor FForeColor = Qt::black;
    QColor FBackColor = Qt::white;
};
