#pragma once
// The shown day's activities, from the Log Book: a list of them and boxes to add, change and
// remove one. Each change is stored at once with the day's record (its figures summed from
// the activities, the user's other fields kept) as one step of the Log Book's history.

#include "editor/LogBookHistory.h"
#include "framework/TDialog.h"
#include "store/ActivityRow.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class LogBookDatabase;

class ActivitiesDialog : public TDialog {
public:
    // Controls of the dialog's template.
    static constexpr int kList = 101;
    static constexpr int kSport = 102;
    // The five number boxes, in the order of ActivityForm's boxes: distance 103 ... calories.
    static constexpr int kFirstBox = 103;
    static constexpr int kNote = 108;
    static constexpr int kAdd = 109;
    static constexpr int kChange = 110;
    static constexpr int kRemove = 111;
    static constexpr int kGear = 112;
    static constexpr int kBoxLimit = 10;
    static constexpr int kSportLimit = 24;
    static constexpr const char* kNoSelection = "Choose the activity in the list first.";
    static constexpr const char* kNothingToUndo = "Nothing to undo.";
    static constexpr const char* kNothingToRedo = "Nothing to redo.";
    // Ctrl+Z and Ctrl+Y here take back only this day's changes.
    static constexpr const char* kOtherDay =
        "The next change to take back or make again is of another day: close this dialog and "
        "press the keys in the Log Book.";

    // stored is the day's record as the logbook holds it (live or erased), null for none;
    // dayText names the day in the caption; changed runs after each stored change.
    ActivitiesDialog(TWindow* parent, LogBookDatabase& database, const DateUtility& dates,
                     LogBookHistory& history, const DayRecord* stored, std::int32_t key,
                     std::string dayText, std::function<void()> changed);
    static void RegisterTemplate();

protected:
    void SetupWindow() override;

private:
    // Reads the activities file again and shows the list, the row at index selected.
    void Reload(int index);
    void ShowSelected();
    // Reads the boxes into row; false (said, focus on the box) when a box is refused.
    bool ReadBoxes(ActivityRow& row);
    void Add();
    void Change();
    void Remove();
    // The gear the selected activity carries (on a day without activities, the day), and the
    // user's choice of it, stored at once: a link by the activity's start (the day's key),
    // which no re-store of its row changes.
    void ShowGear(int index);
    void ChangeGear();
    // A hand-added activity carries the gear last chosen in the box, else its sport's default.
    void LinkAdded(const ActivityRow& row, const std::vector<std::int64_t>& gear);
    // Ctrl+Z (Ctrl+Y): takes back (makes again) the history's next step when it is this day's.
    void TakeBack(bool redo);
    // Stores the day with these activities as one step of the history; false when refused.
    bool Store(std::vector<ActivityRow> target, int select,
               const std::function<void()>& stored = {});

    LogBookDatabase& database;
    const DateUtility& dates;
    LogBookHistory& history;
    std::int32_t key;
    bool hadRecord;
    DayRecord day;
    std::string dayText;
    std::function<void()> changed;
    std::vector<ActivityRow> rows;
    std::string unit = "km";
    double metresPerUnit = 1000;
    std::vector<std::vector<std::int64_t>> gearChoices; // what each entry of kGear carries
    bool showingGear = false;
    // The user's choice in kGear since the list's selection last changed.
    std::optional<std::vector<std::int64_t>> picked;
};
