// The image history folder: writing entries (on a worker thread), listing, pin, note, delete.
#pragma once

#include <QDateTime>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FileSystem.h"
#include "HistoryText.h"
#include "ParameterFile.h"

namespace dorv {

// DataFolderPath()/history.
QString HistoryFolderPath();

// One entry of the folder, as listed: its name, and its sidecar when that could be read.
struct HistoryEntry {
    QString Folder;
    QString Stem;
    HistoryName Name;                      // time and kind from the name
    std::optional<HistorySidecar> Sidecar; // nothing: missing or unreadable
    bool EntryPresent = false;             // the .ign file is there
    qint64 Bytes = 0;                      // the entry and its sidecar

    QString EntryPath() const;
    QString SidecarPath() const;
    // Listed, but not whole: its sidecar cannot be read or its .ign file is missing.
    bool Damaged() const { return !Sidecar || !EntryPresent; }
    bool Pinned() const { return Sidecar && Sidecar->Pinned; }
};

// The entries of the folder, newest first. Files whose names are not entry or sidecar names are
// passed over; a damaged entry is listed all the same. Without sidecars, only names and sizes
// are read (each Sidecar is then empty).
enum class SidecarReading { Read, Skip };
std::vector<HistoryEntry> ListHistory(const QString& folder,
                                      SidecarReading sidecars = SidecarReading::Read);

// The entry's image over a copy of current (as Open reads a file).
ParameterFileResult LoadHistoryEntry(const HistoryEntry& entry, const ParameterImage& current);

// Rewrites the sidecar with the pin or the note; fails on a damaged entry, which stays as it is.
FileWriteResult SetHistoryPinned(const HistoryEntry& entry, bool pinned);
FileWriteResult SetHistoryNote(const HistoryEntry& entry, const std::string& note);
// Removes the entry and its sidecar (the user's choice); false when either remains.
bool DeleteHistoryEntry(const HistoryEntry& entry);

// What an entry is made of.
struct HistoryRecord {
    HistoryKind Kind = HistoryKind::Read;
    ParameterImage Image;
    QDateTime Time; // local time of the event
    std::optional<int> ProgramCount;
    QString FileName;
};

struct HistoryWriteResult {
    enum class Outcome { Written, SameAsNewest, Failed };
    Outcome What = Outcome::Failed;
    HistoryKind Kind = HistoryKind::Read;
    ParameterImage Image; // the record's image
    QString Stem;         // the entry written
    FileWriteResult Failure;
    int Removed = 0; // entries retention removed after the write
};

// Writes entries into one folder: a name of its own for each (two in the same millisecond get
// the next free millisecond), the entry (the parameter file's writer, replacing atomically) and
// then its sidecar; an entry the same as the newest one of its kind and unit is not written
// again. After each write the oldest unpinned entries beyond the limits go.
class HistoryStore {
public:
    explicit HistoryStore(QString folder, int maxEntries = HistoryMaxEntries,
                          std::int64_t maxBytes = HistoryMaxBytes);

    HistoryWriteResult Write(const HistoryRecord& record);
    // Removes the oldest unpinned, undamaged entries beyond the limits; how many went.
    int ApplyRetention();
    const QString& Folder() const { return folder_; }

private:
    // The parameter text of the newest entry of the kind and unit, when there is one.
    std::optional<std::string> NewestText(HistoryKind kind, const std::string& unit);
    QDateTime FreeTime(QDateTime time) const;

    QString folder_;
    int maxEntries_;
    std::int64_t maxBytes_;
    QDateTime lastTime_;
    // "<kind> <unit>" -> the newest entry of that kind and unit, and its parameter text.
    struct Newest {
        QString Stem;
        std::string Text;
    };
    std::map<std::string, Newest> newest_;
};

// Runs a HistoryStore on a thread of its own: Queue never waits for the disk. Done is called on
// that thread after each record.
class HistoryWriter {
public:
    using Done = std::function<void(const HistoryWriteResult&)>;

    HistoryWriter(QString folder, Done done);
    // Writes what is queued, then ends the thread.
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    void Queue(HistoryRecord record);
    // Waits until everything queued so far is written (tests, shut-down).
    void WaitUntilWritten();

private:
    void Run();

    HistoryStore store_;
    Done done_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<HistoryRecord> queued_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread worker_;
};

} // namespace dorv
