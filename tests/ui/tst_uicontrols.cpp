// Tests of the bar gauge, the spin button, the toolbar glyphs and the application's style.
#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>

#include <memory>

#include "Cgauges.h"
#include "Cspin.h"
#include "Glyphs.h"
#include "LazyIconStyle.h"

// A spin button at the size the servo columns use, with its two events counted.
struct SpinFixture {
    SpinFixture() {
        spin.resize(17, 23);
        spin.show();
    }
    TCSpinButton spin;
    QSignalSpy up{&spin, &TCSpinButton::OnUpClick};
    QSignalSpy down{&spin, &TCSpinButton::OnDownClick};
};

class TestUiControls : public QObject {
    Q_OBJECT
private slots:
    void gaugePercent_data();
    void gaugePercent();
    void gaugeMaxValue();
    void gaugeTextInvertsColours();
    void spinQuickClick();
    void spinRepeatsAfterDelay();
    void spinReleaseOffArrowDoesNotFire();
    void spinKeyboard();
    void spinPressEndsWhenHiddenOrDisabled_data();
    void spinPressEndsWhenHiddenOrDisabled();
    void glyphsDrawAtEverySizeAndGreyWhenDisabled_data();
    void glyphsDrawAtEverySizeAndGreyWhenDisabled();
    void lazyStyleIconsAreTheStylesOwn_data();
    void lazyStyleIconsAreTheStylesOwn();
};

void TestUiControls::gaugePercent_data() {
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("storedProgress");
    QTest::addColumn<int>("percent");
    QTest::newRow("program 3 of 7 rounds down") << 7 << 3 << 3 << 42;
    QTest::newRow("above maximum is clamped") << 7 << 12 << 7 << 100;
    QTest::newRow("below minimum is clamped") << 100 << -5 << 0 << 0;
    QTest::newRow("rpm scale") << 100 << 63 << 63 << 63;
    QTest::newRow("large range does not overflow") << 2000000000 << 1999999999 << 1999999999 << 99;
}

void TestUiControls::gaugePercent() {
    QFETCH(int, maxValue);
    QFETCH(int, progress);
    TCGauge gauge;
    QVERIFY(gauge.SetMaxValue(maxValue));
    gauge.SetProgress(progress);
    QTEST(gauge.Progress(), "storedProgress");
    QTEST(gauge.PercentDone(), "percent");
}

void TestUiControls::gaugeMaxValue() {
    TCGauge gauge;
    gauge.SetProgress(80);
    QVERIFY(gauge.SetMaxValue(0)); // ignored
    QCOMPARE(gauge.MaxValue(), 100);
    QCOMPARE(gauge.Progress(), 80);
    QVERIFY(!gauge.SetMaxValue(-3)); // below the minimum: refused, nothing changes
    QCOMPARE(gauge.MaxValue(), 100);
    QVERIFY(gauge.SetMaxValue(7)); // progress is lowered to the new maximum
    QCOMPARE(gauge.Progress(), 7);
    QCOMPARE(gauge.PercentDone(), 100);
}

// A half-full aqua bar on white: the per-cent text shows red where it crosses the bar (the
// inverse of aqua) and black where it crosses the background; the bar ends at half the area.
void TestUiControls::gaugeTextInvertsColours() {
    TCGauge gauge;
    gauge.resize(203, 18);
    gauge.SetForeColor(Qt::cyan);
    gauge.SetProgress(50);
    const QImage image = gauge.RenderGauge();
    QCOMPARE(image.size(), QSize(203, 18));
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black)); // border
    const int areaWidth = 201;
    const int barEnd = 1 + 50 * areaWidth / 100; // first background column
    QCOMPARE(image.pixelColor(barEnd - 1, 2), QColor(Qt::cyan));
    QCOMPARE(image.pixelColor(barEnd, 2), QColor(Qt::white));
    int red = 0, black = 0;
    for (int y = 1; y < 17; ++y) {
        for (int x = 1; x < 202; ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c == QColor(Qt::red) && x < barEnd;
            black += c == QColor(Qt::black) && x >= barEnd;
        }
    }
    QVERIFY(red > 0);
    QVERIFY(black > 0);

    gauge.SetShowText(false);
    const QImage plain = gauge.RenderGauge();
    for (int x = 1; x < barEnd; ++x) {
        QCOMPARE(plain.pixelColor(x, 9), QColor(Qt::cyan));
    }
}

void TestUiControls::spinQuickClick() {
    SpinFixture f;
    auto& [spin, up, down] = f;
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 4));
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0).at(0).value<TCSpinButton*>(), &spin);
    QCOMPARE(down.count(), 0);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    QCOMPARE(up.count(), 1);
    QCOMPARE(down.count(), 1);
}

// Held down: nothing before 400 ms, one click at 400 ms, then one every 100 ms, one on release.
void TestUiControls::spinRepeatsAfterDelay() {
    SpinFixture f;
    auto& [spin, up, down] = f;
    QElapsedTimer held;
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    held.start();
    QTRY_COMPARE_WITH_TIMEOUT(down.count(), 1, 2000);
    const qint64 firstAt = held.elapsed();
    QVERIFY2(firstAt >= TCSpinButton::RepeatDelayMs, qPrintable(QString::number(firstAt)));
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    QCOMPARE(down.count(), 2);
    QCOMPARE(up.count(), 0);

    down.clear();
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    held.restart();
    QTRY_COMPARE_WITH_TIMEOUT(down.count(), 1, 2000);
    const qint64 first = held.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(down.count(), 2, 2000);
    QVERIFY(held.elapsed() - first >= TCSpinButton::RepeatIntervalMs);
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    QCOMPARE(down.count(), 3);
}

