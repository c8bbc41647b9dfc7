#include "store/WeekStart.h"

namespace weeks {

// The civil-calendar conversions count years from March, so that a leap day ends its year
// and each 400-year era has the same 146,097 days.
std::int64_t DayNumber(std::int32_t key) {
    const std::int64_t month = key / 100 % 100;
    const std::int64_t day = key % 100;
    const std::int64_t year = key / 10000 - (month <= 2 ? 1 : 0);
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::int32_t KeyOfDayNumber(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
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
