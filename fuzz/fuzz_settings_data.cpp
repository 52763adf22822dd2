// Fuzz target: the settings data reader, with a write-and-read-back check.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "SettingsData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dorv::ParameterImage image;
    dorv::AllCellsFlags flags{0, 0};
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    const int taken = dorv::ReadSettingsData(in, image, flags);
    if (taken < 0 || taken > dorv::SettingsDataNumbers)
        std::abort();
    std::istringstream again(dorv::SettingsDataText(image, flags), std::ios::binary);
    dorv::ParameterImage reread;
    dorv::AllCellsFlags rereadFlags{0, 0};
    if (dorv::ReadSettingsData(again, reread, rereadFlags) != dorv::SettingsDataNumbers ||
        !(reread == image) || rereadFlags != flags)
        std::abort();
    return 0;
}
