// The .ign parameter file: its writer and its reader over text streams.
#include "ParameterFile.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "TextWords.h"

namespace dorv {

namespace {

constexpr std::string_view KeyLineWord = "KORVALEX_KEY";
constexpr std::string_view LineEnd = "\r\n";
const std::string Indent(14, ' ');

unsigned Switch(Byte b) {
    return b != 0 ? 1 : 0;
}

unsigned CellWritten(Byte cell, Byte percentMode) {
    return percentMode != 0 ? cell : cell * 20u;
}

void AppendServoLines(std::vector<std::string>& lines, const ParameterImage& image, ServoIndex s) {
    const auto servo = image.servo(s);
    const std::string number = std::to_string(s + 1);
    lines.push_back("SERVO_" + number + "       " + RightAligned(Switch(servo.ServoEnable()), 5) +
                    RightAligned(Switch(servo.TpEnable()), 6) + ' ' +
                    RightAligned(Switch(servo.PercentMode()), 6) + ' ' +
                    FiveColumns(servo.HysteresisMv() * 5u) +
                    FiveColumns(servo.HysteresisRpm() * 5u));
    std::string rpm = "RPM_SERVO" + number + "    ";
    for (int k = 0; k < RpmColumns; ++k)
        rpm += FiveColumns(servo.RpmPoints(k) * 100u);
    lines.push_back(rpm);
    for (int r = 0; r < ThrottleRows; ++r) {
        std::string row = r == 0 ? "NAP_SERVO" + number + "    " : Indent;
        for (int k = 0; k < RpmColumns; ++k)
            row += FiveColumns(CellWritten(servo.Cell(r, k), servo.PercentMode()));
        lines.push_back(row);
    }
}

// Each number is read as 32 bits; its low 16 bits are divided, the quotient's low 8 bits stored.
Byte Stored(std::uint32_t value, unsigned divisor, unsigned offset = 0) {
    return static_cast<Byte>(((value & 0xFFFFu) / divisor + offset) & 0xFFu);
}

using Numbers = std::span<const std::uint32_t>;

void StorePulses(ParameterImage& image, Numbers n) {
    image.PulsesMode() = Stored(n[0], 1);
}

void StoreTps(ParameterImage& image, Numbers n) {
    image.Tps0() = Stored(n[0], 10);
    image.Tps100() = Stored(n[1], 10, 6);
}

template <ServoIndex S> void StoreServo(ParameterImage& image, Numbers n) {
    auto servo = image.servo(S);
    servo.ServoEnable() = Stored(n[0], 1);
    servo.TpEnable() = Stored(n[1], 1);
    servo.PercentMode() = Stored(n[2], 1);
    servo.HysteresisMv() = Stored(n[3], 5);
    servo.HysteresisRpm() = Stored(n[4], 5);
}

template <ServoIndex S> void StoreRpmPoints(ParameterImage& image, Numbers n) {
    for (int k = 0; k < RpmColumns; ++k)
        image.servo(S).RpmPoints(k) = Stored(n[k], 100);
}

template <ServoIndex S> void StoreServoTable(ParameterImage& image, Numbers n) {
    auto servo = image.servo(S);
    const unsigned divisor = servo.PercentMode() != 0 ? 1 : 20;
    for (int i = 0; i < TableCells; ++i)
        servo.CellAt(i) = Stored(n[i], divisor);
}

struct KeyWord {
    std::string_view Text;
    int Count;
    void (*Store)(ParameterImage&, Numbers);
};

constexpr std::array<KeyWord, 8> KeyWords{{
    {"POCET_PULSU", 1, StorePulses},
    {"TPS", 2, StoreTps},
    {"SERVO_1", 5, StoreServo<0>},
    {"RPM_SERVO1", RpmColumns, StoreRpmPoints<0>},
    {"NAP_SERVO1", TableCells, StoreServoTable<0>},
    {"SERVO_2", 5, StoreServo<1>},
    {"RPM_SERVO2", RpmColumns, StoreRpmPoints<1>},
    {"NAP_SERVO2", TableCells, StoreServoTable<1>},
}};

const KeyWord* FindKeyWord(const Word& word) {
    if (word.Overlong)
        return nullptr;
    for (const KeyWord& key : KeyWords)
        if (word.Text == key.Text)
            return &key;
    return nullptr;
}

// Passes over words up to and including the first key line with the number 56.
bool FindKeyLine(WordReader& words) {
    while (std::optional<Word> word = words.Next()) {
        if (word->Overlong || word->Text != KeyLineWord)
            continue;
        std::optional<Word> next = words.Next();
        if (!next)
            return false;
        const std::optional<std::uint32_t> number = ParseUnsignedNumber(*next);
        if (number && (*number & 0xFFFFu) == ImageFormatVersion)
            return true;
        if (!number)
            words.PutBack(std::move(*next)); // a word that is not a number is a word of its own
    }
    return false;
}

ParameterFileResult Refused(const ParameterImage& current, ParameterFileStatus status,
                            std::string detail, RefusalFacts facts) {
    return {status, current, std::move(detail), std::move(facts)};
}

RefusalFacts MissingNumberFacts(const KeyWord& key, const Word& keyWord,
                                const std::optional<Word>& found) {
    RefusalFacts facts{.Kind = found ? ParameterFileRefusal::NotANumber
                                     : ParameterFileRefusal::EndsInNumbers,
                       .KeyWord = std::string(key.Text),
                       .KeyWordLine = keyWord.Line,
                       .NumberCount = key.Count,
                       .FoundWord = {},
                       .FoundLine = 0};
    if (found) {
        facts.FoundWord = QuotedWord(found->Text);
        facts.FoundLine = found->Line;
    }
    return facts;
}

std::string MissingNumberDetail(const RefusalFacts& facts) {
    const std::string expects = facts.KeyWord + " on line " + std::to_string(facts.KeyWordLine) +
                                " needs " + std::to_string(facts.NumberCount) + " numbers";
    if (facts.Kind == ParameterFileRefusal::EndsInNumbers)
        return "The file ends inside the numbers of " + expects + ".";
    return "Line " + std::to_string(facts.FoundLine) + ": " + facts.FoundWord +
           " is not a number (" + expects + ").";
}

} // namespace

std::string ParameterFileText(const ParameterImage& image) {
    std::vector<std::string> lines;
    lines.push_back(std::string(KeyLineWord) + "   " + RightAligned(ImageFormatVersion, 3) + ' ');
    lines.push_back("");
    lines.push_back("POCET_PULSU  " + FiveColumns(image.PulsesMode()));
    lines.push_back("");
    lines.push_back("TPS" + std::string(10, ' ') + FiveColumns(image.Tps0() * 10u) +
                    FiveColumns((image.Tps100() + 250u) * 10u));
    lines.push_back("");
    AppendServoLines(lines, image, 0);
    lines.push_back(Indent);
    lines.push_back("");
    AppendServoLines(lines, image, 1);
    lines.push_back(Indent);

    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size())
            text += LineEnd;
    }
    return text;
}

