// Writing a data log without waiting for the disk: lines go to a worker thread that writes them.
#include "LogWriter.h"

#include "ConfigFolder.h"
#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <chrono>
#include <sstream>

namespace dorv {

LogWriter::~LogWriter() {
    Close();
}

bool LogWriter::Open(const QString& path) {
    if (file_)
        return false;
    // "x": a file of that name is never replaced.
    file_ = std::fopen(QFile::encodeName(path).constData(), "wx");
    if (!file_)
        return false;
    stop_ = false;
    failed_ = false;
    worker_ = std::thread([this] { Run(); });
    return true;
}

void LogWriter::Append(std::string line) {
    const std::lock_guard lock(mutex_);
    queued_.push_back(std::move(line));
}

bool LogWriter::Close() {
    if (!file_)
        return !failed_;
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    worker_.join();
    if (std::fclose(file_) != 0)
        failed_ = true;
    file_ = nullptr;
    return !failed_;
}

void LogWriter::Run() {
    std::vector<std::string> lines;
    bool stopping = false;
    while (!stopping) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, std::chrono::milliseconds(FlushIntervalMs),
                           [this] { return stop_; });
            lines.swap(queued_);
            stopping = stop_;
        }
        for (const std::string& line : lines)
            if (!failed_ && std::fwrite(line.data(), 1, line.size(), file_) != line.size())
                failed_ = true;
        lines.clear();
        if (!failed_ && std::fflush(file_) != 0)
            failed_ = true;
    }
}

LogRecorder::StartResult LogRecorder::Start(const QString& folder, const QString& start) {
    Stop();
    if (!QDir().mkpath(folder))
        return StartResult::CannotCreate;
    // Two logs started in the same second get a number after the time.
    for (int n = 1; n < 100; ++n) {
        const QString name = n == 1 ? start : start + QStringLiteral("-%1").arg(n);
        const QString path = QDir(folder).filePath(name + QStringLiteral(".csv"));
        if (QFileInfo::exists(path))
            continue;
        if (!writer_.Open(path))
            return StartResult::CannotCreate;
        path_ = path;
        samples_ = 0;
        markers_ = 0;
        pendingMarker_ = 0;
        writer_.Append(LogHeaderLine());
        return StartResult::Started;
    }
    return StartResult::CannotCreate;
}

void LogRecorder::Record(LogSample sample) {
    if (!Recording())
        return;
    sample.Marker = pendingMarker_;
    pendingMarker_ = 0;
    writer_.Append(LogLine(sample));
    ++samples_;
}

int LogRecorder::AddMarker() {
    if (!Recording())
        return 0;
    if (pendingMarker_ == 0)
        pendingMarker_ = ++markers_;
    return pendingMarker_;
}

LogRecorder::StopResult LogRecorder::Stop() {
    if (!Recording())
        return {};
    StopResult result{.Path = path_, .Samples = samples_};
    result.WriteFailed = !writer_.Close();
    result.Kept = samples_ > 0;
    if (!result.Kept)
        QFile::remove(path_);
    path_.clear();
    return result;
}

std::optional<LogRead> ReadLogFile(const QString& path) {
    const std::optional<QByteArray> bytes = ReadWholeFile(path, MaxLogFileBytes);
    if (!bytes)
        return std::nullopt;
    std::istringstream in(bytes->toStdString());
    return ReadLog(in);
}

QString LogFolderPath() {
    return DataFolderPath() + QStringLiteral("/logs");
}

} // namespace dorv
