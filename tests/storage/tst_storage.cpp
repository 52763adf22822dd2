// Tests of the parameter file, settings data, test marker, profile layer and configuration folder.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ConfigFolder.h"
#include "IniText.h"
#include "ParameterFile.h"
#include "Profile.h"
#include "Settings.h"
#include "SettingsData.h"
#include "StorageFiles.h"
#include "TestMarker.h"

using namespace dorv;

using ImageChange = std::function<void(ParameterImage&)>;
Q_DECLARE_METATYPE(ImageChange)
Q_DECLARE_METATYPE(ParameterFileStatus)

namespace {

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(DORV_FIXTURE_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The image whose parameter file is tests/data/known.ign.
ParameterImage KnownImage() {
    ParameterImage image;
    for (int i = 0; i < ImageSize; ++i)
        image.bytes()[i] = static_cast<Byte>(i * 7 + 3); // every byte differs from its neighbours
    image.PulsesMode() = 2;
    image.Tps0() = 48;
    image.Tps100() = 255;
    const auto setServo = [&](ServoIndex s, std::array<Byte, 5> fields) {
        auto servo = image.servo(s);
        servo.ServoEnable() = fields[0], servo.TpEnable() = fields[1];
        servo.PercentMode() = fields[2];
        servo.HysteresisMv() = fields[3], servo.HysteresisRpm() = fields[4];
    };
    setServo(0, {1, 2, 1, 40, 255});
    setServo(1, {0, 0, 0, 0, 20});
    auto s1 = image.servo(0);
    auto s2 = image.servo(1);
    for (int k = 0; k < RpmColumns; ++k) {
        s1.RpmPoints(k) = static_cast<Byte>(DefaultRpmPoints[k]);
        s2.RpmPoints(k) = static_cast<Byte>(17 * k);
        for (int r = 0; r < ThrottleRows; ++r) {
            s1.Cell(r, k) = static_cast<Byte>(10 * r + k);
            s2.Cell(r, k) = static_cast<Byte>((5 * (15 * r + k)) % 256);
        }
    }
    return image;
}

// `target` with every field that a parameter file carries taken from `source`.
ParameterImage WithCarriedFields(ParameterImage target, const ParameterImage& source) {
    target.PulsesMode() = source.PulsesMode();
    target.Tps0() = source.Tps0();
    target.Tps100() = source.Tps100();
    for (ServoIndex s = 0; s < ServoCount; ++s) {
        auto to = target.servo(s);
        const auto from = source.servo(s);
        to.ServoEnable() = from.ServoEnable();
        to.TpEnable() = from.TpEnable();
        to.PercentMode() = from.PercentMode();
        to.HysteresisMv() = from.HysteresisMv();
        to.HysteresisRpm() = from.HysteresisRpm();
        for (int k = 0; k < RpmColumns; ++k)
            to.RpmPoints(k) = from.RpmPoints(k);
        for (int i = 0; i < TableCells; ++i)
            to.CellAt(i) = from.CellAt(i);
    }
    return target;
}

ParameterFileResult ReadText(const ParameterImage& current, const std::string& text) {
    std::istringstream in(text, std::ios::binary);
    return ReadParameterFile(current, in);
}

std::string Repeated(const std::string& number, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += number + " ";
    return text;
}

ParameterImage BaseImage() {
    ParameterImage image;
    SetDefaultParameters(image);
    return image;
}

// Runs a write as an ordinary user, since a root process may write into any folder.
// Returns whether the write reported success, or nothing when rights cannot be dropped here.
std::optional<bool> WriteSucceedsUnprivileged(const std::function<bool()>& write) {
    if (geteuid() != 0)
        return write();
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        _exit(dropped ? (write() ? 0 : 1) : 2);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void writerMatchesFixture();
    void heatMapInItsOwnSection();
    void everyCarriedFieldRoundTrips_data();
    void everyCarriedFieldRoundTrips();
    void readerCases_data();
    void readerCases();
    void refusalNamesLineAndKeyWord();

    void settingsDataMatchesFixtureAndReadsBack();
    void settingsDataShortOrMalformed_data();
    void settingsDataShortOrMalformed();
    void damagedSettingsDataKeepsCopy_data();
    void damagedSettingsDataKeepsCopy();
    void unreadableSettingsDataIsNotReplaced();
    void configFolderCheck_data();
    void configFolderCheck();
    void configFolderLock_data();
    void configFolderLock();
    void testMarker_data();
    void testMarker();

    void findProfileValue_data();
    void findProfileValue();
    void profileInteger_data();
    void profileInteger();
    void writingOneKeyKeepsEveryOtherLine_data();
    void writingOneKeyKeepsEveryOtherLine();

    void profileFileReadsAndWrites();
    void settingsRoundTripAndNewFileOrder();
    void settingsLoadConversions();
    void configFolder();
    void parameterAndSettingsFilesOnDisk();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestStorage::writerMatchesFixture() {
    const QByteArray expected = Fixture("known.ign");
    QCOMPARE(QByteArray::fromStdString(ParameterFileText(KnownImage())), expected);
    std::ostringstream out(std::ios::binary);
    out << std::left; // the caller's stream settings must not matter
    WriteParameterFile(KnownImage(), out);
    QCOMPARE(QByteArray::fromStdString(out.str()), expected);

    // Reading the fixture gives back every carried field; the switch byte 2 comes back as 1.
    ParameterImage expectedImage = WithCarriedFields(BaseImage(), KnownImage());
    expectedImage.servo(0).TpEnable() = 1;
    const ParameterFileResult result = ReadText(BaseImage(), expected.toStdString());
    QVERIFY(result.Accepted());
    QVERIFY(result.Image == expectedImage);
}

void TestStorage::everyCarriedFieldRoundTrips_data() {
    QTest::addColumn<int>("percent1");
    QTest::addColumn<int>("percent2");
    QTest::newRow("servo 1 per cent, servo 2 millivolts") << 1 << 0;
    QTest::newRow("servo 1 millivolts, servo 2 per cent") << 0 << 1;
    QTest::newRow("both millivolts") << 0 << 0;
    QTest::newRow("both per cent") << 1 << 1;
}

void TestStorage::everyCarriedFieldRoundTrips() {
    QFETCH(int, percent1);
    QFETCH(int, percent2);
    std::mt19937 random(percent1 * 2 + percent2);
    const auto randomImage = [&] {
        ParameterImage image;
        for (Byte& b : image.bytes())
            b = static_cast<Byte>(random());
        return image;
    };
    // Each byte value once in every field that holds bytes, then random images.
    for (int round = 0; round < 256 + 50; ++round) {
        ParameterImage source = randomImage();
        if (round < 256) {
            const auto value = static_cast<Byte>(round);
            source = WithCarriedFields(source, [&] {
                ParameterImage same;
                same.bytes().fill(value);
                return same;
            }());
        }
        for (ServoIndex s = 0; s < ServoCount; ++s) {
            auto servo = source.servo(s);
            servo.PercentMode() = static_cast<Byte>(s == 0 ? percent1 : percent2);
            servo.ServoEnable() = random() % 2;
            servo.TpEnable() = random() % 2;
        }
        // The base holds the opposite modes, so a table divided by the old mode would show.
        ParameterImage base = randomImage();
        base.servo(0).PercentMode() = static_cast<Byte>(1 - percent1);
        base.servo(1).PercentMode() = static_cast<Byte>(1 - percent2);
        const ParameterFileResult result = ReadText(base, ParameterFileText(source));
        QVERIFY(result.Accepted());
        if (!(result.Image == WithCarriedFields(base, source)))
            QFAIL(qPrintable(QStringLiteral("round %1 differs").arg(round)));
    }
}

void TestStorage::readerCases_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<ImageChange>("setup");
    QTest::addColumn<ParameterFileStatus>("status");
    QTest::addColumn<ImageChange>("expect");
    const ImageChange none = [](ParameterImage&) {};
    const auto row = [&](const char* name, const std::string& text, ParameterFileStatus status,
                         ImageChange expect, ImageChange setup = nullptr) {
        QTest::newRow(name) << QByteArray::fromStdString(text) << (setup ? setup : none) << status
                            << expect;
    };
    using enum ParameterFileStatus;
    const std::string key = "KORVALEX_KEY    56 \r\n";

    row("key 57 then 56",
        "POCET_PULSU 2 KORVALEX_KEY 57 POCET_PULSU 2\r\nKORVALEX_KEY 56\r\nTPS 300 3000", Accepted,
        [](ParameterImage& i) { i.Tps0() = 30, i.Tps100() = 50; });
    row("lower-case key word", "korvalex_key 56\r\nPOCET_PULSU 2", WrongKey, none);
    row("key number not 56", "KORVALEX_KEY 55 POCET_PULSU 2", WrongKey, none);
    row("empty file", "", Empty, none);
    row("blanks only", " \r\n\t \r\n", Empty, none);
    row("binary bytes", std::string("\0\xff\x01KORVALEX_KEY\x00 56", 20), WrongKey, none);
    row("lower-case TPS passed over", key + "tps 300 3000 POCET_PULSU 2", Accepted,
        [](ParameterImage& i) { i.PulsesMode() = 2; });
    row("Tps100 2500", key + "TPS 100 2500", Accepted,
        [](ParameterImage& i) { i.Tps0() = 10, i.Tps100() = 0; });
    row("Tps100 5050", key + "TPS 2500 5050", Accepted,
        [](ParameterImage& i) { i.Tps0() = 250, i.Tps100() = 255; });
    row("Tps100 2000", key + "TPS 0 2000", Accepted,
        [](ParameterImage& i) { i.Tps0() = 0, i.Tps100() = 206; });
    row("RPM 1050 truncated", key + "RPM_SERVO2 1050 " + Repeated("1199", 14), Accepted,
        [](ParameterImage& i) {
            i.servo(1).RpmPoints(0) = 10;
            for (int k = 1; k < RpmColumns; ++k)
                i.servo(1).RpmPoints(k) = 11;
        });
    row("cell 1010 in millivolt mode", key + "NAP_SERVO1 1010 " + Repeated("0", 149), Accepted,
        [](ParameterImage& i) {
            for (int n = 0; n < TableCells; ++n)
                i.servo(0).CellAt(n) = n == 0 ? 50 : 0;
        });
    const auto cellsOfServo1 = [](Byte value) {
        return [value](ParameterImage& i) {
            for (int n = 0; n < TableCells; ++n)
                i.servo(0).CellAt(n) = value;
        };
    };
    row("NAP_SERVO1 before SERVO_1: divided by the old millivolt mode",
        key + "NAP_SERVO1 " + Repeated("40", 150) + "SERVO_1 1 1 1 200 100", Accepted,
        [&](ParameterImage& i) {
            cellsOfServo1(2)(i);
            i.servo(0).TpEnable() = 1, i.servo(0).PercentMode() = 1;
        });
    row(
        "NAP_SERVO1 before SERVO_1: divided by the old per-cent mode",
        key + "NAP_SERVO1 " + Repeated("40", 150) + "SERVO_1 1 1 0 200 100", Accepted,
        [&](ParameterImage& i) {
            cellsOfServo1(40)(i);
            i.servo(0).TpEnable() = 1, i.servo(0).PercentMode() = 0;
        },
        [](ParameterImage& i) { i.servo(0).PercentMode() = 1; });
    row("SERVO_1 then NAP_SERVO1: divided by the new mode",
        key + "SERVO_1 1 0 1 200 100 NAP_SERVO1 " + Repeated("40", 150), Accepted,
        [&](ParameterImage& i) {
            cellsOfServo1(40)(i);
            i.servo(0).PercentMode() = 1;
        });
    row("key line only", key, NoParameters, none);
    row("key line and words that are no key word", key + "NOTHING 12 here\r\n", NoParameters, none);
    row("switch kept as read, low 16 bits", key + "SERVO_2 2 65537 0 65541 10", Accepted,
        [](ParameterImage& i) {
            auto s = i.servo(1);
            s.ServoEnable() = 2, s.TpEnable() = 1, s.PercentMode() = 0;
            s.HysteresisMv() = 1, s.HysteresisRpm() = 2;
        });
    row("key number by its low 16 bits", "KORVALEX_KEY 65592 POCET_PULSU 0", Accepted,
        [](ParameterImage& i) { i.PulsesMode() = 0; });
    row("a word after the key word is a word of its own",
        "KORVALEX_KEY KORVALEX_KEY 56 POCET_PULSU 0", Accepted,
        [](ParameterImage& i) { i.PulsesMode() = 0; });
    row("second key line and stray numbers passed over", key + "7 KORVALEX_KEY 57 POCET_PULSU 0 12",
        Accepted, [](ParameterImage& i) { i.PulsesMode() = 0; });
    row("tabs and LF line ends", "KORVALEX_KEY\t56\nPOCET_PULSU\n\t0\n", Accepted,
        [](ParameterImage& i) { i.PulsesMode() = 0; });
    std::string longWords(200000, 'A'); // appended, not added: GCC 12 warns on the sum
    longWords.append(" ").append(key).append(300, '7').append(" KORVALEX_KEY");
    longWords.append(1000, 'X').append(" POCET_PULSU 0");
    row("very long words passed over", longWords, Accepted,
        [](ParameterImage& i) { i.PulsesMode() = 0; });

    // Numbers missing or malformed after an accepted key line refuse the whole file.
    row("malformed number", key + "POCET_PULSU 2 TPS 300 abc", BadContent, none);
    row("number with a suffix", key + "POCET_PULSU 2 TPS 300 3000x", BadContent, none);
    row("file ends inside the numbers", key + "POCET_PULSU 2 RPM_SERVO1 100 200", BadContent, none);
    row("key word where a number belongs", key + "TPS 300 POCET_PULSU 2", BadContent, none);
    row("number above 32 bits", key + "POCET_PULSU 4294967296", BadContent, none);
    row("signed number", key + "POCET_PULSU -1", BadContent, none);
    row("number longer than a word", key + "POCET_PULSU " + std::string(400, '0') + "1", BadContent,
        none);
}

void TestStorage::readerCases() {
    QFETCH(QByteArray, text);
    QFETCH(ImageChange, setup);
    QFETCH(ParameterFileStatus, status);
    QFETCH(ImageChange, expect);
    ParameterImage current = BaseImage();
    setup(current);
    ParameterImage expected = current;
    expect(expected);
    const ParameterFileResult result = ReadText(current, text.toStdString());
    QCOMPARE(result.Status, status);
    QCOMPARE(result.Detail.empty(), status == ParameterFileStatus::Accepted);
    QCOMPARE(result.Refusal.Kind == ParameterFileRefusal::None,
             status == ParameterFileStatus::Accepted);
    QCOMPARE(result.Refusal.Kind == ParameterFileRefusal::Empty,
             status == ParameterFileStatus::Empty);
    QCOMPARE(result.Refusal.Kind == ParameterFileRefusal::NoKeyLine,
             status == ParameterFileStatus::WrongKey);
    QVERIFY(result.Image == expected);
}

void TestStorage::refusalNamesLineAndKeyWord() {
    const ParameterImage current = BaseImage();
    const ParameterFileResult notNumber =
        ReadText(current, "KORVALEX_KEY 56\r\n\r\nTPS 300\r\n  abc");
    QCOMPARE(notNumber.Detail,
             std::string("Line 4: \"abc\" is not a number (TPS on line 3 needs 2 numbers)."));
    QCOMPARE(notNumber.Refusal.Kind, ParameterFileRefusal::NotANumber);
    QCOMPARE(notNumber.Refusal.KeyWord, std::string("TPS"));
    QCOMPARE(notNumber.Refusal.KeyWordLine, 3);
    QCOMPARE(notNumber.Refusal.NumberCount, 2);
    QCOMPARE(notNumber.Refusal.FoundWord, std::string("\"abc\""));
    QCOMPARE(notNumber.Refusal.FoundLine, 4);
    const ParameterFileResult ends = ReadText(current, "KORVALEX_KEY 56\nRPM_SERVO2 1 2");
    QCOMPARE(
        ends.Detail,
        std::string("The file ends inside the numbers of RPM_SERVO2 on line 2 needs 15 numbers."));
    QCOMPARE(ends.Refusal.Kind, ParameterFileRefusal::EndsInNumbers);
    QCOMPARE(ends.Refusal.KeyWord, std::string("RPM_SERVO2"));
    QCOMPARE(ends.Refusal.KeyWordLine, 2);
    QCOMPARE(ends.Refusal.NumberCount, 15);
}

void TestStorage::settingsDataMatchesFixtureAndReadsBack() {
    ParameterImage image;
    for (int i = 0; i < ImageSize; ++i)
        image.bytes()[i] = static_cast<Byte>(3 * i);
    const AllCellsFlags flags{1, 255};
    const QByteArray expected = Fixture("settings_data.txt");
    QCOMPARE(QByteArray::fromStdString(SettingsDataText(image, flags)), expected);
    std::ostringstream out(std::ios::binary);
    WriteSettingsData(image, flags, out);
    QCOMPARE(QByteArray::fromStdString(out.str()), expected);

    ParameterImage read;
    AllCellsFlags readFlags{0, 0};
    std::istringstream in(expected.toStdString());
    QCOMPARE(ReadSettingsData(in, read, readFlags), SettingsDataNumbers);
    QVERIFY(read == image);
    QCOMPARE(readFlags, flags);
}

void TestStorage::settingsDataShortOrMalformed_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QList<int>>("leading"); // expected leading bytes, then the flags
    QTest::newRow("empty") << QByteArray() << 0 << QList<int>{};
    QTest::newRow("three numbers") << QByteArray("1 2\n3") << 3 << QList<int>{1, 2, 3};
    QTest::newRow("low eight bits") << QByteArray("300 256 255") << 3 << QList<int>{44, 0, 255};
    QTest::newRow("malformed number stops") << QByteArray("1 2 x3 4") << 2 << QList<int>{1, 2};
    QTest::newRow("negative number stops") << QByteArray("1 -2 3") << 1 << QList<int>{1};
    QTest::newRow("number above 32 bits stops")
        << QByteArray("5 4294967296 6") << 1 << QList<int>{5};
    QTest::newRow("very long word stops")
        << QByteArray("9 ") + QByteArray(100000, '1') << 1 << QList<int>{9};
}

void TestStorage::settingsDataShortOrMalformed() {
    QFETCH(QByteArray, text);
    QFETCH(int, taken);
    QFETCH(QList<int>, leading);
    ParameterImage image;
    image.bytes().fill(0xAA);
    AllCellsFlags flags{7, 8};
    std::istringstream in(text.toStdString());
    QCOMPARE(ReadSettingsData(in, image, flags), taken);
    for (int i = 0; i < ImageSize; ++i)
        QCOMPARE(int(image.bytes()[i]), i < leading.size() ? leading[i] : 0xAA);
    QCOMPARE(flags, (AllCellsFlags{7, 8}));

    // 401 numbers reach the first flag only; numbers after the 402nd are left alone.
    std::istringstream longer(Repeated("4", 401));
    QCOMPARE(ReadSettingsData(longer, image, flags), ImageSize + 1);
    QCOMPARE(flags, (AllCellsFlags{4, 8}));
    std::istringstream longest(Repeated("5", 402) + "6 7");
    QCOMPARE(ReadSettingsData(longest, image, flags), SettingsDataNumbers);
    QCOMPARE(flags, (AllCellsFlags{5, 5}));
}

void TestStorage::damagedSettingsDataKeepsCopy_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("damage");
    QTest::addColumn<int>("taken");
    const QByteArray whole = Fixture("settings_data.txt");
    QByteArray badLetter = whole;
    const int at = badLetter.indexOf("  1", 55) + 2; // a digit about 60 bytes in
    badLetter[at] = 'O';
    QTest::newRow("a letter for a digit") << badLetter << int(SettingsDataDamage::BadWord)
                                          << int(whole.left(at).simplified().split(' ').size());
    QByteArray binary(3000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 37) % 256);
    QTest::newRow("binary") << binary << int(SettingsDataDamage::BadWord) << 0;
    QTest::newRow("too few numbers") << QByteArray::fromStdString(Repeated("7", 100))
                                     << int(SettingsDataDamage::TooFewNumbers) << 100;
    QTest::newRow("over the limit, numbers whole")
        << whole + QByteArray(1100 * 1024, ' ') + "junk" << int(SettingsDataDamage::None)
        << SettingsDataNumbers;
    QTest::newRow("over the limit, numbers cut")
        << QByteArray::fromStdString(Repeated("7", 300)) + QByteArray(1100 * 1024, ' ') + "1"
        << int(SettingsDataDamage::TooLarge) << 300;
}

