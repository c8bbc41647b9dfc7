#include "views/RangeViewDialog.h"

#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/DateRangeMenu.h"
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
    TMenuItem menu = P::SpeedMenu(menuTitle, buttons);
    for (TMenuItem& item : DateRangeMenu::Items()) {
        menu.items.push_back(std::move(item));
    }
    P::AddSpeedMenu(resourceId, std::move(menu));
}

RangeViewDialog::RangeViewDialog(ClientWindow& client, int resourceId, int reloadTimer)
    : ToolDialog(client, resourceId), reloadTimer(reloadTimer),
      selection(client.Dates(), Today(client.Dates())) {
    OnCommand(selector::kDayType, [this] {
        selection.NextDayType();
        Changed();
    });
    const struct {
        int id;
        StepFunction step;
    } steps[] = {{selector::kNextStart, &ViewSelection::LaterStart},
                 {selector::kPreviousStart, &ViewSelection::EarlierStart},
                 {selector::kNextEnd, &ViewSelection::LaterEnd},
                 {selector::kPreviousEnd, &ViewSelection::EarlierEnd}};
    for (const auto& s : steps) {
        OnCommand(s.id, [this, step = s.step] {
            if (repeated) {
                repeated = false; // the hold has stepped already
                return;
            }
            Step(step);
        });
        OnNotify(s.id, Notify::ButtonDown, [this, step = s.step] {
            held = step;
            repeated = false;
            SetTimer(res::kDateRepeatTimer, kRepeatDelay);
        });
        OnNotify(s.id, Notify::ButtonUp, [this] {
            held = nullptr;
            KillTimer(res::kDateRepeatTimer);
        });
    }
    for (const int command : DateRangeMenu::Commands()) {
        OnCommand(command, [this, command] {
            const DateUtility& dates = Client().Dates();
            const DayRange shown{dates.KeyOfDate(selection.Start()),
                                 dates.KeyOfDate(selection.End())};
            if (const std::optional<DayRange> range = DateRangeMenu::Choose(
                    command, *this, Client(), shown, ViewSelection::kMostDays)) {
                ShowRange(*range);
            }
        });
    }
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

void RangeViewDialog::Step(StepFunction step) {
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

void RangeViewDialog::EvRButtonDown(TPoint point) {
    repeated = false;
    ToolDialog::EvRButtonDown(point);
}

void RangeViewDialog::EvTimer(int id) {
    if (id == res::kDateRepeatTimer) {
        if (!held) {
            KillTimer(id);
            return;
        }
        repeated = true;
        Step(held);
        if (TimerPeriod(id) != kRepeatPeriod) {
            SetTimer(id, kRepeatPeriod);
        }
        return;
    }
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

void RangeViewDialog::ShowRange(const DayRange& range) {
    SelectRange(range.First(), range.Last());
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
