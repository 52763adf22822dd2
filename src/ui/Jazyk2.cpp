// The message texts in four languages and the operation that fills them for the current language.
#include "Jazyk2.h"

#include <QLabel>
#include <QWidget>

#include "Jazyk1.h"

namespace dorv {

namespace {

constexpr int English = 1;

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

QString TextFor(const LanguageTexts& texts, unsigned language) {
    const char* text = language < texts.size() ? texts[language] : nullptr;
    return QString::fromUtf8(text ? text : texts[English]);
}

LanguageMessages MessagesFor(unsigned language) {
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
