#include "views/CalendarDialog.h"

#include "framework/TDC.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

#include <cstdio>

CalendarDialog::CalendarDialog(ClientWindow& client)
    : ToolDialog(client, res::kCalendarDialog), dates(client.Dates()), month(client.Dates()) {
    dates.Today(shown);
    OnCommand(selector::kCategory, [this] {
        category = ViewSelection::NextCategory(category);
        SetDlgItemText(selector::kCategoryText, ViewSelection::CategoryText(category));
        InvalidateRect(kViewRect, true);
        InvalidateRect(kWeekArea, true);
        ShowTotals();
    });
    OnCommand(kNextMonth, [this] { Step(&DateUtility::NextMonth); });
    OnCommand(kPreviousMonth, [this] { Step(&DateUtility::PreviousMonth); });
    OnCommand(kNextYear, [this] { Step(&DateUtility::NextYear); });
    OnCommand(kPreviousYear, [this] { Step(&DateUtility::PreviousYear); });
    OnMessage(res::kLogBookChanged, [this](std::uint64_t, std::int64_t) {
        Reload();
        return 0;
    });
}

TRect CalendarDialog::CellRect(int row, int column) {
    return TRect::OfSize(kFirstCell.x + kColumnStep * column, kFirstCell.y + kRowStep * row,
                         kCellWidth, kCellHeight);
}

TRect CalendarDialog::WeekRect(int row) {
    return TRect::OfSize(kWeekLeft, kFirstCell.y + kRowStep * row, kWeekWidth, kCellHeight);
}

bool CalendarDialog::CellAt(TPoint point, int& row, int& column) {
    for (int r = 0; r < CalendarMonth::kWeeks; ++r) {
        for (int c = 0; c < CalendarMonth::kDaysAWeek; ++c) {
            const TRect cell = CellRect(r, c);
            if (point.x >= cell.left && point.x <= cell.right && point.y >= cell.top &&
                point.y <= cell.bottom) {
                row = r;
                column = c;
                return true;
            }
        }
    }
    return false;
}

TPoint CalendarDialog::DayOrigin(int row, int column) {
    const TRect cell = CellRect(row, column);
    return TPoint{cell.left + kDayOffset.x, cell.top + kDayOffset.y};
}

void CalendarDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    SetDlgItemText(selector::kCategoryText, ViewSelection::CategoryText(category));
    Reload();
}

void CalendarDialog::Step(void (DateUtility::*step)(DateValue&) const) {
    (dates.*step)(shown); // the calendar's edges hold the month; it is read again anyway
    Reload();
}

void CalendarDialog::Reload() {
    SetDlgItemText(kMonthText, dates.MonthText(shown));
    month.Load(Client().Database(), shown);
    InvalidateRect(kViewRect, true);
    InvalidateRect(kWeekArea, true);
    ShowTotals();
}

void CalendarDialog::ShowTotals() {
    DateValue today;
    dates.Today(today);
    month.Layout(category, today);
    SetDlgItemText(kWeekTitle, month.TotalTitle());
    const std::string& total = month.MonthTotal();
    SetDlgItemText(kMonthTotal, std::string("MONTH ") + month.TotalTitle() + ":  " +
                                    (total.empty() ? "--" : total));
}

void CalendarDialog::EvLButtonDblClk(TPoint point) {
    int row = 0;
    int column = 0;
    if (!CellAt(point, row, column) || month.At(row, column).day == 0) {
        return;
    }
    const std::int32_t key = shown.year * 10000 + shown.month * 100 + month.At(row, column).day;
    if (!Client().IsToolOpen(res::kLogBookDialog)) {
        Client().OpenLogBook();
    }
    if (TDialog* editor = Client().Tool(res::kLogBookDialog)) {
        editor->SendMessage(res::kGoToDay, 0, key);
    }
}

void CalendarDialog::PaintCell(TDC& dc, const TRect& cell) {
    dc.FillRect(cell, TBrush{TColor::LightGray()});
    dc.SelectPen(TPen{TColor::White(), 1});
    dc.MoveTo(cell.left, cell.bottom);
    dc.LineTo(cell.left, cell.top);
    dc.LineTo(cell.right, cell.top);
    dc.SelectPen(TPen{TColor::Gray(), 1});
    dc.LineTo(cell.right, cell.bottom);
    dc.LineTo(cell.left, cell.bottom);
}

