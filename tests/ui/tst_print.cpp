// Tests of the printed report: print view while printing, heading, PDF output, restore afterwards.
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QMessageBox>
#include <QPageLayout>
#include <QPalette>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSizeF>
#include <QStatusBar>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>

#include "Cgauges.h"
#include "Cspin.h"
#include "EditUpDown.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "ScriptedUnit.h"
#include "ServoTable.h"
#include "WindowTestEnv.h"

using namespace dorv;

namespace {

// Which controls are hidden, which page tabs show and which up-downs have buttons.
struct WindowLook {
    QMap<QString, bool> hidden;
    QList<bool> tabsVisible;
    QStringList upDownsWithoutButtons;

    static WindowLook Of(const TFormHlav& w) {
        WindowLook look;
        for (const QWidget* child : w.findChildren<QWidget*>()) {
            if (child->objectName().isEmpty())
                continue;
            look.hidden[child->objectName()] = child->isHidden();
            if (auto* upDown = qobject_cast<const TEditUpDown*>(child);
                upDown && upDown->buttonSymbols() == QAbstractSpinBox::NoButtons)
                look.upDownsWithoutButtons << upDown->objectName();
        }
        for (int page = 0; page < w.PageControl1->count(); ++page)
            look.tabsVisible << w.PageControl1->isTabVisible(page);
        return look;
    }

    // The controls whose visibility differs from other's.
    QStringList ChangedSince(const WindowLook& other) const {
        QStringList changed;
        for (auto it = hidden.cbegin(); it != hidden.cend(); ++it)
            if (other.hidden.value(it.key(), !it.value()) != it.value())
                changed << it.key();
        return changed;
    }
};

// The operation controls that print view hides.
QList<QWidget*> OperationControls(const TFormHlav& w) {
    QList<QWidget*> controls{w.StatusBar1,        w.General.ImageLogo,  w.Commands.GroupBoxToolBar,
                             w.Live.LabelSpojeni, w.ButtonMinus,        w.ButtonPlus,
                             w.CheckBoxAll,       w.General.ButtonTps0, w.General.ButtonTps100,
                             w.Live.CGaugeRpm,    w.Live.CGaugeTps};
    for (TCSpinButton* spin : w.CSpinButtonColumn)
        controls << spin;
    return controls;
}

QList<TEditUpDown*> AllUpDowns(const TFormHlav& w) {
    return {w.General.UpDownTps0, w.General.UpDownTps100, w.UpDownHystMv, w.UpDownHystRpm,
            w.ServoTable->Editor()};
}

// What a poppler tool prints about the PDF; empty if it fails.
QString PopplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF in the order it is drawn, every run of blanks and line ends made one blank.
QString PdfText(const QString& pdf) {
    return PopplerOutput(QStringLiteral("pdftotext"),
                         {QStringLiteral("-raw"), pdf, QStringLiteral("-")})
        .simplified();
}

// The names of the fonts the PDF uses.
QStringList PdfFonts(const QString& pdf) {
    QStringList names;
    const QStringList lines =
        PopplerOutput(QStringLiteral("pdffonts"), {pdf}).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) // below the heading and its rule
        names << line.section(' ', 0, 0, QString::SectionSkipEmpty);
    return names;
}

// The images in the PDF, one line of pdfimages each.
QStringList PdfImages(const QString& pdf) {
    return PopplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
        .split('\n', Qt::SkipEmptyParts)
        .mid(2);
}

int PdfPageCount(const QString& pdf) {
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(PopplerOutput(QStringLiteral("pdfinfo"), {pdf}));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

// The size of the first page in points.
QSizeF PdfPageSize(const QString& pdf) {
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                           QRegularExpression::MultilineOption)
            .match(PopplerOutput(QStringLiteral("pdfinfo"), {pdf}));
    return size.hasMatch() ? QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble())
                           : QSizeF();
}

constexpr int PictureDpi = 150;

