#include "app/ClientWindow.h"

#include "app/AboutDialog.h"
#include "app/ChildWindow.h"
#include "app/CommandIds.h"
#include "app/OpenFileDialog.h"
#include "app/ResourceIds.h"
#include "app/TMainApp.h"
#include "app/TitleDialog.h"
#include "framework/TControlBar.h"
#include "framework/TDecoratedMDIFrame.h"
#include "framework/THelpViewer.h"
#include "framework/TMDIChild.h"
#include "framework/TMessageBox.h"
#include "reports/ScreenDumpPrintout.h"

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

const int kMdiTools[] = {res::kLogBookDialog, res::kCalendarDialog, res::kGraphsDialog,
                         res::kStatsDialog, res::kReportsDialog};

} // namespace

void ClientWindow::RegisterTool(int id, ToolMaker maker) { Makers()[id] = std::move(maker); }
void ClientWindow::ClearTools() { Makers().clear(); }
void ClientWindow::SetTitleScreenEnabled(bool enabled) { TitleScreenEnabled() = enabled; }

std::string ClientWindow::DefaultLogBookPath() {
    std::error_code error;
    return (std::filesystem::current_path(error) / "logBooks" / "mylog.vrl").string();
}

ClientWindow::ClientWindow(TMainApp& app, TProfile& profile) : app(app), profile(profile) {
    dateUtility = std::make_unique<DateUtility>();
    database = std::make_unique<LogBookDatabase>(*this, *dateUtility);
    windowList = std::make_unique<WindowList>();
    printUtility = std::make_unique<PrintUtility>();
    RegisterCommands();

    const std::string version = profile.GetString(TMainApp::kSection, "VERSION", "NONE", 29);
    if (::strcasecmp(version.c_str(), "NONE") == 0) {
        profile.WriteString(TMainApp::kSection, "VERSION", "3.2");
    }
    logBookPath = profile.GetString(TMainApp::kSection, "LOGBOOK", DefaultLogBookPath(), 512);
    // The default logbook's folder is made on first use, so the logbook can be created.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(logBookPath).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    database->Open(logBookPath);
}

