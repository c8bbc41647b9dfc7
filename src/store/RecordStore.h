#pragma once
// What the records keep beside a logbook's activities: the days and activities left out of
// them or counted as races, and the best efforts read from activities' tracks. Activities
// are known by their start (seconds since 1970 UTC), which outlives the row ids that undo,
// redo and a re-import hand out anew; days by their date key.

#include "store/ActivityStore.h"

#include <cstdint>
#include <set>
#include <vector>

class RecordStore {
public:
    enum class Mark : int {
        DayLeftOut = 1,      // key: the day's date key
        ActivityLeftOut = 2, // key: the activity's start
        Race = 3,            // key: the activity's start
    };
    // The fastest seconds an activity's track took for one distance.
    struct Effort {
        std::int64_t start = 0;
        double metres = 0;
        double seconds = 0;
        bool operator==(const Effort&) const = default;
    };

    explicit RecordStore(ActivityStore& store) : store(store) {}

    // The keys with this mark; empty when the file holds none.
    std::set<std::int64_t> Marked(Mark mark) const;
    // Sets or clears a mark at once, creating the file when it is missing.
    ActivityStore::Outcome SetMark(Mark mark, std::int64_t key, bool on);

    // Every stored effort, by start and distance.
    std::vector<Effort> Efforts() const { return EffortsIn(store); }
    static std::vector<Effort> EffortsIn(const ActivityStore& store);
    // The efforts of the activities these efforts name replace what was stored for them,
    // in one change.
    ActivityStore::Outcome StoreEfforts(const std::vector<Effort>& efforts);

private:
    ActivityStore::Outcome Failed(const char* what) const;

    ActivityStore& store;
};
