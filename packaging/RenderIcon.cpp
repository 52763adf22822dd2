// Draws the program's icon, the "DORV" word in a rounded frame, as SVG and as PNG files in the
// sizes desktops ask for: RenderIcon <folder> <name> <size>... writes <folder>/<name>.svg and
// <folder>/<size>/<name>.png.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

// The drawing on a 256 x 256 canvas: a white tile with a navy frame and the word in bold italics.
constexpr double Canvas = 256;
constexpr double FrameInset = 14;
constexpr double FrameRadius = 40;
constexpr double FrameWidth = 14;
constexpr double WordSize = 58;
const QColor Navy(0, 0, 128);
const char* const Word = "DORV";

QString Svg() {
    const double side = Canvas - 2 * FrameInset;
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
               "viewBox=\"0 0 %1 %1\">\n"
               "  <rect x=\"%2\" y=\"%2\" width=\"%3\" height=\"%3\" rx=\"%4\" ry=\"%4\" "
               "fill=\"#ffffff\" stroke=\"%5\" stroke-width=\"%6\"/>\n"
               "  <text x=\"%7\" y=\"%7\" fill=\"%5\" font-family=\"DejaVu Sans, sans-serif\" "
               "font-size=\"%8\" font-weight=\"bold\" font-style=\"italic\" "
               "text-anchor=\"middle\" dominant-baseline=\"central\">%9</text>\n"
               "</svg>\n")
        .arg(Canvas)
        .arg(FrameInset)
        .arg(side)
        .arg(FrameRadius)
        .arg(Navy.name())
        .arg(FrameWidth)
        .arg(Canvas / 2)
        .arg(WordSize)
        .arg(QLatin1String(Word));
}

QImage Png(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / Canvas, size / Canvas);
    const QRectF frame(FrameInset, FrameInset, Canvas - 2 * FrameInset, Canvas - 2 * FrameInset);
    p.setPen(QPen(Navy, FrameWidth));
    p.setBrush(Qt::white);
    p.drawRoundedRect(frame, FrameRadius, FrameRadius);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(WordSize));
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, Canvas, Canvas), Qt::AlignCenter, QLatin1String(Word));
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: RenderIcon <folder> <name> <size>...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    QFile svg(folder.filePath(name + QStringLiteral(".svg")));
    if (!folder.mkpath(QStringLiteral(".")) || !svg.open(QIODevice::WriteOnly) ||
        svg.write(Svg().toUtf8()) < 0) {
        std::fprintf(stderr, "RenderIcon: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString path = folder.filePath(QStringLiteral("%1/%2.png").arg(size).arg(name));
        if (size <= 0 || !folder.mkpath(QString::number(size)) || !Png(size).save(path)) {
            std::fprintf(stderr, "RenderIcon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
