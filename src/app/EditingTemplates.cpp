#include "app/EditingTemplates.h"

#include "app/ResourceIds.h"
#include "framework/TResources.h"

namespace {

using K = TControlKind;
using C = TControlTemplate;

TControlTemplate Label(int x, int y, int cx, const char* text) {
    return {K::Static, -1, x, y, cx, 8, text, 0, 0};
}

TDialogTemplate Find() {
    TDialogTemplate t;
    t.cx = 300;
    t.cy = 196;
    t.caption = "Find";
    t.controls = {
        Label(8, 8, 60, "Field:"),
        {K::DropDownList, 102, 8, 18, 90, 120, "", 0, 0},
        Label(104, 8, 60, "Compare:"),
        {K::DropDownList, 103, 104, 18, 104, 80, "", 0, 0},
        Label(214, 8, 60, "Value:"),
        {K::Edit, 101, 214, 18, 78, 12, "", 0, 128},
        {K::GroupBox, -1, 8, 36, 136, 28, "Competition:", 0, 0},
        {K::RadioButton, 108, 16, 48, 36, 10, "Yes", C::kGroup, 0},
        {K::RadioButton, 109, 54, 48, 32, 10, "No", 0, 0},
        {K::RadioButton, 110, 90, 48, 48, 10, "Ignore", 0, 0},
        {K::GroupBox, -1, 156, 36, 136, 28, "Difficulty:", 0, 0},
        {K::CheckBox, 111, 164, 48, 38, 10, "Easy", 0, 0},
        {K::CheckBox, 112, 204, 48, 38, 10, "Mod.", 0, 0},
        {K::CheckBox, 113, 244, 48, 40, 10, "Hard", 0, 0},
        Label(8, 70, 80, "Search Results:"),
        {K::ListBox, 107, 8, 80, 284, 88, "", 0, 0},
        {K::Button, 105, 8, 174, 50, 14, "Find", C::kDefault, 0},
        {K::Button, 106, 64, 174, 50, 14, "Goto Day", 0, 0},
    };
    return t;
}

TDialogTemplate CalcDtp() {
    TDialogTemplate t;
    t.cx = 164;
    t.cy = 100;
    t.caption = "Calculate Distance, Time, Pace...";
    t.controls = {
        Label(10, 10, 40, "Distance:"),
        {K::Edit, 104, 56, 8, 98, 12, "", 0, 30},
        Label(10, 26, 40, "Time:"),
        {K::Edit, 105, 56, 24, 98, 12, "", 0, 30},
        Label(10, 42, 40, "Pace:"),
        {K::Edit, 106, 56, 40, 98, 12, "", 0, 30},
        Label(10, 58, 40, "Speed:"),
        {K::Edit, 107, 56, 56, 98, 12, "", C::kDisabled, 30},
        {K::Button, 101, 8, 78, 46, 14, "Calculate", C::kDefault, 0},
        {K::Button, 102, 59, 78, 46, 14, "Clear", 0, 0},
        {K::Button, 103, 110, 78, 46, 14, "Apply", 0, 0},
    };
    return t;
}

} // namespace

void EditingTemplates::Register() {
    TResources::AddDialog(res::kFindDialog, Find());
    TResources::AddDialog(res::kCalcDTPDialog, CalcDtp());
}