void WriteParameterFile(const ParameterImage& image, std::ostream& out) {
    const std::string text = ParameterFileText(image);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

ParameterFileResult ReadParameterFile(const ParameterImage& current, std::istream& in) {
    WordReader words(in);
    std::optional<Word> first = words.Next();
    if (!first)
        return Refused(current, ParameterFileStatus::Empty, "The file is empty.",
                       RefusalOf(ParameterFileRefusal::Empty));
    words.PutBack(std::move(*first));
    if (!FindKeyLine(words))
        return Refused(current, ParameterFileStatus::WrongKey,
                       "The file has no key line \"KORVALEX_KEY " +
                           std::to_string(ImageFormatVersion) + "\".",
                       RefusalOf(ParameterFileRefusal::NoKeyLine));
    ParameterImage copy = current;
    std::array<std::uint32_t, TableCells> numbers{};
    int keyWordsRead = 0;
    while (std::optional<Word> word = words.Next()) {
        const KeyWord* key = FindKeyWord(*word);
        if (key == nullptr)
            continue; // any other word, stray numbers included, is passed over
        for (int i = 0; i < key->Count; ++i) {
            std::optional<Word> next = words.Next();
            const std::optional<std::uint32_t> number =
                next ? ParseUnsignedNumber(*next) : std::nullopt;
            if (!number) {
                RefusalFacts facts = MissingNumberFacts(*key, *word, next);
                std::string detail = MissingNumberDetail(facts);
                return Refused(current, ParameterFileStatus::BadContent, std::move(detail),
                               std::move(facts));
            }
            numbers[static_cast<std::size_t>(i)] = *number;
        }
        key->Store(copy, Numbers(numbers.data(), static_cast<std::size_t>(key->Count)));
        ++keyWordsRead;
    }
    if (keyWordsRead == 0)
        return Refused(current, ParameterFileStatus::NoParameters,
                       "No parameter follows the key line.",
                       RefusalOf(ParameterFileRefusal::NoParameters));
    return {ParameterFileStatus::Accepted, copy, {}, {}};
}

} // namespace dorv
