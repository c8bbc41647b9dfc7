#include "shell/ToolRegistry.h"

#include "framework/TDialog.h"
#include "framework/TMDIClient.h"
#include "shell/ChildWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "shell/WindowList.h"

namespace {

std::map<int, ToolRegistry::ToolMaker>& Makers() {
    static std::map<int, ToolRegistry::ToolMaker> makers;
    return makers;
}

std::map<int, ToolRegistry::FileCommand>& Commands() {
    static std::map<int, ToolRegistry::FileCommand> commands;
    return commands;
}

std::vector<ToolRegistry::OpenedNotice>& Notices() {
    static std::vector<ToolRegistry::OpenedNotice> notices;
    return notices;
}

// Teardown goes in this order too.
constexpr ToolRegistry::ToolInfo kTools[] = {
    {res::kLogBookDialog, cmd::kLogBook, "Log Book", res::kLogBookIcon},
    {res::kCalendarDialog, cmd::kCalendar, "Calendar", res::kCalendarIcon},
    {res::kGraphsDialog, cmd::kGraphs, "Graphs", res::kGraphsIcon},
    {res::kStatsDialog, cmd::kStatistics, "Statistics", res::kStatsIcon},
    {res::kReportsDialog, cmd::kReports, "Reports", res::kReportsIcon},
    {res::kSummaryDialog, cmd::kSummary, "Summary", res::kSummaryIcon},
    {res::kTrainingLoadDialog, cmd::kTrainingLoad, "Training Load", res::kTrainingLoadIcon},
    {res::kGearDialog, cmd::kGear, "Gear", res::kGearIcon},
    {res::kRecordsDialog, cmd::kRecords, "Records", res::kRecordsIcon},
    {res::kHRateDialog, cmd::kHeartRate, nullptr, 0},
    {res::kCalculatorDialog, cmd::kCalculator, nullptr, 0},
    {res::kFindDialog, 0, nullptr, 0},
    {res::kCalcDTPDialog, 0, nullptr, 0},
};

} // namespace

std::span<const ToolRegistry::ToolInfo> ToolRegistry::Tools() {
    return kTools;
}

const ToolRegistry::ToolInfo* ToolRegistry::Info(int resourceId) {
    for (const ToolInfo& info : kTools) {
        if (info.resourceId == resourceId) {
            return &info;
        }
    }
    return nullptr;
}

void ToolRegistry::RegisterTool(int id, ToolMaker maker) {
    Makers()[id] = std::move(maker);
}
void ToolRegistry::ClearTools() {
    Makers().clear();
    Notices().clear();
}
bool ToolRegistry::Available(int id) {
    return Makers().count(id) != 0;
}
void ToolRegistry::RegisterFileCommand(FileCommand command) {
    const int id = command.command;
    Commands()[id] = std::move(command);
}
const std::map<int, ToolRegistry::FileCommand>& ToolRegistry::FileCommands() {
    return Commands();
}
void ToolRegistry::RegisterOpenedNotice(OpenedNotice notice) {
    Notices().push_back(std::move(notice));
}
const std::vector<ToolRegistry::OpenedNotice>& ToolRegistry::OpenedNotices() {
    return Notices();
}

ToolRegistry::ToolRegistry(ClientWindow& client, TMDIClient& area, WindowList& windows)
    : client(client), area(area), windows(windows) {}

ToolRegistry::~ToolRegistry() = default;

void ToolRegistry::CloseAll() {
    // Each tool tells the client that it closed, which comes back here.
    for (const ToolInfo& info : kTools) {
        const auto found = toolSlots.find(info.resourceId);
        if (found == toolSlots.end() || !found->second.open) {
            continue;
        }
        if (TWindow* child = found->second.child) {
            child->Destroy(TWindow::kIdCancel);
        } else if (TWindow* dialog = found->second.dialog) {
            dialog->Destroy(TWindow::kIdCancel);
        }
    }
}

