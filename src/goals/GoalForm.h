#pragma once
// The Goals window's boxes as texts, and a goal read from them whole or refused with the box
// at fault and why; the window only moves texts between these and its controls.

#include "goals/GoalText.h"

#include <string>

class GoalForm {
public:
    // The boxes, in the order the window's tab order visits them.
    enum class Box { Period, From, To, Quantity, Amount, Sport };

    // The period list's rows: Goal::Span in order ("This week", ... "From-to dates"); the
    // quantity list's rows: Goal::Quantity in order.
    static constexpr const char* kPeriods[] = {"This week", "This month", "This year",
                                               "From-to dates"};
    static constexpr const char* kQuantities[] = {"Distance", "Time", "Activities", "Active days"};
    // A name longer than this is no sport.
    static constexpr std::size_t kSportLimit = 40;

    int period = 2; // index into kPeriods
    std::string from;
    std::string to;
    int quantity = 0; // index into kQuantities
    std::string amount;
    std::string sport;

    // The texts showing a goal.
    static GoalForm Show(const Goal& goal, const GoalText& text);
    // The goal the texts say (its id left as it was), or false with the box at fault and a
    // message for the user; goal is then unchanged.
    bool Read(const GoalText& text, Goal& goal, Box& refused, std::string& problem) const;
    // "2026-03-01" as a date key of a logbook's range; 0 for anything else.
    static std::int32_t DateKey(const std::string& text);
    // The unit the amount box is typed in: "km", "h:mm:ss", "activities", "days".
    static std::string AmountUnit(int quantity, const std::string& unit);
};
