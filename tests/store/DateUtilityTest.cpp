#include "store/DateUtility.h"

#include <gtest/gtest.h>

namespace {

DateValue Date(int year, int month, int day, int weekday) {
    return {month, weekday, day, year};
}

TEST(DateUtility, WeekdayOfMonthStartIsTrueForEveryMonthOfTheCalendar) {
    const DateUtility dates;
    // Walk day by day from 1 January 1960, a Friday, and compare every first of a month.
    DateValue d = Date(1960, 1, 1, 6);
    EXPECT_EQ(dates.WeekdayOfMonthStart(Date(2026, 1, 15, 1)), 4);
    EXPECT_EQ(dates.WeekdayOfMonthStart(Date(2000, 3, 1, 1)), 3);
    int checked = 0;
    while (d.year < 2100) {
        if (d.day == 1) {
            ASSERT_EQ(dates.WeekdayOfMonthStart(d), d.weekday - 1) << d.year << "-" << d.month;
            ++checked;
        }
        ASSERT_EQ(DateValue::Of(d.year, d.month, d.day), d);
        dates.AddDays(d, 1);
    }
    EXPECT_EQ(checked, 140 * 12);
    EXPECT_EQ(dates.WeekdayOfMonthStart(Date(2100, 1, 1, 1)), 5); // a Friday
    EXPECT_EQ(dates.WeekdayOfMonthStart(Date(2100, 3, 1, 1)), 1); // a Monday
}

TEST(DateUtility, SteppingStopsAtTheCalendarEnds) {
    const DateUtility dates;
    DateValue d = Date(2099, 12, 31, 5);
    dates.AddDays(d, 5);
    EXPECT_EQ(d, Date(2100, 1, 1, 6));
    d = Date(1961, 1, 1, 1);
    dates.SubtractDays(d, 3);
    EXPECT_EQ(d, Date(1960, 12, 31, 7));
    d = Date(2000, 2, 28, 2);
    dates.AddDays(d, 1);
    EXPECT_EQ(d.day, 29);
    d = Date(2026, 1, 31, 7);
    dates.NextMonth(d);
    EXPECT_EQ(d, Date(2026, 2, 31, 7));
}

TEST(DateUtility, DaysBetweenEndsForEveryPairOfDates) {
    const DateUtility dates;
    EXPECT_EQ(dates.DaysBetween(Date(2026, 1, 1, 5), Date(2026, 1, 1, 5)), 1);
    EXPECT_EQ(dates.DaysBetween(Date(2026, 1, 1, 5), Date(2026, 1, 31, 7)), 31);
    EXPECT_EQ(dates.DaysBetween(Date(2026, 1, 31, 7), Date(2026, 1, 1, 5)), 0);
    EXPECT_EQ(dates.DaysBetween(Date(2026, 1, 1, 1), Date(2026, 1, 2, 1)), 2);
    EXPECT_EQ(dates.DaysBetween(Date(2026, 2, 30, 1), Date(2026, 3, 2, 1)), 0);
}

TEST(DateUtility, TextsAndDurations) {
    const DateUtility dates;
    EXPECT_EQ(dates.LongDateText(Date(2026, 1, 5, 2)), "MON, JAN 05, 2026");
    EXPECT_EQ(dates.LongDateText(Date(2026, 1, 8, 5)), "THR, JAN 08, 2026");
    EXPECT_EQ(dates.ShortDateText(Date(2026, 1, 5, 2)), "JAN-05-2026");
    EXPECT_EQ(dates.MonthText(Date(2026, 1, 5, 2)), "JAN, 2026");
    EXPECT_EQ(dates.DurationText(-5), "00:00:00");
    EXPECT_EQ(dates.DurationText(3725), "01:02:05");
    EXPECT_EQ(dates.DurationText(360000), "100:00:00");
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"45", "00:45:00"},      {"45:30", "00:45:30"}, {"1:02:03", "01:02:03"},
                 {"75:10", "00:00:10"},   {"1::5", "00:01:05"},  {"", "00:00:00"},
                 {"90:00:00", "00:00:00"}};
    for (const auto& c : cases) {
        std::string text = c.typed;
        dates.NormaliseDurationText(text);
        EXPECT_EQ(text, c.shown) << c.typed;
    }
    EXPECT_EQ(dates.SecondsOfDurationText("01:02:03"), 3723);
    EXPECT_EQ(dates.SecondsOfDurationText("1:2:3"), 0);
    std::tm clock{};
    clock.tm_year = 50;
    EXPECT_EQ(DateUtility::DateOfClock(clock).year, 2050);
    clock.tm_year = 51;
    EXPECT_EQ(DateUtility::DateOfClock(clock).year, 1951);
}

// The reading of typed durations: what is taken whole, and what is refused rather than
// read as some other value.
TEST(DateUtility, DurationsAreReadWholeOrRefused) {
    const DateUtility dates;
    const struct {
        const char* typed;
        std::int32_t seconds;
    } kRead[] = {{"50", 3000},
                 {"50:00", 3000},
                 {"1:05", 65},
                 {"0:01:05", 65},
                 {"1:05:00", 3900},
                 {" 45:30 ", 2730},
                 {"", 0},
                 {"   ", 0},
                 {"100:00:00", 360000},
                 {"596523:14:07", 2147483647}};
    for (const auto& c : kRead) {
        std::int32_t seconds = -1;
        EXPECT_TRUE(dates.ReadDuration(c.typed, seconds)) << '"' << c.typed << '"';
        EXPECT_EQ(seconds, c.seconds) << '"' << c.typed << '"';
    }
    for (const char* typed : {"596523:14:08", "130:00", "90", "7:75:00", "1:60", "44.10", "1::5",
                              ":30", "1:", "-5", "1:2:3:4", "1:005", "abc", "1: 05"}) {
        std::int32_t seconds = -1;
        EXPECT_FALSE(dates.ReadDuration(typed, seconds)) << '"' << typed << '"';
        EXPECT_EQ(seconds, -1) << '"' << typed << '"';
    }
}

} // namespace