// The first page as a PNG at PictureDpi; a null image if poppler fails.
QImage PdfPicture(const QString& pdf) {
    const QString base = pdf.chopped(4);
    const int status =
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"),
                           QString::number(PictureDpi), QStringLiteral("-singlefile"), pdf, base});
    return status == 0 ? QImage(base + QStringLiteral(".png")) : QImage();
}

// Where a control lies in the client area (the central widget's content).
QRect InClient(const TFormHlav& w, const QWidget* control, QRect part = {}) {
    const QWidget* client = w.findChild<QWidget*>(QStringLiteral("ClientArea"));
    if (part.isNull())
        part = control->rect();
    return QRect(control->mapTo(client, part.topLeft()), part.size());
}

// True when every pixel of the area (less a pixel at its edges) has the same grey, give or take.
bool IsPlain(const QImage& picture, const QRect& area) {
    const QRect inner = area.adjusted(1, 1, -1, -1) & picture.rect();
    int lightest = 0;
    int darkest = 255;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x) {
            lightest = std::max(lightest, qGray(picture.pixel(x, y)));
            darkest = std::min(darkest, qGray(picture.pixel(x, y)));
        }
    return !inner.isEmpty() && lightest - darkest <= 8;
}

// The grey that most pixels of the area have: the ground under a label's text.
int CommonestGrey(const QImage& picture, const QRect& area) {
    std::array<int, 256> count{};
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++count[qGray(picture.pixel(x, y))];
    return int(std::max_element(count.cbegin(), count.cend()) - count.cbegin());
}

// The smallest rectangle holding every pixel that is not white.
QRect InkBox(const QImage& picture) {
    QRect ink;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 250)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The printable part of an A4 page (QPrinter's default margins) on the page picture.
QRectF PrintableOnPicture(QPageLayout::Orientation orientation) {
    QPageLayout layout = QPrinter(QPrinter::HighResolution).pageLayout();
    layout.setOrientation(orientation);
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    return {paint.topLeft() * PictureDpi, paint.size() * PictureDpi};
}

// Where a rectangle of the client area lies on the page picture: the printed area as large as fits
// the printable part of the page, in the orientation where it is larger, aspect kept, centred
// across, at the top.
QRect OnPicture(const QRect& area, const QRect& printed) {
    auto scaleIn = [&](const QRectF& paint) {
        return std::min(paint.width() / printed.width(), paint.height() / printed.height());
    };
    QRectF paint = PrintableOnPicture(QPageLayout::Portrait);
    if (const QRectF landscape = PrintableOnPicture(QPageLayout::Landscape);
        scaleIn(landscape) > scaleIn(paint))
        paint = landscape;
    const qreal scale = scaleIn(paint);
    const QPointF origin(paint.left() + (paint.width() - printed.width() * scale) / 2, paint.top());
    const QPointF topLeft = origin + QPointF(area.topLeft() - printed.topLeft()) * scale;
    return QRectF(topLeft, QSizeF(area.size()) * scale).toAlignedRect();
}

// The label's text without its access-key marks.
QString Caption(const QString& text) {
    QString caption = text;
    return caption.remove(QLatin1Char('&'));
}

// Runs a check when the label is painted while the window is in print view, that is while the
// window is drawn for the report.
class PrintViewProbe : public QObject {
public:
    PrintViewProbe(TFormHlav& w, std::function<void()> check) : w_(w), check_(std::move(check)) {
        w.Live.LabelHlaseni->installEventFilter(this);
    }
    int Checks = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && w_.Printer.PrintView) {
            ++Checks;
            check_();
        }
        return false;
    }

private:
    TFormHlav& w_;
    std::function<void()> check_;
};

// The window shown, with one tick run so that the live display shows what a silent port gives.
bool ShowAfterTick(TFormHlav& w) {
    w.show();
    w.OnTick();
    return QTest::qWaitForWindowExposed(&w);
}

