#include "art/CalendarLegend.h"

#include "art/ArtPalette.h"
#include "art/PixelCanvas.h"

#include <array>

using P = ArtPalette;

QImage CalendarLegend::Render() {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(P::Silver());
    PixelCanvas c(image);
    struct Item {
        QColor colour;
        QString label;
    };
    const std::array<Item, 3> items{{{P::Yellow(), QStringLiteral("Current")},
                                     {P::Purple(), QStringLiteral("Training")},
                                     {P::Teal(), QStringLiteral("Competition")}}};
    constexpr int swatch = 13;
    constexpr int textGap = 4;
    constexpr int px = 11;
    int used = 0;
    for (const Item& it : items) {
        used += swatch + textGap + PixelCanvas::TextWidth(it.label, px, false);
    }
    // Spread the three keys evenly over the width.
    const int gap = (width - 4 - used) / 2;
    int x = 2;
    const int top = (height - swatch) / 2;
    for (const Item& it : items) {
        const QRect s(x, top, swatch, swatch);
        c.Fill(s, P::Black());
        c.Fill(s.adjusted(1, 1, -1, -1), it.colour);
        const int tw = PixelCanvas::TextWidth(it.label, px, false);
        c.Text(QRect(x + swatch + textGap, 0, tw + 1, height), Qt::AlignLeft | Qt::AlignVCenter,
               it.label, px, false, P::Black());
        x += swatch + textGap + tw + gap;
    }
    return image;
}
