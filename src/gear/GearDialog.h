#pragma once
// Gear (dialog 17, Tools > Gear...): the items in use with what each has done (GearTable),
// a bar of its limit used and the day it is likely to reach it, the retired ones behind a
// check box; add, change, retire and remove (asked first) an item; a double click lists
// the activities and the days without activities that carry it. Every change is stored at once in
// the activities file.

#include "gear/GearTable.h"
#include "shell/ToolDialog.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class GearDialog : public ToolDialog {
public:
    static constexpr int kList = 101;
    static constexpr int kShowRetired = 102;
    static constexpr int kWarning = 103;
    static constexpr int kUses = 104;
    static constexpr int kUsesTitle = 105;
    static constexpr int kAdd = 106;
    static constexpr int kChange = 107;
    static constexpr int kRetire = 108;
    static constexpr int kRemove = 109;
    static constexpr int kHeader = 110;
    static constexpr const char* kUsesHint =
        "Double-click gear to list its activities and the days without activities it carries.";
    static constexpr const char* kNoSelection = "Choose the gear in the list first.";

    explicit GearDialog(ClientWindow& client);
    static void RegisterTemplate();
    // What the status bar says as a logbook opens: its gear's warnings, or nothing.
    static std::string Notice(ClientWindow& client);

    const GearTable& Table() const { return table; }
    // The ids of the items the list shows, in its order.
    const std::vector<std::int64_t>& Shown() const { return shown; }

protected:
    void SetupWindow() override;

private:
    void Reload(std::int64_t select);
    void ShowSelected();
    void ListUses();
    const GearTable::Row* Selected(bool say);
    void Edit(GearItem item);
    void Retire();
    void Remove();
    // Stores a change through a store opened to write; false once a failure was said.
    bool Store(const std::function<ActivityStore::Outcome(GearStore&)>& change);

    GearTable table;
    std::vector<std::int64_t> shown;
};