// A damaged file loads the numbers before the damage and keeps the rest at their defaults; a
// copy of it, byte for byte, is kept beside it before anything may replace it.
void TestStorage::damagedSettingsDataKeepsCopy() {
    QFETCH(QByteArray, contents);
    QFETCH(int, damage);
    QFETCH(int, taken);
    QTemporaryDir dir;
    const QString data = dir.filePath("_DORV.ini");
    PutFile(data, contents);
    ParameterImage image = BaseImage();
    AllCellsFlags flags{9, 9};
    const SettingsDataLoad load = LoadSettingsData(data, image, flags);
    QCOMPARE(int(load.Damage), damage);
    QCOMPARE(load.NumbersTaken, taken);
    // What was read before the damage is what the file says; the rest keeps its defaults.
    ParameterImage readable = BaseImage();
    AllCellsFlags readableFlags{9, 9};
    std::istringstream in(contents.toStdString());
    ReadSettingsData(in, readable, readableFlags);
    for (int i = 0; i < ImageSize; ++i)
        QCOMPARE(image.bytes()[i], i < taken ? readable.bytes()[i] : BaseImage().bytes()[i]);
    QCOMPARE(FileBytes(data), contents);
    if (load.Damaged()) {
        QVERIFY(load.MayReplace());
        QCOMPARE(QFileInfo(load.CopyPath).absolutePath(), QFileInfo(data).absolutePath());
        QVERIFY2(QFileInfo(load.CopyPath).fileName().startsWith("_DORV.ini.damaged-"),
                 qPrintable(load.CopyPath));
        QCOMPARE(FileBytes(load.CopyPath), contents);
        if (load.Damage == SettingsDataDamage::BadWord && taken > 0) {
            QCOMPARE(load.BadWordLine, int(contents.left(contents.indexOf('O')).count('\n')) + 1);
            QVERIFY2(QByteArray::fromStdString(load.BadWord).contains('O'), load.BadWord.c_str());
        }
    } else {
        QVERIFY(load.CopyPath.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"_DORV.ini"});
    }
    // A second damaged start keeps a second copy instead of overwriting the first.
    if (load.Damaged()) {
        ParameterImage again = BaseImage();
        const SettingsDataLoad second = LoadSettingsData(data, again, flags);
        QVERIFY(!second.CopyPath.isEmpty() && second.CopyPath != load.CopyPath);
        QCOMPARE(FileBytes(second.CopyPath), contents);
    }
}