// Closes the first modal box that shows and keeps its text.
void CloseNextModalBox(QObject* context, QString* text) {
    auto* closer = new QTimer(context);
    QObject::connect(closer, &QTimer::timeout, [closer, text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->close();
            closer->stop();
        }
    });
    closer->start(20);
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void printsActivePageInPrintView_data();
    void printsActivePageInPrintView();
    void headingByLanguage_data();
    void headingByLanguage();
    void failedOrCancelledPrintRestoresWindow_data();
    void failedOrCancelledPrintRestoresWindow();
    void noPrinterAsksForPdfFile();
    void coloursBackAfterPrint_data();
    void coloursBackAfterPrint();

private:
    // A private configuration folder; a port that opens and stays silent (no unit).
    testing::WindowTestEnv env_;
    QTemporaryDir output_;
};

void TestPrint::initTestCase() {
    QVERIFY(output_.isValid());
}

void TestPrint::init() {
    CurrentLanguage = Language::English;
}

void TestPrint::printsActivePageInPrintView_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("tpEnable");
    QTest::newRow("general page") << 0 << true;
    QTest::newRow("servo 1, all rows") << 1 << true;
    QTest::newRow("servo 1, row 0 only") << 1 << false;
    QTest::newRow("servo 2") << 2 << true;
}

