#include "TIconArt.h"

#include "TArtPalette.h"
#include "TPictogram.h"
#include "TPixelCanvas.h"
#include "TRunner.h"

#include <QPainterPath>

using P = TArtPalette;
using K = TPictogram::Kind;

namespace {

// A yellow runner on a navy disc over a red track.
void DrawApplication(TPixelCanvas& c) {
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
    TRunner::Draw(p, QPointF(16.5, 25), 21, 2.36, P::Yellow(), P::Olive());
}

} // namespace

bool TIconArt::Has(int iconId) {
    return iconId == 100 || (iconId >= 101 && iconId <= 104) || iconId == 106;
}

QImage TIconArt::Render(int iconId) {
    if (!Has(iconId)) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    TPixelCanvas c(image);
    switch (iconId) {
    case 100:
        DrawApplication(c);
        break;
    case 101:
        TPictogram::Draw(c, K::Book, QRect(3, 1, 26, 30));
        break;
    case 102:
        TPictogram::CalendarLeaf(c, QRect(2, 4, 28, 26), "31");
        break;
    case 103:
        TPictogram::Draw(c, K::BarChart, QRect(1, 3, 30, 26));
        break;
    case 104:
        TPictogram::Draw(c, K::Sheet, QRect(3, 1, 26, 30));
        TPictogram::Draw(c, K::Sigma, QRect(9, 10, 14, 16));
        break;
    case 106:
        TPictogram::Draw(c, K::Pages, QRect(1, 1, 30, 30));
        break;
    default:
        break;
    }
    return image;
}
