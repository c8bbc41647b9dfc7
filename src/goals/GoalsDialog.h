#pragma once
// Tools > Goals: the goals kept beside the logbook, where the chosen one stands (drawn by
// GoalsPanel), and boxes to add, change and remove one. Each change is stored at once; a
// box that does not read whole is refused with its reason and keeps its text.

#include "framework/TDialog.h"
#include "goals/GoalForm.h"
#include "goals/GoalProgress.h"
#include "goals/GoalsPanel.h"

#include <cstdint>
#include <string>
#include <vector>

class DateUtility;
class LogBookDatabase;

class GoalsDialog : public TDialog {
public:
    // Controls of the dialog's template.
    static constexpr int kList = 101;
    static constexpr int kPanelArea = 102;
    static constexpr int kPeriod = 103;
    static constexpr int kFrom = 104;
    static constexpr int kTo = 105;
    static constexpr int kQuantity = 106;
    static constexpr int kAmount = 107;
    static constexpr int kUnit = 108;
    static constexpr int kSport = 109;
    static constexpr int kAdd = 110;
    static constexpr int kChange = 111;
    static constexpr int kRemove = 112;
    static constexpr int kBoxLimit = 12;
    static constexpr const char* kNoSelection = "Choose the goal in the list first.";

    // today and start: the day the goals are weighed on and the first day of a week.
    GoalsDialog(TWindow* parent, LogBookDatabase& database, const DateUtility& dates,
                std::int32_t today, WeekStart start);
    static void RegisterTemplate();

    const std::vector<GoalProgress::State>& States() const { return states; }
    const GoalsPanel& Panel() const { return panel; }
    // Whether a goal was added, changed or removed while the dialog was open.
    bool Changed() const { return changed; }

protected:
    void SetupWindow() override;

private:
    // Reads the goals again and shows the list, the row at index selected.
    void Reload(int index);
    void ShowSelected();
    void ShowAmountUnit();
    GoalForm Boxes() const;
    // Reads the boxes into goal; false (said, focus on the box) when one is refused.
    bool ReadBoxes(Goal& goal);
    void Add();
    void Change();
    void Remove();
    void Say(const std::string& text);

    LogBookDatabase& database;
    const DateUtility& dates;
    std::int32_t today;
    WeekStart start;
    std::string unit = "km";
    std::vector<GoalProgress::State> states;
    GoalsPanel panel;
    bool changed = false;
};
