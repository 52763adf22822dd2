// The window's side of the link: the tick, the live values, transfers and the serial port.
#include "Hlav.h"

void TFormHlav::OpenComPort() {}
void TFormHlav::CloseComPort() {}
void TFormHlav::Timer1Timer() {
    TrackOperatingCell();
}
void TFormHlav::MenuReadClick() {}
void TFormHlav::MenuVerifyClick() {}
void TFormHlav::MenuProgramClick() {}
void TFormHlav::StartProgramming() {}
void TFormHlav::ButtonTps0Click() {}
void TFormHlav::ButtonTps100Click() {}
void TFormHlav::MenuCom1Click() {}
