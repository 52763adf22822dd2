// The main window TFormHlav: the composition of its parts and the handlers that tie them together.
#pragma once

#include <QMainWindow>
#include <QPalette>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "EditHistory.h"
#include "EditSession.h"
#include "EditingCommands.h"
#include "ElidedLabel.h"
#include "GeneralPage.h"
#include "Jazyk2.h"
#include "LazyFileDialog.h"
#include "LivePanel.h"
#include "LogSample.h"
#include "ParameterImage.h"
#include "PortDiagnosis.h"
#include "ReportPrinter.h"
#include "SerialPort.h"
#include "StorageFiles.h"
#include "TableOperations.h"
#include "TransferSequencer.h"
#include "WindowCommands.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QFileDialog;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class THistoryKeeper;
class TChartFactory;
class TLiveChartWindow;
class TTableChartWindow;
class TReplayBar;
namespace dorv {
class HintLine;
class LogPlayback;
class LogRecorder;
} // namespace dorv
class QTimer;
class QToolButton;
class TCGauge;
class TCSpinButton;
class TFormAbout;
class TEditUpDown;
class TServoTable;
class TCompareView;

// The parts (docs/architecture.md): Session (the image, undo and the path of every change),
// Commands (toolbar and menus), General (the general page), the servo editors with ServoTable,
// Live (the live panel) and Printer (the printed report). The window creates them, wires their
// controls to its handlers, runs the link's tick and keeps the settings.
class TFormHlav : public QMainWindow, public dorv::SessionEditors {
    Q_OBJECT
public:
    static constexpr int DesignWidth = 986;
    static constexpr int DesignHeight = 849;
    static constexpr int ComPortCount = dorv::ComPortCount;
    static constexpr int TimerInterval = 55;
    // The designed height of the servo live labels' font; smaller where a language needs it.
    static constexpr int ServoLabelPixelSize = TLivePanel::ServoLabelPixelSize;

    explicit TFormHlav(QWidget* parent = nullptr);
    ~TFormHlav() override;

    // --- The state of the run ---
    // The image, its undo history and the one path of every change (EditSession.h). A change made
    // on the image is committed with Session.Commit(); a whole new image with
    // Session.ReplaceImage(image), one undoable step.
    dorv::EditSession Session{*this};
    dorv::ParameterImage& Image = Session.Image; // the session's image, for short
    std::array<dorv::Byte, dorv::ServoCount> AllCellsFlag{};
    dorv::IdentityTexts Identity;      // shown in LabelVerze1..3 at every refresh
    dorv::OperatingCell OperatingCell; // the cell Tools Minus and Plus act on
    dorv::LanguageMessages Messages;   // the message texts of the current language
    TFormAbout* FormAbout = nullptr;   // the about box (Help > About), made when first opened

    // Captions, hints, check marks and messages of dorv::CurrentLanguage.
    void ApplyLanguage();

    // --- Editor binding ---
    // Copies the editors of the active page into the image.
    void PackEditors() override;
    // Copies the image into the editors of the active page; visibility, ranges, identity texts.
    void FillEditors() override;
    // Places GroupBoxServo on the active servo page; visibility, cell ranges, texts, colour.
    void ShowServoEditors();
    // "Programming after change" red while ticked, else in the button face; follows each toggle.
    void ShowProgHnedFace();
    // "Programming after change" is ticked.
    bool ProgramAfterChange() const override;
    // Enables the undo and redo buttons and menu items.
    void ShowUndoState(bool canUndo, bool canRedo) override;
    // Fills the editors from the image restored by undo or redo and selects its page.
    void ShowRestored(int page) override;

    // --- Pages ---
    int ActivePage() const override;
    // Selects a page without the page-change handling; a page outside 0..2 selects page 0.
    void SetActivePage(int page);
    // The servo the shared editors act on: page 1 is servo 1, any other page servo 2.
    dorv::ServoIndex ActiveServo() const;

    // Centres the window in the screen's available area: left = (width there - width) / 2, top
    // likewise; then KeepOnScreen.
    void CenterWindow();
    // Keeps the whole window, frame included, inside the available area of its screen: a window
    // larger than that area is made smaller (the pages then scroll), one partly outside is moved
    // in. Run after the placement is loaded and once the window manager has framed the window.
    void KeepOnScreen();

    // The client area at its designed size, scrolling when the window is smaller.
    QScrollArea* ScrollBoxClient = nullptr;

