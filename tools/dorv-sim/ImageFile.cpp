// Raw 400-byte image files of the simulated unit.
#include "ImageFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace dorv::sim {

namespace {

bool IsParameterFile(const std::string& path) {
    return path.size() >= 4 && (path.ends_with(".ign") || path.ends_with(".IGN"));
}

const char* const ParameterFileRefused =
    ": .ign parameter files are not handled by the simulator yet; use a raw 400-byte image";

} // namespace

bool LoadImage(const std::string& path, ParameterImage& image, std::string& error) {
    if (IsParameterFile(path)) {
        error = path + ParameterFileRefused;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened";
        return false;
    }
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

bool CanSaveTo(const std::string& path, std::string& error) {
    if (!IsParameterFile(path))
        return true;
    error = path + ParameterFileRefused;
    return false;
}

bool SaveRawImage(const std::string& path, const ParameterImage& image, std::string& error) {
    if (!CanSaveTo(path, error))
        return false;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
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
