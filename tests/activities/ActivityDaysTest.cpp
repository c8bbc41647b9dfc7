// Activities placed on their local dates and the entries their days make.

#include "activities/ActivityDays.h"
#include "LocalZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr std::int64_t kMorning = 1772348400; // 2026-03-01 07:00:00 UTC

Activity Make(std::int64_t start, const char* sport, double seconds, double metres,
              double calories = 0, int maxHr = 0, std::optional<double> avgHr = std::nullopt) {
    return {start, 0, sport, seconds, metres, calories, maxHr, avgHr, {}, 0, {}};
}

// A run at 23:30 on 1 March five hours west of Greenwich is on 2 March in UTC.
TEST(ActivityDaysTest, AnActivityGoesOnTheLocalDateOfItsStart) {
    LocalZone zone;
    Activity late = Make(1772425800, "Running", 60, 0); // 2026-03-02 04:30:00 UTC
    late.localOffset = -5 * 3600;
    EXPECT_EQ(ActivityDays::DateKeyOf(late), 20260301);
    late.localOffset = 0;
    EXPECT_EQ(ActivityDays::DateKeyOf(late), 20260302);
    late.localOffset.reset();
    zone.Set("XST5");
    EXPECT_EQ(ActivityDays::DateKeyOf(late), 20260301);
    zone.Set("UTC0");
    EXPECT_EQ(ActivityDays::DateKeyOf(late), 20260302);
    zone.Set("XST-10"); // ten hours east
    EXPECT_EQ(ActivityDays::DateKeyOf(late), 20260302);
    late.start = kMorning + 16 * 3600; // 23:00 UTC
    EXPECT_EQ(ActivityDays::DateKeyOf(late), 20260302);
}

TEST(ActivityDaysTest, OneDaysActivitiesMakeItsEntry) {
    ActivityDays placed;
    ASSERT_TRUE(placed.Add("a.gpx", {Make(kMorning, "Cycling", 3600, 30000, 800, 170, 140)}));
    ASSERT_TRUE(
        placed.Add("b.fit", {Make(kMorning - 3600, "Running", 1800.4, 5000.4, 400.4, 180, 160),
                             Make(kMorning + 86400, "Running", 0, 2000)}));
    const struct {
        ActivityDays::Unit unit;
        float distance;
        int pace;
        float speed;
    } kUnits[] = {
        {ActivityDays::Unit::Kilometres, 35.00f, 154, 23.33f}, // 35.0004 km in 1:30:00
        {ActivityDays::Unit::Miles, 21.75f, 248, 14.50f},      // 21.748 mi
    };
    for (const auto& u : kUnits) {
        const std::vector<ActivityDays::Day> days = placed.Days(u.unit);
        ASSERT_EQ(days.size(), 2u);
        const DayRecord& r = days[0].record;
        EXPECT_EQ(r.dateKey, 20260301);
        EXPECT_EQ(r.distance, u.distance);
        EXPECT_EQ(r.time, 5400);
        EXPECT_EQ(r.pace, u.pace);
        EXPECT_EQ(r.speed, u.speed);
        EXPECT_EQ(r.calories, 1200);
        EXPECT_EQ(r.maxHeartRate, 180);
        EXPECT_EQ(r.restHeartRate, 0);
        EXPECT_EQ(r.competition, 'N');
        EXPECT_EQ(r.difficulty, 0);
        EXPECT_EQ(r.erased, 0);
        EXPECT_EQ(r.WorkoutText(), "Run + Ride");
        // (160 * 1800.4 + 140 * 3600) / 5400.4 = 146.67
        EXPECT_EQ(r.CommentsText(), "Avg HR 147. Imported from b.fit, a.gpx");
        EXPECT_EQ(days[0].files, (std::vector<std::string>{"b.fit", "a.gpx"}));

        const DayRecord& next = days[1].record;
        EXPECT_EQ(next.dateKey, 20260302);
        EXPECT_EQ(next.time, 0);
        EXPECT_EQ(next.pace, 0);
        EXPECT_EQ(next.speed, 0.0f) << "no time, no speed";
        EXPECT_EQ(next.CommentsText(), "Imported from b.fit");
    }
}

