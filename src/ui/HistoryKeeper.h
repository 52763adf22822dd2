// The main window's image history: what it keeps when, File > History, and failed writes.
#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>

#include "History.h"
#include "TransferSequencer.h"

class QAction;
class QLabel;
class TFormHlav;
class THistoryWindow;

// Keeps the images the window sees in the history folder (HistoryFolderPath() as it stands when
// the window is made). Entries are written on the writer's thread, so a transfer never waits for
// the disk; a write that fails is told once in the status bar, until one succeeds again.
class THistoryKeeper : public QObject {
    Q_OBJECT
public:
    explicit THistoryKeeper(TFormHlav& window);
    ~THistoryKeeper() override;

    // After the window has acted on a tick's or a start command's events: a Read that replaced
    // the editor's image (before-read, and the Read as one undo step), a pass that ended (read,
    // programmed; a unit that answered with something else is read into a copy), the copy.
    void TakeTransferEvents(const dorv::TransferEvents& events);
    // Before Open or New replace the editor's image: kept when no entry holds it yet.
    void KeepBeforeReplace(dorv::HistoryKind kind);
    // File > History: the history window, made on first use, listed again each time.
    void ShowHistory();
    void ApplyLanguage();
    // Waits until every entry asked for so far is written and told (tests, benchmarks).
    void WaitUntilWritten();

    QAction* MenuHistory = nullptr;
    QPointer<THistoryWindow> FormHistory;
    // The status bar's note of a failed write; made on the first failure.
    QLabel* LabelHistoryNote = nullptr;

private:
    void Keep(dorv::HistoryKind kind, const dorv::ParameterImage& image);
    dorv::HistoryWriter& Writer();
    void Written(const dorv::HistoryWriteResult& result);
    void Restore(const dorv::ParameterImage& image);
    void ShowFailure();
    // The editor's image is held by an entry (written, found the same, or restored).
    void MarkHeld(const dorv::ParameterImage& image);
    bool Held(const dorv::ParameterImage& image) const;

    TFormHlav& window_;
    QString folder_;
    std::unique_ptr<dorv::HistoryWriter> writer_;
    std::string heldText_; // the parameter text of the editor's image an entry holds
    std::optional<dorv::ParameterImage> readImage_; // a Read's image until its verify ends
    std::optional<int> programCount_;               // from the last monitor frame
    bool unitCopyWanted_ = false;                   // for a unit-differs entry
    // The failed pass's message, shown again once the copy read after it has ended.
    std::optional<dorv::TransferDisplay> failureShown_;
    std::optional<dorv::FileWriteResult> failure_; // the last write's failure, while told
};
