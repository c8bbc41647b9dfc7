#include "art/IconArt.h"

#include "art/ArtPalette.h"
#include "art/Pictogram.h"
#include "art/PixelCanvas.h"
#include "art/Runner.h"
#include "shell/ResourceIds.h"

#include <QPainterPath>

using P = ArtPalette;
using K = Pictogram::Kind;

namespace {

// A yellow runner on a navy disc over a red track.
void DrawApplication(PixelCanvas& c) {
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF disc(0.5, 0.5, 31, 31);
    p.setPen(Qt::NoPen);
    p.setBrush(P::Navy());
    p.drawEllipse(disc);
    QPainterPath clip;
    clip.addEllipse(disc);
    p.setClipPath(clip);
    p.fillRect(QRectF(0, 24, 32, 8), P::Maroon());
    p.fillRect(QRectF(0, 26, 32, 1), P::White());
    p.setClipping(false);
    p.setPen(QPen(P::Black(), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc);
    p.restore();
    Runner::Draw(p, QPointF(16.5, 25), 21, 2.36, P::Yellow(), P::Olive());
}

} // namespace

bool IconArt::Has(int iconId) {
    switch (iconId) {
    case res::kAppIcon:
    case res::kLogBookIcon:
    case res::kCalendarIcon:
    case res::kGraphsIcon:
    case res::kStatsIcon:
    case res::kReportsIcon:
        return true;
    default:
        return false;
    }
}

QImage IconArt::Render(int iconId) {
    if (!Has(iconId)) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    PixelCanvas c(image);
    switch (iconId) {
    case res::kAppIcon:
        DrawApplication(c);
        break;
    case res::kLogBookIcon:
        Pictogram::Draw(c, K::Book, QRect(3, 1, 26, 30));
        break;
    case res::kCalendarIcon:
        Pictogram::CalendarLeaf(c, QRect(2, 4, 28, 26), "31");
        break;
    case res::kGraphsIcon:
        Pictogram::Draw(c, K::BarChart, QRect(1, 3, 30, 26));
        break;
    case res::kStatsIcon:
        Pictogram::Draw(c, K::Sheet, QRect(3, 1, 26, 30));
        Pictogram::Draw(c, K::Sigma, QRect(9, 10, 14, 16));
        break;
    case res::kReportsIcon:
        Pictogram::Draw(c, K::Pages, QRect(1, 1, 30, 30));
        break;
    default:
        break;
    }
    return image;
}
