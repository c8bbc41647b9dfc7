#pragma once
// Calendar arithmetic on seconds since 1970-01-01 00:00 UTC for any year, without the C
// library's time zone (which only the machine's local date needs).

#include <cstdint>
#include <optional>
#include <string_view>

class CivilTime {
public:
    // year * 10000 + month * 100 + day of the instant shifted by offset seconds.
    static std::int64_t DateKeyAt(std::int64_t utc, std::int64_t offset);
    // The machine's local date of the instant (TZ respected); nothing when the C library
    // cannot tell.
    static std::optional<std::int64_t> LocalDateKey(std::int64_t utc);

    // An XML dateTime ("2026-03-01T07:05:09.250Z", "...+01:00", no zone = UTC), to the
    // whole second below it; nothing when the text is not one.
    static std::optional<std::int64_t> ReadDateTime(std::string_view text);
};
