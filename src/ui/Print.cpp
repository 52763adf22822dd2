// The printed report: print view, heading, the window's controls printed as drawing on one page.
#include "ReportPrinter.h"

#include "Hlav.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "Cgauges.h"
#include "Cspin.h"
#include "EditUpDown.h"
#include "Jazyk1.h"
#include "LazyFileDialog.h"
#include "ServoTable.h"

namespace {

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
std::optional<QString> PrintHeading(dorv::Language language) {
    if (!dorv::HasOwnCaption(&dorv::LanguageCaptions::PrintHeading, language))
        return std::nullopt;
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return dorv::CaptionFor(&dorv::LanguageCaptions::PrintHeading, language) +
           locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
           locale.toString(now.time(), QLocale::LongFormat);
}

// With no printer installed the report goes into a PDF file the user names.
std::optional<QString> AskForPdfFile(QWidget* parent) {
    QFileDialog dialog(parent, dorv::MessageFor(&dorv::LanguageMessages::MsgPrintFileTitle,
                                                dorv::CurrentLanguage));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    const QString chosen = dorv::ExecFileDialog(&dialog);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> DefaultPrintTarget(QWidget* parent) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        return QString();
    return AskForPdfFile(parent);
}

constexpr int PrintedMargin = 4; // white round the printed controls, in window pixels

// An up-down without its arrows, as the framed edit it then is. The style paints a spin box
// through a small picture of its own, which would go into the report as one image per cell.
void DrawEditPanel(QPainter& painter, QAbstractSpinBox* upDown) {
    QStyleOptionFrame panel;
    panel.initFrom(upDown);
    panel.rect = upDown->rect();
    panel.lineWidth = upDown->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, upDown);
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    panel.state &= ~QStyle::State_HasFocus;
    upDown->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, upDown);
}

constexpr int GroupTitleGap = 3; // below a group box's title line to its frame, as on screen

// A group box as a frame line with its title above. The style draws the frame from small shaded
// pictures, which would print as images with a grey ground under every control in the box.
void DrawGroupFrame(QPainter& painter, QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!option.text.isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    const QStyle* style = box->style();
    const QRect label =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    QRect frame =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box);
    if (!option.text.isEmpty())
        frame.setTop(std::max(style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, box),
                              option.fontMetrics.height()) +
                     GroupTitleGap);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(box->palette().color(QPalette::Mid), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.restore();
    painter.setFont(box->font());
    if (!option.text.isEmpty())
        style->drawItemText(&painter, label,
                            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->palette(),
                            box->isEnabled(), option.text, QPalette::WindowText);
}

// Draws the control, then the children that show above it, each confined to where it shows on
// screen; clip is in the coordinates of the control's parent, as the painter is.
// Each control is recorded as drawing commands (a QPicture) and played on the printer, so text
// stays text: QWidget::render straight onto a printer paints through one picture of the whole
// area in printer pixels, which makes the report a single large image. The recording carries the
// control's clip, which on screen the window system gives and some controls rely on (the selected
// tab, for one, fills a band below its bar); the printer's engine has no such clip of its own.
void DrawControl(QPainter& painter, QWidget* control, const QRectF& clip, bool asRoot) {
    const QRectF shown = clip & QRectF(control->geometry());
    if (shown.isEmpty())
        return;
    QPicture recording;
    QPainter recorder(&recording);
    recorder.setClipRect(shown.translated(-control->pos()));
    if (auto* upDown = qobject_cast<QAbstractSpinBox*>(control);
        upDown && upDown->buttonSymbols() == QAbstractSpinBox::NoButtons)
        DrawEditPanel(recorder, upDown);
    else if (auto* box = qobject_cast<QGroupBox*>(control); box && !box->isCheckable())
        DrawGroupFrame(recorder, box);
    else
        control->render(&recorder, QPoint(), QRegion(control->rect()),
                        asRoot ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    recorder.end();

    painter.save();
    painter.translate(control->pos());
    painter.save();
    // A recording plays scaled from the screen's resolution to that of the painter's device.
    const qreal played = qreal(painter.device()->logicalDpiX()) / recording.logicalDpiX();
    painter.scale(1 / played, 1 / played);
    painter.drawPicture(0, 0, recording);
    painter.restore();
    for (QObject* child : control->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !widget->isHidden())
            DrawControl(painter, widget, shown.translated(-control->pos()), false);
    }
    painter.restore();
}

