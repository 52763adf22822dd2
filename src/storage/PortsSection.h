// The [PORTS] section of DORV.ini: which device each COM name stands for.
#pragma once

#include <optional>
#include <string>

namespace dorv {

// The device DORV.ini's [PORTS] gives for comName ("COM3"); nothing when there is no entry or
// it is empty.
std::optional<std::string> ConfiguredPortDevice(const std::string& comName);

// Stores device as comName's entry of [PORTS]; false when DORV.ini could not be written.
bool StorePortDevice(const std::string& comName, const std::string& device);

} // namespace dorv
