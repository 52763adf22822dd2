// The general page of the main window: TPS limits, number of pulses, identity, file and count.
#include "GeneralPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "EditUpDown.h"
#include "EditorValues.h"
#include "LiveDisplay.h"
#include "MakeControls.h"

using dorv::Byte;
using dorv::MakeLabel;
using dorv::MakePushButton;

namespace {

// The logo of the general page: the product name in a framed field. Drawn when painted, so its
// large font is loaded at the first paint, not while the window is built.
class TLogo : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 0, 128), 3));
        painter.drawRoundedRect(QRectF(4, 8, 226, 87), 14, 14);
        QFont font;
        font.setPixelSize(56);
        font.setBold(true);
        font.setItalic(true);
        painter.setFont(font);
        painter.drawText(QRect(4, 8, 226, 87), Qt::AlignCenter, QStringLiteral("DORV"));
    }
};

} // namespace

void TGeneralPage::Create(QWidget* page) {
    GroupBoxSetTps = new QGroupBox(QStringLiteral("TPS"), page);
    GroupBoxSetTps->setObjectName(QStringLiteral("GroupBoxSetTps"));
    GroupBoxSetTps->setGeometry(8, 4, 284, 107);
    LabelTps0 = MakeLabel(GroupBoxSetTps, "LabelTps0", QStringLiteral("0%  [mV]"), {33, 30});
    UpDownTps0 =
        TEditUpDown::Create(GroupBoxSetTps, QStringLiteral("EditTps0"),
                            QStringLiteral("UpDownTps0"), {96, 26, 56, 21}, dorv::Tps0Range);
    UpDownTps0->SetPosition(200);
    ButtonTps0 =
        MakePushButton(GroupBoxSetTps, "ButtonTps0", QStringLiteral("TPS 0 %"), {192, 24, 75, 25});
    LabelTps100 = MakeLabel(GroupBoxSetTps, "LabelTps100", QStringLiteral("100%  [mv]"), {21, 69});
    UpDownTps100 =
        TEditUpDown::Create(GroupBoxSetTps, QStringLiteral("EditTps100"),
                            QStringLiteral("UpDownTps100"), {96, 66, 56, 21}, dorv::Tps100Range);
    UpDownTps100->SetPosition(2600);
    ButtonTps100 = MakePushButton(GroupBoxSetTps, "ButtonTps100", QStringLiteral("TPS 100 %"),
                                  {192, 64, 75, 25});

    RadioGroupPocPulsu = new QGroupBox(QStringLiteral("Number of pulses"), page);
    RadioGroupPocPulsu->setObjectName(QStringLiteral("RadioGroupPocPulsu"));
    RadioGroupPocPulsu->setGeometry(326, 7, 235, 103);
    RadioGroupPocPulsuItems = new QButtonGroup(RadioGroupPocPulsu);
    const QStringList items{QStringLiteral("One per two revolution"),
                            QStringLiteral("One per one revolution"),
                            QStringLiteral("Two per one revolution")};
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], RadioGroupPocPulsu);
        item->setObjectName(QStringLiteral("RadioGroupPocPulsuItem%1").arg(i));
        item->setGeometry(8, 18 + 27 * i, 220, 20);
        RadioGroupPocPulsuItems->addButton(item, i);
    }
    RadioGroupPocPulsuItems->button(0)->setChecked(true);

    ImageLogo = new TLogo(page);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setGeometry(11, 270, 234, 103);

    LabelVerze2 = MakeLabel(page, "LabelVerze2", QStringLiteral("25.02.2002"), {296, 387});
    LabelVerze3 = MakeLabel(page, "LabelVerze3", QStringLiteral("16:21"), {368, 387});
    LabelVerze1 = MakeLabel(page, "LabelVerze1", QStringLiteral("-----"), {416, 387});
    LabelFile1 = MakeLabel(page, "LabelFile1", QStringLiteral("File:"), {482, 387});
    LabelPocetProgramovani = MakeLabel(page, "LabelPocetProgramovani",
                                       QStringLiteral("Number of Programing: -----"), {722, 387});
    // The file's path has a fixed room up to the count: it is set while its page may be hidden,
    // and a long path is shortened in the middle instead of running under the count.
    LabelFile2 = new TElidedLabel(page);
    LabelFile2->setObjectName(QStringLiteral("LabelFile2"));
    PlaceFileLabel();
}

void TGeneralPage::PlaceFileLabel() {
    constexpr int DesignedLeft = 530;
    constexpr int Gap = 6;
    const int left = std::max(DesignedLeft, LabelFile1->geometry().right() + 1 + Gap);
    const int right = LabelPocetProgramovani->x() - Gap;
    LabelFile2->setGeometry(left, LabelFile1->y(), std::max(0, right - left),
                            std::max(LabelFile1->height(), LabelFile2->sizeHint().height()));
}

void TGeneralPage::ShowIdentity(const dorv::IdentityTexts& identity) {
    dorv::SetLabelText(LabelVerze1, QString::fromStdString(identity.VersionText));
    dorv::SetLabelText(LabelVerze2, QString::fromStdString(identity.DateText));
    dorv::SetLabelText(LabelVerze3, QString::fromStdString(identity.TimeText));
}

void TGeneralPage::Pack(dorv::ParameterImage& image) const {
    image.Tps0() = dorv::Tps0Stored(UpDownTps0->Position());
    image.Tps100() = dorv::Tps100Stored(UpDownTps100->Position());
    image.PulsesMode() = static_cast<Byte>(RadioGroupPocPulsuItems->checkedId());
}

void TGeneralPage::Fill(const dorv::ParameterImage& image) {
    UpDownTps0->SetPosition(dorv::Tps0Shown(image.Tps0()));
    UpDownTps100->SetPosition(dorv::Tps100Shown(image.Tps100()));
    // A stored choice outside the three items leaves none selected, as an item index would.
    QAbstractButton* item = RadioGroupPocPulsuItems->button(image.PulsesMode());
    if (item) {
        item->setChecked(true);
    } else if (QAbstractButton* checked = RadioGroupPocPulsuItems->checkedButton()) {
        RadioGroupPocPulsuItems->setExclusive(false);
        checked->setChecked(false);
        RadioGroupPocPulsuItems->setExclusive(true);
    }
}
