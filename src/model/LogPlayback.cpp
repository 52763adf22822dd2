// Playing a recorded log back in time: position, pause, seek and speed over its samples.
#include "LogPlayback.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace dorv {

LogPlayback::LogPlayback(std::vector<LogSample> samples) : samples_(std::move(samples)) {
    MoveTo(StartMs());
}

std::int64_t LogPlayback::StartMs() const {
    return samples_.empty() ? 0 : samples_.front().ElapsedMs;
}

std::int64_t LogPlayback::EndMs() const {
    return samples_.empty() ? 0 : samples_.back().ElapsedMs;
}

void LogPlayback::Play() {
    if (samples_.empty())
        return;
    if (AtEnd())
        MoveTo(StartMs());
    playing_ = true;
}

void LogPlayback::SetSpeed(double speed) {
    speed_ = std::clamp(speed, std::begin(ReplaySpeeds)[0], std::end(ReplaySpeeds)[-1]);
}

bool LogPlayback::Seek(std::int64_t positionMs) {
    carryMs_ = 0;
    return MoveTo(positionMs);
}

bool LogPlayback::Advance(std::int64_t realMs) {
    if (!playing_ || samples_.empty() || realMs <= 0)
        return false;
    const double step = static_cast<double>(realMs) * speed_ + carryMs_;
    const double whole = std::floor(step);
    carryMs_ = step - whole;
    const bool moved = MoveTo(positionMs_ + static_cast<std::int64_t>(whole));
    if (AtEnd())
        playing_ = false;
    return moved;
}

bool LogPlayback::MoveTo(std::int64_t positionMs) {
    if (samples_.empty()) {
        positionMs_ = 0;
        current_ = -1;
        return false;
    }
    positionMs_ = std::clamp(positionMs, StartMs(), EndMs());
    // The last sample at or before the position.
    const auto after =
        std::upper_bound(samples_.begin(), samples_.end(), positionMs_,
                         [](std::int64_t ms, const LogSample& s) { return ms < s.ElapsedMs; });
    const int current = static_cast<int>(std::distance(samples_.begin(), after)) - 1;
    const bool moved = current != current_;
    current_ = current;
    return moved;
}

} // namespace dorv
