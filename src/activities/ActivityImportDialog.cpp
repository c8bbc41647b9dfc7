#include "activities/ActivityImportDialog.h"

#include "activities/ActivityIds.h"
#include "framework/TResources.h"
#include "store/DateUtility.h"

#include <cstdio>

namespace {

// The columns before the sport and the files, which end each line as long as they are; the
// header and the rows line up through this one layout.
std::string Columns(const char* date, const char* fate, const char* distance, const char* time,
                    const char* maxHeartRate, const char* calories) {
    char text[128];
    std::snprintf(text, sizeof text, "%-10s  %-22s  %11s  %8s  %6s  %10s  ", date, fate, distance,
                  time, maxHeartRate, calories);
    return text;
}

const TFont kRowFont{"Courier New", -11, TFont::kNormal};

} // namespace

ActivityImportDialog::ActivityImportDialog(TWindow* parent, ActivityImportPlan& plan,
                                           LogBookDatabase* logbook, const ActivityStore* stored,
                                           ActivityDays::Unit unit, const DateUtility& dates)
    : TDialog(parent, activity::kImportDialog), plan(plan), logbook(logbook), stored(stored),
      unit(unit), dates(dates) {
    const struct {
        int id;
        ActivityDays::Unit unit;
    } units[] = {{kKilometres, ActivityDays::Unit::Kilometres},
                 {kMiles, ActivityDays::Unit::Miles}};
    for (const auto& u : units) {
        OnCommand(u.id, [this, u] {
            this->unit = u.unit;
            Decide();
        });
    }
    const struct {
        int id;
        ActivityImportPlan::Existing existing;
    } choices[] = {{kKeepEntries, ActivityImportPlan::Existing::Skip},
                   {kReplaceEntries, ActivityImportPlan::Existing::Replace}};
    for (const auto& c : choices) {
        OnCommand(c.id, [this, c] {
            existing = c.existing;
            Decide();
        });
    }
}

void ActivityImportDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    TDialogTemplate t;
    t.cx = 480;
    t.cy = 252;
    t.caption = "Import Activities";
    t.controls = {{K::Static, kSummary, 8, 6, 464, 10, "", 0, 0},
                  {K::Static, kHeader, 10, 20, 462, 10, "", 0, 0},
                  {K::ListBox, kDays, 8, 30, 464, 116, "", 0, 0},
                  {K::Static, kLeftOutLabel, 8, 152, 464, 10, "Left out:", 0, 0},
                  {K::ListBox, kLeftOut, 8, 162, 464, 44, "", 0, 0},
                  {K::GroupBox, -1, 8, 210, 96, 34, "Distance in", 0, 0},
                  {K::RadioButton, kKilometres, 16, 224, 36, 10, "&km", C::kGroup, 0},
                  {K::RadioButton, kMiles, 58, 224, 36, 10, "&mi", 0, 0},
                  {K::GroupBox, -1, 112, 210, 200, 34, "Days that hold an entry", 0, 0},
                  {K::RadioButton, kKeepEntries, 120, 224, 80, 10, "&Keep the entry", C::kGroup, 0},
                  {K::RadioButton, kReplaceEntries, 204, 224, 100, 10, "&Replace the entry", 0, 0},
                  {K::Button, kImport, 366, 228, 50, 14, "&Import", C::kDefault, 0},
                  {K::Button, TDialog::kIdCancel, 422, 228, 50, 14, "Cancel", 0, 0}};
    // Made larger, the lists take the room: long workouts and many files left out show
    // whole. The buttons stay at the bottom right.
    t.growX = {{330, 100}};
    t.growY = {{88, 50}, {184, 50}};
    TResources::AddDialog(activity::kImportDialog, t);
}

std::string ActivityImportDialog::Header() {
    return Columns("Date", "Import", "Distance", "Time", "Max HR", "Calories") + "Sport and files";
}

std::string ActivityImportDialog::Row(const ActivityImportPlan::PlannedDay& planned,
                                      ActivityDays::Unit unit, const DateUtility& dates) {
    const ActivityImportPlan::DayTexts t = ActivityImportPlan::Texts(planned.day, unit, dates);
    return Columns(t.date.c_str(), ActivityImportPlan::FateText(planned).c_str(),
                   t.distance.c_str(), t.time.c_str(), t.maxHeartRate.c_str(), t.calories.c_str()) +
           t.sport + "  " + t.files + (t.note.empty() ? "" : "  " + t.note);
}

void ActivityImportDialog::SetupWindow() {
    TDialog::SetupWindow();
    SetControlFont(kHeader, kRowFont);
    SetControlFont(kDays, kRowFont);
    SetDlgItemText(kHeader, Header());
    CheckDlgButton(unit == ActivityDays::Unit::Miles ? kMiles : kKilometres, true);
    CheckDlgButton(kKeepEntries, true);
    Decide();
    SetDlgItemFocus(IsDlgItemEnabled(kImport) ? kImport : TDialog::kIdCancel);
    CenterIn(nullptr);
}

void ActivityImportDialog::Decide() {
    using Fate = ActivityImportPlan::Fate;
    plan.Decide(unit, logbook, stored, existing);
    // What is left out as stored already depends on the choice for days that hold entries.
    ListClear(kLeftOut);
    for (const ActivityImportPlan::LeftOut& file : plan.LeftOutFiles()) {
        ListAddString(kLeftOut, ActivityImportPlan::Text(file));
    }
    if (plan.LeftOutFiles().empty()) {
        ListAddString(kLeftOut, "(none)");
    }
    ListFitHorizontalExtent(kLeftOut);
    const int selected = ListSelection(kDays);
    ListClear(kDays);
    for (const ActivityImportPlan::PlannedDay& planned : plan.Days()) {
        ListAddString(kDays, Row(planned, unit, dates));
    }
    // Long rows (many files, a note) scroll into view.
    ListFitHorizontalExtent(kDays);
    if (selected >= 0 && selected < ListCount(kDays)) {
        ListSetSelection(kDays, selected);
    }
    const bool anyToStore =
        plan.Count(Fate::New) + plan.Count(Fate::Adds) + plan.Count(Fate::Replaces) > 0;
    // Files imported before: nothing new, but their tracks' best efforts can be kept.
    const bool effortsOnly = !anyToStore && plan.NewEfforts() > 0;
    SetDlgItemText(kSummary, (anyToStore    ? "To import: "
                              : effortsOnly ? "Only the best efforts of the tracks to keep: "
                                            : "Nothing to import: ") +
                                 plan.CountsText() + ".");
    const bool anyHeld =
        plan.Count(Fate::Kept) + plan.Count(Fate::Adds) + plan.Count(Fate::Replaces) > 0;
    EnableDlgItem(kKeepEntries, anyHeld);
    EnableDlgItem(kReplaceEntries, anyHeld);
    EnableDlgItem(kImport, anyToStore || effortsOnly);
}
