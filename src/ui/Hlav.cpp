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
#include "MenuAction.h"
#include "Placement.h"
#include "PortTexts.h"
#include "ServoTable.h"

namespace {

// Labels whose size follows their text, as an auto-sizing label does.
constexpr const char* AutoSizeProperty = "AutoSize";

QFont FontOfHeight(const QWidget* widget, int pixelSize, bool bold) {
    QFont font = widget->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setProperty(AutoSizeProperty, true);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* MakeLiveLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                      int pixelSize, bool bold) {
    QLabel* label = MakeLabel(parent, name, text, at);
    label->setFont(FontOfHeight(parent, pixelSize, bold));
    label->adjustSize();
    return label;
}

void SetFaceColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton* MakePushButton(QWidget* parent, const char* name, const QString& text, QRect at) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(at);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

QToolButton* MakeGlyphButton(QWidget* parent, const char* name, const QIcon& glyph, QRect at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(glyph);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(at);
    return button;
}

// The logo of the general page: the product name in a framed field.
QPixmap LogoPicture() {
    QPixmap pixmap(234, 103);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 3));
    painter.drawRoundedRect(QRectF(4, 8, 226, 87), 14, 14);
    QFont font;
    font.setPixelSize(56);
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.drawText(QRect(4, 8, 226, 87), Qt::AlignCenter, QStringLiteral("DORV"));
    return pixmap;
}

using dorv::MakeAction;

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
constexpr QRect DesignedToolBar{3, 0, 462, 43};
constexpr QRect DesignedButtonRead{230, 12, 57, 23};
constexpr QRect DesignedButtonVerify{296, 12, 65, 23};
constexpr QRect DesignedButtonProgram{370, 12, 81, 23};
constexpr int ToolBarButtonGap = 9;
constexpr int ToolBarRightMargin = 11;
constexpr int DesignedLabelSpojeniLeft = 472;
constexpr int LabelSpojeniGap = 7;
constexpr QRect DesignedCheckBoxProgHned{706, 600, 177, 16};
constexpr int DesignedLabelHlaseniLeft = 300;
constexpr int LabelHlaseniGap = 4;

// clang-format off
const dorv::LanguageTexts ParameterFilesFilter = {"Parametry zapalování (*.ign)", "Ignition Parametrs(*.ign)", "Zündungsparameter (*.ign)", "Paramètres d'allumage (*.ign)"};
const dorv::LanguageTexts AllFilesFilter = {"Všechny soubory (*.*)", "All Files (*.*)", "Alle Dateien (*.*)", "Tous les fichiers (*.*)"};
// clang-format on

// The file dialogs' filters in the current language: parameter files, then (Open) all files.
QStringList FileFilters(bool allFiles) {
    QStringList filters{dorv::TextFor(ParameterFilesFilter, dorv::CurrentLanguage)};
    if (allFiles)
        filters << dorv::TextFor(AllFilesFilter, dorv::CurrentLanguage);
    return filters;
}

// A push button's width for its caption: the text, its frame and a margin on both sides.
int PushButtonWidthFor(const QPushButton* button) {
    constexpr int Margins = 10;
    QString text = button->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return button->fontMetrics().horizontalAdvance(text) + Margins;
}

} // namespace

