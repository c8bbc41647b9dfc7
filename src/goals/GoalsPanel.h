#pragma once
// Where the goals stand, drawn: for each goal its line ("2026: 1,234 of 2,000 km, 12 km
// behind pace"), a bar of what is done with a mark where a steady pace would be today, and
// what it still needs. Draw paints on any device context (a window that shows goals among
// other figures calls it with its own rectangle); as a child window it paints itself.

#include "framework/TWindow.h"
#include "goals/GoalProgress.h"
#include "goals/GoalText.h"

#include <optional>
#include <vector>

class GoalsPanel : public TWindow {
public:
    // Each goal's height in pixels: its line, its bar, its needs.
    static constexpr int kRowHeight = 48;
    static constexpr int kBarTop = 17;
    static constexpr int kBarHeight = 10;
    static constexpr TColor kDone{0, 128, 0};
    static constexpr TColor kBehind{192, 0, 0}; // the part of the bar a steady pace would add
    static constexpr TColor kPaceMark{0, 0, 0};

    explicit GoalsPanel(TWindow* parent);

    void ShowGoals(std::vector<GoalProgress::State> shown, const GoalText& text);
    const std::vector<GoalProgress::State>& Shown() const { return states; }
    // The first line of each goal shown, as drawn.
    std::vector<std::string> Lines() const;

    // As many goals as fit from the top of rect; "No goals are set." when there are none.
    static void Draw(TDC& dc, const TRect& rect, const std::vector<GoalProgress::State>& states,
                     const GoalText& text);

protected:
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    std::vector<GoalProgress::State> states;
    std::optional<GoalText> text; // none until Show
};