qreal FitScale(const QSizeF& page, const QSizeF& area) {
    return std::min(page.width() / area.width(), page.height() / area.height());
}

// The orientation in which the area is printed larger: landscape for a wide window.
QPageLayout::Orientation BetterOrientation(const QPrinter& printer, const QSizeF& area) {
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    const qreal portrait = FitScale(layout.paintRect().size(), area);
    layout.setOrientation(QPageLayout::Landscape);
    const qreal landscape = FitScale(layout.paintRect().size(), area);
    return landscape > portrait ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Prints the area of the control (in the coordinates of the control's parent) as large as fits on
// the printable part of the page, aspect kept, centred across, in the orientation that fits it
// better.
bool PrintFitToPage(QPrinter& printer, QWidget* control, const QRect& area) {
    printer.setPageOrientation(BetterOrientation(printer, area.size()));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = FitScale(page.size(), area.size());
    painter.translate((page.width() - area.width() * scale) / 2, 0);
    painter.scale(scale, scale);
    painter.translate(-area.topLeft());
    DrawControl(painter, control, area, true);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

// While it lives, the report's ground is white under every control: the window's background and
// button face (the page frame and the tab take it), and every control filled with the button
// face (the live values, the message label, the check box). Controls in a colour that means
// something (red, yellow, the operating cell's lime) keep it. The palettes are put back as they
// were when it goes.
class WhiteGround {
public:
    explicit WhiteGround(QWidget* window) {
        const QColor face = ButtonFace();
        Whiten(window);
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control->autoFillBackground() && control->palette().color(QPalette::Window) == face)
                Whiten(control);
    }
    ~WhiteGround() {
        for (const auto& [control, palette] : saved_)
            if (control)
                control->setPalette(palette);
    }
    WhiteGround(const WhiteGround&) = delete;
    WhiteGround& operator=(const WhiteGround&) = delete;

private:
    void Whiten(QWidget* control) {
        saved_.emplace_back(control, control->palette());
        QPalette white = control->palette();
        white.setColor(QPalette::Window, Qt::white);
        white.setColor(QPalette::Button, Qt::white);
        control->setPalette(white);
    }
    std::vector<std::pair<QPointer<QWidget>, QPalette>> saved_;
};

// While it lives, the edit with the keyboard focus shows no text cursor (as a read-only edit
// does): a report shows values, not where typing would go. Nothing else of the edit changes.
class NoTextCursor {
public:
    explicit NoTextCursor(QWidget* window) {
        for (QLineEdit* edit : window->findChildren<QLineEdit*>())
            if (edit->hasFocus() && !edit->isReadOnly()) {
                edit_ = edit;
                edit->setReadOnly(true);
                return;
            }
    }
    ~NoTextCursor() {
        if (edit_)
            edit_->setReadOnly(false);
    }
    NoTextCursor(const NoTextCursor&) = delete;
    NoTextCursor& operator=(const NoTextCursor&) = delete;

private:
    QPointer<QLineEdit> edit_;
};

constexpr int HeadingGap = 2; // between the heading and a control it is moved below

// While it lives, the heading stands clear of every other control that shows: moved left if it
// runs out of its parent, then down below whatever it would still cover. It goes back when it goes.
class HeadingClear {
public:
    explicit HeadingClear(QWidget* heading) : heading_(heading), place_(heading->pos()) {
        QWidget* parent = heading->parentWidget();
        QRect place = heading->geometry();
        if (place.right() >= parent->width())
            place.moveRight(std::max(parent->width() - 1, place.width() - 1));
        for (bool moved = true; moved;) {
            moved = false;
            for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (other != heading && other->isVisibleTo(parent) &&
                    other->geometry().intersects(place)) {
                    place.moveTop(other->geometry().bottom() + 1 + HeadingGap);
                    moved = true;
                }
        }
        heading->move(place.topLeft());
    }
    ~HeadingClear() { heading_->move(place_); }
    HeadingClear(const HeadingClear&) = delete;
    HeadingClear& operator=(const HeadingClear&) = delete;

private:
    QWidget* heading_;
    QPoint place_;
};

} // namespace

// The target is chosen first, so that the window is in print view only while it is printed.
void TReportPrinter::Print() {
    const std::optional<QString> target =
        ChoosePrintTarget ? ChoosePrintTarget() : DefaultPrintTarget(&window_);
    if (!target)
        return;
    SetBackground(window_.Live.LabelHlaseni, ButtonFace());
    window_.ShowPrintHeading();
    window_.Live.LabelHlaseni->show();
    window_.Live.CGaugeProgram->hide();
    SetPrintView(true);
    // The client area gets its place from the window's layout, which a window not yet shown
    // has not applied.
    window_.ensurePolished();
    window_.layout()->activate();
    QString failure;
    {
        const WhiteGround white(&window_); // the window's background among them
        const HeadingClear heading(window_.Live.LabelHlaseni);
        const NoTextCursor noCursor(&window_);
        failure = PrintWindow(*target);
    }
    // Restored whether the print went out or failed.
    SetPrintView(false);
    window_.ShowServoEditors();
    if (!failure.isEmpty())
        QMessageBox::warning(
            &window_, window_.windowTitle(),
            dorv::MessageFor(&dorv::LanguageMessages::MsgPrintFailed, dorv::CurrentLanguage) +
                QLatin1Char('\n') + failure);
}

void TFormHlav::OnPrint() {
    Printer.Print();
}

// The heading (or, in a language without one, the message shown now) stays on screen for the
// message time, counted down by the tick.
void TFormHlav::ShowPrintHeading() {
    const dorv::TransferDisplay& shown = sequencer_.Display();
    if (const std::optional<QString> heading = PrintHeading(dorv::CurrentLanguage))
        sequencer_.ShowMessage(dorv::MessageId::None, heading->toStdString(), dorv::MessageTime);
    else
        sequencer_.ShowMessage(shown.Message, shown.Suffix, dorv::MessageTime);
    ShowTransferDisplay();
}

// Prints the client area on one page: an empty target is the default printer, otherwise the PDF
// file of that name. Returns what failed, empty when printed.
QString TReportPrinter::PrintWindow(const QString& target) {
    QPrinter printer(QPrinter::HighResolution);
    if (!target.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target);
    }
    if (PrintFitToPage(printer, window_.client_, PrintedArea().translated(window_.client_->pos())))
        return {};
    return target.isEmpty() ? printer.printerName() : target;
}

