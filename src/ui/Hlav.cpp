// The main window TFormHlav: the designed controls at their positions, menus, dialogs and timer.
#include "Hlav.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "About.h"
#include "Cgauges.h"
#include "Commands.h"
#include "CompareView.h"
#include "Cspin.h"
#include "EditUpDown.h"
#include "Glyphs.h"
#include "Hints.h"
#include "HistoryKeeper.h"
#include "Jazyk1.h"
#include "LiveDisplay.h"
#include "LogPlayback.h"
#include "LogWriter.h"
#include "MakeControls.h"
#include "MenuAction.h"
#include "Placement.h"
#include "PortTexts.h"
#include "ServoTable.h"

namespace {

using dorv::AutoSizeProperty;
using dorv::FontOfHeight;
using dorv::MakeAction;
using dorv::MakeGlyphButton;
using dorv::MakeLabel;
using dorv::MakeLiveLabel;
using dorv::MakePushButton;
using dorv::SetFaceColour;

} // namespace

TFormHlav::TFormHlav(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FormHlav"));
    setWindowTitle(QStringLiteral("Programming of \"DORV\" unit"));
    QFont windowFont = font();
    windowFont.setPixelSize(11);
    setFont(windowFont);
    resize(DesignWidth, DesignHeight);

    // The designed client area scrolls inside the window when the screen is too small for it.
    ScrollBoxClient = new QScrollArea(this);
    ScrollBoxClient->setObjectName(QStringLiteral("ScrollBoxClient"));
    ScrollBoxClient->setFrameShape(QFrame::NoFrame);
    ScrollBoxClient->setFocusPolicy(Qt::NoFocus);
    ScrollBoxClient->setWidgetResizable(true);
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("ClientArea"));
    ScrollBoxClient->setWidget(client_);
    setCentralWidget(ScrollBoxClient);
    CreateToolBar(client_);
    CreatePages(client_);
    CreateLiveValues(client_);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);
    CreateMenus();
    Comparison = new TCompareView(*this);
    client_->setMinimumSize(DesignWidth,
                            DesignHeight - menuBar()->sizeHint().height() - StatusBar1->height());
    CreateDialogs();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TimerInterval);
    PortWatch = new QTimer(this);
    PortWatch->setObjectName(QStringLiteral("PortWatch"));
    PortWatch->setInterval(PortWatchMs);
    connect(PortWatch, &QTimer::timeout, this, &TFormHlav::WatchForDevice);

    FormCreate();
}

TFormHlav::~TFormHlav() {
    qApp->removeEventFilter(this);
}

namespace {

// The designed places of the controls whose texts differ by language. The English texts fit
// them; a longer text grows its control, and what stands to its right moves along.
constexpr int LabelSpojeniGap = 7;

// clang-format on

// The file dialogs' filters in the current language: parameter files, then (Open) all files.
QStringList FileFilters(bool allFiles) {
    QStringList filters{
        dorv::CaptionFor(&dorv::LanguageCaptions::ParameterFilesFilter, dorv::CurrentLanguage)};
    if (allFiles)
        filters << dorv::CaptionFor(&dorv::LanguageCaptions::AllFilesFilter, dorv::CurrentLanguage);
    return filters;
}

} // namespace

void TFormHlav::CreateToolBar(QWidget* client) {
    Commands.CreateToolBar(client);
    Live.CreateConnectionLabel(client);
}

void TFormHlav::CreatePages(QWidget* client) {
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(4, 45, 959, 476);
    PageControl1->setFocusPolicy(Qt::NoFocus);
    PageControl1->tabBar()->setFocusPolicy(Qt::NoFocus);
    TabSheet_Ruzne = new QWidget;
    TabSheet_Ruzne->setObjectName(QStringLiteral("TabSheet_Ruzne"));
    TabSheet_Servo1 = new QWidget;
    TabSheet_Servo1->setObjectName(QStringLiteral("TabSheet_Servo1"));
    TabSheet_Servo2 = new QWidget;
    TabSheet_Servo2->setObjectName(QStringLiteral("TabSheet_Servo2"));
    PageControl1->addTab(TabSheet_Ruzne, QStringLiteral("Miscellaneous"));
    PageControl1->addTab(TabSheet_Servo1, QStringLiteral("Servo 1"));
    PageControl1->addTab(TabSheet_Servo2, QStringLiteral("Servo 2"));
    PageControl1->setCurrentIndex(0);
    CreatePageRuzne();
}

void TFormHlav::CreatePageRuzne() {
    General.Create(TabSheet_Ruzne);
}

