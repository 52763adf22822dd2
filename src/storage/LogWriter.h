// Writing a data log without waiting for the disk: lines go to a worker thread that writes them.
#pragma once

#include "LogFormat.h"
#include "LogSample.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace dorv {

// Appends lines to a file from a thread of its own. Append only queues the line: the caller
// never waits for the disk. The worker writes what is queued and flushes it at least every
// FlushIntervalMs, so a process killed at any moment leaves the file whole up to a line end
// (at most its last line cut).
class LogWriter {
public:
    static constexpr int FlushIntervalMs = 250;

    LogWriter() = default;
    ~LogWriter();
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    // Makes a new file (never replaces one) and starts the worker; false when it cannot be made.
    bool Open(const QString& path);
    void Append(std::string line);
    // Writes what is queued, ends the worker and closes the file; false when any write failed.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }
    // A write has failed (disk full, device gone); later lines are dropped.
    bool Failed() const { return failed_; }

private:
    void Run();

    std::FILE* file_ = nullptr;
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::string> queued_;
    bool stop_ = false;
    std::atomic<bool> failed_ = false;
};

// A log being recorded: its file, the samples written, the markers.
class LogRecorder {
public:
    enum class StartResult { Started, CannotCreate };
    struct StopResult {
        QString Path;
        long long Samples = 0;
        bool Kept = false;        // false: a log without a sample, removed
        bool WriteFailed = false; // some samples could not be written
    };

    // Starts a log in folder, named by its start time (start "yyyy-MM-dd_hh-mm-ss"); the folder
    // is made when missing.
    StartResult Start(const QString& folder, const QString& start);
    // Writes the sample; a marker asked for since the last sample goes with it.
    void Record(LogSample sample);
    // Asks for a marker on the next sample; its number (counted from 1 in each log).
    int AddMarker();
    StopResult Stop();

    bool Recording() const { return writer_.IsOpen(); }
    long long SampleCount() const { return samples_; }
    const QString& Path() const { return path_; }
    bool WriteFailed() const { return writer_.Failed(); }

private:
    LogWriter writer_;
    QString path_;
    long long samples_ = 0;
    int markers_ = 0;
    int pendingMarker_ = 0;
};

// A log file read: nothing when it cannot be read or is larger than any log of a day.
inline constexpr qint64 MaxLogFileBytes = 256LL * 1024 * 1024;
std::optional<LogRead> ReadLogFile(const QString& path);

// $XDG_DATA_HOME/DORV/logs when that variable holds an absolute path, else
// ~/.local/share/DORV/logs.
QString LogFolderPath();

} // namespace dorv
