// A file dialog made on its first use.
#include "LazyFileDialog.h"

#include <QFileDialog>

void TLazyFileDialog::Prepare(QWidget* parent, const char* name, Setup setup) {
    parent_ = parent;
    name_ = name;
    setup_ = std::move(setup);
}

void TLazyFileDialog::Apply(Setup change) {
    if (dialog_ != nullptr)
        change(dialog_);
    else
        pending_.push_back(std::move(change));
}

QFileDialog* TLazyFileDialog::get() const {
    if (dialog_ == nullptr) {
        dialog_ = new QFileDialog(parent_);
        dialog_->setObjectName(QLatin1String(name_));
        if (setup_)
            setup_(dialog_);
        for (const Setup& change : pending_)
            change(dialog_);
        pending_.clear();
    }
    return dialog_;
}
