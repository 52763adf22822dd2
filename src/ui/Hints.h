// Hints of controls and menu items: the short part as tooltip, the long part on the status bar.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QStatusBar;
class QWidget;

namespace dorv {

// A hint "Short|Long": the short part is the tooltip, the long part the status-bar text.
// A hint without "|" serves as both.
struct HintParts {
    QString Short;
    QString Long;
};

HintParts SplitHint(const QString& hint);

// Replaces the whole hint of a control, menu (its item in the parent menu) or menu item.
void SetHint(QObject* target, const QString& hint);

// The hint line: shows in the status bar "StatusBar1" the long hint of whatever control or menu
// item of the window the pointer is on, and clears it where no hint applies. It watches the
// application's status-tip events, so it also works for a window that is not a QMainWindow.
// A note of the window's own (what a command did) stays NoteHoldMs before hints replace it, so
// moving the pointer away from the control that gave the command does not wipe it at once.
class HintLine : public QObject {
    Q_OBJECT
public:
    HintLine(QWidget* window, QStatusBar* statusBar);

    // Shows note in the hint line; an empty note clears the line and holds nothing.
    void ShowNote(const QString& note);
    int NoteHoldMs = 4000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool BelongsToWindow(const QWidget* widget) const;
    void ShowHint(const QString& hint);

    QPointer<QWidget> Window;
    QPointer<QStatusBar> StatusBar;
    QElapsedTimer noteShown_; // valid while a note is held
};

// Installs the hint line for window (owned by it), once its menu bar exists;
// nullptr when window has no "StatusBar1".
HintLine* InstallHintLine(QWidget* window);

} // namespace dorv
