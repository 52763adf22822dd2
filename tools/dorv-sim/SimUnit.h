// The simulated unit's logic: its parameter image, engine model, counters and frame answers.
#pragma once

#include "Frame.h"
#include "Monitor.h"
#include "ParameterImage.h"

#include <optional>
#include <span>

namespace dorv::sim {

// Operating point held at fixed values instead of the repeatable path, when given.
struct EngineSettings {
    std::optional<int> Rpm;
    std::optional<int> ThrottlePercent;
};

inline constexpr double SaveCountdownPerSecond = 400.0;
inline constexpr double ServoLagSeconds = 0.3;

class SimUnit {
public:
    explicit SimUnit(int formatVersion = ImageFormatVersion, EngineSettings engine = {});

    ParameterImage& Image() { return image_; }
    const ParameterImage& Image() const { return image_; }

    // The unit's answer to one received frame: nothing for a frame with a bad check byte or
    // a command the unit does not know.
    std::optional<Frame> Answer(std::span<const Byte> request);

    // Moves the engine, the servos and the saving countdown on by seconds.
    void Advance(double seconds);

    // The values a poll is answered with.
    MonitorReport Report() const;

    int ProgramCount() const { return programCount_; }
    int SaveCountdown() const;
    bool IsSaving() const { return saveCountdown_ > 0.0; }

private:
    Frame AnswerBlockWrite(Byte command, std::span<const Byte, FrameDataSize> data);
    Frame AnswerBlockRead(Byte command);
    int ServoRequiredMv(ServoIndex s) const;

    ParameterImage image_;
    EngineSettings engine_;
    double time_ = 0.0;
    int rpm_ = 0;
    int throttlePercent_ = 0;
    int supplyMv_ = 13800;
    std::array<double, ServoCount> servoMeasuredMv_{};
    double saveCountdown_ = 0.0;
    int programCount_ = 12;
    int pollsAnswered_ = 0;
    int blocksWritten_ = 0;
    int blocksRead_ = 0;
    int framesRefused_ = 0;
};

// Puts the simulated program's identity into block 0: name "SIM", number 01, built
// 10 December 2026 at 12:00, with the given format version.
void WriteIdentityBlock(ParameterImage& image, int formatVersion);

} // namespace dorv::sim
