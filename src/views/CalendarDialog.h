#pragma once
// The Calendar (dialog 4): a month of the logbook in 42 cells, one category's value in each
// day's box, stepped by month and by year. CalendarMonth lays the month out; this dialog
// steps it and paints it.

#include "shell/ToolDialog.h"
#include "views/CalendarButtons.h"
#include "views/CalendarMonth.h"
#include "views/ViewSelection.h"

class CalendarDialog : public ToolDialog, public CalendarButtons {
public:
    // Controls of dialog template 4 besides the shared selectors.
    static constexpr int kMonthText = 517;

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

private:
    void Reload();
    void Step(void (DateUtility::*step)(DateValue&) const);

    const DateUtility& dates;
    DateValue shown;
    Category category = Category::Distance;
    CalendarMonth month;
};
