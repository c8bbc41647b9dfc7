#pragma once
// The Log Book: one day of the logbook at a time in eleven number boxes, a comment box,
// the competition and difficulty buttons and the workout box, the day's imported activities
// in a line in the header, with save, erase, step by one or thirty days, Find and Calculate.
// Stepping works on the cache of the days around the shown day; the logbook is written on
// Save, when the cache window moves, and on "Yes" at closing.

#include "editor/ActivityDayEdit.h"
#include "editor/DayForm.h"
#include "editor/LogBookButtons.h"
#include "editor/LogBookCache.h"
#include "editor/LogBookHistory.h"
#include "shell/ResourceIds.h"
#include "shell/ToolDialog.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class LogBookDialog : public ToolDialog, public LogBookButtons {
public:
    // Controls of dialog template 6 besides its buttons.
    // The eleven number boxes, in the order of DayForm's boxes: distance 500 ... speed 510.
    static constexpr int kFirstBox = 500;
    static constexpr int kComments = 511;
    static constexpr int kYes = 512;
    static constexpr int kNo = 513;
    static constexpr int kEasy = 514;
    static constexpr int kModerate = 515;
    static constexpr int kHard = 516;
    static constexpr int kDateText = 517;
    static constexpr int kWorkout = 518;
    // The shown day's activities in a line, in the header beside the date.
    static constexpr int kActivities = 519;
    // Number boxes hold nine characters; the limits count the terminating zero, as the
    // record's text fields do.
    static constexpr int kNumberLimit = 10;

    static constexpr unsigned kResetMessage = res::kLogBookChanged;
    static constexpr unsigned kGoToDayMessage = res::kGoToDay;
    static constexpr const char* kSaveQuestion = "\n\nSave changes to database?";
    // Follows the refusal of a box's text: Yes goes back to the box, No leaves the day.
    static constexpr const char* kCorrectQuestion = "\n\nCorrect it? No leaves this day as it was.";
    // Status bar lines of undo and redo; the first two are followed by the day's date text.
    static constexpr const char* kUndoneText = "Undone: change of ";
    static constexpr const char* kRedoneText = "Redone: change of ";
    static constexpr const char* kNothingToUndo = "Nothing to undo";
    static constexpr const char* kNothingToRedo = "Nothing to redo";
    // Follows what was not taken of a day's activity figures.
    static constexpr const char* kOpenActivitiesQuestion = "\n\nOpen the Activities dialog now?";
    // Erasing a day with activities: the question is built around their count.
    static constexpr const char* kEraseQuestion = "Erase this day and its ";
    static constexpr const char* kEraseQuestionEnd =
        "? They go from the activities file too; Ctrl+Z brings the day and them back.";

    explicit LogBookDialog(ClientWindow& client);
    // Dialog template 6 and the Logbook Speed Menu.
    static void RegisterTemplate();
    ~LogBookDialog() override;

    const DateValue& CurrentDate() const { return current; }
    const LogBookCache& Cache() const { return *cache; }
    const LogBookHistory& History() const { return history; }
    // The boxes as they stand, and written as a day shows them.
    DayForm BoxTexts() const;
    void SetBoxTexts(const DayForm& form);

protected:
    void SetupWindow() override;
    bool CanClose() override;

private:
    void ShowCurrentDay();
    // Reads the shown day's activities from the activities file beside the logbook and
    // gives their line; none and empty when the file is missing or cannot be read (said
    // once, as it opened).
    std::string ReadActivities();
    // Whether the window may close, the unsaved days stored or dropped as the user says.
    bool MayClose();
    // What storing the typing would do to the shown day's activities; nothing is stored.
    ActivityDayEdit::Kind TypedEdit() const;
    // Stores the day with its one activity changed as one history step; false when nothing
    // was stored (said).
    bool StoreActivityChange(const ActivityDayEdit& edit);
    // Erases the shown day and its activities as one history step, once the user agrees.
    void EraseWithActivities();
    // Takes what was typed into the cache. False when a box was refused and the user went
    // back to correct it: the caller then stops.
    bool ReadBoxes();
    void ClearBoxes();
    bool Save();
    void Step(int days);
    void EraseDay();
    void GoToDay(std::int32_t key);
    // Shows the day of this key with the cache window around it.
    void MoveTo(std::int32_t key);
    void Reset();
    // Takes back (makes again) the newest stored change and shows its day. What was typed
    // and not stored is stored first, as Save Day does, so it is the change undo takes.
    void UndoChange(bool redo);
    // The Activities dialog on the shown day, what was typed stored first.
    void OpenActivities();

    const DateUtility& dates;
    LogBookHistory& history;
    std::unique_ptr<LogBookCache> cache;
    DateValue current;
    DayRecord currentRecord;
    DayRecord reference;
    // The boxes as they read right after the day was shown (the comment whole): a box that
    // still reads so was not changed by the user.
    DayForm shown;
    // The shown day's activities as the file holds them, and the metres in their unit.
    std::vector<ActivityRow> activities;
    double metresPerUnit = 1000;
    // The status bar holds the hint of the boxes of a day with activities.
    bool hinted = false;
};
