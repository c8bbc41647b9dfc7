#pragma once
// A calendar date as the program carries it: the weekday travels with the date and is
// stepped along with it (Sunday = 1 .. Saturday = 7).

#include <cstdint>

struct DateValue {
    std::int32_t month = 1;
    std::int32_t weekday = 1;
    std::int32_t day = 1;
    std::int32_t year = 1960;

    // A calendar date with its true weekday, for dates written in the code; dates reached by
    // stepping carry the weekday they were stepped with.
    static constexpr DateValue Of(std::int32_t year, std::int32_t month, std::int32_t day) {
        // The Gregorian weekday rule, counted from a year that starts in March so that a
        // leap day ends its year: 0 = Sunday.
        constexpr std::int32_t kMonthShift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
        const std::int32_t y = month < 3 ? year - 1 : year;
        const std::int32_t shift = month >= 1 && month <= 12 ? kMonthShift[month - 1] : 0;
        const std::int32_t sunday0 = ((y + y / 4 - y / 100 + y / 400 + shift + day) % 7 + 7) % 7;
        return {month, sunday0 + 1, day, year};
    }

    bool operator==(const DateValue&) const = default;
};
static_assert(sizeof(DateValue) == 16);
