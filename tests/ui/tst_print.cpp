// Tests of the printed report: print view while printing, heading, PDF output, restore afterwards.
#include <QtTest>

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include "Cgauges.h"
#include "Cspin.h"
#include "EditUpDown.h"
#include "Hlav.h"
#include "Jazyk1.h"

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
};

// The operation controls that print view hides.
QList<QWidget*> OperationControls(const TFormHlav& w) {
    QList<QWidget*> controls{w.StatusBar1,   w.ImageLogo,  w.GroupBoxToolBar, w.LabelSpojeni,
                             w.ButtonMinus,  w.ButtonPlus, w.CheckBoxAll,     w.ButtonTps0,
                             w.ButtonTps100, w.CGaugeRpm,  w.CGaugeTps};
    for (TCSpinButton* spin : w.CSpinButtonColumn)
        controls << spin;
    return controls;
}

QList<TEditUpDown*> AllUpDowns(const TFormHlav& w) {
    QList<TEditUpDown*> upDowns{w.UpDownTps0, w.UpDownTps100, w.UpDownHystMv, w.UpDownHystRpm};
    for (TEditUpDown* upDown : w.UpDownRpm)
        upDowns << upDown;
    for (const auto& row : w.UpDownServo)
        for (TEditUpDown* upDown : row)
            upDowns << upDown;
    return upDowns;
}

