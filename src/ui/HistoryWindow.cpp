// File > History: the image history's entries, newest first, with their filters and commands.
#include "HistoryWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

#include "CompareImages.h"
#include "ErrorTexts.h"
#include "Jazyk2.h"
#include "MakeControls.h"
#include "StorageFiles.h"

using dorv::HistoryEntry;
using dorv::HistoryKind;
using dorv::LanguageTexts;
using dorv::TextFor;

namespace {

// clang-format off
const LanguageTexts TitleText = {"Historie", "History", "Verlauf", "Historique"};
const std::array<LanguageTexts, THistoryModel::ColumnCount> ColumnTexts = {{
    {"Čas", "Time", "Zeit", "Heure"},
    {"Druh", "Kind", "Art", "Type"},
    {"Připnuto", "Pinned", "Angeheftet", "Épinglé"},
    {"Jednotka", "Unit", "Gerät", "Unité"},
    {"Počet programování", "Programming count", "Programmierzähler", "Programmations"},
    {"Soubor", "File", "Datei", "Fichier"},
    {"Poznámka", "Note", "Notiz", "Note"},
}};
const std::array<LanguageTexts, 6> KindTexts = {{
    {"Čtení", "Read", "Gelesen", "Lecture"},
    {"Naprogramováno", "Programmed", "Programmiert", "Programmé"},
    {"Jednotka se liší", "Unit differs", "Gerät weicht ab", "L'unité diffère"},
    {"Před čtením", "Before read", "Vor dem Lesen", "Avant lecture"},
    {"Před otevřením", "Before open", "Vor dem Öffnen", "Avant ouverture"},
    {"Před novým", "Before new", "Vor Neu", "Avant nouveau"},
}};
const LanguageTexts UnitLabelText = {"Jednotka:", "Unit:", "Gerät:", "Unité :"};
const LanguageTexts KindLabelText = {"Druh:", "Kind:", "Art:", "Type :"};
const LanguageTexts AllUnitsText = {"Všechny jednotky", "All units", "Alle Geräte", "Toutes les unités"};
const LanguageTexts UnknownUnitText = {"Neznámá jednotka", "Unknown unit", "Unbekanntes Gerät", "Unité inconnue"};
const LanguageTexts AllKindsText = {"Všechny druhy", "All kinds", "Alle Arten", "Tous les types"};
const LanguageTexts RestoreText = {"&Obnovit", "&Restore", "&Wiederherstellen", "&Restaurer"};
const LanguageTexts CompareText = {"&Porovnat", "&Compare", "&Vergleichen", "&Comparer"};
const LanguageTexts PinText = {"Připn&out", "&Pin", "&Anheften", "É&pingler"};
const LanguageTexts UnpinText = {"Odepn&out", "Un&pin", "L&ösen", "Dés&épingler"};
const LanguageTexts NoteText = {"Poz&námka...", "&Note...", "&Notiz...", "&Note..."};
const LanguageTexts SaveAsText = {"&Uložit jako...", "&Save as...", "&Speichern unter...", "&Enregistrer sous..."};
const LanguageTexts DeleteText = {"Sma&zat", "&Delete", "&Löschen", "&Supprimer"};
const LanguageTexts CloseText = {"Zavřít", "Close", "Schließen", "Fermer"};
const LanguageTexts DifferencesText = {"Hodnot odlišných od editoru: %1", "Values that differ from the editor: %1", "Vom Editor abweichende Werte: %1", "Valeurs différentes de l'éditeur : %1"};
const LanguageTexts SameText = {"Shodné s editorem", "Same as the editor", "Gleich wie im Editor", "Identique à l'éditeur"};
const LanguageTexts DamagedText = {"Poškozený záznam: nelze jej přečíst", "Damaged entry: it cannot be read", "Beschädigter Eintrag: er kann nicht gelesen werden", "Entrée endommagée : elle ne peut pas être lue"};
const LanguageTexts DeleteQuestion = {"Smazat záznam %1?", "Delete the entry %1?", "Den Eintrag %1 löschen?", "Supprimer l'entrée %1 ?"};
const LanguageTexts NotePrompt = {"Poznámka k záznamu %1:", "Note on the entry %1:", "Notiz zum Eintrag %1:", "Note de l'entrée %1 :"};
const LanguageTexts ChangeFailed = {"Záznam nelze změnit: %1", "The entry could not be changed: %1", "Der Eintrag konnte nicht geändert werden: %1", "L'entrée n'a pas pu être modifiée : %1"};
const LanguageTexts SaveFailed = {"Soubor nelze uložit: %1", "The file could not be saved: %1", "Die Datei konnte nicht gespeichert werden: %1", "Le fichier n'a pas pu être enregistré : %1"};
const LanguageTexts DeleteFailed = {"Záznam nelze smazat.", "The entry could not be deleted.", "Der Eintrag konnte nicht gelöscht werden.", "L'entrée n'a pas pu être supprimée."};
// clang-format on

const QString PinMark = QStringLiteral("\u2713");
constexpr const char* EntryList = "HistoryEntryList";

QString TimeOf(const dorv::HistoryName& name) {
    const dorv::HistoryStamp& s = name.Stamp;
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(s.Year, 4, 10, QLatin1Char('0'))
        .arg(s.Month, 2, 10, QLatin1Char('0'))
        .arg(s.Day, 2, 10, QLatin1Char('0'))
        .arg(s.Hour, 2, 10, QLatin1Char('0'))
        .arg(s.Minute, 2, 10, QLatin1Char('0'))
        .arg(s.Second, 2, 10, QLatin1Char('0'));
}

// The note on one line: the list shows its first line only.
QString NoteLine(const std::string& note) {
    const QString text = QString::fromStdString(note);
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    return end < 0 ? text : text.left(end) + QStringLiteral(" …");
}

} // namespace

