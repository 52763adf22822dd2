// The edit session: the image, its undo history and the one path every change of the image takes.
#include "EditSession.h"

namespace dorv {

void EditSession::ReplaceImage(const ParameterImage& image) {
    Image = image;
    Commit();
}

void EditSession::CommitEditors() {
    editors_.PackEditors();
    Commit();
}

void EditSession::Commit() {
    NormalizeRpmPoints(Image);
    editors_.FillEditors();
    Record();
}

void EditSession::Record() {
    const auto result =
        History.RecordChange(Image, editors_.ActivePage(), editors_.ProgramAfterChange());
    if (result.Changed)
        ShowUndoState();
    if (result.StartProgramming)
        editors_.StartProgramming();
}

void EditSession::RecordFromUnit() {
    if (History.RecordSnapshot(Image, editors_.ActivePage()))
        ShowUndoState();
}

void EditSession::TakeEditors() {
    editors_.PackEditors();
    NormalizeRpmPoints(Image);
}

void EditSession::Undo() {
    ApplyHistoryStep(History.Undo(editors_.ProgramAfterChange()));
}

void EditSession::Redo() {
    ApplyHistoryStep(History.Redo(editors_.ProgramAfterChange()));
}

void EditSession::ResetHistory() {
    History.ResetHistory(Image, editors_.ActivePage());
    ShowUndoState();
}

void EditSession::RestoreSnapshot() {
    editors_.ShowRestored(dorv::RestoreSnapshot(Image, History.Current()));
}

void EditSession::ApplyHistoryStep(const EditHistory::StepResult& step) {
    if (!step.Moved)
        return;
    RestoreSnapshot();
    ShowUndoState();
    if (step.StartProgramming)
        editors_.StartProgramming();
}

void EditSession::ShowUndoState() {
    editors_.ShowUndoState(History.CanUndo(), History.CanRedo());
}

} // namespace dorv
