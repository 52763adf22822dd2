// Differences between two parameter sets, named by the key words of the .ign file.
#pragma once

#include "ParameterImage.h"

#include <string>
#include <vector>

namespace dorv::cli {

// One line of the .ign file whose numbers differ: its name ("TPS", "NAP_SERVO1 row 3") and the
// numbers of each side.
struct ParameterDifference {
    std::string Name;
    std::string A;
    std::string B;
    friend bool operator==(const ParameterDifference&, const ParameterDifference&) = default;
};

// The parameters a file carries that differ between a and b, in the order of the file: the lines
// that hold a field CompareImages finds differing. A table written in the other per-cent mode
// differs only where its values do.
std::vector<ParameterDifference> DifferingParameters(const ParameterImage& a,
                                                     const ParameterImage& b);

} // namespace dorv::cli
