// The texts of the comparison in four languages: its menu, its list, the names of the fields.
#include "CompareTexts.h"

#include <QLocale>
#include <QStringList>

#include "Jazyk2.h"
#include "ServoTable.h"

namespace dorv {

namespace {

struct CompareRow {
    QString CompareTexts::*Text;
    LanguageTexts Texts;
};

// German: "Vergleichen" is the unit's Verify, so the comparison is named by its differences.
// clang-format off
const CompareRow CompareTable[] = {
    {&CompareTexts::MenuCompare, {"&Porovnat", "Co&mpare", "&Unterschiede zeigen", "&Comparer"}},
    {&CompareTexts::MenuWithUnit, {"Se &zapalováním", "With the &unit", "Mit der &Zündung", "Avec l'&allumage"}},
    {&CompareTexts::MenuWithFile, {"Se &souborem...", "With a &file...", "Mit einer &Datei...", "Avec un &fichier..."}},
    {&CompareTexts::Title, {"Porovnání", "Comparison", "Unterschiede", "Comparaison"}},
    {&CompareTexts::ComparedWith, {"Editor porovnán s: %1", "The editor compared with: %1", "Editor verglichen mit: %1", "L'éditeur comparé avec : %1"}},
    {&CompareTexts::Unit, {"zapalování", "unit", "Zündung", "allumage"}},
    {&CompareTexts::ColumnName, {"Parametr", "Parameter", "Parameter", "Paramètre"}},
    {&CompareTexts::ColumnEditor, {"Editor", "Editor", "Editor", "Éditeur"}},
    {&CompareTexts::GroupGeneral, {"Obecné: %1", "General: %1", "Allgemein: %1", "Général : %1"}},
    {&CompareTexts::GroupRpmPoints, {"Body RPM: %1", "RPM points: %1", "RPM-Punkte: %1", "Points RPM : %1"}},
    {&CompareTexts::GroupCells, {"Buňky: %1", "Cells: %1", "Zellen: %1", "Cellules : %1"}},
    {&CompareTexts::Tps0, {"TPS 0 %", "TPS 0 %", "TPS 0 %", "TPS 0 %"}},
    {&CompareTexts::Tps100, {"TPS 100 %", "TPS 100 %", "TPS 100 %", "TPS 100 %"}},
    {&CompareTexts::Pulses, {"Počet pulsů", "Pulses", "Pulszahl", "Impulsions"}},
    {&CompareTexts::ServoEnable, {"servo povoleno", "servo enable", "Servo zulassen", "servo actif"}},
    {&CompareTexts::TpEnable, {"škrticí klapka povolena", "throttle enable", "Drosselklappe zulassen", "papillon actif"}},
    {&CompareTexts::PercentMode, {"procenta", "per cent", "Prozent", "pour cent"}},
    {&CompareTexts::HysteresisMv, {"hystereze [mV]", "hysteresis [mV]", "Nachwirkung [mV]", "hystérésis [mV]"}},
    {&CompareTexts::HysteresisRpm, {"hystereze [RPM]", "hysteresis [RPM]", "Nachwirkung [RPM]", "hystérésis [RPM]"}},
    {&CompareTexts::RpmPoint, {"bod RPM %1", "RPM point %1", "RPM-Punkt %1", "point RPM %1"}},
    {&CompareTexts::OnServo, {"Servo %1: %2", "Servo %1: %2", "Servo %1: %2", "Servo %1 : %2"}},
    {&CompareTexts::SwitchOn, {"zapnuto", "on", "ein", "oui"}},
    {&CompareTexts::SwitchOff, {"vypnuto", "off", "aus", "non"}},
    {&CompareTexts::PulseValues, {"1 za 2 otáčky\n1 za otáčku\n2 za otáčku", "1 per 2 revolutions\n1 per revolution\n2 per revolution", "1 pro 2 Umdrehungen\n1 pro Umdrehung\n2 pro Umdrehung", "1 pour 2 tours\n1 par tour\n2 par tour"}},
    {&CompareTexts::TakeOne, {"Převzít hodnotu", "Take the value", "Wert übernehmen", "Reprendre la valeur"}},
    {&CompareTexts::TakeRow, {"Převzít řádek", "Take the row", "Zeile übernehmen", "Reprendre la ligne"}},
    {&CompareTexts::TakeTable, {"Převzít tabulku", "Take the table", "Tabelle übernehmen", "Reprendre la table"}},
    {&CompareTexts::TakeAll, {"Převzít vše", "Take all", "Alles übernehmen", "Tout reprendre"}},
    {&CompareTexts::Close, {"Zavřít", "Close", "Schließen", "Fermer"}},
    {&CompareTexts::NoDifferences, {"Žádné rozdíly.", "No differences.", "Keine Unterschiede.", "Aucune différence."}},
    {&CompareTexts::IdentityDiffers, {"Liší se i identifikace programu (verze, datum, čas).", "The program identities differ as well (version, date, time).", "Auch die Programmkennungen unterscheiden sich (Version, Datum, Zeit).", "Les identités des programmes diffèrent aussi (version, date, heure)."}},
    {&CompareTexts::Taken, {"Převzato hodnot: %1 (%2)", "Values taken: %1 (%2)", "Übernommene Werte: %1 (%2)", "Valeurs reprises : %1 (%2)"}},
    {&CompareTexts::ReadingUnit, {"Čtení zapalování pro porovnání...", "Reading the unit for the comparison...", "Zündung wird für den Vergleich gelesen...", "Lecture de l'allumage pour la comparaison..."}},
    {&CompareTexts::UnitDiffers, {"Zapalování obsahuje jiné parametry než editor.", "The unit holds other parameters than the editor.", "Die Zündung enthält andere Parameter als der Editor.", "L'allumage contient d'autres paramètres que l'éditeur."}},
    {&CompareTexts::ShowDifferences, {"Zobrazit rozdíly?", "Show the differences?", "Unterschiede anzeigen?", "Afficher les différences ?"}},
};
// clang-format on

// A number as the editors show it, with the regional thousands separator.
QString Number(int value) {
    return QLocale().toString(value);
}

QString FieldName(ImageField field, const CompareTexts& t) {
    switch (field) {
    case ImageField::Tps0:
        return t.Tps0;
    case ImageField::Tps100:
        return t.Tps100;
    case ImageField::Pulses:
        return t.Pulses;
    case ImageField::ServoEnable:
        return t.ServoEnable;
    case ImageField::TpEnable:
        return t.TpEnable;
    case ImageField::PercentMode:
        return t.PercentMode;
    case ImageField::HysteresisMv:
        return t.HysteresisMv;
    case ImageField::HysteresisRpm:
        return t.HysteresisRpm;
    case ImageField::RpmPoint:
    case ImageField::Cell:
        break;
    }
    return {};
}

} // namespace

CompareTexts CompareTextsFor(dorv::Language language) {
    CompareTexts texts;
    for (const CompareRow& row : CompareTable)
        texts.*row.Text = TextFor(row.Texts, language);
    texts.Cell = MessagesFor(language).MsgTableCell;
    return texts;
}

QString DifferenceName(const ImageDifference& d, const CompareTexts& t) {
    QString field;
    if (d.Field == ImageField::RpmPoint)
        field = t.RpmPoint.arg(d.Column + 1);
    else if (d.Field == ImageField::Cell)
        field = t.Cell.arg(TServoTable::RowLabelText(d.Row)).arg(d.Column + 1);
    else
        field = FieldName(d.Field, t);
    return d.Servo == NoServo ? field : t.OnServo.arg(d.Servo + 1).arg(field);
}

QString DifferenceValue(const ImageDifference& d, int value, bool percentCells,
                        const CompareTexts& t) {
    switch (d.Field) {
    case ImageField::ServoEnable:
    case ImageField::TpEnable:
    case ImageField::PercentMode:
        return value != 0 ? t.SwitchOn : t.SwitchOff;
    case ImageField::Pulses: {
        const QStringList choices = t.PulseValues.split(QLatin1Char('\n'));
        return value >= 0 && value < choices.size() ? choices[value] : Number(value);
    }
    case ImageField::RpmPoint:
    case ImageField::HysteresisRpm:
        return Number(value) + QStringLiteral(" RPM");
    case ImageField::Cell:
        return Number(value) + (percentCells ? QStringLiteral(" %") : QStringLiteral(" mV"));
    case ImageField::Tps0:
    case ImageField::Tps100:
    case ImageField::HysteresisMv:
        break;
    }
    return Number(value) + QStringLiteral(" mV");
}

} // namespace dorv
