// The settings data file: the whole parameter image and both AllCellsFlag values as numbers.
#pragma once

#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "ParameterImage.h"
#include "TextWords.h"

namespace dorv {

// The "All" check box state of each servo, kept next to the image.
using AllCellsFlags = std::array<Byte, ServoCount>;

inline constexpr int SettingsDataNumbers = ImageSize + ServoCount;

// 400 image bytes ten to a line, an empty line after each block of 50, then the flags line
// without a line end. Line ends are CR LF.
std::string SettingsDataText(const ParameterImage& image, const AllCellsFlags& flags);
void WriteSettingsData(const ParameterImage& image, const AllCellsFlags& flags, std::ostream& out);

// How far a settings data text was read: the numbers taken and, when reading stopped before the
// last number at a word that is not a number, that word (its line included).
struct SettingsDataReading {
    int Taken = 0;
    std::optional<Word> StoppedAt;
};

// As ReadSettingsData, telling also where reading stopped.
SettingsDataReading ReadSettingsDataText(std::istream& in, ParameterImage& image,
                                         AllCellsFlags& flags);

// Reads up to 400 numbers into image bytes 0, 1, 2 ... and then up to two into the flags,
// each keeping its low eight bits. Reading stops at the end of the stream or at the first word
// that is not an unsigned number; what was not reached keeps its value. Returns how many
// numbers were taken (0 to 402).
int ReadSettingsData(std::istream& in, ParameterImage& image, AllCellsFlags& flags);

} // namespace dorv
