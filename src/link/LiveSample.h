// A monitor frame as a data-log sample, and a recorded sample as the monitor values it stands for.
#pragma once

#include "LogSample.h"
#include "Monitor.h"
#include "ParameterImage.h"

#include <string>

namespace dorv {

// The sample of one accepted monitor frame: its live values and the operating cell of each servo
// in image (each servo's own TpEnable), at elapsedMs since the log started.
LogSample LogSampleOf(const MonitorValues& values, const ParameterImage& image,
                      std::int64_t elapsedMs, std::string localTime);

// The monitor values a recorded sample stands for, decoded as a frame from the unit would be:
// the log keeps no programming count, test values, servo flags or version, so these read as a
// unit of this tool's version with both servos in order and nothing else to report.
MonitorValues MonitorValuesOf(const LogSample& sample);

} // namespace dorv
