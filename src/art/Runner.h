#pragma once
// A running figure drawn from its stride phase, so one drawing serves the
// small pictograms, the icon, the title picture and every banner frame.

#include <QColor>
#include <QPointF>

class QPainter;

class Runner {
public:
    // Draws a figure `height` pixels tall, running to the right, whose lower
    // foot touches the ground line at `ground`. `phase` in radians walks the
    // stride (2 pi is one double step); the far limbs are painted in
    // `farColour`.
    static void Draw(QPainter& painter, QPointF ground, qreal height, qreal phase,
                     const QColor& colour, const QColor& farColour);
    // The same figure with hard edges, for pictures under about 24 pixels,
    // where smoothed limbs turn to mush.
    static void DrawCrisp(QPainter& painter, QPointF ground, qreal height, qreal phase,
                          const QColor& colour, const QColor& farColour);
};
