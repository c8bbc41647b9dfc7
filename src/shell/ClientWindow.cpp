#include "shell/ClientWindow.h"

#include "activities/ActivityImportDialog.h"
#include "activities/ActivityReadingDialog.h"
#include "framework/TApplication.h"
#include "framework/TDecoratedMDIFrame.h"
#include "framework/THelpViewer.h"
#include "framework/TMDIChild.h"
#include "framework/TMessageBox.h"
#include "framework/TStatusBar.h"
#include "shell/AboutDialog.h"
#include "shell/ChildWindow.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/OpenFileDialog.h"
#include "shell/ResourceIds.h"
#include "shell/RestoreBackupDialog.h"
#include "shell/ScreenDumpPrintout.h"
#include "shell/Settings.h"
#include "shell/TitleDialog.h"

#include <filesystem>
#include <strings.h>

namespace {

std::map<int, ClientWindow::ToolMaker>& Makers() {
    static std::map<int, ClientWindow::ToolMaker> makers;
    return makers;
}

TDialog* MakeTool(ClientWindow& client, int id) {
    const auto found = Makers().find(id);
    return found == Makers().end() ? nullptr : found->second(client);
}

bool& TitleScreenEnabled() {
    static bool enabled = true;
    return enabled;
}

} // namespace

// In the order of the window list's cycle, then the pop-ups; teardown goes in this order too.
const ClientWindow::ToolInfo ClientWindow::kTools[] = {
    {res::kLogBookDialog, cmd::kLogBook, "Log Book", res::kLogBookIcon},
    {res::kCalendarDialog, cmd::kCalendar, "Calendar", res::kCalendarIcon},
    {res::kGraphsDialog, cmd::kGraphs, "Graphs", res::kGraphsIcon},
    {res::kStatsDialog, cmd::kStatistics, "Statistics", res::kStatsIcon},
    {res::kReportsDialog, cmd::kReports, "Reports", res::kReportsIcon},
    {res::kHRateDialog, cmd::kHeartRate, nullptr, 0},
    {res::kCalculatorDialog, cmd::kCalculator, nullptr, 0},
    {res::kFindDialog, 0, nullptr, 0},
    {res::kCalcDTPDialog, 0, nullptr, 0},
};

const ClientWindow::ToolInfo* ClientWindow::Info(int resourceId) {
    for (const ToolInfo& info : kTools) {
        if (info.resourceId == resourceId) {
            return &info;
        }
    }
    return nullptr;
}

void ClientWindow::RegisterTool(int id, ToolMaker maker) {
    Makers()[id] = std::move(maker);
}
void ClientWindow::ClearTools() {
    Makers().clear();
}
void ClientWindow::SetTitleScreenEnabled(bool enabled) {
    TitleScreenEnabled() = enabled;
}

std::string ClientWindow::DefaultLogBookPath() {
    std::error_code error;
    return (std::filesystem::current_path(error) / "logBooks" / "mylog.vrl").string();
}

ClientWindow::ClientWindow(TProfile& profile, const std::string& startLogBook) : profile(profile) {
    dateUtility = std::make_unique<DateUtility>();
    database = std::make_unique<LogBookDatabase>(*this, *dateUtility);
    database->BackUpBeforeChanges(
        [this](const LogBookBackups::BackupStatus& status) { BackUpBeforeChange(status); });
    windowList = std::make_unique<WindowList>();
    printUtility = std::make_unique<PrintUtility>([this] { return logBookPath; });
    RegisterCommands();
    RegisterEnablers();

    // A settings file that cannot be used is said once and never written over.
    if (const std::string problem = profile.Problem(); !problem.empty()) {
        ReportError(("Settings file " + profile.Path() + " " + problem + "; the defaults are used.")
                        .c_str());
    }
    // The version is read into 29 characters (28 and the end), the room it has always had;
    // it is only compared with "NONE", so a longer value cut short is no harm.
    const std::string version =
        profile.GetString(Settings::kSection, Settings::kVersionKey, Settings::kNoVersion, 29);
    if (::strcasecmp(version.c_str(), Settings::kNoVersion) == 0) {
        profile.WriteString(Settings::kSection, Settings::kVersionKey, Settings::kVersion);
    }
    if (!startLogBook.empty() && OpenAndRemember(startLogBook)) {
        return;
    }
    logBookPath =
        profile.GetString(Settings::kSection, Settings::kLogBookKey, DefaultLogBookPath(), 512);
    // An empty setting names no logbook: the default applies.
    if (logBookPath.empty()) {
        logBookPath = DefaultLogBookPath();
    }
    // Only the default logbook's folder is made, so the logbook can be created there; a
    // configured folder that is missing (an unplugged drive) is reported by the store.
    if (logBookPath == DefaultLogBookPath()) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(logBookPath).parent_path(),
                                            error);
    }
    database->Open(logBookPath);
}

