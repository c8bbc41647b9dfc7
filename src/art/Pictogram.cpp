#include "art/Pictogram.h"

#include "art/ArtPalette.h"
#include "art/PixelCanvas.h"
#include "art/Runner.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

using P = ArtPalette;

namespace {

int Side(const QRect& r) {
    return std::min(r.width(), r.height());
}

// The largest square centred in r.
QRect Square(const QRect& r) {
    const int s = Side(r);
    return {r.left() + (r.width() - s) / 2, r.top() + (r.height() - s) / 2, s, s};
}

// A rectangle of w x h centred in r.
QRect Centred(const QRect& r, int w, int h) {
    return {r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h};
}

void DrawFloppy(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    const int s = r.width();
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    const int notch = std::max(1, s / 8);
    QPolygon body;
    body << QPoint(l, t) << QPoint(rt - notch + 1, t) << QPoint(rt + 1, t + notch)
         << QPoint(rt + 1, b + 1) << QPoint(l, b + 1);
    c.Polygon(body, P::Black());
    QPolygon inner;
    inner << QPoint(l + 1, t + 1) << QPoint(rt - notch + 1, t + 1) << QPoint(rt, t + notch)
          << QPoint(rt, b) << QPoint(l + 1, b);
    c.Polygon(inner, P::Navy());
    // Metal shutter with its window.
    const int sl = l + s / 4, sr = rt - s / 4 - (s >= 20 ? 1 : 0);
    const int sb = t + std::max(3, s * 3 / 8);
    c.Fill(QRect(QPoint(sl, t + 1), QPoint(sr, sb)), P::Silver());
    c.VLine(sr, t + 1, sb, P::Grey());
    c.HLine(sl, sr, sb, P::Grey());
    const int ww = std::max(1, (sr - sl) / 4);
    c.Fill(QRect(QPoint(sr - 1 - ww, t + 2), QPoint(sr - 2, sb - 1)), P::Navy());
    // Label.
    const int lt = t + s / 2 + (s >= 20 ? 1 : 0);
    const QRect label(QPoint(l + 2 + s / 16, lt), QPoint(rt - 2 - s / 16, b - 1));
    c.Fill(label, P::White());
    for (int y = label.top() + 2; y < label.bottom() - 0; y += 2) {
        c.HLine(label.left() + 1, label.right() - 1, y, s >= 16 ? P::Silver() : P::White());
    }
    if (s >= 14) {
        c.HLine(label.left() + 1, label.right() - 1, label.top() + 1, P::Red());
    }
}

void DrawPage(PixelCanvas& c, const QRect& r, bool lines = true) {
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    const int d = std::max(2, std::min(r.width(), r.height()) / 4);
    QPolygon page;
    page << QPoint(l, t) << QPoint(rt - d + 1, t) << QPoint(rt + 1, t + d) << QPoint(rt + 1, b + 1)
         << QPoint(l, b + 1);
    c.Polygon(page, P::White());
    c.HLine(l, rt - d, t, P::Black());
    c.VLine(l, t, b, P::Black());
    c.HLine(l, rt, b, P::Black());
    c.VLine(rt, t + d, b, P::Black());
    c.Line(rt - d, t, rt, t + d, P::Black());
    c.VLine(rt - d, t, t + d, P::Grey());
    c.HLine(rt - d, rt - 1, t + d, P::Grey());
    c.Fill(QRect(QPoint(rt - d + 1, t + 1), QPoint(rt - 2, t + d - 1)), P::Silver());
    if (lines) {
        for (int y = t + 2 + (r.height() >= 16 ? 1 : 0); y <= b - 2; y += 2) {
            const int right = y <= t + d ? rt - d - 2 : rt - 2;
            const int len = (y / 2) % 3 == 0 ? right - (right - l) / 3 : right;
            c.HLine(l + 2, len, y, P::Grey());
        }
    }
}

void DrawPages(PixelCanvas& c, const QRect& r) {
    const int o = std::max(2, r.width() / 6);
    DrawPage(c, QRect(r.left() + o, r.top(), r.width() - o, r.height() - o), false);
    DrawPage(c, QRect(r.left(), r.top() + o, r.width() - o, r.height() - o), true);
}

void DrawMagnifier(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    const qreal s = r.width();
    const qreal lens = s * 0.66;
    const QRectF disc(r.left() + 0.5, r.top() + 0.5, lens, lens);
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal handle = std::max<qreal>(2.2, s * 0.17);
    const QPointF from = disc.center() + QPointF(lens * 0.36, lens * 0.36);
    const QPointF to(r.right() + 0.5 - handle * 0.4, r.bottom() + 0.5 - handle * 0.4);
    p.setPen(QPen(P::Black(), handle + 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(P::Maroon(), handle - 0.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from + (to - from) * 0.25, to);
    const qreal rim = std::max<qreal>(1.4, s * 0.09);
    p.setPen(QPen(P::Black(), rim));
    p.setBrush(P::Aqua());
    p.drawEllipse(disc.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2));
    // Glint on the glass.
    p.setPen(QPen(P::White(), std::max<qreal>(1.0, s * 0.07), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF glint = disc.adjusted(lens * 0.25, lens * 0.25, -lens * 0.25, -lens * 0.25);
    p.drawArc(glint, 100 * 16, 70 * 16);
    p.restore();
}

void DrawCalculator(PixelCanvas& c, const QRect& box) {
    const int h = box.height();
    const int w = std::min(box.width(), h * 3 / 4 + 1);
    const QRect r = Centred(box, w, h);
    c.Fill(r, P::Grey());
    c.Box(r, P::Black());
    c.Bevel(r.adjusted(1, 1, -1, -1), P::Silver(), P::Grey());
    // Display.
    const int dh = std::max(3, h / 5);
    const QRect display(r.left() + 2, r.top() + 2, r.width() - 4, dh);
    c.Fill(display, P::Black());
    c.Fill(display.adjusted(1, 1, -1, -1), P::Lime());
    if (display.width() >= 10 && dh >= 5) {
        c.TinyText(display.right() - 1 - PixelCanvas::TinyTextWidth(QStringLiteral("42")),
                   display.top() + (dh - 5) / 2, QStringLiteral("42"), P::Black());
    }
    // Keys: four columns, as many rows as fit.
    const int top = display.bottom() + 2;
    const int cols = 4;
    const int pitchX = std::max(2, (r.width() - 3) / cols);
    const int key = std::max(1, pitchX - 1);
    const int left = r.left() + (r.width() - (cols * pitchX - 1)) / 2;
    const int rows = std::max(1, (r.bottom() - 1 - top) / pitchX);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const QColor k = col == cols - 1 ? P::Red() : P::White();
            c.Fill(left + col * pitchX, top + row * pitchX, key, key, k);
        }
    }
}

void DrawDoor(PixelCanvas& c, const QRect& box) {
    // The doorway on the left, the open door swung towards the viewer, an
    // arrow leaving through it.
    const int h = box.height();
    const int dw = std::max(6, h / 2);
    const QRect frame(box.left() + 1, box.top(), dw, h);
    c.Fill(frame, P::Black());
    c.Fill(frame.adjusted(1, 1, -1, 0), P::Navy());
    // Door leaf, hinged on the left edge of the frame, in perspective.
    const int lx = frame.left() - 1, rx = frame.left() + dw * 3 / 4;
    QPolygon leaf;
    leaf << QPoint(lx, frame.top() + 1) << QPoint(rx, frame.top() + h / 6)
         << QPoint(rx, frame.bottom() - h / 10) << QPoint(lx, frame.bottom() + 1);
    c.Polygon(leaf, P::Maroon());
    c.Line(lx, frame.top() + 1, rx, frame.top() + h / 6, P::Black());
    c.Line(lx, frame.bottom(), rx, frame.bottom() - h / 10, P::Black());
    c.VLine(rx, frame.top() + h / 6, frame.bottom() - h / 10, P::Black());
    c.VLine(lx, frame.top() + 1, frame.bottom(), P::Black());
    c.Fill(rx - 2, frame.top() + h / 2, std::max(1, h / 12), std::max(1, h / 12) + 1, P::Yellow());
    // Arrow to the right.
    const int ay = frame.top() + h / 2;
    const int ax0 = frame.right() - dw / 4;
    const int ax1 = box.right();
    const int head = std::max(3, h / 3);
    const int shaft = std::max(1, h / 10);
    c.Fill(QRect(QPoint(ax0, ay - shaft - 1), QPoint(ax1 - head, ay + shaft + 1)), P::Black());
    c.Fill(QRect(QPoint(ax0 + 1, ay - shaft), QPoint(ax1 - head, ay + shaft)), P::Lime());
    QPolygon tip;
    tip << QPoint(ax1 - head, ay - head) << QPoint(ax1 + 1, ay)
        << QPoint(ax1 - head, ay + head + 1);
    c.Polygon(tip, P::Black());
    QPolygon tipIn;
    tipIn << QPoint(ax1 - head + 1, ay - head + 2) << QPoint(ax1 - 1, ay)
          << QPoint(ax1 - head + 1, ay + head - 1);
    c.Polygon(tipIn, P::Lime());
}

void DrawPie(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF disc = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(P::Black(), 1.0));
    const int spans[] = {130, 95, 75, 60};
    const QColor fills[] = {P::Purple(), P::Yellow(), P::Teal(), P::Red()};
    int start = 90;
    for (int i = 0; i < 4; ++i) {
        p.setBrush(fills[i]);
        QRectF d = disc;
        if (i == 3) {
            // The last slice stands out from the pie.
            const qreal mid = (start + spans[i] / 2.0) * std::numbers::pi / 180.0;
            const qreal o = std::max<qreal>(1.0, r.width() / 12.0);
            d.translate(o * std::cos(mid), -o * std::sin(mid));
            d.adjust(o / 2, o / 2, -o / 2, -o / 2);
        }
        p.drawPie(d, start * 16, spans[i] * 16);
        start += spans[i];
    }
    p.restore();
}

// Plot area with axes; returns the inside where the data goes.
QRect DrawPlot(PixelCanvas& c, const QRect& r) {
    c.Fill(r, P::White());
    c.Box(r, P::Black());
    const QRect in = r.adjusted(2, 2, -2, -2);
    for (int y = in.bottom() - 3; y > in.top(); y -= 4) {
        for (int x = in.left(); x <= in.right(); x += 2) {
            c.Pixel(x, y, P::Silver());
        }
    }
    return in;
}

// Data heights as fractions of the plot, shared by the charts so they read as
// one family.
constexpr double chartData[] = {0.35, 0.6, 0.45, 0.8, 0.55, 0.95, 0.7};

QPolygon ChartPoints(const QRect& in, int count, const double* data) {
    QPolygon points;
    for (int i = 0; i < count; ++i) {
        const int x = in.left() + (in.width() - 1) * i / (count - 1);
        const int y = in.bottom() - static_cast<int>(std::lround((in.height() - 1) * data[i]));
        points << QPoint(x, y);
    }
    return points;
}

void DrawPolyline(PixelCanvas& c, const QPolygon& pts, const QColor& col, bool thick) {
    for (int i = 0; i + 1 < pts.size(); ++i) {
        c.Line(pts[i].x(), pts[i].y(), pts[i + 1].x(), pts[i + 1].y(), col);
        if (thick) {
            c.Line(pts[i].x(), pts[i].y() + 1, pts[i + 1].x(), pts[i + 1].y() + 1, col);
        }
    }
}

void DrawBarChart(PixelCanvas& c, const QRect& box) {
    const QRect in = DrawPlot(c, box);
    const int n = in.width() >= 22 ? 5 : 4;
    const int pitch = in.width() / n;
    const int bw = std::max(2, pitch - (pitch >= 5 ? 2 : 1));
    const int used = pitch * (n - 1) + bw;
    const int x0 = in.left() + (in.width() - used) / 2;
    for (int i = 0; i < n; ++i) {
        const int bh = std::max(2, static_cast<int>(std::lround(in.height() * chartData[i + 1])));
        const QRect bar(x0 + i * pitch, in.bottom() + 1 - bh, bw, bh);
        c.Fill(bar, P::Black());
        c.Fill(bar.adjusted(1, 1, -1, 0), P::Purple());
    }
}

void DrawLineChart(PixelCanvas& c, const QRect& box) {
    const QRect in = DrawPlot(c, box).adjusted(0, 0, 0, -1);
    const QPolygon pts = ChartPoints(in, 7, chartData);
    DrawPolyline(c, pts, P::Purple(), true);
    if (in.width() >= 20) {
        for (const QPoint& pt : pts) {
            c.Fill(pt.x() - 1, pt.y() - 1, 3, 3, P::Black());
            c.Pixel(pt.x(), pt.y(), P::White());
        }
    }
}

void DrawAreaChart(PixelCanvas& c, const QRect& box) {
    const QRect in = DrawPlot(c, box);
    const QPolygon pts = ChartPoints(in, 7, chartData);
    QPolygon area = pts;
    area << QPoint(in.right() + 1, pts.last().y()) << QPoint(in.right() + 1, in.bottom() + 1)
         << QPoint(in.left(), in.bottom() + 1);
    c.Polygon(area, P::Purple());
    DrawPolyline(c, pts, P::Black(), false);
}

void DrawAverageChart(PixelCanvas& c, const QRect& box) {
    const QRect in = DrawPlot(c, box).adjusted(0, 0, 0, -1);
    constexpr double raw[] = {0.3, 0.75, 0.2, 0.85, 0.4, 0.9, 0.55, 0.95, 0.6};
    constexpr double mean[] = {0.35, 0.42, 0.5, 0.56, 0.62, 0.68, 0.73, 0.78, 0.8};
    DrawPolyline(c, ChartPoints(in, 9, raw), P::Purple(), false);
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(P::Red(), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    const QPolygon m = ChartPoints(in, 9, mean);
    path.moveTo(QPointF(m[0]) + QPointF(0.5, 0.5));
    for (int i = 1; i < m.size(); ++i) {
        path.lineTo(QPointF(m[i]) + QPointF(0.5, 0.5));
    }
    p.drawPath(path);
    p.restore();
}

void DrawClock(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    const qreal s = r.width();
    const QRectF face = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    c.Disc(face, P::White(), P::Black(), std::max<qreal>(1.2, s / 10.0));
    const QPointF m = face.center();
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (s >= 14) {
        p.setPen(QPen(P::Black(), 1.0));
        for (int i = 0; i < 12; i += 3) {
            const qreal a = i * std::numbers::pi / 6;
            p.drawLine(m + QPointF(std::sin(a), -std::cos(a)) * (s * 0.36),
                       m + QPointF(std::sin(a), -std::cos(a)) * (s * 0.30));
        }
    }
    const qreal hand = std::max<qreal>(1.2, s / 11.0);
    p.setPen(QPen(P::Black(), hand, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m, m + QPointF(0, -s * 0.30));
    p.drawLine(m, m + QPointF(s * 0.22, s * 0.05));
    p.setPen(QPen(P::Red(), std::max<qreal>(1.0, hand * 0.6), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m, m + QPointF(-s * 0.2, s * 0.22));
    p.restore();
}

void DrawRunner(PixelCanvas& c, const QRect& r) {
    // Mid-flight: one leg reaching forward, the other kicked back.
    constexpr qreal stride = 2.36;
    const QPointF ground(r.left() + r.width() / 2.0, r.bottom() + 1);
    if (r.height() < 24) {
        Runner::DrawCrisp(c.Painter(), ground, r.height(), stride, P::Navy(), P::Blue());
    } else {
        Runner::Draw(c.Painter(), ground, r.height(), stride, P::Navy(), P::Blue());
    }
}

// A sign with a one-pixel black edge: `vertical` false gives the minus.
void DrawSign(PixelCanvas& c, const QRect& box, bool vertical) {
    const QRect r = Square(box);
    int s = r.width();
    int t = std::max(2, (s + 2) / 4);
    if ((s - t) % 2 != 0) {
        ++t;
    }
    const int off = (s - t) / 2;
    const QRect across(r.left(), r.top() + off, s, t);
    const QRect down(r.left() + off, r.top(), t, s);
    const QColor fill = vertical ? P::Green() : P::Red();
    c.Fill(across.adjusted(-1, -1, 1, 1), P::Black());
    if (vertical) {
        c.Fill(down.adjusted(-1, -1, 1, 1), P::Black());
    }
    c.Fill(across, fill);
    if (vertical) {
        c.Fill(down, fill);
    }
    // Light edge along the top of each bar.
    const QColor light = vertical ? P::Lime() : QColor(255, 128, 128);
    c.HLine(across.left(), across.right(), across.top(), light);
    if (vertical) {
        c.HLine(down.left(), down.right(), down.top(), light);
        c.VLine(down.left(), down.top(), across.top(), light);
    }
}

void DrawArrows(PixelCanvas& c, const QRect& box, bool right) {
    // Two arrow heads one behind the other.
    const int h = box.height() % 2 == 0 ? box.height() - 1 : box.height();
    const int half = h / 2;
    const int w = half + 1;
    const int top = box.top() + (box.height() - h) / 2;
    const int mid = top + half;
    for (int i = 0; i < 2; ++i) {
        const int x0 = box.left() + i * (w - 1);
        QPolygon tri;
        if (right) {
            tri << QPoint(x0, top) << QPoint(x0 + w, mid) << QPoint(x0 + w, mid + 1)
                << QPoint(x0, top + h);
        } else {
            const int xr = box.right() + 1 - i * (w - 1);
            tri << QPoint(xr, top) << QPoint(xr - w, mid) << QPoint(xr - w, mid + 1)
                << QPoint(xr, top + h);
        }
        c.Polygon(tri, P::Black());
        QPolygon in;
        if (right) {
            in << QPoint(x0 + 1, top + 2) << QPoint(x0 + w - 2, mid) << QPoint(x0 + w - 2, mid + 1)
               << QPoint(x0 + 1, top + h - 1);
        } else {
            const int xr = box.right() - i * (w - 1);
            in << QPoint(xr, top + 2) << QPoint(xr - w + 3, mid) << QPoint(xr - w + 3, mid + 1)
               << QPoint(xr, top + h - 1);
        }
        c.Polygon(in, P::Yellow());
    }
}

void DrawPrinter(PixelCanvas& c, const QRect& box) {
    const QRect r = box;
    const int w = r.width(), h = r.height();
    // Paper standing in the feed.
    const QRect sheet(r.left() + w / 4, r.top(), w - 2 * (w / 4), h / 2);
    c.Fill(sheet, P::Black());
    c.Fill(sheet.adjusted(1, 1, -1, 0), P::White());
    for (int y = sheet.top() + 2; y < sheet.bottom() - 1; y += 2) {
        c.HLine(sheet.left() + 2, sheet.right() - 2, y, P::Grey());
    }
    // Body.
    const QRect body(r.left(), r.top() + h * 2 / 5, w, h - h * 2 / 5 - h / 6);
    c.Fill(body, P::Black());
    c.Fill(body.adjusted(1, 1, -1, -1), P::Silver());
    c.HLine(body.left() + 1, body.right() - 1, body.top() + 1, P::White());
    c.HLine(body.left() + 1, body.right() - 1, body.bottom() - 1, P::Grey());
    c.Fill(body.right() - 3, body.top() + 3, 2, std::max(1, h / 12), P::Lime());
    // Printed sheet leaving at the front.
    const QRect out(r.left() + w / 5, body.bottom() - 1, w - 2 * (w / 5),
                    r.bottom() - body.bottom() + 1);
    c.Fill(out, P::Black());
    c.Fill(out.adjusted(1, 0, -1, -1), P::White());
    c.HLine(out.left(), out.right(), out.top(), P::Black());
}

void DrawFolder(PixelCanvas& c, const QRect& box) {
    const int w = box.width(), h = box.height();
    const int l = box.left(), t = box.top() + h / 8, rt = box.right(), b = box.bottom();
    // Back with its tab.
    QPolygon back;
    back << QPoint(l, t + 1) << QPoint(l + 1, t) << QPoint(l + w / 3, t)
         << QPoint(l + w / 3 + 2, t + 2) << QPoint(rt - w / 8, t + 2) << QPoint(rt - w / 8, b)
         << QPoint(l, b);
    c.Polygon(back, P::Black());
    c.Fill(QRect(QPoint(l + 1, t + 1), QPoint(l + w / 3, t + 2)), P::Olive());
    c.Fill(QRect(QPoint(l + 1, t + 3), QPoint(rt - w / 8 - 1, b - 1)), P::Olive());
    // A sheet peeking out.
    c.Fill(QRect(QPoint(l + w / 4, t + 3), QPoint(rt - w / 4, b - 2)), P::White());
    // Front flap, tilted open.
    const int ft = t + h / 3 + 1;
    QPolygon front;
    front << QPoint(l + w / 5, ft) << QPoint(rt + 1, ft) << QPoint(rt - w / 6 + 1, b + 1)
          << QPoint(l, b + 1);
    c.Polygon(front, P::Black());
    QPolygon frontIn;
    frontIn << QPoint(l + w / 5 + 1, ft + 1) << QPoint(rt - 1, ft + 1) << QPoint(rt - w / 6, b)
            << QPoint(l + 1, b);
    c.Polygon(frontIn, P::Yellow());
}

void DrawBook(PixelCanvas& c, const QRect& box) {
    const int h = box.height();
    const int w = std::min(box.width(), h * 4 / 5 + 1);
    const QRect r = Centred(box, w, h);
    const int edge = std::max(2, h / 8);
    // Pages along the bottom and the right, then the cover.
    const QRect cover(r.left(), r.top(), w - edge, h - edge);
    c.Fill(QRect(r.left() + edge, r.top() + edge, w - edge, h - edge), P::Black());
    c.Fill(QRect(r.left() + edge, r.top() + edge, w - edge - 1, h - edge - 1), P::White());
    for (int i = 1; i < edge; i += 2) {
        c.HLine(r.left() + edge, r.right() - 1, r.bottom() - i, P::Silver());
    }
    c.Fill(cover, P::Black());
    c.Fill(cover.adjusted(1, 1, -1, -1), P::Maroon());
    // Spine band and a title label.
    const int spine = std::max(2, w / 6);
    c.Fill(QRect(cover.left() + 1, cover.top() + 1, spine, cover.height() - 2), P::Red());
    const QRect label(cover.left() + spine + 2, cover.top() + cover.height() / 4,
                      cover.width() - spine - 4, std::max(2, cover.height() / 4));
    c.Fill(label, P::Yellow());
    if (label.height() >= 4) {
        c.HLine(label.left() + 1, label.right() - 1, label.top() + label.height() / 2, P::Olive());
    }
}

void DrawHeart(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    const qreal s = r.width();
    const qreal x = r.left(), y = r.top();
    QPainterPath heart;
    heart.moveTo(x + s * 0.5, y + s * 0.97);
    heart.cubicTo(x + s * 0.15, y + s * 0.68, x - s * 0.02, y + s * 0.45, x + s * 0.04,
                  y + s * 0.26);
    heart.cubicTo(x + s * 0.12, y + s * 0.02, x + s * 0.42, y + s * 0.02, x + s * 0.5,
                  y + s * 0.25);
    heart.cubicTo(x + s * 0.58, y + s * 0.02, x + s * 0.88, y + s * 0.02, x + s * 0.96,
                  y + s * 0.26);
    heart.cubicTo(x + s * 1.02, y + s * 0.45, x + s * 0.85, y + s * 0.68, x + s * 0.5,
                  y + s * 0.97);
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(P::Maroon(), std::max<qreal>(1.0, s / 14.0)));
    p.setBrush(P::Red());
    p.drawPath(heart);
    p.setPen(QPen(P::White(), std::max<qreal>(1.0, s / 10.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x + s * 0.16, y + s * 0.16, s * 0.26, s * 0.26), 100 * 16, 70 * 16);
    p.restore();
}

void DrawQuestion(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    c.Disc(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), P::Yellow(), P::Olive(), 1.0);
    const int px = std::max(9, r.width() * 7 / 8);
    c.Text(r.adjusted(0, 1, 0, 1), Qt::AlignCenter, QStringLiteral("?"), px, true, P::Navy(), true);
}

void DrawSigma(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box).adjusted(1, 0, -1, 0);
    const int th = std::max(2, r.height() / 6);
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    const int mx = l + r.width() / 2, my = t + r.height() / 2;
    c.Fill(QRect(QPoint(l, t), QPoint(rt, t + th - 1)), P::Navy());
    c.Fill(QRect(QPoint(l, b - th + 1), QPoint(rt, b)), P::Navy());
    // Serifs at the open ends of the bars.
    c.Fill(QRect(QPoint(rt - th + 1, t + th), QPoint(rt, t + th + th / 2)), P::Navy());
    c.Fill(QRect(QPoint(rt - th + 1, b - th - th / 2), QPoint(rt, b - th)), P::Navy());
    // The two diagonals, each as wide as the bars.
    for (int k = 0; k < th + 1; ++k) {
        c.Line(l + k, t + th, mx + k - th / 2, my, P::Navy());
        c.Line(mx + k - th / 2, my, l + k, b - th, P::Navy());
    }
}

void DrawCross(PixelCanvas& c, const QRect& box) {
    const QRect r = Square(box);
    const int s = r.width();
    const int t = std::max(1, s / 6);
    for (int i = 0; i < s; ++i) {
        for (int k = -t; k <= t; ++k) {
            const int x = r.left() + i;
            const int y1 = r.top() + i + k;
            const int y2 = r.bottom() - i + k;
            const QColor col = (k == -t || k == t) ? P::Maroon() : P::Red();
            if (y1 >= r.top() && y1 <= r.bottom()) {
                c.Pixel(x, y1, col);
            }
            if (y2 >= r.top() && y2 <= r.bottom()) {
                c.Pixel(x, y2, col);
            }
        }
    }
    // Repaint the centre lines so the strokes cross cleanly.
    for (int i = 0; i < s; ++i) {
        for (int k = -t + 1; k <= t - 1; ++k) {
            const int y1 = r.top() + i + k;
            const int y2 = r.bottom() - i + k;
            if (y1 >= r.top() && y1 <= r.bottom()) {
                c.Pixel(r.left() + i, y1, P::Red());
            }
            if (y2 >= r.top() && y2 <= r.bottom()) {
                c.Pixel(r.left() + i, y2, P::Red());
            }
        }
    }
}

void DrawArrow(PixelCanvas& c, const QRect& box, bool right) {
    const int h = box.height() % 2 == 0 ? box.height() - 1 : box.height();
    const int top = box.top() + (box.height() - h) / 2;
    const int mid = top + h / 2;
    const int head = h / 2 + 1;
    const int shaft = std::max(1, h / 6);
    QPolygon a;
    const int l = box.left(), r = box.right() + 1;
    if (right) {
        a << QPoint(l, mid - shaft) << QPoint(r - head, mid - shaft) << QPoint(r - head, top)
          << QPoint(r, mid) << QPoint(r, mid + 1) << QPoint(r - head, top + h)
          << QPoint(r - head, mid + shaft + 1) << QPoint(l, mid + shaft + 1);
    } else {
        a << QPoint(r, mid - shaft) << QPoint(l + head, mid - shaft) << QPoint(l + head, top)
          << QPoint(l, mid) << QPoint(l, mid + 1) << QPoint(l + head, top + h)
          << QPoint(l + head, mid + shaft + 1) << QPoint(r, mid + shaft + 1);
    }
    c.Polygon(a, P::Green());
}

} // namespace

void Pictogram::CalendarLeaf(PixelCanvas& c, const QRect& r, const char* number) {
    c.Fill(r, P::Black());
    c.Fill(r.adjusted(1, 1, -1, -1), P::White());
    const int band = std::max(3, r.height() / 4);
    c.Fill(QRect(r.left() + 1, r.top() + 1, r.width() - 2, band - 1), P::Red());
    c.HLine(r.left() + 1, r.right() - 1, r.top() + band, P::Black());
    // Binding rings.
    for (int x : {r.left() + r.width() / 4, r.right() - r.width() / 4}) {
        c.VLine(x, r.top() - 1, r.top() + 1, P::Black());
    }
    const QString text = QString::fromLatin1(number ? number : "");
    const QRect body(r.left() + 1, r.top() + band + 1, r.width() - 2, r.height() - band - 2);
    if (!text.isEmpty() && body.height() >= 5) {
        const int tw = PixelCanvas::TinyTextWidth(text);
        if (body.height() >= 12 && body.width() >= tw * 2 + 2) {
            // Room for the digits at double size.
            QImage digits(tw, 5, QImage::Format_ARGB32_Premultiplied);
            digits.fill(Qt::transparent);
            {
                PixelCanvas d(digits);
                d.TinyText(0, 0, text, P::Black());
            }
            c.Painter().drawImage(QRect(body.left() + (body.width() - tw * 2) / 2,
                                        body.top() + (body.height() - 10) / 2, tw * 2, 10),
                                  digits);
        } else {
            c.TinyText(body.left() + (body.width() - tw) / 2, body.top() + (body.height() - 5) / 2,
                       text, P::Black());
        }
    } else {
        // A grid of days.
        for (int y = body.top() + 1; y < body.bottom(); y += 2) {
            for (int x = body.left() + 1; x < body.right(); x += 2) {
                c.Pixel(x, y, P::Grey());
            }
        }
    }
}

void Pictogram::AppWindow(PixelCanvas& c, const QRect& r, bool active) {
    c.Fill(r, P::Black());
    c.Fill(r.adjusted(1, 1, -1, -1), P::White());
    const int bar = std::max(2, r.height() / 5);
    c.Fill(QRect(r.left() + 1, r.top() + 1, r.width() - 2, bar), active ? P::Navy() : P::Grey());
    if (r.width() >= 8) {
        c.Fill(r.right() - 3, r.top() + 1 + (bar - 1) / 2, 2, 1, P::White());
    }
}

void Pictogram::Draw(PixelCanvas& c, Kind kind, const QRect& box) {
    switch (kind) {
    case Kind::Floppy:
        DrawFloppy(c, box);
        break;
    case Kind::Page:
        DrawPage(c, Centred(box, std::min(box.width(), box.height() * 4 / 5), box.height()));
        break;
    case Kind::Sheet:
        DrawPage(c, Centred(box, std::min(box.width(), box.height() * 4 / 5), box.height()), false);
        break;
    case Kind::Pages:
        DrawPages(c, Centred(box, std::min(box.width(), box.height()), box.height()));
        break;
    case Kind::Calendar:
        CalendarLeaf(c, box.adjusted(0, 1, 0, 0), nullptr);
        break;
    case Kind::Magnifier:
        DrawMagnifier(c, box);
        break;
    case Kind::Calculator:
        DrawCalculator(c, box);
        break;
    case Kind::Door:
        DrawDoor(c, box);
        break;
    case Kind::Pie:
        DrawPie(c, box);
        break;
    case Kind::BarChart:
        DrawBarChart(c, box);
        break;
    case Kind::LineChart:
        DrawLineChart(c, box);
        break;
    case Kind::AreaChart:
        DrawAreaChart(c, box);
        break;
    case Kind::AverageChart:
        DrawAverageChart(c, box);
        break;
    case Kind::Clock:
        DrawClock(c, box);
        break;
    case Kind::Runner:
        DrawRunner(c, box);
        break;
    case Kind::Plus:
        DrawSign(c, box, true);
        break;
    case Kind::Minus:
        DrawSign(c, box, false);
        break;
    case Kind::ArrowsRight:
        DrawArrows(c, box, true);
        break;
    case Kind::ArrowsLeft:
        DrawArrows(c, box, false);
        break;
    case Kind::Printer:
        DrawPrinter(c, box);
        break;
    case Kind::Folder:
        DrawFolder(c, box);
        break;
    case Kind::Book:
        DrawBook(c, box);
        break;
    case Kind::Heart:
        DrawHeart(c, box);
        break;
    case Kind::Question:
        DrawQuestion(c, box);
        break;
    case Kind::Sigma:
        DrawSigma(c, box);
        break;
    case Kind::Window:
        AppWindow(c, box, true);
        break;
    case Kind::Cross:
        DrawCross(c, box);
        break;
    case Kind::ArrowRight:
        DrawArrow(c, box, true);
        break;
    case Kind::ArrowLeft:
        DrawArrow(c, box, false);
        break;
    }
}