namespace dorv {

QString HistoryKindText(HistoryKind kind, dorv::Language language) {
    return TextFor(KindTexts[static_cast<std::size_t>(kind)], language);
}

} // namespace dorv

// --- THistoryModel ---

THistoryModel::THistoryModel(QObject* parent) : QAbstractTableModel(parent) {}

void THistoryModel::SetEntries(std::vector<HistoryEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

void THistoryModel::SetLanguage(dorv::Language language) {
    language_ = language;
    if (!entries_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int THistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int THistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant THistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const HistoryEntry& e = entries_[static_cast<std::size_t>(index.row())];
    if (role == Qt::ForegroundRole && e.Damaged())
        return QColor(Qt::red);
    if (role == Qt::ToolTipRole && index.column() == NoteColumn && e.Sidecar)
        return QString::fromStdString(e.Sidecar->Note);
    if (role == Qt::ToolTipRole && index.column() == TimeColumn)
        return e.Sidecar ? QString::fromStdString(e.Sidecar->Time) : e.Stem;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case TimeColumn:
        return TimeOf(e.Name);
    case KindColumn:
        return dorv::HistoryKindText(e.Name.Kind, language_);
    case PinnedColumn:
        return e.Pinned() ? PinMark : QString();
    case NoteColumn:
        return e.Damaged() ? TextFor(DamagedText, language_) : NoteLine(e.Sidecar->Note);
    default:
        break;
    }
    if (!e.Sidecar)
        return {};
    switch (index.column()) {
    case UnitColumn:
        return QString::fromStdString(e.Sidecar->Unit.Text());
    case CountColumn:
        return e.Sidecar->ProgramCount ? QVariant(*e.Sidecar->ProgramCount) : QVariant();
    case FileColumn:
        return QString::fromStdString(e.Sidecar->FileName);
    default:
        return {};
    }
}

QVariant THistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return TextFor(ColumnTexts[static_cast<std::size_t>(section)], language_);
}

// --- THistoryFilter ---

void THistoryFilter::SetUnit(std::optional<std::string> unit) {
    unit_ = std::move(unit);
    invalidateFilter();
}

void THistoryFilter::SetKind(std::optional<HistoryKind> kind) {
    kind_ = kind;
    invalidateFilter();
}

bool THistoryFilter::filterAcceptsRow(int row, const QModelIndex&) const {
    const auto* model = static_cast<const THistoryModel*>(sourceModel());
    const HistoryEntry& e = model->Entries()[static_cast<std::size_t>(row)];
    if (kind_ && e.Name.Kind != *kind_)
        return false;
    // A damaged entry has no unit to tell: it shows under every unit.
    return !unit_ || !e.Sidecar || e.Sidecar->Unit.Text() == *unit_;
}

// --- THistoryWindow ---

