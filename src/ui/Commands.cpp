// Window commands that stand apart from the editors: Help > Contents and its manual look-up.
#include "Commands.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "Jazyk1.h"

namespace dorv {

namespace {

constexpr const char* ManualInstallCommand = "cmake --build build && cmake --install build";

} // namespace

QString ManualErrorDetails(const QString& helpFileName, const QString& executableFolder,
                           const QString& found, Language language) {
    if (!found.isEmpty())
        return MessageFor(&LanguageMessages::MsgManualViewerFailed, language) + QLatin1Char('\n') +
               QDir::toNativeSeparators(found);
    QStringList lines{MessageFor(&LanguageMessages::MsgManualLookedFor, language)};
    for (const QString& folder : ManualFolders(executableFolder))
        lines << QDir::toNativeSeparators(QDir(folder).filePath(helpFileName));
    lines << QString() << MessageFor(&LanguageMessages::MsgManualInstallHint, language)
          << QLatin1String(ManualInstallCommand);
    return lines.join(QLatin1Char('\n'));
}

QStringList ManualFolders(const QString& executableFolder) {
    QStringList folders{QDir(executableFolder).absolutePath(),
                        QDir(executableFolder + QStringLiteral("/../share/dorv")).absolutePath()};
    const QStringList dataFolders =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& data : dataFolders) {
        const QString folder = QDir(data + QStringLiteral("/dorv")).absolutePath();
        if (!folders.contains(folder)) {
            folders << folder;
        }
    }
    return folders;
}

QString FindManual(const QString& helpFileName, const QString& executableFolder) {
    for (const QString& folder : ManualFolders(executableFolder)) {
        const QFileInfo manual(QDir(folder), helpFileName);
        if (manual.isFile()) {
            return manual.absoluteFilePath();
        }
    }
    return {};
}

bool MenuContensClick(QWidget* window, const LanguageMessages& messages, const DocumentOpener& open,
                      const QString& executableFolder) {
    const QString folder =
        executableFolder.isEmpty() ? QCoreApplication::applicationDirPath() : executableFolder;
    const QString manual = FindManual(messages.HelpFileName, folder);
    const DocumentOpener opener =
        open ? open : [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (!manual.isEmpty() && opener(QUrl::fromLocalFile(manual))) {
        return true;
    }
    QMessageBox box(QMessageBox::NoIcon, window ? window->windowTitle() : QString(),
                    messages.MsgHelpOpenError, QMessageBox::Ok, window);
    box.setInformativeText(
        ManualErrorDetails(messages.HelpFileName, folder, manual, CurrentLanguage));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
    return false;
}

} // namespace dorv
