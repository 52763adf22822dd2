// The start-up and shut-down sequences of the main window, the settings file and New/Open/Save.
#include "Hlav.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "Cgauges.h"
#include "ComPort.h"
#include "CompareView.h"
#include "ConfigFolder.h"
#include "ErrorTexts.h"
#include "FileNotes.h"
#include "Hints.h"
#include "HistoryKeeper.h"
#include "Jazyk1.h"
#include "LazyFileDialog.h"
#include "LiveDisplay.h"
#include "Settings.h"
#include "StorageFiles.h"

namespace {

// The smallest piece of the window that must lie on a screen for a stored placement to be used:
// enough to see the window and take it by its title bar.
constexpr int VisibleWidth = 100;
constexpr int VisibleHeight = 50;

dorv::Profile SettingsProfile() {
    return dorv::Profile(dorv::ConfigFilePath(QString::fromLatin1(dorv::SettingsFileName)));
}

QString SettingsDataPath() {
    return dorv::ConfigFilePath(QString::fromLatin1(dorv::SettingsDataFileName));
}

// The window's settings as they stand: placement, port, language, file label, last file, page.
dorv::Settings SettingsOf(const TFormHlav& window) {
    dorv::Settings settings;
    settings.Left = window.x();
    settings.Top = window.y();
    settings.Height = window.height();
    settings.Width = window.width() - window.Comparison->RoomTaken(); // kept without the panel
    settings.PortIndex = static_cast<dorv::Byte>(window.PortIndex);
    settings.CurrentLanguage = static_cast<dorv::Byte>(dorv::LanguageNumber(dorv::CurrentLanguage));
    settings.File = window.General.LabelFile2->text();
    settings.IniDir = window.LastFilePath;
    settings.ActivePageIndex = window.ActivePage();
    return settings;
}

// True when a large enough piece of the placement lies on one of the screens.
bool PlacementOnScreen(const QRect& placement) {
    const int needWidth = std::min(VisibleWidth, placement.width());
    const int needHeight = std::min(VisibleHeight, placement.height());
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = placement.intersected(screen->geometry());
        if (shown.width() >= needWidth && shown.height() >= needHeight)
            return true;
    }
    return false;
}

// The initial file of a dialog: the folder and the name of the last file, when there is one.
void SetInitialFile(TLazyFileDialog& dialog, const QString& path) {
    if (path.trimmed().isEmpty())
        return;
    const QFileInfo file(path);
    dialog.Apply([file](QFileDialog* made) {
        made->setDirectory(file.absolutePath());
        made->selectFile(file.fileName());
    });
}

