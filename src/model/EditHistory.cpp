// The undo and redo ring.
#include "EditHistory.h"

namespace dorv {

void EditHistory::ResetHistory(const ParameterImage& image, int pageIndex) {
    oldest_ = current_ = newest_ = 0;
    entries_[0] = Snapshot{image.bytes(), pageIndex};
}

bool EditHistory::RecordSnapshot(const ParameterImage& image, int pageIndex) {
    if (image.bytes() == entries_[current_].Image)
        return false;
    current_ = Next(current_);
    newest_ = current_;
    if (oldest_ == current_)
        oldest_ = Next(oldest_);
    entries_[current_] = Snapshot{image.bytes(), pageIndex};
    return true;
}

EditHistory::RecordResult EditHistory::RecordChange(const ParameterImage& image, int pageIndex,
                                                    bool progHned) {
    RecordResult result;
    result.Changed = RecordSnapshot(image, pageIndex);
    if (progHned) {
        result.StartProgramming = result.Changed || autoProgramArmed_;
        autoProgramArmed_ = true;
    } else {
        autoProgramArmed_ = false;
    }
    return result;
}

EditHistory::StepResult EditHistory::Undo(bool progHned) {
    if (!CanUndo())
        return {};
    current_ = Previous(current_);
    return {true, progHned};
}

EditHistory::StepResult EditHistory::Redo(bool progHned) {
    if (!CanRedo())
        return {};
    current_ = Next(current_);
    return {true, progHned};
}

int RestoreSnapshot(ParameterImage& image, const Snapshot& snapshot) {
    image.bytes() = snapshot.Image;
    return snapshot.PageIndex;
}

} // namespace dorv
