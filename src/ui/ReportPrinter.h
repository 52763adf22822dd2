// The printed report of the main window: the print view and the client area on one page.
#pragma once

#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;
class TFormHlav;

// File > Print: the window's client area in print view (what only serves operation hidden, the
// up-downs without arrows, only the active page's tab, the row labels on white) with the print
// heading on the transfer line, drawn as vector drawing on one page of the default printer or of
// a PDF file.
class TReportPrinter {
public:
    explicit TReportPrinter(TFormHlav& window) : window_(window) {}

    // Asks where the report goes, then prints it; a failure is told in a box.
    void Print();
    // Hides (on) or shows (off) what only serves operation; the row labels get a white ground.
    void SetPrintView(bool printView);
    bool PrintView = false; // on only while the report is being printed
    // The part of the client area (the central widget's content) the report shows, in the client
    // area's coordinates: the controls that show there, with a small white margin.
    QRect PrintedArea() const;
    // Where the report goes, asked first: an empty name is the default printer, a name is a PDF
    // file, no value means the choice was cancelled. Empty, it takes the default printer or, with
    // no printer installed, asks for a PDF file.
    std::function<std::optional<QString>()> ChoosePrintTarget;

private:
    // Prints the client area on one page: an empty target is the default printer, otherwise the
    // PDF file of that name. Returns what failed, empty when printed.
    QString PrintWindow(const QString& target);

    TFormHlav& window_;
    std::vector<QWidget*> hiddenForPrint_; // what SetPrintView(true) hid, shown again when off
};
