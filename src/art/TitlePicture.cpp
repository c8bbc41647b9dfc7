#include "art/TitlePicture.h"

#include "art/ArtPalette.h"
#include "art/ArtText.h"
#include "art/PixelCanvas.h"
#include "art/Runner.h"

#include <QPainterPath>

#include <array>

using P = ArtPalette;

void TitlePicture::PaintSunset(QPainter& p, const QRect& area, int horizon) {
    // Bands of sky, narrowing towards the horizon as a sixteen-colour sunset.
    const std::array<QColor, 4> sky{P::Navy(), P::Purple(), P::Maroon(), P::Red()};
    const std::array<int, 4> share{38, 26, 20, 16};
    const int skyHeight = horizon - area.top();
    int y = area.top();
    for (std::size_t i = 0; i < sky.size(); ++i) {
        const int h = i + 1 == sky.size() ? horizon - y : skyHeight * share[i] / 100;
        p.fillRect(area.left(), y, area.width(), h, sky[i]);
        y += h;
    }
    // Sun sinking behind the horizon, striped by the haze.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(QRect(area.left(), area.top(), area.width(), horizon - area.top()));
    const int r = skyHeight * 2 / 5;
    const QPointF sun(area.left() + area.width() * 0.70, horizon - r * 0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(P::Yellow());
    p.drawEllipse(sun, r, r);
    QPainterPath disc;
    disc.addEllipse(sun, r + 1, r + 1);
    p.setClipPath(disc, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0, gap = 1; k < 5; ++k, ++gap) {
        const int sy = horizon - 2 - k * 5 - gap;
        p.fillRect(area.left(), sy, area.width(), gap, P::Red());
    }
    p.restore();
    // Ground and a track running off to the right in perspective.
    p.fillRect(area.left(), horizon, area.width(), area.bottom() + 1 - horizon, P::Green());
    p.fillRect(area.left(), horizon, area.width(), 1, P::Olive());
    const int trackTop = horizon + (area.bottom() - horizon) / 4;
    p.fillRect(area.left(), trackTop, area.width(), area.bottom() + 1 - trackTop, P::Maroon());
    const int lanes = 3;
    for (int i = 0; i <= lanes; ++i) {
        const int ly = trackTop + (area.bottom() - trackTop) * i * i / (lanes * lanes);
        p.fillRect(area.left(), ly, area.width(), 1, P::White());
    }
}

QImage TitlePicture::Scene() {
    QImage image(width, sceneHeight, QImage::Format_RGB32);
    image.fill(P::Black());
    PixelCanvas c(image);
    QPainter& p = c.Painter();
    const int captionTop = 122;
    const QRect sceneArea(0, 0, width, captionTop);
    PaintSunset(p, sceneArea, 82);

    // A group of runners on the track, the nearest largest.
    struct Figure {
        qreal x, ground, height, phase;
    };
    const std::array<Figure, 3> runners{{
        {62, 100, 34, 5.5},
        {116, 108, 44, 2.36},
        {180, 118, 56, 5.6},
    }};
    for (const Figure& f : runners) {
        Runner::Draw(p, QPointF(f.x, f.ground), f.height, f.phase, P::Black(), P::Black());
    }
    c.Box(QRect(0, 0, width, captionTop), P::Black());

    // Caption band.
    c.Fill(QRect(0, captionTop, width, sceneHeight - captionTop), P::Navy());
    c.HLine(0, width - 1, captionTop, P::Yellow());
    c.Text(QRect(0, captionTop + 1, width, 19), Qt::AlignCenter, ArtText::ProductName(), 17, true,
           P::Yellow(), true);
    c.Text(QRect(0, captionTop + 19, width, 12), Qt::AlignCenter, ArtText::Tagline(), 10, false,
           P::White(), true);
    c.Box(QRect(0, 0, width, sceneHeight), P::Black());
    return image;
}

QImage TitlePicture::Version() {
    QImage image(width, versionHeight, QImage::Format_RGB32);
    image.fill(P::Silver());
    PixelCanvas c(image);
    const QRect frame(0, 0, width, versionHeight);
    // A sunken panel, as if engraved into the dialog.
    c.Bevel(frame, P::Grey(), P::White());
    c.Bevel(frame.adjusted(1, 1, -1, -1), P::Black(), P::Silver());
    c.Text(QRect(0, 8, width, 26), Qt::AlignCenter, ArtText::Version(), 22, true, P::Navy(), true);
    c.HLine(40, width - 41, 38, P::Grey());
    c.HLine(40, width - 41, 39, P::White());
    c.Text(QRect(0, 43, width, 16), Qt::AlignCenter, ArtText::Notice(), 12, true, P::Black());
    return image;
}
