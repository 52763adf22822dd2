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

const LanguageTexts DamagedStore{
    "Parametry uložené z minulého spuštění (%1) byly poškozené: %2.",
    "The parameters kept from the last run (%1) were damaged: %2.",
    "Die vom letzten Lauf gespeicherten Parameter (%1) waren beschädigt: %2.",
    "Les paramètres conservés de la dernière session (%1) étaient endommagés : %2."};
// The word comes quoted already.
const LanguageTexts DamageBadWord{"%1 na řádku %2 není číslo", "%1 on line %2 is not a number",
                                  "%1 in Zeile %2 ist keine Zahl",
                                  "%1 à la ligne %2 n'est pas un nombre"};
const LanguageTexts DamageTooFew{"soubor obsahuje jen %1 ze 402 čísel",
                                 "the file holds only %1 of its 402 numbers",
                                 "die Datei enthält nur %1 ihrer 402 Zahlen",
                                 "le fichier ne contient que %1 de ses 402 nombres"};
const LanguageTexts DamageTooLarge{
    "soubor je větší než 1 MiB a nezačíná svými 402 čísly",
    "the file is larger than 1 MiB and does not begin with its 402 numbers",
    "die Datei ist größer als 1 MiB und beginnt nicht mit ihren 402 Zahlen",
    "le fichier dépasse 1 Mio et ne commence pas par ses 402 nombres"};
const LanguageTexts DamageUnreadable{"soubor nelze přečíst", "the file cannot be read",
                                     "die Datei kann nicht gelesen werden",
                                     "le fichier ne peut pas être lu"};
const LanguageTexts LoadedBefore{
    "Načteno bylo %1 čísel před poškozením, ostatní parametry mají výchozí hodnoty.",
    "The %1 numbers before the damage were loaded; the other parameters have their defaults.",
    "Die %1 Zahlen vor der Beschädigung wurden geladen, die übrigen Parameter haben ihre "
    "Standardwerte.",
    "Les %1 nombres avant le dommage ont été chargés ; les autres paramètres ont leurs valeurs "
    "par défaut."};
const LanguageTexts LoadedDefaults{
    "Parametry mají výchozí hodnoty.", "The parameters have their defaults.",
    "Die Parameter haben ihre Standardwerte.", "Les paramètres ont leurs valeurs par défaut."};
const LanguageTexts CopyKept{"Kopie poškozeného souboru je uložena jako %1.",
                             "A copy of the damaged file is kept as %1.",
                             "Eine Kopie der beschädigten Datei liegt unter %1.",
                             "Une copie du fichier endommagé est conservée sous %1."};
const LanguageTexts NoCopy{
    "Kopii souboru se nepodařilo vytvořit, proto jej program nepřepíše; parametry tohoto "
    "spuštění nebudou uloženy.",
    "No copy of the file could be made, so the program will not replace it; the parameters of "
    "this run will not be kept.",
    "Es konnte keine Kopie der Datei angelegt werden, daher ersetzt das Programm sie nicht; die "
    "Parameter dieses Laufs werden nicht gespeichert.",
    "Aucune copie du fichier n'a pu être faite : le programme ne le remplacera pas et les "
    "paramètres de cette session ne seront pas conservés."};

const LanguageTexts NotKept{
    "Nastavení a parametry nebudou při ukončení uloženy: %1",
    "Settings and parameters will not be kept when the program ends: %1",
    "Einstellungen und Parameter werden beim Beenden nicht gespeichert: %1",
    "Les réglages et les paramètres ne seront pas conservés à la fermeture : %1"};
const LanguageTexts NotKeptShort{"Nastavení se neukládá", "Settings are not kept",
                                 "Einstellungen werden nicht gespeichert",
                                 "Réglages non conservés"};
const LanguageTexts TroubleNotAFolder{
    "v místě složky %1 stojí soubor nebo odkaz, který nikam nevede.",
    "a file, or a link that leads nowhere, stands where the folder %1 should be.",
    "an der Stelle des Ordners %1 steht eine Datei oder ein Verweis, der ins Leere führt.",
    "un fichier, ou un lien qui ne mène nulle part, se trouve à la place du dossier %1."};
const LanguageTexts TroubleCannotCreate{
    "složku %1 nelze vytvořit.", "the folder %1 cannot be made.",
    "der Ordner %1 kann nicht angelegt werden.", "le dossier %1 ne peut pas être créé."};
const LanguageTexts TroubleFolderNotWritable{"do složky %1 nelze zapisovat.",
                                             "the folder %1 cannot be written to.",
                                             "in den Ordner %1 kann nicht geschrieben werden.",
                                             "le dossier %1 n'est pas accessible en écriture."};
