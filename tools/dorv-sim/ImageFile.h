// Loading and saving the simulated unit's image: a .ign parameter file or a raw 400-byte file.
#pragma once

#include "ParameterImage.h"

#include <string>

namespace dorv::sim {

// A path ending in .ign is a parameter file; any other path a raw 400-byte image.
bool IsParameterFile(const std::string& path);

// Reads the file into image. A raw file replaces all 400 bytes; a parameter file replaces the
// fields it carries and keeps the rest. On failure image is unchanged and error says why.
bool LoadImage(const std::string& path, ParameterImage& image, std::string& error);

// Writes the image (a parameter file carries only its fields) through a temporary file renamed
// over path, so a reader never sees half a file.
bool SaveImage(const std::string& path, const ParameterImage& image, std::string& error);

} // namespace dorv::sim
