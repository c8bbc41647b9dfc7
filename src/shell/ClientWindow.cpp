#include "shell/ClientWindow.h"

#include "framework/TDecoratedMDIFrame.h"
#include "framework/THelpViewer.h"
#include "framework/TMDIChild.h"
#include "framework/TMessageBox.h"
#include "framework/TStatusBar.h"
#include "shell/AboutDialog.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/OpenFileDialog.h"
#include "shell/PrintableTool.h"
#include "shell/ResourceIds.h"
#include "shell/ScreenDumpPrintout.h"
#include "shell/Settings.h"
#include "shell/TextPagesPrintout.h"
#include "shell/TitleDialog.h"

#include <strings.h>
#include <utility>

namespace {

bool& TitleScreenEnabled() {
    static bool enabled = true;
    return enabled;
}

} // namespace

void ClientWindow::RegisterTool(int id, ToolMaker maker) {
    ToolRegistry::RegisterTool(id, std::move(maker));
}
void ClientWindow::ClearTools() {
    ToolRegistry::ClearTools();
}
void ClientWindow::RegisterFileCommand(FileCommand command) {
    ToolRegistry::RegisterFileCommand(std::move(command));
}
void ClientWindow::RegisterOpenedNotice(ToolRegistry::OpenedNotice notice) {
    ToolRegistry::RegisterOpenedNotice(std::move(notice));
}
void ClientWindow::SetTitleScreenEnabled(bool enabled) {
    TitleScreenEnabled() = enabled;
}

std::string ClientWindow::DefaultLogBookPath() {
    return LogBookSession::DefaultLogBookPath();
}

ClientWindow::ClientWindow(TProfile& profile, const std::string& startLogBook) : profile(profile) {
    windowList = std::make_unique<WindowList>();
    tools = std::make_unique<ToolRegistry>(*this, *this, *windowList);
    session = std::make_unique<LogBookSession>(
        *this, profile, *this, *tools, [this](const std::string& text) { ShowStatus(text); });
    printUtility = std::make_unique<PrintUtility>([this] { return session->Path(); });
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
    session->Start(startLogBook);
}

ClientWindow::~ClientWindow() {
    // The tools go first: each tells this window that it closed.
    tools->CloseAll();
    THelpViewer::Close();
    session.reset();
    windowList.reset();
    printUtility.reset();
}

