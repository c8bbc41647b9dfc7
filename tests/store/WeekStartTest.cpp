#include "store/WeekStart.h"

#include <gtest/gtest.h>

namespace {

TEST(WeekStartTest, DayNumbersRunThroughLeapDaysAndCenturies) {
    EXPECT_EQ(weeks::DayNumber(19700101), 0);
    EXPECT_EQ(weeks::DayNumber(19600101), -3653); // 1960..1969: 10 years, 1960, 64, 68 leap
    EXPECT_EQ(weeks::DayNumber(20000301), 11017); // 30 years of 365 + 7 leap days + 31 + 29
    for (const std::int32_t key : {19600101, 19600229, 20000229, 20991231, 21000301}) {
        EXPECT_EQ(weeks::KeyOfDayNumber(weeks::DayNumber(key)), key) << key;
    }
}

TEST(WeekStartTest, AWeekBeginsOnItsFirstDayAcrossTheYearsEnd) {
    // 1 January 2026 is a Thursday.
    EXPECT_EQ(weeks::FirstDay(20260101, WeekStart::Monday), 20251229);
    EXPECT_EQ(weeks::FirstDay(20260101, WeekStart::Sunday), 20251228);
    EXPECT_EQ(weeks::FirstDay(20260101, WeekStart::Saturday), 20251227);
    EXPECT_EQ(weeks::FirstDay(20251229, WeekStart::Monday), 20251229);
    EXPECT_EQ(weeks::FirstDay(20260104, WeekStart::Monday), 20251229); // its Sunday
    EXPECT_EQ(weeks::FirstDay(20260104, WeekStart::Sunday), 20260104);
    EXPECT_EQ(weeks::FirstDay(20240302, WeekStart::Saturday), 20240302);
    EXPECT_EQ(weeks::FirstDay(20240301, WeekStart::Saturday), 20240224); // over 29 Feb
}

} // namespace
