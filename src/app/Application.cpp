// The application object: exceptions that escape an event handler become a message box.
#include "Application.h"

#include <QMessageBox>

#include <cstdio>

namespace {

QString ExceptionText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        ++shown_;
        if (showing_) { // a fault while its box is open: told on standard error only
            std::fprintf(stderr, "dorv: %s\n", qPrintable(ExceptionText(error)));
            return false;
        }
        showing_ = true;
        ShowException(error);
        showing_ = false;
        return false;
    }
}

void TApplication::ShowException(const std::exception_ptr& error) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("DORV"), ExceptionText(error),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ExceptionBox"));
    box.exec();
}
