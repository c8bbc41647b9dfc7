#include "art/ButtonFace.h"

#include "art/ArtPalette.h"
#include "art/Pictogram.h"
#include "art/PixelCanvas.h"
#include "editor/LogBookButtons.h"
#include "reports/ReportsButtons.h"
#include "summary/SummaryButtons.h"
#include "views/CalendarButtons.h"
#include "views/GraphsButtons.h"
#include "views/StatsButtons.h"

#include <algorithm>
#include <span>

using P = ArtPalette;
using K = Pictogram::Kind;
using B = ButtonPicture;

namespace {

// Every tool's button table: a button the pages share is the same row in each.
const ToolButton* Find(int id) {
    for (const std::span<const ToolButton> table :
         {std::span<const ToolButton>(LogBookButtons::kButtons),
          {CalendarButtons::kButtons},
          {GraphsButtons::kButtons},
          {StatsButtons::kButtons},
          {ReportsButtons::kButtons},
          {SummaryButtons::kButtons}}) {
        for (const ToolButton& b : table) {
            if (b.id == id) {
                return &b;
            }
        }
    }
    return nullptr;
}

constexpr int captionTop = 25;
constexpr int captionHeight = 11;
constexpr int captionPixels = 10;
constexpr bool captionSmooth = true;

// Sign and calendar leaf of the day-stepping buttons.
void SignAndLeaf(PixelCanvas& c, int ox, int oy, bool plus, const char* days) {
    Pictogram::Draw(c, plus ? K::Plus : K::Minus, QRect(ox + 16, oy + 9, 11, 11));
    Pictogram::CalendarLeaf(c, QRect(ox + 31, oy + 5, 17, 18), days);
}

// Sign, two arrow heads and the bar that marks which end of the range moves.
void SignAndArrows(PixelCanvas& c, int ox, int oy, bool plus, bool startEnd) {
    const int y = oy + 7;
    Pictogram::Draw(c, plus ? K::Plus : K::Minus, QRect(ox + 15, y + 2, 11, 11));
    const int arrowsX = startEnd ? ox + 33 : ox + 29;
    const int barX = startEnd ? ox + 29 : ox + 43;
    c.Fill(barX, y, 3, 15, P::Black());
    c.VLine(barX + 1, y + 1, y + 13, P::Navy());
    Pictogram::Draw(c, plus ? K::ArrowsRight : K::ArrowsLeft, QRect(arrowsX, y + 1, 13, 13));
}

void DrawPicture(PixelCanvas& c, ButtonPicture picture, int ox, int oy) {
    auto put = [&](K kind, int x, int y, int w, int h) {
        Pictogram::Draw(c, kind, QRect(ox + x, oy + y, w, h));
    };
    switch (picture) {
    case B::Floppy:
        put(K::Floppy, 23, 4, 18, 18);
        break;
    case B::PlusOneDay:
    case B::MinusOneDay:
        SignAndLeaf(c, ox, oy, picture == B::PlusOneDay, "1");
        break;
    case B::PlusThirtyDays:
    case B::MinusThirtyDays:
        SignAndLeaf(c, ox, oy, picture == B::PlusThirtyDays, "30");
        break;
    case B::PlusSevenDays:
    case B::MinusSevenDays:
        SignAndLeaf(c, ox, oy, picture == B::PlusSevenDays, "7");
        break;
    case B::EraseDay:
        Pictogram::CalendarLeaf(c, QRect(ox + 21, oy + 5, 17, 18), nullptr);
        put(K::Cross, 30, 10, 13, 13);
        break;
    case B::Find:
        put(K::Page, 19, 4, 15, 19);
        put(K::Magnifier, 27, 6, 17, 17);
        break;
    case B::Calculator:
        put(K::Calculator, 24, 4, 16, 19);
        break;
    case B::Door:
        put(K::Door, 20, 4, 25, 19);
        break;
    case B::Pie:
        put(K::Pie, 22, 4, 19, 19);
        break;
    case B::Plus:
        put(K::Plus, 25, 6, 15, 15);
        break;
    case B::Minus:
        put(K::Minus, 25, 6, 15, 15);
        break;
    case B::BarChart:
        put(K::BarChart, 19, 5, 26, 18);
        break;
    case B::LineChart:
        put(K::LineChart, 19, 5, 26, 18);
        break;
    case B::AreaChart:
        put(K::AreaChart, 19, 5, 26, 18);
        break;
    case B::AverageChart:
        put(K::AverageChart, 19, 5, 26, 18);
        break;
    case B::DayType:
        put(K::Clock, 17, 6, 16, 16);
        put(K::Runner, 34, 4, 14, 19);
        break;
    case B::PlusStart:
    case B::MinusStart:
        SignAndArrows(c, ox, oy, picture == B::PlusStart, true);
        break;
    case B::PlusEnd:
    case B::MinusEnd:
        SignAndArrows(c, ox, oy, picture == B::PlusEnd, false);
        break;
    case B::Preview:
        put(K::Page, 20, 4, 15, 19);
        put(K::Magnifier, 28, 6, 17, 17);
        break;
    case B::Printer:
        put(K::Printer, 20, 4, 24, 19);
        break;
    case B::CreateFile:
        put(K::Page, 20, 4, 15, 19);
        put(K::Floppy, 30, 10, 13, 13);
        break;
    case B::MinusPage:
    case B::PlusPage:
        put(picture == B::PlusPage ? K::Plus : K::Minus, 16, 9, 11, 11);
        put(K::Page, 31, 4, 15, 19);
        break;
    case B::Periods:
        Pictogram::CalendarLeaf(c, QRect(ox + 14, oy + 5, 17, 18), "7");
        Pictogram::CalendarLeaf(c, QRect(ox + 33, oy + 5, 17, 18), "31");
        break;
    }
}

} // namespace

