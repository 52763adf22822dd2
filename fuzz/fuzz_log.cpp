// Fuzz target: the data log reader; whatever it accepts is written again and reads back the same.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "LogFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Half the inputs start with the header, so the fuzzer reaches the sample lines.
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 0 && data[0] % 2 == 0)
        text = dorv::LogHeaderLine() + text.substr(1);
    std::istringstream in(text, std::ios::binary);
    const dorv::LogRead read = dorv::ReadLog(in);
    if ((read.Status == dorv::LogReadStatus::Whole) != (read.Line == 0))
        std::abort();
    if (read.Status == dorv::LogReadStatus::NotALog && !read.Samples.empty())
        std::abort();
    std::string again = dorv::LogHeaderLine();
    for (const dorv::LogSample& s : read.Samples)
        again += dorv::LogLine(s);
    std::istringstream in2(again, std::ios::binary);
    const dorv::LogRead reread = dorv::ReadLog(in2);
    if (reread.Status != dorv::LogReadStatus::Whole || reread.Samples != read.Samples)
        std::abort();
    return 0;
}
