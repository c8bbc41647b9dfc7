#include "art/Trophy.h"

#include "art/ArtPalette.h"
#include "art/PixelCanvas.h"

#include <QPolygon>

using P = ArtPalette;

void Trophy::Draw(PixelCanvas& c, const QRect& r) {
    const int x = r.left(), y = r.top(), w = r.width(), h = r.height();
    const int cupBottom = y + h * 6 / 10;
    // Handles first, so the cup's outline covers their inner ends.
    c.Box(QRect(x, y + h / 8, w / 4 + 1, h * 3 / 10), P::Olive());
    c.Box(QRect(x + w - w / 4 - 1, y + h / 8, w / 4 + 1, h * 3 / 10), P::Olive());
    const QPolygon cup({QPoint(x + w / 6, y), QPoint(x + w - 1 - w / 6, y),
                        QPoint(x + w / 2 + w / 8, cupBottom),
                        QPoint(x + w / 2 - w / 8, cupBottom)});
    c.Polygon(cup, P::Olive());
    const QPolygon inner({QPoint(x + w / 6 + 1, y + 1), QPoint(x + w - 2 - w / 6, y + 1),
                          QPoint(x + w / 2 + w / 8 - 1, cupBottom - 1),
                          QPoint(x + w / 2 - w / 8 + 1, cupBottom - 1)});
    c.Polygon(inner, P::Yellow());
    c.Fill(QRect(x + w / 2 - 1, cupBottom, 2, h / 5), P::Olive());
    c.Fill(QRect(x + w / 4, y + h - h / 6, w / 2, h / 6), P::Olive());
}
