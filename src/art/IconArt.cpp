#include "art/IconArt.h"

#include "art/ArtPalette.h"
#include "art/Pictogram.h"
#include "art/PixelCanvas.h"
#include "art/Runner.h"
#include "art/Trophy.h"
#include "shell/ResourceIds.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

using P = ArtPalette;
using K = Pictogram::Kind;

namespace {

// A yellow runner on a navy disc over a red track, laid out on a 32-pixel grid and scaled to
// `pixels`. Lines stay at least a pixel wide, so the small sizes keep their outline and
// lane line; under 24 pixels the runner stands taller, with hard edges.
void DrawApplication(PixelCanvas& c, int pixels) {
    const qreal s = pixels / 32.0;
    const qreal line = std::max<qreal>(1.0, s);
    QPainter& p = c.Painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF disc(line / 2, line / 2, pixels - line, pixels - line);
    p.setPen(Qt::NoPen);
    p.setBrush(P::Navy());
    p.drawEllipse(disc);
    QPainterPath clip;
    clip.addEllipse(disc);
    p.setClipPath(clip);
    p.fillRect(QRectF(0, std::round(24 * s), pixels, pixels), P::Maroon());
    p.fillRect(QRectF(0, std::round(26 * s), pixels, std::round(line)), P::White());
    p.setClipping(false);
    p.setPen(QPen(P::Black(), line));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(disc);
    p.restore();
    const QPointF ground(std::round(16.5 * s * 2) / 2, std::round(25 * s));
    if (pixels < 24) {
        // Taller than to scale and with hard edges, or the figure melts into a blot.
        Runner::DrawCrisp(p, ground + QPointF(0, 1), 25 * s, 2.36, P::Yellow(), P::Olive());
    } else {
        Runner::Draw(p, ground, 21 * s, 2.36, P::Yellow(), P::Olive());
    }
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
    case res::kSummaryIcon:
    case res::kTrainingLoadIcon:
    case res::kGearIcon:
    case res::kRecordsIcon:
        return true;
    default:
        return false;
    }
}

QImage IconArt::RenderApplication(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    PixelCanvas c(image);
    DrawApplication(c, pixels);
    return image;
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
        DrawApplication(c, size);
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
    case res::kSummaryIcon:
        Pictogram::Draw(c, K::Sheet, QRect(3, 1, 26, 30));
        Pictogram::Draw(c, K::BarChart, QRect(7, 9, 18, 16));
        break;
    case res::kTrainingLoadIcon:
        Pictogram::Draw(c, K::LineChart, QRect(1, 3, 30, 26));
        Pictogram::Draw(c, K::Heart, QRect(18, 1, 13, 13));
        break;
    case res::kGearIcon:
        Pictogram::Draw(c, K::Runner, QRect(4, 1, 24, 22));
        c.Fill(QRect(2, 25, 28, 5), P::Grey());
        c.Fill(QRect(2, 25, 21, 5), P::Red());
        break;
    case res::kRecordsIcon:
        Trophy::Draw(c, QRect(3, 2, 26, 28));
        break;
    default:
        break;
    }
    return image;
}
