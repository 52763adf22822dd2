// The main window's image history: what it keeps when, File > History, and failed writes.
#include "HistoryKeeper.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>

#include "CompareImages.h"
#include "ErrorTexts.h"
#include "Hints.h"
#include "HistoryWindow.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "MenuAction.h"

using dorv::HistoryKind;
using dorv::LanguageTexts;
using dorv::TextFor;

namespace {

// clang-format off
const LanguageTexts MenuHistoryText = {"&Historie...", "&History...", "&Verlauf...", "&Historique..."};
const LanguageTexts MenuHistoryHint = {
    "Historie|Parametry přečtené z jednotky, naprogramované a uschované před změnou",
    "History|The parameters read from the unit, programmed, and kept before a change",
    "Verlauf|Die vom Gerät gelesenen, programmierten und vor einer Änderung gesicherten Parameter",
    "Historique|Les paramètres lus dans l'unité, programmés et gardés avant un changement"};
const LanguageTexts HistoryNotKept = {
    "Historie se neukládá: %1",
    "History not kept: %1",
    "Verlauf wird nicht gespeichert: %1",
    "Historique non conservé : %1"};
// clang-format on

} // namespace

THistoryKeeper::THistoryKeeper(TFormHlav& window)
    : QObject(&window), window_(window), folder_(dorv::HistoryFolderPath()) {
    setObjectName(QStringLiteral("HistoryKeeper"));
    MenuHistory = new QAction(MenuHistoryText[1], window.Commands.MenuFile);
    MenuHistory->setObjectName(QStringLiteral("MenuHistory"));
    MenuHistory->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    window.Commands.MenuFile->insertAction(window.Commands.MenuExit, MenuHistory);
    window.Commands.MenuFile->insertSeparator(window.Commands.MenuExit);
    connect(MenuHistory, &QAction::triggered, this, &THistoryKeeper::ShowHistory);
}

THistoryKeeper::~THistoryKeeper() {
    // Whatever is queued is written before the window goes.
    writer_.reset();
}

void THistoryKeeper::TakeTransferEvents(const dorv::TransferEvents& events) {
    if (events.Monitor)
        programCount_ = events.Monitor->Report.ProgramCount;
    if (events.EditorBeforeRead) {
        // Parameters the Read did not change are not lost: they are the read entry's.
        if (!Held(*events.EditorBeforeRead) && dorv::ParameterFileText(*events.EditorBeforeRead) !=
                                                   dorv::ParameterFileText(window_.Image))
            Keep(HistoryKind::BeforeRead, *events.EditorBeforeRead);
        readImage_ = window_.Image;
        // The Read is one undo step; the unit holds the image already, so nothing is programmed.
        window_.Session.RecordFromUnit();
    }
    if (events.UnitCopy && unitCopyWanted_)
        Keep(HistoryKind::UnitDiffers, *events.UnitCopy);
    if (!events.Outcome)
        return;
    const dorv::PassOutcome& outcome = *events.Outcome;
    // The copy read covered the failure's message with its own: the failure is what counts.
    if (outcome.Pass == dorv::PassKind::UnitCopy && unitCopyWanted_ && failureShown_)
        window_.Sequencer().ShowMessage(failureShown_->Message, failureShown_->Suffix,
                                        dorv::MessageTime, failureShown_->Colour);
    failureShown_.reset();
    // Whatever pass ended, a copy asked for earlier has come, failed or been replaced by it.
    unitCopyWanted_ = false;
    if (outcome.Pass == dorv::PassKind::Read && outcome.Ok && readImage_)
        Keep(HistoryKind::Read, *readImage_);
    readImage_.reset();
    if (outcome.Pass == dorv::PassKind::Program && outcome.Ok)
        Keep(HistoryKind::Programmed, window_.Image);
    if (!outcome.Ok && outcome.UnitDiffered && outcome.Pass != dorv::PassKind::UnitCopy) {
        failureShown_ = window_.Sequencer().Display();
        unitCopyWanted_ = window_.RequestUnitCopy();
    }
}

void THistoryKeeper::KeepBeforeReplace(HistoryKind kind) {
    if (!Held(window_.Image))
        Keep(kind, window_.Image);
}

