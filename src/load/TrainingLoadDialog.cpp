#include "load/TrainingLoadDialog.h"

#include "framework/TDC.h"
#include "framework/TMessageBox.h"
#include "load/LoadWords.h"
#include "load/TrainingLoadButtons.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "store/ActivityStore.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kSexes[] = {"unset", "male", "female"};

const char* SourceNote(TrainingLoad::Source source) {
    switch (source) {
    case TrainingLoad::Source::Log:
        return "(from your log)";
    case TrainingLoad::Source::Assumed:
        return "(assumed)";
    default:
        return "";
    }
}

DateValue DaysBack(const DateUtility& dates, int days) {
    DateValue d;
    dates.Today(d);
    dates.SubtractDays(d, days);
    return d;
}

DateValue Today(const DateUtility& dates) {
    DateValue d;
    dates.Today(d);
    return d;
}

} // namespace

TrainingLoadDialog::TrainingLoadDialog(ClientWindow& client)
    : RangeViewDialog(client, res::kTrainingLoadDialog, res::kTrainingLoadReloadTimer) {
    MutableSelection().SetRange(DaysBack(client.Dates(), kDefaultDays - 1), Today(client.Dates()));
    OnCommand(kSet, [this] { SetProfile(); });
}

void TrainingLoadDialog::SetupWindow() {
    RangeViewDialog::SetupWindow();
    for (const char* sex : kSexes) {
        ListAddString(kSexBox, sex);
    }
    SetDlgItemText(kTitleText, "TRAINING LOAD");
    ShowProfile();
}

void TrainingLoadDialog::Reload() {
    const DateUtility& dates = Client().Dates();
    load.Read(Client().Database(), dates.KeyOfDate(Today(dates)),
              dates.KeyOfDate(Selection().End()));
    RangeViewDialog::Reload();
    if (Widget()) {
        ShowProfile();
    }
}

void TrainingLoadDialog::ShowProfile() {
    const TrainingLoad::HeartRates& rates = load.Rates();
    const LoadProfile& profile = load.Profile();
    // A box the user is typing in keeps what is typed.
    if (GetDlgItemText(kMaxBox) == shownMax) {
        shownMax = std::to_string(rates.max);
        SetDlgItemText(kMaxBox, shownMax);
    }
    if (GetDlgItemText(kRestBox) == shownRest) {
        shownRest = std::to_string(rates.rest);
        SetDlgItemText(kRestBox, shownRest);
    }
    SetDlgItemText(kMaxSource, SourceNote(rates.maxSource));
    SetDlgItemText(kRestSource, SourceNote(rates.restSource));
    ListSetSelection(kSexBox, static_cast<int>(profile.sex));
    SetDlgItemText(kStartBox, std::to_string(profile.startFitness));
    SetDlgItemText(kFitnessDaysBox, std::to_string(profile.fitnessDays));
    SetDlgItemText(kFatigueDaysBox, std::to_string(profile.fatigueDays));
    SetDlgItemText(kRatesText, load.Problem().empty() ? "" : "activities unreadable");
}

void TrainingLoadDialog::Refuse(int box, const std::string& why) {
    TMessageBox::Show(this, why + ".", "MESSAGE", TMessageBox::Buttons::Ok,
                      TMessageBox::Icon::Exclamation);
    if (box != 0) {
        SetDlgItemFocus(box);
    }
}

bool TrainingLoadDialog::ReadBoxes(LoadProfile& profile) {
    const TrainingLoad::HeartRates& rates = load.Rates();
    std::string why;
    // A figure the log gave, left as shown, stays the log's.
    const std::string max = GetDlgItemText(kMaxBox);
    const bool maxFromLog = rates.maxSource != TrainingLoad::Source::Profile && max == shownMax;
    if (!profile.SetMaxHeartRate(maxFromLog ? "" : max, why)) {
        Refuse(kMaxBox, why);
        return false;
    }
    const std::string rest = GetDlgItemText(kRestBox);
    const bool restFromLog = rates.restSource != TrainingLoad::Source::Profile && rest == shownRest;
    if (!profile.SetRestHeartRate(restFromLog ? "" : rest, why)) {
        Refuse(kRestBox, why);
        return false;
    }
    if (!profile.SetStartFitness(GetDlgItemText(kStartBox), why)) {
        Refuse(kStartBox, why);
        return false;
    }
    if (!profile.SetFitnessDays(GetDlgItemText(kFitnessDaysBox), why)) {
        Refuse(kFitnessDaysBox, why);
        return false;
    }
    if (!profile.SetFatigueDays(GetDlgItemText(kFatigueDaysBox), why)) {
        Refuse(kFatigueDaysBox, why);
        return false;
    }
    const int sex = ListSelection(kSexBox);
    profile.sex = sex == 1 ? Sex::Male : sex == 2 ? Sex::Female : Sex::Unset;
    if (const std::string conflict = profile.Conflict(load.LogRates().max, load.LogRates().rest);
        !conflict.empty()) {
        Refuse(profile.restHeartRate ? kRestBox : kMaxBox, conflict);
        return false;
    }
    if (const std::string conflict = profile.DaysConflict(); !conflict.empty()) {
        Refuse(kFatigueDaysBox, conflict);
        return false;
    }
    return true;
}