void ToolRegistry::ClosePopups() {
    for (auto& [id, slot] : toolSlots) {
        if (slot.open && slot.dialog && !slot.child) {
            slot.dialog->Destroy(TWindow::kIdCancel);
        }
    }
}

void ToolRegistry::OpenAllMdiTools() {
    for (const ToolInfo& info : kTools) {
        if (info.title) {
            OpenTool(info.resourceId);
        }
    }
}

void ToolRegistry::Refresh(bool includeLogBook) {
    for (const ToolInfo& info : kTools) {
        const int id = info.resourceId;
        if (!info.title || (id == res::kLogBookDialog && !includeLogBook)) {
            continue;
        }
        if (TDialog* dialog = Tool(id)) {
            dialog->SendMessage(res::kLogBookChanged, 0, 0);
        }
    }
}

bool ToolRegistry::IsOpen(int id) const {
    const auto found = toolSlots.find(id);
    return found != toolSlots.end() && found->second.open;
}

TDialog* ToolRegistry::Tool(int id) const {
    const auto found = toolSlots.find(id);
    return found == toolSlots.end() || !found->second.open ? nullptr : found->second.dialog;
}

bool ToolRegistry::AnyMdiToolOpen() const {
    for (const ToolInfo& info : kTools) {
        if (info.title && IsOpen(info.resourceId)) {
            return true;
        }
    }
    return false;
}

bool ToolRegistry::AllMdiToolsOpen() const {
    // A tool the program did not register cannot be opened, so it is never waited for.
    for (const ToolInfo& info : kTools) {
        if (info.title && Available(info.resourceId) && !IsOpen(info.resourceId)) {
            return false;
        }
    }
    return true;
}

void ToolRegistry::OpenTool(int id) {
    const ToolInfo* info = Info(id);
    if (!info) {
        return;
    }
    ToolSlot& slot = toolSlots[id];
    if (!slot.open) {
        const auto maker = Makers().find(id);
        TDialog* dialog = maker == Makers().end() ? nullptr : maker->second(client);
        if (!dialog) {
            return;
        }
        dialog->SetDeleteOnDestroy(true);
        if (info->title) { // a large tool, in a child window of the client area
            auto* child = new ChildWindow(area, info->title, dialog, info->icon);
            child->CenterIn(&area);
            child->SetDeleteOnDestroy(true);
            slot = {dialog, child, true};
            windows.Add(child->Handle(), id);
        } else {
            slot = {dialog, nullptr, true};
            dialog->Create();
            dialog->CenterIn(nullptr);
            dialog->Show(TShowMode::Normal);
        }
    }
    if (slot.child) {
        area.ActivateChild(*slot.child);
        slot.child->BringToTop();
    } else if (slot.dialog) {
        slot.dialog->BringToTop();
    }
    TWindow::CommandStateChanged();
}

void ToolRegistry::Closed(int id) {
    const auto found = toolSlots.find(id);
    if (found == toolSlots.end()) {
        return;
    }
    const bool mdi = found->second.child != nullptr;
    found->second = ToolSlot{};
    if (mdi) {
        windows.Remove(id);
    }
    TWindow::CommandStateChanged();
}

void ToolRegistry::Cycle(bool forward) {
    TMDIChild* top = area.TopChild();
    if (!top) {
        return;
    }
    const WindowList::Node* node =
        forward ? windows.Next(top->Handle()) : windows.Previous(top->Handle());
    if (!node) {
        return;
    }
    if (auto* child = dynamic_cast<TMDIChild*>(TWindow::FromHandle(node->handle))) {
        area.ActivateChild(*child);
        child->BringToTop();
    }
}

ToolRegistry::ToolMemory&
ToolRegistry::Memory(int resourceId, const std::function<std::unique_ptr<ToolMemory>()>& make) {
    std::unique_ptr<ToolMemory>& memory = memories[resourceId];
    if (!memory) {
        memory = make();
    }
    return *memory;
}

void ToolRegistry::ForgetStoredChanges() {
    for (auto& [id, memory] : memories) {
        memory->Forget();
    }
}
