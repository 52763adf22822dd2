// The texts of the port work in four languages: Com items, the device list, status notes.
#pragma once

#include <QString>
#include <QStringList>

#include "PortDiagnosis.h"

namespace dorv {

// "Com 3    /dev/ttyUSB0 (present)": a Com menu item with its device and whether it is there.
QString ComItemText(int portIndex, const ComItemState& state, unsigned language);

// "Serial devices…": the Com menu item that opens the list, and the list's title.
QString SerialDevicesText(unsigned language);

// The list's column headings: path, stable name, description, maker, serial number.
QStringList SerialDeviceColumns(unsigned language);

// Status bar notes.
QString DeviceDisconnectedText(unsigned language);                           // the cable was pulled
QString DeviceReconnectedText(const std::string& device, unsigned language); // it came back
QString AutoMappedText(int portIndex, const std::string& device, unsigned language);
QString SeveralDevicesText(unsigned language); // several USB devices: none mapped

} // namespace dorv
