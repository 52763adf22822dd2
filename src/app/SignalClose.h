// Turns SIGTERM, SIGINT and SIGHUP into an ordinary close of the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

// While it lives, the three signals close the given window from the event loop, exactly as
// File > Exit does, so the shut-down sequence runs and nothing is lost at logout.
class SignalClose : public QObject {
    Q_OBJECT
public:
    explicit SignalClose(QWidget* window, QObject* parent = nullptr);
    ~SignalClose() override;

private:
    void HandleSignal();

    QPointer<QWidget> window_;
    QSocketNotifier* notifier_ = nullptr;
};
