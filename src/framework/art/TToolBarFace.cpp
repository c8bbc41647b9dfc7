#include "TToolBarFace.h"

#include "TArtPalette.h"
#include "TPictogram.h"
#include "TPixelCanvas.h"

using P = TArtPalette;
using K = TPictogram::Kind;

namespace {

constexpr int firstFace = 950;
constexpr int lastFace = 967;
constexpr int unusedFace = 959;

void Badge(TPixelCanvas& c, K kind, const QRect& r) {
    c.Fill(r.adjusted(-1, -1, 1, 1), P::Silver());
    TPictogram::Draw(c, kind, r);
}

void DrawFace(TPixelCanvas& c, int id) {
    switch (id) {
    case 950: // Open
        TPictogram::Draw(c, K::Folder, QRect(2, 3, 16, 14));
        break;
    case 951: // Print
        TPictogram::Draw(c, K::Printer, QRect(2, 2, 16, 16));
        break;
    case 952: // Open all windows
        TPictogram::AppWindow(c, QRect(2, 2, 11, 9), false);
        TPictogram::AppWindow(c, QRect(5, 5, 11, 9), true);
        Badge(c, K::Plus, QRect(11, 11, 7, 7));
        break;
    case 953: // Show next window
        TPictogram::AppWindow(c, QRect(2, 2, 13, 11), true);
        Badge(c, K::ArrowRight, QRect(9, 11, 9, 7));
        break;
    case 954: // Show previous window
        TPictogram::AppWindow(c, QRect(5, 2, 13, 11), true);
        Badge(c, K::ArrowLeft, QRect(2, 11, 9, 7));
        break;
    case 955: // Close all windows
        TPictogram::AppWindow(c, QRect(2, 2, 11, 9), false);
        TPictogram::AppWindow(c, QRect(5, 5, 11, 9), true);
        Badge(c, K::Cross, QRect(11, 11, 7, 7));
        break;
    case 956: // Cascade
        TPictogram::AppWindow(c, QRect(2, 2, 10, 8), false);
        TPictogram::AppWindow(c, QRect(5, 5, 10, 8), false);
        TPictogram::AppWindow(c, QRect(8, 8, 10, 8), true);
        break;
    case 957: // Tile horizontal: one window above the other
        TPictogram::AppWindow(c, QRect(2, 2, 16, 8), true);
        TPictogram::AppWindow(c, QRect(2, 10, 16, 8), false);
        break;
    case 958: // Tile vertical: side by side
        TPictogram::AppWindow(c, QRect(2, 2, 8, 16), true);
        TPictogram::AppWindow(c, QRect(10, 2, 8, 16), false);
        break;
    case 960: // Logbook
        TPictogram::Draw(c, K::Book, QRect(2, 2, 16, 16));
        break;
    case 961: // Graphs
        TPictogram::Draw(c, K::LineChart, QRect(2, 3, 16, 14));
        break;
    case 962: // Calendar
        TPictogram::CalendarLeaf(c, QRect(3, 3, 14, 15), nullptr);
        break;
    case 963: // Statistics
        TPictogram::Draw(c, K::Sigma, QRect(4, 3, 12, 14));
        break;
    case 964: // Reports
        TPictogram::Draw(c, K::Pages, QRect(2, 2, 16, 16));
        break;
    case 965: // Calculator
        TPictogram::Draw(c, K::Calculator, QRect(3, 2, 14, 16));
        break;
    case 966: // Heart rate
        TPictogram::Draw(c, K::Heart, QRect(2, 2, 16, 16));
        break;
    case 967: // Help contents
        TPictogram::Draw(c, K::Question, QRect(2, 2, 16, 16));
        break;
    default:
        break;
    }
}

} // namespace

bool TToolBarFace::Has(int bitmapId) {
    return bitmapId >= firstFace && bitmapId <= lastFace && bitmapId != unusedFace;
}

QImage TToolBarFace::Render(int bitmapId) {
    if (!Has(bitmapId)) {
        return {};
    }
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(P::Silver());
    TPixelCanvas c(image);
    DrawFace(c, bitmapId);
    return image;
}
