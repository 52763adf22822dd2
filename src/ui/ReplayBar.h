// The replay's controls in the status bar: "Replay", play/pause, stop, position and speed.
#pragma once

#include <QWidget>

#include <cstdint>

class QComboBox;
class QLabel;
class QSlider;
class QToolButton;

// The controls are made when the bar is first shown (most runs never play a log); until then the
// members below are null.
class TReplayBar : public QWidget {
    Q_OBJECT
public:
    explicit TReplayBar(QWidget* parent = nullptr);

    QLabel* LabelReplay = nullptr; // the "Replay" sign, white on red
    QToolButton* ButtonReplayPlay = nullptr;
    QToolButton* ButtonReplayStop = nullptr;
    QSlider* SliderReplay = nullptr; // log time in ms from the log's start
    QLabel* LabelReplayTime = nullptr;
    QComboBox* ComboReplaySpeed = nullptr;

    // Shows the position within the log and whether it plays; nothing changes (and nothing
    // repaints) where the shown state is the same.
    void ShowPosition(std::int64_t positionMs, std::int64_t startMs, std::int64_t endMs,
                      bool playing);
    // The replay's word in the current language.
    void SetReplayText(const QString& text);
    // The speed chosen; 1 until the controls are made.
    double ChosenSpeed() const;
    void setVisible(bool visible) override;

signals:
    void PlayPauseClicked();
    void StopClicked();
    void SeekRequested(std::int64_t positionMs);
    void SpeedChosen(double speed);

private:
    void MakeControls();
    void KeepTabPlace();
    QString replayText_;
    bool shownPlaying_ = false;
};