void TFormHlav::CreateLiveValues(QWidget* client) {
    Live.Create(client, General.LabelPocetProgramovani);
    client->installEventFilter(this);
    TabSheet_Ruzne->installEventFilter(this);
    Live.LabelHlaseni->installEventFilter(this);
    Live.CGaugeProgram->installEventFilter(this);
}

void TFormHlav::CreateMenus() {
    Commands.CreateMenus(menuBar());
    CreateLogMenu();
}

void TFormHlav::CreateComPortItems() {
    Commands.CreateComPortItems();
}

void TFormHlav::CreateDialogs() {
    OpenDialog1.Prepare(this, "OpenDialog1", [](QFileDialog* dialog) {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setDefaultSuffix(QStringLiteral("ign"));
        dialog->setNameFilters(FileFilters(true));
    });
    SaveDialog1.Prepare(this, "SaveDialog1", [](QFileDialog* dialog) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(QStringLiteral("ign"));
        dialog->setNameFilters(FileFilters(false));
        dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
        dialog->setSizeGripEnabled(true);
    });
}

void TFormHlav::WireEvents() {
    connect(Commands.SpeedButtonNew, &QToolButton::clicked, Commands.MenuNew, &QAction::trigger);
    connect(Commands.SpeedButtonOpen, &QToolButton::clicked, Commands.MenuOpen, &QAction::trigger);
    connect(Commands.SpeedButtonSave, &QToolButton::clicked, Commands.MenuSave, &QAction::trigger);
    connect(Commands.SpeedButtonPrint, &QToolButton::clicked, Commands.MenuPrint,
            &QAction::trigger);
    connect(Commands.SpeedButtonZpet, &QToolButton::clicked, this, &TFormHlav::OnUndo);
    connect(Commands.SpeedButtonZnovu, &QToolButton::clicked, this, &TFormHlav::OnRedo);
    connect(Commands.ButtonRead, &QPushButton::clicked, Commands.MenuRead, &QAction::trigger);
    connect(Commands.ButtonVerify, &QPushButton::clicked, Commands.MenuVerify, &QAction::trigger);
    connect(Commands.ButtonProgram, &QPushButton::clicked, Commands.MenuProgram, &QAction::trigger);

    connect(Commands.MenuNew, &QAction::triggered, this, &TFormHlav::OnNew);
    connect(Commands.MenuOpen, &QAction::triggered, this, &TFormHlav::OnOpen);
    connect(Commands.MenuSave, &QAction::triggered, this, &TFormHlav::OnSave);
    connect(Commands.MenuPrint, &QAction::triggered, this, &TFormHlav::OnPrint);
    connect(Commands.MenuExit, &QAction::triggered, this, &TFormHlav::OnExit);
    connect(Commands.MenuRead, &QAction::triggered, this, &TFormHlav::OnRead);
    connect(Commands.MenuVerify, &QAction::triggered, this, &TFormHlav::OnVerify);
    connect(Commands.MenuProgram, &QAction::triggered, this, &TFormHlav::OnProgram);
    connect(Commands.MenuToolsMinus, &QAction::triggered, this, &TFormHlav::OnMinus);
    connect(Commands.MenuToolsPlus, &QAction::triggered, this, &TFormHlav::OnPlus);
    connect(Commands.MenuZpet, &QAction::triggered, this, &TFormHlav::OnUndo);
    connect(Commands.MenuZnovu, &QAction::triggered, this, &TFormHlav::OnRedo);
    connect(Commands.MenuEnglish, &QAction::triggered, this, &TFormHlav::OnEnglish);
    connect(Commands.MenuCzech, &QAction::triggered, this, &TFormHlav::OnCzech);
    connect(Commands.MenuGerman, &QAction::triggered, this, &TFormHlav::OnGerman);
    connect(Commands.MenuContens, &QAction::triggered, this, &TFormHlav::OnHelpContents);
    connect(Commands.MenuAbout, &QAction::triggered, this, &TFormHlav::OnAbout);
    for (QAction* item : Commands.MenuComPort)
        connect(item, &QAction::triggered, this, &TFormHlav::OnComPortChosen);
    connect(Commands.MenuSerialDevices, &QAction::triggered, this, &TFormHlav::OnSerialDevices);
    connect(Commands.MenuCom, &QMenu::aboutToShow, this, &TFormHlav::RefreshComItems);

    connect(General.ButtonTps0, &QPushButton::clicked, this, &TFormHlav::OnCaptureTps0);
    connect(General.ButtonTps100, &QPushButton::clicked, this, &TFormHlav::OnCaptureTps100);
    connect(ButtonMinus, &QPushButton::clicked, this, &TFormHlav::OnMinus);
    connect(ButtonPlus, &QPushButton::clicked, this, &TFormHlav::OnPlus);
    connect(General.RadioGroupPocPulsuItems, &QButtonGroup::idClicked, this,
            &TFormHlav::OnPulsesChosen);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFormHlav::OnPageChanged);
    connect(Timer1, &QTimer::timeout, this, &TFormHlav::OnTick);

    // Edits: a click and Enter commit; the TPS up-downs commit on their arrows as well.
    const auto wireEdit = [this](TEditUpDown* editor) {
        connect(editor, &TEditUpDown::EditClicked, this, &TFormHlav::OnEditorClick);
        connect(editor, &TEditUpDown::EnterPressed, this, &TFormHlav::OnEnterPressed);
        connect(editor, &TEditUpDown::ArrowClicked, this, &TFormHlav::OnEditorArrow);
    };
    wireEdit(General.UpDownTps0);
    wireEdit(General.UpDownTps100);
    wireEdit(UpDownHystMv);
    wireEdit(UpDownHystRpm);
    connect(ServoTable, &TServoTable::EditClicked, this, &TFormHlav::OnEditorClick);
    connect(ServoTable, &TServoTable::EnterPressed, this, &TFormHlav::OnServoTableEnter);
    connect(ServoTable, &TServoTable::ArrowClicked, this, &TFormHlav::OnEditorArrow);
    WireTableMenu();
    connect(Commands.MenuViewHeatMap, &QAction::toggled, ServoTable, &TServoTable::SetHeatMap);
    connect(Commands.MenuViewCellVisits, &QAction::toggled, this, &TFormHlav::ShowCellVisits);
    Live.CheckBoxProgHned->installEventFilter(this);
    connect(Live.CheckBoxProgHned, &QCheckBox::toggled, this, &TFormHlav::ShowProgHnedFace);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && GroupBoxServo->isAncestorOf(now))
            lastServoEditor_ = now;
    });

    connect(CheckBoxServoEnable, &QCheckBox::clicked, this, &TFormHlav::OnServoCheckBoxClick);
    connect(CheckBoxAll, &QCheckBox::clicked, this, &TFormHlav::OnServoCheckBoxClick);
    connect(CheckBoxTpEnable, &QCheckBox::clicked, this, &TFormHlav::OnThrottleRowsClick);
    connect(CheckBoxProcenta, &QCheckBox::clicked, this, &TFormHlav::OnPercentModeClick);
    for (int c = 0; c < dorv::RpmColumns; ++c) {
        connect(CSpinButtonColumn[c], &TCSpinButton::OnDownClick, this,
                [this, c] { OnColumnStepDown(c); });
        connect(CSpinButtonColumn[c], &TCSpinButton::OnUpClick, this,
                [this, c] { OnColumnStepUp(c); });
    }
}

