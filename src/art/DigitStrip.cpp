#include "art/DigitStrip.h"

#include "art/ArtPalette.h"
#include "art/PixelCanvas.h"

#include <array>

using P = ArtPalette;

namespace {

// Segments a (top) to g (middle), clockwise from the top as usual.
enum Segment { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

constexpr std::array<int, 10> digitSegments{
    A | B | C | D | E | F, B | C,         A | B | D | E | G,
    A | B | C | D | G,     B | C | F | G, A | C | D | F | G,
    A | C | D | E | F | G, A | B | C,     A | B | C | D | E | F | G,
    A | B | C | D | F | G,
};

// A digit's frame: left and top of the box, its width and height, stroke
// thickness and the gap left between meeting segments.
struct Frame {
    int x, y, w, h, t, gap;
};

// Horizontal segment with pointed ends, filling rows y .. y + t - 1.
QPolygon HorizontalBar(int x0, int x1, int y, int t) {
    const int half = t / 2;
    QPolygon p;
    p << QPoint(x0, y + half) << QPoint(x0 + half, y) << QPoint(x1 - half, y)
      << QPoint(x1, y + half) << QPoint(x1 - half, y + t) << QPoint(x0 + half, y + t);
    return p;
}

QPolygon VerticalBar(int x, int y0, int y1, int t) {
    const int half = t / 2;
    QPolygon p;
    p << QPoint(x + half, y0) << QPoint(x + t, y0 + half) << QPoint(x + t, y1 - half)
      << QPoint(x + half, y1) << QPoint(x, y1 - half) << QPoint(x, y0 + half);
    return p;
}

void PaintSegments(PixelCanvas& c, const Frame& f, int lit, const QColor& on, const QColor& off,
                   bool pointed) {
    const int mid = f.y + (f.h - f.t) / 2;
    const int right = f.x + f.w - f.t;
    const int bottom = f.y + f.h - f.t;
    struct Bar {
        int segment;
        bool horizontal;
        int a, b, at;
    };
    const std::array<Bar, 7> bars{{
        {A, true, f.x, f.x + f.w, f.y},
        {B, false, f.y, mid + f.t, right},
        {C, false, mid, f.y + f.h, right},
        {D, true, f.x, f.x + f.w, bottom},
        {E, false, mid, f.y + f.h, f.x},
        {F, false, f.y, mid + f.t, f.x},
        {G, true, f.x, f.x + f.w, mid},
    }};
    for (const Bar& bar : bars) {
        const QColor& col = (lit & bar.segment) ? on : off;
        if (!col.isValid()) {
            continue;
        }
        if (pointed) {
            // Bars run between the centre lines of the bars they meet, their
            // pointed ends mitred against each other with `gap` between.
            const int half = f.t / 2;
            const QPolygon poly =
                bar.horizontal
                    ? HorizontalBar(f.x + half + f.gap, f.x + f.w - half - f.gap, bar.at, f.t)
                    : VerticalBar(bar.at, bar.a + half + f.gap, bar.b - half - f.gap, f.t);
            c.Polygon(poly, col);
        } else if (bar.horizontal) {
            // Square segments stop short of the uprights, leaving the corners
            // open as on a liquid-crystal display.
            c.Fill(QRect(f.x + f.t, bar.at, f.w - 2 * f.t, f.t), col);
        } else {
            const bool upper = bar.segment == B || bar.segment == F;
            const int top = upper ? f.y + f.t : mid + f.t;
            const int end = upper ? mid : bottom;
            c.Fill(QRect(bar.at, top, f.t, end - top), col);
        }
    }
}

} // namespace

QColor DigitStrip::TimerBackground() {
    return P::Black();
}

QColor DigitStrip::CalculatorBackground() {
    return P::Grey();
}

QImage DigitStrip::Timer() {
    QImage image(timerCellWidth * timerCells, timerCellHeight, QImage::Format_RGB32);
    image.fill(TimerBackground());
    PixelCanvas c(image);
    const QColor on = P::Red();
    // Unlit segments glow faintly, as on a real display.
    const QColor off(64, 0, 0);
    for (int cell = 0; cell < timerCells; ++cell) {
        const int x0 = cell * timerCellWidth;
        if (cell < 10) {
            const Frame f{x0 + 10, 10, 55, 105, 11, 2};
            PaintSegments(c, f, digitSegments[static_cast<std::size_t>(cell)], on, off, true);
        } else {
            // The colon: two round dots level with the digits' halves, hard-edged like the
            // segments so the strip keeps its three colours.
            for (int y : {34, 76}) {
                c.Disc(QRectF(x0 + 30, y, 15, 15), on, QColor(), 0, false);
            }
        }
    }
    return image;
}

QImage DigitStrip::Calculator() {
    QImage image(calculatorCellWidth * calculatorCells, calculatorCellHeight, QImage::Format_RGB32);
    image.fill(CalculatorBackground());
    PixelCanvas c(image);
    const QColor ink = P::Black();
    const QColor none;
    for (int cell = 0; cell < calculatorCells; ++cell) {
        const int x0 = cell * calculatorCellWidth;
        const Frame f{x0 + 3, 2, 10, 20, 2, 0};
        switch (cell) {
        case 10: // minus
            PaintSegments(c, f, G, ink, none, false);
            break;
        case 11: // point
            c.Fill(x0 + 7, 19, 3, 3, ink);
            break;
        case 12: // E
            PaintSegments(c, f, A | D | E | F | G, ink, none, false);
            break;
        case 13: // plus: the middle bar with a short upright through it
            PaintSegments(c, f, G, ink, none, false);
            c.Fill(x0 + 7, 8, 2, 8, ink);
            break;
        default:
            PaintSegments(c, f, digitSegments[static_cast<std::size_t>(cell)], ink, none, false);
            break;
        }
    }
    return image;
}
