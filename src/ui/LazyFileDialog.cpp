// A file dialog made on its first use, and running a file dialog so that nothing of it stays.
#include "LazyFileDialog.h"

#include <QApplication>
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

namespace dorv {

namespace {

// True when a popup window belongs to the dialog: made inside it, or standing in for one of its
// controls, as a name completion list does for the edit it completes.
bool PopupOf(const QWidget* popup, const QWidget* dialog) {
    const QWidget* owner = popup->focusProxy() ? popup->focusProxy() : popup->parentWidget();
    return owner != nullptr && (owner == dialog || dialog->isAncestorOf(owner));
}

} // namespace

void ReleaseKeyboardAfter(const QWidget* dialog) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowType() == Qt::Popup && top->isVisible() && PopupOf(top, dialog))
            top->hide();
    QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (owner != nullptr && owner->isVisible() && QApplication::activeWindow() == nullptr)
        owner->activateWindow();
}

QString ExecFileDialog(QFileDialog* dialog) {
    const int result = dialog->exec();
    ReleaseKeyboardAfter(dialog);
    if (result != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

} // namespace dorv
