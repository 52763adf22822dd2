// The settings kept in DORV.ini between runs: window placement, port, language, file, page.
#pragma once

#include <QString>

#include "ParameterImage.h"
#include "Profile.h"

namespace dorv {

inline constexpr char SectionFormHlav[] = "FORM_HLAV";
inline constexpr char SectionIgnition[] = "IGNITION";

struct Settings {
    int Left = 0;
    int Top = 0;
    int Height = 849;
    int Width = 986;
    Byte PortIndex = 1;       // the serial port number minus one; stored one-based as "ComPort"
    Byte CurrentLanguage = 0; // 0 Czech, 1 English, 2 German, 3 French
    QString File;             // caption of LabelFile2
    QString IniDir;           // the last file path (a file, not a folder)
    int ActivePageIndex = 0;  // page of PageControl1; -1 when none is active
};

// Reads every setting, each with the value in `current` as its default, except "File" and
// "IniDir" whose default is empty. "ComPort" is read with the current PortIndex as default;
// its low eight bits minus one (modulo 256) give PortIndex, so a missing key turns the start-up
// PortIndex 1 into 0 (COM1). "Language" keeps its low eight bits. A PortIndex above 20 is left
// for NormalizeRpmPoints' port rule.
Settings LoadSettings(const Profile& profile, const Settings& current);

// Writes every setting in the order above, in one atomic replacement of the file.
FileWriteResult SaveSettings(const Profile& profile, const Settings& settings);

// The servo table's own options, in a section of their own: the sections above keep the layout
// other readers of DORV.ini know.
inline constexpr char SectionServoTable[] = "SERVO_TABLE";

// Whether the table is drawn as a heat map; off when the file or the key is missing.
bool LoadHeatMap(const Profile& profile);
// Keeps the heat map option. An option that is off and was never on writes nothing, so a file
// without it stays as it was.
FileWriteResult SaveHeatMap(const Profile& profile, bool heatMap);

} // namespace dorv
