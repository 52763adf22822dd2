// TServoTable: drawing of the cells with the style's up-down look, the editor, keys and selection.
#include "ServoTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>
#include <QToolTip>

#include <algorithm>

#include "EditUpDown.h"

using dorv::RpmRow;
using dorv::TableCell;
using dorv::TableRect;

namespace {

const QColor OperatingCellColour(0, 255, 0); // lime green
constexpr int TextMargin = 2;                // as an edit keeps its text off its frame

// The selected cells' ground: their own tinted with the selection colour, text legible on it.
QColor SelectedGround(const QColor& base, const QColor& mark) {
    constexpr double tint = 0.3;
    return QColor::fromRgbF(float(base.redF() * (1 - tint) + mark.redF() * tint),
                            float(base.greenF() * (1 - tint) + mark.greenF() * tint),
                            float(base.blueF() * (1 - tint) + mark.blueF() * tint));
}

} // namespace

TServoTable::TServoTable(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ServoTable"));
    const QRect last = CellRect({dorv::ThrottleRows - 1, dorv::RpmColumns - 1});
    resize(last.right() + 1, last.bottom() + 1);

    editor_ = TEditUpDown::Create(this, QStringLiteral("EditServoTable"),
                                  QStringLiteral("UpDownServoTable"), CellRect(current_),
                                  model_.RangeOf(current_));
    editor_->installEventFilter(this);
    editor_->Edit()->installEventFilter(this);
    // A right click anywhere in the table, the editor too, opens the table's menu (the window's).
    editor_->setContextMenuPolicy(Qt::NoContextMenu);
    editor_->Edit()->setContextMenuPolicy(Qt::NoContextMenu);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The editor alone takes the keyboard focus; a click on a drawn cell hands it over.
    setFocusPolicy(Qt::NoFocus);
    connect(editor_, &TEditUpDown::EditClicked, this, &TServoTable::EditClicked);
    connect(editor_, &TEditUpDown::ArrowClicked, this, &TServoTable::EditorStepped);
    connect(editor_, &TEditUpDown::EnterPressed, this, &TServoTable::EnterInCell);
}

// --- Values ---

void TServoTable::SetModel(const dorv::ServoTableModel& model) {
    const bool rowsChanged = model.TpEnable != model_.TpEnable;
    model_ = model;
    if (!model_.IsShown(current_))
        current_ = model_.Moved(current_, 0, 0);
    if (rowsChanged)
        KeepSelectionShown();
    PlaceEditor();
    update();
}

const dorv::ServoTableModel& TServoTable::TakeTypedValue() {
    model_.SetValue(current_, editor_->Position());
    return model_;
}

int TServoTable::Position(TableCell cell) {
    if (cell == current_)
        TakeTypedValue();
    return model_.Value(cell);
}

QString TServoTable::CellText(TableCell cell) const {
    QLocale regional = editor_->locale();
    regional.setNumberOptions(regional.numberOptions() & ~QLocale::OmitGroupSeparator);
    return regional.toString(model_.Value(cell));
}

// --- Geometry ---

QRect TServoTable::CellRect(TableCell cell) {
    const int top = cell.Row == RpmRow ? 21 : 53 + RowPitch * cell.Row;
    return {44 + ColumnPitch * cell.Column, top, CellWidth, CellHeight};
}

QString TServoTable::RowLabelText(int r) {
    return QStringLiteral("%1%").arg(dorv::ThrottleRowAxis[r]);
}

QRect TServoTable::RowLabelRect(int r) const {
    const int left = r <= 2 ? 16 : (r <= 8 ? 10 : 4);
    const QFontMetrics metrics(LabelFont());
    return {left, 56 + RowPitch * r, metrics.horizontalAdvance(RowLabelText(r)), metrics.height()};
}

std::optional<TableCell> TServoTable::CellAt(QPoint at) const {
    for (int r = RpmRow; r < dorv::ThrottleRows; ++r)
        for (int k = 0; k < dorv::RpmColumns; ++k)
            if (CellRect({r, k}).contains(at) && model_.IsShown({r, k}))
                return TableCell{r, k};
    return std::nullopt;
}