THistoryWindow::THistoryWindow(QString folder, std::function<dorv::ParameterImage()> editorImage,
                               QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), editorImage_(std::move(editorImage)) {
    setObjectName(QStringLiteral("FormHistory"));
    setSizeGripEnabled(true);
    model_ = new THistoryModel(this);
    filter_ = new THistoryFilter(this);
    filter_->setSourceModel(model_);

    labelUnit_ = new QLabel(this);
    UnitFilter = new QComboBox(this);
    UnitFilter->setObjectName(QStringLiteral("HistoryUnitFilter"));
    UnitFilter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    labelKind_ = new QLabel(this);
    KindFilter = new QComboBox(this);
    KindFilter->setObjectName(QStringLiteral("HistoryKindFilter"));
    labelUnit_->setBuddy(UnitFilter);
    labelKind_->setBuddy(KindFilter);
    auto* filters = new QHBoxLayout;
    filters->addWidget(labelUnit_);
    filters->addWidget(UnitFilter);
    filters->addSpacing(12);
    filters->addWidget(labelKind_);
    filters->addWidget(KindFilter);
    filters->addStretch();

    EntryList = new QTableView(this);
    EntryList->setObjectName(QLatin1String(::EntryList));
    EntryList->setModel(filter_);
    EntryList->setSelectionBehavior(QAbstractItemView::SelectRows);
    EntryList->setSelectionMode(QAbstractItemView::SingleSelection);
    EntryList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EntryList->setAlternatingRowColors(true);
    EntryList->setWordWrap(false);
    EntryList->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured row by row when 2,000 are listed.
    EntryList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    EntryList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    EntryList->horizontalHeader()->setStretchLastSection(true);
    // A long file name loses its middle, not its name.
    EntryList->setTextElideMode(Qt::ElideMiddle);

    LabelDifferences = new QLabel(this);
    LabelDifferences->setObjectName(QStringLiteral("LabelHistoryDifferences"));
    ButtonRestore = dorv::MakeLayoutButton(this, "ButtonHistoryRestore");
    ButtonCompare = dorv::MakeLayoutButton(this, "ButtonHistoryCompare");
    ButtonPin = dorv::MakeLayoutButton(this, "ButtonHistoryPin");
    ButtonNote = dorv::MakeLayoutButton(this, "ButtonHistoryNote");
    ButtonSaveAs = dorv::MakeLayoutButton(this, "ButtonHistorySaveAs");
    ButtonDelete = dorv::MakeLayoutButton(this, "ButtonHistoryDelete");
    ButtonClose = dorv::MakeLayoutButton(this, "ButtonHistoryClose");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {ButtonRestore, ButtonCompare, ButtonPin, ButtonNote, ButtonSaveAs, ButtonDelete})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ButtonClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(EntryList, 1);
    layout->addWidget(LabelDifferences);
    layout->addLayout(buttons);
    resize(1040, 520);

    connect(EntryList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &THistoryWindow::ShowSelected);
    connect(UnitFilter, &QComboBox::currentIndexChanged, this, &THistoryWindow::ApplyFilters);
    connect(KindFilter, &QComboBox::currentIndexChanged, this, &THistoryWindow::ApplyFilters);
    connect(EntryList, &QTableView::doubleClicked, this, &THistoryWindow::RestoreClick);
    connect(ButtonRestore, &QPushButton::clicked, this, &THistoryWindow::RestoreClick);
    connect(ButtonCompare, &QPushButton::clicked, this, &THistoryWindow::CompareClick);
    connect(ButtonPin, &QPushButton::clicked, this, &THistoryWindow::PinClick);
    connect(ButtonNote, &QPushButton::clicked, this, &THistoryWindow::NoteClick);
    connect(ButtonSaveAs, &QPushButton::clicked, this, &THistoryWindow::SaveAsClick);
    connect(ButtonDelete, &QPushButton::clicked, this, &THistoryWindow::DeleteClick);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);

    AskDelete = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };
    AskNote = [this](const QString& prompt, const QString& note) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getMultiLineText(this, windowTitle(), prompt, note, &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };
    ApplyLanguage(language_);
}

void THistoryWindow::Reload() {
    const HistoryEntry* selected = SelectedEntry();
    const QString stem = selected ? selected->Stem : QString();
    model_->SetEntries(dorv::ListHistory(folder_));
    FillUnitFilter();
    int row = 0;
    for (int r = 0; r < filter_->rowCount() && !stem.isEmpty(); ++r)
        if (EntryOfRow(r).Stem == stem)
            row = r;
    SelectRow(row);
    ShowSelected();
}

void THistoryWindow::FillUnitFilter() {
    const QVariant chosen = UnitFilter->currentData();
    std::set<std::string> units;
    for (const HistoryEntry& e : model_->Entries())
        if (e.Sidecar)
            units.insert(e.Sidecar->Unit.Text());
    const QSignalBlocker quiet(UnitFilter);
    UnitFilter->clear();
    UnitFilter->addItem(TextFor(AllUnitsText, language_));
    for (const std::string& unit : units)
        UnitFilter->addItem(unit.empty() ? TextFor(UnknownUnitText, language_)
                                         : QString::fromStdString(unit),
                            QString::fromStdString(unit));
    const int kept = chosen.isValid() ? UnitFilter->findData(chosen) : -1;
    UnitFilter->setCurrentIndex(kept > 0 ? kept : 0);
    ApplyFilters();
}

