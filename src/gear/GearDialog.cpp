#include "gear/GearDialog.h"

#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "gear/GearItemDialog.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "store/LogBookDatabase.h"

namespace {

std::int32_t TodayKey(ClientWindow& client) {
    DateValue today;
    client.Dates().Today(today);
    return client.Dates().KeyOfDate(today);
}

// The table of the open logbook's gear; empty, and said when asked, when it cannot be read.
ActivityStore::Outcome LoadTable(ClientWindow& client, GearTable& table) {
    table = GearTable();
    LogBookDatabase& database = client.Database();
    if (!database.IsOpen()) {
        return {};
    }
    ActivityStore store;
    const ActivityStore::Outcome opened = store.Open(database, false);
    if (!opened.Ok()) {
        return opened.code == ActivityStore::Code::Missing ? ActivityStore::Outcome{} : opened;
    }
    return GearTable::Load(database, store, TodayKey(client), table);
}

} // namespace

void GearDialog::RegisterTemplate() {
    using K = TControlKind;
    TDialogTemplate t;
    t.cx = 500;
    t.cy = 232;
    t.hasCaption = false;
    t.controls = {
        {K::Static, kHeader, 10, 6, 482, 8,
         "Name                  Distance      Time Uses  First use  Last use   Limit used         "
         "Worn out by",
         0, 0},
        {K::ListBox, kList, 8, 16, 484, 92, "", 0, 0},
        {K::CheckBox, kShowRetired, 8, 112, 120, 10, "Show retired gear", 0, 0},
        {K::Static, kWarning, 132, 113, 360, 8, "", 0, 0},
        {K::Static, kUsesTitle, 8, 128, 484, 8, kUsesHint, 0, 0},
        {K::ListBox, kUses, 8, 138, 484, 64, "", 0, 0},
        {K::Button, kAdd, 8, 210, 50, 14, "Add...", 0, 0},
        {K::Button, kChange, 63, 210, 50, 14, "Change...", 0, 0},
        {K::Button, kRetire, 118, 210, 50, 14, "Retire", 0, 0},
        {K::Button, kRemove, 173, 210, 50, 14, "Remove", 0, 0},
        {K::Button, ToolDialog::kIdCancel, 442, 210, 50, 14, "Close", 0, 0}};
    TResources::AddDialog(res::kGearDialog, t);
    GearItemDialog::RegisterTemplate();
}

GearDialog::GearDialog(ClientWindow& client) : ToolDialog(client, res::kGearDialog) {
    OnNotify(kList, Notify::ListSelChange, [this] { ShowSelected(); });
    OnNotify(kList, Notify::ListDoubleClick, [this] { ListUses(); });
    OnCommand(kShowRetired, [this] {
        const GearTable::Row* row = Selected(false);
        Reload(row ? row->item.id : 0);
    });
    OnCommand(kAdd, [this] { Edit(GearItem{}); });
    OnCommand(kChange, [this] {
        if (const GearTable::Row* row = Selected(true)) {
            Edit(row->item);
        }
    });
    OnCommand(kRetire, [this] { Retire(); });
    OnCommand(kRemove, [this] { Remove(); });
    OnMessage(res::kLogBookChanged, [this](std::uint64_t, std::int64_t) {
        const GearTable::Row* row = Selected(false);
        Reload(row ? row->item.id : 0);
        return 0;
    });
}

void GearDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    const TFont mono{"Courier New", 0, TFont::kNormal, false};
    SetControlFont(kHeader, mono);
    SetControlFont(kList, mono);
    SetControlFont(kUses, mono);
    Reload(0);
}

std::string GearDialog::Notice(ClientWindow& client) {
    GearTable table;
    if (!LoadTable(client, table).Ok()) {
        return {};
    }
    const std::vector<std::string> warnings = table.Warnings();
    if (warnings.empty()) {
        return {};
    }
    return warnings.size() == 1 ? warnings[0]
                                : warnings[0] + " (" + std::to_string(warnings.size() - 1) +
                                      " more in Tools > Gear)";
}