QPoint TServoTable::ArrowCentre(TableCell cell, int arrow) const {
    QStyleOptionSpinBox option;
    option.initFrom(editor_);
    option.rect = QRect(QPoint(), CellRect(cell).size());
    option.subControls = static_cast<QStyle::SubControl>(arrow);
    const QRect part = style()->subControlRect(QStyle::CC_SpinBox, &option,
                                               static_cast<QStyle::SubControl>(arrow), editor_);
    return part.center() + CellRect(cell).topLeft();
}

QFont TServoTable::LabelFont() const {
    return parentWidget() ? parentWidget()->font() : font();
}

bool TServoTable::IsCellShown(TableCell cell) const {
    return model_.IsShown(cell);
}

bool TServoTable::IsRowLabelShown(int r) const {
    return model_.TpEnable && r >= 0 && r < dorv::ThrottleRows;
}

// --- Current cell, editor, selection ---

void TServoTable::PlaceEditor() {
    const QRect place = CellRect(current_);
    if (editor_->geometry() != place)
        editor_->setGeometry(place);
    editor_->SetRange(model_.RangeOf(current_));
    editor_->SetPosition(model_.Value(current_));
    const QColor ground = CellColour(current_);
    if (editor_->palette().color(QPalette::Base) != ground) {
        QPalette palette = editor_->palette();
        palette.setColor(QPalette::Base, ground);
        editor_->setPalette(palette);
    }
    ShowCurrentMarkTip();
}

// The editor covers the current cell and its mark: it carries the mark's tooltip instead.
void TServoTable::ShowCurrentMarkTip() {
    const QString tip = CellMarkTip(current_);
    if (editor_->toolTip() != tip)
        editor_->setToolTip(tip);
}

void TServoTable::MoveTo(TableCell cell) {
    if (!model_.IsShown(cell))
        return;
    TakeTypedValue();
    if (cell == current_)
        return;
    current_ = cell;
    PlaceEditor();
    update();
}

void TServoTable::SetCurrentCell(TableCell cell) {
    MoveTo(cell);
    anchor_ = end_ = current_;
    update();
}

std::optional<TableRect> TServoTable::Selection() const {
    if (anchor_.Row == RpmRow || end_.Row == RpmRow)
        return std::nullopt;
    return dorv::RectBetween(anchor_, end_);
}

void TServoTable::SetSelection(const TableRect& rect) {
    anchor_ = {rect.Top, rect.Left};
    end_ = {rect.Bottom, rect.Right};
    KeepSelectionShown();
    update();
}

void TServoTable::SelectAll() {
    SetSelection(dorv::WholeTable(model_.TpEnable));
}

void TServoTable::KeepSelectionShown() {
    anchor_ = model_.Moved(anchor_, 0, 0);
    end_ = model_.Moved(end_, 0, 0);
}

bool TServoTable::IsSelected(TableCell cell) const {
    const std::optional<TableRect> selection = Selection();
    return selection && cell.Row != RpmRow && selection->Contains(cell.Row, cell.Column);
}

// --- Marks ---

void TServoTable::SetOperatingCell(std::optional<dorv::OperatingCell> cell) {
    if (operating_ == cell)
        return;
    operating_ = cell;
    PlaceEditor();
    update();
}

bool TServoTable::IsOperating(TableCell cell) const {
    return operating_ && cell.Column == operating_->Column &&
           (cell.Row == RpmRow || cell.Row == operating_->Row);
}

// The heat map's scale: hue from blue to red at a light saturation, so that dark text stays
// legible on every colour.
QColor TServoTable::HeatColour(int value) const {
    const double level = dorv::HeatLevel(model_, value);
    return QColor::fromHsvF(float((1.0 - level) * 240.0 / 360.0), 0.38f, 1.0f);
}

QColor TServoTable::CellColour(TableCell cell) const {
    if (heatMap_ && cell.Row != RpmRow)
        return HeatColour(model_.Value(cell));
    if (IsOperating(cell))
        return OperatingCellColour;
    return QApplication::palette().color(QPalette::Base);
}

void TServoTable::SetHeatMap(bool heatMap) {
    if (heatMap_ == heatMap)
        return;
    heatMap_ = heatMap;
    PlaceEditor();
    update();
}

const TServoTable::CellMark* TServoTable::MarkOf(TableCell cell, int layer) const {
    for (const CellMark& mark : marks_)
        if (mark.Cell == cell && mark.Layer == layer)
            return &mark;
    return nullptr;
}

