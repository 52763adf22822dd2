// The servo table's commands: Tools > Table, its context menu and keys, operations, clipboard.
#include "Hlav.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>

#include "MenuAction.h"
#include "ServoTable.h"

namespace {

QAction* MakeTableAction(QMenu* menu, const char* name, const QString& text,
                         const QKeySequence& shortcut = {}) {
    QAction* action = dorv::MakeAction(menu, name, text, shortcut);
    // The keys act while the focus is in the table (the actions are added to it), not in the
    // other editors, whose own keys they would take.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

} // namespace

void TFormHlav::CreateTableMenu() {
    MenuTable = MenuTools->addMenu(QStringLiteral("&Table"));
    MenuTable->setObjectName(QStringLiteral("MenuTable"));
    MenuTableSet = MakeTableAction(MenuTable, "MenuTableSet", QStringLiteral("&Set value..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_1));
    MenuTableAdd = MakeTableAction(MenuTable, "MenuTableAdd", QStringLiteral("&Add value..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_2));
    MenuTableScale =
        MakeTableAction(MenuTable, "MenuTableScale", QStringLiteral("Sc&ale by per cent..."),
                        QKeySequence(Qt::CTRL | Qt::Key_3));
    MenuTable->addSeparator();
    MenuTableInterpolateH = MakeTableAction(MenuTable, "MenuTableInterpolateH",
                                            QStringLiteral("Interpolate &horizontally"),
                                            QKeySequence(Qt::CTRL | Qt::Key_4));
    MenuTableInterpolateV = MakeTableAction(MenuTable, "MenuTableInterpolateV",
                                            QStringLiteral("Interpolate &vertically"),
                                            QKeySequence(Qt::CTRL | Qt::Key_5));
    MenuTableInterpolate2D =
        MakeTableAction(MenuTable, "MenuTableInterpolate2D", QStringLiteral("Interpolate in &2-D"),
                        QKeySequence(Qt::CTRL | Qt::Key_6));
    MenuTableSmooth = MakeTableAction(MenuTable, "MenuTableSmooth", QStringLiteral("S&mooth"),
                                      QKeySequence(Qt::CTRL | Qt::Key_7));
    MenuTable->addSeparator();
    // Ctrl+C, Ctrl+V and Ctrl+A reach the table through its editor (TServoTable::HandleKey), so
    // that they act on typed text while there is some; the menu shows them.
    MenuTableCopy = MakeTableAction(MenuTable, "MenuTableCopy", QStringLiteral("&Copy"),
                                    QKeySequence(QKeySequence::Copy));
    MenuTableCopyHeaders =
        MakeTableAction(MenuTable, "MenuTableCopyHeaders", QStringLiteral("Copy with &headers"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    MenuTablePaste = MakeTableAction(MenuTable, "MenuTablePaste", QStringLiteral("&Paste"),
                                     QKeySequence(QKeySequence::Paste));
    MenuTableSelectAll =
        MakeTableAction(MenuTable, "MenuTableSelectAll", QStringLiteral("Select a&ll"),
                        QKeySequence(QKeySequence::SelectAll));
}

void TFormHlav::WireTableMenu() {
    const std::pair<QAction*, dorv::TableOperation> operations[] = {
        {MenuTableSet, dorv::TableOperation::Set},
        {MenuTableAdd, dorv::TableOperation::Add},
        {MenuTableScale, dorv::TableOperation::Scale},
        {MenuTableInterpolateH, dorv::TableOperation::InterpolateHorizontal},
        {MenuTableInterpolateV, dorv::TableOperation::InterpolateVertical},
        {MenuTableInterpolate2D, dorv::TableOperation::InterpolateBilinear},
        {MenuTableSmooth, dorv::TableOperation::Smooth},
    };
    for (const auto& [action, operation] : operations) {
        connect(action, &QAction::triggered, this,
                [this, chosen = operation] { ServoTableOperation(chosen); });
        ServoTable->addAction(action);
    }
    connect(MenuTableCopy, &QAction::triggered, this, [this] { CopyServoTable(false); });
    connect(MenuTableCopyHeaders, &QAction::triggered, this, [this] { CopyServoTable(true); });
    ServoTable->addAction(MenuTableCopyHeaders);
    connect(MenuTablePaste, &QAction::triggered, this, &TFormHlav::PasteServoTable);
    connect(MenuTableSelectAll, &QAction::triggered, ServoTable, &TServoTable::SelectAll);
    connect(ServoTable, &TServoTable::CopyRequested, this, &TFormHlav::CopyServoTable);
    connect(ServoTable, &TServoTable::PasteRequested, this, &TFormHlav::PasteServoTable);
    connect(ServoTable, &TServoTable::customContextMenuRequested, this,
            [this](QPoint at) { MenuTable->popup(ServoTable->mapToGlobal(at)); });
    // The table's commands act on a servo page only.
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int page) { MenuTable->setEnabled(page != 0); });
    MenuTable->setEnabled(ActivePage() != 0);
}

namespace {

// The amount asked for: the value, the addend or the per cent, and the bounds of the question.
struct AmountQuestion {
    QString Prompt;
    double Initial;
    double Min;
    double Max;
};

AmountQuestion QuestionFor(dorv::TableOperation operation, const dorv::LanguageMessages& texts,
                           const dorv::EditorRange& range) {
    switch (operation) {
    case dorv::TableOperation::Set:
        return {texts.MsgTableSetPrompt, double(range.Min), double(range.Min), double(range.Max)};
    case dorv::TableOperation::Add:
        return {texts.MsgTableAddPrompt, double(range.Step), -double(range.Max), double(range.Max)};
    default:
        return {texts.MsgTableScalePrompt, 100.0, 0.0, 1000.0};
    }
}

} // namespace

void TFormHlav::ServoTableOperation(dorv::TableOperation operation) {
    if (ActivePage() == 0)
        return;
    const std::optional<dorv::TableRect> selection = ServoTable->Selection();
    if (!selection) {
        StatusBar1->showMessage(Messages.MsgTableNoSelection);
        return;
    }
    const dorv::ServoIndex s = ActiveServo();
    dorv::ServoTableModel table = ServoTable->Model();
    dorv::FillTableModel(table, Image, s);
    double amount = 0;
    if (operation == dorv::TableOperation::Set || operation == dorv::TableOperation::Add ||
        operation == dorv::TableOperation::Scale) {
        const AmountQuestion question = QuestionFor(operation, Messages, table.CellRange);
        std::optional<double> answer;
        if (AskTableAmount) {
            answer = AskTableAmount(question.Prompt, question.Initial);
        } else {
            bool ok = false;
            const double value =
                QInputDialog::getDouble(this, windowTitle(), question.Prompt, question.Initial,
                                        question.Min, question.Max, 1, &ok);
            if (ok)
                answer = value;
        }
        if (!answer)
            return;
        amount = *answer;
    }
    const int clamped =
        dorv::ApplyTableOperation(table.Cells, *selection, table.CellRange, operation, amount);
    dorv::PackTableModel(table, Image, s);
    Session.Commit();
    if (clamped > 0)
        StatusBar1->showMessage(Messages.MsgTableClamped.arg(clamped));
    else
        StatusBar1->clearMessage();
}

void TFormHlav::CopyServoTable(bool headers) {
    const std::optional<dorv::TableRect> selection = ServoTable->Selection();
    if (ActivePage() == 0 || !selection) {
        StatusBar1->showMessage(Messages.MsgTableNoSelection);
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(dorv::TableText(ServoTable->Model(), *selection, headers)));
}

void TFormHlav::PasteServoTable() {
    if (ActivePage() == 0)
        return;
    const std::optional<dorv::TableRect> selection = ServoTable->Selection();
    const dorv::TableCell at =
        selection ? dorv::TableCell{selection->Top, selection->Left} : ServoTable->CurrentCell();
    const dorv::ServoIndex s = ActiveServo();
    dorv::ServoTableModel table = ServoTable->Model();
    dorv::FillTableModel(table, Image, s);
    const dorv::PastedBlock block =
        dorv::ReadPastedText(QGuiApplication::clipboard()->text().toStdString(), at,
                             dorv::WholeTable(CheckBoxTpEnable->isChecked()), table.CellRange);
    const QString cell =
        Messages.MsgTableCell
            .arg(TServoTable::RowLabelText(block.BadCell.Row < 0 ? 0 : block.BadCell.Row))
            .arg(block.BadCell.Column + 1);
    const QString bad = QString::fromStdString(block.BadText);
    QString refusal;
    switch (block.Error) {
    case dorv::PasteError::None:
        break;
    case dorv::PasteError::Empty:
        refusal = Messages.MsgPasteEmpty;
        break;
    case dorv::PasteError::NoCell:
        refusal = Messages.MsgPasteNoCell;
        break;
    case dorv::PasteError::PastEdge:
        refusal = Messages.MsgPastePastEdge;
        break;
    case dorv::PasteError::NotNumber:
        refusal = QString(Messages.MsgPasteNotNumber)
                      .replace(QLatin1String("%2"), cell)
                      .replace(QLatin1String("%3"), bad);
        break;
    case dorv::PasteError::OutOfRange:
        refusal = QString(Messages.MsgPasteOutOfRange)
                      .replace(QLatin1String("%2"), cell)
                      .replace(QLatin1String("%3"), bad);
        break;
    }
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), refusal);
        return;
    }
    dorv::ApplyPastedBlock(table.Cells, block);
    dorv::PackTableModel(table, Image, s);
    Session.Commit();
    ServoTable->SetSelection(block.Rect);
}
