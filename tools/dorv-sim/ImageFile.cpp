// The simulated unit's image files: .ign parameter files and raw 400-byte images.
#include "ImageFile.h"

#include "ParameterFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace dorv::sim {

namespace {

bool LoadRawImage(std::ifstream& in, const std::string& path, ParameterImage& image,
                  std::string& error) {
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() != static_cast<std::size_t>(ImageSize)) {
        error = path + ": holds " + std::to_string(bytes.size()) + " bytes, not " +
                std::to_string(ImageSize);
        return false;
    }
    for (int i = 0; i < ImageSize; ++i)
        image.bytes()[i] = static_cast<Byte>(bytes[i]);
    return true;
}

bool LoadParameterFile(std::ifstream& in, const std::string& path, ParameterImage& image,
                       std::string& error) {
    const ParameterFileResult result = ReadParameterFile(image, in);
    if (!result.Accepted()) {
        error = path + ": not a parameter file of format " + std::to_string(ImageFormatVersion) +
                (result.Detail.empty() ? "" : " (" + result.Detail + ")");
        return false;
    }
    image = result.Image;
    return true;
}

} // namespace

bool IsParameterFile(const std::string& path) {
    return path.ends_with(".ign") || path.ends_with(".IGN");
}

bool LoadImage(const std::string& path, ParameterImage& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened";
        return false;
    }
    return IsParameterFile(path) ? LoadParameterFile(in, path, image, error)
                                 : LoadRawImage(in, path, image, error);
}

bool SaveImage(const std::string& path, const ParameterImage& image, std::string& error) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (IsParameterFile(path))
            WriteParameterFile(image, out);
        else
            out.write(reinterpret_cast<const char*>(image.bytes().data()), ImageSize);
        if (!out.flush()) {
            error = temporary + ": cannot be written";
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = path + ": cannot be replaced";
        return false;
    }
    return true;
}

} // namespace dorv::sim