void TrainingLoadDialog::SetProfile() {
    LoadProfile profile = load.Profile();
    if (!ReadBoxes(profile)) {
        return;
    }
    ActivityStore store;
    const ActivityStore::Outcome open = store.Open(Client().Database(), true);
    if (!open.Ok() && open.code != ActivityStore::Code::Missing) {
        Refuse(0, open.words + "; the profile was not changed");
        return;
    }
    if (const ActivityStore::Outcome stored = profile.Store(store); !stored.Ok()) {
        Refuse(0, stored.words + "; the profile was not changed");
        return;
    }
    store.Close();
    // The boxes show what is stored now, the log's figures for what is unset.
    shownMax = GetDlgItemText(kMaxBox);
    shownRest = GetDlgItemText(kRestBox);
    KillTimer(res::kTrainingLoadReloadTimer);
    Reload();
    SetDlgItemText(kMaxBox, shownMax = std::to_string(load.Rates().max));
    SetDlgItemText(kRestBox, shownRest = std::to_string(load.Rates().rest));
}

int TrainingLoadDialog::DayX(int index, int count) const {
    return kPlotLeft + (kPlotRight - kPlotLeft) * index / std::max(count, 1);
}

void TrainingLoadDialog::Paint(TDC& dc, bool, const TRect&) {
    const DateUtility& dates = Client().Dates();
    const std::int32_t first = dates.KeyOfDate(Selection().Start());
    const std::int32_t last = dates.KeyOfDate(Selection().End());
    const std::span<const LoadDay> days = load.Range(first, last);
    const int count = Selection().DaysInRange();
    // Days of the range before the log have no figures: the model starts lead days in.
    int lead = 0;
    if (!days.empty()) {
        DateValue d;
        dates.DateOfKey(days.front().key, d);
        lead = dates.DaysBetween(Selection().Start(), d) - 1;
    }

    dc.SelectFont(TFont{"MS Sans Serif", 8, TFont::kNormal});
    dc.SetBkMode(TDC::kTransparent);
    dc.SetTextColor(TColor::Black());
    if (days.empty()) {
        dc.TextOut(kPlotLeft, kWordsTop, "No days in the log up to the end of the range.");
        dc.RestoreObjects();
        return;
    }
    const LoadDay& end = days.back();
    DateValue endDate;
    dates.DateOfKey(end.key, endDate);
    dc.TextOut(20, kWordsTop,
               dates.ShortDateText(endDate) + "   " + LoadWords::FitnessFatigue(end) + "   " +
                   LoadWords::Form(end) + "   " + LoadWords::Ramp(end));
    dc.TextOut(20, kWordsTop + 14,
               LoadWords::Acwr(end) + "   " + LoadWords::Monotony(end) +
                   (end.buildingUp ? "   building up" : ""));

    double high = 1;
    double low = 0;
    double highLoad = 1;
    for (const LoadDay& d : days) {
        high = std::max({high, d.fitness, d.fatigue, d.form});
        low = std::min(low, d.form);
        highLoad = std::max(highLoad, d.load);
    }
    const auto curveY = [&](double v) {
        return kCurvesBottom - static_cast<int>(std::lround(
                                   (v - low) * (kCurvesBottom - kCurvesTop) / (high - low)));
    };
    const auto column = [&](std::size_t i) { return DayX(lead + static_cast<int>(i), count); };

    // The building-up days' ground, then the frame and the zero line.
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i].buildingUp) {
            dc.FillRect(TRect{column(i), kCurvesTop, column(i + 1), kCurvesBottom + 1},
                        TBrush{kBuildingUp});
        }
    }
    dc.SelectPen(TPen{TColor::Gray(), 1});
    dc.MoveTo(kPlotLeft - 1, kCurvesTop);
    dc.LineTo(kPlotLeft - 1, kBarsBase + 1);
    dc.LineTo(kPlotRight + 1, kBarsBase + 1);
    dc.MoveTo(kPlotLeft, curveY(0));
    dc.LineTo(kPlotRight, curveY(0));
    dc.SetTextColor(TColor::Black());
    dc.TextOut(20, kCurvesTop - 6, LoadWords::Number(high, 0));
    dc.TextOut(20, curveY(0) - 6, "0");
    // The lowest form's label only where it clears the zero's.
    if (low < 0 && kCurvesBottom - curveY(0) >= 12) {
        dc.TextOut(20, kCurvesBottom - 6, LoadWords::Number(low, 0));
    }
    dc.TextOut(20, kBarsTop - 2, LoadWords::Number(highLoad, 0));

    // The bars: a day's width less a pixel when there is room for the gap.
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i].load <= 0) {
            continue;
        }
        const int left = column(i);
        int right = std::max(column(i + 1) - 1, left + 1);
        const int height = std::max(
            1, static_cast<int>(std::lround(days[i].load * (kBarsBase - kBarsTop) / highLoad)));
        dc.FillRect(TRect{left, kBarsBase - height, right, kBarsBase + 1},
                    TBrush{days[i].estimated ? kEstimatedBar : kLoadBar});
    }

    // The curves through the middle of each day's column.
    const auto curve = [&](TColor color, double LoadDay::*value) {
        dc.SelectPen(TPen{color, 2});
        for (std::size_t i = 0; i < days.size(); ++i) {
            const int x = (column(i) + column(i + 1)) / 2;
            const int y = curveY(days[i].*value);
            if (i == 0) {
                dc.MoveTo(x, y);
            } else {
                dc.LineTo(x, y);
            }
        }
        dc.RestorePen();
    };
    curve(kForm, &LoadDay::form);
    curve(kFatigue, &LoadDay::fatigue);
    curve(kFitness, &LoadDay::fitness);

    // The legend.
    struct Key {
        TColor color;
        const char* text;
    };
    const Key keys[] = {
        {kFitness, "fitness"}, {kFatigue, "fatigue"},        {kForm, "form"},
        {kLoadBar, "load"},    {kEstimatedBar, "estimated"}, {kBuildingUp, "building up"}};
    int x = kPlotLeft;
    for (const Key& k : keys) {
        dc.FillRect(TRect{x, kLegendTop + 3, x + 10, kLegendTop + 10}, TBrush{k.color});
        dc.TextOut(x + 13, kLegendTop, k.text);
        x += 13 + dc.GetTextExtent(k.text).cx + 12;
    }
    dc.RestoreObjects();
}

