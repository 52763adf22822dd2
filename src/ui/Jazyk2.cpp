// The message texts in four languages and the operation that fills them for the current language.
#include "Jazyk2.h"

#include <QLabel>
#include <QWidget>

#include "Jazyk1.h"

namespace dorv {

namespace {

struct MessageRow {
    QString LanguageMessages::*Message;
    LanguageTexts Texts;
};

// clang-format off
const MessageRow MessageTable[] = {
    {&LanguageMessages::HelpFileName, {"DORV_manual_cz.pdf", "DORV_manual_en.pdf", "DORV_manual_en.pdf", nullptr}},
    {&LanguageMessages::MsgProgramError, {"Chyba programování", "Program error!", "Programmierfehler!", "Erreur de programmation!"}},
    {&LanguageMessages::MsgVerifyError, {"Chyba verifikace!", "Verify error!", "Vergleichsfehler", "Verifier erreur!"}},
    {&LanguageMessages::MsgReadError, {"Chyba čtení!", "Read error!", "Lesefehler", "Lire erreur!"}},
    {&LanguageMessages::MsgProgramming, {"Programování:", "Program device:", "Programmieren:", "Programmer:"}},
    {&LanguageMessages::MsgVerifying, {"Verifikace:", "Verify:", "Vergleichen:", "Vérifier:"}},
    {&LanguageMessages::MsgReading, {"Čtení:", "Read:", "Lesen:", "Lire"}},
    {&LanguageMessages::MsgSaving, {"Ukládání:", "Saving:", "Speicherung:", "Mémorisation"}},
    {&LanguageMessages::MsgVersionMismatch, {"Neshodné verze proramu v PC a v zapalování!", "Unmatched version of PC and Ignition programs!", "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!", "Programme du boitier d´alumage non compatible avec programme PC!"}},
    {&LanguageMessages::MsgProgramCount, {"Počet programování = ", "Number of Programing = ", "Programmierungsanzahl = ", "Nombre de programmations = "}},
    {&LanguageMessages::MsgServoDesired, {"Servo požadované", "Servo desired", "Servo Sollspannung", "Servo desired"}},
    {&LanguageMessages::MsgServoMeasured, {"Servo měřené", "Servo measured", "Servo gemessene", "Servo measured"}},
    {&LanguageMessages::MsgComOpenError, {"Chyba při otevírání portu Com!", "Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!"}},
    {&LanguageMessages::MsgOpenFileError, {"Chyba při otevírání souboru!", "Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!"}},
    {&LanguageMessages::MsgFileVersionMismatch, {"Neshodná verze souboru *.ign!", "Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!", "Programme du fichier non compatible avec programme PC!"}},
    {&LanguageMessages::MsgFileEmpty, {"Soubor je prázdný, nic nebylo změněno.", "The file is empty; nothing was changed.", "Die Datei ist leer, es wurde nichts geändert.", "Le fichier est vide ; rien n'a été modifié."}},
    {&LanguageMessages::MsgNoParameters, {"Soubor neobsahuje žádné parametry, nic nebylo změněno.", "The file holds no parameters; nothing was changed.", "Die Datei enthält keine Parameter, es wurde nichts geändert.", "Le fichier ne contient aucun paramètre ; rien n'a été modifié."}},
    {&LanguageMessages::MsgSaveFileError, {"Soubor se nepodařilo uložit!", "Saving the file failed!", "Die Datei konnte nicht gespeichert werden!", "L'enregistrement du fichier a échoué !"}},
    {&LanguageMessages::MsgTableClamped, {"Hodnot upravených do rozsahu: %1", "Values kept in range: %1", "In den Bereich gesetzte Werte: %1", "Valeurs ramenées dans la plage : %1"}},
    {&LanguageMessages::MsgTableNoSelection, {"Vyberte buňky tabulky.", "Select cells of the table.", "Wählen Sie Zellen der Tabelle.", "Sélectionnez des cellules du tableau."}},
    {&LanguageMessages::MsgTableSetPrompt, {"Nastavit vybrané buňky na:", "Set the selected cells to:", "Ausgewählte Zellen setzen auf:", "Mettre les cellules choisies à :"}},
    {&LanguageMessages::MsgTableAddPrompt, {"Přičíst k vybraným buňkám:", "Add to the selected cells:", "Zu den ausgewählten Zellen addieren:", "Ajouter aux cellules choisies :"}},
    {&LanguageMessages::MsgTableScalePrompt, {"Násobit vybrané buňky (%):", "Scale the selected cells (%):", "Ausgewählte Zellen skalieren (%):", "Multiplier les cellules choisies (%) :"}},
    {&LanguageMessages::MsgPasteNotNumber, {"Vložení odmítnuto, nic nebylo změněno: v buňce %2 není číslo (\"%3\").", "Paste refused, nothing was changed: cell %2 holds no number (\"%3\").", "Einfügen abgelehnt, nichts wurde geändert: Zelle %2 enthält keine Zahl (\"%3\").", "Collage refusé, rien n'a été modifié : la cellule %2 ne contient pas de nombre (\"%3\")."}},
    {&LanguageMessages::MsgPasteOutOfRange, {"Vložení odmítnuto, nic nebylo změněno: hodnota %3 v buňce %2 je mimo rozsah.", "Paste refused, nothing was changed: the value %3 in cell %2 is out of range.", "Einfügen abgelehnt, nichts wurde geändert: der Wert %3 in Zelle %2 liegt außerhalb des Bereichs.", "Collage refusé, rien n'a été modifié : la valeur %3 de la cellule %2 est hors plage."}},
    {&LanguageMessages::MsgPastePastEdge, {"Vložení odmítnuto, nic nebylo změněno: blok přesahuje tabulku.", "Paste refused, nothing was changed: the block runs past the table.", "Einfügen abgelehnt, nichts wurde geändert: der Block ragt über die Tabelle hinaus.", "Collage refusé, rien n'a été modifié : le bloc dépasse le tableau."}},
    {&LanguageMessages::MsgPasteEmpty, {"Ve schránce nejsou žádné hodnoty.", "The clipboard holds no values.", "Die Zwischenablage enthält keine Werte.", "Le presse-papiers ne contient aucune valeur."}},
    {&LanguageMessages::MsgPasteNoCell, {"Vkládá se do buněk tabulky, ne do řádku RPM.", "Values are pasted into the table's cells, not into the RPM row.", "Werte werden in die Zellen der Tabelle eingefügt, nicht in die RPM-Zeile.", "Les valeurs se collent dans les cellules du tableau, pas dans la ligne RPM."}},
    {&LanguageMessages::MsgTableCell, {"%1 / sloupec %2", "%1 / column %2", "%1 / Spalte %2", "%1 / colonne %2"}},
    {&LanguageMessages::MsgRecordingState, {"Záznam: %1 vzorků, %2", "Recording: %1 samples, %2", "Aufzeichnung: %1 Messpunkte, %2", "Enregistrement : %1 échantillons, %2"}},
    {&LanguageMessages::MsgMarker, {"značka %1", "marker %1", "Markierung %1", "repère %1"}},
    {&LanguageMessages::MsgLogSaved, {"Záznam uložen: %1 vzorků v %2", "Log kept: %1 samples in %2", "Aufzeichnung gespeichert: %1 Messpunkte in %2", "Enregistrement conservé : %1 échantillons dans %2"}},
    {&LanguageMessages::MsgLogEmpty, {"Záznam neobsahoval žádný vzorek a nebyl uložen.", "The log had no sample and was not kept.", "Die Aufzeichnung enthielt keinen Messpunkt und wurde nicht behalten.", "L'enregistrement ne contenait aucun échantillon et n'a pas été conservé."}},
    {&LanguageMessages::MsgLogCreateError, {"Soubor záznamu nelze vytvořit ve složce %1!", "The log file could not be made in %1!", "Die Aufzeichnungsdatei konnte in %1 nicht angelegt werden!", "Le fichier d'enregistrement n'a pas pu être créé dans %1 !"}},
    {&LanguageMessages::MsgLogWriteError, {"Zápis záznamu %1 selhal, některé vzorky chybí!", "Writing the log %1 failed; some samples are missing!", "Das Schreiben der Aufzeichnung %1 ist fehlgeschlagen, einige Messpunkte fehlen!", "L'écriture de l'enregistrement %1 a échoué, des échantillons manquent !"}},
    {&LanguageMessages::MsgCellVisits, {"%1 vzorků v této buňce", "%1 samples in this cell", "%1 Messpunkte in dieser Zelle", "%1 échantillons dans cette cellule"}},
    {&LanguageMessages::MsgReplay, {"Přehrávání", "Replay", "Wiedergabe", "Relecture"}},
    {&LanguageMessages::MsgLogNotALog, {"Soubor není záznamem tohoto programu (řádek %1), nic se nepřehraje.", "The file is not a log of this program (line %1); nothing is played.", "Die Datei ist keine Aufzeichnung dieses Programms (Zeile %1); es wird nichts wiedergegeben.", "Le fichier n'est pas un enregistrement de ce programme (ligne %1) ; rien n'est relu."}},
    {&LanguageMessages::MsgLogBadLine, {"Záznam je poškozen na řádku %1, přehraje se jen to, co je před ním.", "The log is damaged at line %1; only what comes before it is played.", "Die Aufzeichnung ist in Zeile %1 beschädigt; nur was davor steht, wird wiedergegeben.", "L'enregistrement est endommagé à la ligne %1 ; seul ce qui précède est relu."}},
    {&LanguageMessages::MsgLogCutLine, {"Záznam končí useknutým řádkem %1, přehraje se jen to, co je před ním.", "The log ends in a cut line %1; only what comes before it is played.", "Die Aufzeichnung endet mit der abgeschnittenen Zeile %1; nur was davor steht, wird wiedergegeben.", "L'enregistrement se termine par une ligne coupée %1 ; seul ce qui précède est relu."}},
    {&LanguageMessages::MsgLogNoSamples, {"Záznam neobsahuje žádný vzorek, nic se nepřehraje.", "The log holds no sample; nothing is played.", "Die Aufzeichnung enthält keinen Messpunkt; es wird nichts wiedergegeben.", "L'enregistrement ne contient aucun échantillon ; rien n'est relu."}},
    {&LanguageMessages::MsgChartModuleError, {"Graf nelze otevřít: jeho modul %1 chybí nebo ho nelze načíst (%2). Nainstalujte program znovu.", "The chart cannot be opened: its module %1 is missing or cannot be loaded (%2). Install the tool again.", "Das Diagramm kann nicht geöffnet werden: sein Modul %1 fehlt oder lässt sich nicht laden (%2). Installieren Sie das Programm neu.", "Le graphique ne peut pas être ouvert : son module %1 manque ou ne peut pas être chargé (%2). Réinstallez le programme."}},
    {&LanguageMessages::MsgDefaultQuestion, {"Chcete nastavit základní hodnoty?", "Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?", "Voulez vous la programation de base?"}},
    {&LanguageMessages::MsgStopTransfer, {"Probíhá přenos do jednotky. Zastavit jej a ukončit program?", "A transfer to the unit is running. Stop it and close the program?", "Eine Übertragung zum Gerät läuft. Abbrechen und das Programm beenden?", "Un transfert vers l'unité est en cours. L'arrêter et fermer le programme ?"}},
    {&LanguageMessages::MsgStopTransferDetails, {"Ano: zastavit hned (v jednotce může zůstat zapsaná jen část parametrů).\nNe: nechat přenos dokončit a potom program ukončit.\nStorno: pokračovat v práci.", "Yes: stop now (the unit may be left with only part of the parameters written).\nNo: let the transfer finish, then close.\nCancel: keep working.", "Ja: sofort abbrechen (im Gerät kann nur ein Teil der Parameter geschrieben sein).\nNein: die Übertragung beenden lassen, dann schließen.\nAbbrechen: weiterarbeiten.", "Oui : arrêter maintenant (l'unité peut ne garder qu'une partie des paramètres écrits).\nNon : laisser le transfert se terminer, puis fermer.\nAnnuler : continuer le travail."}},
    {&LanguageMessages::MsgFileDamaged, {"Soubor je poškozený, nic nebylo změněno.", "The file is damaged; nothing was changed.", "Die Datei ist beschädigt, es wurde nichts geändert.", "Le fichier est endommagé, rien n'a été modifié."}},
    {&LanguageMessages::MsgStoreDamaged, {"Parametry uložené z minulého spuštění (%1) byly poškozené: %2.", "The parameters kept from the last run (%1) were damaged: %2.", "Die vom letzten Lauf gespeicherten Parameter (%1) waren beschädigt: %2.", "Les paramètres conservés de la dernière session (%1) étaient endommagés : %2."}},
    {&LanguageMessages::MsgDamageBadWord, {"%1 na řádku %2 není číslo", "%1 on line %2 is not a number", "%1 in Zeile %2 ist keine Zahl", "%1 à la ligne %2 n'est pas un nombre"}},
    {&LanguageMessages::MsgDamageTooFew, {"soubor obsahuje jen %1 ze 402 čísel", "the file holds only %1 of its 402 numbers", "die Datei enthält nur %1 ihrer 402 Zahlen", "le fichier ne contient que %1 de ses 402 nombres"}},
    {&LanguageMessages::MsgDamageTooLarge, {"soubor je větší než 1 MiB a nezačíná svými 402 čísly", "the file is larger than 1 MiB and does not begin with its 402 numbers", "die Datei ist größer als 1 MiB und beginnt nicht mit ihren 402 Zahlen", "le fichier dépasse 1 Mio et ne commence pas par ses 402 nombres"}},
    {&LanguageMessages::MsgDamageUnreadable, {"soubor nelze přečíst", "the file cannot be read", "die Datei kann nicht gelesen werden", "le fichier ne peut pas être lu"}},
    {&LanguageMessages::MsgLoadedBefore, {"Načteno bylo %1 čísel před poškozením, ostatní parametry mají výchozí hodnoty.", "The %1 numbers before the damage were loaded; the other parameters have their defaults.", "Die %1 Zahlen vor der Beschädigung wurden geladen, die übrigen Parameter haben ihre Standardwerte.", "Les %1 nombres avant le dommage ont été chargés ; les autres paramètres ont leurs valeurs par défaut."}},
    {&LanguageMessages::MsgLoadedDefaults, {"Parametry mají výchozí hodnoty.", "The parameters have their defaults.", "Die Parameter haben ihre Standardwerte.", "Les paramètres ont leurs valeurs par défaut."}},
    {&LanguageMessages::MsgCopyKept, {"Kopie poškozeného souboru je uložena jako %1.", "A copy of the damaged file is kept as %1.", "Eine Kopie der beschädigten Datei liegt unter %1.", "Une copie du fichier endommagé est conservée sous %1."}},
    {&LanguageMessages::MsgNoCopy, {"Kopii souboru se nepodařilo vytvořit, proto jej program nepřepíše; parametry tohoto spuštění nebudou uloženy.", "No copy of the file could be made, so the program will not replace it; the parameters of this run will not be kept.", "Es konnte keine Kopie der Datei angelegt werden, daher ersetzt das Programm sie nicht; die Parameter dieses Laufs werden nicht gespeichert.", "Aucune copie du fichier n'a pu être faite : le programme ne le remplacera pas et les paramètres de cette session ne seront pas conservés."}},
    {&LanguageMessages::MsgNotKept, {"Nastavení a parametry nebudou při ukončení uloženy: %1", "Settings and parameters will not be kept when the program ends: %1", "Einstellungen und Parameter werden beim Beenden nicht gespeichert: %1", "Les réglages et les paramètres ne seront pas conservés à la fermeture : %1"}},
    {&LanguageMessages::MsgNotKeptShort, {"Nastavení se neukládá", "Settings are not kept", "Einstellungen werden nicht gespeichert", "Réglages non conservés"}},
    {&LanguageMessages::MsgTroubleNotAFolder, {"v místě složky %1 stojí soubor nebo odkaz, který nikam nevede.", "a file, or a link that leads nowhere, stands where the folder %1 should be.", "an der Stelle des Ordners %1 steht eine Datei oder ein Verweis, der ins Leere führt.", "un fichier, ou un lien qui ne mène nulle part, se trouve à la place du dossier %1."}},
    {&LanguageMessages::MsgTroubleCannotCreate, {"složku %1 nelze vytvořit.", "the folder %1 cannot be made.", "der Ordner %1 kann nicht angelegt werden.", "le dossier %1 ne peut pas être créé."}},
    {&LanguageMessages::MsgTroubleFolderNotWritable, {"do složky %1 nelze zapisovat.", "the folder %1 cannot be written to.", "in den Ordner %1 kann nicht geschrieben werden.", "le dossier %1 n'est pas accessible en écriture."}},
    {&LanguageMessages::MsgTroubleSettingsUnreadable, {"soubor %1 nelze přečíst, proto jej program nepřepíše.", "the file %1 cannot be read, so the program will not replace it.", "die Datei %1 kann nicht gelesen werden, daher ersetzt das Programm sie nicht.", "le fichier %1 ne peut pas être lu : le programme ne le remplacera pas."}},
    {&LanguageMessages::MsgTroubleSettingsTooLarge, {"soubor %1 je větší než 4 MiB, proto jej program nečte ani nepřepíše.", "the file %1 is larger than 4 MiB, so the program neither reads nor replaces it.", "die Datei %1 ist größer als 4 MiB, daher liest und ersetzt das Programm sie nicht.", "le fichier %1 dépasse 4 Mio : le programme ne le lit ni ne le remplace."}},
    {&LanguageMessages::MsgTroubleFileNotWritable, {"soubor %1 nelze přepsat.", "the file %1 cannot be replaced.", "die Datei %1 kann nicht ersetzt werden.", "le fichier %1 ne peut pas être remplacé."}},
    {&LanguageMessages::MsgSaveFailed, {"Soubor %1 se při ukončení nepodařilo uložit: %2", "The file %1 could not be saved when the program ended: %2", "Die Datei %1 konnte beim Beenden nicht gespeichert werden: %2", "Le fichier %1 n'a pas pu être enregistré à la fermeture : %2"}},
    {&LanguageMessages::MsgAlreadyRunning, {"Program už běží se složkou nastavení %1%2. Toto spuštění se ukončí a nic nezapíše.", "The program is already running with the settings folder %1%2. This start ends without writing anything.", "Das Programm läuft bereits mit dem Einstellungsordner %1%2. Dieser Start endet, ohne etwas zu schreiben.", "Le programme fonctionne déjà avec le dossier de réglages %1%2. Ce lancement se termine sans rien écrire."}},
    {&LanguageMessages::MsgProcessNumber, {" (proces %1)", " (process %1)", " (Prozess %1)", " (processus %1)"}},
    {&LanguageMessages::MsgPortNotFound, {"zařízení neexistuje", "the device does not exist", "das Gerät existiert nicht", "le périphérique n'existe pas"}},
    {&LanguageMessages::MsgPortPermissionDenied, {"chybí oprávnění (uživatel musí být ve skupině dialout)", "no permission (the user must be in the dialout group)", "keine Berechtigung (der Benutzer muss in der Gruppe dialout sein)", "accès refusé (l'utilisateur doit être dans le groupe dialout)"}},
    {&LanguageMessages::MsgPortBusy, {"zařízení používá jiný program", "the device is in use by another program", "das Gerät wird von einem anderen Programm benutzt", "le périphérique est utilisé par un autre programme"}},
    {&LanguageMessages::MsgPortOther, {"zařízení nelze otevřít", "the device cannot be opened", "das Gerät kann nicht geöffnet werden", "le périphérique ne peut pas être ouvert"}},
    {&LanguageMessages::MsgPortsPresent, {"připojená sériová zařízení: %1", "serial devices present: %1", "vorhandene serielle Geräte: %1", "périphériques série présents : %1"}},
    {&LanguageMessages::MsgNoPortPresent, {"není připojeno žádné sériové zařízení", "no serial device is present", "kein serielles Gerät vorhanden", "aucun périphérique série n'est présent"}},
    {&LanguageMessages::MsgPortNoPermission, {"chybí oprávnění: zařízení patří skupině %1. Přidejte se do ní příkazem\n%2\na pak se znovu přihlaste.", "no permission: the device belongs to the group %1. Add yourself to it with the command\n%2\nthen log in again.", "keine Berechtigung: das Gerät gehört der Gruppe %1. Treten Sie ihr mit dem Befehl\n%2\nbei und melden Sie sich dann neu an.", "accès refusé : le périphérique appartient au groupe %1. Ajoutez-vous-y avec la commande\n%2\npuis reconnectez-vous."}},
    {&LanguageMessages::MsgPortBusyBy, {"zařízení používá jiný program (proces %1)", "the device is in use by another program (process %1)", "das Gerät wird von einem anderen Programm benutzt (Prozess %1)", "le périphérique est utilisé par un autre programme (processus %1)"}},
    {&LanguageMessages::MsgPortOtherBecause, {"zařízení nelze otevřít (%1)", "the device cannot be opened (%1)", "das Gerät kann nicht geöffnet werden (%1)", "le périphérique ne peut pas être ouvert (%1)"}},
    {&LanguageMessages::MsgFolderNotMade, {"Složku nelze vytvořit.", "The folder cannot be created.", "Der Ordner kann nicht angelegt werden.", "Le dossier ne peut pas être créé."}},
    {&LanguageMessages::MsgWritePermissionDenied, {"Chybí oprávnění k zápisu.", "No permission to write here.", "Keine Schreibberechtigung.", "Pas d'autorisation d'écriture."}},
    {&LanguageMessages::MsgFileNotCreated, {"Soubor nelze vytvořit.", "The file cannot be created.", "Die Datei kann nicht angelegt werden.", "Le fichier ne peut pas être créé."}},
    {&LanguageMessages::MsgWriteFailed, {"Soubor nelze zapsat (je disk plný?).", "The file cannot be written (is the disk full?).", "Die Datei kann nicht geschrieben werden (ist der Datenträger voll?).", "Le fichier ne peut pas être écrit (le disque est-il plein ?)."}},
    {&LanguageMessages::MsgNotReplaced, {"Zapsaný soubor nemůže převzít své jméno.", "The written file cannot take its name.", "Die geschriebene Datei kann ihren Namen nicht erhalten.", "Le fichier écrit ne peut pas prendre son nom."}},
    {&LanguageMessages::MsgWriteRefused, {"Soubor nelze zapsat.", "The file cannot be written.", "Die Datei kann nicht geschrieben werden.", "Le fichier ne peut pas être écrit."}},
    {&LanguageMessages::MsgCannotRead, {"Soubor nelze otevřít ani přečíst, nebo je větší než 1 MiB.", "The file cannot be opened or read, or is larger than 1 MiB.", "Die Datei kann nicht geöffnet oder gelesen werden oder ist größer als 1 MiB.", "Le fichier ne peut pas être ouvert ou lu, ou dépasse 1 Mio."}},
    {&LanguageMessages::MsgNoKeyLine, {"Soubor nemá klíčový řádek této verze.", "The file has no key line of this version.", "Die Datei hat keine Schlüsselzeile dieser Version.", "Le fichier n'a pas de ligne clé de cette version."}},
    {&LanguageMessages::MsgEndsInNumbers, {"Soubor končí uprostřed čísel %1 (řádek %2 potřebuje %3 čísel).", "The file ends inside the numbers of %1 (line %2 needs %3 numbers).", "Die Datei endet innerhalb der Zahlen von %1 (Zeile %2 braucht %3 Zahlen).", "Le fichier se termine au milieu des nombres de %1 (la ligne %2 demande %3 nombres)."}},
    {&LanguageMessages::MsgNotANumber, {"Řádek %1: %2 není číslo (%3 na řádku %4 potřebuje %5 čísel).", "Line %1: %2 is not a number (%3 on line %4 needs %5 numbers).", "Zeile %1: %2 ist keine Zahl (%3 in Zeile %4 braucht %5 Zahlen).", "Ligne %1 : %2 n'est pas un nombre (%3 à la ligne %4 demande %5 nombres)."}},
    {&LanguageMessages::MsgDevicePresent, {"připojeno", "present", "vorhanden", "présent"}},
    {&LanguageMessages::MsgDeviceAbsent, {"nepřipojeno", "absent", "nicht vorhanden", "absent"}},
    {&LanguageMessages::MsgSerialDevices, {"Sériová zařízení…", "Serial devices…", "Serielle Geräte…", "Périphériques série…"}},
    {&LanguageMessages::MsgColumnDevice, {"Zařízení", "Device", "Gerät", "Périphérique"}},
    {&LanguageMessages::MsgColumnStableName, {"Stálé jméno", "Stable name", "Fester Name", "Nom stable"}},
    {&LanguageMessages::MsgColumnDescription, {"Popis", "Description", "Beschreibung", "Description"}},
    {&LanguageMessages::MsgColumnMaker, {"Výrobce", "Maker", "Hersteller", "Fabricant"}},
    {&LanguageMessages::MsgColumnSerial, {"Výrobní číslo", "Serial number", "Seriennummer", "Numéro de série"}},
    {&LanguageMessages::MsgDeviceDisconnected, {"Zařízení odpojeno", "Device disconnected", "Gerät getrennt", "Périphérique déconnecté"}},
    {&LanguageMessages::MsgDeviceReconnected, {"Zařízení %1 opět připojeno", "Device %1 connected again", "Gerät %1 wieder verbunden", "Périphérique %1 reconnecté"}},
    {&LanguageMessages::MsgAutoMapped, {"%1 přiřazen k jedinému USB zařízení %2", "%1 mapped to the only USB device, %2", "%1 dem einzigen USB-Gerät %2 zugeordnet", "%1 associé au seul périphérique USB, %2"}},
    {&LanguageMessages::MsgSeveralDevices, {"Je připojeno více USB zařízení: vyberte jedno v nabídce Com > Sériová zařízení…", "Several USB devices are present: choose one in Com > Serial devices…", "Mehrere USB-Geräte vorhanden: wählen Sie eines unter Com > Serielle Geräte…", "Plusieurs périphériques USB sont présents : choisissez-en un dans Com > Périphériques série…"}},
    {&LanguageMessages::MsgManualLookedFor, {"Hledáno v:", "Looked for:", "Gesucht in:", "Cherché dans :"}},
    {&LanguageMessages::MsgManualInstallHint, {"Příručku sestaví a nainstaluje příkaz z README (oddíl „The manual“):", "The README's command (section \"The manual\") builds and installs the manual:", "Der Befehl aus der README (Abschnitt „The manual“) erstellt und installiert das Handbuch:", "La commande du README (section « The manual ») construit et installe le manuel :"}},
    {&LanguageMessages::MsgManualViewerFailed, {"Příručku se nepodařilo otevřít prohlížečem:", "No viewer could open the manual:", "Kein Anzeigeprogramm konnte das Handbuch öffnen:", "Aucun visualiseur n'a pu ouvrir le manuel :"}},
    {&LanguageMessages::MsgPrintFileTitle, {"Tisk do souboru PDF", "Print to PDF file", "Drucken in PDF-Datei", "Imprimer dans un fichier PDF"}},
    {&LanguageMessages::MsgPrintFailed, {"Tisk se nezdařil:", "Printing failed:", "Drucken fehlgeschlagen:", "L'impression a échoué:"}},
};

// The captions of the file dialogs' filters, the chart windows, the print heading and the about box.
struct CaptionRow {
    QString LanguageCaptions::*Caption;
    LanguageTexts Texts;
};

const CaptionRow CaptionTable[] = {
    {&LanguageCaptions::ParameterFilesFilter, {"Parametry zapalování (*.ign)", "Ignition Parametrs(*.ign)", "Zündungsparameter (*.ign)", "Paramètres d'allumage (*.ign)"}},
    {&LanguageCaptions::AllFilesFilter, {"Všechny soubory (*.*)", "All Files (*.*)", "Alle Dateien (*.*)", "Tous les fichiers (*.*)"}},
    {&LanguageCaptions::LogFilesFilter, {"Záznamy (*.csv)", "Logs (*.csv)", "Aufzeichnungen (*.csv)", "Journaux (*.csv)"}},
    {&LanguageCaptions::ChartCaption, {"Graf živých hodnot", "Live chart", "Live-Diagramm", "Graphique en direct"}},
    {&LanguageCaptions::ChartSpeedTitle, {"Otáčky [RPM]", "Speed [RPM]", "Drehzahl [RPM]", "Régime [RPM]"}},
    {&LanguageCaptions::ChartThrottleTitle, {"Plyn [%]", "Throttle [%]", "Drosselklappe [%]", "Papillon [%]"}},
    {&LanguageCaptions::ChartServoTitle, {"Servo %1 [mV]", "Servo %1 [mV]", "Servo %1 [mV]", "Servo %1 [mV]"}},
    {&LanguageCaptions::ChartDesiredName, {"požadované", "desired", "Soll", "consigne"}},
    {&LanguageCaptions::ChartMeasuredName, {"měřené", "measured", "gemessen", "mesurée"}},
    {&LanguageCaptions::ChartTimeTitle, {"čas [s]", "time [s]", "Zeit [s]", "temps [s]"}},
    {&LanguageCaptions::ChartSpanLabel, {"Rozsah:", "Span:", "Zeitraum:", "Durée :"}},
    {&LanguageCaptions::TableChartCaption, {"Graf tabulky serva %1", "Table chart of servo %1", "Tabellendiagramm Servo %1", "Graphique de la table du servo %1"}},
    {&LanguageCaptions::TableChartRowLabel, {"Řádek:", "Row:", "Zeile:", "Ligne :"}},
    {&LanguageCaptions::TableChartAllRows, {"všechny", "all", "alle", "toutes"}},
    {&LanguageCaptions::TableChartRpmTitle, {"otáčky [RPM]", "speed [RPM]", "Drehzahl [RPM]", "régime [RPM]"}},
    {&LanguageCaptions::TableChartSetPointTitle, {"žádaná hodnota [mV]", "set-point [mV]", "Sollwert [mV]", "consigne [mV]"}},
    {&LanguageCaptions::TableChartOperatingPoint, {"pracovní bod", "operating point", "Arbeitspunkt", "point de fonctionnement"}},
    {&LanguageCaptions::PrintHeading, {"Datum a čas tisku:  ", "Date and Time of printing:  ", "Date and Time of printing:  ", nullptr}},
    {&LanguageCaptions::AboutProduct, {"DORV", "DORV", "DORV", "DORV"}},
    {&LanguageCaptions::AboutUnit, {"Servojednotka zapalování", "Servo unit of the ignition", "Servoeinheit der Zündung", "Servo-unité de l'allumage"}},
    {&LanguageCaptions::AboutTool, {"Program pro nastavení", "Configuration tool", "Einstellprogramm", "Outil de configuration"}},
    {&LanguageCaptions::AboutVersion, {"Verze 1.0", "Version 1.0", "Version 1.0", "Version 1.0"}},
    {&LanguageCaptions::AboutService, {"Servis:", "Service:", "Service:", "Service :"}},
    {&LanguageCaptions::AboutServiceWhere, {"u vašeho prodejce DORV", "ask your DORV dealer", "bei Ihrem DORV-Händler", "chez votre revendeur DORV"}},
    {&LanguageCaptions::AboutLicence, {"Licence: GPL-3.0-or-later", "Licence: GPL-3.0-or-later", "Lizenz: GPL-3.0-or-later", "Licence : GPL-3.0-or-later"}},
    {&LanguageCaptions::AboutCaption, {"O programu DORV", "About DORV", "Über Programm DORV", nullptr}},
};

// The stem of the help error; the manual's name and " !" follow it.
const LanguageTexts HelpOpenErrorStem = {"Chyba při otevírání souboru ", "Error by opening file ", "Fehler beim öffnen der Datei ", "Erreur à l´ouvertur du Fichier "};
// clang-format on

// The live labels and what they show while there is no connection.
struct PlaceholderRow {
    const char* Label;
    QString LanguageMessages::*Message;
    const char* Tail;
};

const PlaceholderRow Placeholders[] = {
    {"LabelPocetProgramovani", &LanguageMessages::MsgProgramCount, "---"},
    {"LabelServoPoz1", &LanguageMessages::MsgServoDesired, " 1 = --- mV"},
    {"LabelServoPoz2", &LanguageMessages::MsgServoDesired, " 2 = --- mV"},
    {"LabelServoMer1", &LanguageMessages::MsgServoMeasured, " 1 = --- mV"},
    {"LabelServoMer2", &LanguageMessages::MsgServoMeasured, " 2 = --- mV"},
};

// Only while the connection label is shown: when connected, the live monitor owns these labels.
void SetPlaceholders(QWidget* window, const LanguageMessages& m) {
    const auto* spojeni = window->findChild<QWidget*>(QStringLiteral("LabelSpojeni"));
    if (!spojeni || !spojeni->isVisibleTo(window)) {
        return;
    }
    for (const PlaceholderRow& row : Placeholders) {
        if (auto* label = window->findChild<QLabel*>(QLatin1String(row.Label))) {
            label->setText(m.*row.Message + QLatin1String(row.Tail));
        }
    }
}

} // namespace

QString TextFor(const LanguageTexts& texts, Language language) {
    const auto index = static_cast<std::size_t>(LanguageNumber(language));
    const char* text = index < texts.size() ? texts[index] : nullptr;
    return QString::fromUtf8(text ? text : texts[LanguageNumber(Language::English)]);
}

LanguageCaptions CaptionsFor(Language language) {
    LanguageCaptions c;
    for (const CaptionRow& row : CaptionTable) {
        c.*row.Caption = TextFor(row.Texts, language);
    }
    return c;
}

QString CaptionFor(QString LanguageCaptions::*caption, Language language) {
    for (const CaptionRow& row : CaptionTable) {
        if (row.Caption == caption) {
            return TextFor(row.Texts, language);
        }
    }
    return {};
}

bool HasOwnCaption(QString LanguageCaptions::*caption, Language language) {
    const auto index = static_cast<std::size_t>(LanguageNumber(language));
    for (const CaptionRow& row : CaptionTable) {
        if (row.Caption == caption) {
            return index < row.Texts.size() && row.Texts[index] != nullptr;
        }
    }
    return false;
}

QList<QString LanguageCaptions::*> CaptionMembers() {
    QList<QString LanguageCaptions::*> members;
    for (const CaptionRow& row : CaptionTable) {
        members << row.Caption;
    }
    return members;
}

QList<QString LanguageMessages::*> MessageMembers() {
    QList<QString LanguageMessages::*> members;
    for (const MessageRow& row : MessageTable) {
        members << row.Message;
    }
    return members;
}

QString MessageFor(QString LanguageMessages::*message, Language language) {
    for (const MessageRow& row : MessageTable) {
        if (row.Message == message) {
            return TextFor(row.Texts, language);
        }
    }
    return MessagesFor(language).*message;
}

LanguageMessages MessagesFor(Language language) {
    LanguageMessages m;
    for (const MessageRow& row : MessageTable) {
        m.*row.Message = TextFor(row.Texts, language);
    }
    m.MsgHelpOpenError =
        TextFor(HelpOpenErrorStem, language) + m.HelpFileName + QStringLiteral(" !");
    return m;
}

QStringList PlaceholderObjectNames() {
    QStringList names;
    for (const PlaceholderRow& row : Placeholders) {
        names << QLatin1String(row.Label);
    }
    return names;
}

LanguageMessages ApplyLanguageMessages(QWidget* window) {
    const LanguageMessages m = MessagesFor(CurrentLanguage);
    SetPlaceholders(window, m);
    return m;
}

} // namespace dorv