// A settings data path that cannot be read (a folder stands there) keeps no copy, and so may not
// be replaced.
void TestStorage::unreadableSettingsDataIsNotReplaced() {
    QTemporaryDir dir;
    const QString data = dir.filePath("_DORV.ini");
    QVERIFY(QDir().mkpath(data));
    ParameterImage image = BaseImage();
    AllCellsFlags flags{0, 0};
    const SettingsDataLoad load = LoadSettingsData(data, image, flags);
    QCOMPARE(load.Damage, SettingsDataDamage::Unreadable);
    QVERIFY(load.CopyPath.isEmpty());
    QVERIFY(!load.MayReplace());
    QVERIFY(image == BaseImage());
}

void TestStorage::configFolderCheck_data() {
    QTest::addColumn<QString>("setup");  // what stands in the base folder
    QTest::addColumn<QString>("folder"); // the configuration folder, under the base folder
    QTest::addColumn<int>("trouble");
    QTest::addColumn<QString>("troublePath"); // under the base folder
    QTest::newRow("not made yet") << ""
                                  << "cfg/DORV" << int(ConfigTrouble::None) << "";
    QTest::newRow("there with its files") << "dir:DORV;file:DORV/DORV.ini;file:DORV/_DORV.ini"
                                          << "DORV" << int(ConfigTrouble::None) << "";
    QTest::newRow("a plain file in its place")
        << "file:DORV"
        << "DORV" << int(ConfigTrouble::NotAFolder) << "DORV";
    QTest::newRow("a link loop in its place") << "link:DORV>DORV"
                                              << "DORV" << int(ConfigTrouble::NotAFolder) << "DORV";
    QTest::newRow("under a plain file")
        << "file:cfg"
        << "cfg/DORV" << int(ConfigTrouble::CannotCreate) << "cfg/DORV";
    QTest::newRow("DORV.ini is a folder")
        << "dir:DORV/DORV.ini"
        << "DORV" << int(ConfigTrouble::SettingsUnreadable) << "DORV/DORV.ini";
    QTest::newRow("DORV.ini over the size limit")
        << "big:DORV/DORV.ini"
        << "DORV" << int(ConfigTrouble::SettingsTooLarge) << "DORV/DORV.ini";
}