    // --- Toolbar and menus (WindowCommands.h) ---
    TWindowCommands Commands;

    // --- Pages ---
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet_Ruzne = nullptr;
    QWidget* TabSheet_Servo1 = nullptr;
    QWidget* TabSheet_Servo2 = nullptr;
    // The general page's controls and fields (GeneralPage.h).
    TGeneralPage General;

    // --- Live values ---
    // The live values, gauges, transfer line and connection sign (LivePanel.h).
    TLivePanel Live;
    QStatusBar* StatusBar1 = nullptr;
    // The hints of the control under the pointer in StatusBar1, and the window's own notes.
    dorv::HintLine* Hints = nullptr;
    // Tells in the status bar what a command did (held a moment against hints); empty clears.
    void ShowStatusNote(const QString& note);

    // --- Non-visual parts ---
    TLazyFileDialog OpenDialog1; // made on first use: a file dialog is slow to build
    TLazyFileDialog SaveDialog1;
    QTimer* Timer1 = nullptr;

    // --- Run-time editors (CreateEditors) ---
    QGroupBox* GroupBoxServo = nullptr;
    QLabel* LabelAxisRpm = nullptr;
    QLabel* LabelAxisThrottle = nullptr;
    // The RPM row, the 10 x 15 cells and the row labels of the active servo.
    TServoTable* ServoTable = nullptr;
    std::array<TCSpinButton*, dorv::RpmColumns> CSpinButtonColumn{};
    QCheckBox* CheckBoxServoEnable = nullptr;
    QCheckBox* CheckBoxTpEnable = nullptr;
    QCheckBox* CheckBoxProcenta = nullptr;
    TEditUpDown* UpDownHystMv = nullptr;
    QLabel* LabelHystMv = nullptr;
    TEditUpDown* UpDownHystRpm = nullptr;
    QLabel* LabelHystRpm = nullptr;
    QPushButton* ButtonMinus = nullptr;
    QPushButton* ButtonPlus = nullptr;
    QCheckBox* CheckBoxAll = nullptr;

    // --- The servo table's commands (TableCommands.cpp) ---
    // An operation on the selected cells of the active servo's table, from the image: one undo
    // step through the session's Commit; the status bar tells how many results were kept in range.
    // Set, Add and Scale ask for their amount first.
    void ServoTableOperation(dorv::TableOperation operation);
    // The selected cells to the clipboard as tab-separated lines; with headers, the RPM points
    // over them and the throttle labels before them.
    void CopyServoTable(bool headers);
    // The clipboard's block into the table at the selection's top left (or the current cell): one
    // undo step; refused whole, with a box naming the first bad cell, when any value is wrong.
    void PasteServoTable();
    // Asks for the amount of Set, Add or Scale; no value when cancelled. Tests answer here.
    std::function<std::optional<double>(const QString& prompt, double initial)> AskTableAmount;

    // --- Kept between runs (settings file) ---
    int PortIndex = 1;    // serial port number minus one (COM1 is 0)
    QString LastFilePath; // the parameter file last saved or opened
    bool TestDisplay = false;

    // --- Start-up, shut-down and files (Startup.cpp) ---
    void LoadSettings();
    // Writes DORV.ini and _DORV.ini; what could not be written, each with the reason, in the
    // current language (empty when both were written).
    QStringList SaveSettings();
    void ReadTestMarker();
    // The command-line language word (the first argument), applied over the loaded language.
    void ApplyCommandLineLanguage();
    // Writes the editors' parameters to a .ign file: on success the file label and the last file
    // path take its name; on failure a box tells why and nothing changes.
    bool SaveParameterFile(const QString& path);
    // Loads a .ign file as one undoable change (Session.ReplaceImage); a refused file gets a box
    // and changes nothing.
    bool OpenParameterFile(const QString& path);
    // Reads a .ign file into a copy of the image; a refused file is told in a box as Open tells
    // it, and gives no value.
    std::optional<dorv::ParameterImage> ReadParameterFileTold(const QString& path);
    // Runs OpenDialog1 or SaveDialog1: the chosen file's full path, empty when cancelled.
    QString ChooseFile(QFileDialog* dialog);
    // When set, ChooseFile asks it instead of running the dialog (tests give file names here).
    std::function<QString(QFileDialog*)> FileChooser;

