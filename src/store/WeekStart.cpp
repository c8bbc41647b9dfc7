#include "store/WeekStart.h"

#include "store/DateUtility.h"

namespace weeks {

std::int64_t DayNumber(std::int32_t key) {
    return DateUtility::DaysOfDate(key / 10000, key / 100 % 100, key % 100);
}

std::int32_t KeyOfDayNumber(std::int64_t days) {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
    DateUtility::DateOfDays(days, year, month, day);
    return static_cast<std::int32_t>(year * 10000 + month * 100 + day);
}

std::int32_t FirstDay(std::int32_t key, WeekStart start) {
    const std::int64_t days = DayNumber(key);
    // 1 January 1970 was a Thursday: weekday 0 = Monday.
    const std::int64_t monday0 = ((days + 3) % 7 + 7) % 7;
    const std::int64_t first = start == WeekStart::Monday ? 0 : start == WeekStart::Sunday ? 6 : 5;
    return KeyOfDayNumber(days - ((monday0 - first + 7) % 7));
}

} // namespace weeks
