// Turns a manual written in Markdown into an A4 PDF with page numbers, using Qt Gui only.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

// The widest a picture is drawn, in the document's pixels (1/96 in): about four fifths of the
// text width of an A4 page with 2 cm margins, so that fewer pages end half empty.
constexpr double WidestPicture = 520.0;

// Gives each picture a width that fits the page, keeping its shape; returns the pictures that
// could not be read.
QStringList FitPictures(QTextDocument& document) {
    QStringList missing;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            const QUrl url = document.baseUrl().resolved(QUrl(format.name()));
            const QImage picture(url.toLocalFile());
            const QSize size = picture.size();
            if (picture.isNull()) {
                missing << url.toLocalFile();
                continue;
            }
            // Held by the document under the name it is written with: the copy that print() pages
            // asks its original for the picture by that name.
            document.addResource(QTextDocument::ImageResource, QUrl(format.name()), picture);
            const double width = qMin<double>(size.width(), WidestPicture);
            format.setWidth(width);
            format.setHeight(width * size.height() / size.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return missing;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeManual MANUAL.md OUTPUT.pdf\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "MakeManual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    // Pictures are named relative to the manual's own folder.
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(input).absolutePath() + QLatin1Char('/')));
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    const QStringList missing = FitPictures(document);
    for (const QString& picture : missing)
        std::fprintf(stderr, "MakeManual: picture not found: %s\n", qPrintable(picture));
    if (!missing.isEmpty())
        return 1;

    QPdfWriter writer(output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setTitle(document.begin().text());
    writer.setCreator(QStringLiteral("DORV MakeManual"));
    // Without a page size of its own, the document is paged by the writer with 2 cm margins and
    // numbered pages.
    document.print(&writer);
    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "MakeManual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
