// Playing a recorded log back in time: position, pause, seek and speed over its samples.
#pragma once

#include "LogSample.h"

#include <cstdint>
#include <vector>

namespace dorv {

// The speeds a log plays at, slowest first.
inline constexpr double ReplaySpeeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};

// The clock of a replay. The caller advances it by the real time that passed (one tick); the
// current sample is the last one recorded at or before the replay's position.
class LogPlayback {
public:
    explicit LogPlayback(std::vector<LogSample> samples = {});

    const std::vector<LogSample>& Samples() const { return samples_; }
    bool Empty() const { return samples_.empty(); }
    // Log time of the first and the last sample.
    std::int64_t StartMs() const;
    std::int64_t EndMs() const;
    std::int64_t PositionMs() const { return positionMs_; }
    // Index of the sample shown at the position; -1 when the log is empty.
    int Current() const { return current_; }

    bool Playing() const { return playing_; }
    void Play();
    void Pause() { playing_ = false; }
    double Speed() const { return speed_; }
    // Any speed between the slowest and the fastest of ReplaySpeeds; outside, the nearest of them.
    void SetSpeed(double speed);
    // Moves to a log time (within StartMs..EndMs); true when another sample is now current.
    bool Seek(std::int64_t positionMs);
    // Lets realMs of real time pass at the speed while playing; the replay pauses at the end.
    // True when another sample is now current.
    bool Advance(std::int64_t realMs);
    bool AtEnd() const { return !samples_.empty() && positionMs_ >= EndMs(); }

private:
    bool MoveTo(std::int64_t positionMs);

    std::vector<LogSample> samples_;
    std::int64_t positionMs_ = 0;
    double carryMs_ = 0; // the part of a millisecond that slow speeds leave
    int current_ = -1;
    bool playing_ = false;
    double speed_ = 1.0;
};

} // namespace dorv