// Every way the folder can fail to keep the files is found before anything is written.
void TestStorage::configFolderCheck() {
    QFETCH(QString, setup);
    QFETCH(QString, folder);
    QFETCH(int, trouble);
    QFETCH(QString, troublePath);
    QTemporaryDir base;
    for (const QString& step : setup.split(';', Qt::SkipEmptyParts)) {
        const QString kind = step.section(':', 0, 0);
        const QString path = base.filePath(step.section(':', 1));
        if (kind == "dir")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "file" || kind == "big") {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            PutFile(path, kind == "big" ? QByteArray(MaxProfileBytes + 1, ' ') : "[A]\n");
        } else if (kind == "link") {
            QVERIFY(QFile::link(base.filePath(path.section('>', 1)), path.section('>', 0, 0)));
        }
    }
    const QStringList before = QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const ConfigCheck check = CheckConfigFolder(base.filePath(folder));
    QCOMPARE(int(check.Trouble), trouble);
    QCOMPARE(check.Path, troublePath.isEmpty() ? QString() : base.filePath(troublePath));
    // Checking writes nothing.
    QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

// What stands in the configuration folder when a program takes its lock.
enum class LockScene {
    Free,            // nothing
    HeldByLock,      // another lock object holds it
    HolderEnded,     // another lock object held it and was destroyed
    LeftByDead,      // a lock file of a program that died: no one holds it
    HeldByQLockFile, // an earlier version of the tool holds it
    HeldNamingNone,  // held, and its lock file names no process
    CannotBeMade,    // a plain file stands where the folder's parent should be
    FolderInPlace,   // a folder stands where the lock file should be
};

