// Signal handling: a self-pipe carries the signal into the event loop.
#include "SignalClose.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void WriteSignal(int signalNumber) {
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

SignalClose::SignalClose(QWidget* window, QObject* parent) : QObject(parent), window_(window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalClose::HandleSignal);
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &action, nullptr);
}

SignalClose::~SignalClose() {
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::signal(s, SIG_DFL);
}

void SignalClose::HandleSignal() {
    char byte = 0;
    [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
    // A modal box has its own loop; close it first so the window's close runs now.
    while (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    if (window_)
        window_->close();
    else
        QApplication::quit();
}
