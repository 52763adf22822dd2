// Reading the benchmark process's own memory figures from /proc/self/status.
#pragma once

#include <fstream>
#include <string>

namespace dorv::bench {

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when it cannot be read.
inline long StatusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

} // namespace dorv::bench