void THistoryWindow::ApplyFilters() {
    const QVariant unit = UnitFilter->currentData();
    filter_->SetUnit(unit.isValid() ? std::optional(unit.toString().toStdString()) : std::nullopt);
    const int kind = KindFilter->currentIndex();
    filter_->SetKind(kind > 0 ? std::optional(static_cast<HistoryKind>(kind - 1)) : std::nullopt);
    if (!EntryList->currentIndex().isValid() && filter_->rowCount() > 0)
        SelectRow(0);
    ShowSelected();
}

void THistoryWindow::ApplyLanguage(dorv::Language language) {
    language_ = language;
    setWindowTitle(TextFor(TitleText, language));
    model_->SetLanguage(language);
    labelUnit_->setText(TextFor(UnitLabelText, language));
    labelKind_->setText(TextFor(KindLabelText, language));
    {
        const QSignalBlocker quiet(KindFilter);
        const int kind = std::max(0, KindFilter->currentIndex());
        KindFilter->clear();
        KindFilter->addItem(TextFor(AllKindsText, language));
        for (const HistoryKind k : dorv::AllHistoryKinds)
            KindFilter->addItem(dorv::HistoryKindText(k, language));
        KindFilter->setCurrentIndex(kind);
    }
    if (UnitFilter->count() > 0) {
        UnitFilter->setItemText(0, TextFor(AllUnitsText, language));
        const int unknown = UnitFilter->findData(QString());
        if (unknown > 0)
            UnitFilter->setItemText(unknown, TextFor(UnknownUnitText, language));
    }
    ButtonRestore->setText(TextFor(RestoreText, language));
    ButtonCompare->setText(TextFor(CompareText, language));
    ButtonNote->setText(TextFor(NoteText, language));
    ButtonSaveAs->setText(TextFor(SaveAsText, language));
    ButtonDelete->setText(TextFor(DeleteText, language));
    ButtonClose->setText(TextFor(CloseText, language));
    FitColumns();
    ShowSelected();
}

// Each column as wide as its header and the widest text it usually shows, measured once per
// language rather than row by row; the note takes the rest.
void THistoryWindow::FitColumns() {
    const QFontMetrics text = EntryList->fontMetrics();
    // The style draws the header's texts in bold.
    QFont bold = EntryList->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics header(bold);
    constexpr int Margin = 16;
    QString widestKind;
    for (const HistoryKind k : dorv::AllHistoryKinds)
        if (text.horizontalAdvance(dorv::HistoryKindText(k, language_)) >
            text.horizontalAdvance(widestKind))
            widestKind = dorv::HistoryKindText(k, language_);
    const std::array<QString, THistoryModel::ColumnCount - 1> samples{
        QStringLiteral("2026-12-10 14:22:33"),
        widestKind,
        PinMark,
        QStringLiteral("SIM01 10.12.2026 14:00 v56"),
        QStringLiteral("65535"),
        QStringLiteral("/home/tech/tunes/track.ign")};
    for (int c = 0; c + 1 < THistoryModel::ColumnCount; ++c) {
        const QString title = TextFor(ColumnTexts[static_cast<std::size_t>(c)], language_);
        EntryList->setColumnWidth(
            c, std::max(text.horizontalAdvance(samples[static_cast<std::size_t>(c)]),
                        header.horizontalAdvance(title)) +
                   Margin);
    }
}

void THistoryWindow::SelectRow(int row) {
    if (row < 0 || row >= filter_->rowCount()) {
        EntryList->setCurrentIndex({});
        return;
    }
    EntryList->setCurrentIndex(filter_->index(row, 0));
    EntryList->selectRow(row);
}

int THistoryWindow::RowCount() const {
    return filter_->rowCount();
}

const HistoryEntry& THistoryWindow::EntryOfRow(int row) const {
    const int source = filter_->mapToSource(filter_->index(row, 0)).row();
    return model_->Entries()[static_cast<std::size_t>(source)];
}

const HistoryEntry* THistoryWindow::SelectedEntry() const {
    const QModelIndex current = EntryList->currentIndex();
    if (!current.isValid() || current.row() >= filter_->rowCount())
        return nullptr;
    return &EntryOfRow(current.row());
}

