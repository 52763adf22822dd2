// Showing the link's messages, colours and live labels on the window's controls.
#include "LiveDisplay.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <limits>

namespace dorv {

QString MessageText(const LanguageMessages& m, MessageId message) {
    switch (message) {
    case MessageId::None:
        break;
    case MessageId::MsgProgramming:
        return m.MsgProgramming;
    case MessageId::MsgVerifying:
        return m.MsgVerifying;
    case MessageId::MsgReading:
        return m.MsgReading;
    case MessageId::MsgSaving:
        return m.MsgSaving;
    case MessageId::MsgProgramError:
        return m.MsgProgramError;
    case MessageId::MsgVerifyError:
        return m.MsgVerifyError;
    case MessageId::MsgReadError:
        return m.MsgReadError;
    case MessageId::MsgVersionMismatch:
        return m.MsgVersionMismatch;
    case MessageId::MsgComOpenError:
        return m.MsgComOpenError;
    case MessageId::MsgServoDesired:
        return m.MsgServoDesired;
    case MessageId::MsgServoMeasured:
        return m.MsgServoMeasured;
    case MessageId::MsgProgramCount:
        return m.MsgProgramCount;
    }
    return {};
}

QString MessageWithSuffix(const LanguageMessages& messages, MessageId message,
                          const std::string& suffix) {
    return MessageText(messages, message) + QString::fromStdString(suffix);
}

QColor StatusColourOf(StatusColour colour, const QPalette& palette) {
    switch (colour) {
    case StatusColour::Red:
        return Qt::red;
    case StatusColour::Yellow:
        return Qt::yellow;
    case StatusColour::Normal:
        break;
    }
    return palette.color(QPalette::Button);
}

void SetRoleColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    const bool fills = role != QPalette::Window || widget->autoFillBackground();
    if (widget->palette().color(role) == colour && fills)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

namespace {

bool TextsFit(const QFont& font, int room, const QStringList& texts) {
    const QFontMetrics metrics(font);
    return std::all_of(texts.cbegin(), texts.cend(), [&](const QString& text) {
        return metrics.horizontalAdvance(text) <= room;
    });
}

} // namespace

int FittedPixelSize(const QFont& font, int room, const QStringList& texts, const QFont& guide) {
    const int largest = font.pixelSize();
    int size = largest;
    qreal widest = 0;
    const QFontMetricsF guideMetrics(guide);
    for (const QString& text : texts)
        widest = std::max(widest, guideMetrics.horizontalAdvance(text));
    if (widest > 0 && guide.pixelSize() > 0) {
        // A text's width grows in proportion to the size, to within a tenth of a per cent in the
        // usual fonts: the sizes whose estimate is clearly over the room are not tried.
        constexpr qreal Rounding = 1.005;
        const qreal perPixel = widest / guide.pixelSize();
        size = std::clamp(static_cast<int>(std::floor(room * Rounding / perPixel)),
                          MinimumFittedPixelSize, largest);
    }
    QFont fitted = font;
    for (; size > MinimumFittedPixelSize; --size) {
        fitted.setPixelSize(size);
        if (TextsFit(fitted, room, texts))
            break;
    }
    return size;
}

QStringList WidestServoTexts(const LanguageMessages& messages) {
    MonitorReport widest;
    widest.ServoMeasuredMv.fill(std::numeric_limits<std::uint16_t>::max());
    widest.ServoRequiredMv.fill(std::numeric_limits<std::uint16_t>::max());
    const std::optional<MonitorValues> shown = DecodeMonitorFrame(EncodeMonitorFrame(widest));
    QStringList texts;
    if (!shown)
        return texts;
    for (const ShownValue* label : {&shown->Servo1Required, &shown->Servo1Measured,
                                    &shown->Servo2Required, &shown->Servo2Measured})
        texts << MessageWithSuffix(messages, label->Message, label->Text);
    return texts;
}

void SetPixelSize(QLabel* label, int pixelSize) {
    if (label->font().pixelSize() == pixelSize)
        return;
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
}

void FitLabel(QLabel* label) {
    const QSize fitted = label->sizeHint();
    if (label->size() != fitted)
        label->resize(fitted);
}

void SetLabelText(QLabel* label, const QString& text) {
    if (label->text() == text)
        return;
    label->setText(text);
    if (!label->isHidden()) // a hidden one is fitted when shown
        FitLabel(label);
}

void ShowMonitorLabel(QLabel* label, const ShownValue& shown, const LanguageMessages& messages) {
    SetLabelText(label, MessageWithSuffix(messages, shown.Message, shown.Text));
    SetRoleColour(label, QPalette::Window, StatusColourOf(shown.Colour, label->palette()));
}

} // namespace dorv