// A process number that no running process has: that of a child which has ended.
qint64 EndedProcessPid() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// What QLockFile writes into a lock file of this process.
QByteArray QLockFileText() {
    QTemporaryDir dir;
    QLockFile lock(dir.filePath("probe.lock"));
    if (!lock.tryLock(0))
        return "<QLockFile failed>";
    return FileBytes(dir.filePath("probe.lock"));
}

void TestStorage::configFolderLock_data() {
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("holderNamed"); // HolderPid() is this process's number, else 0
    QTest::newRow("free folder") << int(LockScene::Free) << int(ConfigFolderLock::State::Held)
                                 << false;
    QTest::newRow("held by another lock")
        << int(LockScene::HeldByLock) << int(ConfigFolderLock::State::HeldByOther) << true;
    QTest::newRow("the holder ended")
        << int(LockScene::HolderEnded) << int(ConfigFolderLock::State::Held) << false;
    QTest::newRow("left by a program that died")
        << int(LockScene::LeftByDead) << int(ConfigFolderLock::State::Held) << false;
    QTest::newRow("held by an earlier version")
        << int(LockScene::HeldByQLockFile) << int(ConfigFolderLock::State::HeldByOther) << true;
    QTest::newRow("held, lock file names no process")
        << int(LockScene::HeldNamingNone) << int(ConfigFolderLock::State::HeldByOther) << false;
    QTest::newRow("folder cannot be made")
        << int(LockScene::CannotBeMade) << int(ConfigFolderLock::State::Unavailable) << false;
    QTest::newRow("a folder in the lock file's place")
        << int(LockScene::FolderInPlace) << int(ConfigFolderLock::State::Unavailable) << false;
}

// The folder's lock: taken when free or left by a program that died, refused while held, by
// this version or an earlier one; its file names the holder as earlier versions read it, and
// it goes when the holder does.
void TestStorage::configFolderLock() {
    QFETCH(int, scene);
    QFETCH(int, state);
    QFETCH(bool, holderNamed);
    QTemporaryDir base;
    QString folder = base.filePath("DORV");
    const QString lockPath = folder + "/DORV.lock";
    std::optional<ConfigFolderLock> other;
    std::optional<QLockFile> earlier;
    int rawHolder = -1;
    switch (LockScene(scene)) {
    case LockScene::Free:
        break;
    case LockScene::HeldByLock:
    case LockScene::HolderEnded:
        other.emplace(folder);
        QCOMPARE(other->TryLock(), ConfigFolderLock::State::Held);
        break;
    case LockScene::LeftByDead:
        QVERIFY(QDir().mkpath(folder));
        PutFile(lockPath, QByteArray::number(EndedProcessPid()) + "\ndorv\nhost\nmachine\nboot\n");
        break;
    case LockScene::HeldByQLockFile:
        QVERIFY(QDir().mkpath(folder));
        earlier.emplace(lockPath);
        earlier->setStaleLockTime(0);
        QVERIFY(earlier->tryLock(0));
        break;
    case LockScene::HeldNamingNone:
        QVERIFY(QDir().mkpath(folder));
        PutFile(lockPath, "not a process\n");
        rawHolder = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(rawHolder >= 0);
        QCOMPARE(::flock(rawHolder, LOCK_EX | LOCK_NB), 0);
        break;
    case LockScene::CannotBeMade:
        PutFile(base.filePath("plain"), "x");
        folder = base.filePath("plain/DORV");
        break;
    case LockScene::FolderInPlace:
        QVERIFY(QDir().mkpath(lockPath));
        break;
    }
    const QByteArray textBefore = FileBytes(lockPath);
    std::optional<ConfigFolderLock> lock(std::in_place, folder);
    if (LockScene(scene) == LockScene::HolderEnded) {
        QCOMPARE(lock->TryLock(), ConfigFolderLock::State::HeldByOther);
        other.reset();
        QVERIFY(!QFileInfo::exists(lockPath));
    }
    QCOMPARE(int(lock->TryLock()), state);
    QCOMPARE(lock->HolderPid(), holderNamed ? QCoreApplication::applicationPid() : 0);
    if (state == int(ConfigFolderLock::State::Held)) {
        // Byte for byte what an earlier version writes, so that it sees a live holder.
        QCOMPARE(FileBytes(lockPath), QLockFileText());
        QVERIFY(FileBytes(lockPath).startsWith(QByteArray::number(::getpid()) + '\n'));
        QLockFile earlierStart(lockPath);
        earlierStart.setStaleLockTime(0);
        QVERIFY(!earlierStart.tryLock(0));
        QCOMPARE(earlierStart.error(), QLockFile::LockFailedError);
        lock.reset();
        QVERIFY(!QFileInfo::exists(lockPath));
    } else {
        // A program refused leaves the holder's lock file as it was.
        lock.reset();
        QCOMPARE(FileBytes(lockPath), textBefore);
        QCOMPARE(QFileInfo(lockPath).isDir(), LockScene(scene) == LockScene::FolderInPlace);
    }
    if (rawHolder >= 0)
        ::close(rawHolder);
}

