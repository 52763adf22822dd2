// One sample of a data log: the live values of one monitor frame and each servo's operating cell.
#pragma once

#include "EditingCommands.h"

#include <array>
#include <cstdint>
#include <string>

namespace dorv {

struct LogSample {
    std::string LocalTime;      // "yyyy-MM-dd hh:mm:ss.zzz", local time of the frame
    std::int64_t ElapsedMs = 0; // since the log started
    int Rpm = 0;
    int TpPercent = 0; // above 100 means a sensor error, as the unit sends it
    int TpMv = 0;
    int SupplyMv = 0;
    std::array<int, ServoCount> ServoDesiredMv{};
    std::array<int, ServoCount> ServoMeasuredMv{};
    std::array<OperatingCell, ServoCount> Cell{};
    int Marker = 0; // 0: none; else the marker's number
    friend bool operator==(const LogSample&, const LogSample&) = default;
};

// How many samples fell into each table cell of each servo (row * RpmColumns + column), from a
// recording as it goes or from a replayed log; what a cell-visit mark on the table would show.
struct CellVisits {
    std::array<std::array<int, TableCells>, ServoCount> Count{};
    void Add(const LogSample& sample) {
        for (int s = 0; s < ServoCount; ++s)
            ++Count[s][sample.Cell[s].Index()];
    }
    int At(ServoIndex s, OperatingCell cell) const { return Count[s][cell.Index()]; }
    // The count of the servo's most visited cell; 0 before any sample.
    int Most(ServoIndex s) const {
        int most = 0;
        for (int count : Count[s])
            most = count > most ? count : most;
        return most;
    }
};

} // namespace dorv
