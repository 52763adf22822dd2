// The general page of the main window: TPS limits, number of pulses, identity, file and count.
#pragma once

#include "ElidedLabel.h"
#include "ParameterImage.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
class TEditUpDown;

// The controls of the general page ("Miscellaneous") and the binding of its fields to the image:
// the TPS 0 % and 100 % voltages with their capture buttons, the number of pulses, the logo, the
// unit's identity, the current file and the programming count (which the live panel fills).
class TGeneralPage {
public:
    // Creates the controls on the page at their designed places.
    void Create(QWidget* page);
    // The page's editors into the image.
    void Pack(dorv::ParameterImage& image) const;
    // The image into the page's editors. A stored number of pulses outside the three items
    // leaves none selected.
    void Fill(const dorv::ParameterImage& image);
    // The unit's version, date and time.
    void ShowIdentity(const dorv::IdentityTexts& identity);
    // Gives the file label the room between "File:" and the programming count.
    void PlaceFileLabel();

    QGroupBox* GroupBoxSetTps = nullptr;
    QLabel* LabelTps0 = nullptr;
    TEditUpDown* UpDownTps0 = nullptr;
    QPushButton* ButtonTps0 = nullptr;
    QLabel* LabelTps100 = nullptr;
    TEditUpDown* UpDownTps100 = nullptr;
    QPushButton* ButtonTps100 = nullptr;
    QGroupBox* RadioGroupPocPulsu = nullptr; // the number of pulses
    QButtonGroup* RadioGroupPocPulsuItems = nullptr;
    QWidget* ImageLogo = nullptr;
    QLabel* LabelVerze1 = nullptr; // the unit's program version
    QLabel* LabelVerze2 = nullptr; // its date
    QLabel* LabelVerze3 = nullptr; // its time
    QLabel* LabelFile1 = nullptr;
    TElidedLabel* LabelFile2 = nullptr; // the current file's full path, shown shortened
    QLabel* LabelPocetProgramovani = nullptr;
};
