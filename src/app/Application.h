// The application object of the tool: an exception that escapes an event is shown, not fatal.
#pragma once

#include <QApplication>

#include <exception>

// Catches what an event handler throws and shows it in a message box, so a fault in one
// command leaves the window and the technician's parameters as they are.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The application's standard exception message: a box naming what went wrong.
    static void ShowException(const std::exception_ptr& error);

    // How many escaped exceptions were caught so far.
    int ShownExceptions() const { return shown_; }

private:
    int shown_ = 0;
    bool showing_ = false;
};
