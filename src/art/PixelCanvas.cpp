#include "art/PixelCanvas.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <array>
#include <cstdlib>

namespace {

// Rows of the 3 x 5 font, top first, bit 2 the left column.
struct TinyGlyph {
    char ch;
    std::array<unsigned char, 5> rows;
};

constexpr std::array<TinyGlyph, 15> tinyGlyphs{{
    {'0', {7, 5, 5, 5, 7}},
    {'1', {2, 6, 2, 2, 7}},
    {'2', {7, 1, 7, 4, 7}},
    {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}},
    {'5', {7, 4, 7, 1, 7}},
    {'6', {7, 4, 7, 5, 7}},
    {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}},
    {'9', {7, 5, 7, 1, 7}},
    {'+', {0, 2, 7, 2, 0}},
    {'-', {0, 0, 7, 0, 0}},
    {':', {0, 2, 0, 2, 0}},
    {'.', {0, 0, 0, 0, 2}},
    {' ', {0, 0, 0, 0, 0}},
}};

const TinyGlyph* FindTiny(QChar ch) {
    for (const TinyGlyph& g : tinyGlyphs) {
        if (g.ch == ch.toLatin1()) {
            return &g;
        }
    }
    return nullptr;
}

} // namespace

PixelCanvas::PixelCanvas(QImage& image) : painter(&image) {
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void PixelCanvas::Fill(const QRect& r, const QColor& c) {
    painter.fillRect(r, c);
}

void PixelCanvas::Pixel(int x, int y, const QColor& c) {
    painter.fillRect(x, y, 1, 1, c);
}

void PixelCanvas::HLine(int x0, int x1, int y, const QColor& c) {
    if (x1 < x0) {
        std::swap(x0, x1);
    }
    painter.fillRect(x0, y, x1 - x0 + 1, 1, c);
}

void PixelCanvas::VLine(int x, int y0, int y1, const QColor& c) {
    if (y1 < y0) {
        std::swap(y0, y1);
    }
    painter.fillRect(x, y0, 1, y1 - y0 + 1, c);
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, const QColor& c) {
    // Bresenham, so diagonals come out as clean stairs.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Pixel(x0, y0, c);
        if (x0 == x1 && y0 == y1) {
            break;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void PixelCanvas::Box(const QRect& r, const QColor& c) {
    HLine(r.left(), r.right(), r.top(), c);
    HLine(r.left(), r.right(), r.bottom(), c);
    VLine(r.left(), r.top(), r.bottom(), c);
    VLine(r.right(), r.top(), r.bottom(), c);
}

void PixelCanvas::Bevel(const QRect& r, const QColor& light, const QColor& dark, int width) {
    for (int i = 0; i < width; ++i) {
        const QRect s = r.adjusted(i, i, -i, -i);
        HLine(s.left(), s.right() - 1, s.top(), light);
        VLine(s.left(), s.top(), s.bottom() - 1, light);
        HLine(s.left(), s.right(), s.bottom(), dark);
        VLine(s.right(), s.top(), s.bottom(), dark);
    }
}

void PixelCanvas::DottedBox(const QRect& r, const QColor& c) {
    for (int x = r.left(); x <= r.right(); ++x) {
        if (((x - r.left()) & 1) == 0) {
            Pixel(x, r.top(), c);
        }
        if (((x - r.left() + r.height() - 1) & 1) == 0) {
            Pixel(x, r.bottom(), c);
        }
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        if (((y - r.top()) & 1) == 0) {
            Pixel(r.left(), y, c);
        }
        if (((y - r.top() + r.width() - 1) & 1) == 0) {
            Pixel(r.right(), y, c);
        }
    }
}

void PixelCanvas::Polygon(const QPolygon& points, const QColor& fill, bool smooth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPolygon(points);
    painter.restore();
}

void PixelCanvas::Polygon(const QPolygonF& points, const QColor& fill, bool smooth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPolygon(points);
    painter.restore();
}

void PixelCanvas::Disc(const QRectF& r, const QColor& fill, const QColor& outline,
                       qreal outlineWidth, bool smooth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    if (outline.isValid() && outlineWidth > 0) {
        painter.setPen(QPen(outline, outlineWidth));
        const qreal h = outlineWidth / 2;
        painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
        painter.drawEllipse(r.adjusted(h, h, -h, -h));
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawEllipse(r);
    }
    painter.restore();
}

void PixelCanvas::Stroke(const QPointF& a, const QPointF& b, qreal width, const QColor& c,
                         bool smooth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(a, b);
    painter.restore();
}

void PixelCanvas::TinyText(int x, int y, const QString& text, const QColor& c) {
    for (QChar ch : text) {
        if (const TinyGlyph* g = FindTiny(ch)) {
            for (int row = 0; row < 5; ++row) {
                for (int col = 0; col < 3; ++col) {
                    if (g->rows[static_cast<std::size_t>(row)] & (4 >> col)) {
                        Pixel(x + col, y + row, c);
                    }
                }
            }
        }
        x += 4;
    }
}

int PixelCanvas::TinyTextWidth(const QString& text) {
    return text.isEmpty() ? 0 : static_cast<int>(text.size()) * 4 - 1;
}

QFont PixelCanvas::SansFont(int pixelSize, bool bold, bool smooth) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

void PixelCanvas::Text(const QRect& r, int flags, const QString& text, int pixelSize, bool bold,
                       const QColor& c, bool smooth) {
    painter.save();
    painter.setPen(c);
    if (bold && !smooth) {
        // Hard-edged bold at this size comes out one pixel thin; striking the
        // regular face twice, a pixel apart, gives the two-pixel stems of a screen font's bold.
        painter.setFont(SansFont(pixelSize, false, false));
        const QRect left = r.adjusted(0, 0, -1, 0);
        painter.drawText(left, flags, text);
        painter.drawText(left.translated(1, 0), flags, text);
    } else {
        painter.setFont(SansFont(pixelSize, bold, smooth));
        painter.drawText(r, flags, text);
    }
    painter.restore();
}

int PixelCanvas::TextWidth(const QString& text, int pixelSize, bool bold, bool smooth) {
    if (bold && !smooth) {
        return QFontMetrics(SansFont(pixelSize, false, false)).horizontalAdvance(text) + 1;
    }
    return QFontMetrics(SansFont(pixelSize, bold, smooth)).horizontalAdvance(text);
}
