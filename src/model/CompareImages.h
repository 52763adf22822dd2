// Differences between two parameter images, field by field, as the editors show them.
#pragma once

#include "ParameterImage.h"
#include "ServoTableModel.h"

#include <optional>
#include <span>
#include <vector>

namespace dorv {

// The fields a parameter set carries (the ones a .ign file holds) and the identity block.
enum class ImageField {
    Tps0,
    Tps100,
    Pulses,
    ServoEnable,
    TpEnable,
    PercentMode,
    HysteresisMv,
    HysteresisRpm,
    RpmPoint, // Column is the point's index
    Cell,     // Row and Column of the servo table
};

// How differences are counted: the general fields of both servos, the RPM points, the cells.
enum class DifferenceGroup { General, RpmPoints, Cells };

inline constexpr int NoServo = -1;

// One field that differs. Values are as the editor shows them (mV, RPM, per cent, 0/1 for
// switches). Cells are compared and shown in the editor's (mine's) per-cent mode: when the other
// side's servo is in the other mode, its cells are converted as the per-cent switch converts.
struct ImageDifference {
    ImageField Field = ImageField::Tps0;
    ServoIndex Servo = NoServo; // NoServo for TPS and pulses
    int Row = -1;               // cells only
    int Column = -1;            // RPM points and cells
    int Offset = 0;             // the byte in the image
    int Mine = 0;
    int Other = 0;
    friend bool operator==(const ImageDifference&, const ImageDifference&) = default;
};

DifferenceGroup GroupOf(ImageField field);

struct ImageComparison {
    // In the order of the file: TPS, pulses, then per servo its switches and hystereses, its
    // RPM points and its cells row by row.
    std::vector<ImageDifference> Differences;
    // Counts per group, indexed by DifferenceGroup.
    int Counts[3] = {0, 0, 0};
    // The identity blocks (program name, build date, version: block 0) differ. They are never
    // part of a parameter set, so they are reported apart and never taken over.
    bool IdentityDiffers = false;

    bool Same() const { return Differences.empty(); }
    int Count(DifferenceGroup group) const { return Counts[static_cast<int>(group)]; }
};

// Compares `mine` (the editor) with `other`. Switches compare by whether they are on, as a
// file stores them; bytes the tool does not interpret are ignored.
ImageComparison CompareImages(const ParameterImage& mine, const ParameterImage& other);

// Gives `mine` the other side's value of each given difference (a list from CompareImages of
// the same two images). A cell takes the other value in mine's per-cent mode; a per-cent mode
// is switched as the editor's switch does it, converting that servo's cells. Returns how many
// fields changed.
int TakeOtherValues(ParameterImage& mine, const ParameterImage& other,
                    std::span<const ImageDifference> differences);

// What "take the other value" takes around a chosen difference.
enum class TakeScope { One, Row, Table, All };

// The differences in the scope around `chosen`, in their order: itself; the differences of its
// row of the servo table (its throttle row's cells, or the RPM points) on its servo; those of its
// servo's table (RPM points and cells); all of them. A field outside the tables (TPS, pulses, a
// switch, a hysteresis) is a row and a table of its own.
std::vector<ImageDifference> DifferencesIn(std::span<const ImageDifference> differences,
                                           const ImageDifference& chosen, TakeScope scope);

// The place of the servo table editor a difference is shown at: an RPM point or a cell; none for
// the other fields.
std::optional<TableCell> TableCellOf(const ImageDifference& difference);

// Keeps the differences whose field in `mine` still holds a value one of `given` gave it (the
// editor's image when the comparison was made, and after each taking): a field the user has
// edited to a value of their own since is no longer compared. A cell counts as given only with
// its servo's per-cent mode as given. Counts follow.
void KeepGivenFields(ImageComparison& comparison, const ParameterImage& mine,
                     std::span<const ParameterImage> given);

} // namespace dorv