ClientWindow::~ClientWindow() {
    // The tools go first: each tells this window that it closed.
    for (const ToolInfo& info : kTools) {
        const auto found = tools.find(info.resourceId);
        if (found == tools.end() || !found->second.open) {
            continue;
        }
        if (TWindow* child = found->second.child) {
            child->Destroy(kIdCancel);
        } else if (TWindow* dialog = found->second.dialog) {
            dialog->Destroy(kIdCancel);
        }
    }
    THelpViewer::Close();
    if (database) {
        database->Close();
    }
    database.reset();
    dateUtility.reset();
    windowList.reset();
    printUtility.reset();
}

void ClientWindow::RegisterCommands() {
    OnCommand(cmd::kOpen, [this] { OpenLogBookFile(); });
    OnCommand(cmd::kRestoreBackup, [this] { RestoreFromBackup(); });
    OnCommand(cmd::kImportActivities, [this] { ChooseActivityFiles(); });
    OnCommand(cmd::kPrint, [this] { PrintActiveWindow(); });
    OnCommand(cmd::kPrinterSetup, [this] { printUtility->Setup(*this); });
    OnCommand(cmd::kExit, [this] {
        if (TWindow* frame = Parent()) {
            frame->CloseWindow(0);
        }
    });
    OnCommand(cmd::kOpenAll, [this] {
        for (const ToolInfo& info : kTools) {
            if (info.title) {
                OpenTool(info.resourceId);
            }
        }
    });
    OnCommand(cmd::kNextWindow, [this] { Cycle(true); });
    OnCommand(cmd::kPreviousWindow, [this] { Cycle(false); });
    OnCommand(cmd::kCloseAll, [this] { CloseChildren(); });
    for (const ToolInfo& info : kTools) {
        if (info.command != 0) {
            OnCommand(info.command, [this, id = info.resourceId] { OpenTool(id); });
        }
    }
    OnCommand(cmd::kShowToolBar, [this] { ShowToolBar(true); });
    OnCommand(cmd::kHideToolBar, [this] { ShowToolBar(false); });
    OnCommand(cmd::kCascade, [this] { CascadeChildren(); });
    OnCommand(cmd::kTileHorizontal, [this] { TileChildren(true); });
    OnCommand(cmd::kTileVertical, [this] { TileChildren(false); });
    OnCommand(cmd::kAbout, [this] {
        AboutDialog about(this);
        about.Execute();
    });
    OnCommand(cmd::kProductFeatures, [this] { THelpViewer::Show(this, "VRL1.HLP"); });
    OnCommand(cmd::kHelpContents, [this] { THelpViewer::Show(this, "VRL.HLP"); });
}

// Every command whose state depends on the windows; the rest are always enabled.
void ClientWindow::RegisterEnablers() {
    for (const int command : {cmd::kPrint, cmd::kNextWindow, cmd::kPreviousWindow, cmd::kCloseAll,
                              cmd::kCascade, cmd::kTileHorizontal, cmd::kTileVertical}) {
        OnCommandEnable(command, [this] { return AnyMdiToolOpen(); });
    }
    OnCommandEnable(cmd::kOpenAll, [this] { return !AllMdiToolsOpen(); });
    // A pop-up's command is off while it is open, or when the program has no such tool.
    for (const ToolInfo& info : kTools) {
        if (info.command != 0 && !info.title) {
            OnCommandEnable(info.command, [this, id = info.resourceId] {
                return !IsToolOpen(id) && ToolAvailable(id);
            });
        }
    }
    OnCommandEnable(cmd::kShowToolBar, [this] { return !ToolBarShown(); });
    OnCommandEnable(cmd::kHideToolBar, [this] { return ToolBarShown(); });
}

void ClientWindow::SetupWindow() {
    TMDIClient::SetupWindow();
    if (auto* frame = dynamic_cast<TDecoratedMDIFrame*>(Parent())) {
        frame->OnFilesDropped(
            [this](const std::vector<std::string>& paths) { ImportActivities(paths); });
    }
}

void ClientWindow::EvSize(TSize) {
    if (!sized) {
        sized = true;
        SetTimer(res::kTitleTimer, 100);
    }
}