// The workout names each sport once in short words, in start order, without transitions;
// what does not fit whole is counted as "+N".
TEST(ActivityDaysTest, TheWorkoutListsTheSportsInShortWholeWords) {
    const struct {
        const char* name;
        std::vector<const char*> sports; // one activity a minute, in this order
        const char* workout;
    } kCases[] = {
        {"a triathlon's transitions are no sport",
         {"Swimming", "Transition", "Cycling", "Transition", "Running"},
         "Swim + Ride + Run"},
        {"Biking and Cycling are one sport", {"Biking", "Cycling"}, "Ride"},
        {"a sport again is named once", {"Running", "Cycling", "Running"}, "Run + Ride"},
        {"a sport without a short word keeps its name",
         {"Other", "Horseback riding"},
         "Other + Horseback riding"},
        // 16 + 3 + 3 + 3 + 4 = 29 characters: the field's all
        {"29 characters fit",
         {"Horseback riding", "Running", "Cycling"},
         "Horseback riding + Run + Ride"},
        // "Run + Ride + Swim + Walk" is 24, " + Hike" would make 31; " +3" makes 27
        {"what does not fit is counted",
         {"Running", "Cycling", "Swimming", "Walking", "Hiking", "Rowing", "Alpine skiing"},
         "Run + Ride + Swim + Walk +3"},
        // all four: 36; three and " +1": 32; two and " +2": 22 + 3 = 25
        {"the count takes room of its own",
         {"Horseback riding", "Running", "Cycling", "Swimming"},
         "Horseback riding + Run +2"},
        {"only a transition names nothing", {"Transition"}, ""},
    };
    for (const auto& c : kCases) {
        std::vector<Activity> activities;
        for (const char* sport : c.sports) {
            activities.push_back(Make(kMorning + 60 * std::ssize(activities), sport, 60, 0));
        }
        ActivityDays placed;
        ASSERT_TRUE(placed.Add("a.fit", activities)) << c.name;
        const std::vector<ActivityDays::Day> days = placed.Days(ActivityDays::Unit::Kilometres);
        ASSERT_EQ(days.size(), 1u) << c.name;
        EXPECT_EQ(days[0].record.WorkoutText(), c.workout) << c.name;
    }
}

TEST(ActivityDaysTest, TextsAreCutToTheirFieldsInTheRecordsCharacters) {
    ActivityDays placed;
    ASSERT_TRUE(placed.Add("Café→.fit", {Make(kMorning, "Running", 1800, 0)}));
    std::vector<ActivityDays::Day> days = placed.Days(ActivityDays::Unit::Kilometres);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].record.CommentsText(), "Imported from Caf\xE9?.fit");
    EXPECT_EQ(days[0].record.pace, 0) << "no distance, no pace";

    ActivityDays many;
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(many.Add("activity-" + std::to_string(100 + i) + ".fit",
                             {Make(kMorning + i, "Running", 60, 100)}));
    }
    days = many.Days(ActivityDays::Unit::Kilometres);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].record.CommentsText().size(), 255u);
    EXPECT_EQ(days[0].record.CommentsText().substr(0, 48),
              "Imported from activity-100.fit, activity-101.fit");
}

TEST(ActivityDaysTest, AFileStartingOutsideTheLogbooksYearsIsLeftOutWhole) {
    ActivityDays placed;
    const std::int64_t lastDay = 4133980800 - 60; // 2100-12-31 23:59:00 UTC
    EXPECT_TRUE(placed.Add("last.fit", {Make(lastDay, "Running", 60, 0)}));
    EXPECT_FALSE(placed.Add(
        "later.fit", {Make(kMorning, "Running", 60, 0), Make(lastDay + 120, "Running", 60, 0)}));
    EXPECT_FALSE(placed.Add("early.gpx", {Make(-315619200 - 1, "Running", 60, 0)})); // 1959
    const std::vector<ActivityDays::Day> days = placed.Days(ActivityDays::Unit::Kilometres);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].record.dateKey, 21001231);
}

} // namespace
