#pragma once
// The hub of the program: the client area of the main frame. It owns the open logbook, the
// date utility, the window list and the print utility; handles every command of the menu
// and the tool bar; opens each tool at most once; and shows every error message.

#include "framework/TMDIClient.h"
#include "framework/TProfile.h"
#include "shell/PrintUtility.h"
#include "shell/WindowList.h"
#include "store/DateUtility.h"
#include "store/ErrorReporter.h"
#include "store/LogBookBackups.h"
#include "store/LogBookDatabase.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ChildWindow;
class TDialog;

class ClientWindow : public TMDIClient, public ErrorReporter {
public:
    // Builds a tool's dialog. A tool without a maker is not available: its command stays
    // disabled and opening it does nothing.
    using ToolMaker = std::function<TDialog*(ClientWindow& client)>;

    // What a tool keeps for the whole run, past the closing of its window (the Log Book's
    // undo history). The client owns it; Forget drops what it knows of stored days.
    class ToolMemory {
    public:
        virtual ~ToolMemory() = default;
        virtual void Forget() = 0;
    };

    // Opens startLogBook when given (the program's command line) and remembers it, as File >
    // Open does; otherwise, or when it cannot be opened, the remembered logbook.
    explicit ClientWindow(TProfile& profile, const std::string& startLogBook = {});
    ~ClientWindow() override;

    LogBookDatabase& Database() { return *database; }
    const DateUtility& Dates() const { return *dateUtility; }
    PrintUtility& Printing() { return *printUtility; }
    const WindowList& Windows() const { return *windowList; }

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
    // The logbook path the client opened at start or last switched to.
    const std::string& LogBookPath() const { return logBookPath; }
    // The main window's title: the logbook that is open, or that none is (one refused at
    // start, say, because another instance has it).
    std::string Title() const;
    static std::string DefaultLogBookPath();

    // The program (and tests) register what each tool is, by dialog resource number; the
    // shell knows none of them.
    static void RegisterTool(int resourceId, ToolMaker maker);
    static void ClearTools();
    // Tests leave the title screen out.
    static void SetTitleScreenEnabled(bool enabled);

protected:
    void SetupWindow() override;
    void EvSize(TSize clientSize) override;
    void EvTimer(int id) override;
    void CleanupWindow() override;

private:
    // What each tool is to the shell: its dialog resource, the command that opens it (0 for
    // none), and for a tool in a child window its title and icon.
    struct ToolInfo {
        int resourceId;
        int command;
        const char* title; // nullptr for a pop-up
        int icon;
    };
    static const ToolInfo kTools[];
    static const ToolInfo* Info(int resourceId);

    struct ToolSlot {
        TDialog* dialog = nullptr;
        ChildWindow* child = nullptr;
        bool open = false;
    };
    void OpenTool(int resourceId);
    void OpenMdiTool(const ToolInfo& info);
    void OpenPopupTool(const ToolInfo& info);
    bool AnyMdiToolOpen() const;
    bool AllMdiToolsOpen() const;
    bool ToolAvailable(int resourceId) const;
    void Cycle(bool forward);
    void OpenLogBookFile();
    // File > Restore from Backup: the backup the user chooses replaces the open logbook.
    void RestoreFromBackup();
    // File > Import Activities, and files dropped on the main window: the files and folders
    // are read, previewed, and their days stored in one step when the user says Import.
    void ChooseActivityFiles();
    void ImportActivities(const std::vector<std::string>& operands);
    // The store backs changes up first as its rule says; a backup it could not make is said
    // on the status bar and the change goes ahead.
    void BackUpBeforeChange(const LogBookBackups::BackupStatus& failed);
    bool OpenAndRemember(const std::string& path);
    void PrintActiveWindow();
    void ShowToolBar(bool show);
    void RegisterCommands();
    void RegisterEnablers();

    TProfile& profile;
    std::unique_ptr<DateUtility> dateUtility;
    std::unique_ptr<LogBookDatabase> database;
    std::unique_ptr<WindowList> windowList;
    std::unique_ptr<PrintUtility> printUtility;
    std::map<int, ToolSlot> tools;
    std::map<int, std::unique_ptr<ToolMemory>> memories;
    bool sized = false;
    std::string logBookPath;
};
