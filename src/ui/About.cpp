// The about box: logo, maker's lines, the date and time the program was built, its licence.
#include "About.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <array>
#include <iterator>

#include "Jazyk1.h"

namespace {

constexpr int BoxWidth = 281;
constexpr int BoxHeight = 402;
constexpr int Left = 32;

// The maker's lines from the top.
const std::array<QString dorv::LanguageCaptions::*, 6> MakerLines = {
    &dorv::LanguageCaptions::AboutProduct, &dorv::LanguageCaptions::AboutUnit,
    &dorv::LanguageCaptions::AboutTool,    &dorv::LanguageCaptions::AboutVersion,
    &dorv::LanguageCaptions::AboutService, &dorv::LanguageCaptions::AboutServiceWhere};
constexpr int MakerLineTops[] = {132, 157, 182, 207, 243, 268};

constexpr int LicenceTop = 365;

QPixmap Logo() {
    QPixmap logo(161, 81);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 3));
    p.drawEllipse(QRect(4, 4, 72, 72));
    p.drawLine(40, 40, 66, 16); // the servo arm
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(QPoint(40, 40), 5, 5);
    QFont f(QStringLiteral("Sans"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(82, 0, 79, 81), Qt::AlignCenter, QStringLiteral("DORV"));
    return logo;
}

} // namespace

TFormAbout::TFormAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormAbout"));
    setModal(true);
    setFixedSize(BoxWidth, BoxHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    setWindowTitle(
        dorv::CaptionFor(&dorv::LanguageCaptions::AboutCaption, dorv::Language::English));

    // The logo is drawn when the box is first shown: most runs never open it.
    Image1 = AddLabel(QStringLiteral("Image1"), {}, Left, 24, 0);
    Image1->resize(161, 81);
    for (std::size_t line = 0; line < std::size(MakerLines); ++line)
        LabelMaker[line] = AddLabel(QStringLiteral("LabelMaker%1").arg(line + 1),
                                    dorv::CaptionFor(MakerLines[line], dorv::Language::English),
                                    Left, MakerLineTops[line], 16);
    LabelDate = AddLabel(QStringLiteral("LabelDate"), {}, Left, 313, 0);
    LabelTime = AddLabel(QStringLiteral("LabelTime"), {}, Left, 335, 0);
    LabelLicence =
        AddLabel(QStringLiteral("LabelLicence"),
                 dorv::CaptionFor(&dorv::LanguageCaptions::AboutLicence, dorv::Language::English),
                 Left, LicenceTop, 0);
    LabelExit = AddLabel(QStringLiteral("LabelExit"), QStringLiteral("OK"), 216, 320, 23);
    LabelExit->setCursor(Qt::PointingHandCursor);
    LabelExit->installEventFilter(this);
    FormCreate();
}

QLabel* TFormAbout::AddLabel(const QString& name, const QString& text, int left, int top,
                             int pixelSize) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    if (pixelSize > 0) {
        QFont f = label->font();
        f.setPixelSize(pixelSize);
        label->setFont(f);
    }
    label->move(left, top);
    label->adjustSize();
    return label;
}

QString TFormAbout::BuildDate() {
    return QStringLiteral(__DATE__);
}

QString TFormAbout::BuildTime() {
    return QStringLiteral(__TIME__);
}

void TFormAbout::FormCreate() {
    LabelDate->setText(BuildDate());
    LabelDate->adjustSize();
    LabelTime->setText(BuildTime());
    LabelTime->adjustSize();
    CentreOnScreen();
}

// Each half is an integer division, as the window's own centring does.
void TFormAbout::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    move(area.x() + area.width() / 2 - BoxWidth / 2, area.y() + area.height() / 2 - BoxHeight / 2);
}

// The caption and the maker's lines follow the language at every showing; a language without a
// caption keeps the last.
void TFormAbout::FormActivate() {
    if (dorv::HasOwnCaption(&dorv::LanguageCaptions::AboutCaption, dorv::CurrentLanguage)) {
        setWindowTitle(
            dorv::CaptionFor(&dorv::LanguageCaptions::AboutCaption, dorv::CurrentLanguage));
    }
    for (std::size_t line = 0; line < std::size(MakerLines); ++line) {
        LabelMaker[line]->setText(dorv::CaptionFor(MakerLines[line], dorv::CurrentLanguage));
        LabelMaker[line]->adjustSize();
    }
    LabelLicence->setText(
        dorv::CaptionFor(&dorv::LanguageCaptions::AboutLicence, dorv::CurrentLanguage));
    LabelLicence->adjustSize();
}

void TFormAbout::showEvent(QShowEvent* event) {
    if (Image1->pixmap().isNull())
        Image1->setPixmap(Logo());
    FormActivate();
    QDialog::showEvent(event);
}

// The "OK" text is a plain label that closes the box when clicked.
bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelExit && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