int PdfPageCount(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(process.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
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

QRect InWindow(const TFormHlav& w, const QWidget* control) {
    return QRect(control->mapTo(&w, QPoint()), control->size());
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

// Where a rectangle of the window lies on the page picture: the client area fills the printable
// width or height of the page, aspect kept, centred across.
QRect OnPicture(const QRect& area, const QRect& client) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Inch);
    const qreal dpi = PictureDpi;
    const qreal scale =
        std::min(paint.width() * dpi / client.width(), paint.height() * dpi / client.height());
    const QPointF origin(paint.left() * dpi + (paint.width() * dpi - client.width() * scale) / 2,
                         paint.top() * dpi);
    const QPointF topLeft = origin + QPointF(area.topLeft() - client.topLeft()) * scale;
    return QRectF(topLeft, QSizeF(area.size()) * scale).toAlignedRect();
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

private:
    QTemporaryDir config_;
    QTemporaryDir output_;
};

void TestPrint::initTestCase() {
    QVERIFY(config_.isValid());
    QVERIFY(output_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
}

void TestPrint::init() {
    CurrentLanguage = 1;
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
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const WindowLook before = WindowLook::Of(w);
    QVERIFY(before.upDownsWithoutButtons.isEmpty());

    const QString pdf = output_.filePath(QStringLiteral("page%1-%2.pdf").arg(page).arg(tpEnable));
    bool asked = false;
    QRect heading;   // where the heading label lies while printing
    QRect otherTabs; // the tab row right of the active page's tab
    w.ChoosePrintTarget = [&]() -> std::optional<QString> {
        asked = true;
        // The window as it is printed.
        [&] {
            QVERIFY(w.PrintView);
            QVERIFY(w.LabelHlaseni->isVisibleTo(&w));
            QVERIFY(
                w.LabelHlaseni->text().startsWith(QStringLiteral("Date and Time of printing:  ")));
            QVERIFY(w.CGaugeProgram->isHidden());
            QCOMPARE(w.palette().color(QPalette::Window), QColor(Qt::white));
            for (QWidget* control : OperationControls(w))
                QVERIFY2(control->isHidden(), qPrintable(control->objectName()));
            for (TEditUpDown* upDown : AllUpDowns(w))
                QCOMPARE(upDown->buttonSymbols(), QAbstractSpinBox::NoButtons);
            for (int tab = 0; tab < 3; ++tab)
                QCOMPARE(w.PageControl1->isTabVisible(tab), tab == page);
            QCOMPARE(w.PageControl1->currentIndex(), page);
            QVERIFY(w.EditServo(0, 0)->isVisibleTo(&w) == (page != 0));
            QVERIFY(w.UpDownTps0->isVisibleTo(&w) == (page == 0));
            QCOMPARE(w.LabelRowTps[0]->palette().color(QPalette::Window), QColor(Qt::white));
        }();
        heading = InWindow(w, w.LabelHlaseni);
        const QRect tab = w.PageControl1->tabBar()->tabRect(page).translated(
            w.PageControl1->tabBar()->mapTo(&w, QPoint()));
        otherTabs = QRect(tab.right() + 4, tab.top() + 3,
                          InWindow(w, w.PageControl1).right() - tab.right() - 8, tab.height() - 6);
        return pdf;
        return pdf;
    };
    w.SpeedButtonPrintClick();
    QVERIFY(asked);

    // Every control back as it was; the heading stays, the progress gauge stays hidden.
    QVERIFY(!w.PrintView);
    WindowLook after = WindowLook::Of(w);
    QVERIFY(!after.hidden.value(QStringLiteral("LabelHlaseni")));
    after.hidden[QStringLiteral("LabelHlaseni")] = before.hidden[QStringLiteral("LabelHlaseni")];
    QCOMPARE(after.hidden, before.hidden);
    QCOMPARE(after.tabsVisible, QList<bool>({true, true, true}));
    QVERIFY(after.upDownsWithoutButtons.isEmpty());
    QCOMPARE(w.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    if (page != 0) {
        for (int r = 1; r < ThrottleRows; ++r)
            QCOMPARE(w.UpDownServo[r][7]->isVisible(), tpEnable);
        QCOMPARE(w.CSpinButtonColumn[7]->isVisible(), tpEnable);
        QVERIFY(w.ButtonPlus->isVisible());
    } else {
        QVERIFY(w.ButtonTps0->isVisible());
    }

    if (const QString keep = qEnvironmentVariable("DORV_KEEP_PRINT"); !keep.isEmpty())
        QFile::copy(pdf, keep + QLatin1Char('/') + QFileInfo(pdf).fileName());

    // One page: the heading is printed; where buttons, arrows and other tabs were, one colour.
    QCOMPARE(PdfPageCount(pdf), 1);
    const QImage picture = PdfPicture(pdf);
    QVERIFY(!picture.isNull());
    const QRect client(0, w.centralWidget()->y(), w.width(), w.height() - w.centralWidget()->y());
    auto plain = [&](const QRect& area) { return IsPlain(picture, OnPicture(area, client)); };
    QVERIFY(!plain(heading));
    QVERIFY(plain(otherTabs));
    for (QWidget* control : OperationControls(w))
        if (control->isVisible())
            QVERIFY2(plain(InWindow(w, control)), qPrintable(control->objectName()));
    int arrowsChecked = 0;
    for (TEditUpDown* upDown : AllUpDowns(w))
        if (upDown->isVisible()) {
            const QRect editor = InWindow(w, upDown);
            QVERIFY2(plain({editor.right() - 13, editor.top() + 4, 11, editor.height() - 8}),
                     qPrintable(upDown->objectName()));
            ++arrowsChecked;
        }
    QCOMPARE(arrowsChecked, page == 0 ? 2 : (tpEnable ? 167 : 32));
    QVERIFY(!plain(InWindow(w, page == 0 ? w.GroupBoxSetTps : w.GroupBoxServo)));
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
    CurrentLanguage = static_cast<unsigned char>(language);
    w.LabelHlaseni->setText(QStringLiteral("Reading:"));
    QString printed;
    w.ChoosePrintTarget = [&]() -> std::optional<QString> {
        printed = w.LabelHlaseni->text();
        return std::nullopt;
    };
    const QLocale locale = QLocale::system();
    const QDateTime before = QDateTime::currentDateTime();
    w.SpeedButtonPrintClick();
    const QDateTime after = QDateTime::currentDateTime();

    QCOMPARE(w.LabelHlaseni->text(), printed);
    QVERIFY(w.LabelHlaseni->isVisibleTo(&w));
    if (heading.isEmpty()) {
        QCOMPARE(printed, QStringLiteral("Reading:"));
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
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const WindowLook before = WindowLook::Of(w);
    const QString unwritable = output_.filePath(QStringLiteral("no-such-folder/report.pdf"));
    w.ChoosePrintTarget = [&]() -> std::optional<QString> {
        if (cancel)
            return std::nullopt;
        return unwritable;
    };
    QString boxText;
    CloseNextModalBox(&w, &boxText);
    w.SpeedButtonPrintClick();

    QCOMPARE(boxText.isEmpty(), cancel);
    if (!cancel)
        QVERIFY2(boxText.contains(unwritable), qPrintable(boxText));
    QVERIFY(!QFile::exists(unwritable));
    QVERIFY(!w.PrintView);
    WindowLook after = WindowLook::Of(w);
    after.hidden[QStringLiteral("LabelHlaseni")] = before.hidden[QStringLiteral("LabelHlaseni")];
    QCOMPARE(after.hidden, before.hidden);
    QCOMPARE(after.tabsVisible, before.tabsVisible);
    QVERIFY(after.upDownsWithoutButtons.isEmpty());
    QCOMPARE(w.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
}

void TestPrint::noPrinterAsksForPdfFile() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a printer is installed: the report would go to it");
    TFormHlav w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
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
    w.SpeedButtonPrintClick();

    QVERIFY(dialogShown);
    QCOMPARE(PdfPageCount(chosen + QStringLiteral(".pdf")), 1);
    QVERIFY(!w.PrintView);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
