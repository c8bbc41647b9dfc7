#include "views/RangeViewDialog.h"

#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "views/SelectorIds.h"

namespace {

DateValue Today(const DateUtility& dates) {
    DateValue today;
    dates.Today(today);
    return today;
}

} // namespace

void RangeViewDialog::RegisterPage(int resourceId, const RangePage& page, const char* menuTitle,
                                   std::span<const ToolButton> buttons) {
    using P = ToolPage;
    using namespace selector;
    TDialogTemplate t = P::Page();
    P::AddRangeHeader(t, kStartText, kEndText);
    t.controls.insert(t.controls.end(), page.headerStatics.begin(), page.headerStatics.end());
    t.controls.push_back(P::WorkArea());
    t.controls.push_back(page.divider);
    t.controls.insert(t.controls.end(), page.controls.begin(), page.controls.end());
    P::AddRightColumn(t, {kNextStart, kPreviousStart, kNextEnd, kPreviousEnd});
    TResources::AddDialog(resourceId, t);
    P::AddSpeedMenu(resourceId, P::SpeedMenu(menuTitle, buttons));
}

RangeViewDialog::RangeViewDialog(ClientWindow& client, int resourceId, int reloadTimer)
    : ToolDialog(client, resourceId), reloadTimer(reloadTimer),
      selection(client.Dates(), Today(client.Dates())) {
    OnCommand(selector::kDayType, [this] {
        selection.NextDayType();
        Changed();
    });
    OnCommand(selector::kNextStart, [this] { Step(&ViewSelection::LaterStart); });
    OnCommand(selector::kPreviousStart, [this] { Step(&ViewSelection::EarlierStart); });
    OnCommand(selector::kNextEnd, [this] { Step(&ViewSelection::LaterEnd); });
    OnCommand(selector::kPreviousEnd, [this] { Step(&ViewSelection::EarlierEnd); });
    OnMessage(res::kLogBookChanged, [this](std::uint64_t, std::int64_t) {
        KillTimer(this->reloadTimer);
        Reload();
        return 0;
    });
}

void RangeViewDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    Reload();
    ShowHeader();
}

void RangeViewDialog::ShowHeader() {
    SetDlgItemText(selector::kDayTypeText, DayTypeLabel(selection.CurrentDayType()));
    SetDlgItemText(selector::kStartText, selection.StartText());
    SetDlgItemText(selector::kEndText, selection.EndText());
}

void RangeViewDialog::Step(bool (ViewSelection::*step)()) {
    // A refused step changes nothing, not even the timer.
    if ((selection.*step)()) {
        Changed();
    }
}

void RangeViewDialog::Changed() {
    ShowHeader();
    KillTimer(reloadTimer);
    SetTimer(reloadTimer, kReloadDelay);
}

void RangeViewDialog::EvTimer(int id) {
    if (id != reloadTimer) {
        return;
    }
    KillTimer(reloadTimer);
    Reload();
}

void RangeViewDialog::Reload() {
    ++reloads;
    selection.Positions(Client().Database(), positions);
    loadedDays = selection.DaysInRange();
    InvalidateRect(kViewRect, true);
}

bool RangeViewDialog::SelectRange(const DateValue& first, const DateValue& last) {
    if (!selection.SetRange(first, last)) {
        return false;
    }
    ShowHeader();
    KillTimer(reloadTimer);
    Reload();
    return true;
}