const LanguageTexts TroubleSettingsUnreadable{
    "soubor %1 nelze přečíst, proto jej program nepřepíše.",
    "the file %1 cannot be read, so the program will not replace it.",
    "die Datei %1 kann nicht gelesen werden, daher ersetzt das Programm sie nicht.",
    "le fichier %1 ne peut pas être lu : le programme ne le remplacera pas."};
const LanguageTexts TroubleSettingsTooLarge{
    "soubor %1 je větší než 4 MiB, proto jej program nečte ani nepřepíše.",
    "the file %1 is larger than 4 MiB, so the program neither reads nor replaces it.",
    "die Datei %1 ist größer als 4 MiB, daher liest und ersetzt das Programm sie nicht.",
    "le fichier %1 dépasse 4 Mio : le programme ne le lit ni ne le remplace."};
const LanguageTexts TroubleFileNotWritable{
    "soubor %1 nelze přepsat.", "the file %1 cannot be replaced.",
    "die Datei %1 kann nicht ersetzt werden.", "le fichier %1 ne peut pas être remplacé."};

const LanguageTexts SaveFailed{"Soubor %1 se při ukončení nepodařilo uložit: %2",
                               "The file %1 could not be saved when the program ended: %2",
                               "Die Datei %1 konnte beim Beenden nicht gespeichert werden: %2",
                               "Le fichier %1 n'a pas pu être enregistré à la fermeture : %2"};

const LanguageTexts AlreadyRunning{
    "Program už běží se složkou nastavení %1%2. Toto spuštění se ukončí a nic nezapíše.",
    "The program is already running with the settings folder %1%2. This start ends without "
    "writing anything.",
    "Das Programm läuft bereits mit dem Einstellungsordner %1%2. Dieser Start endet, ohne etwas "
    "zu schreiben.",
    "Le programme fonctionne déjà avec le dossier de réglages %1%2. Ce lancement se termine sans "
    "rien écrire."};
const LanguageTexts ProcessNumber{" (proces %1)", " (process %1)", " (Prozess %1)",
                                  " (processus %1)"};

QString DamageReason(const SettingsDataLoad& load, Language language) {
    switch (load.Damage) {
    case SettingsDataDamage::BadWord:
        return TextFor(DamageBadWord, language)
            .arg(QString::fromStdString(load.BadWord), QString::number(load.BadWordLine));
    case SettingsDataDamage::TooFewNumbers:
        return TextFor(DamageTooFew, language).arg(load.NumbersTaken);
    case SettingsDataDamage::TooLarge:
        return TextFor(DamageTooLarge, language);
    case SettingsDataDamage::Unreadable:
        return TextFor(DamageUnreadable, language);
    case SettingsDataDamage::None:
    case SettingsDataDamage::Missing:
        break;
    }
    return {};
}

const LanguageTexts* TroubleTexts(ConfigTrouble trouble) {
    switch (trouble) {
    case ConfigTrouble::NotAFolder:
        return &TroubleNotAFolder;
    case ConfigTrouble::CannotCreate:
        return &TroubleCannotCreate;
    case ConfigTrouble::FolderNotWritable:
        return &TroubleFolderNotWritable;
    case ConfigTrouble::SettingsUnreadable:
        return &TroubleSettingsUnreadable;
    case ConfigTrouble::SettingsTooLarge:
        return &TroubleSettingsTooLarge;
    case ConfigTrouble::FileNotWritable:
        return &TroubleFileNotWritable;
    case ConfigTrouble::None:
        break;
    }
    return nullptr;
}

} // namespace

QString SettingsDataNote(const SettingsDataLoad& load, const QString& path, Language language) {
    if (!load.Damaged())
        return {};
    QStringList lines{
        TextFor(DamagedStore, language).arg(Native(path), DamageReason(load, language))};
    lines << (load.NumbersTaken > 0 ? TextFor(LoadedBefore, language).arg(load.NumbersTaken)
                                    : TextFor(LoadedDefaults, language));
    lines << (load.CopyPath.isEmpty() ? TextFor(NoCopy, language)
                                      : TextFor(CopyKept, language).arg(Native(load.CopyPath)));
    return lines.join(QLatin1Char('\n'));
}

QString ConfigTroubleNote(const ConfigCheck& check, Language language) {
    const LanguageTexts* why = TroubleTexts(check.Trouble);
    if (!why)
        return {};
    return TextFor(NotKept, language).arg(TextFor(*why, language).arg(Native(check.Path)));
}

QString ConfigTroubleShort(Language language) {
    return TextFor(NotKeptShort, language);
}

QString SaveFailedNote(const QString& path, const QString& reason, Language language) {
    return TextFor(SaveFailed, language).arg(Native(path), reason);
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
    const QString process = pid > 0 ? TextFor(ProcessNumber, language).arg(pid) : QString();
    return TextFor(AlreadyRunning, language).arg(Native(folder), process);
}

} // namespace dorv
