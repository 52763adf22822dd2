// The spin button: a pair of arrow buttons, up above down, that fire clicks with auto-repeat.
#pragma once

#include <QTimer>
#include <QWidget>

// Two arrow buttons filling the control. A click fires on release over the arrow; holding an arrow
// fires again 400 ms after the press and then every 100 ms while the pointer stays on it.
class TCSpinButton : public QWidget {
    Q_OBJECT
public:
    enum class Arrow { None, Up, Down };

    static constexpr int RepeatDelayMs = 400;
    static constexpr int RepeatIntervalMs = 100;

    explicit TCSpinButton(QWidget* parent = nullptr);

    // The arrow under a point of the control: the upper half is Up, the lower half Down.
    Arrow ArrowAt(const QPoint& pos) const;
    // The arrow that the space bar clicks: the one last pressed, initially Up.
    Arrow FocusedButton() const { return FFocusedButton; }

    QSize sizeHint() const override { return {20, 25}; }

signals:
    void OnUpClick(TCSpinButton* sender);
    void OnDownClick(TCSpinButton* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Click(Arrow arrow);
    void RepeatTimerTimeout();
    void CancelPress();
    bool PressCanEnd() const;
    QRect ArrowRect(Arrow arrow) const;
    void PaintArrow(QPainter& p, Arrow arrow) const;

    QTimer RepeatTimer;
    Arrow FPressedArrow = Arrow::None;
    bool FPointerOnPressed = false;
    Arrow FFocusedButton = Arrow::Up;
};