// A modal message box owned by the window; returns the button pressed.
QMessageBox::StandardButton ShowMessage(TFormHlav* window, QMessageBox::Icon icon,
                                        const QString& text, const QString& details = {},
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    QMessageBox box(icon, window->windowTitle(), text, buttons, window);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setInformativeText(details);
    if (buttons.testFlag(QMessageBox::Yes))
        box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// Why a parameter file was refused, for the box: its path and, when known, the reason.
QString RefusalDetails(const QString& path, const QString& reason) {
    QString text = QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

} // namespace

void TFormHlav::FormCreate() {
    HistoryKeeper = new THistoryKeeper(*this);
    CreateEditors();
    Hints = dorv::InstallHintLine(this);
    WireEvents();
    qApp->installEventFilter(this);
    PortIndex = 1;
    dorv::SetDefaultParameters(Image);
    CenterWindow();
    LoadSettings();
    ApplyCommandLineLanguage();
    dorv::NormalizeRpmPoints(Image);
    if (PortIndex > dorv::PortIndexMax)
        PortIndex = 0;
    ApplyLanguage();
    Session.ResetHistory();
    FillEditors();
    OpenComPortAtStart();
    FillEditors();
    Live.LabelHlaseni->hide();
    Live.CGaugeProgram->hide();
    Live.CGaugeProgram->SetMaxValue(7);
    Live.LabelEeDataErr->hide();
    Live.LabelVersion->hide();
    ReadTestMarker();
    for (QLabel* label : Live.LabelTest)
        label->setVisible(TestDisplay);
    NoteFileTrouble();
    Timer1->start();
}

void TFormHlav::FormClose() {
    StopRecording();
    CloseComPort();
    Session.TakeEditors();
    const QStringList failures = SaveSettings();
    if (failures.isEmpty())
        return;
    if (closingBySignal_) {
        for (const QString& failure : failures)
            std::fprintf(stderr, "dorv: %s\n", qPrintable(failure));
        return;
    }
    ShowMessage(this, QMessageBox::Warning, failures.join(QLatin1Char('\n')));
}

bool TFormHlav::TransferRunning() const {
    const dorv::TransferMode mode = sequencer_.State().Mode;
    return mode == dorv::TransferMode::Program || mode == dorv::TransferMode::Verify;
}

bool TFormHlav::AskStopTransfer() {
    const QMessageBox::StandardButton answer = ShowMessage(
        this, QMessageBox::Question, Messages.MsgStopTransfer, Messages.MsgStopTransferDetails,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        sequencer_.StopTransfer();
        ShowTransferDisplay();
        return true;
    }
    closeAfterTransfer_ = answer == QMessageBox::No;
    return false;
}

void TFormHlav::closeEvent(QCloseEvent* event) {
    // The tick may end the pass while the question is open: then there is nothing to ask.
    if (!closingBySignal_ && TransferRunning() && !AskStopTransfer() && TransferRunning()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFormHlav::CloseForSignal() {
    closingBySignal_ = true;
    if (!TransferRunning()) {
        close();
        return;
    }
    // The pass goes on with the ticks; the window closes at its end or when the wait is over.
    auto* waiting = new QTimer(this);
    waiting->setInterval(TimerInterval);
    const QDeadlineTimer deadline(SignalCloseWaitMs);
    connect(waiting, &QTimer::timeout, this, [this, waiting, deadline] {
        if (TransferRunning() && !deadline.hasExpired())
            return;
        waiting->stop();
        if (TransferRunning()) {
            sequencer_.StopTransfer();
            std::fprintf(stderr, "dorv: the transfer did not end within %d ms and was stopped\n",
                         SignalCloseWaitMs);
        }
        close();
    });
    waiting->start();
}

void TFormHlav::NoteFileTrouble() {
    const dorv::Language language = dorv::CurrentLanguage;
    QStringList notes;
    const QString dataNote =
        dorv::SettingsDataNote(settingsDataLoad_, SettingsDataPath(), language);
    if (!dataNote.isEmpty())
        notes << dataNote;
    const dorv::ConfigCheck check = dorv::CheckConfigFolder();
    if (check.Trouble != dorv::ConfigTrouble::None) {
        notes << dorv::ConfigTroubleNote(check, language);
        LabelNotKept = new QLabel(dorv::ConfigTroubleShort(language), StatusBar1);
        LabelNotKept->setObjectName(QStringLiteral("LabelNotKept"));
        LabelNotKept->setToolTip(notes.constLast());
        dorv::SetRoleColour(LabelNotKept, QPalette::Window, Qt::yellow);
        StatusBar1->addPermanentWidget(LabelNotKept);
    }
    if (!notes.isEmpty())
        PostMessageBox(notes.join(QStringLiteral("\n\n")));
}

void TFormHlav::LoadSettings() {
    const dorv::Settings loaded = dorv::LoadSettings(SettingsProfile(), SettingsOf(*this));

    move(loaded.Left, loaded.Top);
    resize(loaded.Width, loaded.Height);
    // A placement from another screen arrangement would open the window out of sight.
    if (!PlacementOnScreen(QRect(pos(), size())))
        CenterWindow();
    KeepOnScreen();
    PortIndex = loaded.PortIndex;
    dorv::CurrentLanguage = dorv::LanguageOfNumber(loaded.CurrentLanguage);
    General.LabelFile2->setText(loaded.File);
    LastFilePath = loaded.IniDir;
    SetInitialFile(OpenDialog1, LastFilePath);
    SetInitialFile(SaveDialog1, LastFilePath);
    SetActivePage(loaded.ActivePageIndex);

    settingsDataLoad_ = dorv::LoadSettingsData(SettingsDataPath(), Image, AllCellsFlag);
    Commands.MenuViewHeatMap->setChecked(dorv::LoadHeatMap(SettingsProfile()));
}

void TFormHlav::ApplyCommandLineLanguage() {
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        dorv::CurrentLanguage = dorv::LanguageFromArgument(arguments[1], dorv::CurrentLanguage);
}

QStringList TFormHlav::SaveSettings() {
    QStringList failures;
    const dorv::FileWriteResult settings = dorv::SaveSettings(SettingsProfile(), SettingsOf(*this));
    const dorv::FileWriteResult heatMap =
        settings.Ok ? dorv::SaveHeatMap(SettingsProfile(), Commands.MenuViewHeatMap->isChecked())
                    : settings;
    if (!heatMap.Ok)
        failures << dorv::SaveFailedNote(SettingsProfile().Path(),
                                         dorv::FileWriteReason(heatMap.Kind, dorv::CurrentLanguage),
                                         dorv::CurrentLanguage);
    // A damaged store of which no copy could be made stays as it is (start-up said so).
    if (!settingsDataLoad_.MayReplace())
        return failures;
    const dorv::FileWriteResult data =
        dorv::SaveSettingsData(SettingsDataPath(), Image, AllCellsFlag);
    if (!data.Ok)
        failures << dorv::SaveFailedNote(SettingsDataPath(),
                                         dorv::FileWriteReason(data.Kind, dorv::CurrentLanguage),
                                         dorv::CurrentLanguage);
    return failures;
}

void TFormHlav::ReadTestMarker() {
    TestDisplay = dorv::ReadTestMarkerFile(
        dorv::ConfigFilePath(QString::fromLatin1(dorv::TestMarkerFileName)));
}

QString TFormHlav::ChooseFile(QFileDialog* dialog) {
    return FileChooser ? FileChooser(dialog) : dorv::ExecFileDialog(dialog);
}

void TFormHlav::OnNew() {
    if (ShowMessage(this, QMessageBox::Question, Messages.MsgDefaultQuestion, {},
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
        return;
    HistoryKeeper->KeepBeforeReplace(dorv::HistoryKind::BeforeNew);
    dorv::SetDefaultParameters(Image);
    Session.Commit();
    Live.LabelHlaseni->hide();
    Live.CGaugeProgram->hide();
    General.LabelFile2->clear();
}

void TFormHlav::OnSave() {
    SaveDialog1->selectNameFilter(SaveDialog1->nameFilters().constFirst());
    const QString path = ChooseFile(SaveDialog1);
    if (!path.isEmpty())
        SaveParameterFile(path);
}

bool TFormHlav::SaveParameterFile(const QString& path) {
    // The editors are packed into the image only when the file is written, so a failed save
    // leaves the window exactly as it was.
    const dorv::ParameterImage before = Image;
    const auto flagsBefore = AllCellsFlag;
    Session.TakeEditors();
    const dorv::FileWriteResult written = dorv::SaveParameterFile(path, Image);
    if (!written.Ok) {
        Image = before;
        AllCellsFlag = flagsBefore;
        ShowMessage(
            this, QMessageBox::Warning, Messages.MsgSaveFileError,
            RefusalDetails(path, dorv::FileWriteReason(written.Kind, dorv::CurrentLanguage)));
        return false;
    }
    FillEditors();
    General.LabelFile2->setText(path);
    LastFilePath = path;
    SetInitialFile(OpenDialog1, LastFilePath);
    return true;
}

void TFormHlav::OnOpen() {
    const QString path = ChooseFile(OpenDialog1);
    if (!path.isEmpty())
        OpenParameterFile(path);
    Live.LabelHlaseni->hide();
    Live.CGaugeProgram->hide();
}

bool TFormHlav::OpenParameterFile(const QString& path) {
    const std::optional<dorv::ParameterImage> file = ReadParameterFileTold(path);
    if (!file)
        return false;
    HistoryKeeper->KeepBeforeReplace(dorv::HistoryKind::BeforeOpen);
    Session.ReplaceImage(*file);
    General.LabelFile2->setText(path);
    LastFilePath = path;
    SetInitialFile(SaveDialog1, LastFilePath);
    return true;
}

std::optional<dorv::ParameterImage> TFormHlav::ReadParameterFileTold(const QString& path) {
    const dorv::ParameterFileResult result = dorv::OpenParameterFile(path, Image);
    switch (result.Status) {
    case dorv::ParameterFileStatus::Accepted:
        return result.Image;
    case dorv::ParameterFileStatus::CannotOpen:
        ShowMessage(
            this, QMessageBox::Warning, Messages.MsgOpenFileError,
            RefusalDetails(path, dorv::FileRefusalReason(result.Refusal, dorv::CurrentLanguage)));
        break;
    case dorv::ParameterFileStatus::WrongKey:
        ShowMessage(this, QMessageBox::Warning, Messages.MsgFileVersionMismatch,
                    RefusalDetails(path, {}));
        break;
    case dorv::ParameterFileStatus::BadContent:
        ShowMessage(
            this, QMessageBox::Warning, Messages.MsgFileDamaged,
            RefusalDetails(path, dorv::FileRefusalReason(result.Refusal, dorv::CurrentLanguage)));
        break;
    case dorv::ParameterFileStatus::Empty:
        ShowMessage(this, QMessageBox::Warning, Messages.MsgFileEmpty, RefusalDetails(path, {}));
        break;
    case dorv::ParameterFileStatus::NoParameters:
        ShowMessage(this, QMessageBox::Warning, Messages.MsgNoParameters, RefusalDetails(path, {}));
        break;
    }
    return std::nullopt;
}
