#pragma once
// The line a day's activities make, for the Log Book's header and the command line alike:
// each activity in start order as its sport's short word, its distance and its moving time
// ("Run 10.20 km 48:03 · Ride 32.00 km 1:05:10"). Activities that do not fit are counted at
// the end ("+2 more"); an activity is shown whole or not at all.

#include "store/ActivityRow.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DayActivitiesText {
public:
    static constexpr const char* kSeparator = " \u00b7 "; // a middle dot, UTF-8
    // What the Log Book's header holds: three activities and the count of the rest, some 375
    // of its 435 pixels in the dialog font (about 5 pixels a character). The command line
    // cuts its lines there too, so both say the same.
    static constexpr std::size_t kLogBookCharacters = 76;

    // The line of one day's activities as the activities file keeps them, distances in unit
    // ("km" or "mi", as the file's last import), at most `most` characters (not bytes);
    // empty for a day without activities. Transitions are left out.
    static std::string Line(const std::vector<ActivityRow>& activities, std::string_view unit,
                            std::size_t most);
    // A moving time as h:mm:ss, or mm:ss under an hour.
    static std::string Time(std::int32_t seconds);
};
