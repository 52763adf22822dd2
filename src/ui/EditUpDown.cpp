// An edit with its attached up-down as one spin box.
#include "EditUpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

TEditUpDown::TEditUpDown(QWidget* parent) : QSpinBox(parent) {
    setLocale(QLocale::system());
    setWrapping(false);
    setAccelerated(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    // The typed text is read as a whole when the position is read, not digit by digit.
    setKeyboardTracking(false);
    // Not the spin box's wheel focus: a wheel turned over an editor neither takes the focus nor,
    // without it, the value (see wheelEvent).
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->installEventFilter(this);
}

TEditUpDown* TEditUpDown::Create(QWidget* parent, const QString& editName,
                                 const QString& upDownName, const QRect& at,
                                 const dorv::EditorRange& range) {
    auto* editor = new TEditUpDown(parent);
    editor->setObjectName(upDownName);
    editor->Edit()->setObjectName(editName);
    editor->SetRange(range);
    editor->setGeometry(at);
    return editor;
}

// Only a range that differs is set: setting one, even the same, ends the auto-repeat of an arrow
// held down, and every step of a held arrow commits and refreshes the ranges.
void TEditUpDown::SetRange(const dorv::EditorRange& range) {
    if (minimum() != range.Min || maximum() != range.Max)
        setRange(range.Min, range.Max);
    if (singleStep() != range.Step)
        setSingleStep(range.Step);
}

int TEditUpDown::Position() {
    QString typed = text();
    int cursor = 0;
    if (validate(typed, cursor) == QValidator::Acceptable && valueFromText(typed) != value())
        setValue(valueFromText(typed));
    return value();
}

void TEditUpDown::SetPosition(int v) {
    setValue(v);
}

// Thousands are grouped as the regional settings write them, whatever the spin box's own setting:
// asking for grouping through that setting would lay the text out once more for every editor made.
QString TEditUpDown::textFromValue(int v) const {
    QLocale regional = locale();
    regional.setNumberOptions(regional.numberOptions() & ~QLocale::OmitGroupSeparator);
    return regional.toString(v);
}

// A whole number beyond the range stays in the edit as typed. The spin box's own check would refuse
// the keystroke that takes it out of range, so "6000" typed into a cell of at most 4980 would be
// read as "600": a value nobody typed. Kept whole, it is refused whole when the position is read,
// and the previous position stands.
QValidator::State TEditUpDown::validate(QString& input, int& pos) const {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid || input.isEmpty())
        return state;
    QString digits = input;
    digits.remove(locale().groupSeparator());
    const bool wholeNumber = !digits.isEmpty() && std::all_of(digits.cbegin(), digits.cend(),
                                                              [](QChar c) { return c.isDigit(); });
    return wholeNumber ? QValidator::Intermediate : QValidator::Invalid;
}

void TEditUpDown::stepBy(int steps) {
    QSpinBox::stepBy(steps);
    emit ArrowClicked();
}

// The wheel steps only the editor that has the keyboard focus. Over any other editor it is left to
// the parents, so scrolling across a table never changes, commits or programs a value.
void TEditUpDown::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}

void TEditUpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit EnterPressed();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

bool TEditUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        lineEdit()->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
        emit EditClicked();
    return QSpinBox::eventFilter(watched, event);
}
