// Serial devices from QSerialPortInfo and /dev/serial/by-id; stat, groups and lock files.
#include "PortSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace dorv {

namespace {

constexpr const char* ByIdFolder = "/dev/serial/by-id";

std::vector<ByIdLink> ByIdLinks() {
    std::vector<ByIdLink> links;
    const QDir folder(QString::fromLatin1(ByIdFolder));
    for (const QFileInfo& entry : folder.entryInfoList(QDir::System | QDir::Files)) {
        if (!entry.isSymLink())
            continue;
        links.push_back(
            {entry.absoluteFilePath().toStdString(), entry.canonicalFilePath().toStdString()});
    }
    return links;
}

DeviceNodeFacts NodeFacts(const std::string& device) {
    DeviceNodeFacts node;
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return node;
    node.Exists = true;
    node.Mode = st.st_mode & 07777;
    node.OwnerUid = st.st_uid;
    node.GroupGid = st.st_gid;
    if (const group* g = ::getgrgid(st.st_gid))
        node.GroupName = g->gr_name;
    return node;
}

UserFacts CurrentUser() {
    UserFacts user;
    user.Uid = ::geteuid();
    user.Gids.push_back(::getegid());
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, groups.data());
        for (int i = 0; i < got; ++i)
            user.Gids.push_back(groups[static_cast<std::size_t>(i)]);
    }
    return user;
}

// The first lock file there is for the device as named and as its link resolves.
std::optional<long> LockHolderOf(const std::string& device) {
    std::vector<std::string> names = {LockFileName(device)};
    const QString canonical = QFileInfo(QString::fromStdString(device)).canonicalFilePath();
    if (!canonical.isEmpty() && canonical.toStdString() != device)
        names.push_back(LockFileName(canonical.toStdString()));
    for (const auto& folder : LockFolders())
        for (const auto& name : names) {
            QFile file(QString::fromStdString(folder + "/" + name));
            if (file.open(QIODevice::ReadOnly))
                if (auto pid = LockHolderPid(file.read(64).toStdString()))
                    return pid;
        }
    return std::nullopt;
}

bool ProcessAlive(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string ProcessName(long pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return comm.readLine(64).trimmed().toStdString();
}

} // namespace

std::vector<SerialDevice> PresentSerialDevices() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.Path = info.systemLocation().toStdString();
        device.Description = info.description().toStdString();
        device.Manufacturer = info.manufacturer().toStdString();
        device.SerialNumber = info.serialNumber().toStdString();
        device.Usb = info.hasVendorIdentifier();
        devices.push_back(std::move(device));
    }
    return WithStableNames(std::move(devices), ByIdLinks());
}

bool DeviceNodeExists(const std::string& device) {
    struct stat st {};
    return ::stat(device.c_str(), &st) == 0;
}

std::string ResolvedDevicePath(const std::string& device) {
    const QFileInfo info(QString::fromStdString(device));
    if (!info.isSymLink())
        return {};
    return info.canonicalFilePath().toStdString();
}

OpenFailureFacts GatherOpenFailureFacts(const std::string& device, PortOpenError reported,
                                        const std::string& systemReason) {
    OpenFailureFacts facts;
    facts.Device = device;
    facts.Reported = reported;
    facts.SystemReason = systemReason;
    facts.Node = NodeFacts(device);
    facts.User = CurrentUser();
    facts.LockHolder = LockHolderOf(device);
    if (facts.LockHolder && *facts.LockHolder != ::getpid()) {
        facts.LockHolderAlive = ProcessAlive(*facts.LockHolder);
        facts.LockHolderName = ProcessName(*facts.LockHolder);
    }
    if (!facts.Node.Exists)
        facts.Present = PresentSerialDevices();
    return facts;
}

void DiagnoseComOpen(ComOpenResult& result) {
    if (result.Opened)
        return;
    result.Diagnosis = DiagnoseOpenFailure(
        GatherOpenFailureFacts(result.Device, result.Error, result.SystemReason));
}

} // namespace dorv
