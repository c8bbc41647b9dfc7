#include "TButtonFace.h"

#include "TArtPalette.h"
#include "TPictogram.h"
#include "TPixelCanvas.h"

#include <algorithm>
#include <array>

using P = TArtPalette;
using K = TPictogram::Kind;

namespace {

struct ButtonArt {
    int id;
    const char* caption;
};

// Captions as the dialogs name the buttons.
constexpr std::array<ButtonArt, 30> buttons{{
    {101, "Save Day"},   {102, "+ One Day"},  {103, "- One Day"},  {104, "+ 30 Days"},
    {105, "- 30 Days"},  {106, "+ 7 Days"},   {107, "- 7 Days"},   {108, "Erase Day"},
    {109, "Find"},       {110, "Calculate"},  {111, "Exit"},       {200, "Category"},
    {201, "+One Month"}, {202, "-One Month"}, {203, "+ One Year"}, {204, "-One Year"},
    {300, "Bar Graph"},  {301, "Line Graph"}, {302, "Area Graph"}, {303, "Moving Avg"},
    {304, "Day Type"},   {305, "S+One Day"},  {306, "S-One Day"},  {307, "E+One Day"},
    {308, "E-One Day"},  {400, "Preview"},    {401, "Print"},      {402, "Create File"},
    {403, "- Page"},     {404, "+ Page"},
}};

const ButtonArt* Find(int id) {
    for (const ButtonArt& b : buttons) {
        if (b.id == id) {
            return &b;
        }
    }
    return nullptr;
}

constexpr int captionTop = 25;
constexpr int captionHeight = 11;
constexpr int captionPixels = 10;
constexpr bool captionSmooth = true;

// Sign and calendar leaf of the day-stepping buttons.
void SignAndLeaf(TPixelCanvas& c, int ox, int oy, bool plus, const char* days) {
    TPictogram::Draw(c, plus ? K::Plus : K::Minus, QRect(ox + 16, oy + 9, 11, 11));
    TPictogram::CalendarLeaf(c, QRect(ox + 31, oy + 5, 17, 18), days);
}

// Sign, two arrow heads and the bar that marks which end of the range moves.
void SignAndArrows(TPixelCanvas& c, int ox, int oy, bool plus, bool startEnd) {
    const int y = oy + 7;
    TPictogram::Draw(c, plus ? K::Plus : K::Minus, QRect(ox + 15, y + 2, 11, 11));
    const int arrowsX = startEnd ? ox + 33 : ox + 29;
    const int barX = startEnd ? ox + 29 : ox + 43;
    c.Fill(barX, y, 3, 15, P::Black());
    c.VLine(barX + 1, y + 1, y + 13, P::Navy());
    TPictogram::Draw(c, plus ? K::ArrowsRight : K::ArrowsLeft, QRect(arrowsX, y + 1, 13, 13));
}

void DrawPicture(TPixelCanvas& c, int id, int ox, int oy) {
    auto put = [&](K kind, int x, int y, int w, int h) {
        TPictogram::Draw(c, kind, QRect(ox + x, oy + y, w, h));
    };
    switch (id) {
    case 101:
        put(K::Floppy, 23, 4, 18, 18);
        break;
    case 102:
    case 103:
        SignAndLeaf(c, ox, oy, id == 102, "1");
        break;
    case 104:
    case 105:
        SignAndLeaf(c, ox, oy, id == 104, "30");
        break;
    case 106:
    case 107:
        SignAndLeaf(c, ox, oy, id == 106, "7");
        break;
    case 108:
        TPictogram::CalendarLeaf(c, QRect(ox + 21, oy + 5, 17, 18), nullptr);
        put(K::Cross, 30, 10, 13, 13);
        break;
    case 109:
        put(K::Page, 19, 4, 15, 19);
        put(K::Magnifier, 27, 6, 17, 17);
        break;
    case 110:
        put(K::Calculator, 24, 4, 16, 19);
        break;
    case 111:
        put(K::Door, 20, 4, 25, 19);
        break;
    case 200:
        put(K::Pie, 22, 4, 19, 19);
        break;
    case 201:
    case 203:
        put(K::Plus, 25, 6, 15, 15);
        break;
    case 202:
    case 204:
        put(K::Minus, 25, 6, 15, 15);
        break;
    case 300:
        put(K::BarChart, 19, 5, 26, 18);
        break;
    case 301:
        put(K::LineChart, 19, 5, 26, 18);
        break;
    case 302:
        put(K::AreaChart, 19, 5, 26, 18);
        break;
    case 303:
        put(K::AverageChart, 19, 5, 26, 18);
        break;
    case 304:
        put(K::Clock, 17, 6, 16, 16);
        put(K::Runner, 34, 4, 14, 19);
        break;
    case 305:
    case 306:
        SignAndArrows(c, ox, oy, id == 305, true);
        break;
    case 307:
    case 308:
        SignAndArrows(c, ox, oy, id == 307, false);
        break;
    case 400:
        put(K::Page, 20, 4, 15, 19);
        put(K::Magnifier, 28, 6, 17, 17);
        break;
    case 401:
        put(K::Printer, 20, 4, 24, 19);
        break;
    case 402:
        put(K::Page, 20, 4, 15, 19);
        put(K::Floppy, 30, 10, 13, 13);
        break;
    case 403:
    case 404:
        put(id == 404 ? K::Plus : K::Minus, 16, 9, 11, 11);
        put(K::Page, 31, 4, 15, 19);
        break;
    default:
        break;
    }
}

} // namespace

bool TButtonFace::Has(int buttonId) {
    return Find(buttonId) != nullptr;
}

QString TButtonFace::Caption(int buttonId) {
    const ButtonArt* b = Find(buttonId);
    return b ? QString::fromLatin1(b->caption) : QString();
}

QImage TButtonFace::Render(int buttonId, State state) {
    const ButtonArt* art = Find(buttonId);
    if (!art) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(P::Silver());
    TPixelCanvas c(image);
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

    DrawPicture(c, buttonId, shift, shift);

    const QString caption = QString::fromLatin1(art->caption);
    // The largest size at which the caption fits between the bevels.
    int pixels = captionPixels;
    while (pixels > 8 &&
           TPixelCanvas::TextWidth(caption, pixels, true, captionSmooth) > width - 8) {
        --pixels;
    }
    const int textWidth = TPixelCanvas::TextWidth(caption, pixels, true, captionSmooth);
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
