#pragma once
// Activities placed on the local calendar date of their start, and the day entry all the
// activities of one date make: sums, the largest heart rate, pace and speed, the sports as
// the workout (short words in start order, transitions left out, "+N" for those that do not
// fit) and the files as the comment. Each day also lists its activities as the activities
// file stores them (transitions left out), and its figures are theirs.

#include "activities/Activity.h"
#include "store/ActivityRow.h"
#include "store/DayRecord.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ActivityDays {
public:
    enum class Unit { Kilometres, Miles };
    static constexpr double kMetresPerKilometre = 1000.0;
    static constexpr double kMetresPerMile = 1609.344;
    // "km" or "mi": as the command's --unit, the settings file and the distances say it.
    static constexpr const char* UnitName(Unit unit) { return unit == Unit::Miles ? "mi" : "km"; }
    static constexpr double MetresPer(Unit unit) {
        return unit == Unit::Miles ? kMetresPerMile : kMetresPerKilometre;
    }

    struct Day {
        DayRecord record;
        std::vector<std::string> files; // in the order of the activities' starts
        // "run.fit: from its laps; the session is missing": how an activity's figures were
        // found when its file did not give them the usual way.
        std::vector<std::string> notes;
        std::vector<ActivityRow> activities; // in start order, transitions left out
    };

    // Places every activity of a file, or none: false when one starts outside 1960-01-01 ..
    // 2100-12-31 local (or its local date cannot be told). fileName is what the comment
    // names (UTF-8).
    // fileHash is the ContentHash of the file's bytes.
    bool Add(const std::string& fileName, const std::vector<Activity>& activities,
             std::uint64_t fileHash = 0);

    // The days in date order.
    std::vector<Day> Days(Unit unit) const;

    // The local date key of an activity's start: the file's own offset, else the machine's
    // time zone; 0 when it cannot be told.
    static std::int64_t DateKeyOf(const Activity& activity);

    // The sports of activities as a day's workout names them: short words in start order.
    static std::string SportsOf(const std::vector<ActivityRow>& activities);

    // The entry of a day the logbook lacks, made from the activities stored for it: their
    // figures, their sports as the workout and their files as the comment.
    static Day FromActivities(std::int32_t key, const std::vector<ActivityRow>& activities,
                              Unit unit);

private:
    struct Placed {
        Activity activity;
        std::size_t file;
    };
    std::vector<std::string> fileNames;
    std::vector<std::uint64_t> fileHashes;
    std::map<std::int32_t, std::vector<Placed>> byDate;
};
