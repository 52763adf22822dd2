// The printed report: print view, heading, printing the window on one page.
#include "Hlav.h"

void TFormHlav::SpeedButtonPrintClick() {}
void TFormHlav::SetPrintView(bool) {}
