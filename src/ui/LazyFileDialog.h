// A file dialog made on its first use: building one costs more than the rest of the window.
#pragma once

#include <functional>
#include <vector>

class QFileDialog;
class QWidget;

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
