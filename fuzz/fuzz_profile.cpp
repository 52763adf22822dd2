// Fuzz target: the INI profile text logic: finding, setting and reading integers.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "IniText.h"

namespace {

void CheckKey(std::string_view text, std::string_view section, std::string_view key) {
    if (const auto value = dorv::FindProfileValue(text, section, key))
        (void)dorv::ParseProfileInteger(*value);
    const std::string once = dorv::SetProfileValue(text, section, key, "$7F");
    if (dorv::FindProfileValue(once, section, key) != std::optional<std::string>("$7F") ||
        dorv::ParseProfileInteger("$7F") != 127)
        std::abort();
    if (dorv::SetProfileValue(once, section, key, "$7F") != once)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)dorv::ParseProfileInteger(text);
    CheckKey(text, "FORM_HLAV", "Left");
    CheckKey(text, "IGNITION", "PageControl1->ActivePageIndex");
    return 0;
}
