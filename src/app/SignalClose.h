// Turns SIGTERM, SIGINT and SIGHUP into an ordinary close of the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QSocketNotifier;
class QTimer;

// While it lives, the three signals close the main window from the event loop, exactly as
// File > Exit does, so the shut-down sequence runs and nothing is lost at logout. It is made
// before the window: a signal that comes while the window is still being built (a modal box of
// the start-up, for instance) closes that box and is kept until SetWindow. Once the window is
// closed, any box that still opens (one posted before the signal) is ended as well.
class SignalClose : public QObject {
    Q_OBJECT
public:
    explicit SignalClose(QObject* parent = nullptr);
    ~SignalClose() override;

    // The window to close, and how: by close() unless a closer is given. When a signal came
    // before, it is closed at once.
    void SetWindow(QWidget* window, std::function<void()> closer = {});
    // True once a signal has come.
    bool CloseRequested() const { return requested_; }

private:
    void HandleSignal();
    void CloseWindow();

    QPointer<QWidget> window_;
    std::function<void()> closer_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* boxCloser_ = nullptr;
    bool requested_ = false;
};
