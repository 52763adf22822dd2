// The settings data file: the whole parameter image and both AllCellsFlag values as numbers.
#include "SettingsData.h"

#include <cstdint>
#include <optional>

namespace dorv {

std::string SettingsDataText(const ParameterImage& image, const AllCellsFlags& flags) {
    std::string text;
    for (int i = 0; i < ImageSize; ++i) {
        text += FiveColumns(image.bytes()[static_cast<std::size_t>(i)]);
        if ((i + 1) % 10 == 0)
            text += "\r\n";
        if ((i + 1) % BlockSize == 0)
            text += "\r\n";
    }
    for (Byte flag : flags)
        text += FiveColumns(flag);
    return text;
}

void WriteSettingsData(const ParameterImage& image, const AllCellsFlags& flags, std::ostream& out) {
    const std::string text = SettingsDataText(image, flags);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

SettingsDataReading ReadSettingsDataText(std::istream& in, ParameterImage& image,
                                         AllCellsFlags& flags) {
    WordReader words(in);
    SettingsDataReading reading;
    for (; reading.Taken < SettingsDataNumbers; ++reading.Taken) {
        const std::optional<Word> word = words.Next();
        if (!word)
            break;
        const std::optional<std::uint32_t> number = ParseUnsignedNumber(*word);
        if (!number) {
            reading.StoppedAt = word;
            break;
        }
        const auto byte = static_cast<Byte>(*number & 0xFFu);
        if (reading.Taken < ImageSize)
            image.bytes()[static_cast<std::size_t>(reading.Taken)] = byte;
        else
            flags[static_cast<std::size_t>(reading.Taken - ImageSize)] = byte;
    }
    return reading;
}

int ReadSettingsData(std::istream& in, ParameterImage& image, AllCellsFlags& flags) {
    return ReadSettingsDataText(in, image, flags).Taken;
}

} // namespace dorv
