// Tests of the device list, the COM mapping, lock files and the diagnosis of a failed open.
#include "ComPort.h"
#include "PortDiagnosis.h"

#include <QTest>

using namespace dorv;

Q_DECLARE_METATYPE(dorv::PortOpenError)
Q_DECLARE_METATYPE(dorv::DeviceNodeFacts)
Q_DECLARE_METATYPE(dorv::UserFacts)
Q_DECLARE_METATYPE(dorv::SerialDevice)
Q_DECLARE_METATYPE(std::vector<dorv::SerialDevice>)
Q_DECLARE_METATYPE(std::optional<long>)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const std::string ById = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0";

SerialDevice Usb(const std::string& path, const std::string& stable = {}) {
    return {.Path = path,
            .StableName = stable,
            .Description = "USB serial",
            .Manufacturer = "FTDI",
            .SerialNumber = "A12345",
            .Usb = true};
}
SerialDevice Builtin(const std::string& path) {
    return {.Path = path,
            .StableName = {},
            .Description = {},
            .Manufacturer = {},
            .SerialNumber = {},
            .Usb = false};
}

// crw-rw---- root:dialout, as a USB adapter's node comes.
DeviceNodeFacts DialoutNode(unsigned mode = 0660) {
    return {.Exists = true, .Mode = mode, .OwnerUid = 0, .GroupGid = 20, .GroupName = "dialout"};
}

} // namespace

class TestPorts : public QObject {
    Q_OBJECT

private slots:
    void stableNames();
    void findPresentDevice_data();
    void findPresentDevice();
    void singleUsbDevice_data();
    void singleUsbDevice();
    void autoMap_data();
    void autoMap();
    void comNames_data();
    void comNames();
    void comItems();
    void comIndexesOfDevice();
    void lockFiles_data();
    void lockFiles();
    void userMayReadWrite_data();
    void userMayReadWrite();
    void diagnosis_data();
    void diagnosis();
};