void TFormHlav::CreateToolBar(QWidget* client) {
    GroupBoxToolBar = new QGroupBox(client);
    GroupBoxToolBar->setObjectName(QStringLiteral("GroupBoxToolBar"));
    GroupBoxToolBar->setGeometry(DesignedToolBar);
    SpeedButtonNew =
        MakeGlyphButton(GroupBoxToolBar, "SpeedButtonNew", dorv::NewFileGlyph(), {12, 12, 24, 23});
    SpeedButtonOpen = MakeGlyphButton(GroupBoxToolBar, "SpeedButtonOpen", dorv::OpenFileGlyph(),
                                      {48, 12, 24, 23});
    SpeedButtonSave = MakeGlyphButton(GroupBoxToolBar, "SpeedButtonSave", dorv::SaveFileGlyph(),
                                      {84, 12, 24, 23});
    SpeedButtonPrint = MakeGlyphButton(GroupBoxToolBar, "SpeedButtonPrint", dorv::PrinterGlyph(),
                                       {120, 12, 24, 23});
    SpeedButtonZpet =
        MakeGlyphButton(GroupBoxToolBar, "SpeedButtonZpet", dorv::UndoGlyph(), {156, 13, 23, 22});
    SpeedButtonZnovu =
        MakeGlyphButton(GroupBoxToolBar, "SpeedButtonZnovu", dorv::RedoGlyph(), {192, 13, 23, 22});
    ButtonRead =
        MakePushButton(GroupBoxToolBar, "ButtonRead", QStringLiteral("&Read"), DesignedButtonRead);
    ButtonVerify = MakePushButton(GroupBoxToolBar, "ButtonVerify", QStringLiteral("Verify"),
                                  DesignedButtonVerify);
    ButtonProgram = MakePushButton(GroupBoxToolBar, "ButtonProgram", QStringLiteral("Program"),
                                   DesignedButtonProgram);
    // These three hints are not translated and read the same in every language.
    dorv::SetHint(SpeedButtonNew, QStringLiteral("New|Set default parametrs"));
    dorv::SetHint(SpeedButtonOpen, QStringLiteral("Open|Open file with parametrs"));
    dorv::SetHint(SpeedButtonSave, QStringLiteral("Save|Save parametrs to file"));

    LabelSpojeni = new QLabel(QStringLiteral("No connection with PC"), client);
    LabelSpojeni->setObjectName(QStringLiteral("LabelSpojeni"));
    LabelSpojeni->setGeometry(DesignedLabelSpojeniLeft, 9, 174, 29);
    LabelSpojeni->setFont(FontOfHeight(client, 23, true));
    // Sized to its text, as the translations differ in length.
    LabelSpojeni->setProperty(AutoSizeProperty, true);
    LabelSpojeni->adjustSize();
    SetFaceColour(LabelSpojeni, Qt::red);
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
    QWidget* page = TabSheet_Ruzne;
    GroupBoxSetTps = new QGroupBox(QStringLiteral("TPS"), page);
    GroupBoxSetTps->setObjectName(QStringLiteral("GroupBoxSetTps"));
    GroupBoxSetTps->setGeometry(8, 4, 284, 107);
    LabelTps0 = MakeLabel(GroupBoxSetTps, "LabelTps0", QStringLiteral("0%  [mV]"), {33, 30});
    UpDownTps0 =
        TEditUpDown::Create(GroupBoxSetTps, QStringLiteral("EditTps0"),
                            QStringLiteral("UpDownTps0"), {96, 26, 56, 21}, dorv::Tps0Range);
    UpDownTps0->SetPosition(200);
    ButtonTps0 =
        MakePushButton(GroupBoxSetTps, "ButtonTps0", QStringLiteral("TPS 0 %"), {192, 24, 75, 25});
    LabelTps100 = MakeLabel(GroupBoxSetTps, "LabelTps100", QStringLiteral("100%  [mv]"), {21, 69});
    UpDownTps100 =
        TEditUpDown::Create(GroupBoxSetTps, QStringLiteral("EditTps100"),
                            QStringLiteral("UpDownTps100"), {96, 66, 56, 21}, dorv::Tps100Range);
    UpDownTps100->SetPosition(2600);
    ButtonTps100 = MakePushButton(GroupBoxSetTps, "ButtonTps100", QStringLiteral("TPS 100 %"),
                                  {192, 64, 75, 25});

    RadioGroupPocPulsu = new QGroupBox(QStringLiteral("Number of pulses"), page);
    RadioGroupPocPulsu->setObjectName(QStringLiteral("RadioGroupPocPulsu"));
    RadioGroupPocPulsu->setGeometry(326, 7, 235, 103);
    RadioGroupPocPulsuItems = new QButtonGroup(RadioGroupPocPulsu);
    const QStringList items{QStringLiteral("One per two revolution"),
                            QStringLiteral("One per one revolution"),
                            QStringLiteral("Two per one revolution")};
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], RadioGroupPocPulsu);
        item->setObjectName(QStringLiteral("RadioGroupPocPulsuItem%1").arg(i));
        item->setGeometry(8, 18 + 27 * i, 220, 20);
        RadioGroupPocPulsuItems->addButton(item, i);
    }
    RadioGroupPocPulsuItems->button(0)->setChecked(true);

    ImageLogo = new QLabel(page);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setGeometry(11, 270, 234, 103);
    ImageLogo->setPixmap(LogoPicture());

    LabelVerze2 = MakeLabel(page, "LabelVerze2", QStringLiteral("25.02.2002"), {296, 387});
    LabelVerze3 = MakeLabel(page, "LabelVerze3", QStringLiteral("16:21"), {368, 387});
    LabelVerze1 = MakeLabel(page, "LabelVerze1", QStringLiteral("-----"), {416, 387});
    LabelFile1 = MakeLabel(page, "LabelFile1", QStringLiteral("File:"), {482, 387});
    LabelPocetProgramovani = MakeLabel(page, "LabelPocetProgramovani",
                                       QStringLiteral("Number of Programing: -----"), {722, 387});
    // The file's path has a fixed room up to the count: it is set while its page may be hidden,
    // and a long path is shortened in the middle instead of running under the count.
    LabelFile2 = new TElidedLabel(page);
    LabelFile2->setObjectName(QStringLiteral("LabelFile2"));
    PlaceFileLabel();
}