void ClientWindow::EvTimer(int id) {
    if (id != res::kTitleTimer) {
        return;
    }
    KillTimer(res::kTitleTimer);
    if (TitleScreenEnabled()) {
        TitleDialog title(this);
        title.Execute();
    }
}

void ClientWindow::CleanupWindow() {
    for (auto& [id, slot] : tools) {
        if (slot.open && slot.dialog && !slot.child) {
            slot.dialog->Destroy(kIdCancel); // pop-ups go with the client
        }
    }
}

std::string ClientWindow::ErrorText(const char* message) {
    std::string text = "\n\nERROR:  \"";
    text += std::string(message ? message : "").substr(0, 243);
    text += "\"";
    return text;
}

void ClientWindow::ReportError(const char* message) {
    TMessageBox::Show(this, ErrorText(message), "MESSAGE", TMessageBox::Buttons::Ok,
                      TMessageBox::Icon::Exclamation);
}

int ClientWindow::SelectFile(std::string& result, unsigned flags, const std::string& pattern,
                             const std::string& defaultExt, const std::string& initialDir,
                             const std::string& initialName, const std::string& filter) {
    TFileOpenDialog::TData data;
    data.flags = flags;
    data.fileName = initialName.substr(0, 260);
    data.filter = filter;
    data.customFilter = pattern;
    data.filterIndex = 1;
    data.initialDir = initialDir;
    data.defaultExt = defaultExt;
    OpenFileDialog dialog(this, data);
    if (dialog.Execute() != TFileOpenDialog::kIdOk || data.fileName.empty()) {
        return 0;
    }
    result = data.fileName.substr(0, 511);
    return 1;
}

void ClientWindow::OpenLogBookFile() {
    std::error_code error;
    const std::string folder = (std::filesystem::current_path(error) / "logBooks").string() + "/";
    std::string chosen;
    if (SelectFile(chosen, 0x2804, "*.vrl", "vrl", folder, "", "Veloria (*.vrl)|*.vrl|") != 1) {
        return;
    }
    // The Log Book asks about its unsaved days first: Yes stores them, No lets them go,
    // Cancel keeps this logbook.
    if (TDialog* editor = Tool(res::kLogBookDialog); editor && !editor->QueryClose()) {
        return;
    }
    // The setting and the title change only once the new logbook is open; otherwise the
    // old one stays open under its own name.
    const bool hadOne = database->IsOpen();
    if (database->Close() == LogBookDatabase::Result::Ok) {
        if (!OpenAndRemember(chosen) && hadOne) {
            database->Open(logBookPath);
        }
        if (TWindow* frame = Parent()) {
            frame->SetCaption(Title());
        }
        ForgetStoredChanges();
    }
    RefreshToolWindows(true);
}

void ClientWindow::ForgetStoredChanges() {
    for (auto& [id, memory] : memories) {
        memory->Forget();
    }
}

ClientWindow::ToolMemory&
ClientWindow::Memory(int resourceId, const std::function<std::unique_ptr<ToolMemory>()>& make) {
    std::unique_ptr<ToolMemory>& memory = memories[resourceId];
    if (!memory) {
        memory = make();
    }
    return *memory;
}

void ClientWindow::RestoreFromBackup() {
    // The Log Book's unsaved days first, as File > Open asks: Yes stores them (and so they
    // are in the backup the restore makes), No lets them go, Cancel keeps the logbook as is.
    if (TDialog* editor = Tool(res::kLogBookDialog); editor && !editor->QueryClose()) {
        return;
    }
    std::string unreadable;
    std::vector<LogBookBackups::Backup> listed = LogBookBackups().List(logBookPath, unreadable);
    RestoreBackupDialog dialog(this, logBookPath, std::move(listed), unreadable,
                               [this](const std::string& backup, DayChanges& changes) {
                                   return database->CompareWithBackup(backup, changes);
                               });
    if (dialog.Execute() != TDialog::kIdOk || dialog.Chosen().empty()) {
        return;
    }
    // The store restores under the lock it holds, so no other program takes the logbook.
    const LogBookBackups::RestoreStatus restored = database->Restore(dialog.Chosen());
    if (!restored.Is(LogBookBackups::RestoreOutcome::Restored)) {
        ReportError(restored.Words().c_str());
        return;
    }
    // The stored changes of this run belong to the days the restore replaced.
    ForgetStoredChanges();
    RefreshToolWindows(true);
    ShowStatus("Restored the backup " + dialog.Chosen() +
               (restored.File().empty()
                    ? "."
                    : "; the days before are in the backup " + restored.File() + ".") +
               (restored.Words().empty() ? "" : " " + restored.Words()));
}