ClientWindow::~ClientWindow() {
    // The tools go first: each tells this window that it closed.
    for (const int id : {res::kLogBookDialog, res::kCalendarDialog, res::kGraphsDialog,
                         res::kStatsDialog, res::kReportsDialog, res::kHRateDialog,
                         res::kCalculatorDialog, res::kFindDialog, res::kCalcDTPDialog}) {
        const auto found = tools.find(id);
        if (found == tools.end() || !found->second.open) {
            continue;
        }
        if (TWindow* child = found->second.child) {
            child->Destroy(2);
        } else if (TWindow* dialog = found->second.dialog) {
            dialog->Destroy(2);
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
    OnCommand(cmd::kPrint, [this] { PrintActiveWindow(); });
    OnCommandEnable(cmd::kPrint, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kPrinterSetup, [this] { printUtility->Setup(*this); });
    OnCommand(cmd::kExit, [this] {
        if (TWindow* frame = Parent()) {
            frame->CloseWindow(0);
        }
    });
    OnCommand(cmd::kOpenAll, [this] {
        OpenLogBook();
        OpenCalendar();
        OpenGraphs();
        OpenStatistics();
        OpenReports();
    });
    OnCommandEnable(cmd::kOpenAll, [this] { return !AllMdiToolsOpen(); });
    OnCommand(cmd::kNextWindow, [this] { Cycle(true); });
    OnCommandEnable(cmd::kNextWindow, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kPreviousWindow, [this] { Cycle(false); });
    OnCommandEnable(cmd::kPreviousWindow, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kCloseAll, [this] { CloseChildren(); });
    OnCommandEnable(cmd::kCloseAll, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kLogBook, [this] { OpenLogBook(); });
    OnCommand(cmd::kCalendar, [this] { OpenCalendar(); });
    OnCommand(cmd::kGraphs, [this] { OpenGraphs(); });
    OnCommand(cmd::kStatistics, [this] { OpenStatistics(); });
    OnCommand(cmd::kReports, [this] { OpenReports(); });
    OnCommand(cmd::kCalculator, [this] { OpenCalculator(); });
    OnCommandEnable(cmd::kCalculator, [this] {
        return !IsToolOpen(res::kCalculatorDialog) && ToolAvailable(res::kCalculatorDialog);
    });
    OnCommand(cmd::kHeartRate, [this] { OpenHeartRate(); });
    OnCommandEnable(cmd::kHeartRate, [this] {
        return !IsToolOpen(res::kHRateDialog) && ToolAvailable(res::kHRateDialog);
    });
    OnCommand(cmd::kShowToolBar, [this] { ShowToolBar(true); });
    OnCommandEnable(cmd::kShowToolBar, [this] { return !toolBarShown; });
    OnCommand(cmd::kHideToolBar, [this] { ShowToolBar(false); });
    OnCommandEnable(cmd::kHideToolBar, [this] { return toolBarShown; });
    OnCommand(cmd::kCascade, [this] { CascadeChildren(); });
    OnCommandEnable(cmd::kCascade, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kTileHorizontal, [this] { TileChildren(true); });
    OnCommandEnable(cmd::kTileHorizontal, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kTileVertical, [this] { TileChildren(false); });
    OnCommandEnable(cmd::kTileVertical, [this] { return AnyMdiToolOpen(); });
    OnCommand(cmd::kAbout, [this] {
        AboutDialog about(this);
        about.Execute();
    });
    OnCommand(cmd::kProductFeatures, [this] { THelpViewer::Show(this, "VRL1.HLP"); });
    OnCommand(cmd::kHelpContents, [this] { THelpViewer::Show(this, "VRL.HLP"); });
}

void ClientWindow::SetupWindow() { TMDIClient::SetupWindow(); }

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
            slot.dialog->Destroy(2); // pop-ups go with the client
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
    // The setting and the title change only once the new logbook is open; otherwise the
    // old one stays open under its own name.
    if (database->Close() == 1) {
        if (database->Open(chosen) != 0) {
            logBookPath = chosen;
            profile.WriteString(TMainApp::kSection, "LOGBOOK", chosen);
            if (TWindow* frame = Parent()) {
                frame->SetCaption(TMainApp::TitleFor(chosen));
            }
        } else {
            database->Open(logBookPath);
        }
    }
    RefreshToolWindows(true);
}

void ClientWindow::RefreshToolWindows(bool includeLogBook) {
    for (const int id : kMdiTools) {
        if (id == res::kLogBookDialog && !includeLogBook) {
            continue;
        }
        if (IsToolOpen(id)) {
            if (TDialog* dialog = Tool(id)) {
                dialog->SendMessage(1000, 0, 0);
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
    for (const int id : kMdiTools) {
        if (IsToolOpen(id)) {
            return true;
        }
    }
    return false;
}

bool ClientWindow::AllMdiToolsOpen() const {
    for (const int id : kMdiTools) {
        if (!IsToolOpen(id)) {
            return false;
        }
    }
    return true;
}

bool ClientWindow::ToolAvailable(int id) const { return Makers().count(id) != 0; }

void ClientWindow::OpenMdiTool(int id, const char* title, int icon) {
    ToolSlot& slot = tools[id];
    if (!slot.open) {
        TDialog* dialog = MakeTool(*this, id);
        if (!dialog) {
            return;
        }
        dialog->SetDeleteOnDestroy(true);
        auto* child = new ChildWindow(*this, title, dialog, icon);
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

void ClientWindow::OpenPopupTool(int id) {
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

void ClientWindow::OpenLogBook() { OpenMdiTool(res::kLogBookDialog, "Log Book", res::kLogBookIcon); }
void ClientWindow::OpenCalendar() { OpenMdiTool(res::kCalendarDialog, "Calendar", res::kCalendarIcon); }
void ClientWindow::OpenGraphs() { OpenMdiTool(res::kGraphsDialog, "Graphs", res::kGraphsIcon); }
void ClientWindow::OpenStatistics() { OpenMdiTool(res::kStatsDialog, "Statistics", res::kStatsIcon); }
void ClientWindow::OpenReports() { OpenMdiTool(res::kReportsDialog, "Reports", res::kReportsIcon); }
void ClientWindow::OpenHeartRate() { OpenPopupTool(res::kHRateDialog); }
void ClientWindow::OpenCalculator() { OpenPopupTool(res::kCalculatorDialog); }
void ClientWindow::OpenFind() { OpenPopupTool(res::kFindDialog); }
void ClientWindow::OpenCalcDTP() { OpenPopupTool(res::kCalcDTPDialog); }

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

void ClientWindow::CenterWindow(TWindow& window, const TWindow* reference) { window.CenterIn(reference); }

void ClientWindow::Cycle(bool forward) {
    TMDIChild* top = TopChild();
    if (!top) {
        return;
    }
    const WindowList::Node* node = forward ? windowList->Next(top->Handle()) : windowList->Previous(top->Handle());
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
    TDecoratedMDIFrame* frame = app.Frame();
    TControlBar* bar = app.ToolBar();
    if (!frame || !bar) {
        return;
    }
    if (show) {
        frame->Insert(*bar, TDecoratedMDIFrame::Location::Top);
    } else {
        frame->Remove(*bar);
    }
    frame->Layout();
    toolBarShown = show;
}
