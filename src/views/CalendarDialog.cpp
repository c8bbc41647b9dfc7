#include "views/CalendarDialog.h"

#include "framework/TResources.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

CalendarDialog::CalendarDialog(ClientWindow& client) : ToolDialog(client, res::kCalendarDialog) {}

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
    TResources::AddDialog(res::kCalendarDialog, t);

    using I = TMenuItem;
    P::AddSpeedMenu(
        res::kCalendarDialog,
        I::Popup("Calendar Speed Menu",
                 {I::Item("Category", selector::kCategory), I::Item("+ One Month", kNextMonth),
                  I::Item("- One Month", kPreviousMonth), I::Item("+ One Year", kNextYear),
                  I::Item("- One Year", kPreviousYear)}));
}
