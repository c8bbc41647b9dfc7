#include "editor/LogBookDialog.h"

#include "activities/ActivityDays.h"
#include "activities/DayActivitiesText.h"
#include "editor/ActivitiesDialog.h"
#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/DatesDialog.h"
#include "shell/ResourceIds.h"
#include "shell/ToolPage.h"
#include "store/ActivityStore.h"

namespace {

int BoxId(int box) {
    return LogBookDialog::kFirstBox + box;
}

// The history lives with the client for the run, so a Log Book closed and opened again can
// still take back what it stored.
class HistoryMemory : public ClientWindow::ToolMemory {
public:
    void Forget() override { history.Clear(); }
    LogBookHistory history;
};

LogBookHistory& HistoryOf(ClientWindow& client) {
    auto& memory =
        client.Memory(res::kLogBookDialog, [] { return std::make_unique<HistoryMemory>(); });
    return static_cast<HistoryMemory&>(memory).history;
}

} // namespace

void LogBookDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    using P = ToolPage;
    TDialogTemplate t = P::Page({P::Cell(0, 96),
                                 P::Cell(96, 300),
                                 P::Centred(kDateText, 2, 2, 92, 8),
                                 {K::Static, kActivities, 102, 2, 290, 8, "", 0, 0},
                                 P::Divider(5, 204),
                                 P::WorkArea(),
                                 {K::DipLine, -1, 8, 156, 320, 5, "", 0, 0}});
    const struct {
        int box;
        int x;
        int y;
    } edits[] = {{DayForm::kDistance, 68, 56},       {DayForm::kTime, 68, 76},
                 {DayForm::kPace, 68, 96},           {DayForm::kSpeed, 68, 116},
                 {DayForm::kCalories, 68, 136},      {DayForm::kMaxHeartRate, 176, 56},
                 {DayForm::kRestHeartRate, 176, 76}, {DayForm::kTemperature, 176, 96},
                 {DayForm::kBodyWeight, 176, 116},   {DayForm::kWaterUsed, 176, 136},
                 {DayForm::kHoursSlept, 284, 56}};
    for (const auto& e : edits) {
        t.controls.push_back(P::Label(e.x - 52, e.y + 2, 48, DayForm::kRules[e.box].label));
        t.controls.push_back({K::Edit, BoxId(e.box), e.x, e.y, 36, 12, "", 0, kNumberLimit});
    }
    t.controls.push_back({K::GroupBox, -1, 232, 74, 88, 24, "Competition:", 0, 0});
    t.controls.push_back({K::RadioButton, kYes, 236, 84, 28, 10, "Yes", C::kGroup, 0});
    t.controls.push_back({K::RadioButton, kNo, 268, 84, 28, 10, "No", 0, 0});
    t.controls.push_back({K::GroupBox, -1, 232, 102, 88, 24, "Difficulty:", 0, 0});
    t.controls.push_back({K::RadioButton, kEasy, 236, 112, 22, 10, "E", C::kGroup, 0});
    t.controls.push_back({K::RadioButton, kModerate, 260, 112, 22, 10, "M", 0, 0});
    t.controls.push_back({K::RadioButton, kHard, 284, 112, 22, 10, "H", 0, 0});
    t.controls.push_back(P::Label(232, 127, 48, "Workout:"));
    t.controls.push_back({K::ComboBox, kWorkout, 232, 136, 88, 37, "", 0,
                          static_cast<int>(DayRecord::kWorkoutSize)});
    t.controls.push_back(P::Label(16, 166, 48, "Comments:"));
    t.controls.push_back({K::Edit, kComments, 68, 164, 252, 24, "", C::kMultiLine,
                          static_cast<int>(DayRecord::kCommentsSize)});
    t.controls.push_back(P::Button(kSaveDay, 8, 16, C::kDefault));
    t.controls.push_back(P::Button(kEraseDay, 56, 16));
    t.controls.push_back(P::Button(kFind, 104, 16));
    t.controls.push_back(P::Button(kCalculate, 152, 16));
    P::AddRightColumn(t, {kNextDay, kPreviousDay, kNext30Days, kPrevious30Days});
    TResources::AddDialog(res::kLogBookDialog, t);

    P::AddSpeedMenu(res::kLogBookDialog, P::SpeedMenu("Logbook Speed Menu", kButtons));
    ActivitiesDialog::RegisterTemplate();
}

