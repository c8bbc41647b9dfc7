#pragma once
// The tools of the program as the client window knows them: what the program registered
// (a maker per dialog resource, the File menu's commands a feature brings), which tool is
// open in which window, and what each keeps past its window. It opens a tool at most once,
// cycles through the open ones and tells them when the logbook changed; it knows no tool.

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

class ChildWindow;
class ClientWindow;
class TDialog;
class TMDIClient;
class WindowList;

class ToolRegistry {
public:
    // Builds a tool's dialog. A tool without a maker is not available: its command stays
    // disabled and opening it does nothing.
    using ToolMaker = std::function<TDialog*(ClientWindow& client)>;

    // What a tool keeps for the whole run, past the closing of its window (the Log Book's
    // undo history). The registry owns it; Forget drops what it knows of stored days.
    class ToolMemory {
    public:
        virtual ~ToolMemory() = default;
        virtual void Forget() = 0;
    };

    // A command of the File menu that a feature brings, placed after Open (or at the end of
    // the Tools menu); drop, when set, takes the files and folders dropped on the main window.
    struct FileCommand {
        enum class Menu { File, Tools };
        int command = 0;
        std::string menuText;
        std::string hint;
        std::function<void(ClientWindow&)> run;
        std::function<void(ClientWindow&, const std::vector<std::string>&)> drop;
        std::function<bool(ClientWindow&)> enabled; // none: always enabled
        Menu menu = Menu::File;
    };

    // What each tool is to the shell: its dialog resource, the command that opens it (0 for
    // none), and for a tool in a child window its title and icon.
    struct ToolInfo {
        int resourceId;
        int command;
        const char* title; // nullptr for a pop-up
        int icon;
    };
    // In the order of the window list's cycle, then the pop-ups.
    static std::span<const ToolInfo> Tools();

    static void RegisterTool(int resourceId, ToolMaker maker);
    static void ClearTools();
    static bool Available(int resourceId);
    // A second registration of the same command replaces the first.
    static void RegisterFileCommand(FileCommand command);
    static const std::map<int, FileCommand>& FileCommands();
    // What a feature says on the status bar once a logbook has opened and the main window
    // shows (its gear worn out, say), after start-up, File > Open and a restore; an empty
    // text says nothing. The lines of all features share the bar, in registration order.
    using OpenedNotice = std::function<std::string(ClientWindow& client)>;
    static void RegisterOpenedNotice(OpenedNotice notice);
    static const std::vector<OpenedNotice>& OpenedNotices();

    ToolRegistry(ClientWindow& client, TMDIClient& area, WindowList& windows);
    ~ToolRegistry();

    void OpenTool(int resourceId);
    // A tool's window has gone: its open flag drops, and an MDI tool leaves the window list.
    void Closed(int resourceId);
    bool IsOpen(int resourceId) const;
    TDialog* Tool(int resourceId) const;
    bool AnyMdiToolOpen() const;
    bool AllMdiToolsOpen() const;
    void OpenAllMdiTools();
    void Cycle(bool forward);
    // Message 1000 to every open large tool, the Log Book only when asked.
    void Refresh(bool includeLogBook);
    // Every open tool's window goes, in the table's order; ClosePopups, the pop-ups' only.
    void CloseAll();
    void ClosePopups();

    ToolMemory& Memory(int resourceId, const std::function<std::unique_ptr<ToolMemory>()>& make);
    void ForgetStoredChanges();

private:
    struct ToolSlot {
        TDialog* dialog = nullptr;
        ChildWindow* child = nullptr;
        bool open = false;
    };
    static const ToolInfo* Info(int resourceId);

    ClientWindow& client;
    TMDIClient& area;
    WindowList& windows;
    std::map<int, ToolSlot> toolSlots;
    std::map<int, std::unique_ptr<ToolMemory>> memories;
};