void TFormHlav::CreateLiveValues(QWidget* client) {
    LabelRpm = MakeLiveLabel(client, "LabelRpm", QStringLiteral("RPM = ---"), {12, 523}, 23, true);
    CGaugeRpm = new TCGauge(client);
    CGaugeRpm->setObjectName(QStringLiteral("CGaugeRpm"));
    CGaugeRpm->setGeometry(13, 552, 240, 18);
    CGaugeRpm->SetForeColor(Qt::magenta);
    CGaugeRpm->SetShowText(false);
    LabelNapeti =
        MakeLiveLabel(client, "LabelNapeti", QStringLiteral("U = ---[V]"), {292, 553}, 19, false);
    LabelTpsMon =
        MakeLiveLabel(client, "LabelTpsMon", QStringLiteral("TP= --- [%]"), {12, 582}, 23, true);
    CGaugeTps = new TCGauge(client);
    CGaugeTps->setObjectName(QStringLiteral("CGaugeTps"));
    CGaugeTps->setGeometry(13, 612, 240, 18);
    // The desktop colour of the classic scheme: dark teal.
    CGaugeTps->SetForeColor(QColor(0, 128, 128));
    CGaugeTps->SetShowText(false);
    LabelServoPoz1 =
        MakeLiveLabel(client, "LabelServoPoz1", QStringLiteral("Servo 1 Required= ---"), {466, 542},
                      ServoLabelPixelSize, false);
    LabelServoMer1 =
        MakeLiveLabel(client, "LabelServoMer1", QStringLiteral("Servo 1 Measured= ---"), {466, 569},
                      ServoLabelPixelSize, false);
    LabelServoPoz2 =
        MakeLiveLabel(client, "LabelServoPoz2", QStringLiteral("Servo 2 Required= ---"), {706, 542},
                      ServoLabelPixelSize, false);
    LabelServoMer2 =
        MakeLiveLabel(client, "LabelServoMer2", QStringLiteral("Servo 2 Measured= ---"), {706, 569},
                      ServoLabelPixelSize, false);
    CheckBoxProgHned = new QCheckBox(QStringLiteral("Programming after change"), client);
    CheckBoxProgHned->setObjectName(QStringLiteral("CheckBoxProgHned"));
    CheckBoxProgHned->setGeometry(DesignedCheckBoxProgHned);
    CheckBoxProgHned->setAutoFillBackground(true);
    LabelHlaseni = MakeLiveLabel(client, "LabelHlaseni", QStringLiteral("Programming:"),
                                 {DesignedLabelHlaseniLeft, 612}, 13, true);
    CGaugeProgram = new TCGauge(client);
    CGaugeProgram->setObjectName(QStringLiteral("CGaugeProgram"));
    CGaugeProgram->setGeometry(456, 612, 203, 18);
    CGaugeProgram->SetForeColor(Qt::cyan);
    CGaugeProgram->SetShowText(true);
    CGaugeProgram->SetMaxValue(7);
    LabelEeDataErr = MakeLiveLabel(client, "LabelEeDataErr",
                                   QStringLiteral("Programmed data error"), {13, 640}, 19, true);
    SetFaceColour(LabelEeDataErr, Qt::red);
    LabelVersion = MakeLiveLabel(client, "LabelVersion", QString(), {13, 672}, 19, true);
    SetFaceColour(LabelVersion, Qt::red);
    constexpr std::array<int, 8> testLefts{24, 138, 252, 366, 481, 595, 709, 824};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "LabelTest" + QByteArray::number(i + 1);
        LabelTest[i] =
            MakeLiveLabel(client, name.constData(), QStringLiteral("Test%1 = ---").arg(i + 1),
                          {testLefts[i], 752}, 16, false);
    }
    client->installEventFilter(this);
    TabSheet_Ruzne->installEventFilter(this);
    LabelHlaseni->installEventFilter(this);
    CGaugeProgram->installEventFilter(this);
}

