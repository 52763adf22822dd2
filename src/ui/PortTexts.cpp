// The texts of the port work in four languages: Com items, the device list, status notes.
#include "PortTexts.h"

#include "ComPort.h"
#include "Jazyk2.h"

namespace dorv {

namespace {

// clang-format off
const LanguageTexts Present = {"připojeno", "present", "vorhanden", "présent"};
const LanguageTexts Absent = {"nepřipojeno", "absent", "nicht vorhanden", "absent"};
const LanguageTexts SerialDevices = {"Sériová zařízení…", "Serial devices…", "Serielle Geräte…", "Périphériques série…"};
const LanguageTexts ColumnPath = {"Zařízení", "Device", "Gerät", "Périphérique"};
const LanguageTexts ColumnStable = {"Stálé jméno", "Stable name", "Fester Name", "Nom stable"};
const LanguageTexts ColumnDescription = {"Popis", "Description", "Beschreibung", "Description"};
const LanguageTexts ColumnMaker = {"Výrobce", "Maker", "Hersteller", "Fabricant"};
const LanguageTexts ColumnSerial = {"Výrobní číslo", "Serial number", "Seriennummer", "Numéro de série"};
const LanguageTexts Disconnected = {"Zařízení odpojeno", "Device disconnected", "Gerät getrennt", "Périphérique déconnecté"};
// %1 device
const LanguageTexts Reconnected = {"Zařízení %1 opět připojeno", "Device %1 connected again", "Gerät %1 wieder verbunden", "Périphérique %1 reconnecté"};
// %1 COM name, %2 device
const LanguageTexts AutoMapped = {"%1 přiřazen k jedinému USB zařízení %2", "%1 mapped to the only USB device, %2", "%1 dem einzigen USB-Gerät %2 zugeordnet", "%1 associé au seul périphérique USB, %2"};
const LanguageTexts Several = {"Je připojeno více USB zařízení: vyberte jedno v nabídce Com > Sériová zařízení…", "Several USB devices are present: choose one in Com > Serial devices…", "Mehrere USB-Geräte vorhanden: wählen Sie eines unter Com > Serielle Geräte…", "Plusieurs périphériques USB sont présents : choisissez-en un dans Com > Périphériques série…"};
// clang-format on

} // namespace

QString ComItemText(int portIndex, const ComItemState& state, Language language) {
    return QStringLiteral("Com %1\t%2 (%3)")
        .arg(portIndex + 1)
        .arg(QString::fromStdString(state.Device),
             TextFor(state.Present ? Present : Absent, language));
}

QString SerialDevicesText(Language language) {
    return TextFor(SerialDevices, language);
}

QStringList SerialDeviceColumns(Language language) {
    return {TextFor(ColumnPath, language), TextFor(ColumnStable, language),
            TextFor(ColumnDescription, language), TextFor(ColumnMaker, language),
            TextFor(ColumnSerial, language)};
}

QString DeviceDisconnectedText(Language language) {
    return TextFor(Disconnected, language);
}

QString DeviceReconnectedText(const std::string& device, Language language) {
    return TextFor(Reconnected, language).arg(QString::fromStdString(device));
}

QString AutoMappedText(int portIndex, const std::string& device, Language language) {
    return TextFor(AutoMapped, language)
        .arg(QString::fromStdString(ComPortName(portIndex)), QString::fromStdString(device));
}

QString SeveralDevicesText(Language language) {
    return TextFor(Several, language);
}

} // namespace dorv
