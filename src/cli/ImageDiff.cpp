// Differences between two parameter sets, by the lines of their .ign texts.
#include "ImageDiff.h"

#include "CompareImages.h"
#include "ParameterFile.h"

#include <set>
#include <sstream>

namespace dorv::cli {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Collapsed(const std::string& numbers) {
    std::istringstream in(numbers);
    std::string result;
    for (std::string word; in >> word;)
        result += (result.empty() ? "" : " ") + word;
    return result;
}

// The name of the .ign line a field is written on, as DifferingParameters names lines.
std::string LineNameOf(const ImageDifference& d) {
    const std::string servo = std::to_string(d.Servo + 1);
    switch (d.Field) {
    case ImageField::Tps0:
    case ImageField::Tps100:
        return "TPS";
    case ImageField::Pulses:
        return "POCET_PULSU";
    case ImageField::RpmPoint:
        return "RPM_SERVO" + servo;
    case ImageField::Cell:
        return "NAP_SERVO" + servo + " row " + std::to_string(d.Row + 1);
    case ImageField::ServoEnable:
    case ImageField::TpEnable:
    case ImageField::PercentMode:
    case ImageField::HysteresisMv:
    case ImageField::HysteresisRpm:
        break;
    }
    return "SERVO_" + servo;
}

} // namespace

// Which lines differ is the comparison's (CompareImages); the lines give the names and numbers.
std::vector<ParameterDifference> DifferingParameters(const ParameterImage& a,
                                                     const ParameterImage& b) {
    std::set<std::string> differing;
    for (const ImageDifference& d : CompareImages(a, b).Differences)
        differing.insert(LineNameOf(d));
    const auto linesA = Lines(ParameterFileText(a));
    const auto linesB = Lines(ParameterFileText(b));
    std::vector<ParameterDifference> differences;
    std::string key;
    int row = 0;
    for (std::size_t i = 0; i < linesA.size() && i < linesB.size(); ++i) {
        const std::string& la = linesA[i];
        const std::string& lb = linesB[i];
        if (Collapsed(la).empty())
            continue;
        std::string name;
        std::size_t numbersAt = 0;
        if (la[0] != ' ') {
            numbersAt = la.find(' ');
            key = la.substr(0, numbersAt);
            row = 0;
            name = key;
        } else {
            ++row;
            name = key + " row " + std::to_string(row + 1);
        }
        if (key.starts_with("NAP_SERVO") && la[0] != ' ')
            name = key + " row 1";
        const std::string numbersA =
            Collapsed(numbersAt == std::string::npos ? "" : la.substr(numbersAt));
        const std::string numbersB = Collapsed(lb.substr(std::min(numbersAt, lb.size())));
        if (differing.contains(name))
            differences.push_back({name, numbersA, numbersB});
    }
    return differences;
}

} // namespace dorv::cli