    // --- The link (HlavLink.cpp, LiveDisplay.cpp, Tune.cpp) ---
    // Makes the serial port of each window made from now on. The program's port is a
    // dorv::QtSerialPort; tests give a scripted one. An empty factory restores the program's.
    using SerialPortFactory = std::function<std::unique_ptr<dorv::SerialPort>()>;
    static void SetSerialPortFactory(SerialPortFactory factory);

    // The device of PortIndex ([PORTS] COMn of DORV.ini, else /dev/ttyS<n-1>), opened; on
    // failure MsgComOpenError with the device and the reason in a modal box, posted so that it
    // opens from the event loop (never inside a constructor or a tick).
    void OpenComPort();
    // OpenComPort at start-up: with no [PORTS] entry for PortIndex and exactly one USB serial
    // device present, that device is mapped first (and the status bar says so); with several,
    // the status bar points to Com > Serial devices….
    void OpenComPortAtStart();
    void CloseComPort();
    // The Com items' texts: each with its device and whether it is present now.
    void RefreshComItems();
    // Com > Serial devices…: the present devices, refreshed while the list is open; the chosen one
    // is mapped to the current COM number in [PORTS] by its stable name and opened.
    void OnSerialDevices();
    // Maps device to the current COM number in [PORTS] and opens it.
    void MapDeviceToCurrentCom(const dorv::SerialDevice& device);
    // The status bar's note of the port: disconnected, connected again, mapped.
    QLabel* LabelPortNote = nullptr;
    // Runs about once a second while the device is gone, to reopen it when it returns.
    QTimer* PortWatch = nullptr;
    static constexpr int PortWatchMs = 1000;
    // Highlights the table cell of the live operating point; run on every tick.
    void TrackOperatingCell();
    dorv::SerialPort& ComPort() { return *comPort_; }
    dorv::TransferSequencer& Sequencer() { return sequencer_; }

    // Closes the window as File > Exit does, for a signal: a Program or Verify pass that runs is
    // let finish first (for at most SignalCloseWaitMs), and a save that fails is told on
    // standard error instead of in a box.
    void CloseForSignal();
    static constexpr int SignalCloseWaitMs = 3000;
    // Set by start-up when the configuration folder cannot keep settings and parameters.
    QLabel* LabelNotKept = nullptr;

    // --- Data log (HlavLog.cpp) ---
    // Recording on, the samples and the elapsed time; what became of the last log when stopped.
    QLabel* LabelRecording = nullptr;
    bool Recording() const;
    // Log > Record: starts a log in dorv::LogFolderPath(), or stops the one recorded.
    void StartRecording();
    void StopRecording();
    // The clock the samples' times come from; tests and benchmarks give a simulated one.
    using LogClock = std::function<std::int64_t()>; // milliseconds, steady
    void SetLogClock(LogClock clock);

    // --- Replay of a log (HlavLog.cpp) ---
    // The replay's controls and its "Replay" sign in the status bar, shown while a log plays.
    TReplayBar* ReplayBar = nullptr;
    TLazyFileDialog LogDialog; // Log > Open log
    // Plays the log at path: the live labels, gauges and operating cell follow it, and nothing
    // is sent to the unit until the replay stops. A log the tool did not write, or one without a
    // good sample, is refused with a box naming the line; a damaged or cut one plays up to its
    // last good line, with a note. False when refused.
    bool OpenLog(const QString& path);
    // Back to the live link: the labels show what they showed before the replay.
    void StopReplay();
    bool Replaying() const;
    const dorv::LogPlayback* Playback() const { return playback_.get(); }
    // The live values the window shows: the replayed sample's while replaying, else the link's.
    const dorv::MonitorValues& LiveValues() const;
    // Log > Chart: the live chart window, made on first use; it gets samples only while shown.
    // The chart windows come from the chart module, loaded then; without it, a box says why.
    TLiveChartWindow* FormChart = nullptr;
    // Log > Table chart: the active servo's table as curves, made on first use; while shown it
    // follows the image (every committed edit) and the operating point on every tick.
    TTableChartWindow* FormTableChart = nullptr;
    // The log texts, the replay's sign and the log dialog's filter in the current language.
    void ApplyLogLanguage();