void TestStorage::testMarker_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("on");
    QTest::newRow("the word alone") << QByteArray("VIEW_EXTRAS") << true;
    QTest::newRow("among other words") << QByteArray("a b\r\n\tVIEW_EXTRAS\tc") << true;
    QTest::newRow("lower case") << QByteArray("view_extras") << false;
    QTest::newRow("inside a longer word") << QByteArray("XVIEW_EXTRAS VIEW_EXTRAS2") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("very long word starting with it")
        << QByteArray("VIEW_EXTRAS") + QByteArray(5000, 'S') << false;
}

void TestStorage::testMarker() {
    QFETCH(QByteArray, text);
    QFETCH(bool, on);
    std::istringstream in(text.toStdString());
    QCOMPARE(ReadTestMarker(in), on);
}

void TestStorage::findProfileValue_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // a null string: missing
    const QByteArray ini = "; comment=1\r\n[FORM_HLAV]\r\n  Left = 12 \r\nFile=/a b/c.ign\r\n"
                           "Top\r\n[IGNITION]\r\nPageControl1->ActivePageIndex=2\r\nLeft=99";
    const auto row = [&](const char* name, const char* section, const char* key, QString value,
                         const QByteArray& text) {
        QTest::newRow(name) << text << QString(section) << QString(key) << value;
    };
    row("trimmed value", "FORM_HLAV", "Left", "12", ini);
    row("blanks inside kept", "FORM_HLAV", "File", "/a b/c.ign", ini);
    row("names without regard to case", "form_hlav", "LEFT", "12", ini);
    row("key of the other section", "IGNITION", "Left", "99", ini);
    row("key with ->", "IGNITION", "PageControl1->ActivePageIndex", "2", ini);
    row("missing key", "FORM_HLAV", "Width", {}, ini);
    row("line without =", "FORM_HLAV", "Top", {}, ini);
    row("missing section", "PORTS", "COM1", {}, ini);
    row("comment is no key", "", "; comment", {}, ini);
    row("key before any section", "S", "a", {}, "a=1\n[S]\nb=2");
    row("empty value", "S", "File", "", "[S]\nFile=\n");
    row("first of two sections", "S", "k", "1", "[S]\nk=1\n[S]\nk=2");
}

void TestStorage::findProfileValue() {
    QFETCH(QByteArray, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const std::optional<std::string> found =
        FindProfileValue(text.toStdString(), section.toStdString(), key.toStdString());
    QCOMPARE(found.has_value(), !value.isNull());
    if (found)
        QCOMPARE(QString::fromStdString(*found), value);
}

void TestStorage::profileInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -12345: no integer
    QTest::newRow("decimal") << "849" << 849;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("0x") << "0x10" << 16;
    QTest::newRow("$") << "$10" << 16;
    QTest::newRow("upper-case hex") << "0XfF" << 255;
    QTest::newRow("blanks around") << " 42 " << 42;
    QTest::newRow("largest int") << "2147483647" << 2147483647;
    QTest::newRow("smallest int") << "-2147483648" << int(-2147483648LL);
    QTest::newRow("above int") << "2147483648" << -12345;
    QTest::newRow("trailing letters") << "12abc" << -12345;
    QTest::newRow("hex digits without prefix") << "1f" << -12345;
    QTest::newRow("prefix alone") << "0x" << -12345;
    QTest::newRow("empty") << "" << -12345;
    QTest::newRow("word") << "COM1" << -12345;
}

void TestStorage::profileInteger() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(ParseProfileInteger(text.toStdString()).value_or(-12345), value);
}

void TestStorage::writingOneKeyKeepsEveryOtherLine_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    const QByteArray ini = "; kept\r\n[FORM_HLAV]\r\nLeft = 1\r\n  top=2  \r\n\r\n"
                           "[IGNITION]\r\nx=1\r\n\r\n# end";
    QTest::newRow("existing key replaced in place")
        << ini << "FORM_HLAV"
        << "Top"
        << QByteArray("; kept\r\n[FORM_HLAV]\r\nLeft = 1\r\nTop=V\r\n\r\n"
                      "[IGNITION]\r\nx=1\r\n\r\n# end");
    QTest::newRow("new key after the section's last entry")
        << ini << "FORM_HLAV"
        << "Width"
        << QByteArray("; kept\r\n[FORM_HLAV]\r\nLeft = 1\r\n  top=2  \r\nWidth=V\r\n\r\n"
                      "[IGNITION]\r\nx=1\r\n\r\n# end");
    QTest::newRow("new key in the last section")
        << ini << "IGNITION"
        << "PageControl1->ActivePageIndex"
        << QByteArray("; kept\r\n[FORM_HLAV]\r\nLeft = 1\r\n  top=2  \r\n\r\n"
                      "[IGNITION]\r\nx=1\r\n\r\n# end\r\nPageControl1->ActivePageIndex=V\r\n");
    QTest::newRow("new section at the end")
        << ini << "PORTS"
        << "COM1"
        << QByteArray("; kept\r\n[FORM_HLAV]\r\nLeft = 1\r\n  top=2  \r\n\r\n"
                      "[IGNITION]\r\nx=1\r\n\r\n# end\r\n[PORTS]\r\nCOM1=V\r\n");
    QTest::newRow("new file") << QByteArray() << "S"
                              << "k" << QByteArray("[S]\nk=V\n");
    QTest::newRow("LF file, header at the end without line end")
        << QByteArray("[A]\na=1\n[S]") << "S"
        << "k" << QByteArray("[A]\na=1\n[S]\nk=V\n");
}