void TServoTable::SetCellMark(TableCell cell, const QColor& colour, const QString& tip, int layer) {
    update(CellRect(cell));
    for (CellMark& mark : marks_)
        if (mark.Cell == cell && mark.Layer == layer) {
            mark = {cell, colour, tip, layer};
            ShowCurrentMarkTip();
            return;
        }
    marks_.push_back({cell, colour, tip, layer});
    ShowCurrentMarkTip();
}

void TServoTable::ClearCellMarks(int layer) {
    if (std::erase_if(marks_, [layer](const CellMark& mark) { return mark.Layer == layer; }) > 0) {
        update();
        ShowCurrentMarkTip();
    }
}

QString TServoTable::CellMarkTip(TableCell cell) const {
    QStringList tips;
    for (int layer = 0; layer < MarkLayers; ++layer)
        if (const CellMark* mark = MarkOf(cell, layer))
            tips << mark->Tip;
    return tips.join(QLatin1Char('\n'));
}

QColor TServoTable::CellMarkColour(TableCell cell, int layer) const {
    const CellMark* mark = MarkOf(cell, layer);
    return mark ? mark->Colour : QColor();
}

bool TServoTable::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const std::optional<TableCell> cell = CellAt(help->pos());
        const QString tip = cell ? CellMarkTip(*cell) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this, CellRect(*cell));
        return true;
    }
    return QWidget::event(event);
}

// In the report every row label is on white, the operating one too.
QColor TServoTable::RowLabelColour(int r) const {
    if (printLook_)
        return Qt::white;
    if (operating_ && operating_->Row == r)
        return OperatingCellColour;
    return QApplication::palette().color(QPalette::Button);
}

void TServoTable::SetPrintLook(bool printLook) {
    printLook_ = printLook;
    editor_->setButtonSymbols(printLook ? QAbstractSpinBox::NoButtons
                                        : QAbstractSpinBox::UpDownArrows);
    update();
}

// --- Drawing ---

void TServoTable::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(font());
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        if (IsRowLabelShown(r) && RowLabelRect(r).intersects(event->rect()))
            DrawRowLabel(painter, r);
    for (int r = RpmRow; r < dorv::ThrottleRows; ++r)
        for (int k = 0; k < dorv::RpmColumns; ++k)
            if (model_.IsShown({r, k}) && CellRect({r, k}).intersects(event->rect()))
                DrawCell(painter, {r, k});
    DrawSelectionFrame(painter);
    DrawMarks(painter);
}

// Marks from outside as a corner in their colour; with the heat map, the operating cell and its
// RPM point outlined in lime on a dark line, which shows on every colour of the scale.
void TServoTable::DrawMarks(QPainter& painter) const {
    painter.save();
    for (const CellMark& mark : marks_) {
        if (!model_.IsShown(mark.Cell))
            continue;
        const QRect place = CellRect(mark.Cell);
        if (mark.Layer == 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark.Colour);
            const QPoint corner = place.topLeft() + QPoint(1, 1);
            painter.drawPolygon(QPolygon({corner, corner + QPoint(8, 0), corner + QPoint(0, 8)}));
        } else {
            painter.setPen(QPen(mark.Colour, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(place).adjusted(1, 1, -1, -1));
        }
    }
    if (heatMap_ && operating_ && !printLook_) {
        painter.setBrush(Qt::NoBrush);
        for (const TableCell cell : {TableCell{RpmRow, operating_->Column},
                                     TableCell{operating_->Row, operating_->Column}}) {
            if (!model_.IsShown(cell))
                continue;
            const QRect place = CellRect(cell);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRect(place.adjusted(-3, -3, 2, 2));
            painter.setPen(QPen(OperatingCellColour, 2));
            painter.drawRect(place.adjusted(-1, -1, 0, 0));
        }
    }
    painter.restore();
}

void TServoTable::DrawRowLabel(QPainter& painter, int r) const {
    const QRect place = RowLabelRect(r);
    const QColor ground = RowLabelColour(r);
    if (ground != QApplication::palette().color(QPalette::Button))
        painter.fillRect(place, ground);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(LabelFont());
    painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, RowLabelText(r));
}