LogBookDialog::LogBookDialog(ClientWindow& client)
    : ToolDialog(client, res::kLogBookDialog), dates(client.Dates()), history(HistoryOf(client)),
      cache(std::make_unique<LogBookCache>(client.Database(), client.Dates(), &history)),
      currentRecord(DayRecord::Blank(0)), reference(DayRecord::Blank(0)) {
    OnCommand(kSaveDay, [this] { Save(); });
    OnCommand(kEraseDay, [this] { EraseDay(); });
    OnCommand(kFind, [this] {
        if (Save()) {
            Client().OpenFind();
        }
    });
    OnCommand(kCalculate, [this] { Client().OpenCalcDTP(); });
    OnCommand(kNextDay, [this] { Step(1); });
    OnCommand(kPreviousDay, [this] { Step(-1); });
    OnCommand(kNext30Days, [this] { Step(30); });
    OnCommand(kPrevious30Days, [this] { Step(-30); });
    OnCommand(kDayActivities, [this] { OpenActivities(); });
    AddCommandKey(kDayActivitiesKey, kDayActivities);
    OnCommand(kGoToDate, [this] {
        DatesDialog dialog(this, dates, dates.KeyOfDate(current));
        if (dialog.Execute() == kIdOk) {
            GoToDay(dialog.Chosen().first);
        }
    });
    AddCommandKey(kGoToDateKey, kGoToDate);
    OnUndoKeys([this] { UndoChange(false); }, [this] { UndoChange(true); });
    OnMessage(kResetMessage, [this](std::uint64_t, std::int64_t) {
        Reset();
        return 0;
    });
    OnMessage(kGoToDayMessage, [this](std::uint64_t, std::int64_t key) {
        GoToDay(static_cast<std::int32_t>(key));
        return 0;
    });
}

LogBookDialog::~LogBookDialog() = default;

void LogBookDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    for (const char* name : DayRecord::kWorkoutNames) {
        ListAddString(kWorkout, name);
    }
    dates.Today(current);
    cache->StartAt(current);
    cache->Adjust(current);
    ShowCurrentDay();
}

void LogBookDialog::ClearBoxes() {
    for (int box = 0; box < DayForm::kBoxCount; ++box) {
        SetDlgItemText(BoxId(box), "");
    }
    SetDlgItemText(kComments, "");
    SetDlgItemText(kWorkout, "");
    for (const int id : {kYes, kNo, kEasy, kModerate, kHard}) {
        CheckDlgButton(id, false);
    }
}

void LogBookDialog::SetBoxTexts(const DayForm& form) {
    for (int box = 0; box < DayForm::kBoxCount; ++box) {
        SetDlgItemText(BoxId(box), form.boxes[static_cast<std::size_t>(box)]);
    }
    SetDlgItemText(kComments, form.comments);
    SetDlgItemText(kWorkout, form.workout);
    CheckDlgButton(kYes, form.competition == 'Y');
    CheckDlgButton(kNo, form.competition == 'N');
    CheckDlgButton(kEasy, form.difficulty == 'E');
    CheckDlgButton(kModerate, form.difficulty == 'M');
    CheckDlgButton(kHard, form.difficulty == 'H');
}

