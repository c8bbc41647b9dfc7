#include "app/FindDialog.h"

#include "app/ClientWindow.h"
#include "app/LogBookDialog.h"
#include "app/ResourceIds.h"

namespace {

constexpr int kValue = 101;
constexpr int kFields = 102;
constexpr int kCompares = 103;
constexpr int kYes = 108;
constexpr int kNo = 109;
constexpr int kIgnore = 110;
constexpr int kEasy = 111;
constexpr int kModerate = 112;
constexpr int kHard = 113;
constexpr int kResults = 107;

} // namespace

FindDialog::FindDialog(ClientWindow& client) : ToolDialog(client, res::kFindDialog) {
    OnCommand(105, [this] { Search(); });
    OnCommand(106, [this] { GoToDay(); });
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
    ListSetSelection(kFields, 0);
    ListSetSelection(kCompares, 0);
    CheckDlgButton(kIgnore, true);
    for (const int id : {kEasy, kModerate, kHard}) {
        CheckDlgButton(id, false);
    }
}

FindQuery FindDialog::Criteria() const {
    FindQuery query;
    query.value = GetDlgItemText(kValue);
    query.field = ListSelection(kFields);
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
