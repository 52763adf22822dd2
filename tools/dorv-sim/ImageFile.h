// Loading and saving the simulated unit's image as a raw 400-byte file.
#pragma once

#include "ParameterImage.h"

#include <string>

namespace dorv::sim {

// Reads exactly 400 bytes into image; on failure image is unchanged and error says why.
// .ign parameter files are refused with a clear message.
bool LoadImage(const std::string& path, ParameterImage& image, std::string& error);

// Whether path names a form the simulator writes (not a .ign file).
bool CanSaveTo(const std::string& path, std::string& error);

// Writes the 400 bytes through a temporary file renamed over path.
bool SaveRawImage(const std::string& path, const ParameterImage& image, std::string& error);

} // namespace dorv::sim