void ClientWindow::ChooseActivityFiles() {
    TFileOpenDialog::TData data;
    data.flags = TFileOpenDialog::kAllowMultiSelect | TFileOpenDialog::kFileMustExist |
                 TFileOpenDialog::kHideReadOnly;
    data.filter = "Activity files|*.fit;*.gpx;*.tcx;*.fit.gz;*.gpx.gz;*.tcx.gz;*.FIT;*.GPX;*.TCX;"
                  "*.FIT.GZ;*.GPX.GZ;*.TCX.GZ|All files (*)|*|";
    data.filterIndex = 1;
    OpenFileDialog dialog(this, data, "Import Activities");
    if (dialog.Execute() == TFileOpenDialog::kIdOk) {
        ImportActivities(data.fileNames);
    }
}

void ClientWindow::ImportActivities(const std::vector<std::string>& operands) {
    if (operands.empty()) {
        return;
    }
    if (!database->IsOpen()) {
        ReportError("No logbook is open to import into: open one with File > Open.");
        return;
    }
    // The Log Book's unsaved days first, as File > Open asks, so the preview weighs the
    // files against the days as stored.
    if (TDialog* editor = Tool(res::kLogBookDialog); editor && !editor->QueryClose()) {
        return;
    }
    ActivityImportPlan plan;
    {
        const TApplication::Busy busy;
        ActivityReadingDialog reading(this);
        const bool whole = plan.Read(operands, [&reading](std::size_t done, std::size_t total) {
            return reading.Step(done, total);
        });
        reading.Finish();
        if (!whole) {
            ShowStatus("The import was cancelled; nothing was stored.");
            return;
        }
    }
    const std::string unitText =
        profile.GetString(Settings::kSection, Settings::kImportUnitKey, "km", 3);
    const ActivityDays::Unit unit = ::strcasecmp(unitText.c_str(), "mi") == 0
                                        ? ActivityDays::Unit::Miles
                                        : ActivityDays::Unit::Kilometres;
    ActivityImportDialog preview(this, plan, &database->Table(), unit, *dateUtility);
    const int answer = preview.Execute();
    if (preview.Unit() != unit) {
        profile.WriteString(Settings::kSection, Settings::kImportUnitKey,
                            ActivityDays::UnitName(preview.Unit()));
    }
    const std::vector<DayRecord> records = plan.Records();
    if (answer != TDialog::kIdOk || records.empty()) {
        return;
    }
    // The store says why when it refuses; the logbook is then as it was.
    if (database->StoreAll(records) != LogBookDatabase::StoreResult::Stored) {
        return;
    }
    ForgetStoredChanges();
    RefreshToolWindows(true);
    ShowStatus("Imported " + plan.CountsText() + ".");
}

void ClientWindow::BackUpBeforeChange(const LogBookBackups::BackupStatus& failed) {
    ShowStatus(failed.Words() + " The change is stored all the same.");
}

void ClientWindow::ShowStatus(const std::string& text) {
    if (auto* frame = dynamic_cast<MainFrame*>(Parent()); frame && frame->Status()) {
        frame->Status()->SetText(text);
    }
}

// False when the store refused the logbook (and said why); the setting is left alone then.
bool ClientWindow::OpenAndRemember(const std::string& path) {
    if (database->Open(path) == LogBookDatabase::OpenResult::Failed) {
        return false;
    }
    logBookPath = path;
    profile.WriteString(Settings::kSection, Settings::kLogBookKey, path);
    return true;
}

std::string ClientWindow::Title() const {
    return Settings::TitleFor(database->IsOpen() ? logBookPath : std::string());
}

void ClientWindow::RefreshToolWindows(bool includeLogBook) {
    for (const ToolInfo& info : kTools) {
        const int id = info.resourceId;
        if (!info.title || (id == res::kLogBookDialog && !includeLogBook)) {
            continue;
        }
        if (IsToolOpen(id)) {
            if (TDialog* dialog = Tool(id)) {
                dialog->SendMessage(res::kLogBookChanged, 0, 0);
            }
        }
    }
}

bool ClientWindow::IsToolOpen(int id) const {
    const auto found = tools.find(id);
    return found != tools.end() && found->second.open;
}

TDialog* ClientWindow::Tool(int id) const {
    const auto found = tools.find(id);
    return found == tools.end() || !found->second.open ? nullptr : found->second.dialog;
}

