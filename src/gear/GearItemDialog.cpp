#include "gear/GearItemDialog.h"

#include "activities/ActivitySports.h"
#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "shell/ResourceIds.h"

#include <algorithm>

namespace {

const char* const kKinds[] = {"Shoes", "Bike", "Other"};

} // namespace

int GearItemDialog::BoxId(int box) {
    return box == GearForm::kName ? kName : kFirstBox + box - 1;
}

void GearItemDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    const auto label = [](int x, int y, int cx, const char* text) {
        return TControlTemplate{K::Static, -1, x, y + 2, cx, 8, text, 0, 0};
    };
    TDialogTemplate t;
    t.cx = 250;
    t.cy = 176;
    t.caption = "Gear";
    t.controls = {
        label(8, 8, 70, "Name:"),
        {K::Edit, kName, 80, 8, 162, 12, "", 0, static_cast<int>(GearForm::kNameSize + 1)},
        label(8, 24, 70, "Kind:"),
        {K::DropDownList, kKind, 80, 24, 60, 60, "", 0, 0},
        label(8, 40, 70, "For sport:"),
        {K::ComboBox, kSport, 80, 40, 60, 80, "", 0, 24},
        {K::CheckBox, kDefault, 146, 41, 96, 10, "Default for new activities", 0, 0}};
    const char* const labels[] = {
        "Starting distance:", "Distance limit:", "Time limit:", "First use:", "Retired:"};
    for (int box = GearForm::kStartDistance; box < GearForm::kBoxCount; ++box) {
        const int y = 40 + 16 * box;
        t.controls.push_back(label(8, y, 70, labels[box - 1]));
        t.controls.push_back({K::Edit, BoxId(box), 80, y, 60, 12, "", 0, kBoxLimit});
    }
    t.controls.push_back({K::Static, kUnit, 146, 58, 96, 8, "", 0, 0});
    t.controls.push_back(label(146, 88, 96, "H:MM:SS or hours"));
    t.controls.push_back(label(146, 104, 96, "YYYY-MM-DD"));
    t.controls.push_back(label(8, 136, 70, "Notes:"));
    t.controls.push_back(
        {K::Edit, kNotes, 80, 136, 162, 12, "", 0, static_cast<int>(GearForm::kNotesSize + 1)});
    t.controls.push_back({K::Button, TDialog::kIdOk, 136, 156, 50, 14, "OK", C::kDefault, 0});
    t.controls.push_back({K::Button, TDialog::kIdCancel, 192, 156, 50, 14, "Cancel", 0, 0});
    TResources::AddDialog(res::kGearItemDialog, t);
}

GearItemDialog::GearItemDialog(TWindow* parent, GearItem& item, const std::string& unit,
                               std::vector<std::string> taken)
    : TDialog(parent, res::kGearItemDialog), item(item), unit(unit),
      metresPerUnit(unit == "mi" ? 1609.344 : 1000.0), taken(std::move(taken)) {}

void GearItemDialog::SetupWindow() {
    TDialog::SetupWindow();
    SetCaption(item.id == 0 ? "Add Gear" : "Change Gear");
    for (const char* kind : kKinds) {
        ListAddString(kKind, kind);
    }
    for (const std::string_view word : ActivitySports::Words()) {
        ListAddString(kSport, std::string(word));
    }
    const GearForm form = GearForm::Show(item, metresPerUnit);
    ListSetSelection(kKind, static_cast<int>(form.kind));
    SetDlgItemText(kSport, form.sport);
    CheckDlgButton(kDefault, form.isDefault);
    for (int box = 0; box < GearForm::kBoxCount; ++box) {
        SetDlgItemText(BoxId(box), form.boxes[box]);
    }
    SetDlgItemText(kNotes, form.notes);
    SetDlgItemText(kUnit, "distances in " + unit);
    SetDlgItemFocus(kName);
}

void GearItemDialog::CmOk() {
    GearForm form;
    form.kind = static_cast<GearKind>(std::max(0, ListSelection(kKind)));
    form.sport = GetDlgItemText(kSport);
    form.isDefault = IsDlgButtonChecked(kDefault);
    for (int box = 0; box < GearForm::kBoxCount; ++box) {
        form.boxes[box] = GetDlgItemText(BoxId(box));
    }
    form.notes = GetDlgItemText(kNotes);
    std::string problem;
    int refused = form.FirstRefused(problem);
    if (refused < 0 &&
        std::find(taken.begin(), taken.end(), form.boxes[GearForm::kName]) != taken.end()) {
        problem = "There is gear named " + form.boxes[GearForm::kName] + " already.";
        refused = GearForm::kName;
    }
    if (refused >= 0) {
        TMessageBox::Show(this, problem, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        SetDlgItemFocus(refused < GearForm::kBoxCount ? BoxId(refused) : kSport);
        return;
    }
    form.ReadInto(item, metresPerUnit);
    TDialog::CmOk();
}