DayForm LogBookDialog::BoxTexts() const {
    DayForm form;
    for (int box = 0; box < DayForm::kBoxCount; ++box) {
        form.boxes[static_cast<std::size_t>(box)] = GetDlgItemText(BoxId(box));
    }
    form.comments = GetDlgItemText(kComments);
    form.workout = GetDlgItemText(kWorkout);
    form.competition = IsDlgButtonChecked(kYes) ? 'Y' : IsDlgButtonChecked(kNo) ? 'N' : 0;
    form.difficulty = IsDlgButtonChecked(kEasy)       ? 'E'
                      : IsDlgButtonChecked(kModerate) ? 'M'
                      : IsDlgButtonChecked(kHard)     ? 'H'
                                                      : 0;
    return form;
}

void LogBookDialog::ShowCurrentDay() {
    ClearBoxes();
    SetDlgItemText(kDateText, dates.LongDateText(current));
    const DayRecord* cached = cache->Find(dates.KeyOfDate(current));
    if (cached && cached->erased == 0) {
        currentRecord = *cached;
        SetBoxTexts(DayForm::Show(currentRecord, dates));
    } else {
        currentRecord = DayRecord::Blank(dates.KeyOfDate(current));
    }
    reference = currentRecord;
    shown = BoxTexts();
    SetDlgItemText(kActivities, ReadActivities());
    if (!activities.empty() || hinted) {
        Client().ShowStatus(ActivityDayEdit::Hint(activities.size()));
        hinted = !activities.empty();
    }
}

std::string LogBookDialog::ReadActivities() {
    // Opened for each day shown, so the file is never held past the logbook's own life.
    ActivityStore store;
    activities.clear();
    const std::int32_t key = dates.KeyOfDate(current);
    if (!store.Open(Client().Database(), false).Ok() || !store.Read(key, key, activities).Ok()) {
        activities.clear();
        return "";
    }
    metresPerUnit = ActivityDays::MetresPer(store.Unit() == "mi" ? ActivityDays::Unit::Miles
                                                                 : ActivityDays::Unit::Kilometres);
    return DayActivitiesText::Line(activities, store.Unit(), DayActivitiesText::kLogBookCharacters);
}

bool LogBookDialog::ReadBoxes() {
    DayForm typed = BoxTexts();
    std::string problem;
    if (const int box = typed.FirstRefused(shown, dates, problem); box >= 0) {
        if (TMessageBox::Show(this, problem + kCorrectQuestion, "MESSAGE",
                              TMessageBox::Buttons::YesNo,
                              TMessageBox::Icon::Exclamation) != TMessageBox::kIdNo) {
            // From Find the Log Book may lie behind: raise it so the box takes the keys.
            Client().OpenLogBook();
            SetDlgItemFocus(BoxId(box));
            return false;
        }
        ShowCurrentDay(); // the day as it was; nothing typed for it is taken
        return true;
    }
    // The comment box is compared whole: how it wraps its lines depends on its layout, which
    // is only done once the window shows, so a comment longer than the two lines would
    // otherwise seem changed on the day the window opens with. Of a changed comment only
    // what stands on the two lines counts.
    if (typed.comments != shown.comments) {
        typed.comments = EditLine(kComments, 0) + EditLine(kComments, 1);
    }
    typed.ReadChangesInto(shown, currentRecord, dates);
    const ActivityDayEdit edit =
        ActivityDayEdit::Of(typed, shown, currentRecord, reference, activities, metresPerUnit);
    if (edit.kind == ActivityDayEdit::Kind::ActivityChanged) {
        return StoreActivityChange(edit);
    }
    currentRecord = edit.day;
    if (!currentRecord.SameContent(reference)) {
        cache->Put(currentRecord);
    }
    if (edit.kind == ActivityDayEdit::Kind::NotTaken &&
        TMessageBox::Show(this, edit.message + kOpenActivitiesQuestion, "MESSAGE",
                          TMessageBox::Buttons::YesNo,
                          TMessageBox::Icon::Information) == TMessageBox::kIdYes) {
        // The other boxes are in the cache: the dialog stores them first.
        ShowCurrentDay();
        OpenActivities();
        return false;
    }
    return true;
}

