// The caption and hint tables of the main window in four languages, and the operation that applies
// them.
#include "Jazyk1.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTranslator>

#include "Hints.h"

namespace dorv {

Language CurrentLanguage = Language::Czech;

namespace {

constexpr Language Czech = Language::Czech;
constexpr Language English = Language::English;
constexpr Language German = Language::German;

// One control, or a pair sharing its texts, with the four language versions side by side.
struct TextRow {
    const char* Control;
    const char* SecondControl;
    LanguageTexts Texts;
};

// A servo page's tab shows its caption followed by the servo number.
struct TabRow {
    const char* Control;
    const char* Suffix;
    LanguageTexts Texts;
};

// clang-format off
const LanguageTexts WindowCaption = {"Nastavování jednotky \"DORV\"", "Programming of \"DORV\" unit", "Adjustierung der \"DORV\" Steuereinheit", nullptr};

const TextRow ControlCaptions[] = {
    {"LabelSpojeni", nullptr, {"Není spojení s PC", "No connection with PC", "Keine Verbindung zum PC", "Pas de connection acec pc"}},
    {"TabSheet_Ruzne", nullptr, {"Různé", "Miscellaneous", "Verschiedene", nullptr}},
    {"CheckBoxAll", nullptr, {"Vše", "All", "Alles", "Tout"}},
    {"CheckBoxProgHned", nullptr, {"Programování po změně", "Programming after change", "Programmierung nach Änderung", "Sovegarde après modification"}},
    {"LabelFile1", nullptr, {"Soubor:", "File:", "Datei:", "Fichier:"}},
    {"CheckBoxServoEnable", nullptr, {"Servo povoleno", "Servo Enable", "Servo zulassen", "Servo Axessible"}},
    {"CheckBoxProcenta", nullptr, {"Procenta", "per cent", "Prozent", nullptr}},
    {"LabelHystMv", nullptr, {"Hystereze [mV]", "Hysteresis [mV]", "Nachwirkung [mV]", nullptr}},
    {"LabelHystRpm", nullptr, {"Hystereze [RPM]", "Hysteresis [RPM]", "Nachwirkung [RPM]", nullptr}},
    {"RadioGroupPocPulsu", nullptr, {"Počet pulsů", "Number of pulses", "Pulszahl", nullptr}},
};

const TabRow ServoTabCaptions[] = {
    {"TabSheet_Servo1", " 1", {"Servo", "Servo", "Servo", "Servo"}},
    {"TabSheet_Servo2", " 2", {"Servo", "Servo", "Servo", "Servo"}},
};

// The items of RadioGroupPocPulsu in item order (item index = PulsesMode), one per line.
const LanguageTexts PulseItems = {
    "Jeden za dvě otáčky\nJeden za otáčku\nDva za otáčku",
    "One per two revolution\nOne per one revolution\nTwo per one revolution",
    "Einer pro zwei Umdrehungen\nEiner pro eine Umdrehung\nZwei pro eine Umdrehung",
    nullptr};

const TextRow Hints[] = {
    {"LabelVerze1", nullptr, {"Verze programu v zapalování", "Version of program in ignition", "Version des Programms der Zündung", "Variantes de courbe d´avance"}},
    {"LabelVerze2", nullptr, {"Datum zhotovení programu v zapalování", "Date of program in ignition", "Datum des Programms der Zündung", "Date de programation de la courbe d´avance"}},
    {"LabelVerze3", nullptr, {"Čas zhotovení programu v zapalování", "Time of program in ignition", "Programmierzeitpunkt der Zündung", "Temp de programation de la courbe d´avance"}},
    {"MenuOpen", nullptr, {"Otevření souboru s parametry", "Open file with parametrs", "Kenndatendatei öffnen", "Ouvrir fichier avec paramètres"}},
    {"MenuNew", nullptr, {"Nastavení výchozích parametrů", "Set default parametrs", "Neue Kenndatendaten erstellen", "Reprogramation des paramètres initial Dórigine"}},
    {"MenuSave", nullptr, {"Uložení parametrů do souboru", "Save parametrs to file", "Kenndaten in Datei speichern", "Sauvegarder les paramètres"}},
    {"SpeedButtonPrint", "MenuPrint", {"Tisk parametrů", "Print parametrs", "Druck der Kenndaten", "Imprimer paramètres"}},
    {"ButtonProgram", "MenuProgram", {"Programování nastavených parametrů do zapalování", "Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programer les paramètres dans ECU"}},
    {"ButtonVerify", "MenuVerify", {"Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování", "Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Comparer les paramètres de ECU"}},
    {"ButtonRead", "MenuRead", {"Čtení parametrů ze zapalování", "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Lire paramètres ECU"}},
    {"MenuExit", nullptr, {"Ukončení programu", "End of program", "Programm beenden", "Sortir du programme"}},
    {"MenuLanguage", nullptr, {"Nastavení jazyka na angličtinu, češtinu nebo němčinu", "Language|Set English or German or French", "Sprache", "Sélection de la lange"}},
    {"CheckBoxProgHned", nullptr, {"Programování ihned po změně", "Programing at once after change", "Programmmierung gleich nach der Änderung", "Programation instantanée des modifications"}},
    {"MenuRecord", nullptr, {"Spuštění nebo zastavení záznamu živých hodnot do souboru", "Start or stop recording the live values to a log file", "Aufzeichnung der Live-Werte in eine Datei starten oder beenden", "Démarrer ou arrêter l'enregistrement des valeurs en direct"}},
    {"MenuMarker", nullptr, {"Očíslovaná značka k dalšímu vzorku záznamu", "Add a numbered marker to the next sample of the log", "Nummerierte Markierung am nächsten Messpunkt der Aufzeichnung", "Ajouter un repère numéroté à l'échantillon suivant"}},
    {"MenuOpenLog", nullptr, {"Přehrání záznamu na živých hodnotách; do zapalování se nic neposílá", "Play a log on the live values; nothing is sent to the ignition", "Aufzeichnung auf den Live-Werten wiedergeben; an die Zündung wird nichts gesendet", "Relire un enregistrement sur les valeurs en direct ; rien n'est envoyé à l'allumage"}},
    {"MenuChart", nullptr, {"Graf otáček, plynu a serv za poslední minuty", "Chart of speed, throttle and servos over the last minutes", "Diagramm von Drehzahl, Drosselklappe und Servos der letzten Minuten", "Graphique du régime, du papillon et des servos des dernières minutes"}},
    {"MenuTableChart", nullptr, {"Žádaná hodnota aktivního serva podle otáček, křivka pro každý řádek plynu", "Set-point of the active servo against speed, one curve per throttle row", "Sollwert des aktiven Servos über der Drehzahl, eine Kurve je Drosselklappenzeile", "Consigne du servo actif selon le régime, une courbe par ligne de papillon"}},
    {"ButtonReplayPlay", nullptr, {"Přehrát / pozastavit", "Play / pause", "Wiedergabe / Pause", "Lecture / pause"}},
    {"ButtonReplayStop", nullptr, {"Ukončit přehrávání a vrátit se ke spojení se zapalováním", "Stop the replay and return to the live link", "Wiedergabe beenden, zurück zur Verbindung mit der Zündung", "Arrêter la relecture et revenir à la liaison en direct"}},
    {"SliderReplay", nullptr, {"Místo v záznamu", "Position in the log", "Stelle in der Aufzeichnung", "Position dans l'enregistrement"}},
    {"ComboReplaySpeed", nullptr, {"Rychlost přehrávání", "Replay speed", "Wiedergabegeschwindigkeit", "Vitesse de relecture"}},
    {"MenuCom", nullptr, {"Nastavení čísla serivého portu (Com) ", "Set number of com", "Com-Anschluß festlegen", "installer nombre de com"}},
};

// The push buttons of the toolbar take the caption of their menu item, access key included.
const TextRow MenuCaptions[] = {
    {"MenuFile", nullptr, {"&Soubor", "&File", "&Datei", "&Fichier"}},
    {"MenuNew", nullptr, {"&Nový", "&New", "&Neu", "&Nouveau"}},
    {"MenuOpen", nullptr, {"&Otevřít", "&Open", "&Öffnen", "&Ouvrir"}},
    {"MenuSave", nullptr, {"&Uložit", "&Save", "&Speichern", "&Mèmoriser"}},
    {"MenuPrint", nullptr, {"&Tisk", "&Print", "&Drucken", "&Imprimer"}},
    {"MenuExit", nullptr, {"&Konec", "E&xit", "&Beenden", "&Sortir"}},
    {"MenuCom", nullptr, {"&Port", "&Com", "&COM-Anschluß", "&Connection com"}},
    {"MenuDevice", nullptr, {"&Zapalování", "&Ignition", "&Zündung", "&Allumage"}},
    {"MenuRead", "ButtonRead", {"Čí&st", "&Read", "&Lesen", "&Lire"}},
    {"MenuVerify", "ButtonVerify", {"&Verifikace", "&Verify", "&Vergleichen", "&Verifier"}},
    {"MenuProgram", "ButtonProgram", {"&Programovat", "&Program", "&Programmieren", "&Programer"}},
    {"MenuTools", nullptr, {"Pomůcky", "Tools", "Werkzeuge", "Outillage"}},
    {"MenuLanguage", nullptr, {"&Jazyk", "&Language", "&Sprache", "&Langue"}},
    {"MenuEnglish", nullptr, {"&Anglicky", "&English", "&Englisch", "&Englais"}},
    {"MenuGerman", nullptr, {"&Německy", "&German", "&Deutsch", "&Allemand"}},
    {"MenuCzech", nullptr, {"Če&sky", "&Czech", "&Tschechisch", "&Tchèque"}},
    {"MenuHelp", nullptr, {"Nápověda", "&Help", "&Hilfe", "&Aide"}},
    {"MenuContens", nullptr, {"Obsah", "&Contents...", "&Inhalt...", "&Contenu"}},
    {"MenuAbout", nullptr, {"&O programu...", "&About...", "&Über Programm...", "&Information"}},
    {"MenuLog", nullptr, {"Zázna&m", "L&og", "&Aufzeichnung", "&Journal"}},
    {"MenuRecord", nullptr, {"&Nahrávat", "&Record", "Au&fzeichnen", "&Enregistrer"}},
    {"MenuMarker", nullptr, {"&Značka", "&Marker", "&Markierung", "&Repère"}},
    {"MenuChart", nullptr, {"&Graf", "&Chart", "&Diagramm", "&Graphique"}},
    {"MenuTableChart", nullptr, {"Graf &tabulky", "&Table chart", "&Tabellendiagramm", "Graphique de la &table"}},
    {"MenuOpenLog", nullptr, {"&Otevřít záznam...", "&Open log...", "Aufzeichnung ö&ffnen...", "&Ouvrir un enregistrement..."}},
    {"MenuZpet", nullptr, {"Zpet", "Undo", "Zurück", "Undo"}},
    {"MenuZnovu", nullptr, {"Znovu", "Redo", "Wieder", "Redo"}},
    {"MenuView", nullptr, {"&Zobrazení", "&View", "&Ansicht", "&Affichage"}},
    {"MenuViewHeatMap", nullptr, {"&Barevná mapa tabulky", "&Heat map", "&Farbkarte der Tabelle", "&Carte de couleurs"}},
    {"MenuViewCellVisits", nullptr, {"&Návštěvy buněk", "&Cell visits", "&Zellbesuche", "&Visites des cellules"}},
    {"MenuTable", nullptr, {"&Tabulka", "&Table", "&Tabelle", "&Tableau"}},
    {"MenuTableSet", nullptr, {"&Nastavit hodnotu...", "&Set value...", "Wert &setzen...", "&Fixer la valeur..."}},
    {"MenuTableAdd", nullptr, {"&Přičíst hodnotu...", "&Add value...", "Wert &addieren...", "&Ajouter une valeur..."}},
    {"MenuTableScale", nullptr, {"&Násobit v %...", "Sc&ale by per cent...", "In % s&kalieren...", "&Multiplier en %..."}},
    {"MenuTableInterpolateH", nullptr, {"Interpolovat &vodorovně", "Interpolate &horizontally", "&Waagrecht interpolieren", "Interpoler &horizontalement"}},
    {"MenuTableInterpolateV", nullptr, {"Interpolovat &svisle", "Interpolate &vertically", "&Senkrecht interpolieren", "Interpoler &verticalement"}},
    {"MenuTableInterpolate2D", nullptr, {"Interpolovat &plošně", "Interpolate in &2-D", "&Flächig interpolieren", "Interpoler en &2D"}},
    {"MenuTableSmooth", nullptr, {"&Vyhladit", "S&mooth", "&Glätten", "&Lisser"}},
    {"MenuTableCopy", nullptr, {"&Kopírovat", "&Copy", "&Kopieren", "&Copier"}},
    {"MenuTableCopyHeaders", nullptr, {"Kopírovat se &záhlavím", "Copy with &headers", "Mit &Köpfen kopieren", "Copier avec les &en-têtes"}},
    {"MenuTablePaste", nullptr, {"V&ložit", "&Paste", "&Einfügen", "C&oller"}},
    {"MenuTableSelectAll", nullptr, {"Vybrat &vše", "Select a&ll", "A&lles auswählen", "&Tout sélectionner"}},
};
// clang-format on

// The language menu items and the language each one checks.
struct LanguageItem {
    const char* Control;
    dorv::Language Language;
};
const LanguageItem LanguageItems[] = {
    {"MenuEnglish", English}, {"MenuGerman", German}, {"MenuCzech", Czech}};

// The names of Qt's translation files by language; English has none.
const std::array<const char*, LanguageCount> QtTranslationFiles = {"qtbase_cs", nullptr,
                                                                   "qtbase_de", "qtbase_fr"};

// Qt's translation installed now, owned by the application, and its language.
struct InstalledQtTranslation {
    QPointer<QTranslator> Translator;
    int Language = -1; // the number of the language installed, -1 before the first
};
InstalledQtTranslation& QtTranslation() {
    static InstalledQtTranslation installed;
    return installed;
}

// The window's objects by name, gathered in one walk over the window: the tables name about two
// hundred controls, and a search of the whole window for each name would walk it as often.
class NamedObjects {
public:
    explicit NamedObjects(const QWidget* window) {
        for (QObject* object : window->findChildren<QObject*>()) {
            const QString name = object->objectName();
            if (!name.isEmpty()) {
                byName_[name].append(object);
            }
        }
    }
    QList<QObject*> operator()(const char* name) const {
        return byName_.value(QLatin1String(name));
    }

private:
    QHash<QString, QList<QObject*>> byName_;
};

void SetTabCaption(QWidget* page, const QString& text) {
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int index = tabs->indexOf(page);
            if (index >= 0) {
                tabs->setTabText(index, text);
                return;
            }
        }
    }
}