void TFormHlav::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    MenuFile = bar->addMenu(QStringLiteral("&File"));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuNew =
        MakeAction(MenuFile, "MenuNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    MenuFile->addSeparator();
    MenuOpen = MakeAction(MenuFile, "MenuOpen", QStringLiteral("&Open"), QKeySequence(Qt::Key_F3));
    MenuFile->addSeparator();
    MenuSave = MakeAction(MenuFile, "MenuSave", QStringLiteral("&Save"), QKeySequence(Qt::Key_F2));
    MenuFile->addSeparator();
    MenuPrint = MakeAction(MenuFile, "MenuPrint", QStringLiteral("&Print"),
                           QKeySequence(Qt::CTRL | Qt::Key_P));
    MenuFile->addSeparator();
    MenuExit = MakeAction(MenuFile, "MenuExit", QStringLiteral("E&xit"));

    MenuCom = bar->addMenu(QStringLiteral("&Com"));
    MenuCom->setObjectName(QStringLiteral("MenuCom"));

    MenuDevice = bar->addMenu(QStringLiteral("&Ignition"));
    MenuDevice->setObjectName(QStringLiteral("MenuDevice"));
    MenuRead =
        MakeAction(MenuDevice, "MenuRead", QStringLiteral("&Read"), QKeySequence(Qt::Key_F7));
    MenuVerify =
        MakeAction(MenuDevice, "MenuVerify", QStringLiteral("&Verify"), QKeySequence(Qt::Key_F8));
    MenuProgram =
        MakeAction(MenuDevice, "MenuProgram", QStringLiteral("&Program"), QKeySequence(Qt::Key_F9));

    MenuTools = bar->addMenu(QStringLiteral("Tools"));
    MenuTools->setObjectName(QStringLiteral("MenuTools"));
    MenuToolsMinus =
        MakeAction(MenuTools, "MenuToolsMinus", QStringLiteral("Minus "), QKeySequence(Qt::Key_F4));
    MenuToolsPlus =
        MakeAction(MenuTools, "MenuToolsPlus", QStringLiteral("Plus"), QKeySequence(Qt::Key_F5));
    MenuZpet = MakeAction(MenuTools, "MenuZpet", QStringLiteral("Undo"),
                          QKeySequence(Qt::CTRL | Qt::Key_Z));
    MenuZnovu = MakeAction(MenuTools, "MenuZnovu", QStringLiteral("Redo"),
                           QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    CreateTableMenu();

    MenuView = bar->addMenu(QStringLiteral("&View"));
    MenuView->setObjectName(QStringLiteral("MenuView"));
    MenuViewHeatMap = MakeAction(MenuView, "MenuViewHeatMap", QStringLiteral("&Heat map"));
    MenuViewHeatMap->setCheckable(true);
    MenuViewCellVisits = MakeAction(MenuView, "MenuViewCellVisits", QStringLiteral("&Cell visits"));
    MenuViewCellVisits->setCheckable(true);

    MenuLanguage = bar->addMenu(QStringLiteral("&Language"));
    MenuLanguage->setObjectName(QStringLiteral("MenuLanguage"));
    MenuEnglish = MakeAction(MenuLanguage, "MenuEnglish", QStringLiteral("&English"));
    MenuCzech = MakeAction(MenuLanguage, "MenuCzech", QStringLiteral("&Czech"));
    MenuGerman = MakeAction(MenuLanguage, "MenuGerman", QStringLiteral("&German"));
    for (QAction* item : {MenuEnglish, MenuCzech, MenuGerman})
        item->setCheckable(true);

    MenuHelp = bar->addMenu(QStringLiteral("&Help"));
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
    MenuContens = MakeAction(MenuHelp, "MenuContens", QStringLiteral("&Contents..."),
                             QKeySequence(Qt::Key_F1));
    MenuAbout = MakeAction(MenuHelp, "MenuAbout", QStringLiteral("&About..."));
    CreateLogMenu();
}

void TFormHlav::CreateComPortItems() {
    for (int k = 0; k < ComPortCount; ++k) {
        auto* item = new QAction(QStringLiteral("Com %1").arg(k + 1), MenuCom);
        item->setObjectName(QStringLiteral("MenuComPort[%1]").arg(k));
        item->setCheckable(true);
        MenuCom->addAction(item);
        MenuComPort[k] = item;
    }
    MenuCom->addSeparator();
    MenuSerialDevices = MenuCom->addAction(dorv::SerialDevicesText(dorv::CurrentLanguage));
    MenuSerialDevices->setObjectName(QStringLiteral("MenuSerialDevices"));
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
    connect(SpeedButtonNew, &QToolButton::clicked, MenuNew, &QAction::trigger);
    connect(SpeedButtonOpen, &QToolButton::clicked, MenuOpen, &QAction::trigger);
    connect(SpeedButtonSave, &QToolButton::clicked, MenuSave, &QAction::trigger);
    connect(SpeedButtonPrint, &QToolButton::clicked, MenuPrint, &QAction::trigger);
    connect(SpeedButtonZpet, &QToolButton::clicked, this, &TFormHlav::SpeedButtonZpetClick);
    connect(SpeedButtonZnovu, &QToolButton::clicked, this, &TFormHlav::SpeedButtonZnovuClick);
    connect(ButtonRead, &QPushButton::clicked, MenuRead, &QAction::trigger);
    connect(ButtonVerify, &QPushButton::clicked, MenuVerify, &QAction::trigger);
    connect(ButtonProgram, &QPushButton::clicked, MenuProgram, &QAction::trigger);

    connect(MenuNew, &QAction::triggered, this, &TFormHlav::MenuNewClick);
    connect(MenuOpen, &QAction::triggered, this, &TFormHlav::MenuOpenClick);
    connect(MenuSave, &QAction::triggered, this, &TFormHlav::MenuSaveClick);
    connect(MenuPrint, &QAction::triggered, this, &TFormHlav::SpeedButtonPrintClick);
    connect(MenuExit, &QAction::triggered, this, &TFormHlav::MenuExitClick);
    connect(MenuRead, &QAction::triggered, this, &TFormHlav::MenuReadClick);
    connect(MenuVerify, &QAction::triggered, this, &TFormHlav::MenuVerifyClick);
    connect(MenuProgram, &QAction::triggered, this, &TFormHlav::MenuProgramClick);
    connect(MenuToolsMinus, &QAction::triggered, this, &TFormHlav::MenuToolsMinusClick);
    connect(MenuToolsPlus, &QAction::triggered, this, &TFormHlav::MenuToolsPlusClick);
    connect(MenuZpet, &QAction::triggered, this, &TFormHlav::SpeedButtonZpetClick);
    connect(MenuZnovu, &QAction::triggered, this, &TFormHlav::SpeedButtonZnovuClick);
    connect(MenuEnglish, &QAction::triggered, this, &TFormHlav::MenuEnglishClick);
    connect(MenuCzech, &QAction::triggered, this, &TFormHlav::MenuCzechClick);
    connect(MenuGerman, &QAction::triggered, this, &TFormHlav::MenuGermanClick);
    connect(MenuContens, &QAction::triggered, this, &TFormHlav::MenuContensClick);
    connect(MenuAbout, &QAction::triggered, this, &TFormHlav::MenuAboutClick);
    for (QAction* item : MenuComPort)
        connect(item, &QAction::triggered, this, &TFormHlav::MenuCom1Click);
    connect(MenuSerialDevices, &QAction::triggered, this, &TFormHlav::MenuSerialDevicesClick);
    connect(MenuCom, &QMenu::aboutToShow, this, &TFormHlav::RefreshComItems);

    connect(ButtonTps0, &QPushButton::clicked, this, &TFormHlav::ButtonTps0Click);
    connect(ButtonTps100, &QPushButton::clicked, this, &TFormHlav::ButtonTps100Click);
    connect(ButtonMinus, &QPushButton::clicked, this, &TFormHlav::MenuToolsMinusClick);
    connect(ButtonPlus, &QPushButton::clicked, this, &TFormHlav::MenuToolsPlusClick);
    connect(RadioGroupPocPulsuItems, &QButtonGroup::idClicked, this,
            &TFormHlav::RadioGroupPocPulsuClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFormHlav::PageControl1Change);
    connect(Timer1, &QTimer::timeout, this, &TFormHlav::Timer1Timer);

    // Edits: a click and Enter commit; the TPS up-downs commit on their arrows as well.
    const auto wireEdit = [this](TEditUpDown* editor) {
        connect(editor, &TEditUpDown::EditClicked, this, &TFormHlav::Edit1Exit);
        connect(editor, &TEditUpDown::EnterPressed, this, &TFormHlav::FormKeyPress);
        connect(editor, &TEditUpDown::ArrowClicked, this, &TFormHlav::UpDown1Click);
    };
    wireEdit(UpDownTps0);
    wireEdit(UpDownTps100);
    wireEdit(UpDownHystMv);
    wireEdit(UpDownHystRpm);
    connect(ServoTable, &TServoTable::EditClicked, this, &TFormHlav::Edit1Exit);
    connect(ServoTable, &TServoTable::EnterPressed, this, &TFormHlav::ServoTableEnter);
    connect(ServoTable, &TServoTable::ArrowClicked, this, &TFormHlav::UpDown1Click);
    WireTableMenu();
    connect(MenuViewHeatMap, &QAction::toggled, ServoTable, &TServoTable::SetHeatMap);
    connect(MenuViewCellVisits, &QAction::toggled, this, &TFormHlav::ShowCellVisits);
    CheckBoxProgHned->installEventFilter(this);
    connect(CheckBoxProgHned, &QCheckBox::toggled, this, &TFormHlav::ShowProgHnedFace);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && GroupBoxServo->isAncestorOf(now))
            lastServoEditor_ = now;
    });

    connect(CheckBoxServoEnable, &QCheckBox::clicked, this, &TFormHlav::CheckBoxProgHnedMouseUp);
    connect(CheckBoxAll, &QCheckBox::clicked, this, &TFormHlav::CheckBoxProgHnedMouseUp);
    connect(CheckBoxTpEnable, &QCheckBox::clicked, this, &TFormHlav::CheckBoxTpEnableMouseUp);
    connect(CheckBoxProcenta, &QCheckBox::clicked, this, &TFormHlav::CheckBoxProcentaMouseUp);
    for (int c = 0; c < dorv::RpmColumns; ++c) {
        connect(CSpinButtonColumn[c], &TCSpinButton::OnDownClick, this,
                [this, c] { CSpinButtonDownClick_Uni(c); });
        connect(CSpinButtonColumn[c], &TCSpinButton::OnUpClick, this,
                [this, c] { CSpinButtonUpClick_Uni(c); });
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

void TFormHlav::MenuExitClick() {
    close();
}

void TFormHlav::ApplyLanguage() {
    Messages = dorv::ApplyLanguageTexts(this);
    FitServoLabels();
    AdjustAutoSizeLabels(client_);
    AdjustAutoSizeLabels(TabSheet_Ruzne);
    PlaceFileLabel();
    FitControlsToTexts();
    // A dialog made before takes the filters of the language; one made later gets them then.
    if (OpenDialog1.IsCreated())
        OpenDialog1->setNameFilters(FileFilters(true));
    if (SaveDialog1.IsCreated())
        SaveDialog1->setNameFilters(FileFilters(false));
    ApplyLogLanguage();
    Comparison->ApplyLanguage(dorv::CurrentLanguage);
    HistoryKeeper->ApplyLanguage();
    for (QWidget* box : std::initializer_list<QWidget*>{GroupBoxServo, RadioGroupPocPulsu})
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child) ||
                qobject_cast<QRadioButton*>(child))
                child->adjustSize();
}

