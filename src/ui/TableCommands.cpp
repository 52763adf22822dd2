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

void TFormHlav::WireTableMenu() {
    const std::pair<QAction*, dorv::TableOperation> operations[] = {
        {Commands.MenuTableSet, dorv::TableOperation::Set},
        {Commands.MenuTableAdd, dorv::TableOperation::Add},
        {Commands.MenuTableScale, dorv::TableOperation::Scale},
        {Commands.MenuTableInterpolateH, dorv::TableOperation::InterpolateHorizontal},
        {Commands.MenuTableInterpolateV, dorv::TableOperation::InterpolateVertical},
        {Commands.MenuTableInterpolate2D, dorv::TableOperation::InterpolateBilinear},
        {Commands.MenuTableSmooth, dorv::TableOperation::Smooth},
    };
    for (const auto& [action, operation] : operations) {
        connect(action, &QAction::triggered, this,
                [this, chosen = operation] { ServoTableOperation(chosen); });
        ServoTable->addAction(action);
    }
    connect(Commands.MenuTableCopy, &QAction::triggered, this, [this] { CopyServoTable(false); });
    connect(Commands.MenuTableCopyHeaders, &QAction::triggered, this,
            [this] { CopyServoTable(true); });
    ServoTable->addAction(Commands.MenuTableCopyHeaders);
    connect(Commands.MenuTablePaste, &QAction::triggered, this, &TFormHlav::PasteServoTable);
    connect(Commands.MenuTableSelectAll, &QAction::triggered, ServoTable, &TServoTable::SelectAll);
    connect(ServoTable, &TServoTable::CopyRequested, this, &TFormHlav::CopyServoTable);
    connect(ServoTable, &TServoTable::PasteRequested, this, &TFormHlav::PasteServoTable);
    connect(ServoTable, &TServoTable::customContextMenuRequested, this,
            [this](QPoint at) { Commands.MenuTable->popup(ServoTable->mapToGlobal(at)); });
    // The table's commands act on a servo page only.
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int page) { Commands.MenuTable->setEnabled(page != 0); });
    Commands.MenuTable->setEnabled(ActivePage() != 0);
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
        ShowStatusNote(Messages.MsgTableNoSelection);
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
        ShowStatusNote(Messages.MsgTableClamped.arg(clamped));
    else
        ShowStatusNote({});
}

void TFormHlav::CopyServoTable(bool headers) {
    const std::optional<dorv::TableRect> selection = ServoTable->Selection();
    if (ActivePage() == 0 || !selection) {
        ShowStatusNote(Messages.MsgTableNoSelection);
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