void TestUiControls::spinReleaseOffArrowDoesNotFire() {
    SpinFixture f;
    auto& [spin, up, down] = f;
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 4));
    QMouseEvent away(QEvent::MouseMove, QPointF(8, 19), spin.mapToGlobal(QPointF(8, 19)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&spin, &away);
    QTest::qWait(TCSpinButton::RepeatDelayMs + 150); // no repeat while off the pressed arrow
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    QCOMPARE(up.count(), 0);
    QCOMPARE(down.count(), 0);
}

void TestUiControls::spinKeyboard() {
    SpinFixture f;
    auto& [spin, up, down] = f;
    QTest::keyClick(&spin, Qt::Key_Space); // initially the up button
    QCOMPARE(up.count(), 1);
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(down.count(), 1);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(up.count(), 2);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 19));
    QCOMPARE(down.count(), 2);
    QTest::keyClick(&spin, Qt::Key_Space); // now the last pressed: down
    QCOMPARE(down.count(), 3);
    QCOMPARE(up.count(), 2);
}

void TestUiControls::spinPressEndsWhenHiddenOrDisabled_data() {
    QTest::addColumn<bool>("hide");
    QTest::newRow("hidden") << true;
    QTest::newRow("disabled") << false;
}

// Rows and their spin buttons are hidden while a press may be held; the release then goes
// elsewhere, and the column must not go on stepping.
void TestUiControls::spinPressEndsWhenHiddenOrDisabled() {
    QFETCH(bool, hide);
    SpinFixture f;
    auto& [spin, up, down] = f;
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(8, 4));
    hide ? spin.hide() : spin.setEnabled(false);
    QTest::qWait(TCSpinButton::RepeatDelayMs + 250);
    QCOMPARE(up.count(), 0);
    spin.show();
    spin.setEnabled(true);
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(8, 4));
    QCOMPARE(up.count(), 0);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(8, 4)); // and it works again
    QCOMPARE(up.count(), 1);
}

namespace {

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

// True when some opaque pixel carries colour; a greyed picture has none.
bool HasColour(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 0 && (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)))
                return true;
        }
    return false;
}

} // namespace

void TestUiControls::glyphsDrawAtEverySizeAndGreyWhenDisabled_data() {
    QTest::addColumn<QIcon>("glyph");
    QTest::newRow("new") << dorv::NewFileGlyph();
    QTest::newRow("open") << dorv::OpenFileGlyph();
    QTest::newRow("save") << dorv::SaveFileGlyph();
    QTest::newRow("print") << dorv::PrinterGlyph();
    QTest::newRow("undo") << dorv::UndoGlyph();
    QTest::newRow("redo") << dorv::RedoGlyph();
}

void TestUiControls::glyphsDrawAtEverySizeAndGreyWhenDisabled() {
    QFETCH(QIcon, glyph);
    for (const int side : {16, 32}) {
        const QImage normal = glyph.pixmap(QSize(side, side)).toImage();
        QCOMPARE(normal.size(), QSize(side, side));
        // A picture, not an empty or a filled square.
        QVERIFY2(OpaquePixels(normal) > side * side / 16, qPrintable(QString::number(side)));
        QVERIFY(OpaquePixels(normal) < side * side);
        const QImage disabled = glyph.pixmap(QSize(side, side), QIcon::Disabled).toImage();
        QCOMPARE(disabled.size(), normal.size());
        QVERIFY(disabled != normal);
        QVERIFY(!HasColour(disabled));
        QVERIFY(OpaquePixels(disabled) > 0);
    }
    // The undo and redo arrows are mirror pictures of each other, not the same one.
    const QImage undo = dorv::UndoGlyph().pixmap(16, 16).toImage();
    const QImage redo = dorv::RedoGlyph().pixmap(16, 16).toImage();
    QVERIFY(undo != redo);
    QCOMPARE(undo.mirrored(true, false), redo);
}

void TestUiControls::lazyStyleIconsAreTheStylesOwn_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QSize>("size");
    QTest::newRow("menu bar's extension arrow")
        << int(QStyle::SP_ToolBarHorizontalExtensionButton) << QSize(8, 16);
    QTest::newRow("tool bar's extension arrow, larger")
        << int(QStyle::SP_ToolBarVerticalExtensionButton) << QSize(32, 32);
    QTest::newRow("an icon passed straight on")
        << int(QStyle::SP_MessageBoxWarning) << QSize(32, 32);
}

// Whether read at once or when first drawn, each icon is the style's own picture, in every mode.
void TestUiControls::lazyStyleIconsAreTheStylesOwn() {
    QFETCH(int, which);
    QFETCH(QSize, size);
    const QString name = QApplication::style()->name();
    const TLazyIconStyle lazy(name);
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(name));
    QVERIFY(plain);
    const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
    const QIcon asked = lazy.standardIcon(pixmap);
    const QIcon own = plain->standardIcon(pixmap);
    QVERIFY(!own.isNull());
    QCOMPARE(asked.isNull(), false);
    QCOMPARE(asked.availableSizes(), own.availableSizes());
    QCOMPARE(asked.actualSize(size), own.actualSize(size));
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
        QCOMPARE(asked.pixmap(size, mode).toImage(), own.pixmap(size, mode).toImage());
}

QTEST_MAIN(TestUiControls)
#include "tst_uicontrols.moc"
