// Fuzz target: the .ign parameter file reader, with a write-and-read-back check of what it accepts.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "ParameterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dorv::ParameterImage current;
    dorv::SetDefaultParameters(current);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    const dorv::ParameterFileResult result = dorv::ReadParameterFile(current, in);
    if (!result.Accepted()) {
        if (!(result.Image == current) || result.Detail.empty())
            std::abort();
        return 0;
    }
    // What was accepted is written and read back to the same file.
    const std::string text = dorv::ParameterFileText(result.Image);
    std::istringstream again(text, std::ios::binary);
    const dorv::ParameterFileResult reread = dorv::ReadParameterFile(result.Image, again);
    if (!reread.Accepted() || dorv::ParameterFileText(reread.Image) != text)
        std::abort();
    return 0;
}
