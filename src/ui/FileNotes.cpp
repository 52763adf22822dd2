// What the window tells the user about its own files, in the four languages.
#include "FileNotes.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

#include "Jazyk1.h"
#include "Jazyk2.h"
#include "Profile.h"
#include "Settings.h"

namespace dorv {

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString DamageReason(const SettingsDataLoad& load, const LanguageMessages& m) {
    switch (load.Damage) {
    case SettingsDataDamage::BadWord:
        return m.MsgDamageBadWord.arg(QString::fromStdString(load.BadWord),
                                      QString::number(load.BadWordLine));
    case SettingsDataDamage::TooFewNumbers:
        return m.MsgDamageTooFew.arg(load.NumbersTaken);
    case SettingsDataDamage::TooLarge:
        return m.MsgDamageTooLarge;
    case SettingsDataDamage::Unreadable:
        return m.MsgDamageUnreadable;
    case SettingsDataDamage::None:
    case SettingsDataDamage::Missing:
        break;
    }
    return {};
}

QString LanguageMessages::*TroubleText(ConfigTrouble trouble) {
    switch (trouble) {
    case ConfigTrouble::NotAFolder:
        return &LanguageMessages::MsgTroubleNotAFolder;
    case ConfigTrouble::CannotCreate:
        return &LanguageMessages::MsgTroubleCannotCreate;
    case ConfigTrouble::FolderNotWritable:
        return &LanguageMessages::MsgTroubleFolderNotWritable;
    case ConfigTrouble::SettingsUnreadable:
        return &LanguageMessages::MsgTroubleSettingsUnreadable;
    case ConfigTrouble::SettingsTooLarge:
        return &LanguageMessages::MsgTroubleSettingsTooLarge;
    case ConfigTrouble::FileNotWritable:
        return &LanguageMessages::MsgTroubleFileNotWritable;
    case ConfigTrouble::None:
        break;
    }
    return nullptr;
}

} // namespace

QString SettingsDataNote(const SettingsDataLoad& load, const QString& path, Language language) {
    if (!load.Damaged())
        return {};
    const LanguageMessages m = MessagesFor(language);
    QStringList lines{m.MsgStoreDamaged.arg(Native(path), DamageReason(load, m))};
    lines << (load.NumbersTaken > 0 ? m.MsgLoadedBefore.arg(load.NumbersTaken)
                                    : m.MsgLoadedDefaults);
    lines << (load.CopyPath.isEmpty() ? m.MsgNoCopy : m.MsgCopyKept.arg(Native(load.CopyPath)));
    return lines.join(QLatin1Char('\n'));
}

QString ConfigTroubleNote(const ConfigCheck& check, Language language) {
    QString LanguageMessages::*why = TroubleText(check.Trouble);
    if (!why)
        return {};
    const LanguageMessages m = MessagesFor(language);
    return m.MsgNotKept.arg((m.*why).arg(Native(check.Path)));
}

QString ConfigTroubleShort(Language language) {
    return MessagesFor(language).MsgNotKeptShort;
}

QString SaveFailedNote(const QString& path, const QString& reason, Language language) {
    return MessagesFor(language).MsgSaveFailed.arg(Native(path), reason);
}

bool HoldConfigFolder(ConfigFolderLock& lock) {
    if (lock.TryLock() != ConfigFolderLock::State::HeldByOther)
        return true;
    Settings stored;
    stored.CurrentLanguage = static_cast<Byte>(LanguageNumber(CurrentLanguage));
    stored = LoadSettings(Profile(ConfigFilePath(QLatin1String(SettingsFileName))), stored);
    Language language = LanguageOfNumber(stored.CurrentLanguage);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        language = LanguageFromArgument(arguments[1], language);
    const QString note = AlreadyRunningNote(lock.Folder(), lock.HolderPid(), language);
    std::fprintf(stderr, "dorv: %s\n", qPrintable(note));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("DORV"), note, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("AlreadyRunningBox"));
    box.exec();
    return false;
}

QString AlreadyRunningNote(const QString& folder, qint64 pid, Language language) {
    const LanguageMessages m = MessagesFor(language);
    const QString process = pid > 0 ? m.MsgProcessNumber.arg(pid) : QString();
    return m.MsgAlreadyRunning.arg(Native(folder), process);
}

} // namespace dorv
