// The bar gauge: progress rules and off-screen painting with the inverted per-cent text.
#include "Cgauges.h"

#include <QPainter>

TCGauge::TCGauge(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int TCGauge::PercentDone() const {
    const qint64 range = qint64(FMaxValue) - FMinValue;
    if (range == 0) {
        return 0;
    }
    return int((qint64(FProgress) - FMinValue) * 100 / range);
}

void TCGauge::SetProgress(int v) {
    const int clamped = qBound(FMinValue, v, FMaxValue);
    if (clamped == FProgress) {
        return;
    }
    const int before = PercentDone();
    FProgress = clamped;
    if (PercentDone() != before) {
        update();
    }
}

bool TCGauge::SetMaxValue(int v) {
    if (v == 0) {
        return true;
    }
    if (v < FMinValue) {
        return false;
    }
    FMaxValue = v;
    FProgress = qMin(FProgress, FMaxValue);
    update();
    return true;
}

void TCGauge::SetShowText(bool on) {
    FShowText = on;
    update();
}

void TCGauge::SetForeColor(const QColor& c) {
    FForeColor = c;
    update();
}

void TCGauge::SetBackColor(const QColor& c) {
    FBackColor = c;
    update();
}

void TCGauge::PaintBar(QImage& area) const {
    QPainter p(&area);
    p.fillRect(area.rect(), FBackColor);
    const int barWidth = qMin(area.width(), PercentDone() * area.width() / 100);
    if (barWidth > 0) {
        p.fillRect(0, 0, barWidth, area.height(), FForeColor);
    }
}

// The text is drawn white on black in its own image and combined with the bar by exclusive-or,
// so every text pixel shows the inverse of the colour beneath it.
void TCGauge::PaintPercentText(QImage& area) const {
    QImage text(area.size(), QImage::Format_RGB32);
    text.fill(Qt::black);
    {
        QPainter p(&text);
        QFont f = font();
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(text.rect(), Qt::AlignCenter, QString::number(PercentDone()) + QLatin1Char('%'));
    }
    QPainter p(&area);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(0, 0, text);
}

QImage TCGauge::RenderGauge() const {
    QImage whole(size(), QImage::Format_RGB32);
    whole.fill(Qt::black); // the single border
    if (width() > 2 && height() > 2) {
        QImage area(width() - 2, height() - 2, QImage::Format_RGB32);
        PaintBar(area);
        if (FShowText) {
            PaintPercentText(area);
        }
        QPainter p(&whole);
        p.drawImage(1, 1, area);
    }
    return whole;
}

void TCGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, RenderGauge());
}
