// A day's figures made from its activities, with the user's own fields left alone.

#include "activities/ActivityTotals.h"
#include "activities/ActivityDays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

ActivityRow Row(double metres, std::int32_t seconds, std::int32_t calories, std::int32_t maxHr) {
    ActivityRow row;
    row.sport = "Running";
    row.metres = metres;
    row.movingSeconds = seconds;
    row.elapsedSeconds = seconds + 600; // a stop at the lights counts for nothing
    row.calories = calories;
    row.maxHeartRate = maxHr;
    return row;
}

// A day the user filled in by hand before any file came.
DayRecord Typed() {
    DayRecord day = DayRecord::Blank(20260301);
    day.distance = 12.5F;
    day.time = 4000;
    day.pace = 320;
    day.speed = 11.25F;
    day.maxHeartRate = 190;
    day.calories = 900;
    day.restHeartRate = 44;
    day.waterUsed = 1.5F;
    day.hoursSlept = 7.5F;
    day.temperature = -2;
    day.bodyWeight = 70.2F;
    day.competition = 'Y';
    day.difficulty = 'H';
    std::strcpy(day.workout, "Intervals");
    std::strcpy(day.comments, "Windy, felt strong");
    return day;
}

TEST(ActivityTotalsTest, TheFiguresAreTheActivitiesAndTheRestStaysTheUsers) {
    const struct {
        const char* name;
        std::vector<ActivityRow> activities;
        ActivityDays::Unit unit;
        float distance;
        std::int32_t time, pace;
        float speed;
        std::int32_t maxHr, calories;
    } kCases[] = {
        {"no activity: the day as typed",
         {},
         ActivityDays::Unit::Kilometres,
         12.5F,
         4000,
         320,
         11.25F,
         190,
         900},
        {"one run",
         {Row(10000, 3000, 650, 175)},
         ActivityDays::Unit::Kilometres,
         10.0F,
         3000,
         300,
         12.0F,
         175,
         650},
        // 40000 m = 24.8548 mi -> 24.85; 6600 s / 24.85 = 265.6 s; 24.85 / 6600 s * 3600
        {"a run and a ride in miles",
         {Row(10000, 3000, 650, 175), Row(30000, 3600, 800, 160)},
         ActivityDays::Unit::Miles,
         24.85F,
         6600,
         266,
         13.55F,
         175,
         1450},
        {"a heart rate not recorded is no maximum",
         {Row(1236, 400, 0, 0), Row(2000, 500, 100, 0)},
         ActivityDays::Unit::Kilometres,
         3.24F,
         900,
         278,
         12.96F,
         0,
         100},
        {"without a moving time, no pace or speed",
         {Row(5000, 0, 0, 150)},
         ActivityDays::Unit::Kilometres,
         5.0F,
         0,
         0,
         0.0F,
         150,
         0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        DayRecord day = Typed();
        const double perUnit = ActivityDays::MetresPer(c.unit);
        ActivityTotals::Apply(day, c.activities, perUnit);
        EXPECT_EQ(day.distance, c.distance);
        EXPECT_EQ(day.time, c.time);
        EXPECT_EQ(day.pace, c.pace);
        EXPECT_EQ(day.speed, c.speed);
        EXPECT_EQ(day.maxHeartRate, c.maxHr);
        EXPECT_EQ(day.calories, c.calories);
        EXPECT_TRUE(ActivityTotals::Agree(day, c.activities, perUnit));

        DayRecord user = Typed();
        std::memcpy(&user, &day, offsetof(DayRecord, restHeartRate));
        user.maxHeartRate = day.maxHeartRate;
        user.calories = day.calories;
        EXPECT_EQ(std::memcmp(&user, &day, sizeof day), 0) << "a field of the user's changed";
    }
}

TEST(ActivityTotalsTest, ADayDisagreesWhenAFigureIsNotItsActivities) {
    const std::vector<ActivityRow> activities{Row(10000, 3000, 650, 175)};
    DayRecord day = Typed();
    EXPECT_FALSE(ActivityTotals::Agree(day, activities, 1000));
    ActivityTotals::Apply(day, activities, 1000);
    day.calories = 651;
    EXPECT_FALSE(ActivityTotals::Agree(day, activities, 1000));
    EXPECT_TRUE(ActivityTotals::Agree(Typed(), {}, 1000)) << "a day of no activities is its own";
}

TEST(ActivityTotalsTest, AnActivityIsStoredInTheSportNamesOfFit) {
    Activity ride{1772348400, 3600, "Biking", 3599.6, 20000, 499.5, 170, 141.4, "", 0, {}};
    ActivityRow row = ActivityTotals::RowOf(ride, 20260301, "ride.tcx", 42);
    EXPECT_EQ(row.sport, "Cycling");
    EXPECT_EQ(row.movingSeconds, 3600);
    EXPECT_EQ(row.elapsedSeconds, 3600) << "not told: the moving time";
    EXPECT_EQ(row.calories, 500);
    EXPECT_EQ(row.avgHeartRate, 141);
    EXPECT_EQ(row.ascent, std::nullopt);
    ride.elapsed = 4200;
    ride.ascent = 310;
    row = ActivityTotals::RowOf(ride, 20260301, "ride.tcx", 42);
    EXPECT_EQ(row.elapsedSeconds, 4200);
    EXPECT_EQ(row.ascent, 310.0);
    EXPECT_EQ(row.file, "ride.tcx");
    EXPECT_EQ(row.fileHash, 42U);
}

} // namespace