void TestPrint::printsActivePageInPrintView() {
    QFETCH(int, page);
    QFETCH(bool, tpEnable);
    TFormHlav w;
    w.Image.servo(page == 1 ? 0 : 1).TpEnable() = tpEnable ? 1 : 0;
    w.PageControl1->setCurrentIndex(page);
    w.FillEditors();
    QVERIFY(ShowAfterTick(w));
    // Live values as with a unit: the labels are filled with the button face.
    QVERIFY(testing::ConnectScriptedUnit(w));
    QVERIFY(w.Live.LabelServoPoz1->autoFillBackground());
    const WindowLook before = WindowLook::Of(w);
    QVERIFY(before.upDownsWithoutButtons.isEmpty());

    const QString pdf = output_.filePath(QStringLiteral("page%1-%2.pdf").arg(page).arg(tpEnable));
    QRect printed;          // the part of the client area the report shows
    QRect heading;          // where the heading label lies while printing
    QString headingText;    // and what it says
    QRect otherTabs;        // the tab row right of the active page's tab
    QStringList shownTexts; // captions and values that show while printing
    w.Printer.ChoosePrintTarget = [&]() -> std::optional<QString> { return pdf; };
    QWidget* client = w.findChild<QWidget*>(QStringLiteral("ClientArea"));
    QVERIFY(client);
    // The window as it is printed.
    PrintViewProbe probe(w, [&] {
        QVERIFY(w.Printer.PrintView);
        QVERIFY(w.Live.LabelHlaseni->isVisibleTo(&w));
        QVERIFY(
            w.Live.LabelHlaseni->text().startsWith(QStringLiteral("Date and Time of printing:  ")));
        QVERIFY(w.Live.CGaugeProgram->isHidden());
        QCOMPARE(w.palette().color(QPalette::Window), QColor(Qt::white));
        for (QWidget* control : OperationControls(w))
            QVERIFY2(control->isHidden(), qPrintable(control->objectName()));
        for (TEditUpDown* upDown : AllUpDowns(w))
            QCOMPARE(upDown->buttonSymbols(), QAbstractSpinBox::NoButtons);
        for (int tab = 0; tab < 3; ++tab)
            QCOMPARE(w.PageControl1->isTabVisible(tab), tab == page);
        QCOMPARE(w.PageControl1->currentIndex(), page);
        QVERIFY(w.ServoTable->isVisibleTo(&w) == (page != 0));
        QVERIFY(w.General.UpDownTps0->isVisibleTo(&w) == (page == 0));
        QCOMPARE(w.ServoTable->RowLabelColour(0), QColor(Qt::white));
        printed = w.Printer.PrintedArea();
        heading = InClient(w, w.Live.LabelHlaseni);
        headingText = w.Live.LabelHlaseni->text();
        // The heading covers no other control.
        for (const QWidget* other : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != w.Live.LabelHlaseni && other->isVisibleTo(client))
                QVERIFY2(!other->geometry().intersects(heading), qPrintable(other->objectName()));
        QVERIFY(printed.contains(heading));
        const QRect tab = w.PageControl1->tabBar()->tabRect(page).translated(
            w.PageControl1->tabBar()->mapTo(client, QPoint()));
        otherTabs = QRect(tab.right() + 4, tab.top() + 3,
                          InClient(w, w.PageControl1).right() - tab.right() - 8, tab.height() - 6);
        shownTexts = QStringList{headingText,
                                 w.Live.LabelRpm->text(),
                                 w.Live.LabelNapeti->text(),
                                 w.Live.LabelServoPoz1->text(),
                                 w.Live.LabelServoMer2->text(),
                                 Caption(w.Live.CheckBoxProgHned->text())};
        if (page == 0) {
            shownTexts << w.General.GroupBoxSetTps->title() << w.General.RadioGroupPocPulsu->title()
                       << w.General.LabelTps0->text() << w.General.UpDownTps0->text()
                       << w.General.UpDownTps100->text();
        } else {
            shownTexts << Caption(w.CheckBoxServoEnable->text()) << w.LabelHystMv->text()
                       << w.UpDownHystRpm->text();
            if (tpEnable)
                shownTexts << TServoTable::RowLabelText(0)
                           << TServoTable::RowLabelText(ThrottleRows - 1);
            const int lastRow = tpEnable ? ThrottleRows - 1 : 0;
            for (int c = 0; c < RpmColumns; ++c)
                shownTexts << w.ServoTable->CellText({RpmRow, c})
                           << w.ServoTable->CellText({lastRow, c});
        }
    });
    w.OnPrint();
    QCOMPARE(probe.Checks, 1);

    // Every control back as it was; the heading stays, the progress gauge stays hidden.
    QVERIFY(!w.Printer.PrintView);
    WindowLook after = WindowLook::Of(w);
    QVERIFY(!after.hidden.value(QStringLiteral("LabelHlaseni")));
    after.hidden[QStringLiteral("LabelHlaseni")] = before.hidden[QStringLiteral("LabelHlaseni")];
    QVERIFY2(after.ChangedSince(before).isEmpty(),
             qPrintable(after.ChangedSince(before).join(' ')));
    QCOMPARE(after.tabsVisible, QList<bool>({true, true, true}));
    QVERIFY(after.upDownsWithoutButtons.isEmpty());
    QCOMPARE(w.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    if (page != 0) {
        for (int r = 1; r < ThrottleRows; ++r)
            QCOMPARE(w.ServoTable->isVisible() && w.ServoTable->IsCellShown({r, 7}), tpEnable);
        QCOMPARE(w.CSpinButtonColumn[7]->isVisible(), tpEnable);
        QVERIFY(w.ButtonPlus->isVisible());
    } else {
        QVERIFY(w.General.ButtonTps0->isVisible());
    }

    if (const QString keep = qEnvironmentVariable("DORV_KEEP_PRINT"); !keep.isEmpty())
        QFile::copy(pdf, keep + QLatin1Char('/') + QFileInfo(pdf).fileName());

    // One page of drawing, not a picture of the window: the texts are text in embedded fonts, and
    // there is no image.
    QCOMPARE(PdfPageCount(pdf), 1);
    const QString text = PdfText(pdf);
    for (const QString& shown : std::as_const(shownTexts))
        QVERIFY2(text.contains(shown.simplified()),
                 qPrintable(shown + QStringLiteral(" in ") + text));
    QVERIFY2(!PdfFonts(pdf).isEmpty(), "no font in the report");
    QVERIFY2(PdfImages(pdf).isEmpty(), qPrintable(PdfImages(pdf).join('\n')));

    // A wide window goes on a landscape page and fills its printable part across (less the
    // margin round the controls), and most of it.
    const QSizeF pageSize = PdfPageSize(pdf);
    QVERIFY(pageSize.width() > pageSize.height());
    const QImage picture = PdfPicture(pdf);
    QVERIFY(!picture.isNull());
    const QRectF printable = PrintableOnPicture(QPageLayout::Landscape);
    const QRect ink = InkBox(picture);
    QVERIFY2(printable.adjusted(-1, -1, 1, 1).contains(ink),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())));
    QVERIFY2(ink.width() >= 0.97 * printable.width(), qPrintable(QString::number(ink.width())));
    QVERIFY2(ink.width() * ink.height() >= 0.8 * printable.width() * printable.height(),
             qPrintable(QString::number(ink.height())));

    // The heading is printed; where buttons, arrows and other tabs were, one colour.
    auto plain = [&](const QRect& area) { return IsPlain(picture, OnPicture(area, printed)); };
    QVERIFY(!plain(heading));
    QVERIFY(plain(otherTabs));
    for (QWidget* control : OperationControls(w))
        if (control->isVisible() && client->isAncestorOf(control))
            QVERIFY2(plain(InClient(w, control)), qPrintable(control->objectName()));
    int arrowsChecked = 0;
    for (TEditUpDown* upDown : AllUpDowns(w))
        if (upDown->isVisible()) {
            const QRect editor = InClient(w, upDown);
            QVERIFY2(plain({editor.right() - 13, editor.top() + 4, 11, editor.height() - 8}),
                     qPrintable(upDown->objectName()));
            ++arrowsChecked;
        }
    // The cells the table draws: the place of every arrow plain as well.
    if (page != 0)
        for (int r = RpmRow; r < ThrottleRows; ++r)
            for (int c = 0; c < RpmColumns; ++c)
                if (w.ServoTable->IsCellShown({r, c})) {
                    const QRect cell = InClient(w, w.ServoTable, TServoTable::CellRect({r, c}));
                    QVERIFY2(plain({cell.right() - 13, cell.top() + 4, 11, cell.height() - 8}),
                             qPrintable(QStringLiteral("cell %1 %2").arg(r).arg(c)));
                    ++arrowsChecked;
                }
    // Two general or hysteresis editors, the table's editor, and 165 or 30 drawn cells.
    QCOMPARE(arrowsChecked, page == 0 ? 2 : (tpEnable ? 168 : 33));
    QVERIFY(!plain(InClient(w, page == 0 ? w.General.GroupBoxSetTps : w.GroupBoxServo)));

    // White under every label: the live values, the heading, the check box, the row labels.
    QList<QWidget*> labels{w.Live.LabelRpm,       w.Live.LabelTpsMon,     w.Live.LabelNapeti,
                           w.Live.LabelServoPoz1, w.Live.LabelServoMer1,  w.Live.LabelServoPoz2,
                           w.Live.LabelServoMer2, w.Live.CheckBoxProgHned};
    if (page != 0)
        labels << w.LabelHystMv << w.CheckBoxServoEnable;
    for (QWidget* label : labels)
        QVERIFY2(CommonestGrey(picture, OnPicture(InClient(w, label), printed)) >= 250,
                 qPrintable(label->objectName()));
    if (page != 0 && tpEnable)
        for (int r : {0, ThrottleRows - 1})
            QVERIFY2(CommonestGrey(picture, OnPicture(InClient(w, w.ServoTable,
                                                               w.ServoTable->RowLabelRect(r)),
                                                      printed)) >= 250,
                     qPrintable(TServoTable::RowLabelText(r)));
    QVERIFY(CommonestGrey(picture, OnPicture(heading, printed)) >= 250);
}