// The servo values stand in two columns; a long text in some languages would run into the next
// column or out of the window. The four labels share one size, chosen once per language so that
// the widest value the unit can report fits: the size never changes with the values shown.
void TFormHlav::FitServoLabels() {
    constexpr int ColumnGap = 6;
    const int room =
        std::min(LabelServoPoz2->x() - LabelServoPoz1->x(), DesignWidth - LabelServoPoz2->x()) -
        ColumnGap;
    QFont designed = LabelServoPoz1->font();
    designed.setPixelSize(ServoLabelPixelSize);
    const int size = dorv::FittedPixelSize(designed, room, dorv::WidestServoTexts(Messages));
    for (QLabel* label : {LabelServoPoz1, LabelServoMer1, LabelServoPoz2, LabelServoMer2}) {
        dorv::SetPixelSize(label, size);
        dorv::FitLabel(label);
    }
}

void TFormHlav::FitControlsToTexts() {
    // The toolbar's buttons side by side, each at least its designed width; the toolbar and the
    // connection label make room for them.
    int left = DesignedButtonRead.x();
    for (const auto& [button, designed] :
         {std::pair{ButtonRead, DesignedButtonRead}, std::pair{ButtonVerify, DesignedButtonVerify},
          std::pair{ButtonProgram, DesignedButtonProgram}}) {
        left = std::max(left, designed.x());
        button->setGeometry(left, designed.y(),
                            std::max(designed.width(), PushButtonWidthFor(button)),
                            designed.height());
        left = button->geometry().right() + 1 + ToolBarButtonGap;
    }
    GroupBoxToolBar->resize(std::max(DesignedToolBar.width(),
                                     ButtonProgram->geometry().right() + 1 + ToolBarRightMargin),
                            DesignedToolBar.height());
    LabelSpojeni->move(std::max(DesignedLabelSpojeniLeft,
                                GroupBoxToolBar->geometry().right() + 1 + LabelSpojeniGap),
                       LabelSpojeni->y());

    CheckBoxProgHned->resize(
        std::max(DesignedCheckBoxProgHned.width(), CheckBoxProgHned->sizeHint().width()),
        DesignedCheckBoxProgHned.height());
    PlaceStatusLabel();
}

