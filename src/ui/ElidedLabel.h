// A label that keeps its whole text but shows it shortened in the middle when it is too wide.
#pragma once

#include <QLabel>

// A one-line label of fixed size. text() is the whole text (a file's full path, say); when that is
// wider than the label, the label draws it with its middle replaced by an ellipsis, and its tooltip
// gives the whole text.
class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget* parent = nullptr);

    // What the label draws: the text, shortened in the middle to the label's width if need be.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
