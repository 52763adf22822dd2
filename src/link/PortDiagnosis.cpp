// Device lists, COM mapping, lock files and the diagnosis of a failed open, as plain functions.
#include "PortDiagnosis.h"
#include "ComPort.h"

#include <algorithm>
#include <cctype>

namespace dorv {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string StableNameOf(const std::string& devicePath, const std::vector<ByIdLink>& links) {
    std::string best;
    for (const auto& link : links)
        if (link.Target == devicePath && (best.empty() || link.LinkPath < best))
            best = link.LinkPath;
    return best;
}

std::vector<SerialDevice> WithStableNames(std::vector<SerialDevice> devices,
                                          const std::vector<ByIdLink>& links) {
    for (auto& device : devices)
        if (device.StableName.empty())
            device.StableName = StableNameOf(device.Path, links);
    std::ranges::sort(devices, {}, &SerialDevice::Path);
    return devices;
}

std::optional<SerialDevice> FindPresentDevice(const std::string& name,
                                              const std::vector<SerialDevice>& devices) {
    const std::string wanted = Trimmed(name);
    if (wanted.empty())
        return std::nullopt;
    for (const auto& device : devices)
        if (device.Path == wanted || (!device.StableName.empty() && device.StableName == wanted))
            return device;
    return std::nullopt;
}

std::string StoredNameOf(const SerialDevice& device) {
    return device.StableName.empty() ? device.Path : device.StableName;
}

std::optional<SerialDevice> SingleUsbDevice(const std::vector<SerialDevice>& devices) {
    std::optional<SerialDevice> found;
    for (const auto& device : devices) {
        if (!device.Usb)
            continue;
        if (found)
            return std::nullopt;
        found = device;
    }
    return found;
}

AutoMapDecision DecideAutoMap(const std::optional<std::string>& configuredDevice,
                              const std::vector<SerialDevice>& devices) {
    if (configuredDevice && !Trimmed(*configuredDevice).empty())
        return {};
    if (auto single = SingleUsbDevice(devices))
        return {.What = AutoMapDecision::Action::Map, .Device = *single};
    const auto usb = std::ranges::count_if(devices, &SerialDevice::Usb);
    if (usb > 1)
        return {.What = AutoMapDecision::Action::Several, .Device = {}};
    return {};
}

std::optional<int> PortIndexOfComName(const std::string& text) {
    if (text.size() < 4 || text.size() > 5)
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i])
            return std::nullopt;
    if (!std::all_of(text.begin() + 3, text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }) ||
        text[3] == '0')
        return std::nullopt;
    const int number = std::stoi(text.substr(3));
    if (number < 1 || number > PortIndexMax + 1)
        return std::nullopt;
    return number - 1;
}

ComItemState ComItemStateOf(int portIndex, const std::optional<std::string>& configuredDevice,
                            const std::string& resolvedDevice,
                            const std::vector<SerialDevice>& devices, bool openNow) {
    ComItemState state;
    state.Device = ComDevicePath(portIndex, configuredDevice);
    state.Present = openNow || FindPresentDevice(state.Device, devices).has_value() ||
                    FindPresentDevice(resolvedDevice, devices).has_value();
    return state;
}

std::vector<int> ComIndexesOf(const SerialDevice& device,
                              const std::map<int, std::string>& configured) {
    std::vector<int> indexes;
    for (int k = 0; k <= PortIndexMax; ++k) {
        const auto it = configured.find(k);
        const std::string name = ComDevicePath(
            k, it == configured.end() ? std::nullopt : std::optional<std::string>(it->second));
        if (FindPresentDevice(name, {device}))
            indexes.push_back(k);
    }
    return indexes;
}

std::string LockFileName(const std::string& devicePath) {
    std::string name = "LCK.." + devicePath;
    std::ranges::replace(name.begin() + 5, name.end(), '/', '_');
    return name;
}

const std::vector<std::string>& LockFolders() {
    static const std::vector<std::string> folders = {
        "/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
        "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};
    return folders;
}

std::optional<long> LockHolderPid(const std::string& lockFileText) {
    const std::string firstLine = Trimmed(lockFileText.substr(0, lockFileText.find('\n')));
    if (firstLine.empty() || firstLine.size() > 10 ||
        !std::ranges::all_of(firstLine, [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    const long pid = std::stol(firstLine);
    if (pid <= 0)
        return std::nullopt;
    return pid;
}

bool UserMayReadWrite(const DeviceNodeFacts& node, const UserFacts& user) {
    if (user.Uid == 0)
        return true;
    constexpr unsigned ReadWrite = 06;
    unsigned shift = 0; // the "other" bits
    if (node.OwnerUid == user.Uid)
        shift = 6;
    else if (std::ranges::find(user.Gids, node.GroupGid) != user.Gids.end())
        shift = 3;
    return ((node.Mode >> shift) & ReadWrite) == ReadWrite;
}

std::string AddToGroupCommand(const std::string& group) {
    return "sudo usermod -aG " + group + " $USER";
}

PortDiagnosis DiagnoseOpenFailure(const OpenFailureFacts& facts) {
    PortDiagnosis d;
    if (!facts.Node.Exists || facts.Reported == PortOpenError::NotFound) {
        d.Kind = PortOpenError::NotFound;
        for (const auto& device : facts.Present)
            d.PresentDevices.push_back(device.Path);
        return d;
    }
    const bool heldByOther = facts.LockHolder && facts.LockHolderAlive;
    if (heldByOther || facts.Reported == PortOpenError::Busy) {
        d.Kind = PortOpenError::Busy;
        if (heldByOther) {
            d.HolderPid = facts.LockHolder;
            d.HolderName = facts.LockHolderName;
        }
        return d;
    }
    if (!UserMayReadWrite(facts.Node, facts.User)) {
        d.Kind = PortOpenError::PermissionDenied;
        d.Group = facts.Node.GroupName.empty() ? std::to_string(facts.Node.GroupGid)
                                               : facts.Node.GroupName;
        d.Command = AddToGroupCommand(d.Group);
        return d;
    }
    if (facts.Reported == PortOpenError::PermissionDenied) {
        // The bits allow it: another program holds the device (exclusive mode or a lock).
        d.Kind = PortOpenError::Busy;
        return d;
    }
    d.Kind = PortOpenError::Other;
    d.SystemReason = facts.SystemReason;
    return d;
}

} // namespace dorv
