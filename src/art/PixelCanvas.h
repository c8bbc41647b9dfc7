#pragma once
// Pixel-exact drawing on an image: every primitive covers exactly the pixels
// of the rectangle or points it is given (unlike QPainter's outlines, which
// grow by the pen), so small pictures stay crisp. Only Disc, Polygon and
// Stroke smooth their edges, and only when asked to.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

class PixelCanvas {
public:
    explicit PixelCanvas(QImage& image);

    QPainter& Painter() { return painter; }

    void Fill(const QRect& r, const QColor& c);
    void Fill(int x, int y, int w, int h, const QColor& c) { Fill(QRect(x, y, w, h), c); }
    void Pixel(int x, int y, const QColor& c);
    void HLine(int x0, int x1, int y, const QColor& c);
    void VLine(int x, int y0, int y1, const QColor& c);
    // A one-pixel line between two points, both ends included.
    void Line(int x0, int y0, int x1, int y1, const QColor& c);
    // A one-pixel outline on the outermost pixels of r.
    void Box(const QRect& r, const QColor& c);
    // Light on the top and left rows, dark on the bottom and right ones.
    void Bevel(const QRect& r, const QColor& light, const QColor& dark, int width = 1);
    // Dotted outline, every other pixel, as keyboard focus is shown.
    void DottedBox(const QRect& r, const QColor& c);
    void Polygon(const QPolygon& points, const QColor& fill, bool smooth = false);
    void Polygon(const QPolygonF& points, const QColor& fill, bool smooth = true);
    void Disc(const QRectF& r, const QColor& fill, const QColor& outline, qreal outlineWidth = 1,
              bool smooth = true);
    void Stroke(const QPointF& a, const QPointF& b, qreal width, const QColor& c,
                bool smooth = true);
    // Digits, '+', '-', ':' and '.' from a 3 x 5 pixel font, one pixel apart.
    void TinyText(int x, int y, const QString& text, const QColor& c);
    static int TinyTextWidth(const QString& text);
    // Text in the system sans (Liberation Sans when present) at a pixel size.
    void Text(const QRect& r, int flags, const QString& text, int pixelSize, bool bold,
              const QColor& c, bool smooth = false);
    static int TextWidth(const QString& text, int pixelSize, bool bold, bool smooth = false);
    static QFont SansFont(int pixelSize, bool bold, bool smooth = false);

private:
    QPainter painter;
};
