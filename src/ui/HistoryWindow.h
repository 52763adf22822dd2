// File > History: the image history's entries, newest first, with their filters and commands.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QSortFilterProxyModel>

#include <functional>
#include <optional>
#include <vector>

#include "History.h"
#include "Jazyk2.h"
#include "ParameterImage.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// The entries of a history folder as a table: time, kind, pinned, unit, programming count, file
// and note. A damaged entry shows what its name tells and says that it cannot be read.
class THistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        TimeColumn,
        KindColumn,
        PinnedColumn,
        UnitColumn,
        CountColumn,
        FileColumn,
        NoteColumn,
        ColumnCount
    };

    explicit THistoryModel(QObject* parent = nullptr);

    void SetEntries(std::vector<dorv::HistoryEntry> entries);
    const std::vector<dorv::HistoryEntry>& Entries() const { return entries_; }
    void SetLanguage(dorv::Language language);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<dorv::HistoryEntry> entries_;
    dorv::Language language_ = dorv::Language::English;
};

// Shows the rows of one unit and one kind; an empty choice shows all.
class THistoryFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetUnit(std::optional<std::string> unit);
    void SetKind(std::optional<dorv::HistoryKind> kind);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    std::optional<std::string> unit_;
    std::optional<dorv::HistoryKind> kind_;
};

class THistoryWindow : public QDialog {
    Q_OBJECT
public:
    // editorImage gives the editor's image the differences are counted against.
    THistoryWindow(QString folder, std::function<dorv::ParameterImage()> editorImage,
                   QWidget* parent = nullptr);

    // Lists the folder again; the selected entry stays selected while it is there.
    void Reload();
    void ApplyLanguage(dorv::Language language);
    // Counts the differences of the selected entry again (the editor has changed).
    void ShowSelected();

    // Selects the row of the filtered list; tests and the window's own keys use it.
    void SelectRow(int row);
    const dorv::HistoryEntry* SelectedEntry() const;
    int RowCount() const;

    // Asked before Delete (true: delete), for a note (nothing: cancelled) and for the file of
    // Save as (empty: cancelled). Tests answer here; by default a box, a text dialog and a file
    // dialog ask the user.
    std::function<bool(const QString& question)> AskDelete;
    std::function<std::optional<QString>(const QString& prompt, const QString& note)> AskNote;
    std::function<QString()> ChooseSaveFile;

    QTableView* EntryList = nullptr;
    QComboBox* UnitFilter = nullptr;
    QComboBox* KindFilter = nullptr;
    QLabel* LabelDifferences = nullptr;
    QPushButton* ButtonRestore = nullptr;
    QPushButton* ButtonCompare = nullptr;
    QPushButton* ButtonPin = nullptr;
    QPushButton* ButtonNote = nullptr;
    QPushButton* ButtonSaveAs = nullptr;
    QPushButton* ButtonDelete = nullptr;
    QPushButton* ButtonClose = nullptr;

signals:
    // Restore: the entry's image, to become the editor's as one undoable step.
    void RestoreRequested(const dorv::ParameterImage& image);
    // Compare: the entry's image against the editor's, with a label naming the entry.
    void CompareRequested(const dorv::ParameterImage& image, const QString& label);

private:
    // The entry of a row of the filtered list.
    const dorv::HistoryEntry& EntryOfRow(int row) const;
    void FillUnitFilter();
    void FitColumns();
    void ApplyFilters();
    void EnableButtons(bool imageReadable);
    // The selected entry's image over the editor's, when it can be read.
    std::optional<dorv::ParameterImage> LoadSelected() const;
    QString EntryLabel(const dorv::HistoryEntry& entry) const;
    void RestoreClick();
    void CompareClick();
    void PinClick();
    void NoteClick();
    void SaveAsClick();
    void DeleteClick();
    void TellFailure(const QString& text);

    QString folder_;
    std::function<dorv::ParameterImage()> editorImage_;
    THistoryModel* model_ = nullptr;
    THistoryFilter* filter_ = nullptr;
    QLabel* labelUnit_ = nullptr;
    QLabel* labelKind_ = nullptr;
    dorv::Language language_ = dorv::Language::English;
};

namespace dorv {

// The kind as the History window names it, in the language.
QString HistoryKindText(HistoryKind kind, dorv::Language language);

} // namespace dorv
