#pragma once
// Where a goal stands on a given day: what is done, what is left, the share of the period
// gone, what each day and week still needs, the projection at the current rate and the pace
// line. Plain arithmetic over the days and activities it is handed; reading them is GoalBook's,
// wording them GoalText's.
//
// A day with activities counts those of the goal's sport; a day without counts its own
// figures as one activity of the default sport. Today counts as gone: the pace line is where
// the user should stand at the end of today.

#include "store/ActivityRow.h"
#include "store/DayRecord.h"
#include "store/Goal.h"
#include "store/WeekStart.h"

#include <cstdint>
#include <string>
#include <vector>

class GoalProgress {
public:
    struct State {
        Goal goal;
        WeekStart start = WeekStart::Monday;
        std::int32_t first = 0; // the period's first and last day (date keys)
        std::int32_t last = 0;
        int days = 0;     // in the period
        int daysGone = 0; // its days up to today, today included
        double done = 0;  // metres, seconds, activities or days, as the goal's amount
        double remaining = 0;
        double shareGone = 0; // daysGone / days
        // What it takes to reach the amount over the days after today (today's own when it
        // is the last); a week's never more than all that is left. 0 once the period ended.
        double perDay = 0;
        double perWeek = 0;
        double projection = 0; // done / daysGone * days
        double pace = 0;       // done - amount * shareGone: ahead above 0, behind below
    };

    // The period of the goal that holds today (a Dates goal's own dates).
    static void Bounds(const Goal& goal, std::int32_t today, WeekStart start, std::int32_t& first,
                       std::int32_t& last);

    // days and rows may reach beyond the period: only its days up to today count. A day's
    // distance is in the logbook's unit, metresPerUnit metres each.
    static State Of(const Goal& goal, std::int32_t today, WeekStart start,
                    const std::vector<DayRecord>& days, const std::vector<ActivityRow>& rows,
                    const std::string& defaultSport, double metresPerUnit);

    // Whether an activity's sport is the goal's, by name or short word (an empty goal sport
    // takes all).
    static bool SportMatches(const std::string& goalSport, const std::string& sport);
};
