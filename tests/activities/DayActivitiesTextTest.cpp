// The line of a day's activities: short words, distance and moving time in start order, and
// what does not fit counted whole, never cut.

#include "activities/DayActivitiesText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int64_t kMorning = 1772348400; // 2026-03-01 07:00:00 UTC

ActivityRow Row(const char* sport, std::int64_t start, double metres, std::int32_t seconds) {
    ActivityRow row;
    row.sport = sport;
    row.start = start;
    row.metres = metres;
    row.movingSeconds = seconds;
    return row;
}

// Given out of start order, as no reader promises it; 18 + 3 + 21 + 3 + 18 = 63 characters.
const std::vector<ActivityRow> kTriathlonDay = {
    Row("Cycling", kMorning + 7200, 32000, 3910),
    Row("Running", kMorning, 10200, 2883),
    Row("Transition", kMorning + 3000, 0, 120),
    Row("Swimming", kMorning + 11200, 1500, 1930),
};

TEST(DayActivitiesTextTest, ActivitiesAreShownInStartOrderAndCountedWhenTheyDoNotFit) {
    const struct {
        const char* name;
        std::vector<ActivityRow> day;
        const char* unit;
        std::size_t most;
        const char* line;
    } kCases[] = {
        {"no activities", {}, "km", 80, ""},
        {"all fit exactly", kTriathlonDay, "km", 63,
         "Run 10.20 km 48:03 \u00b7 Ride 32.00 km 1:05:10 \u00b7 Swim 1.50 km 32:10"},
        // A middle dot is one character, though two bytes.
        {"one counted", kTriathlonDay, "km", 52,
         "Run 10.20 km 48:03 \u00b7 Ride 32.00 km 1:05:10 \u00b7 +1 more"},
        {"two counted", kTriathlonDay, "km", 51, "Run 10.20 km 48:03 \u00b7 +2 more"},
        {"only the count", kTriathlonDay, "km", 27, "+3 more"},
        {"the count even when it does not fit", kTriathlonDay, "km", 3, "+3 more"},
        {"miles", {Row("Biking", kMorning, 8046.72, 1800)}, "mi", 80, "Ride 5.00 mi 30:00"},
        {"a sport without a word keeps its name",
         {Row("Kitesurfing", kMorning, 12346, 59 * 60 + 59)},
         "km",
         80,
         "Kitesurfing 12.35 km 59:59"},
        {"controls in a sport are escaped",
         {Row("Kite\nsurf", kMorning, 0, 9)},
         "km",
         80,
         "Kite\\x0asurf 0.00 km 00:09"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(DayActivitiesText::Line(c.day, c.unit, c.most), c.line) << c.name;
    }
}

TEST(DayActivitiesTextTest, TimesShowHoursOnlyFromAnHour) {
    const struct {
        std::int32_t seconds;
        const char* text;
    } kCases[] = {{0, "00:00"},      {-5, "00:00"},       {9, "00:09"},           {3599, "59:59"},
                  {3600, "1:00:00"}, {36061, "10:01:01"}, {48 * 3600, "48:00:00"}};
    for (const auto& c : kCases) {
        EXPECT_EQ(DayActivitiesText::Time(c.seconds), c.text) << c.seconds;
    }
}

} // namespace
