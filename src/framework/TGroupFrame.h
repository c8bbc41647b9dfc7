#pragma once
// A group box as the dialog manager draws it: an etched frame and its caption, nothing
// inside. The dialog draws it as part of its background (Draw, from EraseBackground), so
// everything the dialog paints lies over it; the widget itself paints nothing.

#include <QGroupBox>

class TGroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

    void Draw(QPainter& painter, const QColor& background) const;

protected:
    void paintEvent(QPaintEvent*) override {}
};