void TestPrint::headingByLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("heading"); // empty: the label keeps its text
    QTest::newRow("Czech") << 0 << QStringLiteral("Datum a čas tisku:  ");
    QTest::newRow("English") << 1 << QStringLiteral("Date and Time of printing:  ");
    QTest::newRow("German") << 2 << QStringLiteral("Date and Time of printing:  ");
    QTest::newRow("French") << 3 << QString();
}

void TestPrint::headingByLanguage() {
    QFETCH(int, language);
    QFETCH(QString, heading);
    TFormHlav w;
    CurrentLanguage = LanguageOfNumber(language);
    w.ApplyLanguage();
    // A message on screen from before: the unit was being read.
    w.Sequencer().ShowMessage(MessageId::MsgReading, std::string(), 0);
    const QString pdf = output_.filePath(QStringLiteral("heading%1.pdf").arg(language));
    w.Printer.ChoosePrintTarget = [&]() -> std::optional<QString> { return pdf; };
    const QLocale locale = QLocale::system();
    const QDateTime before = QDateTime::currentDateTime();
    w.OnPrint();
    const QDateTime after = QDateTime::currentDateTime();
    if (const QString keep = qEnvironmentVariable("DORV_KEEP_PRINT"); !keep.isEmpty())
        QFile::copy(pdf, keep + QLatin1Char('/') + QFileInfo(pdf).fileName());

    // The heading stays for the message time, and is printed as text.
    const QString printed = w.Live.LabelHlaseni->text();
    QVERIFY(w.Live.LabelHlaseni->isVisibleTo(&w));
    QCOMPARE(w.Sequencer().State().MessageTicks, MessageTime);
    QVERIFY2(PdfText(pdf).contains(printed.simplified()), qPrintable(printed));
    if (heading.isEmpty()) {
        QCOMPARE(printed, w.Messages.MsgReading);
        return;
    }
    // Heading, date, four blanks, time: a second between the clock readings around the print.
    QStringList expected;
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after; t = t.addSecs(1))
        expected << heading + locale.toString(t.date(), QLocale::ShortFormat) +
                        QStringLiteral("    ") + locale.toString(t.time(), QLocale::LongFormat);
    QVERIFY2(expected.contains(printed),
             qPrintable(printed + QStringLiteral(" / ") + expected.join('|')));
}

