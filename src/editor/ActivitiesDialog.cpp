#include "editor/ActivitiesDialog.h"

#include "activities/ActivityDays.h"
#include "activities/ActivitySports.h"
#include "activities/ActivityTotals.h"
#include "editor/ActivityForm.h"
#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "store/DateUtility.h"
#include "store/GearStore.h"
#include "store/LogBookDatabase.h"

#include <algorithm>

namespace {

int BoxId(int box) {
    return ActivitiesDialog::kFirstBox + box;
}

// A hand-made activity starts a minute after the day's last one ends, or at noon UTC. Gear
// links outlive the activities they name, so that an undo brings their gear back: a start
// some link names is passed over, lest the new activity take a removed one's gear.
std::int64_t StartFor(std::int32_t key, const std::vector<ActivityRow>& rows,
                      const GearStore& gear) {
    std::int64_t start =
        DateUtility::DaysOfDate(key / 10000, key / 100 % 100, key % 100) * 86400 + 12 * 3600;
    for (const ActivityRow& r : rows) {
        start = std::max(start, r.start + std::max(r.elapsedSeconds, r.movingSeconds) + 60);
    }
    while (!gear.GearOfActivity(start).empty()) {
        start += 60;
    }
    return start;
}

} // namespace

void ActivitiesDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    const auto label = [](int x, int y, int cx, const char* text) {
        return TControlTemplate{K::Static, -1, x, y, cx, 8, text, 0, 0};
    };
    TDialogTemplate t;
    t.cx = 300;
    t.cy = 194;
    t.caption = "Activities";
    t.controls = {{K::ListBox, kList, 8, 8, 284, 72, "", 0, 0},
                  label(8, 90, 52, "Sport:"),
                  {K::ComboBox, kSport, 62, 88, 70, 80, "", 0, kSportLimit}};
    const int x[] = {62, 62, 222, 222, 222};
    const int y[] = {104, 120, 88, 104, 120};
    for (int box = 0; box < ActivityForm::kBoxCount; ++box) {
        t.controls.push_back(label(x[box] - 54, y[box] + 2, 52, ActivityForm::kLabels[box]));
        t.controls.push_back({K::Edit, BoxId(box), x[box], y[box], 70, 12, "", 0, kBoxLimit});
    }
    t.controls.push_back(label(8, 138, 52, "Note:"));
    t.controls.push_back(
        {K::Edit, kNote, 62, 136, 230, 12, "", 0, static_cast<int>(ActivityForm::kNoteSize + 1)});
    t.controls.push_back(label(8, 154, 52, "Gear:"));
    t.controls.push_back({K::DropDownList, kGear, 62, 152, 150, 80, "", 0, 0});
    t.controls.push_back({K::Button, kAdd, 8, 172, 50, 14, "Add", 0, 0});
    t.controls.push_back({K::Button, kChange, 63, 172, 50, 14, "Change", C::kDefault, 0});
    t.controls.push_back({K::Button, kRemove, 118, 172, 50, 14, "Remove", 0, 0});
    t.controls.push_back({K::Button, TDialog::kIdCancel, 242, 172, 50, 14, "Close", 0, 0});
    TResources::AddDialog(res::kActivitiesDialog, t);
}

ActivitiesDialog::ActivitiesDialog(TWindow* parent, LogBookDatabase& database,
                                   const DateUtility& dates, LogBookHistory& history,
                                   const DayRecord* stored, std::int32_t key, std::string dayText,
                                   std::function<void()> changed)
    : TDialog(parent, res::kActivitiesDialog), database(database), dates(dates), history(history),
      key(key), hadRecord(stored != nullptr), day(stored ? *stored : DayRecord::Blank(key)),
      dayText(std::move(dayText)), changed(std::move(changed)) {
    OnNotify(kList, Notify::ListSelChange, [this] { ShowSelected(); });
    OnCommand(kAdd, [this] { Add(); });
    OnCommand(kChange, [this] { Change(); });
    OnCommand(kRemove, [this] { Remove(); });
    OnNotify(kGear, Notify::ComboSelChange, [this] { ChangeGear(); });
    OnUndoKeys([this] { TakeBack(false); }, [this] { TakeBack(true); });
}

void ActivitiesDialog::SetupWindow() {
    TDialog::SetupWindow();
    SetCaption("Activities of " + dayText);
    for (const std::string_view word : ActivitySports::Words()) {
        ListAddString(kSport, std::string(word));
    }
    Reload(0);
}

