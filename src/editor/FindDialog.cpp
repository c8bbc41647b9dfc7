#include "editor/FindDialog.h"

#include "editor/LogBookDialog.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"

void FindDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    const auto label = [](int x, int y, int cx, const char* text) {
        return TControlTemplate{K::Static, -1, x, y, cx, 8, text, 0, 0};
    };
    TDialogTemplate t;
    t.cx = 300;
    t.cy = 196;
    t.caption = "Find";
    t.controls = {
        label(8, 8, 60, "Field:"),
        {K::DropDownList, kFields, 8, 18, 90, 120, "", 0, 0},
        label(104, 8, 60, "Compare:"),
        {K::DropDownList, kCompares, 104, 18, 104, 80, "", 0, 0},
        label(214, 8, 60, "Value:"),
        {K::Edit, kValue, 214, 18, 78, 12, "", 0, kValueLimit},
        {K::GroupBox, -1, 8, 36, 136, 28, "Competition:", 0, 0},
        {K::RadioButton, kYes, 16, 48, 36, 10, "Yes", C::kGroup, 0},
        {K::RadioButton, kNo, 54, 48, 32, 10, "No", 0, 0},
        {K::RadioButton, kIgnore, 90, 48, 48, 10, "Ignore", 0, 0},
        {K::GroupBox, -1, 156, 36, 136, 28, "Difficulty:", 0, 0},
        {K::CheckBox, kEasy, 164, 48, 38, 10, "Easy", 0, 0},
        {K::CheckBox, kModerate, 204, 48, 38, 10, "Mod.", 0, 0},
        {K::CheckBox, kHard, 244, 48, 40, 10, "Hard", 0, 0},
        label(8, 70, 80, "Search Results:"),
        {K::ListBox, kResults, 8, 80, 284, 88, "", 0, 0},
        {K::Button, kFind, 8, 174, 50, 14, "Find", C::kDefault, 0},
        {K::Button, kGoToDay, 64, 174, 50, 14, "Goto Day", 0, 0},
    };
    TResources::AddDialog(res::kFindDialog, t);
}

FindDialog::FindDialog(ClientWindow& client) : ToolDialog(client, res::kFindDialog) {
    OnCommand(kFind, [this] { Search(); });
    OnCommand(kGoToDay, [this] { GoToDay(); });
    OnNotify(kResults, Notify::ListDoubleClick, [this] { GoToDay(); });
}

void FindDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    ListSetHorizontalExtent(kResults, 800);
    for (const char* line : FindQuery::kFieldLines) {
        ListAddString(kFields, line);
    }
    for (const char* line : FindQuery::kCompareLines) {
        ListAddString(kCompares, line);
    }
    ListSetSelection(kFields, FindQuery::kDistance);
    ListSetSelection(kCompares, 0);
    CheckDlgButton(kIgnore, true);
    for (const int id : {kEasy, kModerate, kHard}) {
        CheckDlgButton(id, false);
    }
}

FindQuery FindDialog::Criteria() const {
    FindQuery query;
    query.value = GetDlgItemText(kValue);
    query.field = static_cast<FindQuery::Field>(ListSelection(kFields));
    query.compare = ListSelection(kCompares);
    query.competition = IsDlgButtonChecked(kYes) ? 'Y' : IsDlgButtonChecked(kNo) ? 'N' : 0;
    query.difficulty = (IsDlgButtonChecked(kEasy) ? FindQuery::kEasy : 0) |
                       (IsDlgButtonChecked(kModerate) ? FindQuery::kModerate : 0) |
                       (IsDlgButtonChecked(kHard) ? FindQuery::kHard : 0);
    return query;
}

void FindDialog::Search() {
    ListClear(kResults);
    results.clear();
    FindQuery::Found found;
    Criteria().Search(Client().Database(), Client().Dates(), found);
    results = std::move(found.keys);
    for (const std::string& line : found.lines) {
        ListAddString(kResults, line);
    }
}

void FindDialog::GoToDay() {
    const int line = ListSelection(kResults);
    if (line < 0 || line >= static_cast<int>(results.size())) {
        return;
    }
    const std::int32_t key = results[static_cast<std::size_t>(line)];
    if (!Client().IsToolOpen(res::kLogBookDialog)) {
        Client().OpenLogBook();
    }
    if (TDialog* editor = Client().Tool(res::kLogBookDialog)) {
        editor->SendMessage(LogBookDialog::kGoToDayMessage, 0, key);
    }
}
