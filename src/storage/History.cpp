// The image history folder: writing entries (on a worker thread), listing, pin, note, delete.
#include "History.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "ConfigFolder.h"
#include "StorageFiles.h"

namespace dorv {

namespace {

// A sidecar holds a few short lines; anything far larger is not one.
constexpr qint64 MaxSidecarBytes = 64 * 1024;

QString Suffixed(const QString& folder, const QString& stem, std::string_view suffix) {
    return folder + QLatin1Char('/') + stem + QString::fromLatin1(suffix.data(), suffix.size());
}

HistoryStamp StampOf(const QDateTime& time) {
    const QDate d = time.date();
    const QTime t = time.time();
    return {d.year(),   d.month(),  d.day(),  t.hour(),
            t.minute(), t.second(), t.msec(), time.offsetFromUtc()};
}

std::optional<HistorySidecar> ReadSidecar(const QString& path) {
    const std::optional<QByteArray> bytes = ReadWholeFile(path, MaxSidecarBytes);
    if (!bytes)
        return std::nullopt;
    return ReadSidecarText(std::string_view(bytes->constData(), bytes->size()));
}

FileWriteResult WriteSidecar(const HistoryEntry& entry, const HistorySidecar& sidecar) {
    return WriteFileAtomically(entry.SidecarPath(),
                               QByteArray::fromStdString(SidecarText(sidecar)));
}

FileWriteResult RewriteSidecar(const HistoryEntry& entry,
                               const std::function<void(HistorySidecar&)>& change) {
    std::optional<HistorySidecar> sidecar = ReadSidecar(entry.SidecarPath());
    if (!sidecar || !QFileInfo(entry.EntryPath()).isFile())
        return {false, QStringLiteral("The entry is damaged"), FileWriteError::Refused};
    change(*sidecar);
    return WriteSidecar(entry, *sidecar);
}

std::string DedupeKey(HistoryKind kind, const std::string& unit) {
    return std::string(HistoryKindWord(kind)) + ' ' + unit;
}

} // namespace

QString HistoryFolderPath() {
    return DataFolderPath() + QStringLiteral("/history");
}

QString HistoryEntry::EntryPath() const {
    return Suffixed(Folder, Stem, HistoryEntrySuffix);
}

QString HistoryEntry::SidecarPath() const {
    return Suffixed(Folder, Stem, HistorySidecarSuffix);
}

std::vector<HistoryEntry> ListHistory(const QString& folder, SidecarReading sidecars) {
    const QString entrySuffix = QString::fromLatin1(HistoryEntrySuffix.data());
    const QString sidecarSuffix = QString::fromLatin1(HistorySidecarSuffix.data());
    std::map<QString, HistoryEntry> byStem;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        const bool isEntry = name.endsWith(entrySuffix);
        if (!isEntry && !name.endsWith(sidecarSuffix))
            continue;
        const QString stem = name.chopped(isEntry ? entrySuffix.size() : sidecarSuffix.size());
        const std::optional<HistoryName> parsed = ParseHistoryStem(stem.toStdString());
        if (!parsed)
            continue;
        HistoryEntry& entry = byStem[stem];
        entry.Folder = folder;
        entry.Stem = stem;
        entry.Name = *parsed;
        entry.Bytes += file.size();
        if (isEntry)
            entry.EntryPresent = true;
    }
    std::vector<HistoryEntry> entries;
    entries.reserve(byStem.size());
    // The names sort by time: the map holds them oldest first.
    for (auto it = byStem.rbegin(); it != byStem.rend(); ++it) {
        if (sidecars == SidecarReading::Read)
            it->second.Sidecar = ReadSidecar(it->second.SidecarPath());
        entries.push_back(std::move(it->second));
    }
    return entries;
}

ParameterFileResult LoadHistoryEntry(const HistoryEntry& entry, const ParameterImage& current) {
    return OpenParameterFile(entry.EntryPath(), current);
}

FileWriteResult SetHistoryPinned(const HistoryEntry& entry, bool pinned) {
    return RewriteSidecar(entry, [pinned](HistorySidecar& s) { s.Pinned = pinned; });
}

FileWriteResult SetHistoryNote(const HistoryEntry& entry, const std::string& note) {
    return RewriteSidecar(entry, [&note](HistorySidecar& s) { s.Note = note; });
}

bool DeleteHistoryEntry(const HistoryEntry& entry) {
    for (const QString& path : {entry.EntryPath(), entry.SidecarPath()})
        if (QFileInfo::exists(path))
            QFile::remove(path);
    return !QFileInfo::exists(entry.EntryPath()) && !QFileInfo::exists(entry.SidecarPath());
}

HistoryStore::HistoryStore(QString folder, int maxEntries, std::int64_t maxBytes)
    : folder_(std::move(folder)), maxEntries_(maxEntries), maxBytes_(maxBytes) {}

QDateTime HistoryStore::FreeTime(QDateTime time) const {
    // Names follow one another in the order of writing, and never replace an entry.
    if (lastTime_.isValid() && time <= lastTime_)
        time = lastTime_.addMSecs(1);
    for (;;) {
        const QString prefix = QString::fromStdString(HistoryStampPrefix(StampOf(time)));
        // Any kind at that millisecond takes it: the order of the names stays the order of writing.
        const QStringList taken =
            QDir(folder_).entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
        if (taken.isEmpty())
            return time;
        time = time.addMSecs(1);
    }
}