void ActivitiesDialog::Reload(int index) {
    ActivityStore store;
    rows.clear();
    if (const ActivityStore::Outcome opened = store.Open(database, false); opened.Ok()) {
        store.Read(key, key, rows);
        unit = store.Unit();
    } else if (opened.code != ActivityStore::Code::Missing) {
        TMessageBox::Show(this, opened.words, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
    }
    metresPerUnit = ActivityDays::MetresPer(unit == "mi" ? ActivityDays::Unit::Miles
                                                         : ActivityDays::Unit::Kilometres);
    ListClear(kList);
    for (const ActivityRow& row : rows) {
        ListAddString(kList, ActivityForm::Line(row, unit, metresPerUnit));
    }
    if (!rows.empty()) {
        ListSetSelection(kList, std::clamp(index, 0, static_cast<int>(rows.size()) - 1));
    }
    ShowSelected();
}

void ActivitiesDialog::ShowSelected() {
    const int index = ListSelection(kList);
    ActivityRow blank;
    const ActivityForm form = ActivityForm::Show(
        index >= 0 ? rows[static_cast<std::size_t>(index)] : blank, metresPerUnit, dates);
    SetDlgItemText(kSport, index >= 0 ? form.sport : "");
    for (int box = 0; box < ActivityForm::kBoxCount; ++box) {
        SetDlgItemText(BoxId(box), index >= 0 ? form.boxes[box] : "");
    }
    SetDlgItemText(kNote, form.note);
    picked.reset();
    ShowGear(index);
}

void ActivitiesDialog::ShowGear(int index) {
    showingGear = true;
    ListClear(kGear);
    gearChoices.clear();
    ActivityStore store;
    std::vector<GearItem> items;
    std::vector<std::int64_t> carried;
    const bool dayGear = rows.empty();
    if ((index >= 0 || dayGear) && store.Open(database, false).Ok()) {
        const GearStore gear(store);
        gear.Items(items);
        carried = dayGear ? gear.GearOfDay(key)
                          : gear.GearOfActivity(rows[static_cast<std::size_t>(index)].start);
    }
    const auto add = [&](const std::string& text, std::vector<std::int64_t> ids) {
        ListAddString(kGear, text);
        gearChoices.push_back(std::move(ids));
    };
    add("(none)", {});
    std::string names;
    for (const GearItem& item : items) {
        const bool isCarried = std::find(carried.begin(), carried.end(), item.id) != carried.end();
        if (isCarried) {
            names += (names.empty() ? "" : " + ") + item.name;
        }
        // A retired item is offered only to the activities it already carries.
        if (item.retired == 0 || isCarried) {
            add(item.name, {item.id});
        }
    }
    if (carried.size() > 1) {
        add(names, carried);
    }
    int shown = 0;
    for (std::size_t i = 0; i < gearChoices.size(); ++i) {
        if (gearChoices[i] == carried) {
            shown = static_cast<int>(i);
        }
    }
    ListSetSelection(kGear, shown);
    EnableDlgItem(kGear, index >= 0 || dayGear);
    showingGear = false;
}

void ActivitiesDialog::ChangeGear() {
    const int index = ListSelection(kList);
    const int choice = ListSelection(kGear);
    const bool dayGear = rows.empty();
    if (showingGear || (index < 0 && !dayGear) || choice < 0 ||
        choice >= static_cast<int>(gearChoices.size())) {
        return;
    }
    const std::vector<std::int64_t>& gear = gearChoices[static_cast<std::size_t>(choice)];
    picked = gear;
    ActivityStore store;
    ActivityStore::Outcome outcome = store.Open(database, true);
    if (outcome.Ok() || outcome.code == ActivityStore::Code::Missing) {
        outcome = dayGear ? GearStore(store).SetDayGear(key, gear)
                          : GearStore(store).SetActivityGear(
                                rows[static_cast<std::size_t>(index)].start, gear);
    }
    if (!outcome.Ok()) {
        TMessageBox::Show(this, "The gear was not changed: " + outcome.words, "MESSAGE",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
    }
    ShowGear(index);
    if (changed) {
        changed();
    }
}

bool ActivitiesDialog::ReadBoxes(ActivityRow& row) {
    ActivityForm form;
    form.sport = GetDlgItemText(kSport);
    for (int box = 0; box < ActivityForm::kBoxCount; ++box) {
        form.boxes[box] = GetDlgItemText(BoxId(box));
    }
    form.note = GetDlgItemText(kNote);
    std::string problem;
    if (const int box = form.FirstRefused(dates, problem); box >= 0) {
        TMessageBox::Show(this, problem, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        SetDlgItemFocus(box < ActivityForm::kBoxCount ? BoxId(box) : kSport);
        return false;
    }
    form.ReadInto(row, metresPerUnit, dates);
    return true;
}

void ActivitiesDialog::Add() {
    ActivityRow row;
    row.day = key;
    ActivityStore store;
    store.Open(database, false);
    row.start = StartFor(key, rows, GearStore(store));
    if (!ReadBoxes(row)) {
        return;
    }
    std::vector<ActivityRow> target = rows;
    target.push_back(row);
    std::vector<std::int64_t> gear;
    if (picked) {
        gear = *picked;
    } else if (const std::int64_t id = GearStore(store).DefaultFor(row.sport, key); id != 0) {
        gear = {id};
    }
    store.Close();
    Store(std::move(target), static_cast<int>(rows.size()), [&] { LinkAdded(row, gear); });
}

void ActivitiesDialog::LinkAdded(const ActivityRow& row, const std::vector<std::int64_t>& gear) {
    if (gear.empty()) {
        return;
    }
    ActivityStore store;
    ActivityStore::Outcome outcome = store.Open(database, true);
    if (outcome.Ok()) {
        outcome = GearStore(store).SetActivityGear(row.start, gear);
    }
    if (!outcome.Ok()) {
        TMessageBox::Show(this, "The activity was added without its gear: " + outcome.words,
                          "MESSAGE", TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
    }
}

void ActivitiesDialog::Change() {
    const int index = ListSelection(kList);
    if (index < 0) {
        TMessageBox::Show(this, kNoSelection, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        return;
    }
    std::vector<ActivityRow> target = rows;
    if (!ReadBoxes(target[static_cast<std::size_t>(index)])) {
        return;
    }
    Store(std::move(target), index);
}

void ActivitiesDialog::Remove() {
    const int index = ListSelection(kList);
    if (index < 0) {
        TMessageBox::Show(this, kNoSelection, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        return;
    }
    std::vector<ActivityRow> target = rows;
    target.erase(target.begin() + index);
    Store(std::move(target), index);
}

void ActivitiesDialog::TakeBack(bool redo) {
    const LogBookHistory::Change* next = redo ? history.ToRedo() : history.ToUndo();
    if (!next || next->after.dateKey != key) {
        TMessageBox::Show(this, !next ? (redo ? kNothingToRedo : kNothingToUndo) : kOtherDay,
                          "MESSAGE", TMessageBox::Buttons::Ok, TMessageBox::Icon::Information);
        return;
    }
    std::int32_t changedKey = 0;
    const int select = ListSelection(kList);
    if (!(redo ? history.Redo(database, changedKey) : history.Undo(database, changedKey))) {
        if (!history.Problem().empty()) {
            TMessageBox::Show(this, "The activities were not changed: " + history.Problem(),
                              "MESSAGE", TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        }
        Reload(select);
        return;
    }
    // The next change starts from the day as the logbook now holds it, live or erased.
    DateValue date;
    dates.DateOfKey(key, date);
    DayRecord now = DayRecord::Blank(key);
    hadRecord = database.ReadDay(date, now) == LogBookDatabase::ReadResult::Read;
    day = hadRecord ? now : DayRecord::Blank(key);
    Reload(select);
    if (changed) {
        changed();
    }
}

bool ActivitiesDialog::Store(std::vector<ActivityRow> target, int select,
                             const std::function<void()>& stored) {
    // A day erased or never stored starts afresh; a live day keeps the user's fields.
    DayRecord after = hadRecord && day.erased == 0 ? day : DayRecord::Blank(key);
    after.erased = 0;
    // Without activities the day's figures go with them.
    after.distance = 0;
    after.time = 0;
    after.pace = 0;
    after.speed = 0;
    after.maxHeartRate = 0;
    after.calories = 0;
    ActivityTotals::Apply(after, target, metresPerUnit);
    std::string problem;
    if (!history.StoreActivities(database, hadRecord ? &day : nullptr, after, rows, target,
                                 problem)) {
        TMessageBox::Show(this, "The activities were not changed: " + problem, "MESSAGE",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        Reload(select);
        return false;
    }
    hadRecord = true;
    day = after;
    if (stored) {
        stored();
    }
    Reload(select);
    if (changed) {
        changed();
    }
    return true;
}
