#include "shell/DatesDialog.h"

#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "shell/ResourceIds.h"

#include <algorithm>

namespace {

using K = TControlKind;
using C = TControlTemplate;

std::int32_t TodayKey(const DateUtility& dates) {
    DateValue today;
    dates.Today(today);
    return dates.KeyOfDate(today);
}

} // namespace

void DatesDialog::RegisterTemplate() {
    TDialogTemplate t;
    t.cx = 238;
    t.cy = 182;
    t.caption = "Dates";
    t.controls = {
        {K::Static, kFirstLabel, 7, 7, 70, 8, "&From:", 0, 0},
        {K::Edit, kFirstBox, 7, 17, 70, 12, "", 0, kBoxLimit},
        {K::Static, kLastLabel, 84, 7, 70, 8, "&To:", 0, 0},
        {K::Edit, kLastBox, 84, 17, 70, 12, "", 0, kBoxLimit},
        {K::MonthCalendar, kCalendar, 7, 35, 147, 122, "", 0, 0},
        {K::Static, kRangesLabel, 161, 7, 70, 8, "&Ranges:", 0, 0},
        {K::ListBox, kRanges, 161, 17, 70, 140, "", 0, 0},
        {K::Button, kIdOk, 127, 163, 50, 14, "OK", C::kDefault, 0},
        {K::Button, kIdCancel, 181, 163, 50, 14, "Cancel", 0, 0},
    };
    TResources::AddDialog(res::kDatesDialog, t);
}

DatesDialog::DatesDialog(TWindow* parent, const DateUtility& dates, DayRange shown,
                         std::optional<DayRange> entries, WeekStart start)
    : TDialog(parent, res::kDatesDialog), dates(dates), oneDate(false), chosen(shown),
      entries(entries), weekStart(start) {
    Wire();
}

DatesDialog::DatesDialog(TWindow* parent, const DateUtility& dates, std::int32_t day)
    : TDialog(parent, res::kDatesDialog), dates(dates), oneDate(true), chosen{day, day} {
    // The same dialog without the second date and the named ranges, its buttons under the
    // calendar.
    TDialogTemplate& t = TemplateToBuild();
    t.cx = 161;
    t.caption = "Go to Date";
    std::erase_if(t.controls, [](const TControlTemplate& c) {
        return c.id == kLastLabel || c.id == kLastBox || c.id == kRangesLabel || c.id == kRanges;
    });
    for (TControlTemplate& c : t.controls) {
        if (c.id == kFirstLabel) {
            c.text = "&Date:";
        } else if (c.id == kIdOk || c.id == kIdCancel) {
            c.x -= 77;
        }
    }
    Wire();
}

void DatesDialog::Wire() {
    for (const int box : {kFirstBox, kLastBox}) {
        OnNotify(box, Notify::SetFocus, [this, box] {
            pickingInto = box;
            FollowBox(box);
        });
        OnNotify(box, Notify::EditChange, [this, box] { FollowBox(box); });
    }
    OnNotify(kCalendar, Notify::CalendarSelChange, [this] {
        int y = 0;
        int m = 0;
        int d = 0;
        if (!turningCalendar && CalendarDate(kCalendar, y, m, d)) {
            SetDlgItemText(pickingInto, DateUtility::KeyText(y * 10000 + m * 100 + d));
        }
    });
    OnNotify(kRanges, Notify::ListPicked, [this] { PickRange(ListSelection(kRanges)); });
    OnNotify(kRanges, Notify::ListDoubleClick, [this] { ClickButton(kIdOk); });
    OnNotify(kCalendar, Notify::CalendarDoubleClick, [this] { ClickButton(kIdOk); });
}

void DatesDialog::SetupWindow() {
    TDialog::SetupWindow();
    SetCalendarRange(kCalendar, DateUtility::kFirstYear, DateUtility::kLastYear);
    SetDlgItemText(kFirstBox, DateUtility::KeyText(chosen.first));
    if (!oneDate) {
        SetDlgItemText(kLastBox, DateUtility::KeyText(chosen.last));
        for (const DateRangePreset& preset : DateRangePreset::Menu()) {
            ListAddString(kRanges, preset.Title());
        }
    }
    FollowBox(kFirstBox);
    // The first box takes the focus as the dialog shows, its text selected to be typed over.
    SetDlgItemFocus(kFirstBox);
    RememberFocus(kFirstBox);
}

void DatesDialog::PickRange(int index) {
    const auto menu = DateRangePreset::Menu();
    if (index < 0 || index >= static_cast<int>(menu.size())) {
        return;
    }
    // Worked out against today when picked, as the speed menu does.
    const std::optional<DayRange> range =
        menu[static_cast<std::size_t>(index)].On(TodayKey(dates), weekStart, entries);
    if (!range) {
        TMessageBox::Show(this, kNoDays, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        return;
    }
    SetDlgItemText(kFirstBox, DateUtility::KeyText(range->first));
    SetDlgItemText(kLastBox, DateUtility::KeyText(range->last));
    FollowBox(pickingInto);
}

void DatesDialog::FollowBox(int box) {
    DateValue date;
    if (dates.ReadDate(GetDlgItemText(box), date)) {
        turningCalendar = true;
        SetCalendarDate(kCalendar, date.year, date.month, date.day);
        turningCalendar = false;
    }
}

bool DatesDialog::ReadBox(int box, std::int32_t& key) {
    const std::string text = GetDlgItemText(box);
    DateValue date;
    if (!dates.ReadDate(text, date)) {
        TMessageBox::Show(this, NotADate(text), "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        SetDlgItemFocus(box);
        return false;
    }
    key = dates.KeyOfDate(date);
    return true;
}

std::string DatesDialog::NotADate(const std::string& text) {
    return "\"" + text + "\" is not a date. Type a date from 1960-01-01 to 2100-12-31 as " +
           "YYYY-MM-DD, or pick one in the calendar.";
}

void DatesDialog::CmOk() {
    DayRange typed;
    if (!ReadBox(kFirstBox, typed.first)) {
        return;
    }
    typed.last = typed.first;
    if (!oneDate) {
        if (!ReadBox(kLastBox, typed.last)) {
            return;
        }
        if (typed.first > typed.last) {
            TMessageBox::Show(this, kBackwards, "MESSAGE", TMessageBox::Buttons::Ok,
                              TMessageBox::Icon::Exclamation);
            SetDlgItemFocus(kLastBox);
            return;
        }
    }
    chosen = typed;
    TDialog::CmOk();
}
