// The replay's controls in the status bar: "Replay", play/pause, stop, position and speed.
#include "ReplayBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include "LogPlayback.h"

namespace {

constexpr int BarHeight = 17;
constexpr int SliderWidth = 180;
constexpr double DefaultSpeed = 1.0;

// "mm:ss" (or "h:mm:ss" from an hour) of a log time.
QString LogTime(std::int64_t ms) {
    const std::int64_t s = ms / 1000;
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(s / 3600)
            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2")
        .arg(s / 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QToolButton* MakeButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setFixedSize(BarHeight + 4, BarHeight);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TReplayBar::TReplayBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ReplayBar"));
}

void TReplayBar::setVisible(bool visible) {
    if (visible && !LabelReplay)
        MakeControls();
    QWidget::setVisible(visible);
}

void TReplayBar::MakeControls() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    LabelReplay = new QLabel(this);
    LabelReplay->setObjectName(QStringLiteral("LabelReplay"));
    LabelReplay->setAutoFillBackground(true);
    QPalette sign = LabelReplay->palette();
    sign.setColor(QPalette::Window, QColor(255, 0, 0));
    sign.setColor(QPalette::WindowText, Qt::white);
    LabelReplay->setPalette(sign);
    QFont bold = LabelReplay->font();
    bold.setBold(true);
    LabelReplay->setFont(bold);
    LabelReplay->setContentsMargins(6, 0, 6, 0);
    LabelReplay->setText(replayText_);
    layout->addWidget(LabelReplay);

    ButtonReplayPlay = MakeButton(this, "ButtonReplayPlay", QStyle::SP_MediaPause);
    ButtonReplayStop = MakeButton(this, "ButtonReplayStop", QStyle::SP_MediaStop);
    layout->addWidget(ButtonReplayPlay);
    layout->addWidget(ButtonReplayStop);

    SliderReplay = new QSlider(Qt::Horizontal, this);
    SliderReplay->setObjectName(QStringLiteral("SliderReplay"));
    SliderReplay->setFixedWidth(SliderWidth);
    SliderReplay->setFixedHeight(BarHeight);
    layout->addWidget(SliderReplay);

    LabelReplayTime = new QLabel(this);
    LabelReplayTime->setObjectName(QStringLiteral("LabelReplayTime"));
    layout->addWidget(LabelReplayTime);

    ComboReplaySpeed = new QComboBox(this);
    ComboReplaySpeed->setObjectName(QStringLiteral("ComboReplaySpeed"));
    ComboReplaySpeed->setFixedHeight(BarHeight);
    for (double speed : dorv::ReplaySpeeds)
        ComboReplaySpeed->addItem(QStringLiteral("%1×").arg(speed), speed);
    ComboReplaySpeed->setCurrentIndex(ComboReplaySpeed->findData(DefaultSpeed));
    layout->addWidget(ComboReplaySpeed);

    connect(ButtonReplayPlay, &QToolButton::clicked, this, &TReplayBar::PlayPauseClicked);
    connect(ButtonReplayStop, &QToolButton::clicked, this, &TReplayBar::StopClicked);
    // Only a move by the user seeks; ShowPosition moves the slider with its signals blocked.
    connect(SliderReplay, &QSlider::valueChanged, this,
            [this](int value) { emit SeekRequested(value); });
    connect(ComboReplaySpeed, &QComboBox::currentIndexChanged, this,
            [this] { emit SpeedChosen(ChosenSpeed()); });
    KeepTabPlace();
}

// Made after the window's other controls, the controls would come last in its Tab order; they are
// put right after the bar, where they stand when the bar is made whole. (The bar takes no focus;
// it may be an anchor of the order only while it could.)
void TReplayBar::KeepTabPlace() {
    const Qt::FocusPolicy own = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget* previous = this;
    for (QWidget* control : std::initializer_list<QWidget*>{ButtonReplayPlay, ButtonReplayStop,
                                                            SliderReplay, ComboReplaySpeed}) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    setFocusPolicy(own);
}

double TReplayBar::ChosenSpeed() const {
    return ComboReplaySpeed ? ComboReplaySpeed->currentData().toDouble() : DefaultSpeed;
}

void TReplayBar::SetReplayText(const QString& text) {
    replayText_ = text;
    if (LabelReplay)
        LabelReplay->setText(text);
}

void TReplayBar::ShowPosition(std::int64_t positionMs, std::int64_t startMs, std::int64_t endMs,
                              bool playing) {
    if (!SliderReplay)
        MakeControls();
    const QSignalBlocker blocker(SliderReplay);
    if (SliderReplay->minimum() != startMs || SliderReplay->maximum() != endMs)
        SliderReplay->setRange(static_cast<int>(startMs), static_cast<int>(endMs));
    if (!SliderReplay->isSliderDown() && SliderReplay->value() != positionMs)
        SliderReplay->setValue(static_cast<int>(positionMs));
    const QString time = LogTime(positionMs) + QStringLiteral(" / ") + LogTime(endMs);
    if (LabelReplayTime->text() != time)
        LabelReplayTime->setText(time);
    if (playing != shownPlaying_ || ButtonReplayPlay->property("shown").isNull()) {
        shownPlaying_ = playing;
        ButtonReplayPlay->setProperty("shown", true);
        ButtonReplayPlay->setIcon(
            style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    }
}
