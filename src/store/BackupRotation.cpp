#include "store/BackupRotation.h"

#include <chrono>

namespace {

std::int64_t DayOf(std::int64_t time) {
    constexpr std::int64_t kDay = 86400;
    return time >= 0 ? time / kDay : -((-time + kDay - 1) / kDay);
}

// Newest first: the first backup seen in a period is that period's newest.
void KeepNewestOfPeriods(const std::vector<std::int64_t>& times,
                         std::int64_t (*periodOf)(std::int64_t), std::int64_t periods,
                         std::vector<bool>& keep) {
    const std::int64_t newest = periodOf(times.front());
    std::int64_t last = newest + 1;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const std::int64_t period = periodOf(times[i]);
        if (period <= newest - periods) {
            break;
        }
        if (period != last) {
            keep[i] = true;
            last = period;
        }
    }
}

} // namespace

std::int64_t BackupRotation::WeekOf(std::int64_t time) {
    // 1970-01-01 was a Thursday: its week began three days before.
    const std::int64_t days = DayOf(time) + 3;
    return days >= 0 ? days / 7 : -((-days + 6) / 7);
}

std::int64_t BackupRotation::MonthOf(std::int64_t time) {
    using namespace std::chrono;
    const year_month_day date{sys_days{days{DayOf(time)}}};
    return (static_cast<int>(date.year()) - 1970) * 12 +
           static_cast<int>(static_cast<unsigned>(date.month())) - 1;
}

std::vector<bool> BackupRotation::Keep(const std::vector<std::int64_t>& times) {
    std::vector<bool> keep(times.size(), false);
    if (times.empty()) {
        return keep;
    }
    for (std::size_t i = 0; i < times.size() && i < static_cast<std::size_t>(kNewest); ++i) {
        keep[i] = true;
    }
    KeepNewestOfPeriods(times, WeekOf, kWeeks, keep);
    KeepNewestOfPeriods(times, MonthOf, kMonths, keep);
    return keep;
}
