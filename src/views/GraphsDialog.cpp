#include "views/GraphsDialog.h"

#include "framework/TResources.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

GraphsDialog::GraphsDialog(ClientWindow& client)
    : RangeViewDialog(client, res::kGraphsDialog, res::kGraphsReloadTimer) {
    OnCommand(selector::kCategory, [this] {
        MutableSelection().NextCategory();
        SetDlgItemText(selector::kCategoryText,
                       ViewSelection::CategoryText(Selection().CurrentCategory()));
        InvalidateRect(kViewRect, true);
    });
}

void GraphsDialog::ShowHeader() {
    RangeViewDialog::ShowHeader();
    SetDlgItemText(selector::kCategoryText,
                   ViewSelection::CategoryText(Selection().CurrentCategory()));
}

void GraphsDialog::RegisterTemplate() {
    using C = TControlTemplate;
    using P = ToolPage;
    using namespace selector;
    TDialogTemplate t = P::Page();
    P::AddRangeHeader(t, kStartText, kEndText);
    t.controls.push_back(P::Centred(kCategoryText, 4, 2, 88, 8));
    t.controls.push_back(P::Centred(kDayTypeText, 98, 2, 92, 8));
    t.controls.push_back(P::WorkArea());
    t.controls.push_back(P::Divider(1, 200));
    t.controls.push_back(P::Button(kCategory, 8, 16, C::kDefault));
    t.controls.push_back(P::Button(kDayType, 56, 16));
    t.controls.push_back(P::Button(kBarGraph, 104, 16));
    t.controls.push_back(P::Button(kLineGraph, 152, 16));
    t.controls.push_back(P::Button(kAreaGraph, 200, 16));
    t.controls.push_back(P::Button(kMovingAverage, 248, 16));
    P::AddRightColumn(t, {kNextStart, kPreviousStart, kNextEnd, kPreviousEnd});
    TResources::AddDialog(res::kGraphsDialog, t);

    using I = TMenuItem;
    P::AddSpeedMenu(
        res::kGraphsDialog,
        I::Popup("Graphs Speed Menu",
                 {I::Item("Category", kCategory), I::Item("Bar Graph", kBarGraph),
                  I::Item("Line Graph", kLineGraph), I::Item("Area Graph", kAreaGraph),
                  I::Item("Moving Average Graph", kMovingAverage), I::Item("Day Type", kDayType),
                  I::Item("+ Start Date", kNextStart), I::Item("- Start Date", kPreviousStart),
                  I::Item("+ End Date", kNextEnd), I::Item("- End Date", kPreviousEnd)}));
}
