// An edit with its attached up-down as one spin box: locale grouping, click and Enter
// notifications.
#pragma once

#include <QLineEdit>
#include <QSpinBox>

#include "EditorValues.h"

// The value of the spin box is the up-down's position; the text is the edit. A typed text that is
// not a number or lies outside the range never becomes the position.
class TEditUpDown : public QSpinBox {
    Q_OBJECT
public:
    explicit TEditUpDown(QWidget* parent = nullptr);
    // An editor at its place on the parent, with its range: the up-down part carries upDownName,
    // the edit part editName.
    static TEditUpDown* Create(QWidget* parent, const QString& editName, const QString& upDownName,
                               const QRect& at, const dorv::EditorRange& range);

    // Minimum, maximum and increment of the up-down; a held arrow goes on repeating.
    void SetRange(const dorv::EditorRange& range);
    // The position as read now: a number typed into the edit counts when it is a whole number
    // within the range and becomes the position; otherwise the previous position stands.
    int Position();
    void SetPosition(int v);
    // The edit part: carries the edit's name and text.
    QLineEdit* Edit() const { return lineEdit(); }
    // Also holds a whole number beyond the range, as Intermediate, until it is read and refused.
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    // The mouse was clicked into the edit part.
    void EditClicked();
    // An arrow (mouse, arrow key or, with the keyboard focus, wheel) moved the position; a held
    // arrow moves it step by step.
    void ArrowClicked();
    // Enter was pressed in the edit; the key does not travel further.
    void EnterPressed();

protected:
    QString textFromValue(int v) const override;
    void stepBy(int steps) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
