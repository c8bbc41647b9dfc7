#pragma once
// The goals of an open logbook and where each stands today: read from its activities file,
// weighed against its days and activities. The one reading the Goals window, its panel, the
// status bar and veloria-logbook share.

#include "goals/GoalProgress.h"
#include "store/ActivityStore.h"

#include <string>
#include <vector>

class LogBookDatabase;
class DateUtility;

class GoalBook {
public:
    // store may be unopened (no activities file): no goals then, and "km".
    static ActivityStore::Outcome Load(LogBookDatabase& logbook, ActivityStore& store,
                                       const DateUtility& dates, std::int32_t today,
                                       WeekStart start, std::vector<GoalProgress::State>& states);
};