void THistoryKeeper::Keep(HistoryKind kind, const dorv::ParameterImage& image) {
    dorv::HistoryRecord record;
    record.Kind = kind;
    record.Image = image;
    record.Time = QDateTime::currentDateTime();
    record.ProgramCount = programCount_;
    record.FileName = window_.General.LabelFile2->text();
    Writer().Queue(std::move(record));
}

// The writer's thread is started by the first entry kept: many runs keep none.
dorv::HistoryWriter& THistoryKeeper::Writer() {
    if (!writer_)
        writer_ = std::make_unique<dorv::HistoryWriter>(
            folder_, [this](const dorv::HistoryWriteResult& result) {
                // The writer's thread: the window hears of it from its own event loop.
                QMetaObject::invokeMethod(
                    this, [this, result] { Written(result); }, Qt::QueuedConnection);
            });
    return *writer_;
}

void THistoryKeeper::Written(const dorv::HistoryWriteResult& result) {
    if (result.What == dorv::HistoryWriteResult::Outcome::Failed) {
        if (!failure_) {
            failure_ = result.Failure;
            ShowFailure();
        }
        return;
    }
    if (result.Kind != HistoryKind::UnitDiffers)
        MarkHeld(result.Image);
    if (failure_) {
        failure_.reset();
        LabelHistoryNote->hide();
    }
    if (FormHistory && FormHistory->isVisible() &&
        result.What == dorv::HistoryWriteResult::Outcome::Written)
        FormHistory->Reload();
}

void THistoryKeeper::ShowFailure() {
    if (!failure_)
        return;
    if (!LabelHistoryNote) {
        LabelHistoryNote = new QLabel(window_.StatusBar1);
        LabelHistoryNote->setObjectName(QStringLiteral("LabelHistoryNote"));
        dorv::SetRoleColour(LabelHistoryNote, QPalette::Window, Qt::yellow);
        window_.StatusBar1->addPermanentWidget(LabelHistoryNote);
    }
    const dorv::Language language = dorv::CurrentLanguage;
    LabelHistoryNote->setText(
        TextFor(HistoryNotKept, language).arg(dorv::FileWriteReason(failure_->Kind, language)));
    LabelHistoryNote->setToolTip(QDir::toNativeSeparators(folder_) + QStringLiteral("\n") +
                                 failure_->Error);
    LabelHistoryNote->show();
}

void THistoryKeeper::MarkHeld(const dorv::ParameterImage& image) {
    heldText_ = dorv::ParameterFileText(image);
}

bool THistoryKeeper::Held(const dorv::ParameterImage& image) const {
    return !heldText_.empty() && dorv::ParameterFileText(image) == heldText_;
}

void THistoryKeeper::ShowHistory() {
    if (!FormHistory) {
        FormHistory = new THistoryWindow(
            folder_, [this] { return window_.Image; }, &window_);
        FormHistory->ChooseSaveFile = [this] { return window_.ChooseFile(window_.SaveDialog1); };
        connect(FormHistory, &THistoryWindow::RestoreRequested, this, &THistoryKeeper::Restore);
        connect(FormHistory, &THistoryWindow::CompareRequested, &window_,
                &TFormHlav::ShowComparison);
    }
    FormHistory->ApplyLanguage(dorv::CurrentLanguage);
    FormHistory->Reload();
    FormHistory->show();
    FormHistory->raise();
    FormHistory->activateWindow();
}

// As Open loads a file: one undoable change; the editor shows no file, as after a Read.
void THistoryKeeper::Restore(const dorv::ParameterImage& image) {
    window_.Session.ReplaceImage(image);
    window_.General.LabelFile2->clear();
    MarkHeld(image);
}

void THistoryKeeper::ApplyLanguage() {
    const dorv::Language language = dorv::CurrentLanguage;
    MenuHistory->setText(TextFor(MenuHistoryText, language));
    dorv::SetHint(MenuHistory, TextFor(MenuHistoryHint, language));
    ShowFailure();
    if (FormHistory)
        FormHistory->ApplyLanguage(language);
}

void THistoryKeeper::WaitUntilWritten() {
    if (writer_)
        writer_->WaitUntilWritten();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