    // --- Comparison (CompareView.cpp) ---
    // The panel of the differences between the image and another one, and Tools > Compare.
    TCompareView* Comparison = nullptr;
    // Compares the image with other (a history entry, a file, the unit), named by label.
    void ShowComparison(const dorv::ParameterImage& other, const QString& label);
    // --- The image history (HistoryKeeper.cpp) ---
    // Keeps what the window reads, programs and replaces in the history folder; File > History.
    THistoryKeeper* HistoryKeeper = nullptr;
    // Reads the unit's whole image into a copy (TransferEvents::UnitCopy) unless one is being
    // read already: one copy serves everyone who asks while it runs. True when a copy is on its
    // way (a paused link, or one running another pass, starts none).
    bool RequestUnitCopy();

    // --- Printed report (Print.cpp) ---
    TReportPrinter Printer{*this};

public slots:
    // Event handlers, named after what they handle; the comment names the designed control.
    void OnEditorClick();  // Edit1Exit: a click into an editor commits what was typed
    void OnEnterPressed(); // FormKeyPress: Enter in an editor moves on and commits
    // Enter in the servo table, which has moved the focus on itself: pack and commit.
    void OnServoTableEnter();
    void OnEditorArrow();        // UpDown1Click: an editor's arrow was clicked
    void OnServoCheckBoxClick(); // CheckBoxProgHnedMouseUp: servo enable or all cells was clicked
    void OnThrottleRowsClick();  // CheckBoxTpEnableMouseUp: the throttle rows were switched
    void OnPercentModeClick();   // CheckBoxProcentaMouseUp: the per-cent mode was switched
    void OnColumnStepDown(int column); // CSpinButtonDownClick_Uni: a column's down spin
    void OnColumnStepUp(int column);   // CSpinButtonUpClick_Uni: a column's up spin
    void OnMinus();                    // Tools > Minus (F4), button Minus
    void OnPlus();                     // Tools > Plus (F5), button Plus
    void OnPulsesChosen(int item);     // RadioGroupPocPulsu: the number of pulses
    void OnPageChanged(int page);      // PageControl1: another page was chosen
    void OnUndo();                     // Zpet: undo (button and Tools > Undo)
    void OnRedo();                     // Znovu: redo
    void OnNew();                      // File > New
    void OnOpen();                     // File > Open
    void OnSave();                     // File > Save
    void OnPrint();                    // File > Print
    void OnRead();                     // Ignition > Read
    void OnVerify();                   // Ignition > Verify
    void OnProgram();                  // Ignition > Program
    void OnCaptureTps0();              // button TPS 0 %
    void OnCaptureTps100();            // button TPS 100 %
    void OnComPortChosen();            // Com > Com n
    void OnExit();                     // File > Exit
    void OnEnglish();                  // Language > English
    void OnCzech();                    // Language > Czech
    void OnGerman();                   // Language > German
    void OnHelpContents();             // Help > Contents (F1)
    void OnAbout();                    // Help > About
    void OnTick();                     // Timer1: the 55 ms tick
    void StartProgramming() override;
    void OnRecord();     // Log > Record
    void OnMarker();     // Log > Marker
    void OnOpenLog();    // Log > Open log
    void OnChart();      // Log > Chart
    void OnTableChart(); // Log > Table chart

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing the window by any way runs the shut-down sequence (FormClose).
    void closeEvent(QCloseEvent* event) override;
    // Every focused control of the window shows its focus mark.
    void showEvent(QShowEvent* event) override;

private:
    // The start-up sequence (creation handler) and the shut-down sequence.
    void FormCreate();
    void FormClose();
    // Tells once, after the window shows, what start-up found wrong with its own files.
    void NoteFileTrouble();
    // A Program or Verify pass is running: leaving now would leave the unit half written.
    bool TransferRunning() const;
    // Asks whether to stop the running transfer: true to close now, false to keep the window.
    bool AskStopTransfer();
    void CreateToolBar(QWidget* client);
    void CreatePages(QWidget* client);
    void CreatePageRuzne();
    void CreateLiveValues(QWidget* client);
    void CreateMenus();
    void CreateDialogs();
    void CreateEditors();
    void CreateServoTable();
    // The servo table's font: the largest up to the box's that shows the widest RPM value in a
    // cell; fitted once, when a servo page is first active (ShowServoEditors).
    void FitServoTableFont();
    void CreateServoControls();
    void CreateComPortItems();
    void WireTableMenu();
    void WireEvents();