void TestPrint::failedOrCancelledPrintRestoresWindow_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("failed") << false;
}

void TestPrint::failedOrCancelledPrintRestoresWindow() {
    QFETCH(bool, cancel);
    TFormHlav w;
    w.PageControl1->setCurrentIndex(1);
    QVERIFY(ShowAfterTick(w));
    const WindowLook before = WindowLook::Of(w);
    const QString unwritable = output_.filePath(QStringLiteral("no-such-folder/report.pdf"));
    w.Printer.ChoosePrintTarget = [&]() -> std::optional<QString> {
        if (cancel)
            return std::nullopt;
        return unwritable;
    };
    QString boxText;
    CloseNextModalBox(&w, &boxText);
    w.OnPrint();

    QCOMPARE(boxText.isEmpty(), cancel);
    if (!cancel)
        QVERIFY2(boxText.contains(unwritable), qPrintable(boxText));
    // A cancelled choice leaves the window untouched; a failed print shows the heading.
    QCOMPARE(w.Live.LabelHlaseni->isHidden(), cancel);
    QVERIFY(!QFile::exists(unwritable));
    QVERIFY(!w.Printer.PrintView);
    WindowLook after = WindowLook::Of(w);
    after.hidden[QStringLiteral("LabelHlaseni")] = before.hidden[QStringLiteral("LabelHlaseni")];
    QVERIFY2(after.ChangedSince(before).isEmpty(),
             qPrintable(after.ChangedSince(before).join(' ')));
    QCOMPARE(after.tabsVisible, before.tabsVisible);
    QVERIFY(after.upDownsWithoutButtons.isEmpty());
    QCOMPARE(w.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
}

void TestPrint::noPrinterAsksForPdfFile() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a printer is installed: the report would go to it");
    TFormHlav w;
    QVERIFY(ShowAfterTick(w));
    const QString chosen = output_.filePath(QStringLiteral("chosen"));
    bool dialogShown = false;
    auto* answer = new QTimer(&w);
    connect(answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialogShown = dialog->acceptMode() == QFileDialog::AcceptSave;
            answer->stop();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(chosen);
            QTest::keyClick(name, Qt::Key_Return);
        }
    });
    answer->start(20);
    w.OnPrint();

    QVERIFY(dialogShown);
    QCOMPARE(PdfPageCount(chosen + QStringLiteral(".pdf")), 1);
    QVERIFY(!w.Printer.PrintView);
}

