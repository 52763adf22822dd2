// Answering the message boxes a window opens during a test, and noting what they showed.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMap>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace dorv::testing {

// What the message boxes showed before they were answered: the last one's texts and buttons.
struct BoxSeen {
    QString Text;
    QString Details; // the informative text
    QMessageBox::StandardButtons Buttons;
    QMap<QMessageBox::StandardButton, QString> ButtonTexts;
    int Count = 0;
    QStringList All; // every box's text and informative text, in turn
};

enum class Answering { EveryBox, NextBoxOnly };

// Answers the modal boxes that open with `answer` (a box without that button is rejected), while
// context lives: every box, or only the next one.
inline std::shared_ptr<BoxSeen> AnswerBoxes(QObject* context, QMessageBox::StandardButton answer,
                                            Answering answering = Answering::EveryBox) {
    auto seen = std::make_shared<BoxSeen>();
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, timer, [seen, answer, answering, timer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->Text = box->text();
        seen->Details = box->informativeText();
        seen->Buttons = box->standardButtons();
        seen->ButtonTexts.clear();
        for (QAbstractButton* button : box->buttons())
            seen->ButtonTexts[box->standardButton(button)] = button->text();
        ++seen->Count;
        seen->All << box->text() + QLatin1Char('\n') + box->informativeText();
        if (answering == Answering::NextBoxOnly)
            timer->stop();
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
    });
    timer->start(10);
    return seen;
}

} // namespace dorv::testing
