// The simulated unit: answers polls, block writes and block reads, and runs a small engine model.
#include "SimUnit.h"

#include "EditingCommands.h"
#include "EditorValues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dorv::sim {

namespace {

constexpr Byte DecemberCode = 12; // low byte of 'D' + 'e' + 'c'

// A smooth wave between 0 and 1 with the given period, 0 at time 0.
double Wave(double time, double periodSeconds) {
    return (1.0 - std::cos(2.0 * std::numbers::pi * time / periodSeconds)) / 2.0;
}

int MvToSteps(int mv) {
    return std::clamp(mv * 1023 / 5000, 0, 0xFFFF);
}

std::uint16_t Word(double value) {
    return static_cast<std::uint16_t>(std::clamp(std::lround(value), 0L, 0xFFFFL));
}

} // namespace

void WriteIdentityBlock(ParameterImage& image, int formatVersion) {
    auto block = image.Block(0);
    std::fill(block.begin(), block.end(), Byte{0});
    const char name[] = "SIM";
    for (int i = 0; i < 3; ++i)
        image.ProgramNameChar(i) = static_cast<Byte>(name[i]);
    image.ProgramNumber() = 1;
    image.BuildDay() = 10;
    image.BuildMonthCode() = DecemberCode;
    image.BuildYear() = 26;
    image.BuildHour() = 12;
    image.BuildMinute() = 0;
    image.FormatVersion() = static_cast<Byte>(formatVersion);
}

SimUnit::SimUnit(int formatVersion, EngineSettings engine) : engine_(engine) {
    SetDefaultParameters(image_);
    WriteIdentityBlock(image_, formatVersion);
    for (ServoIndex s = 0; s < ServoCount; ++s)
        image_.servo(s).TpEnable() = 1;
    Advance(0.0);
    for (ServoIndex s = 0; s < ServoCount; ++s)
        servoMeasuredMv_[s] = ServoRequiredMv(s);
}

std::optional<Frame> SimUnit::Answer(std::span<const Byte> request) {
    if (!IsFrameValid(request)) {
        ++framesRefused_;
        return std::nullopt;
    }
    const Byte command = request[0];
    if (command == PollCommand) {
        ++pollsAnswered_;
        return EncodeMonitorFrame(Report());
    }
    if ((command & ReplyFlag) != 0 || BlockOfCommand(command) >= BlockCount) {
        ++framesRefused_;
        return std::nullopt;
    }
    if (IsReadCommand(command))
        return AnswerBlockRead(command);
    return AnswerBlockWrite(command, FrameData(request));
}

// Block 0 is the unit's own: a write of it is answered with the unit's block 0. Blocks 1..7 are
// stored and echoed; the write of block 7 ends a programming pass and starts the saving.
Frame SimUnit::AnswerBlockWrite(Byte command, std::span<const Byte, FrameDataSize> data) {
    const int k = BlockOfCommand(command);
    ++blocksWritten_;
    if (k != 0)
        std::copy(data.begin(), data.end(), image_.Block(k).begin());
    if (k == BlockCount - 1) {
        ++programCount_;
        saveCountdown_ = SaveCountdownFullScale;
    }
    return MakeFrame(ReplyByteFor(command), image_.Block(k));
}

Frame SimUnit::AnswerBlockRead(Byte command) {
    ++blocksRead_;
    return MakeFrame(ReplyByteFor(command), image_.Block(BlockOfCommand(command)));
}

void SimUnit::Advance(double seconds) {
    time_ += seconds;
    rpm_ = engine_.Rpm.value_or(static_cast<int>(800 + 5600 * Wave(time_, 24.0)));
    throttlePercent_ = engine_.ThrottlePercent.value_or(static_cast<int>(100 * Wave(time_, 15.0)));
    supplyMv_ = static_cast<int>(13600 + 400 * Wave(time_, 9.0));
    const double follow = 1.0 - std::exp(-seconds / ServoLagSeconds);
    for (ServoIndex s = 0; s < ServoCount; ++s)
        servoMeasuredMv_[s] += (ServoRequiredMv(s) - servoMeasuredMv_[s]) * follow;
    saveCountdown_ = std::max(0.0, saveCountdown_ - seconds * SaveCountdownPerSecond);
}

// The servo follows the cell of its own table at the operating point.
int SimUnit::ServoRequiredMv(ServoIndex s) const {
    const auto servo = image_.servo(s);
    const bool tpEnable = servo.TpEnable() != 0;
    const OperatingCell cell = FindOperatingCell(image_, s, rpm_, throttlePercent_, tpEnable);
    const Byte stored = servo.Cell(cell.Row, cell.Column);
    const bool percent = servo.PercentMode() == 1;
    return percent ? CellShown(stored, true) * 5000 / 100 : CellShown(stored, false);
}

int SimUnit::SaveCountdown() const {
    return static_cast<int>(std::ceil(saveCountdown_));
}

MonitorReport SimUnit::Report() const {
    MonitorReport r;
    r.Rpm = Word(rpm_);
    const int tps0 = Tps0Shown(image_.Tps0());
    const int tps100 = Tps100Shown(image_.Tps100());
    r.TpsSteps = Word(MvToSteps(tps0 + (tps100 - tps0) * throttlePercent_ / 100));
    r.SupplySteps = Word(MvToSteps(supplyMv_ / 11));
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        r.ServoRequiredMv[s] = Word(ServoRequiredMv(s));
        r.ServoMeasuredMv[s] = Word(servoMeasuredMv_[s]);
        r.ServoFlag[s] = image_.servo(s).ServoEnable() != 0 ? 1 : 0;
    }
    r.ProgramCount = Word(programCount_);
    r.TestValues = {Word(time_),
                    Word(pollsAnswered_),
                    Word(blocksWritten_),
                    Word(blocksRead_),
                    Word(framesRefused_),
                    0,
                    0,
                    0};
    r.TpPercent = static_cast<Byte>(throttlePercent_);
    r.SaveCountdown = Word(SaveCountdown());
    r.DataError = 0;
    r.Version = image_.FormatVersion();
    return r;
}

} // namespace dorv::sim
