// The toolbar and the menus of the main window: their creation, hints, shortcuts and enabling.
#pragma once

#include <array>

#include "ComPort.h"

class QAction;
class QGroupBox;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
class QWidget;

// The toolbar (file and undo glyphs, Read, Verify, Program) and the menu bar's menus with their
// items, shortcuts and hints; which of them are enabled. The window connects their signals to its
// handlers (TFormHlav::WireEvents); their captions come from the language tables by objectName.
class TWindowCommands {
public:
    // The toolbar at the top of the client area.
    void CreateToolBar(QWidget* client);
    // The menus File, Com, Ignition, Tools (with Table), View, Language and Help.
    void CreateMenus(QMenuBar* bar);
    // Com's items: one per COM number, then Serial devices….
    void CreateComPortItems();
    // Undo and redo, button and menu item alike.
    void ShowUndoState(bool canUndo, bool canRedo);
    // Read, Verify and Program, buttons and menu items alike (off while a log is replayed).
    void SetTransferEnabled(bool enabled);
    // Grows the toolbar's buttons to their captions in the language; what stands to their right
    // moves along, and the toolbar makes room for them.
    void FitToolBar();
    // The key is the shortcut of a window command (which the window keeps its own wherever the
    // focus is).
    bool IsMenuShortcut(const QKeyEvent* event) const;

    // --- Toolbar ---
    QGroupBox* GroupBoxToolBar = nullptr;
    QToolButton* SpeedButtonNew = nullptr;
    QToolButton* SpeedButtonOpen = nullptr;
    QToolButton* SpeedButtonSave = nullptr;
    QToolButton* SpeedButtonPrint = nullptr;
    QToolButton* SpeedButtonZpet = nullptr;
    QToolButton* SpeedButtonZnovu = nullptr;
    QPushButton* ButtonRead = nullptr;
    QPushButton* ButtonVerify = nullptr;
    QPushButton* ButtonProgram = nullptr;

    // --- Menus ---
    QMenu* MenuFile = nullptr;
    QAction* MenuNew = nullptr;
    QAction* MenuOpen = nullptr;
    QAction* MenuSave = nullptr;
    QAction* MenuPrint = nullptr;
    QAction* MenuExit = nullptr;
    QMenu* MenuCom = nullptr;
    std::array<QAction*, dorv::ComPortCount> MenuComPort{};
    QAction* MenuSerialDevices = nullptr; // Com > Serial devices…
    QMenu* MenuDevice = nullptr;
    QAction* MenuRead = nullptr;
    QAction* MenuVerify = nullptr;
    QAction* MenuProgram = nullptr;
    QMenu* MenuTools = nullptr;
    QAction* MenuToolsMinus = nullptr;
    QAction* MenuToolsPlus = nullptr;
    QAction* MenuZpet = nullptr;
    QAction* MenuZnovu = nullptr;
    // Tools > Table: operations on the selected cells of the servo table and the clipboard.
    QMenu* MenuTable = nullptr;
    QAction* MenuTableSet = nullptr;
    QAction* MenuTableAdd = nullptr;
    QAction* MenuTableScale = nullptr;
    QAction* MenuTableInterpolateH = nullptr;
    QAction* MenuTableInterpolateV = nullptr;
    QAction* MenuTableInterpolate2D = nullptr;
    QAction* MenuTableSmooth = nullptr;
    QAction* MenuTableCopy = nullptr;
    QAction* MenuTableCopyHeaders = nullptr;
    QAction* MenuTablePaste = nullptr;
    QAction* MenuTableSelectAll = nullptr;
    QMenu* MenuView = nullptr;
    QAction* MenuViewHeatMap = nullptr; // the servo table as a heat map, kept in DORV.ini
    // The samples of the recording or of the replayed log in each cell, as marks on the table.
    QAction* MenuViewCellVisits = nullptr;
    QMenu* MenuLanguage = nullptr;
    QAction* MenuEnglish = nullptr;
    QAction* MenuCzech = nullptr;
    QAction* MenuGerman = nullptr;
    QMenu* MenuHelp = nullptr;
    QAction* MenuContens = nullptr;
    QAction* MenuAbout = nullptr;
    QMenu* MenuLog = nullptr;
    QAction* MenuRecord = nullptr; // checked while a log is recorded
    QAction* MenuMarker = nullptr;
    QAction* MenuOpenLog = nullptr;
    QAction* MenuChart = nullptr;
    QAction* MenuTableChart = nullptr;

private:
    void CreateTableMenu();
};
