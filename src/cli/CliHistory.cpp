// The entries dorv-cli keeps in the image history folder, and how a failed write is told.
#include "CliHistory.h"

#include <QFileInfo>

#include <iostream>

namespace dorv::cli {

namespace {

// "history not kept: <reason>", on one line.
std::string HistoryNotKeptText(const HistoryWriteResult& result) {
    QString reason = result.Failure.Error.isEmpty() ? QStringLiteral("the entry cannot be written")
                                                    : result.Failure.Error;
    reason.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return "history not kept: " + reason.toStdString();
}

} // namespace

void KeepInHistory(HistoryKind kind, const ParameterImage& image, const std::string& file) {
    HistoryRecord record;
    record.Kind = kind;
    record.Image = image;
    record.Time = QDateTime::currentDateTime();
    // The window keeps whole paths: an entry tells which file, wherever the command ran.
    record.FileName = QFileInfo(QString::fromStdString(file)).absoluteFilePath();
    HistoryStore store(HistoryFolderPath());
    const HistoryWriteResult written = store.Write(record);
    if (written.What == HistoryWriteResult::Outcome::Failed)
        std::cerr << "dorv-cli: " << HistoryNotKeptText(written) << std::endl;
}

} // namespace dorv::cli
