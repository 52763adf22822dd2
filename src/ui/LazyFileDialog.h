// A file dialog made on its first use (building one costs more than the rest of the window), and
// running a file dialog so that nothing of it keeps the keyboard afterwards.
#pragma once

#include <functional>
#include <vector>

#include <QString>

class QFileDialog;
class QWidget;

namespace dorv {

// Runs a file dialog; the chosen file's full path, or empty when the user cancels. Nothing of the
// dialog keeps the keyboard once it has closed (see ReleaseKeyboardAfter).
QString ExecFileDialog(QFileDialog* dialog);

// After a dialog has closed nothing of it keeps the keyboard. A name completion list that was
// showing when the dialog was accepted by Enter would stay on screen, over the window, and take the
// next keys; it is hidden, and the window that opened the dialog gets the keyboard back.
void ReleaseKeyboardAfter(const QWidget* dialog);

} // namespace dorv

// Stands where a QFileDialog* stands (-> and conversion); the dialog is created, named and set up
// the first time it is reached, and is owned by the parent from then on.
class TLazyFileDialog {
public:
    using Setup = std::function<void(QFileDialog*)>;

    void Prepare(QWidget* parent, const char* name, Setup setup);
    bool IsCreated() const { return dialog_ != nullptr; }
    // Changes the dialog now if it exists, else when it is created (after the setup, in order).
    void Apply(Setup change);

    QFileDialog* get() const;
    QFileDialog* operator->() const { return get(); }
    operator QFileDialog*() const { return get(); }

private:
    QWidget* parent_ = nullptr;
    const char* name_ = "";
    Setup setup_;
    mutable std::vector<Setup> pending_;
    mutable QFileDialog* dialog_ = nullptr;
};