void ClientWindow::RegisterCommands() {
    OnCommand(cmd::kOpen, [this] {
        const std::string before = session->Path();
        const std::string shown = StatusText();
        ShowStatus(""); // what is said from here on is the open's own
        session->ChooseAndOpen();
        if (session->Path() != before) {
            SayAtOpen();
        } else if (StatusText().empty()) {
            ShowStatus(shown);
        }
    });
    OnCommand(cmd::kRestoreBackup, [this] {
        ShowStatus("");
        session->RestoreFromBackup();
        SayAtOpen();
    });
    for (const auto& [command, file] : ToolRegistry::FileCommands()) {
        OnCommand(command, [this, run = file.run] { run(*this); });
    }
    OnCommand(cmd::kPrint, [this] { PrintActiveWindow(); });
    OnCommand(cmd::kPrinterSetup, [this] { printUtility->Setup(*this); });
    OnCommand(cmd::kExit, [this] {
        if (TWindow* frame = Parent()) {
            frame->CloseWindow(0);
        }
    });
    OnCommand(cmd::kOpenAll, [this] { tools->OpenAllMdiTools(); });
    OnCommand(cmd::kNextWindow, [this] { tools->Cycle(true); });
    OnCommand(cmd::kPreviousWindow, [this] { tools->Cycle(false); });
    OnCommand(cmd::kCloseAll, [this] { CloseChildren(); });
    for (const ToolRegistry::ToolInfo& info : ToolRegistry::Tools()) {
        if (info.command != 0) {
            OnCommand(info.command, [this, id = info.resourceId] { tools->OpenTool(id); });
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
        OnCommandEnable(command, [this] { return tools->AnyMdiToolOpen(); });
    }
    OnCommandEnable(cmd::kOpenAll, [this] { return !tools->AllMdiToolsOpen(); });
    // A pop-up's command is off while it is open, or when the program has no such tool.
    for (const ToolRegistry::ToolInfo& info : ToolRegistry::Tools()) {
        if (info.command != 0 && !info.title) {
            OnCommandEnable(info.command, [this, id = info.resourceId] {
                return !tools->IsOpen(id) && ToolRegistry::Available(id);
            });
        }
    }
    for (const auto& [command, file] : ToolRegistry::FileCommands()) {
        if (file.enabled) {
            OnCommandEnable(command, [this, enabled = file.enabled] { return enabled(*this); });
        }
    }
    OnCommandEnable(cmd::kShowToolBar, [this] { return !ToolBarShown(); });
    OnCommandEnable(cmd::kHideToolBar, [this] { return ToolBarShown(); });
}

void ClientWindow::SetupWindow() {
    TMDIClient::SetupWindow();
    auto* frame = dynamic_cast<TDecoratedMDIFrame*>(Parent());
    for (const auto& [command, file] : ToolRegistry::FileCommands()) {
        if (frame && file.drop) {
            frame->OnFilesDropped([this, drop = file.drop](const std::vector<std::string>& paths) {
                drop(*this, paths);
            });
        }
    }
    if (!pendingStatus.empty()) {
        ShowStatus(std::exchange(pendingStatus, std::string()));
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
    session->AfterStart();
    if (TitleScreenEnabled()) {
        TitleDialog title(this);
        title.Execute();
    }
    // Only now, with the main window shown: reading the activities may take a while.
    SayAtOpen();
}

void ClientWindow::SayAtOpen() {
    // What the open said (a read-only activities file) comes first and stays.
    std::string line = StatusText();
    for (const ToolRegistry::OpenedNotice& notice : ToolRegistry::OpenedNotices()) {
        if (const std::string text = notice(*this); !text.empty()) {
            line += (line.empty() ? "" : kNoticeSeparator) + text;
        }
    }
    if (!line.empty()) {
        ShowStatus(line);
    }
}

std::string ClientWindow::StatusText() const {
    auto* frame = dynamic_cast<MainFrame*>(Parent());
    return frame && frame->Status() ? frame->Status()->MessageText() : pendingStatus;
}

void ClientWindow::CleanupWindow() {
    tools->ClosePopups(); // pop-ups go with the client
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
    return OpenFileDialog::Select(this, result, flags, pattern, defaultExt, initialDir, initialName,
                                  filter);
}

void ClientWindow::ForgetStoredChanges() {
    tools->ForgetStoredChanges();
}

ClientWindow::ToolMemory&
ClientWindow::Memory(int resourceId, const std::function<std::unique_ptr<ToolMemory>()>& make) {
    return tools->Memory(resourceId, make);
}

void ClientWindow::ShowStatus(const std::string& text) {
    if (auto* frame = dynamic_cast<MainFrame*>(Parent()); frame && frame->Status()) {
        frame->Status()->SetText(text);
    } else {
        pendingStatus = text; // said while the logbook opened, before the frame was made
    }
}

void ClientWindow::RefreshToolWindows(bool includeLogBook) {
    tools->Refresh(includeLogBook);
}
bool ClientWindow::IsToolOpen(int id) const {
    return tools->IsOpen(id);
}
TDialog* ClientWindow::Tool(int id) const {
    return tools->Tool(id);
}

void ClientWindow::OpenLogBook() {
    tools->OpenTool(res::kLogBookDialog);
}
void ClientWindow::OpenCalendar() {
    tools->OpenTool(res::kCalendarDialog);
}
void ClientWindow::OpenGraphs() {
    tools->OpenTool(res::kGraphsDialog);
}
void ClientWindow::OpenStatistics() {
    tools->OpenTool(res::kStatsDialog);
}
void ClientWindow::OpenReports() {
    tools->OpenTool(res::kReportsDialog);
}
void ClientWindow::OpenHeartRate() {
    tools->OpenTool(res::kHRateDialog);
}
void ClientWindow::OpenCalculator() {
    tools->OpenTool(res::kCalculatorDialog);
}
void ClientWindow::OpenFind() {
    tools->OpenTool(res::kFindDialog);
}
void ClientWindow::OpenCalcDTP() {
    tools->OpenTool(res::kCalcDTPDialog);
}

void ClientWindow::ToolClosed(int id) {
    tools->Closed(id);
}

void ClientWindow::CenterWindow(TWindow& window, const TWindow* reference) {
    window.CenterIn(reference);
}

void ClientWindow::PrintActiveWindow() {
    TMDIChild* child = ActiveChild();
    if (!child || !child->Hosted()) {
        return;
    }
    if (const auto* tool = dynamic_cast<const PrintableTool*>(child->Hosted())) {
        if (std::vector<std::string> lines = tool->PrintedLines(); !lines.empty()) {
            TextPagesPrintout printout("Veloria Screen", std::move(lines));
            printUtility->Print(*child->Hosted(), printout);
            return;
        }
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