void SetCaption(QObject* target, const QString& text) {
    if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else if (auto* page = qobject_cast<QWidget*>(target)) {
        SetTabCaption(page, text);
    }
}

template <typename Apply>
void ApplyRows(const NamedObjects& named, const TextRow* begin, const TextRow* end, Apply apply) {
    for (const TextRow* row = begin; row != end; ++row) {
        const QString text = TextFor(row->Texts, CurrentLanguage);
        for (const char* name : {row->Control, row->SecondControl}) {
            if (!name) {
                continue;
            }
            for (QObject* target : named(name)) {
                apply(target, text);
            }
        }
    }
}

void ApplyMenuChecks(const NamedObjects& named) {
    for (const LanguageItem& item : LanguageItems) {
        for (QObject* target : named(item.Control)) {
            auto* action = qobject_cast<QAction*>(target);
            if (!action) {
                continue;
            }
            action->setCheckable(true);
            action->setChecked(CurrentLanguage == item.Language);
        }
    }
}

void ApplyServoTabCaptions(const NamedObjects& named) {
    for (const TabRow& row : ServoTabCaptions) {
        const QString text = TextFor(row.Texts, CurrentLanguage) + QLatin1String(row.Suffix);
        for (QObject* target : named(row.Control)) {
            SetCaption(target, text);
        }
    }
}

