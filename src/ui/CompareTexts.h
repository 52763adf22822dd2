// The texts of the comparison in four languages: its menu, its list, the names of the fields.
#pragma once

#include <QString>

#include "CompareImages.h"
#include "Jazyk2.h"

namespace dorv {

struct CompareTexts {
    QString MenuCompare;  // the Tools submenu
    QString MenuWithUnit; // compare with the unit
    QString MenuWithFile; // compare with a file
    QString Title;        // the comparison's panel
    QString ComparedWith; // %1 what the editor is compared with
    QString Unit;         // the unit, as the other side
    QString ColumnName;
    QString ColumnEditor;
    QString GroupGeneral; // %1 the count
    QString GroupRpmPoints;
    QString GroupCells;
    QString Tps0;
    QString Tps100;
    QString Pulses;
    QString ServoEnable;
    QString TpEnable;
    QString PercentMode;
    QString HysteresisMv;
    QString HysteresisRpm;
    QString RpmPoint; // %1 the point's number
    QString Cell;     // %1 the row label, %2 the column number
    QString OnServo;  // %1 the servo's number, %2 the field
    QString SwitchOn;
    QString SwitchOff;
    QString PulseValues; // the pulse choices in item order, one per line
    QString TakeOne;
    QString TakeRow;
    QString TakeTable;
    QString TakeAll;
    QString Close;
    QString NoDifferences;
    QString IdentityDiffers;
    QString Taken;       // %1 how many values, %2 the other side
    QString ReadingUnit; // the unit is read for a comparison
    QString UnitDiffers; // a Verify found the unit holding other parameters: shown the offer
    QString ShowDifferences;
};

// The texts of a language (above 3: English).
CompareTexts CompareTextsFor(dorv::Language language);

// The name of a difference's field as the list shows it: "TPS 0 %", "Servo 1: RPM point 4",
// "Servo 2: 20% / column 5".
QString DifferenceName(const ImageDifference& difference, const CompareTexts& texts);

// A value of a difference's field with its unit: switches as on or off, the pulses as their
// choice, cells in mV or per cent (the editor's mode of that servo).
QString DifferenceValue(const ImageDifference& difference, int value, bool percentCells,
                        const CompareTexts& texts);

} // namespace dorv
