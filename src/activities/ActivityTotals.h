#pragma once
// A day that holds activities takes its figures from them: distance their sum (in the unit
// distances are imported in), time their moving times summed, pace and speed from those,
// the largest maximum heart rate, calories summed. Every other field of the day is the
// user's (race, difficulty, workout, comment, weight, sleep, resting heart rate, water,
// temperature) and is left as it is.

#include "activities/Activity.h"
#include "store/ActivityRow.h"
#include "store/DayRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class ActivityTotals {
public:
    // Sets the day's figures from its activities; a day without any is left as it is.
    static void Apply(DayRecord& day, const std::vector<ActivityRow>& activities,
                      double metresPerUnit);
    // Whether the day's figures are those its activities make.
    static bool Agree(const DayRecord& day, const std::vector<ActivityRow>& activities,
                      double metresPerUnit);

    // The row an activity read from a file is stored as, on the given day. Its sport is said
    // as FIT says it ("Biking" is "Cycling").
    static ActivityRow RowOf(const Activity& activity, std::int32_t day, const std::string& file,
                             std::uint64_t fileHash);
};
