// The about box: logo, maker's lines, the date and time the program was built, its licence.
#pragma once

#include <QDialog>

#include <array>

class QLabel;

// A small modal box, created once, at the first Help > About, and shown again on every one after.
// Its caption and texts follow the language in force each time it is shown.
class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    // The build stamp: "Mmm dd yyyy" (day padded with a blank) and "hh:mm:ss".
    static QString BuildDate();
    static QString BuildTime();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void CentreOnScreen();
    QLabel* AddLabel(const QString& name, const QString& text, int left, int top, int pixelSize);

    QLabel* Image1 = nullptr;
    std::array<QLabel*, 6> LabelMaker{}; // the maker's name and address lines
    QLabel* LabelDate = nullptr;
    QLabel* LabelTime = nullptr;
    QLabel* LabelLicence = nullptr; // GPL-3.0-or-later
    QLabel* LabelExit = nullptr;
};
