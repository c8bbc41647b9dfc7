#pragma once
// The hub of the program: the client area of the main frame. It runs the frame's commands
// and their enablers and shows every error message; the tools are its registry's, the open
// logbook its session's.

#include "framework/TMDIClient.h"
#include "framework/TProfile.h"
#include "shell/LogBookSession.h"
#include "shell/PrintUtility.h"
#include "shell/ToolRegistry.h"
#include "shell/WindowList.h"
#include "store/ErrorReporter.h"

#include <functional>
#include <memory>
#include <string>

class TDialog;

class ClientWindow : public TMDIClient, public ErrorReporter {
public:
    using ToolMaker = ToolRegistry::ToolMaker;
    using ToolMemory = ToolRegistry::ToolMemory;
    using FileCommand = ToolRegistry::FileCommand;
    // Between the lines of the status bar said as a logbook opens.
    static constexpr const char* kNoticeSeparator = " \u00b7 ";

    // Opens startLogBook when given (the program's command line) and remembers it, as File >
    // Open does; otherwise, or when it cannot be opened, the remembered logbook.
    explicit ClientWindow(TProfile& profile, const std::string& startLogBook = {});
    ~ClientWindow() override;

    LogBookDatabase& Database() { return session->Database(); }
    const DateUtility& Dates() const { return session->Dates(); }
    LogBookSession& Session() { return *session; }
    PrintUtility& Printing() { return *printUtility; }
    const WindowList& Windows() const { return *windowList; }
    TProfile& Profile() { return profile; }

    void ReportError(const char* message) override;
    // The message box text for a store message: two line feeds, ERROR:, two blanks and the
    // message in double quotes.
    static std::string ErrorText(const char* message);
    int SelectFile(std::string& result, unsigned flags, const std::string& pattern,
                   const std::string& defaultExt, const std::string& initialDir,
                   const std::string& initialName, const std::string& filter);
    void RefreshToolWindows(bool includeLogBook);
    // The days of the logbook were replaced behind the tools' backs (File > Open, an import,
    // a restore): every tool's memory of stored changes goes.
    void ForgetStoredChanges();
    // The tool's memory, made by make the first time the tool asks.
    ToolMemory& Memory(int resourceId, const std::function<std::unique_ptr<ToolMemory>()>& make);
    // A line in the status bar of the main frame.
    void ShowStatus(const std::string& text);
    void OpenLogBook();
    void OpenCalendar();
    void OpenGraphs();
    void OpenStatistics();
    void OpenReports();
    void OpenHeartRate();
    void OpenCalculator();
    void OpenFind();
    void OpenCalcDTP();
    // A tool's window has gone: its open flag drops, and an MDI tool leaves the window list.
    void ToolClosed(int resourceId);
    void CenterWindow(TWindow& window, const TWindow* reference);

    bool IsToolOpen(int resourceId) const;
    TDialog* Tool(int resourceId) const;
    bool ToolBarShown() const;
    const std::string& LogBookPath() const { return session->Path(); }
    std::string Title() const { return session->Title(); }
    static std::string DefaultLogBookPath();

    // The program (and tests) register what each tool is, by dialog resource number, and the
    // File menu's commands the features bring; the shell knows none of them.
    static void RegisterTool(int resourceId, ToolMaker maker);
    static void ClearTools();
    static void RegisterFileCommand(FileCommand command);
    static void RegisterOpenedNotice(ToolRegistry::OpenedNotice notice);
    // Tests leave the title screen out.
    static void SetTitleScreenEnabled(bool enabled);

protected:
    void SetupWindow() override;
    void EvSize(TSize clientSize) override;
    void EvTimer(int id) override;
    void CleanupWindow() override;

private:
    void PrintActiveWindow();
    // Once a logbook has opened and the main window shows: what the open said and every
    // feature's notice about the logbook, in one line in the order they registered.
    void SayAtOpen();
    // The status bar's line (or the one waiting for the bar).
    std::string StatusText() const;
    void ShowToolBar(bool show);
    void RegisterCommands();
    void RegisterEnablers();

    TProfile& profile;
    std::unique_ptr<WindowList> windowList;
    std::unique_ptr<PrintUtility> printUtility;
    std::unique_ptr<ToolRegistry> tools;
    std::unique_ptr<LogBookSession> session;
    bool sized = false;
    std::string pendingStatus; // a status line said before the frame had its status bar
};
