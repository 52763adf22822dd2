// The reasons of port and file errors in four languages, told after the error's message.
#include "ErrorTexts.h"

namespace dorv {

namespace {

// clang-format off
const LanguageTexts PortNotFound = {"zařízení neexistuje", "the device does not exist", "das Gerät existiert nicht", "le périphérique n'existe pas"};
const LanguageTexts PortPermissionDenied = {"chybí oprávnění (uživatel musí být ve skupině dialout)", "no permission (the user must be in the dialout group)", "keine Berechtigung (der Benutzer muss in der Gruppe dialout sein)", "accès refusé (l'utilisateur doit être dans le groupe dialout)"};
const LanguageTexts PortBusy = {"zařízení používá jiný program", "the device is in use by another program", "das Gerät wird von einem anderen Programm benutzt", "le périphérique est utilisé par un autre programme"};
const LanguageTexts PortOther = {"zařízení nelze otevřít", "the device cannot be opened", "das Gerät kann nicht geöffnet werden", "le périphérique ne peut pas être ouvert"};
// %1 the present devices
const LanguageTexts PortsPresent = {"připojená sériová zařízení: %1", "serial devices present: %1", "vorhandene serielle Geräte: %1", "périphériques série présents : %1"};
const LanguageTexts NoPortPresent = {"není připojeno žádné sériové zařízení", "no serial device is present", "kein serielles Gerät vorhanden", "aucun périphérique série n'est présent"};
// %1 group, %2 command
const LanguageTexts PortNoPermission = {"chybí oprávnění: zařízení patří skupině %1. Přidejte se do ní příkazem\n%2\na pak se znovu přihlaste.", "no permission: the device belongs to the group %1. Add yourself to it with the command\n%2\nthen log in again.", "keine Berechtigung: das Gerät gehört der Gruppe %1. Treten Sie ihr mit dem Befehl\n%2\nbei und melden Sie sich dann neu an.", "accès refusé : le périphérique appartient au groupe %1. Ajoutez-vous-y avec la commande\n%2\npuis reconnectez-vous."};
// %1 process id and name
const LanguageTexts PortBusyBy = {"zařízení používá jiný program (proces %1)", "the device is in use by another program (process %1)", "das Gerät wird von einem anderen Programm benutzt (Prozess %1)", "le périphérique est utilisé par un autre programme (processus %1)"};
// %1 the system's own words
const LanguageTexts PortOtherBecause = {"zařízení nelze otevřít (%1)", "the device cannot be opened (%1)", "das Gerät kann nicht geöffnet werden (%1)", "le périphérique ne peut pas être ouvert (%1)"};

const LanguageTexts FolderNotMade = {"Složku nelze vytvořit.", "The folder cannot be created.", "Der Ordner kann nicht angelegt werden.", "Le dossier ne peut pas être créé."};
const LanguageTexts WritePermissionDenied = {"Chybí oprávnění k zápisu.", "No permission to write here.", "Keine Schreibberechtigung.", "Pas d'autorisation d'écriture."};
const LanguageTexts FileNotCreated = {"Soubor nelze vytvořit.", "The file cannot be created.", "Die Datei kann nicht angelegt werden.", "Le fichier ne peut pas être créé."};
const LanguageTexts WriteFailed = {"Soubor nelze zapsat (je disk plný?).", "The file cannot be written (is the disk full?).", "Die Datei kann nicht geschrieben werden (ist der Datenträger voll?).", "Le fichier ne peut pas être écrit (le disque est-il plein ?)."};
const LanguageTexts NotReplaced = {"Zapsaný soubor nemůže převzít své jméno.", "The written file cannot take its name.", "Die geschriebene Datei kann ihren Namen nicht erhalten.", "Le fichier écrit ne peut pas prendre son nom."};
const LanguageTexts WriteRefused = {"Soubor nelze zapsat.", "The file cannot be written.", "Die Datei kann nicht geschrieben werden.", "Le fichier ne peut pas être écrit."};

const LanguageTexts CannotRead = {"Soubor nelze otevřít ani přečíst, nebo je větší než 1 MiB.", "The file cannot be opened or read, or is larger than 1 MiB.", "Die Datei kann nicht geöffnet oder gelesen werden oder ist größer als 1 MiB.", "Le fichier ne peut pas être ouvert ou lu, ou dépasse 1 Mio."};
const LanguageTexts NoKeyLine = {"Soubor nemá klíčový řádek této verze.", "The file has no key line of this version.", "Die Datei hat keine Schlüsselzeile dieser Version.", "Le fichier n'a pas de ligne clé de cette version."};
// %1 key word, %2 its line, %3 how many numbers it needs.
const LanguageTexts EndsInNumbers = {"Soubor končí uprostřed čísel %1 (řádek %2 potřebuje %3 čísel).", "The file ends inside the numbers of %1 (line %2 needs %3 numbers).", "Die Datei endet innerhalb der Zahlen von %1 (Zeile %2 braucht %3 Zahlen).", "Le fichier se termine au milieu des nombres de %1 (la ligne %2 demande %3 nombres)."};
// %1 line, %2 the word found, %3 key word, %4 its line, %5 how many numbers it needs.
const LanguageTexts NotANumber = {"Řádek %1: %2 není číslo (%3 na řádku %4 potřebuje %5 čísel).", "Line %1: %2 is not a number (%3 on line %4 needs %5 numbers).", "Zeile %1: %2 ist keine Zahl (%3 in Zeile %4 braucht %5 Zahlen).", "Ligne %1 : %2 n'est pas un nombre (%3 à la ligne %4 demande %5 nombres)."};
// clang-format on

} // namespace

QString PortOpenReason(PortOpenError error, Language language) {
    switch (error) {
    case PortOpenError::NotFound:
        return TextFor(PortNotFound, language);
    case PortOpenError::PermissionDenied:
        return TextFor(PortPermissionDenied, language);
    case PortOpenError::Busy:
        return TextFor(PortBusy, language);
    case PortOpenError::None:
    case PortOpenError::Other:
        break;
    }
    return TextFor(PortOther, language);
}

QString PortDiagnosisText(const PortDiagnosis& d, Language language) {
    switch (d.Kind) {
    case PortOpenError::NotFound: {
        QStringList present;
        for (const auto& path : d.PresentDevices)
            present << QString::fromStdString(path);
        return TextFor(PortNotFound, language) + QStringLiteral("; ") +
               (present.isEmpty() ? TextFor(NoPortPresent, language)
                                  : TextFor(PortsPresent, language).arg(present.join(", ")));
    }
    case PortOpenError::PermissionDenied:
        return TextFor(PortNoPermission, language)
            .arg(QString::fromStdString(d.Group), QString::fromStdString(d.Command));
    case PortOpenError::Busy: {
        if (!d.HolderPid)
            return TextFor(PortBusy, language);
        QString holder = QString::number(*d.HolderPid);
        if (!d.HolderName.empty())
            holder += QLatin1Char(' ') + QString::fromStdString(d.HolderName);
        return TextFor(PortBusyBy, language).arg(holder);
    }
    case PortOpenError::None:
    case PortOpenError::Other:
        break;
    }
    if (d.SystemReason.empty())
        return TextFor(PortOther, language);
    return TextFor(PortOtherBecause, language).arg(QString::fromStdString(d.SystemReason));
}

QString ComOpenErrorText(const LanguageMessages& messages, const ComOpenResult& result,
                         Language language) {
    const QString reason = result.Diagnosis ? PortDiagnosisText(*result.Diagnosis, language)
                                            : PortOpenReason(result.Error, language);
    return messages.MsgComOpenError + QLatin1Char('\n') + QString::fromStdString(result.Device) +
           QStringLiteral(": ") + reason;
}

QString FileWriteReason(FileWriteError error, Language language) {
    switch (error) {
    case FileWriteError::FolderNotMade:
        return TextFor(FolderNotMade, language);
    case FileWriteError::PermissionDenied:
        return TextFor(WritePermissionDenied, language);
    case FileWriteError::CannotCreate:
        return TextFor(FileNotCreated, language);
    case FileWriteError::WriteFailed:
        return TextFor(WriteFailed, language);
    case FileWriteError::NotReplaced:
        return TextFor(NotReplaced, language);
    case FileWriteError::None:
    case FileWriteError::Refused:
        break;
    }
    return TextFor(WriteRefused, language);
}

QString FileRefusalReason(const RefusalFacts& facts, Language language) {
    switch (facts.Kind) {
    case ParameterFileRefusal::None:
    case ParameterFileRefusal::Empty:        // the message says it all
    case ParameterFileRefusal::NoParameters: // likewise
        break;
    case ParameterFileRefusal::CannotRead:
        return TextFor(CannotRead, language);
    case ParameterFileRefusal::NoKeyLine:
        return TextFor(NoKeyLine, language);
    case ParameterFileRefusal::EndsInNumbers:
        // One pass over the text: a word of the file that looks like "%2" stays as it is.
        return TextFor(EndsInNumbers, language)
            .arg(QString::fromStdString(facts.KeyWord), QString::number(facts.KeyWordLine),
                 QString::number(facts.NumberCount));
    case ParameterFileRefusal::NotANumber:
        return TextFor(NotANumber, language)
            .arg(QString::number(facts.FoundLine), QString::fromStdString(facts.FoundWord),
                 QString::fromStdString(facts.KeyWord), QString::number(facts.KeyWordLine),
                 QString::number(facts.NumberCount));
    }
    return {};
}

} // namespace dorv
