// The 200-entry undo and redo ring with the decisions of programming after change.
#pragma once

#include "ParameterImage.h"

namespace dorv {

struct Snapshot {
    ParameterImage::Bytes Image{};
    int PageIndex = 0;
};

class EditHistory {
public:
    static constexpr int Capacity = 200;

    struct RecordResult {
        bool Changed = false;          // a snapshot was added: refresh the undo controls
        bool StartProgramming = false; // programming after change: program the unit now
    };
    struct StepResult {
        bool Moved = false;            // restore Current() into the image, select its page, refill
        bool StartProgramming = false; // programming after change is ticked: program the unit now
    };

    EditHistory() = default;

    // Empties the history and stores the image as its only entry.
    void ResetHistory(const ParameterImage& image, int pageIndex);
    // Adds a snapshot when the image differs from the current entry; applies the arming rule of
    // programming after change (progHned = the state of the "Programming after change" box).
    RecordResult RecordChange(const ParameterImage& image, int pageIndex, bool progHned);
    // Adds a snapshot when the image differs from the current entry, as RecordChange does, with
    // no programming decision (a Read: the unit holds the image already). True when one was added.
    bool RecordSnapshot(const ParameterImage& image, int pageIndex);
    StepResult Undo(bool progHned);
    StepResult Redo(bool progHned);

    const Snapshot& Current() const { return entries_[current_]; }
    bool CanUndo() const { return current_ != oldest_; }
    bool CanRedo() const { return current_ != newest_; }
    bool AutoProgramArmed() const { return autoProgramArmed_; }
    int Oldest() const { return oldest_; }
    int CurrentIndex() const { return current_; }
    int Newest() const { return newest_; }

private:
    static int Next(int i) { return i == Capacity - 1 ? 0 : i + 1; }
    static int Previous(int i) { return i == 0 ? Capacity - 1 : i - 1; }

    std::array<Snapshot, Capacity> entries_{};
    int oldest_ = 0;
    int current_ = 0;
    int newest_ = 0;
    bool autoProgramArmed_ = false;
};

// Copies the snapshot's image bytes into the image (nothing next to the image is touched) and
// returns the page the snapshot was recorded on.
int RestoreSnapshot(ParameterImage& image, const Snapshot& snapshot);

} // namespace dorv
