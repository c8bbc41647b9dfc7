#include "goals/GoalProgress.h"

#include "activities/ActivitySports.h"
#include "store/Period.h"

#include <algorithm>
#include <map>

namespace {

// What one day adds: its distance, time, activities, and whether it counts as active.
struct DayFigures {
    double metres = 0;
    double seconds = 0;
    int activities = 0;
};

double Quantity(Goal::Quantity quantity, const DayFigures& d) {
    switch (quantity) {
    case Goal::Quantity::Distance:
        return d.metres;
    case Goal::Quantity::Time:
        return d.seconds;
    case Goal::Quantity::Activities:
        return d.activities;
    case Goal::Quantity::Days:
        return d.activities > 0 ? 1 : 0;
    }
    return 0;
}

} // namespace

bool GoalProgress::SportMatches(const std::string& goalSport, const std::string& sport) {
    return goalSport.empty() || ActivitySports::Matches(sport, goalSport);
}

void GoalProgress::Bounds(const Goal& goal, std::int32_t today, WeekStart start,
                          std::int32_t& first, std::int32_t& last) {
    if (goal.span == Goal::Span::Dates) {
        first = goal.first;
        last = goal.last;
        return;
    }
    const PeriodKind kind = goal.span == Goal::Span::Week    ? PeriodKind::Week
                            : goal.span == Goal::Span::Month ? PeriodKind::Month
                                                             : PeriodKind::Year;
    const Period period = Period::Containing(today, kind, start);
    first = period.FirstDay();
    last = period.LastDay();
}

GoalProgress::State GoalProgress::Of(const Goal& goal, std::int32_t today, WeekStart start,
                                     const std::vector<DayRecord>& days,
                                     const std::vector<ActivityRow>& rows,
                                     const std::string& defaultSport, double metresPerUnit) {
    State s;
    s.goal = goal;
    s.start = start;
    Bounds(goal, today, start, s.first, s.last);
    const std::int64_t firstNumber = weeks::DayNumber(s.first);
    s.days =
        static_cast<int>(std::max<std::int64_t>(0, weeks::DayNumber(s.last) - firstNumber + 1));
    s.daysGone = static_cast<int>(
        std::clamp<std::int64_t>(weeks::DayNumber(today) - firstNumber + 1, 0, s.days));
    const std::int32_t countTo = std::min(s.last, today);

    std::map<std::int32_t, DayFigures> counted;
    std::map<std::int32_t, bool> withActivities;
    for (const ActivityRow& row : rows) {
        if (row.day < s.first || row.day > countTo) {
            continue;
        }
        withActivities[row.day] = true;
        if (SportMatches(goal.sport, row.sport)) {
            DayFigures& d = counted[row.day];
            d.metres += row.metres;
            d.seconds += row.movingSeconds;
            ++d.activities;
        }
    }
    const bool defaultCounts = SportMatches(goal.sport, defaultSport);
    for (const DayRecord& day : days) {
        if (day.erased != 0 || day.dateKey < s.first || day.dateKey > countTo ||
            withActivities.count(day.dateKey) != 0 || !defaultCounts) {
            continue;
        }
        if (day.distance <= 0 && day.time <= 0) {
            continue; // a day of notes, weight or sleep only
        }
        DayFigures& d = counted[day.dateKey];
        d.metres += std::max(0.0, static_cast<double>(day.distance) * metresPerUnit);
        d.seconds += std::max(0, day.time);
        d.activities += 1;
    }
    for (const auto& [key, figures] : counted) {
        s.done += Quantity(goal.quantity, figures);
    }

    s.remaining = std::max(0.0, goal.amount - s.done);
    s.shareGone = s.days > 0 ? static_cast<double>(s.daysGone) / s.days : 0;
    if (today <= s.last) {
        const int daysLeft = std::max(1, s.days - s.daysGone);
        s.perDay = s.remaining / daysLeft;
        s.perWeek = std::min(s.remaining, s.perDay * 7);
    }
    s.projection = s.daysGone > 0 ? s.done / s.daysGone * s.days : 0;
    s.pace = s.done - goal.amount * s.shareGone;
    return s;
}
