#pragma once
// The Calendar (dialog 4): a month of the logbook in 42 cells, one category's value in each
// day's box, stepped by month and by year, with each week's figure in a column of its own
// right of the page and the month's under it. A double click on a day shows that day in
// the Log Book. CalendarMonth lays the month out and adds it up; this dialog steps it and
// paints it.

#include "shell/ToolDialog.h"
#include "views/CalendarButtons.h"
#include "views/CalendarMonth.h"
#include "views/ViewSelection.h"

class CalendarDialog : public ToolDialog, public CalendarButtons {
public:
    // Controls of dialog template 4 besides the shared selectors.
    static constexpr int kMonthText = 517;
    static constexpr int kWeekTitle = 520;
    static constexpr int kMonthTotal = 521;

    static constexpr TRect kViewRect{16, 81, 491, 317};
    static constexpr TColor kCompetitionBox{0, 128, 128};
    static constexpr TColor kTrainingBox{128, 0, 128};
    static constexpr TColor kToday{255, 255, 0};
    // The 6 x 7 cells: 57 x 33 pixels each (the frame's right and bottom lines on top),
    // 63 pixels apart across and 36 down, the first at (34, 95).
    static constexpr TPoint kFirstCell{34, 95};
    static constexpr int kCellWidth = 57;
    static constexpr int kCellHeight = 33;
    static constexpr int kColumnStep = 63;
    static constexpr int kRowStep = 36;
    // A day's number and value box are placed from this point of its cell, 1 right of its
    // corner and 9 below: the number straddles the cell's top edge 8 pixels above it, the
    // box starts 8 below it.
    static constexpr TPoint kDayOffset{1, 9};
    static TRect CellRect(int row, int column);
    // The week figures' cells, in the frame added right of the page (the page grows by 58
    // dialog units across and 14 down, its controls staying where they were): as high as
    // the day cells and level with their rows, 60 pixels wide from x 606.
    static constexpr int kWeekLeft = 606;
    static constexpr int kWeekWidth = 60;
    static constexpr TRect kWeekArea{600, 71, 672, 318};
    static TRect WeekRect(int row);
    // The cell of a point, false outside every cell.
    static bool CellAt(TPoint point, int& row, int& column);
    static TPoint DayOrigin(int row, int column);

    explicit CalendarDialog(ClientWindow& client);
    // Dialog template 4 and the Calendar Speed Menu.
    static void RegisterTemplate();

    const DateValue& ShownDate() const { return shown; }
    Category CurrentCategory() const { return category; }
    const CalendarMonth& Month() const { return month; }

protected:
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, const TRect& area) override;
    void EvLButtonDblClk(TPoint point) override;

private:
    void Reload();
    // The category's name over the week column and the month's figure under the page.
    void ShowTotals();
    // A cell frame as the calendar draws each: white top and left, grey right and bottom.
    static void PaintCell(TDC& dc, const TRect& cell);
    void Step(void (DateUtility::*step)(DateValue&) const);

    const DateUtility& dates;
    DateValue shown;
    Category category = Category::Distance;
    CalendarMonth month;
};
