#include "app/ToolTemplates.h"

#include "app/ResourceIds.h"
#include "framework/TResources.h"

#include <initializer_list>

namespace {

using K = TControlKind;
using C = TControlTemplate;
using I = TMenuItem;

TControlTemplate Button(int id, int x, int y, unsigned style = 0) {
    return {K::BitmapButton, id, x, y, 44, 26, "", style, 0};
}
TControlTemplate Centred(int id, int x, int y, int cx, int cy, const char* text = "") {
    return {K::Static, id, x, y, cx, cy, text, C::kCentered, 0};
}
TControlTemplate Label(int x, int y, int cx, const char* text) {
    return {K::Static, -1, x, y, cx, 8, text, 0, 0};
}
TControlTemplate Cell(int x, int cx) { return {K::ShadedCell, -1, x, 0, cx, 12, "", 0, 0}; }
TControlTemplate Divider(int cx, int cy) { return {K::DipLine, -1, 336, 12, cx, cy, "", 0, 0}; }
TControlTemplate WorkArea() { return {K::GroupBox, -1, 8, 44, 320, 152, "", 0, 0}; }

TDialogTemplate Page(std::initializer_list<TControlTemplate> controls) {
    TDialogTemplate t;
    t.cx = 396;
    t.cy = 204;
    t.hasCaption = false;
    t.controls = controls;
    return t;
}

void AddRightColumn(TDialogTemplate& t, std::initializer_list<int> ids) {
    int y = 48;
    for (const int id : ids) {
        t.controls.push_back(Button(id, 344, y));
        y += 28;
    }
    t.controls.push_back(Button(111, 344, 172));
}

TDialogTemplate LogBook() {
    TDialogTemplate t = Page({Cell(0, 96), Cell(96, 300), Centred(517, 2, 2, 92, 8),
                              Divider(5, 204), WorkArea(),
                              {K::DipLine, -1, 8, 156, 320, 5, "", 0, 0}});
    const struct {
        int id;
        int x;
        int y;
        const char* label;
    } edits[] = {{500, 68, 56, "Distance:"},     {501, 68, 76, "Time:"},
                 {502, 68, 96, "Pace:"},         {510, 68, 116, "Speed:"},
                 {509, 68, 136, "Total Calories:"}, {504, 176, 56, "Max H. Rate:"},
                 {503, 176, 76, "Rest H. Rate:"}, {505, 176, 96, "Temperature:"},
                 {506, 176, 116, "Body Weight:"}, {507, 176, 136, "Water Used:"},
                 {508, 284, 56, "Hours Slept:"}};
    for (const auto& e : edits) {
        t.controls.push_back(Label(e.x - 52, e.y + 2, 48, e.label));
        t.controls.push_back({K::Edit, e.id, e.x, e.y, 36, 12, "", 0, 10});
    }
    t.controls.push_back({K::GroupBox, -1, 232, 74, 88, 24, "Competition:", 0, 0});
    t.controls.push_back({K::RadioButton, 512, 236, 84, 28, 10, "Yes", C::kGroup, 0});
    t.controls.push_back({K::RadioButton, 513, 268, 84, 28, 10, "No", 0, 0});
    t.controls.push_back({K::GroupBox, -1, 232, 102, 88, 24, "Difficulty:", 0, 0});
    t.controls.push_back({K::RadioButton, 514, 236, 112, 22, 10, "E", C::kGroup, 0});
    t.controls.push_back({K::RadioButton, 515, 260, 112, 22, 10, "M", 0, 0});
    t.controls.push_back({K::RadioButton, 516, 284, 112, 22, 10, "H", 0, 0});
    t.controls.push_back(Label(232, 127, 48, "Workout:"));
    t.controls.push_back({K::ComboBox, 518, 232, 136, 88, 37, "", 0, 30});
    t.controls.push_back(Label(16, 166, 48, "Comments:"));
    t.controls.push_back({K::Edit, 511, 68, 164, 252, 24, "", C::kMultiLine, 256});
    t.controls.push_back(Button(101, 8, 16, C::kDefault));
    t.controls.push_back(Button(108, 56, 16));
    t.controls.push_back(Button(109, 104, 16));
    t.controls.push_back(Button(110, 152, 16));
    AddRightColumn(t, {102, 103, 104, 105});
    return t;
}

TDialogTemplate Calendar() {
    TDialogTemplate t = Page({Cell(0, 96), Cell(96, 96), Cell(192, 204), Centred(100, 4, 2, 88, 8),
                              Centred(517, 100, 2, 88, 8), WorkArea(), Divider(1, 200),
                              {K::Picture, 804, 191, 20, 137, 20, "", 0, 0}, Button(200, 8, 16, C::kDefault)});
    const int xs[] = {28, 71, 114, 156, 198, 246, 284};
    const int widths[] = {28, 28, 28, 32, 32, 22, 28};
    const char* const days[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int i = 0; i < 7; ++i) {
        t.controls.push_back(Centred(-1, xs[i], 50, widths[i], 8, days[i]));
    }
    AddRightColumn(t, {201, 202, 203, 204});
    return t;
}

// The three header cells of a view with a date range: selector, day type, and the range.
void AddRangeHeader(TDialogTemplate& t) {
    t.controls.push_back(Cell(0, 96));
    t.controls.push_back(Cell(96, 96));
    t.controls.push_back(Cell(192, 204));
    t.controls.push_back(Centred(102, 212, 2, 72, 8));
    t.controls.push_back(Label(288, 2, 7, "to:"));
    t.controls.push_back(Centred(103, 300, 2, 72, 8));
}

TDialogTemplate Graphs() {
    TDialogTemplate t = Page({});
    AddRangeHeader(t);
    t.controls.push_back(Centred(100, 4, 2, 88, 8));
    t.controls.push_back(Centred(101, 98, 2, 92, 8));
    t.controls.push_back(WorkArea());
    t.controls.push_back(Divider(1, 200));
    t.controls.push_back(Button(200, 8, 16, C::kDefault));
    t.controls.push_back(Button(304, 56, 16));
    t.controls.push_back(Button(300, 104, 16));
    t.controls.push_back(Button(301, 152, 16));
    t.controls.push_back(Button(302, 200, 16));
    t.controls.push_back(Button(303, 248, 16));
    AddRightColumn(t, {305, 306, 307, 308});
    return t;
}

TDialogTemplate Statistics() {
    TDialogTemplate t = Page({});
    AddRangeHeader(t);
    t.controls.push_back(Centred(101, 4, 2, 88, 8));
    t.controls.push_back(WorkArea());
    t.controls.push_back(Divider(5, 204));
    t.controls.push_back(Button(304, 8, 16, C::kDefault));
    AddRightColumn(t, {305, 306, 307, 308});
    return t;
}

TDialogTemplate Reports() {
    TDialogTemplate t = Page({});
    AddRangeHeader(t);
    t.controls.push_back(Centred(101, 4, 2, 88, 8));
    t.controls.push_back(Centred(412, 100, 2, 88, 8));
    t.controls.push_back(WorkArea());
    t.controls.push_back(Divider(5, 204));
    t.controls.push_back(Button(304, 8, 16, C::kDefault));
    t.controls.push_back(Button(400, 56, 16));
    t.controls.push_back(Button(401, 104, 16));
    t.controls.push_back(Button(402, 152, 16));
    t.controls.push_back(Button(403, 236, 16));
    t.controls.push_back(Button(404, 284, 16));
    t.controls.push_back(Label(16, 54, 40, "Title:"));
    t.controls.push_back({K::Edit, 405, 60, 52, 260, 12, "", 0, 80});
    t.controls.push_back(Label(16, 70, 40, "Comments:"));
    t.controls.push_back({K::Edit, 406, 60, 68, 260, 12, "", 0, 80});
    t.controls.push_back({K::RadioButton, 408, 16, 96, 70, 10, "Plain Text", C::kGroup, 0});
    t.controls.push_back({K::RadioButton, 409, 16, 110, 70, 10, "Graphics", 0, 0});
    t.controls.push_back({K::CheckBox, 410, 16, 128, 70, 10, "Title Page", 0, 0});
    t.controls.push_back({K::CheckBox, 411, 16, 142, 70, 10, "No. Pages", 0, 0});
    t.controls.push_back(Label(100, 86, 80, "Print Preview:"));
    t.controls.push_back({K::ListBox, 407, 100, 96, 220, 94, "", C::kHidden, 0});
    AddRightColumn(t, {305, 306, 307, 308});
    return t;
}

void RegisterSpeedMenus() {
    const std::vector<I> range = {I::Item("+ Start Date", 305), I::Item("- Start Date", 306),
                                  I::Item("+ End Date", 307), I::Item("- End Date", 308)};
    std::vector<I> graphs = {I::Item("Category", 200),   I::Item("Bar Graph", 300),
                             I::Item("Line Graph", 301), I::Item("Area Graph", 302),
                             I::Item("Moving Average Graph", 303), I::Item("Day Type", 304)};
    graphs.insert(graphs.end(), range.begin(), range.end());
    std::vector<I> stats = {I::Item("Day Type", 304)};
    stats.insert(stats.end(), range.begin(), range.end());
    std::vector<I> reports = {I::Item("Day Type", 304), I::Item("Preview", 400), I::Item("+ Page", 404),
                              I::Item("- Page", 403)};
    reports.insert(reports.end(), range.begin(), range.end());
    reports.push_back(I::Item("Print", 401));
    reports.push_back(I::Item("Create File", 402));
    TResources::AddMenu(
        res::kSpeedMenus,
        {I::Popup("Logbook Speed Menu",
                  {I::Item("Save Day ", 101), I::Item("Find     ", 109), I::Item("Calculate...", 110),
                   I::Item("+ One Day", 102), I::Item("- One Day", 103), I::Item("+ 30 Days", 104),
                   I::Item("- 30 Days", 105), I::Item("Erase Day", 108)}),
         I::Popup("Calendar Speed Menu",
                  {I::Item("Category", 200), I::Item("+ One Month", 201), I::Item("- One Month", 202),
                   I::Item("+ One Year", 203), I::Item("- One Year", 204)}),
         I::Popup("Graphs Speed Menu", graphs), I::Popup("Statistics Speed Menu", stats),
         I::Popup("Reports Speed Menu", reports)});
}

} // namespace

void ToolTemplates::Register() {
    TResources::AddDialog(res::kLogBookDialog, LogBook());
    TResources::AddDialog(res::kCalendarDialog, Calendar());
    TResources::AddDialog(res::kGraphsDialog, Graphs());
    TResources::AddDialog(res::kStatsDialog, Statistics());
    TResources::AddDialog(res::kReportsDialog, Reports());
    RegisterSpeedMenus();
}

int ToolTemplates::SpeedMenuIndex(int resourceId) {
    switch (resourceId) {
    case res::kLogBookDialog:
        return 0;
    case res::kCalendarDialog:
        return 1;
    case res::kGraphsDialog:
        return 2;
    case res::kStatsDialog:
        return 3;
    case res::kReportsDialog:
        return 4;
    default:
        return -1;
    }
}
