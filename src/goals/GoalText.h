#pragma once
// The words of a goal's state, the same in the Goals window, its panel, the status bar and
// veloria-logbook: amounts in the logbook's unit ("1,234.5 km"), durations as the Log Book
// writes them ("12:30:00"), counts as they are.

#include "goals/GoalProgress.h"

#include <string>

class DateUtility;

class GoalText {
public:
    // unit: "km" or "mi", the logbook's.
    GoalText(const DateUtility& dates, std::string unit);

    static double MetresPer(const std::string& unit);

    // A number with thousands commas and at most one decimal ("1,234", "32.5").
    static std::string Number(double value);
    // An amount of the quantity, with its unit: "2,000 km", "10:00:00", "3 activities".
    std::string Amount(Goal::Quantity quantity, double value) const;
    // The amount alone as it is typed back: "2000", "10:00:00", "3".
    std::string Typed(Goal::Quantity quantity, double value) const;
    // Reads a typed amount whole: a distance in the unit, a duration, a whole count. False
    // with the reason for anything else, zero or less included.
    bool Read(Goal::Quantity quantity, const std::string& text, double& value,
              std::string& problem) const;

    // "2026", "Dec 2026", "2026-W50", "2026-03-01..2026-05-31", then the sport when it has one.
    static std::string Label(const GoalProgress::State& state);
    // What the goal is: "this year: 2,000 km of Running".
    std::string Description(const Goal& goal) const;
    // "32.5 km ahead of pace", "12 km behind pace", "on pace".
    std::string PaceWords(const GoalProgress::State& state) const;
    // "2026: 1,234 of 2,000 km, 12 km behind pace"
    std::string Line(const GoalProgress::State& state) const;
    // "85% gone; needs 12.3 km a day, 86 km a week; projected 2,250 km"
    std::string Details(const GoalProgress::State& state) const;

private:
    const DateUtility& dates;
    std::string unit;
};