void TestStorage::writingOneKeyKeepsEveryOtherLine() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    const std::string text =
        SetProfileValue(before.toStdString(), section.toStdString(), key.toStdString(), "V");
    QCOMPARE(QByteArray::fromStdString(text), after);
    QCOMPARE(FindProfileValue(text, section.toStdString(), key.toStdString()),
             std::optional<std::string>("V"));
}

void TestStorage::profileFileReadsAndWrites() {
    QTemporaryDir dir;
    const Profile profile(dir.filePath(QStringLiteral("new/folder/DORV.ini")));
    // A missing file gives the defaults and is not created by reading.
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "Left", 7), 7);
    QCOMPARE(profile.ReadString("FORM_HLAV", "File", "d"), QStringLiteral("d"));
    QVERIFY(!QFileInfo::exists(profile.Path()));

    // The first write creates the folder; keys come in the order first written.
    QVERIFY(profile.WriteString("IGNITION", "PageControl1->ActivePageIndex", "2").Ok);
    QVERIFY(profile.WriteInteger("FORM_HLAV", "Left", -5).Ok);
    QVERIFY(profile.WriteString("FORM_HLAV", "File", QStringLiteral("/tmp/Motor ž.ign")).Ok);
    QVERIFY(profile.WriteString("FORM_HLAV", "Top", "0x10").Ok);
    QVERIFY(profile.WriteString("FORM_HLAV", "Height", "$10").Ok);
    QVERIFY(profile.WriteString("FORM_HLAV", "Width", "wide").Ok);
    QCOMPARE(FileBytes(profile.Path()),
             QByteArray("[IGNITION]\nPageControl1->ActivePageIndex=2\n[FORM_HLAV]\nLeft=-5\n"
                        "File=/tmp/Motor \xc5\xbe.ign\nTop=0x10\nHeight=$10\nWidth=wide\n"));
    QCOMPARE(profile.ReadInteger("IGNITION", "PageControl1->ActivePageIndex", 0), 2);
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "Left", 0), -5);
    QCOMPARE(profile.ReadString("FORM_HLAV", "File", {}), QStringLiteral("/tmp/Motor ž.ign"));
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "Top", 0), 16);
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "Height", 0), 16);
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "Width", 986), 986);
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "ComPort", 3), 3);

    // Nothing is cached: a change made by another program is read at once.
    const QByteArray edited = FileBytes(profile.Path()).replace("Left=-5", "Left=44");
    PutFile(profile.Path(), edited);
    QCOMPARE(profile.ReadInteger("FORM_HLAV", "Left", 0), 44);

    // A value that would break the file is refused and changes nothing.
    const FileWriteResult refused = profile.WriteString("FORM_HLAV", "File", "a\nLeft=1");
    QVERIFY(!refused.Ok);
    QVERIFY(!refused.Error.isEmpty());
    QVERIFY(!profile.WriteString("FORM_HLAV", "a=b", "1").Ok);
    QCOMPARE(FileBytes(profile.Path()), edited);
}

// The heat map option lives in a section of its own; a file that never had it on is left alone.
void TestStorage::heatMapInItsOwnSection() {
    QTemporaryDir dir;
    const Profile profile(dir.filePath(SettingsFileName));
    QVERIFY(SaveSettings(profile, Settings{}).Ok);
    const QByteArray original = FileBytes(profile.Path());
    QVERIFY(!LoadHeatMap(profile));
    QVERIFY(SaveHeatMap(profile, false).Ok);
    QCOMPARE(FileBytes(profile.Path()), original);
    QVERIFY(SaveHeatMap(profile, true).Ok);
    QVERIFY(LoadHeatMap(profile));
    QCOMPARE(FileBytes(profile.Path()), original + "[SERVO_TABLE]\nHeatMap=1\n");
    QVERIFY(SaveSettings(profile, Settings{}).Ok); // the tool's own sections rewritten
    QVERIFY(LoadHeatMap(profile));
    QVERIFY(SaveHeatMap(profile, false).Ok);
    QVERIFY(!LoadHeatMap(profile));
    QCOMPARE(FileBytes(profile.Path()), original + "[SERVO_TABLE]\nHeatMap=0\n");
}

void TestStorage::settingsRoundTripAndNewFileOrder() {
    QTemporaryDir dir;
    const Profile profile(dir.filePath(SettingsFileName));
    Settings saved;
    saved.Left = 10, saved.Top = -20, saved.Height = 700, saved.Width = 900;
    saved.PortIndex = 4, saved.CurrentLanguage = 2, saved.ActivePageIndex = -1;
    saved.File = QStringLiteral("/home/t/a.ign"), saved.IniDir = QStringLiteral("/home/t/b.ign");
    QVERIFY(SaveSettings(profile, saved).Ok);
    QCOMPARE(FileBytes(profile.Path()),
             QByteArray("[FORM_HLAV]\nLeft=10\nTop=-20\nHeight=700\nWidth=900\nComPort=5\n"
                        "Language=2\nFile=/home/t/a.ign\nIniDir=/home/t/b.ign\n[IGNITION]\n"
                        "PageControl1->ActivePageIndex=-1\n"));
    const Settings loaded = LoadSettings(profile, Settings{});
    QCOMPARE(loaded.Left, saved.Left);
    QCOMPARE(loaded.Top, saved.Top);
    QCOMPARE(loaded.Height, saved.Height);
    QCOMPARE(loaded.Width, saved.Width);
    QCOMPARE(loaded.PortIndex, saved.PortIndex);
    QCOMPARE(loaded.CurrentLanguage, saved.CurrentLanguage);
    QCOMPARE(loaded.File, saved.File);
    QCOMPARE(loaded.IniDir, saved.IniDir);
    QCOMPARE(loaded.ActivePageIndex, saved.ActivePageIndex);
}

