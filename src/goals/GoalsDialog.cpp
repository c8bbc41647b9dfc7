#include "goals/GoalsDialog.h"

#include "activities/ActivitySports.h"
#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "goals/GoalBook.h"
#include "shell/ResourceIds.h"
#include "store/GoalStore.h"
#include "store/LogBookDatabase.h"

#include <algorithm>

namespace {

int BoxId(GoalForm::Box box) {
    switch (box) {
    case GoalForm::Box::Period:
        return GoalsDialog::kPeriod;
    case GoalForm::Box::From:
        return GoalsDialog::kFrom;
    case GoalForm::Box::To:
        return GoalsDialog::kTo;
    case GoalForm::Box::Quantity:
        return GoalsDialog::kQuantity;
    case GoalForm::Box::Amount:
        return GoalsDialog::kAmount;
    case GoalForm::Box::Sport:
        return GoalsDialog::kSport;
    }
    return GoalsDialog::kAmount;
}

} // namespace

void GoalsDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    const auto label = [](int x, int y, int cx, const char* text) {
        return TControlTemplate{K::Static, -1, x, y, cx, 8, text, 0, 0};
    };
    TDialogTemplate t;
    t.cx = 320;
    t.cy = 206;
    t.caption = "Goals";
    t.controls = {
        {K::ListBox, kList, 8, 8, 304, 56, "", 0, 0},
        {K::Static, kPanelArea, 8, 68, 304, 62, "", 0, 0},
        label(8, 138, 44, "&Period:"),
        {K::DropDownList, kPeriod, 54, 136, 80, 60, "", 0, 0},
        label(142, 138, 30, "&From:"),
        {K::Edit, kFrom, 174, 136, 52, 12, "", 0, kBoxLimit},
        label(232, 138, 14, "&To:"),
        {K::Edit, kTo, 248, 136, 56, 12, "", 0, kBoxLimit},
        label(8, 154, 44, "&Quantity:"),
        {K::DropDownList, kQuantity, 54, 152, 80, 60, "", 0, 0},
        label(142, 154, 30, "&Amount:"),
        {K::Edit, kAmount, 174, 152, 52, 12, "", 0, kBoxLimit},
        {K::Static, kUnit, 230, 154, 74, 8, "", 0, 0},
        label(8, 170, 44, "&Sport:"),
        {K::ComboBox, kSport, 54, 168, 80, 80, "", 0, static_cast<int>(GoalForm::kSportLimit)},
        label(142, 170, 162, "(empty: every sport)"),
        {K::Button, kAdd, 8, 186, 50, 14, "A&dd", C::kDefault, 0},
        {K::Button, kChange, 63, 186, 50, 14, "&Change", 0, 0},
        {K::Button, kRemove, 118, 186, 50, 14, "&Remove", 0, 0},
        {K::Button, TDialog::kIdCancel, 262, 186, 50, 14, "Close", 0, 0}};
    TResources::AddDialog(res::kGoalsDialog, t);
}

GoalsDialog::GoalsDialog(TWindow* parent, LogBookDatabase& database, const DateUtility& dates,
                         std::int32_t today, WeekStart start)
    : TDialog(parent, res::kGoalsDialog), database(database), dates(dates), today(today),
      start(start), panel(this) {
    AddAutoCreateChild(panel);
    OnNotify(kList, Notify::ListSelChange, [this] { ShowSelected(); });
    OnNotify(kPeriod, Notify::ComboSelChange, [this] {
        const bool dated = ListSelection(kPeriod) == static_cast<int>(Goal::Span::Dates);
        EnableDlgItem(kFrom, dated);
        EnableDlgItem(kTo, dated);
    });
    OnNotify(kQuantity, Notify::ComboSelChange, [this] { ShowAmountUnit(); });
    OnCommand(kAdd, [this] { Add(); });
    OnCommand(kChange, [this] { Change(); });
    OnCommand(kRemove, [this] { Remove(); });
}

void GoalsDialog::SetupWindow() {
    TDialog::SetupWindow();
    const TRect area = ControlRect(kPanelArea);
    panel.MoveWindow(area.left, area.top);
    panel.SetSize(area.Width(), area.Height());
    panel.Show(TShowMode::Normal);
    for (const char* period : GoalForm::kPeriods) {
        ListAddString(kPeriod, period);
    }
    for (const char* quantity : GoalForm::kQuantities) {
        ListAddString(kQuantity, quantity);
    }
    for (const std::string_view word : ActivitySports::Words()) {
        ListAddString(kSport, ActivitySports::SportOf(word));
    }
    Reload(0);
    CenterIn(nullptr);
}

