// The spin button: arrow hit-testing, click on release, auto-repeat, keyboard and painting.
#include "Cspin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TCSpinButton::TCSpinButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    RepeatTimer.setTimerType(Qt::PreciseTimer);
    connect(&RepeatTimer, &QTimer::timeout, this, &TCSpinButton::RepeatTimerTimeout);
}

QRect TCSpinButton::ArrowRect(Arrow arrow) const {
    const int half = height() / 2;
    if (arrow == Arrow::Up) {
        return {0, 0, width(), half};
    }
    return {0, half, width(), height() - half};
}

TCSpinButton::Arrow TCSpinButton::ArrowAt(const QPoint& pos) const {
    if (ArrowRect(Arrow::Up).contains(pos)) {
        return Arrow::Up;
    }
    if (ArrowRect(Arrow::Down).contains(pos)) {
        return Arrow::Down;
    }
    return Arrow::None;
}

void TCSpinButton::Click(Arrow arrow) {
    if (arrow == Arrow::Up) {
        emit OnUpClick(this);
    } else if (arrow == Arrow::Down) {
        emit OnDownClick(this);
    }
}

void TCSpinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Arrow arrow = ArrowAt(event->position().toPoint());
    if (arrow == Arrow::None) {
        return;
    }
    FPressedArrow = arrow;
    FFocusedButton = arrow;
    FPointerOnPressed = true;
    RepeatTimer.start(RepeatDelayMs);
    update();
}

void TCSpinButton::mouseMoveEvent(QMouseEvent* event) {
    if (FPressedArrow == Arrow::None) {
        return;
    }
    const bool on = ArrowAt(event->position().toPoint()) == FPressedArrow;
    if (on != FPointerOnPressed) {
        FPointerOnPressed = on;
        update();
    }
}

void TCSpinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || FPressedArrow == Arrow::None) {
        return;
    }
    RepeatTimer.stop();
    const Arrow pressed = FPressedArrow;
    FPressedArrow = Arrow::None;
    FPointerOnPressed = false;
    update();
    if (ArrowAt(event->position().toPoint()) == pressed) {
        Click(pressed);
    }
}

// A press that can no longer end in a release here must not keep stepping: the control was hidden
// or disabled, or a modal box took the mouse.
void TCSpinButton::CancelPress() {
    RepeatTimer.stop();
    if (FPressedArrow != Arrow::None) {
        FPressedArrow = Arrow::None;
        FPointerOnPressed = false;
        update();
    }
}

bool TCSpinButton::PressCanEnd() const {
    const QWidget* modal = QApplication::activeModalWidget();
    return isVisible() && isEnabled() && (!modal || modal == window());
}

void TCSpinButton::hideEvent(QHideEvent* event) {
    CancelPress();
    QWidget::hideEvent(event);
}

void TCSpinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        CancelPress();
    }
    QWidget::changeEvent(event);
}

// The first repeat comes after the delay, the following ones at the shorter interval; while the
// pointer is off the pressed arrow the timer keeps running but nothing fires.
void TCSpinButton::RepeatTimerTimeout() {
    if (!PressCanEnd()) {
        CancelPress();
        return;
    }
    if (RepeatTimer.interval() != RepeatIntervalMs) {
        RepeatTimer.start(RepeatIntervalMs);
    }
    if (FPressedArrow != Arrow::None && FPointerOnPressed) {
        Click(FPressedArrow);
    }
}

void TCSpinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        Click(Arrow::Up);
        break;
    case Qt::Key_Down:
        Click(Arrow::Down);
        break;
    case Qt::Key_Space:
        Click(FFocusedButton);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TCSpinButton::PaintArrow(QPainter& p, Arrow arrow) const {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = ArrowRect(arrow);
    const bool sunken = FPressedArrow == arrow && FPointerOnPressed;
    button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &p, this);

    QStyleOption indicator;
    indicator.initFrom(this);
    indicator.rect = button.rect.adjusted(3, 2, -3, -2);
    if (sunken) {
        indicator.rect.translate(1, 1);
    }
    const auto primitive =
        arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
    style()->drawPrimitive(primitive, &indicator, &p, this);
}

void TCSpinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintArrow(p, Arrow::Up);
    PaintArrow(p, Arrow::Down);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = ArrowRect(FFocusedButton).adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}
