// What the system tells about serial devices: the present ones, and the facts of a failed open.
#pragma once

#include "ComPort.h"
#include "PortDiagnosis.h"

#include <string>
#include <vector>

namespace dorv {

// The serial devices present now, with their stable /dev/serial/by-id names, sorted by path.
std::vector<SerialDevice> PresentSerialDevices();

// Whether a device node (or the link naming it) is there now; one stat, cheap enough for a
// watch once a second.
bool DeviceNodeExists(const std::string& device);

// Where a device name leads when it is a link; empty when it is none or leads nowhere.
std::string ResolvedDevicePath(const std::string& device);

// The node, user, lock file and present devices of a failed open, as the system tells them.
OpenFailureFacts GatherOpenFailureFacts(const std::string& device, PortOpenError reported,
                                        const std::string& systemReason);

// Fills result.Diagnosis from the system when the open failed.
void DiagnoseComOpen(ComOpenResult& result);

} // namespace dorv
