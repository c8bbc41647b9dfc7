#include "art/Runner.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// One leg through a double step, from foot strike: the thigh's angle from
// the vertical (forwards positive) and how far the knee folds the shin back.
struct LegKey {
    qreal thigh;
    qreal fold;
};
constexpr std::array<LegKey, 6> legKeys{{
    {0.45, 0.15},  // foot strike, in front
    {0.05, 0.30},  // under the body
    {-0.55, 0.35}, // toe-off, behind
    {-0.25, 1.90}, // heel kicked up
    {0.65, 1.45},  // knee driving forward
    {0.55, 0.55},  // shin reaching out
}};

// Catmull-Rom through the keys, closed over the cycle.
LegKey LegAt(qreal phase) {
    const qreal n = legKeys.size();
    qreal u = std::fmod(phase / (2 * std::numbers::pi), 1.0);
    if (u < 0) {
        u += 1.0;
    }
    const qreal pos = u * n;
    const int i = static_cast<int>(pos) % static_cast<int>(n);
    const qreal t = pos - std::floor(pos);
    auto key = [&](int k) { return legKeys[static_cast<std::size_t>((k + 6) % 6)]; };
    const LegKey p0 = key(i - 1), p1 = key(i), p2 = key(i + 1), p3 = key(i + 2);
    auto spline = [t](qreal a, qreal b, qreal c, qreal d) {
        return 0.5 * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t * t +
                      (-a + 3 * b - 3 * c + d) * t * t * t);
    };
    return {spline(p0.thigh, p1.thigh, p2.thigh, p3.thigh),
            spline(p0.fold, p1.fold, p2.fold, p3.fold)};
}

// Offset of a limb of the given length hanging at `angle` from the vertical.
QPointF Limb(qreal length, qreal angle) {
    return {length * std::sin(angle), length * std::cos(angle)};
}

struct Side {
    QPointF knee, foot, elbow, hand;
};

struct Figure {
    QPointF hip, shoulder, head;
    Side nearSide, farSide;
    qreal width;
};

Side SideAt(QPointF hip, QPointF shoulder, qreal h, qreal phase) {
    const LegKey leg = LegAt(phase);
    Side s;
    s.knee = hip + Limb(0.25 * h, leg.thigh);
    s.foot = s.knee + Limb(0.25 * h, leg.thigh - leg.fold);
    // Arms swing against the leg of the same side.
    const qreal upper = -0.9 * leg.thigh;
    s.elbow = shoulder + Limb(0.16 * h, upper);
    s.hand = s.elbow + Limb(0.14 * h, upper + 1.7);
    return s;
}

Figure Build(QPointF ground, qreal h, qreal phase) {
    Figure f;
    f.hip = QPointF(0, 0);
    f.shoulder = f.hip + QPointF(0.08 * h, -0.27 * h);
    f.head = f.shoulder + QPointF(0.05 * h, -0.13 * h);
    f.nearSide = SideAt(f.hip, f.shoulder, h, phase);
    f.farSide = SideAt(f.hip, f.shoulder, h, phase + std::numbers::pi);
    f.width = std::max<qreal>(1.5, 0.085 * h);
    // Stand the figure on its lower foot.
    const qreal lowest = std::max(f.nearSide.foot.y(), f.farSide.foot.y()) + f.width / 2;
    const QPointF shift = ground - QPointF(0, lowest);
    for (QPointF* p :
         {&f.hip, &f.shoulder, &f.head, &f.nearSide.knee, &f.nearSide.foot, &f.nearSide.elbow,
          &f.nearSide.hand, &f.farSide.knee, &f.farSide.foot, &f.farSide.elbow, &f.farSide.hand}) {
        *p += shift;
    }
    return f;
}

void DrawSide(QPainter& painter, const Figure& f, const Side& s, const QColor& c) {
    painter.setPen(QPen(c, f.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF leg[] = {f.hip, s.knee, s.foot};
    painter.drawPolyline(leg, 3);
    const QPointF arm[] = {f.shoulder, s.elbow, s.hand};
    painter.drawPolyline(arm, 3);
}

void Paint(QPainter& painter, const Figure& f, const QColor& colour, const QColor& farColour,
           qreal h) {
    painter.setBrush(Qt::NoBrush);
    DrawSide(painter, f, f.farSide, farColour);
    painter.setPen(QPen(colour, f.width * 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(f.hip, f.shoulder);
    DrawSide(painter, f, f.nearSide, colour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal r = std::max<qreal>(1.4, 0.075 * h);
    painter.drawEllipse(f.head, r, r);
}

} // namespace

void Runner::Draw(QPainter& painter, QPointF ground, qreal h, qreal phase, const QColor& colour,
                  const QColor& farColour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    Paint(painter, Build(ground, h, phase), colour, farColour, h);
    painter.restore();
}

void Runner::DrawCrisp(QPainter& painter, QPointF ground, qreal h, qreal phase,
                       const QColor& colour, const QColor& farColour) {
    // Paint smoothly at four times the size, then keep each pixel whose
    // block is mostly covered, in the colour that covers most of it.
    constexpr int k = 4;
    const int size = static_cast<int>(std::ceil(h * 1.2)) + 4;
    QImage big(size * k, size * k, QImage::Format_ARGB32);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(k, k);
        Paint(p, Build(QPointF(size / 2.0, size - 2.0), h, phase), colour, farColour, h);
    }
    const QPoint origin(static_cast<int>(std::lround(ground.x() - size / 2.0)),
                        static_cast<int>(std::lround(ground.y() - (size - 2.0))));
    painter.save();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int nearCount = 0, farCount = 0;
            for (int dy = 0; dy < k; ++dy) {
                for (int dx = 0; dx < k; ++dx) {
                    const QRgb px = big.pixel(x * k + dx, y * k + dy);
                    if (qAlpha(px) < 128) {
                        continue;
                    }
                    if (QColor(px).rgb() == colour.rgb()) {
                        ++nearCount;
                    } else {
                        ++farCount;
                    }
                }
            }
            if (nearCount + farCount >= k * k * 2 / 5) {
                painter.fillRect(origin.x() + x, origin.y() + y, 1, 1,
                                 nearCount >= farCount ? colour : farColour);
            }
        }
    }
    painter.restore();
}