void CalendarDialog::Paint(TDC& dc, bool, const TRect&) {
    DateValue today;
    dates.Today(today);
    month.Layout(category, today);
    for (int r = 0; r < CalendarMonth::kWeeks; ++r) {
        for (int c = 0; c < CalendarMonth::kDaysAWeek; ++c) {
            PaintCell(dc, CellRect(r, c));
        }
        PaintCell(dc, WeekRect(r));
    }
    dc.RestorePen();
    // Each week's figure where a day shows its value: black on the cell's grey.
    dc.SetBkMode(TDC::kTransparent);
    dc.SelectFont(TFont{"MS Sans Serif", 8, TFont::kNormal});
    dc.SetTextColor(TColor::Black());
    for (int r = 0; r < CalendarMonth::kWeeks; ++r) {
        const TRect cell = WeekRect(r);
        dc.TextOut(cell.left + 6, cell.top + kDayOffset.y + 8, month.WeekTotal(r));
    }
    dc.RestoreFont();
    dc.SetBkMode(TDC::kOpaque);
    for (int r = 0; r < CalendarMonth::kWeeks; ++r) {
        for (int c = 0; c < CalendarMonth::kDaysAWeek; ++c) {
            const CalendarMonth::Cell& cell = month.At(r, c);
            if (cell.day == 0) {
                continue;
            }
            const auto [left, top] = DayOrigin(r, c);
            if (cell.hasEntry) {
                const TColor box = cell.competition ? kCompetitionBox : kTrainingBox;
                dc.SelectFont(TFont{"MS Sans Serif", 8, TFont::kNormal});
                dc.SetTextColor(TColor::LightGray());
                dc.SetBkColor(box);
                dc.FillRect(TRect{left, top + 8, left + 56, top + 24}, TBrush{box});
                dc.TextOut(left + 8, top + 8, cell.text);
            }
            dc.RestoreFont();
            dc.SetTextColor(TColor::Black());
            dc.SetBkColor(cell.today ? kToday : TColor::Gray());
            char number[8];
            std::snprintf(number, sizeof number, "%02d", cell.day);
            dc.TextOut(left + 21, top - 8, number);
        }
    }
}

void CalendarDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    using P = ToolPage;
    TDialogTemplate t = P::Page({P::Cell(0, 96),
                                 P::Cell(96, 96),
                                 P::Cell(192, 204),
                                 P::Centred(selector::kCategoryText, 4, 2, 88, 8),
                                 P::Centred(kMonthText, 100, 2, 88, 8),
                                 P::WorkArea(),
                                 P::Divider(1, 200),
                                 {K::Picture, res::kCalendarLegend, 191, 20, 137, 20, "", 0, 0},
                                 P::Button(selector::kCategory, 8, 16, C::kDefault)});
    const int xs[] = {28, 71, 114, 156, 198, 246, 284};
    const int widths[] = {28, 28, 28, 32, 32, 22, 28};
    const char* const days[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int i = 0; i < 7; ++i) {
        t.controls.push_back(P::Centred(-1, xs[i], 50, widths[i], 8, days[i]));
    }
    P::AddRightColumn(t, {kNextMonth, kPreviousMonth, kNextYear, kPreviousYear});
    // The week figures right of the page, the month's under the work area.
    t.cx += 58;
    t.cy += 14;
    t.controls.push_back(P::Cell(396, 58));
    t.controls.push_back(P::Centred(-1, 400, 2, 48, 8, "WEEK"));
    t.controls.push_back(P::Divider(1, 200));
    t.controls.back().x = 396;
    t.controls.push_back({K::GroupBox, -1, 400, 44, 48, 152, "", 0, 0});
    t.controls.push_back(P::Centred(kWeekTitle, 400, 50, 48, 8));
    t.controls.push_back(P::Cell(8, 320));
    t.controls.back().y = 200;
    t.controls.push_back(P::Centred(kMonthTotal, 12, 202, 312, 8));
    TResources::AddDialog(res::kCalendarDialog, t);

    P::AddSpeedMenu(res::kCalendarDialog, P::SpeedMenu("Calendar Speed Menu", kButtons));
}
