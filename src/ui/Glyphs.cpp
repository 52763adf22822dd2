// The small pictures of the toolbar buttons, drawn in code when a button first shows them.
#include "Glyphs.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <functional>
#include <utility>

namespace dorv {
namespace {

constexpr int GlyphSize = 16;

using GlyphPainter = std::function<void(QPainter&)>;

// Draws a glyph only when a button first paints it, at the size and pixel density asked for; the
// pixmaps made are kept. The disabled look is the style's, made from the normal one.
class GlyphEngine : public QIconEngine {
public:
    explicit GlyphEngine(GlyphPainter draw) : draw_(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        Q_UNUSED(state)
        const QSize pixels = size * scale;
        const QString key =
            QStringLiteral("%1x%2:%3").arg(pixels.width()).arg(pixels.height()).arg(mode);
        auto made = made_.constFind(key);
        if (made != made_.constEnd())
            return *made;
        QPixmap pixmap = Draw(pixels, scale);
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        made_.insert(key, pixmap);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new GlyphEngine(draw_); }
    QString key() const override { return QStringLiteral("dorv-glyph"); }

private:
    // The glyph's 16 x 16 grid stretched over the pixmap.
    QPixmap Draw(const QSize& pixels, qreal scale) const {
        QPixmap pixmap(pixels);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, pixels.width() > GlyphSize);
        painter.scale(pixels.width() / scale / GlyphSize, pixels.height() / scale / GlyphSize);
        draw_(painter);
        return pixmap;
    }

    GlyphPainter draw_;
    QHash<QString, QPixmap> made_;
};

QIcon DrawGlyph(GlyphPainter draw) {
    return QIcon(new GlyphEngine(std::move(draw)));
}

// A curved arrow from the right down to the left, its head at the left; mirrored for the right.
void DrawTurningArrow(QPainter& painter, bool toRight) {
    if (toRight) {
        painter.translate(GlyphSize, 0);
        painter.scale(-1, 1);
    }
    const QColor colour(0, 96, 160);
    QPainterPath bend;
    bend.moveTo(13.5, 12.5);
    bend.cubicTo(13.5, 5.5, 9, 4.5, 4.5, 6.5);
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bend);
    QPainterPath head;
    head.moveTo(1, 7.5);
    head.lineTo(6.5, 2.5);
    head.lineTo(7, 11);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(head);
}

} // namespace

QIcon NewFileGlyph() {
    return DrawGlyph([](QPainter& painter) {
        const QPolygonF sheet{{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}};
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawPolygon(sheet);
        painter.setBrush(QColor(208, 208, 208));
        painter.drawPolygon(QPolygonF{{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}});
    });
}

QIcon OpenFileGlyph() {
    return DrawGlyph([](QPainter& painter) {
        painter.setPen(QColor(128, 96, 0));
        painter.setBrush(QColor(232, 196, 64));
        painter.drawPolygon(
            QPolygonF{{1.5, 3.5}, {5.5, 3.5}, {6.5, 4.5}, {12.5, 4.5}, {12.5, 13.5}, {1.5, 13.5}});
        painter.setBrush(QColor(252, 228, 120));
        painter.drawPolygon(QPolygonF{{3.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}});
    });
}

QIcon SaveFileGlyph() {
    return DrawGlyph([](QPainter& painter) {
        painter.setPen(QColor(0, 0, 64));
        painter.setBrush(QColor(48, 80, 160));
        painter.drawPolygon(
            QPolygonF{{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}});
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(3.5, 1.5, 9, 5));
        painter.setBrush(QColor(192, 192, 192));
        painter.drawRect(QRectF(4.5, 9.5, 7, 5));
        painter.fillRect(QRectF(9, 2, 2, 4), QColor(48, 80, 160));
    });
}

QIcon PrinterGlyph() {
    return DrawGlyph([](QPainter& painter) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(4, 1, 7, 6);
        painter.setBrush(QColor(160, 160, 160));
        painter.drawRect(1, 7, 13, 5);
        painter.setBrush(Qt::white);
        painter.drawRect(4, 11, 7, 3);
        painter.fillRect(11, 9, 2, 1, Qt::green);
    });
}

QIcon UndoGlyph() {
    return DrawGlyph([](QPainter& painter) { DrawTurningArrow(painter, false); });
}

QIcon RedoGlyph() {
    return DrawGlyph([](QPainter& painter) { DrawTurningArrow(painter, true); });
}

} // namespace dorv
