#pragma once
// Which backups of a logbook stay: the 10 newest, and the newest of each of the last 8 ISO
// weeks and of each of the last 12 calendar months, all counted back from the newest backup
// (its week and month are the first of those). Weeks and months are of UTC times. A backup
// that qualifies more than once counts once. Removing the rest is the caller's business.

#include <cstdint>
#include <vector>

class BackupRotation {
public:
    static constexpr int kNewest = 10;
    static constexpr int kWeeks = 8;
    static constexpr int kMonths = 12;

    // times: the backups' UTC times in seconds, newest first (of two in one second, the one
    // made later first). Whether each is kept, in the same order.
    static std::vector<bool> Keep(const std::vector<std::int64_t>& times);

    // Monday-based weeks and calendar months counted from the start of 1970, so that
    // neighbours differ by one.
    static std::int64_t WeekOf(std::int64_t time);
    static std::int64_t MonthOf(std::int64_t time);
};
