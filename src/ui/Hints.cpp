// Hints of controls and menu items: the short part as tooltip, the long part on the status bar.
#include "Hints.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace dorv {

HintParts SplitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        return {hint, hint};
    }
    return {hint.left(bar), hint.mid(bar + 1)};
}

void SetHint(QObject* target, const QString& hint) {
    const HintParts parts = SplitHint(hint);
    if (auto* menu = qobject_cast<QMenu*>(target)) {
        target = menu->menuAction();
    }
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(parts.Short);
        action->setStatusTip(parts.Long);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(parts.Short);
        widget->setStatusTip(parts.Long);
    }
}

// Menu items in popups send status tips of their own; the items of a menu bar only signal that
// they are highlighted, by mouse or keyboard.
HintLine::HintLine(QWidget* window, QStatusBar* statusBar)
    : QObject(window), Window(window), StatusBar(statusBar) {
    qApp->installEventFilter(this);
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        connect(bar, &QMenuBar::hovered, this,
                [this](QAction* action) { ShowHint(action->statusTip()); });
    }
}

void HintLine::ShowNote(const QString& note) {
    noteShown_.invalidate();
    ShowHint(note);
    if (!note.isEmpty()) {
        noteShown_.start();
    }
}

void HintLine::ShowHint(const QString& hint) {
    if (noteShown_.isValid() && !noteShown_.hasExpired(NoteHoldMs)) {
        return;
    }
    noteShown_.invalidate();
    if (StatusBar && StatusBar->currentMessage() != hint) {
        StatusBar->showMessage(hint);
    }
}

// Menus pop up in windows of their own; their parent chain still leads to the main window.
bool HintLine::BelongsToWindow(const QWidget* widget) const {
    for (; widget; widget = widget->parentWidget()) {
        if (widget == Window) {
            return true;
        }
    }
    return false;
}

bool HintLine::eventFilter(QObject* watched, QEvent* event) {
    const bool statusTip = event->type() == QEvent::StatusTip;
    const bool leftMenuBar = event->type() == QEvent::Leave && qobject_cast<QMenuBar*>(watched);
    if ((!statusTip && !leftMenuBar) || !BelongsToWindow(qobject_cast<QWidget*>(watched))) {
        return false;
    }
    if (leftMenuBar) {
        ShowHint({});
        return false;
    }
    ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
}

HintLine* InstallHintLine(QWidget* window) {
    auto* statusBar = window->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    if (!statusBar) {
        return nullptr;
    }
    return new HintLine(window, statusBar);
}

} // namespace dorv
