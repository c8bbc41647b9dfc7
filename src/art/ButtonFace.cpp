#include "art/ButtonFace.h"

#include "art/ArtPalette.h"
#include "art/Pictogram.h"
#include "art/PixelCanvas.h"
#include "editor/LogBookDialog.h"
#include "reports/ReportsDialog.h"
#include "shell/ToolDialog.h"
#include "views/CalendarDialog.h"
#include "views/GraphsDialog.h"
#include "views/SelectorIds.h"

#include <algorithm>
#include <array>

using P = ArtPalette;
using K = Pictogram::Kind;

namespace {

// Faces of a seven-day step that the resources keep though no page shows them.
constexpr int kPlus7Days = 106;
constexpr int kMinus7Days = 107;

struct ButtonArt {
    int id;
    const char* caption;
};

// Captions as the dialogs name the buttons.
constexpr std::array<ButtonArt, 30> buttons{{

    {LogBookDialog::kSaveDay, "Save Day"},
    {LogBookDialog::kNextDay, "+ One Day"},
    {LogBookDialog::kPreviousDay, "- One Day"},
    {LogBookDialog::kNext30Days, "+ 30 Days"},
    {LogBookDialog::kPrevious30Days, "- 30 Days"},
    {kPlus7Days, "+ 7 Days"},
    {kMinus7Days, "- 7 Days"},
    {LogBookDialog::kEraseDay, "Erase Day"},
    {LogBookDialog::kFind, "Find"},
    {LogBookDialog::kCalculate, "Calculate"},
    {ToolDialog::kClose, "Exit"},
    {selector::kCategory, "Category"},
    {CalendarDialog::kNextMonth, "+One Month"},
    {CalendarDialog::kPreviousMonth, "-One Month"},
    {CalendarDialog::kNextYear, "+ One Year"},
    {CalendarDialog::kPreviousYear, "-One Year"},
    {GraphsDialog::kBarGraph, "Bar Graph"},
    {GraphsDialog::kLineGraph, "Line Graph"},
    {GraphsDialog::kAreaGraph, "Area Graph"},
    {GraphsDialog::kMovingAverage, "Moving Avg"},
    {selector::kDayType, "Day Type"},
    {selector::kNextStart, "S+One Day"},
    {selector::kPreviousStart, "S-One Day"},
    {selector::kNextEnd, "E+One Day"},
    {selector::kPreviousEnd, "E-One Day"},
    {ReportsDialog::kPreview, "Preview"},
    {ReportsDialog::kPrint, "Print"},
    {ReportsDialog::kCreateFile, "Create File"},
    {ReportsDialog::kPreviousPage, "- Page"},
    {ReportsDialog::kNextPage, "+ Page"},
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

void DrawPicture(PixelCanvas& c, int id, int ox, int oy) {
    auto put = [&](K kind, int x, int y, int w, int h) {
        Pictogram::Draw(c, kind, QRect(ox + x, oy + y, w, h));
    };
    switch (id) {
    case LogBookDialog::kSaveDay:
        put(K::Floppy, 23, 4, 18, 18);
        break;
    case LogBookDialog::kNextDay:
    case LogBookDialog::kPreviousDay:
        SignAndLeaf(c, ox, oy, id == LogBookDialog::kNextDay, "1");
        break;
    case LogBookDialog::kNext30Days:
    case LogBookDialog::kPrevious30Days:
        SignAndLeaf(c, ox, oy, id == LogBookDialog::kNext30Days, "30");
        break;
    case kPlus7Days:
    case kMinus7Days:
        SignAndLeaf(c, ox, oy, id == kPlus7Days, "7");
        break;
    case LogBookDialog::kEraseDay:
        Pictogram::CalendarLeaf(c, QRect(ox + 21, oy + 5, 17, 18), nullptr);
        put(K::Cross, 30, 10, 13, 13);
        break;
    case LogBookDialog::kFind:
        put(K::Page, 19, 4, 15, 19);
        put(K::Magnifier, 27, 6, 17, 17);
        break;
    case LogBookDialog::kCalculate:
        put(K::Calculator, 24, 4, 16, 19);
        break;
    case ToolDialog::kClose:
        put(K::Door, 20, 4, 25, 19);
        break;
    case selector::kCategory:
        put(K::Pie, 22, 4, 19, 19);
        break;
    case CalendarDialog::kNextMonth:
    case CalendarDialog::kNextYear:
        put(K::Plus, 25, 6, 15, 15);
        break;
    case CalendarDialog::kPreviousMonth:
    case CalendarDialog::kPreviousYear:
        put(K::Minus, 25, 6, 15, 15);
        break;
    case GraphsDialog::kBarGraph:
        put(K::BarChart, 19, 5, 26, 18);
        break;
    case GraphsDialog::kLineGraph:
        put(K::LineChart, 19, 5, 26, 18);
        break;
    case GraphsDialog::kAreaGraph:
        put(K::AreaChart, 19, 5, 26, 18);
        break;
    case GraphsDialog::kMovingAverage:
        put(K::AverageChart, 19, 5, 26, 18);
        break;
    case selector::kDayType:
        put(K::Clock, 17, 6, 16, 16);
        put(K::Runner, 34, 4, 14, 19);
        break;
    case selector::kNextStart:
    case selector::kPreviousStart:
        SignAndArrows(c, ox, oy, id == selector::kNextStart, true);
        break;
    case selector::kNextEnd:
    case selector::kPreviousEnd:
        SignAndArrows(c, ox, oy, id == selector::kNextEnd, false);
        break;
    case ReportsDialog::kPreview:
        put(K::Page, 20, 4, 15, 19);
        put(K::Magnifier, 28, 6, 17, 17);
        break;
    case ReportsDialog::kPrint:
        put(K::Printer, 20, 4, 24, 19);
        break;
    case ReportsDialog::kCreateFile:
        put(K::Page, 20, 4, 15, 19);
        put(K::Floppy, 30, 10, 13, 13);
        break;
    case ReportsDialog::kPreviousPage:
    case ReportsDialog::kNextPage:
        put(id == ReportsDialog::kNextPage ? K::Plus : K::Minus, 16, 9, 11, 11);
        put(K::Page, 31, 4, 15, 19);
        break;
    default:
        break;
    }
}

} // namespace

bool ButtonFace::Has(int buttonId) {
    return Find(buttonId) != nullptr;
}

QString ButtonFace::Caption(int buttonId) {
    const ButtonArt* b = Find(buttonId);
    return b ? QString::fromLatin1(b->caption) : QString();
}

QImage ButtonFace::Render(int buttonId, State state) {
    const ButtonArt* art = Find(buttonId);
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

    DrawPicture(c, buttonId, shift, shift);

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
