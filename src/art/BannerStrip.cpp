#include "art/BannerStrip.h"

#include "art/ArtPalette.h"
#include "art/ArtText.h"
#include "art/PixelCanvas.h"
#include "art/Runner.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>
#include <numbers>

using P = ArtPalette;

namespace {

constexpr int trackTop = 50;
// Track markings slide left by this much per frame; their spacing divides
// the distance covered in one loop, so frame 0 leads back into frame 40.
constexpr int scroll = 4;
constexpr int markSpacing = 41;
// Double steps of the runner per loop.
constexpr int strides = 5;

} // namespace

QRect BannerStrip::FrameRect(int k) {
    return {0, height - k * pitch - frameHeight, width, frameHeight};
}

QImage BannerStrip::Frame(int k) {
    // Time runs as the title screen plays the frames: 40 first, 0 last.
    const int t = (frames - 1) - k;
    QImage image(width, frameHeight, QImage::Format_RGB32);
    image.fill(P::Navy());
    PixelCanvas c(image);
    QPainter& p = c.Painter();

    // Stars that twinkle in turn.
    static constexpr int stars[][2] = {{140, 6},  {162, 19}, {181, 8},  {205, 28},
                                       {226, 11}, {248, 24}, {262, 5},  {12, 44},
                                       {130, 38}, {268, 40}, {196, 43}, {154, 3}};
    int i = 0;
    for (const auto& s : stars) {
        const bool bright = (t + i * 7) % 13 < 3;
        c.Pixel(s[0], s[1], bright ? P::White() : P::Silver());
        if (bright) {
            c.Pixel(s[0] - 1, s[1], P::Grey());
            c.Pixel(s[0] + 1, s[1], P::Grey());
            c.Pixel(s[0], s[1] - 1, P::Grey());
            c.Pixel(s[0], s[1] + 1, P::Grey());
        }
        ++i;
    }

    // Track with lane lines and distance marks sliding past.
    c.Fill(QRect(0, trackTop, width, frameHeight - trackTop), P::Maroon());
    c.HLine(0, width - 1, trackTop, P::White());
    c.HLine(0, width - 1, frameHeight - 3, P::White());
    const int offset = (t * scroll) % markSpacing;
    for (int x = -offset; x < width; x += markSpacing) {
        c.Fill(QRect(x, trackTop + 6, 12, 2), P::White());
    }

    // Title with a gleam passing across the letters once per loop.
    QFont font = PixelCanvas::SansFont(34, true, true);
    font.setItalic(true);
    QPainterPath title;
    title.addText(14, 40, font, ArtText::ProductName());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(2, 2);
    p.fillPath(title, P::Black());
    p.translate(-2, -2);
    p.fillPath(title, P::Yellow());
    const qreal sweep = -60 + t * (260.0 / (frames - 1));
    QLinearGradient gleam(sweep, 0, sweep + 24, 0);
    gleam.setColorAt(0.0, QColor(255, 255, 255, 0));
    gleam.setColorAt(0.5, QColor(255, 255, 255, 230));
    gleam.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillPath(title, gleam);
    p.restore();

    // The runner, running on the spot while the track moves.
    const qreal phase = 2 * std::numbers::pi * strides * t / frames;
    Runner::Draw(p, QPointF(214, trackTop + 3), 40, phase, P::Yellow(), P::Olive());
    return image;
}

QImage BannerStrip::Render() {
    QImage strip(width, height, QImage::Format_RGB32);
    strip.fill(P::Black());
    QPainter p(&strip);
    for (int k = 0; k < frames; ++k) {
        p.drawImage(FrameRect(k).topLeft(), Frame(k));
    }
    return strip;
}