// The colours a control shows: its ground, its edit ground, its face, and whether it fills its
// ground.
QString ColoursOf(const QWidget* control) {
    const QPalette& p = control->palette();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(p.color(QPalette::Window).name(), p.color(QPalette::Base).name(),
             p.color(QPalette::Button).name())
        .arg(control->autoFillBackground());
}

// The colours of the window and of every named control that shows.
QMap<QString, QString> ColoursOfAll(const TFormHlav& w) {
    QMap<QString, QString> colours;
    colours[w.objectName()] = ColoursOf(&w);
    for (const QWidget* control : w.findChildren<QWidget*>())
        if (!control->objectName().isEmpty() && control->isVisible())
            colours[control->objectName()] = ColoursOf(control);
    return colours;
}

void TestPrint::coloursBackAfterPrint_data() {
    QTest::addColumn<bool>("fails");
    QTest::addColumn<bool>("programAfterChange");
    QTest::newRow("printed") << false << false;
    QTest::newRow("printed, programming after change") << false << true;
    QTest::newRow("failed") << true << false;
}

// After the print, whether it went out or failed, the operating cell's marker and every other
// colour are back at once, before the engine moves and before the next tick.
void TestPrint::coloursBackAfterPrint() {
    QFETCH(bool, fails);
    QFETCH(bool, programAfterChange);
    TFormHlav w;
    w.Image.servo(0).TpEnable() = 1;
    w.PageControl1->setCurrentIndex(1);
    w.FillEditors();
    w.Live.CheckBoxProgHned->setChecked(programAfterChange);
    w.ShowServoEditors();
    QVERIFY(ShowAfterTick(w));
    QVERIFY(testing::ConnectScriptedUnit(w));
    const OperatingCell cell{.Column = 3, .Row = 4};
    QCOMPARE(w.OperatingCell, cell);
    const QColor lime(0, 255, 0);
    QCOMPARE(w.ServoTable->CellColour({4, 3}), lime);
    QCOMPARE(w.ServoTable->CellColour({RpmRow, 3}), lime);
    QCOMPARE(w.ServoTable->RowLabelColour(4), lime);
    const QMap<QString, QString> before = ColoursOfAll(w);

    w.Printer.ChoosePrintTarget = [&]() -> std::optional<QString> {
        return output_.filePath(fails ? QStringLiteral("no-such-folder/colours.pdf")
                                      : QStringLiteral("colours.pdf"));
    };
    QString boxText;
    CloseNextModalBox(&w, &boxText);
    w.OnPrint();
    QCOMPARE(boxText.isEmpty(), !fails);
    // The window right after the print, to look at.
    if (const QString keep = qEnvironmentVariable("DORV_KEEP_PRINT"); !keep.isEmpty())
        w.grab().save(keep + QStringLiteral("/after-print-%1.png")
                                 .arg(QTest::currentDataTag())
                                 .replace(QLatin1Char(' '), QLatin1Char('-'))
                                 .remove(QLatin1Char(',')));

    QCOMPARE(w.ServoTable->RowLabelColour(4), lime);
    QCOMPARE(w.ServoTable->CellColour({4, 3}), lime);
    QCOMPARE(w.ServoTable->RowLabelColour(3), QApplication::palette().color(QPalette::Button));
    QMap<QString, QString> after = ColoursOfAll(w);
    // What the print changes on purpose: the heading's ground is the button face.
    QStringList changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (after.value(it.key()) != it.value() && it.key() != QStringLiteral("LabelHlaseni"))
            changed << it.key() + QStringLiteral(": ") + it.value() + QStringLiteral(" -> ") +
                           after.value(it.key());
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
    // The next tick, with the engine where it was, changes no colour either.
    w.OnTick();
    QCOMPARE(w.ServoTable->RowLabelColour(4), lime);
    QCOMPARE(w.ServoTable->CellColour({4, 3}), lime);
    const QImage drawn = w.ServoTable->grab().toImage();
    QCOMPARE(drawn.pixelColor(w.ServoTable->RowLabelRect(4).topLeft() + QPoint(1, 1)), lime);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
