// The texts of the port work in four languages: Com items, the device list, status notes.
#include "PortTexts.h"

#include "ComPort.h"
#include "Jazyk2.h"

namespace dorv {

QString ComItemText(int portIndex, const ComItemState& state, Language language) {
    return QStringLiteral("Com %1\t%2 (%3)")
        .arg(portIndex + 1)
        .arg(QString::fromStdString(state.Device),
             MessageFor(state.Present ? &LanguageMessages::MsgDevicePresent
                                      : &LanguageMessages::MsgDeviceAbsent,
                        language));
}

QString SerialDevicesText(Language language) {
    return MessageFor(&LanguageMessages::MsgSerialDevices, language);
}

QStringList SerialDeviceColumns(Language language) {
    return {MessageFor(&LanguageMessages::MsgColumnDevice, language),
            MessageFor(&LanguageMessages::MsgColumnStableName, language),
            MessageFor(&LanguageMessages::MsgColumnDescription, language),
            MessageFor(&LanguageMessages::MsgColumnMaker, language),
            MessageFor(&LanguageMessages::MsgColumnSerial, language)};
}

QString DeviceDisconnectedText(Language language) {
    return MessageFor(&LanguageMessages::MsgDeviceDisconnected, language);
}

QString DeviceReconnectedText(const std::string& device, Language language) {
    return MessageFor(&LanguageMessages::MsgDeviceReconnected, language)
        .arg(QString::fromStdString(device));
}

QString AutoMappedText(int portIndex, const std::string& device, Language language) {
    return MessageFor(&LanguageMessages::MsgAutoMapped, language)
        .arg(QString::fromStdString(ComPortName(portIndex)), QString::fromStdString(device));
}

QString SeveralDevicesText(Language language) {
    return MessageFor(&LanguageMessages::MsgSeveralDevices, language);
}

} // namespace dorv