// A cell as its up-down editor looks: frame, ground, arrows and the value. For the report, the
// framed edit without arrows: the style draws a spin box through small pictures of its own,
// which would go into the report as one image per cell.
void TServoTable::DrawCell(QPainter& painter, TableCell cell) const {
    const QRect place = CellRect(cell);
    QColor ground = CellColour(cell);
    // The report shows values, not the selection.
    if (!printLook_ && IsSelected(cell) && !(IsOperating(cell) && !heatMap_))
        ground = SelectedGround(ground, palette().color(QPalette::Highlight));
    QRect textRoom;
    if (printLook_) {
        QStyleOptionFrame panel;
        panel.initFrom(this);
        panel.rect = place;
        panel.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, this);
        panel.midLineWidth = 0;
        panel.state = (panel.state | QStyle::State_Sunken) & ~QStyle::State_HasFocus;
        panel.palette.setColor(QPalette::Base, ground);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        textRoom =
            place.adjusted(panel.lineWidth, panel.lineWidth, -panel.lineWidth, -panel.lineWidth);
    } else {
        QStyleOptionSpinBox option;
        option.initFrom(this);
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        option.rect = place;
        option.frame = true;
        option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
        option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField |
                             QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        option.activeSubControls = QStyle::SC_None;
        const dorv::EditorRange range = model_.RangeOf(cell);
        const int value = model_.Value(cell);
        option.stepEnabled = {};
        if (value < range.Max)
            option.stepEnabled |= QAbstractSpinBox::StepUpEnabled;
        if (value > range.Min)
            option.stepEnabled |= QAbstractSpinBox::StepDownEnabled;
        option.palette = GroundPalette(ground);
        style()->drawComplexControl(QStyle::CC_SpinBox, &option, &painter, this);
        // The parts of a spin box are told in its own coordinates, as its editor has them.
        option.rect.moveTo(0, 0);
        textRoom =
            style()
                ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this)
                .translated(place.topLeft());
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    painter.drawText(textRoom.adjusted(TextMargin, 0, -TextMargin, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, CellText(cell));
}

QRect TServoTable::SelectionArea() const {
    const std::optional<TableRect> selection = Selection();
    if (!selection)
        return {};
    return CellRect({selection->Top, selection->Left}) |
           CellRect({selection->Bottom, selection->Right});
}

// A selection of more than one cell is framed in the selection colour, so that its edges show
// beside the tinted cells.
void TServoTable::DrawSelectionFrame(QPainter& painter) const {
    const std::optional<TableRect> selection = Selection();
    if (printLook_ || !selection || (selection->Rows() == 1 && selection->Columns() == 1))
        return;
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(SelectionArea().adjusted(-2, -2, 1, 1));
    painter.restore();
}

// --- Mouse ---

// A press on a drawn cell makes it current and goes on to the editor now over it, so that an
// arrow steps (and, held, repeats) and a click into the text sets the cursor as in any editor.
void TServoTable::mousePressEvent(QMouseEvent* event) {
    const std::optional<TableCell> cell = CellAt(event->position().toPoint());
    // A right click outside the selection selects its cell first, for the menu that follows.
    if (cell && event->button() == Qt::RightButton && !IsSelected(*cell)) {
        SetCurrentCell(*cell);
        editor_->setFocus(Qt::MouseFocusReason);
    }
    if (!cell || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool extend =
        (event->modifiers() & Qt::ShiftModifier) && cell->Row != RpmRow && anchor_.Row != RpmRow;
    MoveTo(*cell);
    if (!extend)
        anchor_ = current_;
    end_ = current_;
    editor_->setFocus(Qt::MouseFocusReason);
    update();
    dragging_ = true;
    if (!extend)
        ForwardMouse(event);
}

void TServoTable::ForwardMouse(QMouseEvent* event) {
    const QPoint inEditor = editor_->mapFrom(this, event->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress) {
        QWidget* part = editor_->Edit()->geometry().contains(inEditor)
                            ? editor_->Edit()
                            : static_cast<QWidget*>(editor_);
        forwardedTo_ = part;
    }
    if (!forwardedTo_)
        return;
    const QPointF at = forwardedTo_->mapFrom(this, event->position());
    QMouseEvent forwarded(event->type(), at, event->scenePosition(), event->globalPosition(),
                          event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(forwardedTo_, &forwarded);
}

// Dragging from the current cell into others selects the rectangle between them.
void TServoTable::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    const std::optional<TableCell> cell = CellAt(event->position().toPoint());
    if (cell && *cell != current_ && cell->Row != RpmRow && anchor_.Row != RpmRow) {
        if (forwardedTo_) {
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-1, -1), event->scenePosition(),
                                event->globalPosition(), Qt::LeftButton, Qt::NoButton,
                                event->modifiers());
            QCoreApplication::sendEvent(forwardedTo_, &release);
            forwardedTo_ = nullptr;
        }
        if (*cell != end_) {
            end_ = *cell;
            update();
        }
        return;
    }
    ForwardMouse(event);
}

