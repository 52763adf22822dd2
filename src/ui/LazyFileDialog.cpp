// A file dialog made on its first use.
#include "LazyFileDialog.h"

#include <QFileDialog>

void TLazyFileDialog::Prepare(QWidget* parent, const char* name, Setup setup) {
    parent_ = parent;
    name_ = name;
    setup_ = std::move(setup);
}

QFileDialog* TLazyFileDialog::get() const {
    if (dialog_ == nullptr) {
        dialog_ = new QFileDialog(parent_);
        dialog_->setObjectName(QLatin1String(name_));
        if (setup_)
            setup_(dialog_);
    }
    return dialog_;
}