// The style marks the focused control only after a focus move by keyboard, and showing a window
// clears that mark; but the focus also moves by mouse and by refills, and a Space typed into an
// unmarked check box ticks it. Marked always, the user sees which control the next key goes to.
void TFormHlav::showEvent(QShowEvent* event) {
    setAttribute(Qt::WA_KeyboardFocusChange);
    QMainWindow::showEvent(event);
}

void TFormHlav::CenterWindow() {
    const QRect screenArea = screen()->availableGeometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2,
         screenArea.y() + (screenArea.height() - height()) / 2);
    KeepOnScreen();
}

QMargins TFormHlav::FrameMargins() const {
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (!isVisible() || frame == inner)
        return dorv::AssumedFrameMargins;
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

void TFormHlav::KeepOnScreen() {
    const QMargins frame = FrameMargins();
    const QPoint frameCorner = frameGeometry().topLeft();
    const QRect inner(frameCorner + QPoint(frame.left(), frame.top()), size());
    const QScreen* where = QGuiApplication::screenAt(inner.center());
    if (!where)
        where = screen();
    QRect kept = dorv::KeepInside(inner, frame, where->availableGeometry());
    // A window made lower here scrolls its pages: room for the vertical scroll bar beside them,
    // so that they need no horizontal one as well. A size the user chose is left alone.
    const int pagesHeight =
        client_->minimumHeight() + menuBar()->sizeHint().height() + StatusBar1->height();
    const int pagesWidth =
        client_->minimumWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (kept.height() < inner.height() && kept.height() < pagesHeight && kept.width() < pagesWidth)
        kept = dorv::KeepInside(QRect(kept.topLeft(), QSize(pagesWidth, kept.height())), frame,
                                where->availableGeometry());
    if (kept == inner)
        return;
    resize(kept.size());
    move(kept.topLeft() - QPoint(frame.left(), frame.top()));
}

bool TFormHlav::event(QEvent* event) {
    // The real frame is known only once the window manager has framed the window.
    if (event->type() == QEvent::Show && !keptOnScreenAfterShow_) {
        keptOnScreenAfterShow_ = true;
        QTimer::singleShot(FrameSettleMs, this, &TFormHlav::KeepOnScreen);
    }
    return QMainWindow::event(event);
}

int TFormHlav::ActivePage() const {
    return PageControl1->currentIndex();
}

void TFormHlav::SetActivePage(int page) {
    quietPageSelect_ = true;
    PageControl1->setCurrentIndex(page >= 0 && page < PageControl1->count() ? page : 0);
    quietPageSelect_ = false;
}

dorv::ServoIndex TFormHlav::ActiveServo() const {
    return dorv::ServoOfPage(ActivePage());
}

void TFormHlav::OnExit() {
    close();
}

void TFormHlav::ApplyLanguage() {
    Messages = dorv::ApplyLanguageTexts(this);
    Live.FitServoLabels(Messages, DesignWidth);
    AdjustAutoSizeLabels(client_);
    AdjustAutoSizeLabels(TabSheet_Ruzne);
    General.PlaceFileLabel();
    FitControlsToTexts();
    // A dialog made before takes the filters of the language; one made later gets them then.
    if (OpenDialog1.IsCreated())
        OpenDialog1->setNameFilters(FileFilters(true));
    if (SaveDialog1.IsCreated())
        SaveDialog1->setNameFilters(FileFilters(false));
    ApplyLogLanguage();
    Comparison->ApplyLanguage(dorv::CurrentLanguage);
    HistoryKeeper->ApplyLanguage();
    for (QWidget* box : std::initializer_list<QWidget*>{GroupBoxServo, General.RadioGroupPocPulsu,
                                                        General.GroupBoxSetTps})
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child) ||
                qobject_cast<QRadioButton*>(child))
                child->adjustSize();
}

