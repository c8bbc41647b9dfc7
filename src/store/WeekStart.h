#pragma once
// The first day of the week, the one rule every window and command buckets weeks by.

#include <cstdint>

enum class WeekStart { Monday, Sunday, Saturday };

namespace weeks {
// Days since 1 January 1970 of a date key (YYYYMMDD), and back; proleptic Gregorian.
std::int64_t DayNumber(std::int32_t key);
std::int32_t KeyOfDayNumber(std::int64_t days);
// The date key of the first day of the week that holds key.
std::int32_t FirstDay(std::int32_t key, WeekStart start);
} // namespace weeks
