// Serial devices and why a port failed to open: plain functions over facts the adapter gathers.
#pragma once

#include "SerialPort.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dorv {

// A serial device present on the system.
struct SerialDevice {
    std::string Path;         // /dev/ttyUSB0
    std::string StableName;   // /dev/serial/by-id/usb-... when there is one, else empty
    std::string Description;  // as the system names the device
    std::string Manufacturer; // maker
    std::string SerialNumber;
    bool Usb = false; // a USB adapter (it has a vendor id)
    friend bool operator==(const SerialDevice&, const SerialDevice&) = default;
};

// One entry of /dev/serial/by-id: the link's path and the device it resolves to.
struct ByIdLink {
    std::string LinkPath;
    std::string Target;
};

// The stable name of device: the by-id link that resolves to it; empty when none does.
std::string StableNameOf(const std::string& devicePath, const std::vector<ByIdLink>& links);

// The device list with stable names filled in from links, sorted by path.
std::vector<SerialDevice> WithStableNames(std::vector<SerialDevice> devices,
                                          const std::vector<ByIdLink>& links);

// The present device that a configured name stands for: its path, its stable name, or a link
// that resolves to it. Nothing when the name stands for no present device.
std::optional<SerialDevice> FindPresentDevice(const std::string& name,
                                              const std::vector<SerialDevice>& devices);

// The name to store in [PORTS] for a device: its stable name when it has one, else its path.
std::string StoredNameOf(const SerialDevice& device);

// The one USB serial device, when exactly one is present; nothing with none or several.
std::optional<SerialDevice> SingleUsbDevice(const std::vector<SerialDevice>& devices);

// What start-up does for a COM number without a [PORTS] entry: map the one USB device, or, with
// several, map none and point the user to the device list.
struct AutoMapDecision {
    enum class Action { None, Map, Several };
    Action What = Action::None;
    SerialDevice Device; // Map: the device to map
};
AutoMapDecision DecideAutoMap(const std::optional<std::string>& configuredDevice,
                              const std::vector<SerialDevice>& devices);

// "COMn" or "comn" with n in 1..PortIndexMax+1: its PortIndex (n - 1); nothing otherwise.
std::optional<int> PortIndexOfComName(const std::string& text);

// What a Com menu item shows: the device the COM number maps to and whether it is present.
struct ComItemState {
    std::string Device; // the mapped name ([PORTS] value or /dev/ttyS<n-1>)
    bool Present = false;
};
// resolvedDevice: where the mapped name leads when it is a link (empty when it is none).
// openNow: the item's device is the port open now (present even when the system lists it not,
// as a pseudo-terminal).
ComItemState ComItemStateOf(int portIndex, const std::optional<std::string>& configuredDevice,
                            const std::string& resolvedDevice,
                            const std::vector<SerialDevice>& devices, bool openNow = false);

// The COM numbers (PortIndex) that [PORTS] maps to the device, by path or stable name.
// configured: PortIndex -> [PORTS] value.
std::vector<int> ComIndexesOf(const SerialDevice& device,
                              const std::map<int, std::string>& configured);

// Qt's lock file name of a device: "LCK.." and the device path with each '/' as '_'.
std::string LockFileName(const std::string& devicePath);

// The folders, in order, where a lock file of a serial device may lie.
const std::vector<std::string>& LockFolders();

// The pid a lock file names on its first line; nothing when it names none.
std::optional<long> LockHolderPid(const std::string& lockFileText);

// The device's node as stat() and the user database tell it.
struct DeviceNodeFacts {
    bool Exists = false;
    unsigned Mode = 0; // permission bits
    unsigned OwnerUid = 0;
    unsigned GroupGid = 0;
    std::string GroupName; // empty when the group has no name
};

// The user that runs the tool.
struct UserFacts {
    unsigned Uid = 0;
    std::vector<unsigned> Gids; // effective and supplementary groups
};

// Everything known about a failed open.
struct OpenFailureFacts {
    std::string Device;
    PortOpenError Reported = PortOpenError::Other; // what the port layer said
    std::string SystemReason;                      // the port layer's own text
    DeviceNodeFacts Node;
    UserFacts User;
    std::optional<long> LockHolder;    // the pid the lock file names
    bool LockHolderAlive = false;      // whether that process runs
    std::string LockHolderName;        // its program name, when known
    std::vector<SerialDevice> Present; // the devices present now
};

// Whether the user may read and write the node by its permission bits (root always may).
bool UserMayReadWrite(const DeviceNodeFacts& node, const UserFacts& user);

// The real cause of a failed open, with what the user needs to act on it.
struct PortDiagnosis {
    PortOpenError Kind = PortOpenError::Other;
    std::vector<std::string> PresentDevices; // NotFound: the devices that are there
    std::string Group;                       // PermissionDenied: the device's group
    std::string Command;                     // PermissionDenied: adds the user to it
    std::optional<long> HolderPid;           // Busy: the process holding the device
    std::string HolderName;                  // Busy: its program name, when known
    std::string SystemReason;                // Other: the system's own words
    friend bool operator==(const PortDiagnosis&, const PortDiagnosis&) = default;
};

// A missing node is NotFound; a live lock holder is Busy; a node the user's permission bits
// refuse is PermissionDenied; a permission error on a node the user may use is Busy (another
// program holds it or its lock); otherwise what the port layer reported.
PortDiagnosis DiagnoseOpenFailure(const OpenFailureFacts& facts);

// The command that adds the user to group: "sudo usermod -aG <group> $USER".
std::string AddToGroupCommand(const std::string& group);

} // namespace dorv