void TestPorts::stableNames() {
    const std::vector<ByIdLink> links = {
        {ById, "/dev/ttyUSB0"},
        {"/dev/serial/by-id/usb-Prolific-if00", "/dev/ttyUSB1"},
        {"/dev/serial/by-id/a-second-name", "/dev/ttyUSB1"},
    };
    const auto devices =
        WithStableNames({Usb("/dev/ttyUSB1"), Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0")}, links);
    QCOMPARE(devices.size(), std::size_t(3));
    QCOMPARE(devices[0].Path, std::string("/dev/ttyS0"));
    QCOMPARE(devices[0].StableName, std::string());
    QCOMPARE(devices[1].StableName, ById);
    // Two links to one device: the first by name, so the choice never changes between runs.
    QCOMPARE(devices[2].StableName, std::string("/dev/serial/by-id/a-second-name"));
    QCOMPARE(StoredNameOf(devices[1]), ById);
    QCOMPARE(StoredNameOf(devices[0]), std::string("/dev/ttyS0"));
}

void TestPorts::findPresentDevice_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");
    QTest::newRow("path") << "/dev/ttyUSB0"
                          << "/dev/ttyUSB0";
    QTest::newRow("stable name") << QString::fromStdString(ById) << "/dev/ttyUSB0";
    QTest::newRow("blanks around") << QString::fromStdString("  " + ById + " ") << "/dev/ttyUSB0";
    QTest::newRow("built-in port") << "/dev/ttyS0"
                                   << "/dev/ttyS0";
    QTest::newRow("gone adapter") << "/dev/ttyUSB3"
                                  << "";
    QTest::newRow("stale by-id") << "/dev/serial/by-id/usb-other-if00"
                                 << "";
    QTest::newRow("blank") << "  "
                           << "";
}

void TestPorts::findPresentDevice() {
    QFETCH(QString, name);
    QFETCH(QString, found);
    const std::vector<SerialDevice> devices = {Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0", ById)};
    const auto device = FindPresentDevice(name.toStdString(), devices);
    QCOMPARE(device ? QString::fromStdString(device->Path) : QString(), found);
}

void TestPorts::singleUsbDevice_data() {
    QTest::addColumn<std::vector<SerialDevice>>("devices");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("none") << std::vector<SerialDevice>{} << "";
    QTest::newRow("built-in only") << std::vector<SerialDevice>{Builtin("/dev/ttyS0")} << "";
    QTest::newRow("one adapter beside built-in ports")
        << std::vector<SerialDevice>{Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0", ById),
                                     Builtin("/dev/ttyS1")}
        << "/dev/ttyUSB0";
    QTest::newRow("two adapters") << std::vector<SerialDevice>{Usb("/dev/ttyUSB0"),
                                                               Usb("/dev/ttyACM0")}
                                  << "";
}

void TestPorts::singleUsbDevice() {
    QFETCH(std::vector<SerialDevice>, devices);
    QFETCH(QString, chosen);
    const auto device = SingleUsbDevice(devices);
    QCOMPARE(device ? QString::fromStdString(device->Path) : QString(), chosen);
}

void TestPorts::autoMap_data() {
    QTest::addColumn<QString>("configured"); // "-" for no [PORTS] entry
    QTest::addColumn<std::vector<SerialDevice>>("devices");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("mapped");
    using A = AutoMapDecision::Action;
    const std::vector<SerialDevice> one = {Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0", ById)};
    const std::vector<SerialDevice> two = {Usb("/dev/ttyUSB0", ById), Usb("/dev/ttyACM0")};
    QTest::newRow("no entry, one adapter") << "-" << one << int(A::Map) << "/dev/ttyUSB0";
    QTest::newRow("blank entry, one adapter") << " " << one << int(A::Map) << "/dev/ttyUSB0";
    QTest::newRow("entry kept") << "/dev/ttyS3" << one << int(A::None) << "";
    QTest::newRow("no entry, two adapters") << "-" << two << int(A::Several) << "";
    QTest::newRow("no entry, no adapter")
        << "-" << std::vector<SerialDevice>{Builtin("/dev/ttyS0")} << int(A::None) << "";
}

void TestPorts::autoMap() {
    QFETCH(QString, configured);
    QFETCH(std::vector<SerialDevice>, devices);
    QFETCH(int, action);
    QFETCH(QString, mapped);
    const auto entry =
        configured == "-" ? std::nullopt : std::optional<std::string>(configured.toStdString());
    const AutoMapDecision d = DecideAutoMap(entry, devices);
    QCOMPARE(int(d.What), action);
    QCOMPARE(QString::fromStdString(d.Device.Path), mapped);
}

void TestPorts::comNames_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("index");
    QTest::newRow("COM1") << "COM1" << std::optional<int>(0);
    QTest::newRow("com3") << "com3" << std::optional<int>(2);
    QTest::newRow("COM21") << "COM21" << std::optional<int>(20);
    QTest::newRow("COM22") << "COM22" << std::optional<int>();
    QTest::newRow("COM0") << "COM0" << std::optional<int>();
    QTest::newRow("COM01") << "COM01" << std::optional<int>();
    QTest::newRow("COM") << "COM" << std::optional<int>();
    QTest::newRow("COM1x") << "COM1x" << std::optional<int>();
    QTest::newRow("device path") << "/dev/ttyUSB0" << std::optional<int>();
}

void TestPorts::comNames() {
    QFETCH(QString, text);
    QFETCH(std::optional<int>, index);
    QCOMPARE(PortIndexOfComName(text.toStdString()), index);
}

void TestPorts::comItems() {
    const std::vector<SerialDevice> devices = {Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0", ById)};
    const auto com1 = ComItemStateOf(0, std::nullopt, "", devices);
    QCOMPARE(com1.Device, std::string("/dev/ttyS0"));
    QVERIFY(com1.Present);
    const auto com2 = ComItemStateOf(1, std::nullopt, "", devices);
    QCOMPARE(com2.Device, std::string("/dev/ttyS1"));
    QVERIFY(!com2.Present);
    const auto com3 = ComItemStateOf(2, ById, "/dev/ttyUSB0", devices);
    QCOMPARE(com3.Device, ById);
    QVERIFY(com3.Present);
    QVERIFY(!ComItemStateOf(2, ById, "", {Builtin("/dev/ttyS0")}).Present);
    // A name of another kind (by-path, a link of one's own) counts by where it leads.
    const auto byPath =
        ComItemStateOf(3, "/dev/serial/by-path/pci-0:1.0-port0", "/dev/ttyUSB0", devices);
    QCOMPARE(byPath.Device, std::string("/dev/serial/by-path/pci-0:1.0-port0"));
    QVERIFY(byPath.Present);
    QVERIFY(!ComItemStateOf(3, "/dev/serial/by-path/pci-0:1.0-port0", "", devices).Present);
    // The port open now is there, listed or not (a pseudo-terminal is not).
    QVERIFY(ComItemStateOf(0, "/tmp/ttyDORV", "/dev/pts/3", devices, true).Present);
    QVERIFY(!ComItemStateOf(0, "/tmp/ttyDORV", "/dev/pts/3", devices, false).Present);
}

void TestPorts::comIndexesOfDevice() {
    const std::map<int, std::string> configured = {
        {2, ById}, {4, "/dev/ttyUSB0"}, {0, "/dev/ttyUSB9"}, {6, " "}};
    QCOMPARE(ComIndexesOf(Usb("/dev/ttyUSB0", ById), configured), (std::vector<int>{2, 4}));
    // Unmapped COM numbers stand for the built-in ports; a blank value too.
    QCOMPARE(ComIndexesOf(Builtin("/dev/ttyS6"), configured), (std::vector<int>{6}));
    QCOMPARE(ComIndexesOf(Builtin("/dev/ttyS0"), configured), (std::vector<int>{}));
}

void TestPorts::lockFiles_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<long>>("pid");
    QTest::newRow("lock file of a running tool") << "4711\ndorv\nworkshop-pc\n"
                                                 << std::optional<long>(4711);
    QTest::newRow("padded, as uucp style locks") << "      815\n" << std::optional<long>(815);
    QTest::newRow("pid alone, no line end") << "42" << std::optional<long>(42);
    QTest::newRow("empty") << "" << std::optional<long>();
    QTest::newRow("not a number") << "dorv\n4711\n" << std::optional<long>();
    QTest::newRow("negative") << "-1\n" << std::optional<long>();
    QTest::newRow("zero") << "0\n" << std::optional<long>();
    QTest::newRow("too long") << "123456789012345\n" << std::optional<long>();
}

void TestPorts::lockFiles() {
    QFETCH(QString, text);
    QFETCH(std::optional<long>, pid);
    QCOMPARE(LockHolderPid(text.toStdString()), pid);
    QCOMPARE(LockFileName("/dev/ttyUSB0"), std::string("LCK.._dev_ttyUSB0"));
    QCOMPARE(LockFileName(ById),
             std::string("LCK.._dev_serial_by-id_usb-FTDI_FT232R_USB_UART_A12345-if00-port0"));
    QCOMPARE(LockFolders().front(), std::string("/var/lock"));
}

void TestPorts::userMayReadWrite_data() {
    QTest::addColumn<DeviceNodeFacts>("node");
    QTest::addColumn<UserFacts>("user");
    QTest::addColumn<bool>("may");
    const UserFacts inDialout{.Uid = 1000, .Gids = {1000, 20}};
    const UserFacts outside{.Uid = 1000, .Gids = {1000, 27}};
    QTest::newRow("member of the group") << DialoutNode() << inDialout << true;
    QTest::newRow("not a member") << DialoutNode() << outside << false;
    QTest::newRow("root") << DialoutNode(0600) << UserFacts{.Uid = 0, .Gids = {0}} << true;
    QTest::newRow("owner") << DeviceNodeFacts{.Exists = true,
                                              .Mode = 0620,
                                              .OwnerUid = 1000,
                                              .GroupGid = 5,
                                              .GroupName = "tty"}
                           << outside << true;
    QTest::newRow("group may only read") << DialoutNode(0640) << inDialout << false;
    QTest::newRow("open to all") << DialoutNode(0666) << outside << true;
    QTest::newRow("owner bits refuse, other bits allow") << DeviceNodeFacts{.Exists = true,
                                                                            .Mode = 0066,
                                                                            .OwnerUid = 1000,
                                                                            .GroupGid = 20,
                                                                            .GroupName = "dialout"}
                                                         << inDialout << false;
}

void TestPorts::userMayReadWrite() {
    QFETCH(DeviceNodeFacts, node);
    QFETCH(UserFacts, user);
    QFETCH(bool, may);
    QCOMPARE(UserMayReadWrite(node, user), may);
}

void TestPorts::diagnosis_data() {
    QTest::addColumn<PortOpenError>("reported");
    QTest::addColumn<DeviceNodeFacts>("node");
    QTest::addColumn<UserFacts>("user");
    QTest::addColumn<std::optional<long>>("lockHolder");
    QTest::addColumn<bool>("holderAlive");
    QTest::addColumn<PortOpenError>("kind");
    QTest::addColumn<QString>("detail");
    const UserFacts member{.Uid = 1000, .Gids = {1000, 20}};
    const UserFacts outsider{.Uid = 1000, .Gids = {1000}};
    const UserFacts root{.Uid = 0, .Gids = {0}};
    const std::optional<long> none;
    QTest::newRow("missing node") << PortOpenError::NotFound << DeviceNodeFacts{} << member << none
                                  << false << PortOpenError::NotFound << "/dev/ttyS0 /dev/ttyUSB0";
    QTest::newRow("node gone between list and open")
        << PortOpenError::Other << DeviceNodeFacts{} << member << none << false
        << PortOpenError::NotFound << "/dev/ttyS0 /dev/ttyUSB0";
    QTest::newRow("user outside the group")
        << PortOpenError::PermissionDenied << DialoutNode() << outsider << none << false
        << PortOpenError::PermissionDenied << "dialout|sudo usermod -aG dialout $USER";
    QTest::newRow("group without a name")
        << PortOpenError::PermissionDenied
        << DeviceNodeFacts{.Exists = true,
                           .Mode = 0660,
                           .OwnerUid = 0,
                           .GroupGid = 986,
                           .GroupName = {}}
        << outsider << none << false << PortOpenError::PermissionDenied
        << "986|sudo usermod -aG 986 $USER";
    // The port layer calls a held lock file a permission error, even for root.
    QTest::newRow("lock held by a running tool, root")
        << PortOpenError::PermissionDenied << DialoutNode() << root << std::optional<long>(4711)
        << true << PortOpenError::Busy << "4711";
    QTest::newRow("lock held, user outside the group")
        << PortOpenError::PermissionDenied << DialoutNode() << outsider << std::optional<long>(4711)
        << true << PortOpenError::Busy << "4711";
    QTest::newRow("lock of a dead process, member")
        << PortOpenError::PermissionDenied << DialoutNode() << member << std::optional<long>(4711)
        << false << PortOpenError::Busy << "";
    QTest::newRow("exclusive use, no lock file") << PortOpenError::Busy << DialoutNode() << member
                                                 << none << false << PortOpenError::Busy << "";
    QTest::newRow("system's own reason")
        << PortOpenError::Other << DialoutNode() << member << none << false << PortOpenError::Other
        << "Inappropriate ioctl for device";
}

void TestPorts::diagnosis() {
    QFETCH(PortOpenError, reported);
    QFETCH(DeviceNodeFacts, node);
    QFETCH(UserFacts, user);
    QFETCH(std::optional<long>, lockHolder);
    QFETCH(bool, holderAlive);
    QFETCH(PortOpenError, kind);
    QFETCH(QString, detail);
    OpenFailureFacts facts{.Device = "/dev/ttyUSB0",
                           .Reported = reported,
                           .SystemReason = "Inappropriate ioctl for device",
                           .Node = node,
                           .User = user,
                           .LockHolder = lockHolder,
                           .LockHolderAlive = holderAlive,
                           .LockHolderName = holderAlive ? "dorv" : "",
                           .Present = {Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0", ById)}};
    const PortDiagnosis d = DiagnoseOpenFailure(facts);
    QCOMPARE(d.Kind, kind);
    switch (kind) {
    case PortOpenError::NotFound: {
        QStringList present;
        for (const auto& p : d.PresentDevices)
            present << QString::fromStdString(p);
        QCOMPARE(present.join(' '), detail);
        break;
    }
    case PortOpenError::PermissionDenied:
        QCOMPARE(QString::fromStdString(d.Group + "|" + d.Command), detail);
        break;
    case PortOpenError::Busy:
        QCOMPARE(d.HolderPid ? QString::number(*d.HolderPid) : QString(), detail);
        QCOMPARE(d.HolderName, std::string(d.HolderPid ? "dorv" : ""));
        break;
    case PortOpenError::Other:
    case PortOpenError::None:
        QCOMPARE(QString::fromStdString(d.SystemReason), detail);
        break;
    }
}

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