    void PackServoPage(dorv::ServoIndex s);
    void FillServoPage(dorv::ServoIndex s);
    void StepServoTable(dorv::StepDirection direction);
    void StepColumn(int column, dorv::StepDirection direction);
    void RefillWithBoxHidden(const std::function<void()>& change);
    // The editor the keyboard focus belongs in when the one it was in is out of sight: the first
    // editor of the active page.
    QWidget* FirstEditorOfPage() const;
    // Gives the focus back to `had`, the control that held it before a refill, or, when that is
    // out of sight now, to the first editor of the page. Focus outside the window stays put.
    void KeepFocus(QWidget* had);
    void AdjustAutoSizeLabels(QWidget* parent);
    // Grows the controls whose texts differ by language to their texts, and moves their
    // neighbours along; in English everything stays at its designed place.
    void FitControlsToTexts();
    void SwitchLanguage(dorv::Language language);

    QMargins FrameMargins() const;

    QWidget* client_ = nullptr;
    dorv::SettingsDataLoad settingsDataLoad_;
    bool closingBySignal_ = false;
    bool closeAfterTransfer_ = false; // Exit was chosen while a pass ran: close at its end
    bool keptOnScreenAfterShow_ = false;
    static constexpr int FrameSettleMs = 200; // time the window manager takes to frame a window
    bool quietPageSelect_ = false;
    bool servoTableFontFitted_ = false;
    QPointer<QWidget> lastServoEditor_; // the control of GroupBoxServo that last had the focus

    // --- The link (HlavLink.cpp, LiveDisplay.cpp, Tune.cpp) ---
    static std::unique_ptr<dorv::SerialPort> MakeSerialPort();
    void ShowTransferDisplay();
    void HandleTransferEvents(const dorv::TransferEvents& events);
    void PostVersionMismatchBox(const std::string& suffix);
    void PostMessageBox(const QString& text);
    void HighlightOperatingCell(dorv::OperatingCell cell, bool highlighted);
    void ShowPortNote(const QString& text);
    void DeviceDisconnected();
    void WatchForDevice();
    std::string comDevice_; // the device last opened or tried

    std::unique_ptr<dorv::SerialPort> comPort_ = MakeSerialPort();
    dorv::TransferSequencer sequencer_{*comPort_, Image};
    bool versionBoxPending_ = false;
    std::optional<dorv::OperatingCell> highlightedCell_; // the cell now painted lime green

    // --- Data log (HlavLog.cpp) ---
    void CreateLogMenu();
    // Records the live values of an accepted monitor frame while a log is recorded.
    void RecordMonitorValues(const dorv::MonitorValues& values);
    void ShowRecordingState();
    // The status once a second: a text changed on every frame would lay out the status bar and
    // repaint it three times a second.
    void TickRecordingState();
    // Marks each cell of the active servo that the recording or the replayed log visited: the
    // more samples, the stronger the mark; the count as its tooltip. Nothing while switched off.
    void ShowCellVisits();
    dorv::CellVisits cellVisits_;
    bool visitMarksShown_ = false;
    std::int64_t LogNow() const;
    std::int64_t shownRecordingSecond_ = -1;
    std::unique_ptr<dorv::LogRecorder> recorder_;
    LogClock logClock_;
    std::int64_t recordStartMs_ = 0;
    int lastMarker_ = 0;
    QString recordingNote_; // what became of the last log, shown until the next one starts
    void ReplayTick();
    void ShowReplayedSample();
    void ShowReplayPosition();
    void ShowReplayTitle();
    // The chart module's maker of the chart windows, or null after posting a box that says why.
    TChartFactory* ChartFactory();
    QString replayedFile_;
    QString replayTitle_; // what ShowReplayTitle added to the window's title
    std::unique_ptr<dorv::LogPlayback> playback_;
    std::int64_t replayClockMs_ = 0;
    dorv::MonitorValues replayedValues_;
    struct ShownLabel {
        QLabel* Label;
        QString Text;
        QPalette Palette;
    };
    std::vector<ShownLabel> shownBeforeReplay_; // put back when the replay stops
    std::array<int, 2> gaugesBeforeReplay_{};
    bool programAfterReplay_ = false; // programming after change was asked for during a replay
    // The chart, when it is shown: a live frame, or the replay's current sample (a step forward
    // is added, any other move shows the samples of the longest span before it).
    bool ChartShown() const;
    void ChartLiveValues(const dorv::MonitorValues& values);
    void ChartReplayedSample();
    void ShowTableChart();
    std::int64_t chartOriginMs_ = 0;
    int chartReplayIndex_ = -1;

    // --- Printed report (Print.cpp) ---
    void ShowPrintHeading();
    friend class TReportPrinter; // prints the client area and sets the print view on its controls
};
