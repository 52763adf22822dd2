// TServoTable: the servo table editor, one widget that draws the RPM row, the 10 x 15 cells and
// the row labels as up-down editors, with one real editor over the current cell and a selection.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <optional>
#include <vector>

#include "EditingCommands.h"
#include "ServoTableModel.h"

class TEditUpDown;

class TServoTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int ColumnPitch = 60;
    static constexpr int RowPitch = 30;
    static constexpr int CellWidth = 56; // an edit of 40 and its up-down of 16
    static constexpr int CellHeight = 21;

    explicit TServoTable(QWidget* parent = nullptr);

    // --- The values (the window fills and packs them) ---
    const dorv::ServoTableModel& Model() const { return model_; }
    // Takes new values, ranges and row visibility; the current cell's editor follows, discarding
    // text typed and not yet taken.
    void SetModel(const dorv::ServoTableModel& model);
    // The text typed into the current cell's editor becomes its value when it is a whole number
    // within the range; otherwise the value stands. Returns the model with it.
    const dorv::ServoTableModel& TakeTypedValue();
    // The value of a cell as it is read now (typed text counts, as TakeTypedValue).
    int Position(dorv::TableCell cell);
    // The text a cell shows: its value with the regional thousands separator.
    QString CellText(dorv::TableCell cell) const;

    // --- Geometry, in the widget's coordinates ---
    static QRect CellRect(dorv::TableCell cell);
    // The row label of throttle row r: its text and the place it is drawn in.
    static QString RowLabelText(int r);
    QRect RowLabelRect(int r) const;
    // The cell under a point, none between cells.
    std::optional<dorv::TableCell> CellAt(QPoint at) const;
    // The centre of a cell's up or down arrow (QStyle::SC_SpinBoxUp or SC_SpinBoxDown).
    QPoint ArrowCentre(dorv::TableCell cell, int arrow) const;
    bool IsCellShown(dorv::TableCell cell) const;
    // The row labels show with rows 1..9.
    bool IsRowLabelShown(int r) const;

    // --- The current cell, its editor and the selection ---
    dorv::TableCell CurrentCell() const { return current_; }
    // Moves the editor to a cell (a hidden one is not taken); the selection becomes that cell.
    void SetCurrentCell(dorv::TableCell cell);
    // The one real editor, over the current cell.
    TEditUpDown* Editor() const { return editor_; }
    // The selected throttle cells; none while the current cell is in the RPM row.
    std::optional<dorv::TableRect> Selection() const;
    // Selects a rectangle, the current cell kept; one beyond the shown rows is cut to them.
    void SetSelection(const dorv::TableRect& rect);
    void SelectAll();

    // --- Marks ---
    // The cell of the live operating point: it, its RPM point and its row label are lime green.
    void SetOperatingCell(std::optional<dorv::OperatingCell> cell);
    // The ground a cell or a row label is drawn on now.
    QColor CellColour(dorv::TableCell cell) const;
    QColor RowLabelColour(int r) const;
    // The look of the printed report: framed edits without arrows, row labels on white.
    void SetPrintLook(bool printLook);
    // Cells on grounds by their values, from blue (lowest shown) to red (highest), light enough
    // for the text; the operating cell is then outlined instead of filled.
    void SetHeatMap(bool heatMap);
    bool HeatMap() const { return heatMap_; }
    // A mark put on a cell from outside (for one, "differs from another image"): a corner in the
    // colour, the text as the cell's tooltip. Marks stay until cleared. Marks of the two layers
    // stand together: layer 0 is a corner in the colour, layer 1 a frame around the cell; a cell
    // with both shows both tips.
    static constexpr int MarkLayers = 2;
    void SetCellMark(dorv::TableCell cell, const QColor& colour, const QString& tip, int layer = 0);
    // Clears the marks of one layer.
    void ClearCellMarks(int layer = 0);
    // The marks' tooltip text, one line a layer; empty for a cell without a mark.
    QString CellMarkTip(dorv::TableCell cell) const;
    // The colour of a cell's mark of a layer; invalid without one.
    QColor CellMarkColour(dorv::TableCell cell, int layer) const;

signals:
    // The mouse was clicked into a cell's edit part.
    void EditClicked();
    // An arrow (mouse, key or wheel with the focus) stepped the current cell.
    void ArrowClicked();
    // Enter was pressed in a cell: the next cell, or past the last one the next control, has
    // the focus already.
    void EnterPressed();
    // Ctrl+C (Ctrl+Shift+C with headers) and Ctrl+V while no text is being typed in the editor.
    void CopyRequested(bool headers);
    void PasteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The row labels are in the font of the box around the table, the cells in the table's.
    QFont LabelFont() const;
    void PlaceEditor();
    void ShowCurrentMarkTip();
    // Takes the typed value of the current cell, then moves the editor to `cell`.
    void MoveTo(dorv::TableCell cell);
    bool HandleKey(QKeyEvent* event);
    void EnterInCell();
    void EditorStepped();
    void ForwardMouse(QMouseEvent* event);
    void KeepSelectionShown();
    void DrawCell(QPainter& painter, dorv::TableCell cell) const;
    void DrawRowLabel(QPainter& painter, int r) const;
    void DrawSelectionFrame(QPainter& painter) const;
    void DrawMarks(QPainter& painter) const;
    bool IsOperating(dorv::TableCell cell) const;
    QColor HeatColour(int value) const;
    const QPalette& GroundPalette(const QColor& ground) const;
    QRect SelectionArea() const;
    bool IsSelected(dorv::TableCell cell) const;

    dorv::ServoTableModel model_;
    TEditUpDown* editor_ = nullptr;
    dorv::TableCell current_{dorv::RpmRow, 0};
    dorv::TableCell anchor_{dorv::RpmRow, 0}; // the selection runs from the anchor to its end
    dorv::TableCell end_{dorv::RpmRow, 0};
    std::optional<dorv::OperatingCell> operating_;
    bool printLook_ = false;
    bool heatMap_ = false;
    struct CellMark {
        dorv::TableCell Cell;
        QColor Colour;
        QString Tip;
        int Layer = 0;
    };
    std::vector<CellMark> marks_;
    mutable std::map<QRgb, QPalette> groundPalettes_;
    const CellMark* MarkOf(dorv::TableCell cell, int layer) const;
    bool dragging_ = false;
    QPointer<QWidget> forwardedTo_; // the part of the editor a press on a drawn cell went to
};
