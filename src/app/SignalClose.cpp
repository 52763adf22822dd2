// Signal handling: a socket pair carries the signal from its handler into the event loop.
#include "SignalClose.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int ClosingSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int BoxCloserInterval = 20; // ms

int signalPipe[2] = {-1, -1};

void WriteSignal(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
    errno = savedErrno;
}

// Ends every modal box and dialog, innermost first, as its Cancel or close button would.
void EndModalBoxes() {
    QWidget* last = nullptr;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == last) // a box that will not go away: leave it rather than loop
            break;
        last = modal;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->hide();
    }
}

} // namespace

SignalClose::SignalClose(QObject* parent) : QObject(parent), boxCloser_(new QTimer(this)) {
    // A box posted before the signal may still open after it; it must not hold the exit up.
    boxCloser_->setInterval(BoxCloserInterval);
    connect(boxCloser_, &QTimer::timeout, this, &EndModalBoxes);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalClose::HandleSignal);
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : ClosingSignals)
        ::sigaction(s, &action, nullptr);
}

SignalClose::~SignalClose() {
    for (int s : ClosingSignals)
        ::signal(s, SIG_DFL);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void SignalClose::SetWindow(QWidget* window, std::function<void()> closer) {
    window_ = window;
    closer_ = std::move(closer);
    if (requested_)
        CloseWindow();
}

void SignalClose::HandleSignal() {
    char byte = 0;
    [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
    requested_ = true;
    EndModalBoxes();
    CloseWindow();
}

void SignalClose::CloseWindow() {
    if (!window_)
        return;
    boxCloser_->start();
    if (closer_)
        closer_();
    else
        window_->close();
}
