// The edit session: the image, its undo history and the one path every change of the image takes.
#pragma once

#include "EditHistory.h"
#include "ParameterImage.h"

namespace dorv {

// The window's side of an edit session: its editors, its pages and the unit's programming.
class SessionEditors {
public:
    // Copies the editors of the active page into the image.
    virtual void PackEditors() = 0;
    // Copies the image into the editors of the active page.
    virtual void FillEditors() = 0;
    // The page the editors show now (recorded with each change; 0 is the general page).
    virtual int ActivePage() const = 0;
    // "Programming after change" is ticked.
    virtual bool ProgramAfterChange() const = 0;
    // Sends the image to the unit (one programming pass).
    virtual void StartProgramming() = 0;
    // Enables undo and redo.
    virtual void ShowUndoState(bool canUndo, bool canRedo) = 0;
    // After an undo or redo: the editors show the image again, on the page it was recorded on.
    virtual void ShowRestored(int page) = 0;

protected:
    ~SessionEditors() = default;
};

// Every change of the image goes one way: edit -> (pack) -> normalise -> fill -> record ->
// programming after change. An editor's commit packs first (CommitEditors); a change made on the
// image (a table operation, Minus/Plus, a TPS capture) edits Image and calls Commit; a whole new
// image (Open, New, a restored or compared image) goes through ReplaceImage.
class EditSession {
public:
    explicit EditSession(SessionEditors& editors) : editors_(editors) {}

    ParameterImage Image;
    EditHistory History;

    // Replaces the whole image as one undoable step (with programming after change), as Open does.
    void ReplaceImage(const ParameterImage& image);
    // The editors' values into the image, then Commit: an editor's commit.
    void CommitEditors();
    // After an edit of Image: normalise, fill the editors, record the step.
    void Commit();
    // Records the image as an undo step when it changed; starts programming when programming after
    // change says so. For a change the editors already show (a radio button the user clicked).
    void Record();
    // Records the image, which the editors already show, as an undo step that never starts
    // programming: a Read, whose image the unit holds already.
    void RecordFromUnit();
    // The editors' values into the image, normalised, without an undo step: what Save, Program,
    // Verify and closing take.
    void TakeEditors();

    void Undo();
    void Redo();
    // Empties the history and keeps the image with the active page as its only entry.
    void ResetHistory();
    // Copies the current history entry into the image and shows it on its page.
    void RestoreSnapshot();

private:
    void ApplyHistoryStep(const EditHistory::StepResult& step);
    void ShowUndoState();

    SessionEditors& editors_;
};

} // namespace dorv
