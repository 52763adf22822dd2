// Tests of the program's application object and signal handling, in-process.
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <stdexcept>

#include "Application.h"
#include "SignalClose.h"

namespace {

// A window that notes its close events.
class ClosingWindow : public QWidget {
public:
    int Closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++Closes;
        QWidget::closeEvent(event);
    }
};

// An object whose every user event throws.
class Thrower : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Cell table out of range");
        return QObject::event(e);
    }
};

// Notes the text of every modal message box that opens and answers it.
void AnswerBoxes(QObject* context, QString* text) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, [text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->accept();
        }
    });
    timer->start(10);
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void escapedExceptionIsShownAndLoopGoesOn();
    void signalClosesBoxesThenWindow_data();
    void signalClosesBoxesThenWindow();
    void signalDuringStartupClosesWindowWhenSet();
    void boxPostedBeforeSignalIsEndedToo();
};

void TestApp::escapedExceptionIsShownAndLoopGoesOn() {
    auto* app = qobject_cast<TApplication*>(qApp);
    QVERIFY(app);
    Thrower thrower;
    QString shown;
    QObject context;
    AnswerBoxes(&context, &shown);
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTRY_COMPARE(shown, QStringLiteral("Cell table out of range"));
    QCOMPARE(app->ShownExceptions(), 1);
    // The loop still runs events after the box.
    bool later = false;
    QTimer::singleShot(0, [&] { later = true; });
    QTRY_VERIFY(later);
}

void TestApp::signalClosesBoxesThenWindow_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("withBox");
    QTest::newRow("SIGTERM") << SIGTERM << false;
    QTest::newRow("SIGINT") << SIGINT << false;
    QTest::newRow("SIGHUP") << SIGHUP << false;
    // A Yes/No box has no escape button and refuses an ordinary close.
    QTest::newRow("SIGTERM with a Yes/No box open") << SIGTERM << true;
}

void TestApp::signalClosesBoxesThenWindow() {
    QFETCH(int, signal);
    QFETCH(bool, withBox);
    SignalClose signalClose;
    ClosingWindow window;
    window.show();
    signalClose.SetWindow(&window);
    int answer = -1;
    if (withBox) {
        QTimer::singleShot(0, [&] { ::raise(signal); });
        QMessageBox box(QMessageBox::Question, QStringLiteral("DORV"), QStringLiteral("Sure?"),
                        QMessageBox::Yes | QMessageBox::No, &window);
        answer = box.exec(); // returns only when the signal has ended it
        QVERIFY(answer != QMessageBox::Yes);
    } else {
        ::raise(signal);
    }
    QTRY_COMPARE(window.Closes, 1);
    QVERIFY(signalClose.CloseRequested());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestApp::signalDuringStartupClosesWindowWhenSet() {
    SignalClose signalClose;
    ::raise(SIGTERM);
    QTRY_VERIFY(signalClose.CloseRequested());
    ClosingWindow window;
    window.show();
    QCOMPARE(window.Closes, 0);
    signalClose.SetWindow(&window);
    QCOMPARE(window.Closes, 1);
}

void TestApp::boxPostedBeforeSignalIsEndedToo() {
    SignalClose signalClose;
    ClosingWindow window;
    window.show();
    signalClose.SetWindow(&window);
    ::raise(SIGTERM);
    QTRY_COMPARE(window.Closes, 1);
    // A box that opens after the close (posted earlier) ends by itself instead of blocking the
    // exit.
    QMessageBox box(QMessageBox::Question, QStringLiteral("DORV"), QStringLiteral("Sure?"),
                    QMessageBox::Yes | QMessageBox::No, &window);
    QVERIFY(box.exec() != QMessageBox::Yes);
}

int main(int argc, char* argv[]) {
    TApplication app(argc, argv);
    TestApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app.moc"
