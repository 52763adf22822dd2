// The printed report: print view, heading, printing the window on one page.
#include "Hlav.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "Cgauges.h"
#include "Cspin.h"
#include "EditUpDown.h"
#include "Jazyk1.h"

namespace {

// The heading of the report: Czech, English, and the English text for German; none in French.
const dorv::LanguageTexts HeadingTexts{"Datum a čas tisku:  ", "Date and Time of printing:  ",
                                       "Date and Time of printing:  ", nullptr};
const dorv::LanguageTexts PrintFileTitle{"Tisk do souboru PDF", "Print to PDF file",
                                         "Drucken in PDF-Datei", "Imprimer dans un fichier PDF"};
const dorv::LanguageTexts PrintFailedText{
    "Tisk se nezdařil:", "Printing failed:", "Drucken fehlgeschlagen:", "L'impression a échoué:"};

QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The heading followed by the date in the short and the time in the long regional format.
std::optional<QString> PrintHeading(unsigned language) {
    if (language >= HeadingTexts.size() || HeadingTexts[language] == nullptr)
        return std::nullopt;
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return QString::fromUtf8(HeadingTexts[language]) +
           locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
           locale.toString(now.time(), QLocale::LongFormat);
}

// With no printer installed the report goes into a PDF file the user names.
std::optional<QString> AskForPdfFile(QWidget* parent) {
    QFileDialog dialog(parent, dorv::TextFor(PrintFileTitle, dorv::CurrentLanguage));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> DefaultPrintTarget(QWidget* parent) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        return QString();
    return AskForPdfFile(parent);
}

// Draws source of widget as large as fits on the printer's page, aspect kept, centred across.
bool PrintFitToPage(QPrinter& printer, QWidget* widget, const QRect& source) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = std::min(page.width() / source.width(), page.height() / source.height());
    painter.translate((page.width() - source.width() * scale) / 2, 0);
    painter.scale(scale, scale);
    widget->render(&painter, QPoint(), QRegion(source),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

} // namespace

void TFormHlav::SpeedButtonPrintClick() {
    SetBackground(LabelHlaseni, ButtonFace());
    ShowPrintHeading();
    LabelHlaseni->show();
    SetBackground(this, Qt::white);
    CGaugeProgram->hide();
    SetPrintView(true);
    const QString failure = PrintWindow();
    // Restored whether the print went out, failed or was cancelled.
    SetBackground(this, ButtonFace());
    SetPrintView(false);
    ShowServoEditors();
    if (!failure.isEmpty())
        QMessageBox::warning(this, windowTitle(),
                             dorv::TextFor(PrintFailedText, dorv::CurrentLanguage) +
                                 QLatin1Char('\n') + failure);
}

// The heading stays on screen for the message time after printing, then goes with the message.
void TFormHlav::ShowPrintHeading() {
    if (const std::optional<QString> heading = PrintHeading(dorv::CurrentLanguage)) {
        LabelHlaseni->setText(*heading);
        LabelHlaseni->adjustSize();
    }
}

// Prints the client area on one page; returns what failed, empty when printed or cancelled.
QString TFormHlav::PrintWindow() {
    const std::optional<QString> target =
        ChoosePrintTarget ? ChoosePrintTarget() : DefaultPrintTarget(this);
    if (!target)
        return {};
    QPrinter printer(QPrinter::HighResolution);
    if (!target->isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*target);
    }
    const QRect clientArea(0, centralWidget()->y(), width(), height() - centralWidget()->y());
    if (PrintFitToPage(printer, this, clientArea))
        return {};
    return target->isEmpty() ? printer.printerName() : *target;
}

void TFormHlav::SetPrintView(bool printView) {
    PrintView = printView;
    if (printView) {
        std::vector<QWidget*> operation{StatusBar1,   ImageLogo,  GroupBoxToolBar, LabelSpojeni,
                                        ButtonMinus,  ButtonPlus, CheckBoxAll,     ButtonTps0,
                                        ButtonTps100, CGaugeRpm,  CGaugeTps};
        operation.insert(operation.end(), CSpinButtonColumn.begin(), CSpinButtonColumn.end());
        hiddenForPrint_.clear();
        for (QWidget* control : operation)
            if (!control->isHidden()) {
                control->hide();
                hiddenForPrint_.push_back(control);
            }
    } else {
        for (QWidget* control : hiddenForPrint_)
            control->show();
        hiddenForPrint_.clear();
    }

    std::vector<TEditUpDown*> upDowns{UpDownTps0, UpDownTps100, UpDownHystMv, UpDownHystRpm};
    upDowns.insert(upDowns.end(), UpDownRpm.begin(), UpDownRpm.end());
    for (const auto& row : UpDownServo)
        upDowns.insert(upDowns.end(), row.begin(), row.end());
    for (TEditUpDown* upDown : upDowns)
        upDown->setButtonSymbols(printView ? QAbstractSpinBox::NoButtons
                                           : QAbstractSpinBox::UpDownArrows);

    for (int page = 0; page < PageControl1->count(); ++page)
        PageControl1->setTabVisible(page, !printView || page == PageControl1->currentIndex());

    for (QLabel* label : LabelRowTps)
        SetBackground(label, Qt::white);
}