QRect TReportPrinter::PrintedArea() const {
    QRect area;
    for (const QWidget* control :
         window_.client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisibleTo(window_.client_))
            area |= control->geometry();
    if (area.isEmpty())
        area = window_.client_->rect();
    return area.adjusted(-PrintedMargin, -PrintedMargin, PrintedMargin, PrintedMargin) &
           window_.client_->rect();
}

void TReportPrinter::SetPrintView(bool printView) {
    PrintView = printView;
    if (printView) {
        std::vector<QWidget*> operation{
            window_.StatusBar1,        window_.General.ImageLogo,  window_.Commands.GroupBoxToolBar,
            window_.Live.LabelSpojeni, window_.ButtonMinus,        window_.ButtonPlus,
            window_.CheckBoxAll,       window_.General.ButtonTps0, window_.General.ButtonTps100,
            window_.Live.CGaugeRpm,    window_.Live.CGaugeTps};
        operation.insert(operation.end(), window_.CSpinButtonColumn.begin(),
                         window_.CSpinButtonColumn.end());
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

    std::vector<TEditUpDown*> upDowns{window_.General.UpDownTps0, window_.General.UpDownTps100,
                                      window_.UpDownHystMv, window_.UpDownHystRpm};
    for (TEditUpDown* upDown : upDowns)
        upDown->setButtonSymbols(printView ? QAbstractSpinBox::NoButtons
                                           : QAbstractSpinBox::UpDownArrows);

    for (int page = 0; page < window_.PageControl1->count(); ++page)
        window_.PageControl1->setTabVisible(page, !printView ||
                                                      page == window_.PageControl1->currentIndex());

    window_.ServoTable->SetPrintLook(printView);
    // Back from print view, the operating cell's row label gets its marker again at once: the
    // tick repaints the marker only when the engine moves to another cell.
    if (!printView && window_.highlightedCell_)
        window_.HighlightOperatingCell(*window_.highlightedCell_, true);
}