void GoalsDialog::Say(const std::string& text) {
    TMessageBox::Show(this, text, "MESSAGE", TMessageBox::Buttons::Ok,
                      TMessageBox::Icon::Exclamation);
}

void GoalsDialog::Reload(int index) {
    ActivityStore store;
    if (const ActivityStore::Outcome opened = store.Open(database, false);
        !opened.Ok() && opened.code != ActivityStore::Code::Missing) {
        Say(opened.words);
    }
    unit = store.Unit();
    if (const ActivityStore::Outcome loaded =
            GoalBook::Load(database, store, dates, today, start, states);
        !loaded.Ok()) {
        Say(loaded.words);
    }
    const GoalText text(dates, unit);
    ListClear(kList);
    for (const GoalProgress::State& s : states) {
        ListAddString(kList, text.Description(s.goal));
    }
    if (!states.empty()) {
        ListSetSelection(kList, std::clamp(index, 0, static_cast<int>(states.size()) - 1));
    }
    ShowSelected();
}

void GoalsDialog::ShowSelected() {
    const int index = ListSelection(kList);
    const GoalText text(dates, unit);
    GoalForm form;
    std::vector<GoalProgress::State> shown;
    if (index >= 0) {
        const GoalProgress::State& s = states[static_cast<std::size_t>(index)];
        form = GoalForm::Show(s.goal, text);
        shown.push_back(s);
    }
    ListSetSelection(kPeriod, form.period);
    SetDlgItemText(kFrom, form.from);
    SetDlgItemText(kTo, form.to);
    EnableDlgItem(kFrom, form.period == static_cast<int>(Goal::Span::Dates));
    EnableDlgItem(kTo, form.period == static_cast<int>(Goal::Span::Dates));
    ListSetSelection(kQuantity, form.quantity);
    SetDlgItemText(kAmount, form.amount);
    SetDlgItemText(kSport, form.sport);
    ShowAmountUnit();
    panel.ShowGoals(std::move(shown), text);
}

void GoalsDialog::ShowAmountUnit() {
    SetDlgItemText(kUnit, GoalForm::AmountUnit(ListSelection(kQuantity), unit));
}

GoalForm GoalsDialog::Boxes() const {
    GoalForm form;
    form.period = ListSelection(kPeriod);
    form.from = GetDlgItemText(kFrom);
    form.to = GetDlgItemText(kTo);
    form.quantity = ListSelection(kQuantity);
    form.amount = GetDlgItemText(kAmount);
    form.sport = GetDlgItemText(kSport);
    return form;
}

bool GoalsDialog::ReadBoxes(Goal& goal) {
    GoalForm::Box refused = GoalForm::Box::Amount;
    std::string problem;
    if (!Boxes().Read(GoalText(dates, unit), goal, refused, problem)) {
        Say(problem);
        SetDlgItemFocus(BoxId(refused));
        return false;
    }
    return true;
}

void GoalsDialog::Add() {
    Goal goal;
    if (!ReadBoxes(goal)) {
        return;
    }
    ActivityStore store;
    store.Open(database, true);
    if (const ActivityStore::Outcome added = GoalStore(store).Add(goal); !added.Ok()) {
        Say("The goal was not added: " + added.words);
        return;
    }
    store.Close();
    changed = true;
    Reload(static_cast<int>(states.size()));
}

void GoalsDialog::Change() {
    const int index = ListSelection(kList);
    if (index < 0) {
        Say(kNoSelection);
        return;
    }
    Goal goal = states[static_cast<std::size_t>(index)].goal;
    if (!ReadBoxes(goal)) {
        return;
    }
    ActivityStore store;
    store.Open(database, true);
    if (const ActivityStore::Outcome changed = GoalStore(store).Change(goal); !changed.Ok()) {
        Say("The goal was not changed: " + changed.words);
        return;
    }
    store.Close();
    changed = true;
    Reload(index);
}

void GoalsDialog::Remove() {
    const int index = ListSelection(kList);
    if (index < 0) {
        Say(kNoSelection);
        return;
    }
    const Goal& goal = states[static_cast<std::size_t>(index)].goal;
    if (TMessageBox::Show(
            this, "Remove the goal \"" + GoalText(dates, unit).Description(goal) + "\"?", "Goals",
            TMessageBox::Buttons::YesNo, TMessageBox::Icon::Question) != TMessageBox::kIdYes) {
        return;
    }
    ActivityStore store;
    store.Open(database, true);
    if (const ActivityStore::Outcome removed = GoalStore(store).Remove(goal.id); !removed.Ok()) {
        Say("The goal was not removed: " + removed.words);
        return;
    }
    store.Close();
    changed = true;
    Reload(index);
}