// The radio buttons of the pulses group, in item order, take one line each.
void ApplyPulseItems(const NamedObjects& named) {
    const QStringList items = TextFor(PulseItems, CurrentLanguage).split(QLatin1Char('\n'));
    const QList<QObject*> groups = named("RadioGroupPocPulsu");
    auto* group = groups.isEmpty() ? nullptr : qobject_cast<QWidget*>(groups.first());
    if (!group) {
        return;
    }
    const auto buttons = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < buttons.size() && i < items.size(); ++i) {
        buttons[i]->setText(items[i]);
    }
}

} // namespace

bool ApplyQtTranslation(Language language) {
    InstalledQtTranslation& installed = QtTranslation();
    if (installed.Language == LanguageNumber(language) &&
        (installed.Translator || language == English)) {
        return true;
    }
    if (installed.Translator) {
        QCoreApplication::removeTranslator(installed.Translator);
        delete installed.Translator;
    }
    installed.Language = LanguageNumber(language);
    const int number = LanguageNumber(language);
    const char* file = number < LanguageCount ? QtTranslationFiles[number] : nullptr;
    if (!file || !QCoreApplication::instance()) {
        return language == English || number >= LanguageCount;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLatin1String(file),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed.Translator = translator;
    return true;
}

LanguageMessages ApplyLanguageTexts(QWidget* window) {
    if (LanguageNumber(CurrentLanguage) >= LanguageCount) {
        CurrentLanguage = English;
    }
    ApplyQtTranslation(CurrentLanguage);
    const NamedObjects named(window);
    ApplyMenuChecks(named);
    window->setWindowTitle(TextFor(WindowCaption, CurrentLanguage));
    ApplyRows(named, std::begin(ControlCaptions), std::end(ControlCaptions), SetCaption);
    ApplyServoTabCaptions(named);
    ApplyPulseItems(named);
    ApplyRows(named, std::begin(Hints), std::end(Hints), SetHint);
    ApplyRows(named, std::begin(MenuCaptions), std::end(MenuCaptions), SetCaption);
    return ApplyLanguageMessages(window);
}

QStringList LanguageObjectNames() {
    QStringList names;
    const auto addRows = [&names](const auto& rows) {
        for (const TextRow& row : rows) {
            for (const char* name : {row.Control, row.SecondControl}) {
                if (name && !names.contains(QLatin1String(name))) {
                    names << QLatin1String(name);
                }
            }
        }
    };
    addRows(ControlCaptions);
    addRows(Hints);
    addRows(MenuCaptions);
    for (const TabRow& row : ServoTabCaptions) {
        names << QLatin1String(row.Control);
    }
    return names + PlaceholderObjectNames();
}

Language LanguageFromArgument(const QString& word, Language current) {
    if (word == QLatin1String("ENGLISH")) {
        return English;
    }
    if (word == QLatin1String("CESKY")) {
        return Czech;
    }
    if (word == QLatin1String("DEUTSCH")) {
        return German;
    }
    return current;
}

} // namespace dorv