void TrainingLoadDialog::RegisterTemplate() {
    using C = TControlTemplate;
    using K = TControlKind;
    using P = ToolPage;
    const auto edit = [](int id, int x) { return C{K::Edit, id, x, 23, 34, 12, "", 0, kBoxLimit}; };
    const auto note = [](int id, int x) { return C{K::Static, id, x, 35, 50, 8, "", 0, 0}; };
    RegisterPage(
        res::kTrainingLoadDialog,
        {{P::Centred(kTitleText, 4, 2, 88, 8), P::Centred(kRatesText, 98, 2, 92, 8)},
         P::Divider(5, 204),
         {P::Label(8, 14, 36, "Max HR"), edit(kMaxBox, 8), note(kMaxSource, 8),
          P::Label(62, 14, 36, "Rest HR"), edit(kRestBox, 62), note(kRestSource, 62),
          P::Label(116, 14, 40, "Sex"), C{K::DropDownList, kSexBox, 116, 23, 50, 60, "", 0, 0},
          P::Label(172, 14, 44, "Start fitness"), edit(kStartBox, 172),
          P::Label(216, 14, 44, "Fitness days"), edit(kFitnessDaysBox, 216),
          P::Label(262, 14, 44, "Fatigue days"), edit(kFatigueDaysBox, 262),
          C{K::Button, kSet, 306, 22, 24, 14, "Set", C::kDefault, 0}}},
        "Training Load Speed Menu", TrainingLoadButtons::kButtons);
}