bool LogBookDialog::StoreActivityChange(const ActivityDayEdit& edit) {
    // The step holds the day as the logbook has it, so what is waiting is stored first.
    if (!cache->StoreDirty()) {
        return false;
    }
    const DayRecord* cached = cache->Find(edit.day.dateKey);
    const DayRecord before = cached ? *cached : DayRecord::Blank(edit.day.dateKey);
    std::vector<ActivityRow> target = edit.rows;
    std::string problem;
    if (!history.StoreActivities(Client().Database(), cached ? &before : nullptr, edit.day,
                                 activities, target, problem)) {
        TMessageBox::Show(this, "The activity was not changed: " + problem, "MESSAGE",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        return false;
    }
    cache->PutStored(edit.day);
    currentRecord = edit.day;
    reference = edit.day;
    activities = target;
    Client().RefreshToolWindows(false);
    return true;
}

bool LogBookDialog::Save() {
    if (!ReadBoxes()) {
        return false;
    }
    // A day that could not be stored stays dirty, so closing still asks about it.
    cache->StoreDirty();
    ShowCurrentDay();
    Client().RefreshToolWindows(false);
    return true;
}

void LogBookDialog::Step(int days) {
    if (!ReadBoxes()) {
        return;
    }
    if (days > 0) {
        dates.AddDays(current, days);
    } else {
        dates.SubtractDays(current, -days);
    }
    cache->Adjust(current);
    ShowCurrentDay();
}

void LogBookDialog::EraseDay() {
    if (!activities.empty()) {
        EraseWithActivities();
        return;
    }
    const DayRecord* cached = cache->Find(dates.KeyOfDate(current));
    if (cached && cached->erased == 0) {
        // The day goes as it is cached; what was typed over it does not matter.
        DayRecord erased = *cached;
        erased.erased = 1;
        cache->Put(erased);
    }
    // Without an entry to erase, what was typed goes and nothing is stored.
    ShowCurrentDay();
}

void LogBookDialog::EraseWithActivities() {
    const std::string count =
        std::to_string(activities.size()) + (activities.size() == 1 ? " activity" : " activities");
    if (TMessageBox::Show(this, kEraseQuestion + count + kEraseQuestionEnd, "MESSAGE",
                          TMessageBox::Buttons::YesNo,
                          TMessageBox::Icon::Question) != TMessageBox::kIdYes) {
        return;
    }
    if (!cache->StoreDirty()) {
        return;
    }
    const std::int32_t key = dates.KeyOfDate(current);
    const DayRecord* cached = cache->Find(key);
    const DayRecord before = cached ? *cached : DayRecord::Blank(key);
    // The day goes as it is stored; what was typed over it does not matter.
    DayRecord erased = before;
    erased.erased = 1;
    std::vector<ActivityRow> none;
    std::string problem;
    if (!history.StoreActivities(Client().Database(), cached ? &before : nullptr, erased,
                                 activities, none, problem)) {
        TMessageBox::Show(this, "The day was not erased: " + problem, "MESSAGE",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        ShowCurrentDay();
        return;
    }
    cache->PutStored(erased);
    ShowCurrentDay();
    Client().RefreshToolWindows(false);
}

void LogBookDialog::GoToDay(std::int32_t key) {
    // What was typed for the shown day is kept, as when stepping.
    if (!ReadBoxes()) {
        return;
    }
    MoveTo(key);
}

void LogBookDialog::MoveTo(std::int32_t key) {
    // Day by day, so that the weekday travels with the date; the calendar's ends stop it.
    while (dates.KeyOfDate(current) < key) {
        const std::int32_t before = dates.KeyOfDate(current);
        dates.AddDays(current, 1);
        if (dates.KeyOfDate(current) == before) {
            break;
        }
    }
    while (dates.KeyOfDate(current) > key) {
        const std::int32_t before = dates.KeyOfDate(current);
        dates.SubtractDays(current, 1);
        if (dates.KeyOfDate(current) == before) {
            break;
        }
    }
    cache->StartAt(current);
    cache->Adjust(current);
    ShowCurrentDay();
}

void LogBookDialog::UndoChange(bool redo) {
    if (!ReadBoxes()) {
        return;
    }
    if (!cache->StoreDirty()) {
        ShowCurrentDay();
        return;
    }
    std::int32_t key = 0;
    LogBookDatabase& database = Client().Database();
    if (!(redo ? history.Redo(database, key) : history.Undo(database, key))) {
        // A failed store has said so; otherwise there was nothing to take.
        if (!(redo ? history.ToRedo() : history.ToUndo())) {
            Client().ShowStatus(redo ? kNothingToRedo : kNothingToUndo);
        } else if (!history.Problem().empty()) {
            TMessageBox::Show(this, "The activities were not changed: " + history.Problem(),
                              "MESSAGE", TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        }
        ShowCurrentDay();
        Client().RefreshToolWindows(false);
        return;
    }
    MoveTo(key);
    Client().ShowStatus((redo ? kRedoneText : kUndoneText) + dates.LongDateText(current));
    Client().RefreshToolWindows(false);
}

void LogBookDialog::OpenActivities() {
    if (!Save()) {
        return;
    }
    if (!cache->Changed()) {
        const std::int32_t key = dates.KeyOfDate(current);
        const DayRecord* stored = cache->Find(key);
        const DayRecord record = stored ? *stored : DayRecord::Blank(key);
        ActivitiesDialog dialog(this, Client().Database(), dates, history,
                                stored ? &record : nullptr, key, dates.LongDateText(current),
                                [this, key] {
                                    MoveTo(key);
                                    Client().RefreshToolWindows(false);
                                });
        dialog.Execute();
    }
}

void LogBookDialog::Reset() {
    cache->DropChanges();
    dates.Today(current);
    cache->StartAt(current);
    cache->Adjust(current);
    ShowCurrentDay();
}

ActivityDayEdit::Kind LogBookDialog::TypedEdit() const {
    const DayForm typed = BoxTexts();
    std::string problem;
    if (typed.FirstRefused(shown, dates, problem) >= 0) {
        return ActivityDayEdit::Kind::Plain;
    }
    DayRecord record = currentRecord;
    typed.ReadChangesInto(shown, record, dates);
    return ActivityDayEdit::Of(typed, shown, record, reference, activities, metresPerUnit).kind;
}

bool LogBookDialog::CanClose() {
    if (!MayClose()) {
        return false;
    }
    // The hint speaks of boxes that are going.
    if (hinted) {
        Client().ShowStatus("");
        hinted = false;
    }
    return true;
}

bool LogBookDialog::MayClose() {
    // An activity's figure typed over is stored as it is read: ask before, as for any day.
    if (TypedEdit() == ActivityDayEdit::Kind::ActivityChanged) {
        switch (TMessageBox::Show(this, kSaveQuestion, "MESSAGE", TMessageBox::Buttons::YesNoCancel,
                                  TMessageBox::Icon::Question)) {
        case TMessageBox::kIdYes:
            return ReadBoxes() && cache->StoreDirty();
        case TMessageBox::kIdNo:
            return true;
        default:
            return false;
        }
    }
    if (!ReadBoxes()) {
        return false;
    }
    if (!cache->Changed()) {
        return true;
    }
    switch (TMessageBox::Show(this, kSaveQuestion, "MESSAGE", TMessageBox::Buttons::YesNoCancel,
                              TMessageBox::Icon::Question)) {
    case TMessageBox::kIdYes:
        // When a day cannot be stored the window stays, so nothing typed is lost.
        return cache->StoreDirty();
    case TMessageBox::kIdNo:
        return true;
    default:
        return false;
    }
}