// The transfer line stands left of the progress gauge, or while the gauge is hidden (a print
// heading) left of "Programming after change"; a text too long for its designed place starts
// further left, clear of the throttle gauge.
void TFormHlav::PlaceStatusLabel() {
    const QWidget* next = CGaugeProgram->isHidden() ? static_cast<QWidget*>(CheckBoxProgHned)
                                                    : static_cast<QWidget*>(CGaugeProgram);
    const int room = next->x() - LabelHlaseniGap;
    const int leftmost = CGaugeTps->geometry().right() + 1 + 2 * LabelHlaseniGap;
    const int left =
        std::max(leftmost, std::min(DesignedLabelHlaseniLeft, room - LabelHlaseni->width()));
    if (left != LabelHlaseni->x())
        LabelHlaseni->move(left, LabelHlaseni->y());
}

void TFormHlav::PlaceFileLabel() {
    constexpr int DesignedLeft = 530;
    constexpr int Gap = 6;
    const int left = std::max(DesignedLeft, LabelFile1->geometry().right() + 1 + Gap);
    const int right = LabelPocetProgramovani->x() - Gap;
    LabelFile2->setGeometry(left, LabelFile1->y(), std::max(0, right - left),
                            std::max(LabelFile1->height(), LabelFile2->sizeHint().height()));
}

