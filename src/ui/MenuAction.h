// A named menu item with its shortcut, made the same way by every menu of the window.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

namespace dorv {

// Adds an item to the menu; its objectName is name, so tests and the language tables find it.
inline QAction* MakeAction(QMenu* menu, const char* name, const QString& text,
                           const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace dorv
