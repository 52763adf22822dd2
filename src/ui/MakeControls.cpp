// The makers of the window's designed controls: labels, push buttons, glyph buttons, face colours.
#include "MakeControls.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPalette>
#include <QPushButton>
#include <QToolButton>

#include "LiveDisplay.h"

namespace dorv {

QFont FontOfHeight(const QWidget* widget, int pixelSize, bool bold) {
    QFont font = widget->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

namespace {

// Fits an auto-sizing label to its text when it is shown. A hidden label is measured only then,
// so the fonts of labels that most runs never show are not loaded while the window is built.
class FitWhenShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            FitLabel(static_cast<QLabel*>(watched));
        return false;
    }
};

// One for all labels, owned by the application (made again for an application made later).
QObject* FitWhenShownFilter() {
    static QPointer<QObject> filter;
    if (!filter)
        filter = new FitWhenShown(QCoreApplication::instance());
    return filter;
}

// An auto-sizing label at its place; it is measured when the window fits its texts.
QLabel* PlaceLabel(QLabel* label, const char* name, QPoint at) {
    label->setObjectName(QLatin1String(name));
    label->setProperty(AutoSizeProperty, true);
    label->move(at);
    label->installEventFilter(FitWhenShownFilter());
    return label;
}

} // namespace

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    return PlaceLabel(new QLabel(text, parent), name, at);
}

QLabel* MakeLiveLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                      int pixelSize, bool bold, LabelStart start) {
    auto* label = new QLabel(text, parent);
    label->setFont(FontOfHeight(parent, pixelSize, bold));
    if (start == LabelStart::Hidden)
        label->hide();
    return PlaceLabel(label, name, at);
}

void SetFaceColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton* MakePushButton(QWidget* parent, const char* name, const QString& text, QRect at) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(at);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

QPushButton* MakeLayoutButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QToolButton* MakeGlyphButton(QWidget* parent, const char* name, const QIcon& glyph, QRect at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(glyph);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(at);
    return button;
}

} // namespace dorv