std::optional<std::string> HistoryStore::NewestText(HistoryKind kind, const std::string& unit) {
    const std::string key = DedupeKey(kind, unit);
    // Kept from the last write or look, while that entry is still there (the user may delete it).
    if (const auto found = newest_.find(key);
        found != newest_.end() &&
        QFileInfo::exists(Suffixed(folder_, found->second.Stem, HistoryEntrySuffix)))
        return found->second.Text;
    for (const HistoryEntry& entry : ListHistory(folder_, SidecarReading::Skip)) {
        if (entry.Name.Kind != kind || !entry.EntryPresent)
            continue;
        const std::optional<HistorySidecar> sidecar = ReadSidecar(entry.SidecarPath());
        if (!sidecar || sidecar->Unit.Text() != unit)
            continue;
        const std::optional<QByteArray> bytes = ReadWholeFile(entry.EntryPath(), 1024 * 1024);
        if (!bytes)
            return std::nullopt;
        newest_[key] = {entry.Stem, bytes->toStdString()};
        return newest_[key].Text;
    }
    return std::nullopt;
}

HistoryWriteResult HistoryStore::Write(const HistoryRecord& record) {
    HistoryWriteResult result;
    result.Kind = record.Kind;
    result.Image = record.Image;
    const HistoryUnit unit = HistoryUnitOf(record.Image);
    const std::string text = ParameterFileText(record.Image);
    if (NewestText(record.Kind, unit.Text()) == text) {
        result.What = HistoryWriteResult::Outcome::SameAsNewest;
        return result;
    }
    if (!QDir().mkpath(folder_)) {
        result.Failure = {false, QStringLiteral("Cannot create the folder %1").arg(folder_),
                          FileWriteError::FolderNotMade};
        return result;
    }
    const QDateTime time =
        FreeTime(record.Time.isValid() ? record.Time : QDateTime::currentDateTime());
    const HistoryStamp stamp = StampOf(time);
    HistoryEntry entry;
    entry.Folder = folder_;
    entry.Stem = QString::fromStdString(HistoryEntryStem(stamp, record.Kind));
    result.Failure = SaveParameterFile(entry.EntryPath(), record.Image);
    if (!result.Failure.Ok)
        return result;
    HistorySidecar sidecar;
    sidecar.Time = HistoryTimeText(stamp);
    sidecar.Kind = record.Kind;
    sidecar.Unit = unit;
    sidecar.ProgramCount = record.ProgramCount;
    sidecar.FileName = record.FileName.toStdString();
    result.Failure = WriteSidecar(entry, sidecar);
    if (!result.Failure.Ok) {
        QFile::remove(entry.EntryPath()); // an entry without its sidecar would be listed damaged
        return result;
    }
    lastTime_ = time;
    newest_[DedupeKey(record.Kind, unit.Text())] = {entry.Stem, text};
    result.What = HistoryWriteResult::Outcome::Written;
    result.Stem = entry.Stem;
    result.Removed = ApplyRetention();
    return result;
}

int HistoryStore::ApplyRetention() {
    std::vector<HistoryEntry> entries = ListHistory(folder_, SidecarReading::Skip);
    qint64 bytes = 0;
    for (const HistoryEntry& entry : entries)
        bytes += entry.Bytes;
    if (static_cast<std::int64_t>(entries.size()) <= maxEntries_ && bytes <= maxBytes_)
        return 0;
    std::ranges::reverse(entries); // oldest first
    std::vector<RetentionItem> items;
    items.reserve(entries.size());
    for (HistoryEntry& entry : entries) {
        entry.Sidecar = ReadSidecar(entry.SidecarPath());
        items.push_back({entry.Bytes, entry.Pinned(), entry.Damaged()});
    }
    int removed = 0;
    for (const std::size_t i : EntriesToRemove(items, maxEntries_, maxBytes_))
        removed += DeleteHistoryEntry(entries[i]) ? 1 : 0;
    // What was the newest of its kind may be gone: look again when it is asked for.
    if (removed > 0)
        newest_.clear();
    return removed;
}

HistoryWriter::HistoryWriter(QString folder, Done done)
    : store_(std::move(folder)), done_(std::move(done)), worker_([this] { Run(); }) {}

HistoryWriter::~HistoryWriter() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void HistoryWriter::Queue(HistoryRecord record) {
    {
        const std::lock_guard lock(mutex_);
        queued_.push_back(std::move(record));
    }
    wake_.notify_one();
}

void HistoryWriter::WaitUntilWritten() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queued_.empty() && !busy_; });
}

void HistoryWriter::Run() {
    for (;;) {
        HistoryRecord record;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !queued_.empty(); });
            if (queued_.empty())
                return; // stopped, and everything written
            record = std::move(queued_.front());
            queued_.pop_front();
            busy_ = true;
        }
        const HistoryWriteResult result = store_.Write(record);
        if (done_)
            done_(result);
        {
            const std::lock_guard lock(mutex_);
            busy_ = false;
        }
        idle_.notify_all();
    }
}

} // namespace dorv
