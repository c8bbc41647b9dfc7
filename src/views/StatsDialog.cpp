#include "views/StatsDialog.h"

#include "framework/TResources.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

StatsDialog::StatsDialog(ClientWindow& client) : ToolDialog(client, res::kStatsDialog) {}

void StatsDialog::RegisterTemplate() {
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    TDialogTemplate t = P::Page();
    P::AddRangeHeader(t, kStartText, kEndText);
    t.controls.push_back(P::Centred(kDayTypeText, 4, 2, 88, 8));
    t.controls.push_back(P::WorkArea());
    t.controls.push_back(P::Divider(5, 204));
    t.controls.push_back(P::Button(kDayType, 8, 16, C::kDefault));
    P::AddRightColumn(t, {kNextStart, kPreviousStart, kNextEnd, kPreviousEnd});
    TResources::AddDialog(res::kStatsDialog, t);

    using I = TMenuItem;
    P::AddSpeedMenu(
        res::kStatsDialog,
        I::Popup("Statistics Speed Menu",
                 {I::Item("Day Type", kDayType), I::Item("+ Start Date", kNextStart),
                  I::Item("- Start Date", kPreviousStart), I::Item("+ End Date", kNextEnd),
                  I::Item("- End Date", kPreviousEnd)}));
}
