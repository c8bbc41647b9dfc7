#pragma once
// The file-open dialog. The filter text has '|' between each description and its pattern
// and ends after the last '|'. Flags are the original ones: 0x0004 hides the read-only box,
// 0x0800 wants an existing folder, 0x2000 asks before a file that does not exist is created
// (0x1000 wants an existing file), 0x0200 lets several files and folders be chosen at once.

#include <deque>
#include <optional>
#include <string>
#include <vector>

class TWindow;

class TFileOpenDialog {
public:
    static constexpr unsigned kHideReadOnly = 0x0004;
    static constexpr unsigned kAllowMultiSelect = 0x0200;
    static constexpr unsigned kPathMustExist = 0x0800;
    static constexpr unsigned kFileMustExist = 0x1000;
    static constexpr unsigned kCreatePrompt = 0x2000;
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;

    struct TData {
        unsigned flags = 0;
        std::string filter;
        std::string customFilter;
        int filterIndex = 1;
        std::string fileName; // in: proposed, out: chosen; at most 260 characters
        std::string initialDir;
        std::string defaultExt;
        // With kAllowMultiSelect, out: every file and folder chosen (fileName is the first).
        std::vector<std::string> fileNames;
    };

    TFileOpenDialog(TWindow* parent, TData& data, std::string title = "Open");
    virtual ~TFileOpenDialog() = default;

    // kIdOk with data.fileName set, or kIdCancel.
    int Execute();
    const std::string& Title() const { return title; }

    // The Qt filter for an original filter text: "A (*.a)|*.a|B|*.b|" -> "A (*.a);;B (*.b)".
    static std::string QtFilter(const std::string& filter);
    // The name with the default extension added when it has none.
    static std::string WithDefaultExtension(const std::string& name, const std::string& ext);

    // Test hooks: queued answers, a file name chosen or nullopt for Cancel. The dialog is not
    // shown while answers are queued; the last data it was run with is kept.
    static void QueueAnswers(std::deque<std::optional<std::string>> answers);
    // An answer of several names at once, as a dialog with kAllowMultiSelect takes them.
    static void QueueChoice(std::vector<std::string> names);
    static void ResetScript();
    static const TData* LastRun();
    static const std::string& LastTitle();

protected:
    // After the dialog's own set-up; the program's dialog centres itself here.
    virtual void SetupDialog(class QWidget*) {}

private:
    bool Confirm(std::string& name);
    // Confirms every name and sets the data; false when one is refused or there is none.
    bool Take(std::vector<std::string> names);

    TWindow* parent;
    TData& data;
    std::string title;
};
