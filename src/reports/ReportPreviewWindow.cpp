#include "reports/ReportPreviewWindow.h"

#include "framework/TDC.h"
#include "store/LogBookDatabase.h"
#include "store/Windows1252.h"

ReportPreviewWindow::ReportPreviewWindow(TWindow& parent, const ReportSource& source,
                                         LogBookDatabase& database, const DateUtility& dates)
    : TScrollWindow(&parent, 7, 16, 53, 61), source(source), database(database), pages(dates) {
    SetBkgndColor(TColor::Gray());
}

void ReportPreviewWindow::UpdateReportSettings() {
    pages.Layout(source.ReportSelection(), static_cast<int>(source.ReportEntries().size()),
                 source.ChosenOptions());
}

void ReportPreviewWindow::Paint(TDC& dc, bool, const TRect&) {
    DrawPage(dc);
}

void ReportPreviewWindow::DrawPage(TDC& dc) {
    dc.SaveDC();
    dc.SetMapMode(TDC::MapMode::LoEnglish);
    dc.SetTextColor(TColor::Black());
    dc.SetBkColor(TColor::White());
    dc.SelectBrush(TBrush{TColor::White()});
    dc.SelectPen(TPen{TColor::White(), 1});
    dc.Rectangle(kPage);
    dc.SelectPen(TPen{TColor::Black(), 1});
    if (currentPage == 1) {
        DrawTitlePage(dc);
    } else if (currentPage > 1) {
        DrawDayPage(dc);
    }
    dc.RestoreDC();
}

void ReportPreviewWindow::DrawLines(TDC& dc, TRect& text, const std::string* lines, int count) {
    for (int i = 0; i < count; ++i) {
        // Record characters on the page as in the file: each line decoded on its own.
        dc.DrawText(Windows1252::Decode(lines[i]), text, TDC::kLeft);
        text.top -= kLineStep;
    }
}

void ReportPreviewWindow::DrawTitlePage(TDC& dc) {
    TRect text = kPage;
    dc.SelectFont(TFont{"Courier New", kFontHeight, TFont::kNormal});
    const ReportPages::TitleLines lines = pages.TitlePage();
    DrawLines(dc, text, lines.data(), ReportPages::kTitleLines);
    DrawPageNumber(dc);
}

void ReportPreviewWindow::DrawDayPage(TDC& dc) {
    TRect text = kPage;
    const ReportPages::Span span = pages.EntriesOn(currentPage);
    const std::vector<std::int32_t>& positions = source.ReportEntries();
    if (!span.Empty() && database.BeginReading("rb") == LogBookDatabase::Result::Ok) {
        dc.SelectFont(TFont{"Courier New", kFontHeight, TFont::kNormal});
        DayRecord day = DayRecord::Blank(0);
        for (int i = span.first; i < span.last && i < static_cast<int>(positions.size()); ++i) {
            if (database.ReadAtPosition(positions[static_cast<std::size_t>(i)], day) !=
                LogBookDatabase::ReadResult::Read) {
                break;
            }
            const ReportPages::BlockLines lines = pages.DayBlock(day);
            DrawLines(dc, text, lines.data(), ReportPages::kBlockLines);
        }
        database.EndReading();
    }
    if (pages.Options().graphics) {
        for (const int y : kRules) {
            dc.MoveTo(kPage.left, y);
            dc.LineTo(kPage.right, y);
        }
    }
    DrawPageNumber(dc);
}

void ReportPreviewWindow::DrawPageNumber(TDC& dc) {
    if (pages.Options().pageNumbers) {
        dc.SelectFont(TFont{"Courier New", kFontHeight, TFont::kNormal});
        dc.DrawText(ReportPages::PageNumber(currentPage), kNumberRect, TDC::kCenter);
    }
}