void TestStorage::settingsLoadConversions() {
    QTemporaryDir dir;
    const Profile profile(dir.filePath(SettingsFileName));
    Settings current;
    current.Left = 3, current.Top = 4, current.CurrentLanguage = 1;
    current.File = QStringLiteral("not a default"), current.ActivePageIndex = 2;
    // First run: the current values stay, the start-up PortIndex 1 becomes 0, texts are empty.
    Settings first = LoadSettings(profile, current);
    QCOMPARE(first.Left, 3);
    QCOMPARE(first.Height, 849);
    QCOMPARE(first.Width, 986);
    QCOMPARE(int(first.PortIndex), 0);
    QCOMPARE(int(first.CurrentLanguage), 1);
    QVERIFY(first.File.isEmpty());
    QCOMPARE(first.ActivePageIndex, 2);

    const struct {
        const char* comPort;
        int portIndex;
    } ports[] = {{"21", 20}, {"0", 255}, {"257", 0}, {"$5", 4}, {"COM5", 0}};
    for (const auto& port : ports) {
        QVERIFY(profile.WriteString(SectionFormHlav, "ComPort", port.comPort).Ok);
        QCOMPARE(int(LoadSettings(profile, current).PortIndex), port.portIndex);
    }
    QVERIFY(profile.WriteString(SectionFormHlav, "Language", "258").Ok);
    QCOMPARE(int(LoadSettings(profile, current).CurrentLanguage), 2);
}

void TestStorage::configFolder() {
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", "/home/tech");
    qputenv("XDG_CONFIG_HOME", "/cfg/x/");
    QCOMPARE(ConfigFolderPath(), QStringLiteral("/cfg/x/DORV"));
    QCOMPARE(ConfigFilePath(SettingsDataFileName), QStringLiteral("/cfg/x/DORV/_DORV.ini"));
    qputenv("XDG_CONFIG_HOME", "relative/path");
    QCOMPARE(ConfigFolderPath(), QStringLiteral("/home/tech/.config/DORV"));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(ConfigFilePath(TestMarkerFileName),
             QStringLiteral("/home/tech/.config/DORV/test_tomble.txt"));
    qputenv("HOME", oldHome);
    if (oldXdg.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldXdg);
}

void TestStorage::parameterAndSettingsFilesOnDisk() {
    QTemporaryDir dir;
    const QString ign = dir.filePath("set.ign");
    PutFile(ign, "older and longer contents than the new file will have ... ... ... ... ...");
    QVERIFY(SaveParameterFile(ign, KnownImage()).Ok);
    QCOMPARE(FileBytes(ign), Fixture("known.ign"));
    QVERIFY(OpenParameterFile(ign, BaseImage()).Accepted());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"set.ign"}); // no temporaries
    QCOMPARE(OpenParameterFile(dir.filePath("missing.ign"), BaseImage()).Status,
             ParameterFileStatus::CannotOpen);
    QCOMPARE(OpenParameterFile(dir.path(), BaseImage()).Status, ParameterFileStatus::CannotOpen);
    QCOMPARE(OpenParameterFile(dir.path(), BaseImage()).Refusal.Kind,
             ParameterFileRefusal::CannotRead);

    const QString data = dir.filePath("cfg/_DORV.ini");
    ParameterImage image = KnownImage();
    AllCellsFlags flags{1, 0};
    QCOMPARE(LoadSettingsData(data, image, flags).Damage, SettingsDataDamage::Missing);
    QVERIFY(image == KnownImage());
    QVERIFY(SaveSettingsData(data, KnownImage(), AllCellsFlags{0, 1}).Ok);
    ParameterImage loaded = BaseImage();
    QCOMPARE(LoadSettingsData(data, loaded, flags).Damage, SettingsDataDamage::None);
    QVERIFY(loaded == KnownImage());
    QCOMPARE(flags, (AllCellsFlags{0, 1}));

    QVERIFY(!ReadTestMarkerFile(dir.filePath(TestMarkerFileName)));
    PutFile(dir.filePath(TestMarkerFileName), "VIEW_EXTRAS\r\n");
    QVERIFY(ReadTestMarkerFile(dir.filePath(TestMarkerFileName)));
}

void TestStorage::failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("writer");
    QTest::addColumn<bool>("targetIsFolder");
    for (const char* writer : {"parameter file", "profile", "settings data"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, folder without permission").arg(writer)))
            << writer << false;
        QTest::newRow(qPrintable(QStringLiteral("%1, target is a folder").arg(writer)))
            << writer << true;
    }
}

void TestStorage::failedWriteKeepsOldFile() {
    QFETCH(QString, writer);
    QFETCH(bool, targetIsFolder);
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + "/target";
    const QByteArray old = "[FORM_HLAV]\nLeft=1\n";
    const QString kept = targetIsFolder ? target + "/inside" : target;
    if (targetIsFolder)
        QVERIFY(QDir().mkpath(target));
    PutFile(kept, old);
    QCOMPARE(chmod(qPrintable(dir.path()), 0755), 0);
    QCOMPARE(chmod(qPrintable(kept), 0666), 0);
    if (!targetIsFolder)
        QCOMPARE(chmod(qPrintable(folder), 0555), 0);

    const auto write = [&]() -> FileWriteResult {
        if (writer == "parameter file")
            return SaveParameterFile(target, KnownImage());
        if (writer == "profile")
            return Profile(target).WriteString("FORM_HLAV", "Left", "2");
        return SaveSettingsData(target, KnownImage(), AllCellsFlags{0, 0});
    };
    if (targetIsFolder) {
        const FileWriteResult result = write();
        QVERIFY(!result.Ok);
        QVERIFY(!result.Error.isEmpty());
        QVERIFY(result.Kind != FileWriteError::None);
    } else {
        const std::optional<bool> ok = WriteSucceedsUnprivileged([&] { return write().Ok; });
        if (!ok)
            QSKIP("root rights cannot be dropped on this machine");
        QVERIFY(!*ok);
    }
    QCOMPARE(FileBytes(kept), old);
    QCOMPARE(QDir(targetIsFolder ? target : folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{targetIsFolder ? "inside" : "target"});
    chmod(qPrintable(folder), 0755);
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