bool ClientWindow::AnyMdiToolOpen() const {
    for (const ToolInfo& info : kTools) {
        if (info.title && IsToolOpen(info.resourceId)) {
            return true;
        }
    }
    return false;
}

bool ClientWindow::AllMdiToolsOpen() const {
    for (const ToolInfo& info : kTools) {
        if (info.title && !IsToolOpen(info.resourceId)) {
            return false;
        }
    }
    return true;
}

bool ClientWindow::ToolAvailable(int id) const {
    return Makers().count(id) != 0;
}

void ClientWindow::OpenTool(int id) {
    if (const ToolInfo* info = Info(id)) {
        if (info->title) {
            OpenMdiTool(*info);
        } else {
            OpenPopupTool(*info);
        }
    }
}

void ClientWindow::OpenMdiTool(const ToolInfo& info) {
    const int id = info.resourceId;
    ToolSlot& slot = tools[id];
    if (!slot.open) {
        TDialog* dialog = MakeTool(*this, id);
        if (!dialog) {
            return;
        }
        dialog->SetDeleteOnDestroy(true);
        auto* child = new ChildWindow(*this, info.title, dialog, info.icon);
        CenterWindow(*child, this);
        child->SetDeleteOnDestroy(true);
        slot = {dialog, child, true};
        windowList->Add(child->Handle(), id);
    }
    if (slot.child) {
        ActivateChild(*slot.child);
        slot.child->BringToTop();
    }
    CommandStateChanged();
}

void ClientWindow::OpenPopupTool(const ToolInfo& info) {
    const int id = info.resourceId;
    ToolSlot& slot = tools[id];
    if (!slot.open) {
        TDialog* dialog = MakeTool(*this, id);
        if (!dialog) {
            return;
        }
        dialog->SetDeleteOnDestroy(true);
        slot = {dialog, nullptr, true};
        dialog->Create();
        CenterWindow(*dialog, nullptr);
        dialog->Show(TShowMode::Normal);
    }
    if (slot.dialog) {
        slot.dialog->BringToTop();
    }
    CommandStateChanged();
}

void ClientWindow::OpenLogBook() {
    OpenTool(res::kLogBookDialog);
}
void ClientWindow::OpenCalendar() {
    OpenTool(res::kCalendarDialog);
}
void ClientWindow::OpenGraphs() {
    OpenTool(res::kGraphsDialog);
}
void ClientWindow::OpenStatistics() {
    OpenTool(res::kStatsDialog);
}
void ClientWindow::OpenReports() {
    OpenTool(res::kReportsDialog);
}
void ClientWindow::OpenHeartRate() {
    OpenTool(res::kHRateDialog);
}
void ClientWindow::OpenCalculator() {
    OpenTool(res::kCalculatorDialog);
}
void ClientWindow::OpenFind() {
    OpenTool(res::kFindDialog);
}
void ClientWindow::OpenCalcDTP() {
    OpenTool(res::kCalcDTPDialog);
}

void ClientWindow::ToolClosed(int id) {
    const auto found = tools.find(id);
    if (found == tools.end()) {
        return;
    }
    const bool mdi = found->second.child != nullptr;
    found->second = ToolSlot{};
    if (mdi) {
        windowList->Remove(id);
    }
    CommandStateChanged();
}

void ClientWindow::CenterWindow(TWindow& window, const TWindow* reference) {
    window.CenterIn(reference);
}

void ClientWindow::Cycle(bool forward) {
    TMDIChild* top = TopChild();
    if (!top) {
        return;
    }
    const WindowList::Node* node =
        forward ? windowList->Next(top->Handle()) : windowList->Previous(top->Handle());
    if (!node) {
        return;
    }
    if (auto* child = dynamic_cast<TMDIChild*>(FromHandle(node->handle))) {
        ActivateChild(*child);
        child->BringToTop();
    }
}

void ClientWindow::PrintActiveWindow() {
    TMDIChild* child = ActiveChild();
    if (!child || !child->Hosted()) {
        return;
    }
    ScreenDumpPrintout printout("Veloria Screen", *child->Hosted());
    printUtility->Print(*child->Hosted(), printout);
}

void ClientWindow::ShowToolBar(bool show) {
    if (auto* frame = dynamic_cast<MainFrame*>(Parent())) {
        frame->ShowToolBar(show);
    }
}

bool ClientWindow::ToolBarShown() const {
    const auto* frame = dynamic_cast<const MainFrame*>(Parent());
    return frame && frame->ToolBarShown();
}
