#include "art/AboutPicture.h"

#include "art/ArtPalette.h"
#include "art/ArtText.h"
#include "art/PixelCanvas.h"
#include "art/Runner.h"
#include "art/TitlePicture.h"

#include <QPainterPath>

using P = ArtPalette;

QImage AboutPicture::Render() {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(P::Silver());
    PixelCanvas c(image);
    QPainter& p = c.Painter();
    const QRect frame(0, 0, width, height);
    c.Bevel(frame, P::Grey(), P::White());
    c.Bevel(frame.adjusted(1, 1, -1, -1), P::Black(), P::Silver());

    // The emblem: the sunset scene inside a ringed disc.
    const QRect disc(18, 22, 132, 132);
    p.save();
    QPainterPath round;
    round.addEllipse(QRectF(disc));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipPath(round);
    TitlePicture::PaintSunset(p, disc, disc.top() + 86);
    p.setClipping(false);
    Runner::Draw(p, QPointF(disc.center().x() - 4, disc.top() + 114), 74, 2.36, P::Black(),
                 P::Black());
    p.setPen(QPen(P::Navy(), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(disc).adjusted(2, 2, -2, -2));
    p.setPen(QPen(P::Yellow(), 1.5));
    p.drawEllipse(QRectF(disc).adjusted(4.5, 4.5, -4.5, -4.5));
    p.restore();

    const int textLeft = 170;
    const int textWidth = width - textLeft - 12;
    c.Text(QRect(textLeft + 2, 34, textWidth, 44), Qt::AlignLeft | Qt::AlignVCenter,
           ArtText::ProductName(), 40, true, P::Grey(), true);
    c.Text(QRect(textLeft, 32, textWidth, 44), Qt::AlignLeft | Qt::AlignVCenter,
           ArtText::ProductName(), 40, true, P::Navy(), true);
    c.Text(QRect(textLeft + 2, 80, textWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
           ArtText::Tagline(), 12, false, P::Black(), true);
    c.HLine(textLeft + 2, width - 20, 102, P::Grey());
    c.HLine(textLeft + 2, width - 20, 103, P::White());
    c.Text(QRect(textLeft + 2, 110, textWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
           ArtText::Version(), 12, true, P::Maroon(), true);
    c.Text(QRect(textLeft + 2, 130, textWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
           ArtText::Notice(), 11, false, P::Black(), true);
    return image;
}