void TServoTable::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    ForwardMouse(event);
    forwardedTo_ = nullptr;
}

// The wheel over a drawn cell changes nothing: it goes on to the parents, which scroll.
void TServoTable::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

// One palette per ground colour, kept: the style keeps the pictures it draws a spin box from
// under the palette's key, and a palette made anew for every cell would miss them every time.
const QPalette& TServoTable::GroundPalette(const QColor& ground) const {
    auto found = groundPalettes_.find(ground.rgba());
    if (found == groundPalettes_.end()) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Base, ground);
        found = groundPalettes_.emplace(ground.rgba(), palette).first;
    }
    return found->second;
}

void TServoTable::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        groundPalettes_.clear();
    if (event->type() == QEvent::FontChange)
        editor_->setFont(font());
    QWidget::changeEvent(event);
}

// --- Keys ---

bool TServoTable::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == editor_ || watched == editor_->Edit()) && event->type() == QEvent::KeyPress &&
        HandleKey(static_cast<QKeyEvent*>(event)))
        return true;
    // A drag that starts in the editor's text selects cells once it leaves the current cell.
    if (watched == editor_->Edit() && event->type() == QEvent::MouseMove) {
        auto* move = static_cast<QMouseEvent*>(event);
        if (move->buttons() & Qt::LeftButton) {
            const QPoint at = mapFrom(editor_->Edit(), move->position().toPoint());
            const std::optional<TableCell> cell = CellAt(at);
            if (cell && *cell != current_ && cell->Row != RpmRow && anchor_.Row != RpmRow &&
                *cell != end_) {
                end_ = *cell;
                update();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Arrow keys move between cells, with Shift they stretch the selection; Ctrl+A selects the
// table. While text is being typed, Left and Right move in the text and Ctrl+A selects it.
bool TServoTable::HandleKey(QKeyEvent* event) {
    const bool typing = editor_->Edit()->isModified() || editor_->Edit()->hasSelectedText();
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (event->matches(QKeySequence::SelectAll) && !editor_->Edit()->isModified()) {
        SelectAll();
        return true;
    }
    if (!typing && event->key() == Qt::Key_C &&
        (modifiers == Qt::ControlModifier ||
         modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
        emit CopyRequested(modifiers & Qt::ShiftModifier);
        return true;
    }
    if (!typing && event->matches(QKeySequence::Paste)) {
        emit PasteRequested();
        return true;
    }
    int rows = 0;
    int columns = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        rows = -1;
        break;
    case Qt::Key_Down:
        rows = 1;
        break;
    case Qt::Key_Left:
        columns = -1;
        break;
    case Qt::Key_Right:
        columns = 1;
        break;
    default:
        return false;
    }
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    if (typing && columns != 0)
        return false;
    if (modifiers == Qt::ShiftModifier && anchor_.Row != RpmRow) {
        const TableCell moved = model_.Moved(end_, rows, columns);
        if (moved.Row != RpmRow)
            end_ = moved;
        update();
        return true;
    }
    SetCurrentCell(model_.Moved(current_, rows, columns));
    return true;
}

// Enter takes the typed value and moves on in the designed order: the next cell, past the last
// shown cell the control after the table.
void TServoTable::EnterInCell() {
    TakeTypedValue();
    if (const std::optional<TableCell> next = model_.Next(current_)) {
        SetCurrentCell(*next);
    } else {
        PlaceEditor();
        focusNextChild();
    }
    emit EnterPressed();
}

void TServoTable::EditorStepped() {
    model_.SetValue(current_, editor_->value());
    update(CellRect(current_));
    emit ArrowClicked();
}