void GearDialog::Reload(std::int64_t select) {
    if (const ActivityStore::Outcome read = LoadTable(Client(), table); !read.Ok()) {
        TMessageBox::Show(this, read.words, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
    }
    const bool all = IsDlgButtonChecked(kShowRetired);
    ListClear(kList);
    shown.clear();
    int index = 0;
    for (const GearTable::Row& row : table.Rows()) {
        if (!all && !row.Active()) {
            continue;
        }
        if (row.item.id == select) {
            index = static_cast<int>(shown.size());
        }
        shown.push_back(row.item.id);
        ListAddString(kList, table.Line(row));
    }
    ListFitHorizontalExtent(kList);
    if (!shown.empty()) {
        ListSetSelection(kList, index);
    }
    ShowSelected();
}

const GearTable::Row* GearDialog::Selected(bool say) {
    const int index = ListSelection(kList);
    const GearTable::Row* row = index >= 0 && index < static_cast<int>(shown.size())
                                    ? table.Find(shown[static_cast<std::size_t>(index)])
                                    : nullptr;
    if (!row && say) {
        TMessageBox::Show(this, kNoSelection, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
    }
    return row;
}

void GearDialog::ShowSelected() {
    const GearTable::Row* row = Selected(false);
    SetDlgItemText(kWarning, row ? table.WarningText(*row) : "");
    ListClear(kUses);
    SetDlgItemText(kUsesTitle, kUsesHint);
}

void GearDialog::ListUses() {
    const GearTable::Row* row = Selected(false);
    if (!row) {
        return;
    }
    ListClear(kUses);
    for (const GearTable::Use& use : row->uses) {
        ListAddString(kUses, table.UseLine(use));
    }
    SetDlgItemText(kUsesTitle, GearTable::UsesTitle(*row));
}

bool GearDialog::Store(const std::function<ActivityStore::Outcome(GearStore&)>& change) {
    ActivityStore store;
    ActivityStore::Outcome outcome = store.Open(Client().Database(), true);
    if (outcome.Ok() || outcome.code == ActivityStore::Code::Missing) {
        GearStore gear(store);
        outcome = change(gear);
    }
    if (!outcome.Ok()) {
        TMessageBox::Show(this, "The gear was not changed: " + outcome.words, "MESSAGE",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        return false;
    }
    return true;
}

void GearDialog::Edit(GearItem item) {
    std::vector<std::string> taken;
    for (const GearTable::Row& row : table.Rows()) {
        if (row.item.id != item.id) {
            taken.push_back(row.item.name);
        }
    }
    if (GearItemDialog(this, item, table.Unit(), taken).Execute() != TDialog::kIdOk) {
        return;
    }
    // One default a sport: the new one takes over from the others.
    if (!item.defaultFor.empty() && !Store([&](GearStore& gear) {
            for (const GearTable::Row& row : table.Rows()) {
                if (row.item.id != item.id && row.item.defaultFor == item.defaultFor) {
                    GearItem other = row.item;
                    other.defaultFor.clear();
                    if (const ActivityStore::Outcome saved = gear.Save(other); !saved.Ok()) {
                        return saved;
                    }
                }
            }
            return ActivityStore::Outcome{};
        })) {
        return;
    }
    Store([&](GearStore& gear) { return gear.Save(item); });
    Reload(item.id);
}

void GearDialog::Retire() {
    const GearTable::Row* row = Selected(true);
    if (!row) {
        return;
    }
    if (!row->Active()) {
        TMessageBox::Show(this, row->item.name + " is retired already.", "MESSAGE",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        return;
    }
    GearItem item = row->item;
    item.retired = TodayKey(Client());
    if (item.firstUse > item.retired) {
        item.retired = item.firstUse;
    }
    item.defaultFor.clear();
    Store([&](GearStore& gear) { return gear.Save(item); });
    Reload(item.id);
}

void GearDialog::Remove() {
    const GearTable::Row* row = Selected(true);
    if (!row) {
        return;
    }
    const std::string question = "Remove " + row->item.name + "? Its " +
                                 std::to_string(row->uses.size()) +
                                 " activities keep their figures but no longer count for it. "
                                 "Retire it instead to keep its history.";
    if (TMessageBox::Show(this, question, "Remove Gear", TMessageBox::Buttons::YesNo,
                          TMessageBox::Icon::Question) != TMessageBox::kIdYes) {
        return;
    }
    const std::int64_t id = row->item.id;
    Store([&](GearStore& gear) { return gear.Remove(id); });
    Reload(0);
}
