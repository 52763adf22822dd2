// The toolbar and the menus of the main window: their creation, hints, shortcuts and enabling.
#include "WindowCommands.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include <algorithm>

#include "Glyphs.h"
#include "Hints.h"
#include "Jazyk1.h"
#include "MakeControls.h"
#include "MenuAction.h"
#include "PortTexts.h"

using dorv::MakeAction;
using dorv::MakeGlyphButton;
using dorv::MakePushButton;

namespace {

// The designed places of the controls whose texts differ by language. The English texts fit
// them; a longer text grows its control, and what stands to its right moves along.
constexpr QRect DesignedToolBar{3, 0, 462, 43};
constexpr QRect DesignedButtonRead{230, 12, 57, 23};
constexpr QRect DesignedButtonVerify{296, 12, 65, 23};
constexpr QRect DesignedButtonProgram{370, 12, 81, 23};
constexpr int ToolBarButtonGap = 9;
constexpr int ToolBarRightMargin = 11;

// A push button's width for its caption: the text, its frame and a margin on both sides.
int PushButtonWidthFor(const QPushButton* button) {
    constexpr int Margins = 10;
    QString text = button->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return button->fontMetrics().horizontalAdvance(text) + Margins;
}

QAction* MakeTableAction(QMenu* menu, const char* name, const QString& text,
                         const QKeySequence& shortcut = {}) {
    QAction* action = dorv::MakeAction(menu, name, text, shortcut);
    // The keys act while the focus is in the table (the actions are added to it), not in the
    // other editors, whose own keys they would take.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

} // namespace

void TWindowCommands::CreateToolBar(QWidget* client) {
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
}

void TWindowCommands::CreateMenus(QMenuBar* bar) {
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
}

void TWindowCommands::CreateTableMenu() {
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

void TWindowCommands::CreateComPortItems() {
    for (int k = 0; k < dorv::ComPortCount; ++k) {
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

void TWindowCommands::ShowUndoState(bool canUndo, bool canRedo) {
    SpeedButtonZpet->setEnabled(canUndo);
    MenuZpet->setEnabled(canUndo);
    SpeedButtonZnovu->setEnabled(canRedo);
    MenuZnovu->setEnabled(canRedo);
}

void TWindowCommands::SetTransferEnabled(bool enabled) {
    for (QAction* item : {MenuRead, MenuVerify, MenuProgram})
        item->setEnabled(enabled);
    for (QPushButton* button : {ButtonRead, ButtonVerify, ButtonProgram})
        button->setEnabled(enabled);
}

// The toolbar's buttons side by side, each at least its designed width; the toolbar makes room
// for them.
void TWindowCommands::FitToolBar() {
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
}

bool TWindowCommands::IsMenuShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* item :
         {MenuNew, MenuOpen, MenuSave, MenuPrint, MenuRead, MenuVerify, MenuProgram, MenuToolsMinus,
          MenuToolsPlus, MenuZpet, MenuZnovu, MenuContens, MenuRecord, MenuMarker, MenuOpenLog})
        if (item->shortcut() == pressed)
            return true;
    return false;
}
