#pragma once
// The preview pane of the Reports tool: one report page at true size on a white sheet,
// scrolled in units of 7 x 16 pixels. It holds the report's state (the page shown and the
// report as last laid out); the same paint draws each printed sheet. Nothing is cached: a
// day page reads its (at most three) days each time it is drawn.

#include "framework/TScrollWindow.h"
#include "reports/ReportPages.h"
#include "reports/ReportSource.h"

class DateUtility;
class LogBookDatabase;
class TDC;

class ReportPreviewWindow : public TScrollWindow {
public:
    // The page in units of 0.01 inch, y growing upwards.
    static constexpr TRect kPage{50, -75, 750, -1025};
    static constexpr int kLineStep = 20;
    static constexpr int kFontHeight = 16;
    static constexpr int kRules[3] = {-365, -655, -945};
    static constexpr TRect kNumberRect{50, -1005, 750, -1025};

    ReportPreviewWindow(TWindow& parent, const ReportSource& source, LogBookDatabase& database,
                        const DateUtility& dates);

    int CurrentPage() const { return currentPage; }
    void SetCurrentPage(int page) { currentPage = page; }
    int PageCount() const { return pages.PageCount(); }
    const ReportPages& Pages() const { return pages; }
    // Lays the report out from the source's selection, entries and options.
    void UpdateReportSettings();
    // Draws the current page on any device context.
    void DrawPage(TDC& dc);

protected:
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    void DrawLines(TDC& dc, TRect& text, const std::string* lines, int count);
    void DrawTitlePage(TDC& dc);
    void DrawDayPage(TDC& dc);
    void DrawPageNumber(TDC& dc);

    const ReportSource& source;
    LogBookDatabase& database;
    ReportPages pages;
    int currentPage = 1;
};
