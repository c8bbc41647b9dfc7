#include "shell/ToolPage.h"

#include "framework/TResources.h"
#include "shell/ResourceIds.h"

#include <map>

namespace {

using K = TControlKind;
using C = TControlTemplate;

// The popups of menu 1101 in their order: Logbook, Calendar, Graphs, Statistics, Reports,
// Summary, Training Load, Records.
constexpr int kSpeedMenuOrder[] = {
    res::kLogBookDialog, res::kCalendarDialog, res::kGraphsDialog,       res::kStatsDialog,
    res::kReportsDialog, res::kSummaryDialog,  res::kTrainingLoadDialog, res::kRecordsDialog};

std::map<int, TMenuItem>& SpeedMenus() {
    static std::map<int, TMenuItem> popups;
    return popups;
}

} // namespace

TDialogTemplate ToolPage::Page(std::initializer_list<TControlTemplate> controls) {
    TDialogTemplate t;
    t.cx = 396;
    t.cy = 204;
    t.hasCaption = false;
    t.controls = controls;
    return t;
}

TControlTemplate ToolPage::Button(int id, int x, int y, unsigned style) {
    return {K::BitmapButton, id, x, y, 44, 26, "", style, 0};
}

TControlTemplate ToolPage::Centred(int id, int x, int y, int cx, int cy, const char* text) {
    return {K::Static, id, x, y, cx, cy, text, C::kCentered, 0};
}

TControlTemplate ToolPage::Label(int x, int y, int cx, const char* text) {
    return {K::Static, -1, x, y, cx, 8, text, 0, 0};
}

TControlTemplate ToolPage::Cell(int x, int cx) {
    return {K::ShadedCell, -1, x, 0, cx, 12, "", 0, 0};
}

TControlTemplate ToolPage::Divider(int cx, int cy) {
    return {K::DipLine, -1, 336, 12, cx, cy, "", 0, 0};
}

TControlTemplate ToolPage::WorkArea() {
    return {K::GroupBox, -1, 8, 44, 320, 152, "", 0, 0};
}

void ToolPage::AddRightColumn(TDialogTemplate& t, std::initializer_list<int> ids) {
    int y = 48;
    for (const int id : ids) {
        t.controls.push_back(Button(id, 344, y));
        y += 28;
    }
    t.controls.push_back(Button(kCloseButton.id, 344, 172));
}

void ToolPage::AddRangeHeader(TDialogTemplate& t, int fromId, int toId) {
    t.controls.push_back(Cell(0, 96));
    t.controls.push_back(Cell(96, 96));
    t.controls.push_back(Cell(192, 204));
    t.controls.push_back(Centred(fromId, 212, 2, 72, 8));
    t.controls.push_back(Label(288, 2, 7, "to:"));
    t.controls.push_back(Centred(toId, 300, 2, 72, 8));
}

TMenuItem ToolPage::SpeedMenu(const char* title, std::span<const ToolButton> buttons) {
    std::vector<TMenuItem> items;
    for (const ToolButton& b : buttons) {
        if (b.menuText) {
            items.push_back(TMenuItem::Item(b.menuText, b.id));
        }
    }
    return TMenuItem::Popup(title, std::move(items));
}

void ToolPage::AddSpeedMenu(int resourceId, TMenuItem popup) {
    SpeedMenus().insert_or_assign(resourceId, std::move(popup));
    // Every popup keeps its place; a tool that has not registered yet leaves an empty one.
    std::vector<TMenuItem> popups;
    for (const int id : kSpeedMenuOrder) {
        const auto found = SpeedMenus().find(id);
        popups.push_back(found != SpeedMenus().end() ? found->second : TMenuItem::Popup("", {}));
    }
    TResources::AddMenu(res::kSpeedMenus, std::move(popups));
}

int ToolPage::SpeedMenuIndex(int resourceId) {
    for (int i = 0; i < static_cast<int>(std::size(kSpeedMenuOrder)); ++i) {
        if (kSpeedMenuOrder[i] == resourceId) {
            return i;
        }
    }
    return -1;
}
