// Tracking and highlighting of the table cell at which the engine runs.
#include "Hlav.h"

void TFormHlav::TrackOperatingCell() {}