bool ButtonFace::Has(int buttonId) {
    return Find(buttonId) != nullptr;
}

QString ButtonFace::Caption(int buttonId) {
    const ToolButton* b = Find(buttonId);
    return b ? QString::fromLatin1(b->caption) : QString();
}

QImage ButtonFace::Render(int buttonId, State state) {
    const ToolButton* art = Find(buttonId);
    if (!art) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(P::Silver());
    PixelCanvas c(image);
    const QRect face(0, 0, width, height);
    c.Box(face, P::Black());
    int shift = 0;
    if (state == State::Pressed) {
        // Sunken: only a dark line along the top and left, contents pushed
        // down and right.
        c.HLine(1, width - 2, 1, P::Grey());
        c.VLine(1, 1, height - 2, P::Grey());
        shift = 1;
    } else {
        c.Bevel(face.adjusted(1, 1, -1, -1), P::White(), P::Grey(), 2);
    }

    DrawPicture(c, art->picture, shift, shift);

    const QString caption = QString::fromLatin1(art->caption);
    // The largest size at which the caption fits between the bevels.
    int pixels = captionPixels;
    while (pixels > 8 && PixelCanvas::TextWidth(caption, pixels, true, captionSmooth) > width - 8) {
        --pixels;
    }
    const int textWidth = PixelCanvas::TextWidth(caption, pixels, true, captionSmooth);
    const QRect captionRect(3 + shift, captionTop + shift, width - 6, captionHeight);
    c.Text(captionRect, Qt::AlignHCenter | Qt::AlignVCenter, caption, pixels, true, P::Black(),
           captionSmooth);
    if (state == State::Focused) {
        const int left = captionRect.left() + (captionRect.width() - textWidth) / 2 - 2;
        c.DottedBox(QRect(std::max(3, left), captionTop - 1, std::min(width - 6, textWidth + 4),
                          captionHeight + 1),
                    P::Black());
    }
    return image;
}
