// dorv-sim run as a child process for end-to-end tests: its pty link, its saved image.
#pragma once

#include "ImageFile.h"
#include "ParameterImage.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

#include <csignal>
#include <string>

namespace dorv::testing {

// dorv-sim started in a private folder, with its image saved at exit.
class SimProcess {
public:
    SimProcess(const QTemporaryDir& dir, QStringList options)
        : link_(dir.filePath("ttyDORV")), saved_(dir.filePath("unit-saved.bin")) {
        options << "--link" << link_ << "--save" << saved_;
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(DORV_BIN_DIR "/dorv-sim"), options);
    }
    ~SimProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    // The pty path the simulator printed; empty when it did not start.
    QString WaitForPty() {
        if (!process_.waitForStarted(5000))
            return {};
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    bool Stop(int signal = SIGTERM) {
        ::kill(static_cast<pid_t>(process_.processId()), signal);
        return process_.waitForFinished(5000) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    QString Link() const { return link_; }
    // Whether the simulator has stored its image yet (after a saving, or at exit).
    bool HasSavedImage() const { return QFileInfo::exists(saved_); }
    ParameterImage SavedImage() const {
        ParameterImage image;
        std::string error;
        if (!sim::LoadImage(saved_.toStdString(), image, error))
            qWarning("%s", error.c_str());
        return image;
    }

private:
    QString link_;
    QString saved_;
    QProcess process_;
};

// Writes image as the raw file unit.bin in dir, for the simulator's --load; returns its path.
inline QString WriteImage(const QTemporaryDir& dir, const ParameterImage& image) {
    const QString path = dir.filePath("unit.bin");
    std::string error;
    if (!sim::SaveImage(path.toStdString(), image, error))
        qWarning("%s", error.c_str());
    return path;
}

} // namespace dorv::testing
