#include "art/ToolBarFace.h"

#include "art/ArtPalette.h"
#include "art/Pictogram.h"
#include "art/PixelCanvas.h"
#include "art/Trophy.h"
#include "shell/ResourceIds.h"

using P = ArtPalette;
using K = Pictogram::Kind;

namespace {

constexpr int firstFace = res::kOpenFace;
constexpr int lastFace = res::kHelpFace;

void Badge(PixelCanvas& c, K kind, const QRect& r) {
    c.Fill(r.adjusted(-1, -1, 1, 1), P::Silver());
    Pictogram::Draw(c, kind, r);
}

void DrawFace(PixelCanvas& c, int id) {
    switch (id) {
    case res::kOpenFace: // Open
        Pictogram::Draw(c, K::Folder, QRect(2, 3, 16, 14));
        break;
    case res::kPrintFace: // Print
        Pictogram::Draw(c, K::Printer, QRect(2, 2, 16, 16));
        break;
    case res::kOpenAllFace: // Open all windows
        Pictogram::AppWindow(c, QRect(2, 2, 11, 9), false);
        Pictogram::AppWindow(c, QRect(5, 5, 11, 9), true);
        Badge(c, K::Plus, QRect(11, 11, 7, 7));
        break;
    case res::kNextWindowFace: // Show next window
        Pictogram::AppWindow(c, QRect(2, 2, 13, 11), true);
        Badge(c, K::ArrowRight, QRect(9, 11, 9, 7));
        break;
    case res::kPreviousWindowFace: // Show previous window
        Pictogram::AppWindow(c, QRect(5, 2, 13, 11), true);
        Badge(c, K::ArrowLeft, QRect(2, 11, 9, 7));
        break;
    case res::kCloseAllFace: // Close all windows
        Pictogram::AppWindow(c, QRect(2, 2, 11, 9), false);
        Pictogram::AppWindow(c, QRect(5, 5, 11, 9), true);
        Badge(c, K::Cross, QRect(11, 11, 7, 7));
        break;
    case res::kCascadeFace: // Cascade
        Pictogram::AppWindow(c, QRect(2, 2, 10, 8), false);
        Pictogram::AppWindow(c, QRect(5, 5, 10, 8), false);
        Pictogram::AppWindow(c, QRect(8, 8, 10, 8), true);
        break;
    case res::kTileHorizontalFace: // Tile horizontal: one window above the other
        Pictogram::AppWindow(c, QRect(2, 2, 16, 8), true);
        Pictogram::AppWindow(c, QRect(2, 10, 16, 8), false);
        break;
    case res::kTileVerticalFace: // Tile vertical: side by side
        Pictogram::AppWindow(c, QRect(2, 2, 8, 16), true);
        Pictogram::AppWindow(c, QRect(10, 2, 8, 16), false);
        break;
    case res::kLogBookFace: // Logbook
        Pictogram::Draw(c, K::Book, QRect(2, 2, 16, 16));
        break;
    case res::kGraphsFace: // Graphs
        Pictogram::Draw(c, K::LineChart, QRect(2, 3, 16, 14));
        break;
    case res::kCalendarFace: // Calendar
        Pictogram::CalendarLeaf(c, QRect(3, 3, 14, 15), nullptr);
        break;
    case res::kStatisticsFace: // Statistics
        Pictogram::Draw(c, K::Sigma, QRect(4, 3, 12, 14));
        break;
    case res::kReportsFace: // Reports
        Pictogram::Draw(c, K::Pages, QRect(2, 2, 16, 16));
        break;
    case res::kSummaryFace: // Summary: weeks as bars
        Pictogram::Draw(c, K::BarChart, QRect(2, 3, 16, 14));
        Badge(c, K::Sigma, QRect(12, 2, 6, 7));
        break;
    case res::kTrainingLoadFace: // Training load
        Pictogram::Draw(c, K::LineChart, QRect(2, 5, 16, 13));
        Pictogram::Draw(c, K::Heart, QRect(10, 1, 9, 9));
        break;
    case res::kGearFace: // Gear: the runner with a gauge under him
        Pictogram::Draw(c, K::Runner, QRect(3, 1, 14, 13));
        c.Fill(QRect(2, 15, 16, 3), P::Grey());
        c.Fill(QRect(2, 15, 12, 3), P::Red());
        break;
    case res::kCalculatorFace: // Calculator
        Pictogram::Draw(c, K::Calculator, QRect(3, 2, 14, 16));
        break;
    case res::kHeartRateFace: // Heart rate
        Pictogram::Draw(c, K::Heart, QRect(2, 2, 16, 16));
        break;
    case res::kRecordsFace: // Records
        Trophy::Draw(c, QRect(2, 2, 16, 16));
        break;
    case res::kHelpFace: // Help contents
        Pictogram::Draw(c, K::Question, QRect(2, 2, 16, 16));
        break;
    default:
        break;
    }
}

} // namespace

bool ToolBarFace::Has(int bitmapId) {
    return (bitmapId >= firstFace && bitmapId <= lastFace &&
            bitmapId != res::kLogBookFace - 1) || // 959 has no face
           bitmapId == res::kSummaryFace || bitmapId == res::kTrainingLoadFace ||
           bitmapId == res::kGearFace ||
           bitmapId == res::kRecordsFace;
}

QImage ToolBarFace::Render(int bitmapId) {
    if (!Has(bitmapId)) {
        return {};
    }
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(P::Silver());
    PixelCanvas c(image);
    DrawFace(c, bitmapId);
    return image;
}
