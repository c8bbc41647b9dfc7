#include "art/SideBar.h"

#include "art/ArtPalette.h"
#include "art/ArtText.h"
#include "art/Pictogram.h"
#include "art/PixelCanvas.h"

using P = ArtPalette;

QImage SideBar::Render() {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(P::Navy());
    PixelCanvas c(image);
    // Edges: a light rule on the left, black on the right where the bar
    // meets the client area.
    c.VLine(0, 0, height - 1, P::Blue());
    c.VLine(width - 1, 0, height - 1, P::Black());
    c.VLine(width - 3, 0, height - 1, P::Teal());

    Pictogram::Draw(c, Pictogram::Kind::Heart, QRect(2, 5, 15, 15));
    c.HLine(2, width - 5, 24, P::Teal());

    // Upwards text: rotate so that x runs from the bottom edge to the top.
    QPainter& p = c.Painter();
    p.save();
    p.translate(0, height);
    p.rotate(-90);
    const int nameWidth = PixelCanvas::TextWidth(ArtText::ProductName(), 15, true, true);
    const QRect name(10, 0, nameWidth + 2, width - 2);
    c.Text(name, Qt::AlignLeft | Qt::AlignVCenter, ArtText::ProductName(), 15, true, P::Yellow(),
           true);
    const int ruleX = name.right() + 8;
    p.fillRect(ruleX, 6, 1, width - 13, P::Teal());
    c.Text(QRect(ruleX + 8, 0, 140, width - 2), Qt::AlignLeft | Qt::AlignVCenter, ArtText::Notice(),
           11, false, P::White(), true);
    p.restore();
    return image;
}