void TFormHlav::FitControlsToTexts() {
    Commands.FitToolBar();
    Live.LabelSpojeni->move(
        std::max(TLivePanel::DesignedConnectionLeft,
                 Commands.GroupBoxToolBar->geometry().right() + 1 + LabelSpojeniGap),
        Live.LabelSpojeni->y());

    Live.FitToTexts();
}

void TFormHlav::SwitchLanguage(dorv::Language language) {
    dorv::CurrentLanguage = language;
    ApplyLanguage();
    FillEditors();
}

void TFormHlav::OnEnglish() {
    SwitchLanguage(dorv::Language::English);
}
void TFormHlav::OnCzech() {
    SwitchLanguage(dorv::Language::Czech);
}
void TFormHlav::OnGerman() {
    SwitchLanguage(dorv::Language::German);
}

void TFormHlav::OnHelpContents() {
    dorv::MenuContensClick(this, Messages);
}

void TFormHlav::OnAbout() {
    if (!FormAbout) // made on first use: most runs never open it
        FormAbout = new TFormAbout(this);
    FormAbout->exec();
}

void TFormHlav::AdjustAutoSizeLabels(QWidget* parent) {
    for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (!label->isHidden() && label->property(AutoSizeProperty).toBool())
            dorv::FitLabel(label);
}

// Keeps the menu shortcuts the window's own wherever the focus is: an edit would otherwise take
// Ctrl+Z as its text undo. Also keeps auto-sizing labels fitted to their texts and lets Enter in
// "Programming after change" commit.
bool TFormHlav::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == Live.LabelHlaseni && type == QEvent::Resize) ||
        (watched == Live.CGaugeProgram && (type == QEvent::Show || type == QEvent::Hide))) {
        Live.PlaceStatusLabel();
        return false;
    }
    if (type == QEvent::LayoutRequest && (watched == client_ || watched == TabSheet_Ruzne)) {
        AdjustAutoSizeLabels(static_cast<QWidget*>(watched));
        return false;
    }
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (Commands.IsMenuShortcut(key) ||
        HistoryKeeper->MenuHistory->shortcut() == QKeySequence(key->keyCombination()))
        return true; // override: left unaccepted, so the menu's shortcut runs; key press: dropped
    if (type == QEvent::KeyPress && watched == Live.CheckBoxProgHned &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        OnEnterPressed();
        return true;
    }
    return false;
}

void TFormHlav::ShowStatusNote(const QString& note) {
    if (Hints)
        Hints->ShowNote(note);
    else
        StatusBar1->showMessage(note);
}