std::optional<dorv::ParameterImage> THistoryWindow::LoadSelected() const {
    const HistoryEntry* entry = SelectedEntry();
    if (!entry || !entry->EntryPresent)
        return std::nullopt;
    const dorv::ParameterFileResult read = dorv::LoadHistoryEntry(*entry, editorImage_());
    return read.Accepted() ? std::optional(read.Image) : std::nullopt;
}

void THistoryWindow::ShowSelected() {
    const HistoryEntry* entry = SelectedEntry();
    const std::optional<dorv::ParameterImage> image = LoadSelected();
    if (!entry) {
        LabelDifferences->clear();
    } else if (image) {
        const std::size_t count = dorv::CompareImages(editorImage_(), *image).Differences.size();
        LabelDifferences->setText(count == 0 ? TextFor(SameText, language_)
                                             : TextFor(DifferencesText, language_).arg(count));
    } else {
        LabelDifferences->setText(TextFor(DamagedText, language_));
    }
    EnableButtons(image.has_value());
}

void THistoryWindow::EnableButtons(bool imageReadable) {
    const HistoryEntry* entry = SelectedEntry();
    for (QPushButton* b : {ButtonRestore, ButtonCompare, ButtonSaveAs})
        b->setEnabled(imageReadable);
    for (QPushButton* b : {ButtonPin, ButtonNote})
        b->setEnabled(entry && !entry->Damaged());
    ButtonDelete->setEnabled(entry != nullptr);
    ButtonPin->setText(TextFor(entry && entry->Pinned() ? UnpinText : PinText, language_));
}

QString THistoryWindow::EntryLabel(const HistoryEntry& entry) const {
    return dorv::HistoryKindText(entry.Name.Kind, language_) + QLatin1Char(' ') +
           TimeOf(entry.Name);
}

void THistoryWindow::TellFailure(const QString& text) {
    QMessageBox::warning(this, windowTitle(), text);
}

void THistoryWindow::RestoreClick() {
    if (const std::optional<dorv::ParameterImage> image = LoadSelected()) {
        emit RestoreRequested(*image);
        ShowSelected();
    }
}

void THistoryWindow::CompareClick() {
    const HistoryEntry* entry = SelectedEntry();
    if (const std::optional<dorv::ParameterImage> image = LoadSelected())
        emit CompareRequested(*image, EntryLabel(*entry));
}

void THistoryWindow::PinClick() {
    const HistoryEntry* entry = SelectedEntry();
    if (!entry)
        return;
    const dorv::FileWriteResult written = dorv::SetHistoryPinned(*entry, !entry->Pinned());
    if (!written.Ok)
        TellFailure(
            TextFor(ChangeFailed, language_).arg(dorv::FileWriteReason(written.Kind, language_)));
    Reload();
}

void THistoryWindow::NoteClick() {
    const HistoryEntry* entry = SelectedEntry();
    if (!entry || !entry->Sidecar)
        return;
    const std::optional<QString> note =
        AskNote(TextFor(NotePrompt, language_).arg(EntryLabel(*entry)),
                QString::fromStdString(entry->Sidecar->Note));
    if (!note)
        return;
    const dorv::FileWriteResult written = dorv::SetHistoryNote(*entry, note->toStdString());
    if (!written.Ok)
        TellFailure(
            TextFor(ChangeFailed, language_).arg(dorv::FileWriteReason(written.Kind, language_)));
    Reload();
}

void THistoryWindow::SaveAsClick() {
    const std::optional<dorv::ParameterImage> image = LoadSelected();
    if (!image || !ChooseSaveFile)
        return;
    const QString path = ChooseSaveFile();
    if (path.isEmpty())
        return;
    const dorv::FileWriteResult written = dorv::SaveParameterFile(path, *image);
    if (!written.Ok)
        TellFailure(
            TextFor(SaveFailed, language_)
                .arg(path + QStringLiteral("\n") + dorv::FileWriteReason(written.Kind, language_)));
}

void THistoryWindow::DeleteClick() {
    const HistoryEntry* entry = SelectedEntry();
    if (!entry || !AskDelete(TextFor(DeleteQuestion, language_).arg(EntryLabel(*entry))))
        return;
    const int row = EntryList->currentIndex().row();
    if (!dorv::DeleteHistoryEntry(*entry))
        TellFailure(TextFor(DeleteFailed, language_));
    model_->SetEntries(dorv::ListHistory(folder_));
    FillUnitFilter();
    SelectRow(std::min(row, filter_->rowCount() - 1));
    ShowSelected();
}
