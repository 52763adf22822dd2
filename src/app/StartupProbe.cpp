// Opt-in start-up probe: ends the process right after the main window's first show.
#include "StartupProbe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace dorv {
namespace {

class ExitAfterShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            // Leaves the events the show posted (layout, first paint) to run, then ends at once:
            // tearing the window down is not part of starting up.
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return false;
    }
};

} // namespace

void InstallStartupProbe(QWidget* window) {
    if (qEnvironmentVariableIsEmpty("DORV_EXIT_AFTER_SHOW"))
        return;
    window->installEventFilter(new ExitAfterShow(window));
}

} // namespace dorv
