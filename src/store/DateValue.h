#pragma once
// A calendar date as the program carries it: the weekday travels with the date and is
// stepped along with it (Sunday = 1 .. Saturday = 7).

#include <cstdint>

struct DateValue {
    std::int32_t month = 1;
    std::int32_t weekday = 1;
    std::int32_t day = 1;
    std::int32_t year = 1960;

    bool operator==(const DateValue&) const = default;
};
static_assert(sizeof(DateValue) == 16);