void TFormHlav::SwitchLanguage(unsigned char language) {
    dorv::CurrentLanguage = language;
    ApplyLanguage();
    FillEditors();
}

void TFormHlav::MenuEnglishClick() {
    SwitchLanguage(1);
}
void TFormHlav::MenuCzechClick() {
    SwitchLanguage(0);
}
void TFormHlav::MenuGermanClick() {
    SwitchLanguage(2);
}

void TFormHlav::MenuContensClick() {
    dorv::MenuContensClick(this, Messages);
}

void TFormHlav::MenuAboutClick() {
    if (!FormAbout) // made on first use: most runs never open it
        FormAbout = new TFormAbout(this);
    FormAbout->exec();
}

void TFormHlav::AdjustAutoSizeLabels(QWidget* parent) {
    for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->property(AutoSizeProperty).toBool())
            dorv::FitLabel(label);
}

// Keeps the menu shortcuts the window's own wherever the focus is: an edit would otherwise take
// Ctrl+Z as its text undo. Also keeps auto-sizing labels fitted to their texts and lets Enter in
// "Programming after change" commit.
bool TFormHlav::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == LabelHlaseni && type == QEvent::Resize) ||
        (watched == CGaugeProgram && (type == QEvent::Show || type == QEvent::Hide))) {
        PlaceStatusLabel();
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
    if (IsMenuShortcut(key))
        return true; // override: left unaccepted, so the menu's shortcut runs; key press: dropped
    if (type == QEvent::KeyPress && watched == CheckBoxProgHned &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        FormKeyPress();
        return true;
    }
    return false;
}

bool TFormHlav::IsMenuShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* item :
         {MenuNew, MenuOpen, MenuSave, MenuPrint, MenuRead, MenuVerify, MenuProgram, MenuToolsMinus,
          MenuToolsPlus, MenuZpet, MenuZnovu, MenuContens, MenuRecord, MenuMarker, MenuOpenLog,
          HistoryKeeper->MenuHistory})
        if (item->shortcut() == pressed)
            return true;
    return false;
}
