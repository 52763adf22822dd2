// The texts of the port work in four languages: Com items, the device list, status notes.
#pragma once

#include <QString>
#include <QStringList>

#include "Jazyk2.h"
#include "PortDiagnosis.h"

namespace dorv {

// "Com 3    /dev/ttyUSB0 (present)": a Com menu item with its device and whether it is there.
QString ComItemText(int portIndex, const ComItemState& state, Language language);

// "Serial devices…": the Com menu item that opens the list, and the list's title.
QString SerialDevicesText(Language language);

// The list's column headings: path, stable name, description, maker, serial number.
QStringList SerialDeviceColumns(Language language);

// Status bar notes.
QString DeviceDisconnectedText(Language language);                           // the cable was pulled
QString DeviceReconnectedText(const std::string& device, Language language); // it came back
QString AutoMappedText(int portIndex, const std::string& device, Language language);
QString SeveralDevicesText(Language language); // several USB devices: none mapped

} // namespace dorv
