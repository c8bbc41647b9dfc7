#include "goals/GoalBook.h"

#include "goals/GoalText.h"
#include "store/DateUtility.h"
#include "store/GoalStore.h"
#include "store/LogBookDatabase.h"

#include <algorithm>

ActivityStore::Outcome GoalBook::Load(LogBookDatabase& logbook, ActivityStore& store,
                                      const DateUtility& dates, std::int32_t today, WeekStart start,
                                      std::vector<GoalProgress::State>& states) {
    states.clear();
    std::vector<Goal> goals;
    if (const ActivityStore::Outcome read = GoalStore(store).Read(goals); !read.Ok()) {
        return read;
    }
    if (goals.empty()) {
        return {};
    }
    // One read of the days and activities all the goals span, up to today.
    std::int32_t first = INT32_MAX;
    std::int32_t last = 0;
    for (const Goal& goal : goals) {
        std::int32_t f = 0;
        std::int32_t l = 0;
        GoalProgress::Bounds(goal, today, start, f, l);
        first = std::min(first, f);
        last = std::max(last, std::min(l, today));
    }
    std::vector<DayRecord> days;
    std::vector<ActivityRow> rows;
    if (first <= last) {
        DateValue from;
        DateValue to;
        dates.DateOfKey(first, from);
        dates.DateOfKey(last, to);
        int count = 0;
        logbook.LoadRange(&from, &to, DayType::AllDays, days, count);
        if (store.IsOpen()) {
            if (const ActivityStore::Outcome read = store.Read(first, last, rows); !read.Ok()) {
                return read;
            }
        }
    }
    const std::string defaultSport = store.DefaultSport();
    const double metresPerUnit = GoalText::MetresPer(store.Unit());
    for (const Goal& goal : goals) {
        states.push_back(
            GoalProgress::Of(goal, today, start, days, rows, defaultSport, metresPerUnit));
    }
    return {};
}
