// Field-by-field comparison of two parameter images.
#include "CompareImages.h"

#include "EditorValues.h"

namespace dorv {

namespace {

int OffsetOf(const ParameterImage& image, const Byte& field) {
    return static_cast<int>(&field - image.bytes().data());
}

// The offsets of the general fields, whose const accessors return values.
template <typename Field> int OffsetOfGeneral(Field field) {
    static ParameterImage probe;
    return OffsetOf(probe, field(probe));
}

bool On(Byte b) {
    return b != 0;
}

void Recount(ImageComparison& comparison) {
    for (int& count : comparison.Counts)
        count = 0;
    for (const ImageDifference& d : comparison.Differences)
        ++comparison.Counts[static_cast<int>(GroupOf(d.Field))];
}

// The other side's cell in mine's per-cent mode.
Byte OtherCellInMyMode(Byte cell, bool minePercent, bool otherPercent) {
    if (minePercent == otherPercent)
        return cell;
    return minePercent ? ConvertToPercent(cell) : ConvertToMillivolts(cell);
}

// Cells of servos in different modes are compared in per cent, the coarser step, so a table
// that was only switched shows no difference.
bool CellsDiffer(Byte mine, Byte other, bool minePercent, bool otherPercent) {
    if (minePercent == otherPercent)
        return mine != other;
    return (minePercent ? mine : ConvertToPercent(mine)) !=
           (otherPercent ? other : ConvertToPercent(other));
}

class Comparer {
public:
    Comparer(const ParameterImage& mine, const ParameterImage& other)
        : mine_(mine), other_(other) {}

    ImageComparison Run() {
        static const int tps0 =
            OffsetOfGeneral([](ParameterImage& i) -> Byte& { return i.Tps0(); });
        static const int tps100 =
            OffsetOfGeneral([](ParameterImage& i) -> Byte& { return i.Tps100(); });
        static const int pulses =
            OffsetOfGeneral([](ParameterImage& i) -> Byte& { return i.PulsesMode(); });
        Shown(ImageField::Tps0, NoServo, tps0, Tps0Shown);
        Shown(ImageField::Tps100, NoServo, tps100, Tps100Shown);
        Shown(ImageField::Pulses, NoServo, pulses, [](Byte b) { return int{b}; });
        for (ServoIndex s = 0; s < ServoCount; ++s)
            Servo(s);
        Recount(result_);
        for (int i = 0; i < BlockSize && !result_.IdentityDiffers; ++i)
            result_.IdentityDiffers = mine_.bytes()[i] != other_.bytes()[i];
        return std::move(result_);
    }

private:
    void Servo(ServoIndex s) {
        const auto a = mine_.servo(s);
        const auto b = other_.servo(s);
        Switch(ImageField::ServoEnable, s, a.ServoEnable(), b.ServoEnable());
        Switch(ImageField::TpEnable, s, a.TpEnable(), b.TpEnable());
        Switch(ImageField::PercentMode, s, a.PercentMode(), b.PercentMode());
        Shown(ImageField::HysteresisMv, s, OffsetOf(mine_, a.HysteresisMv()), HysteresisShown);
        Shown(ImageField::HysteresisRpm, s, OffsetOf(mine_, a.HysteresisRpm()), HysteresisShown);
        for (int k = 0; k < RpmColumns; ++k)
            if (a.RpmPoints(k) != b.RpmPoints(k))
                Add({ImageField::RpmPoint, s, -1, k, OffsetOf(mine_, a.RpmPoints(k)),
                     RpmShown(a.RpmPoints(k)), RpmShown(b.RpmPoints(k))});
        const bool minePercent = On(a.PercentMode());
        const bool otherPercent = On(b.PercentMode());
        for (int r = 0; r < ThrottleRows; ++r)
            for (int k = 0; k < RpmColumns; ++k) {
                if (!CellsDiffer(a.Cell(r, k), b.Cell(r, k), minePercent, otherPercent))
                    continue;
                const Byte theirs = OtherCellInMyMode(b.Cell(r, k), minePercent, otherPercent);
                Add({ImageField::Cell, s, r, k, OffsetOf(mine_, a.Cell(r, k)),
                     CellShown(a.Cell(r, k), minePercent), CellShown(theirs, minePercent)});
            }
    }

    template <typename Show> void Shown(ImageField field, ServoIndex s, int offset, Show show) {
        const Byte a = mine_.bytes()[offset];
        const Byte b = other_.bytes()[offset];
        if (a != b)
            Add({field, s, -1, -1, offset, show(a), show(b)});
    }
    void Switch(ImageField field, ServoIndex s, const Byte& a, Byte b) {
        if (On(a) != On(b))
            Add({field, s, -1, -1, OffsetOf(mine_, a), On(a) ? 1 : 0, On(b) ? 1 : 0});
    }
    void Add(ImageDifference d) {
        // Room for every field at the first difference: a whole table that differs grows the
        // list once instead of nine times.
        if (result_.Differences.empty())
            result_.Differences.reserve(MostDifferences);
        result_.Differences.push_back(d);
    }
    static constexpr std::size_t MostDifferences =
        3 + ServoCount * (5 + RpmColumns + ThrottleRows * RpmColumns);

    const ParameterImage& mine_;
    const ParameterImage& other_;
    ImageComparison result_;
};

} // namespace

DifferenceGroup GroupOf(ImageField field) {
    switch (field) {
    case ImageField::RpmPoint:
        return DifferenceGroup::RpmPoints;
    case ImageField::Cell:
        return DifferenceGroup::Cells;
    default:
        return DifferenceGroup::General;
    }
}

ImageComparison CompareImages(const ParameterImage& mine, const ParameterImage& other) {
    return Comparer(mine, other).Run();
}

namespace {

bool OnTable(const ImageDifference& d) {
    return d.Field == ImageField::RpmPoint || d.Field == ImageField::Cell;
}

bool InScope(const ImageDifference& d, const ImageDifference& chosen, TakeScope scope) {
    switch (scope) {
    case TakeScope::All:
        return true;
    case TakeScope::Table:
        if (OnTable(chosen))
            return OnTable(d) && d.Servo == chosen.Servo;
        break;
    case TakeScope::Row:
        if (OnTable(chosen))
            return d.Field == chosen.Field && d.Servo == chosen.Servo && d.Row == chosen.Row;
        break;
    case TakeScope::One:
        break;
    }
    return d == chosen;
}

bool Given(const ImageDifference& d, const ParameterImage& mine, const ParameterImage& given) {
    if (mine.bytes()[d.Offset] != given.bytes()[d.Offset])
        return false;
    return d.Field != ImageField::Cell ||
           On(mine.servo(d.Servo).PercentMode()) == On(given.servo(d.Servo).PercentMode());
}

} // namespace

std::vector<ImageDifference> DifferencesIn(std::span<const ImageDifference> differences,
                                           const ImageDifference& chosen, TakeScope scope) {
    std::vector<ImageDifference> taken;
    for (const ImageDifference& d : differences)
        if (InScope(d, chosen, scope))
            taken.push_back(d);
    return taken;
}

std::optional<TableCell> TableCellOf(const ImageDifference& d) {
    if (d.Field == ImageField::RpmPoint)
        return TableCell{RpmRow, d.Column};
    if (d.Field == ImageField::Cell)
        return TableCell{d.Row, d.Column};
    return std::nullopt;
}

void KeepGivenFields(ImageComparison& comparison, const ParameterImage& mine,
                     std::span<const ParameterImage> given) {
    std::erase_if(comparison.Differences, [&](const ImageDifference& d) {
        for (const ParameterImage& image : given)
            if (Given(d, mine, image))
                return false;
        return true;
    });
    Recount(comparison);
}

int TakeOtherValues(ParameterImage& mine, const ParameterImage& other,
                    std::span<const ImageDifference> differences) {
    int changed = 0;
    // Per-cent modes first: switching converts the servo's cells, and a cell taken afterwards
    // must land in the mode the servo ends in.
    for (const ImageDifference& d : differences)
        if (d.Field == ImageField::PercentMode &&
            SwitchPercentMode(mine, d.Servo, On(other.servo(d.Servo).PercentMode())))
            ++changed;
    for (const ImageDifference& d : differences) {
        if (d.Field == ImageField::PercentMode)
            continue;
        Byte& field = mine.bytes()[d.Offset];
        Byte theirs = other.bytes()[d.Offset];
        if (d.Field == ImageField::Cell)
            theirs = OtherCellInMyMode(theirs, On(mine.servo(d.Servo).PercentMode()),
                                       On(other.servo(d.Servo).PercentMode()));
        if (field != theirs) {
            field = theirs;
            ++changed;
        }
    }
    return changed;
}

} // namespace dorv
