#include "goals/GoalProgress.h"

#include <gtest/gtest.h>

namespace {

// A logbook in km whose days without activities are Running, unless a test says otherwise.
class GoalProgressTest : public ::testing::Test {
protected:
    void Day(std::int32_t key, float km, std::int32_t seconds = 0) {
        DayRecord day = DayRecord::Blank(key);
        day.distance = km;
        day.time = seconds;
        days.push_back(day);
    }
    void Activity(std::int32_t key, const char* sport, double metres, std::int32_t seconds = 0) {
        ActivityRow row;
        row.day = key;
        row.sport = sport;
        row.metres = metres;
        row.movingSeconds = seconds;
        rows.push_back(row);
    }
    static Goal Recurring(Goal::Span span, Goal::Quantity quantity, double amount,
                          const char* sport = "") {
        Goal goal;
        goal.span = span;
        goal.quantity = quantity;
        goal.amount = amount;
        goal.sport = sport;
        return goal;
    }
    GoalProgress::State At(const Goal& goal, std::int32_t today,
                           WeekStart start = WeekStart::Monday) const {
        return GoalProgress::Of(goal, today, start, days, rows, defaultSport, 1000);
    }

    std::vector<DayRecord> days;
    std::vector<ActivityRow> rows;
    std::string defaultSport = "Running";
};

TEST_F(GoalProgressTest, AYearlyDistanceGoalProjectsItsRateAndSaysWhatEachWeekNeeds) {
    Day(20250612, 99);                     // last year: not this goal's
    Day(20260110, 300);                    // no activities: Running by default
    Activity(20260215, "Running", 240000); // 240 km
    Day(20260215, 240);                    // the day the activity made: not counted twice
    Activity(20260401, "Running", 50000);  // after today
    const GoalProgress::State s =
        At(Recurring(Goal::Span::Year, Goal::Quantity::Distance, 2000000), 20260331);

    EXPECT_EQ(s.first, 20260101);
    EXPECT_EQ(s.last, 20261231);
    EXPECT_EQ(s.days, 365);
    EXPECT_EQ(s.daysGone, 90); // 31 + 28 + 31
    EXPECT_DOUBLE_EQ(s.done, 540000);
    EXPECT_DOUBLE_EQ(s.remaining, 1460000);
    EXPECT_NEAR(s.shareGone, 0.246575, 1e-6); // 90 / 365
    // 540 km / 90 days * 365 = 6 km a day * 365 = 2,190 km.
    EXPECT_NEAR(s.projection, 2190000, 1e-6);
    // 1,460 km over the 275 days after today: 5.30909 km a day, 37.1636 km a week.
    EXPECT_NEAR(s.perDay, 5309.09, 0.01);
    EXPECT_NEAR(s.perWeek, 37163.64, 0.01);
    // 540 - 2,000 * 90 / 365 = 540 - 493.1507 = 46.8493 km ahead.
    EXPECT_NEAR(s.pace, 46849.3, 0.1);
}

TEST_F(GoalProgressTest, AWeekGoalOnItsFirstAndLastDayAndUnderEachWeekStart) {
    Day(20261206, 20); // Sunday: the Monday week before
    Day(20261207, 5);  // Monday
    Day(20261210, 15);
    Day(20261213, 20); // Sunday
    const Goal goal = Recurring(Goal::Span::Week, Goal::Quantity::Distance, 50000);

    const GoalProgress::State monday = At(goal, 20261207);
    EXPECT_EQ(monday.daysGone, 1);
    EXPECT_DOUBLE_EQ(monday.done, 5000);
    EXPECT_DOUBLE_EQ(monday.perDay, 7500);      // 45 km over 6 days
    EXPECT_DOUBLE_EQ(monday.perWeek, 45000);    // 7.5 * 7 = 52.5, but only 45 are left
    EXPECT_DOUBLE_EQ(monday.projection, 35000); // 5 * 7
    EXPECT_NEAR(monday.pace, -2142.857, 0.001); // 5 - 50 / 7

    const GoalProgress::State sunday = At(goal, 20261213);
    EXPECT_EQ(sunday.last, 20261213);
    EXPECT_EQ(sunday.daysGone, 7);
    EXPECT_DOUBLE_EQ(sunday.done, 40000);   // 5 + 15 + 20
    EXPECT_DOUBLE_EQ(sunday.perDay, 10000); // today must hold all 10 km left
    EXPECT_DOUBLE_EQ(sunday.perWeek, 10000);
    EXPECT_DOUBLE_EQ(sunday.pace, -10000); // 40 - 50 * 7 / 7

    const GoalProgress::State sundayWeek = At(goal, 20261213, WeekStart::Sunday);
    EXPECT_EQ(sundayWeek.first, 20261213);
    EXPECT_EQ(sundayWeek.last, 20261219);
    EXPECT_DOUBLE_EQ(sundayWeek.done, 20000);
}

TEST_F(GoalProgressTest, AMonthTimeGoalEndsWithItsMonthAndTheNextStartsAfresh) {
    Day(20260201, 10, 3 * 3600);
    Day(20260214, 10, 3 * 3600);
    Day(20260228, 10, 3 * 3600);
    const Goal goal = Recurring(Goal::Span::Month, Goal::Quantity::Time, 36000);

    const GoalProgress::State end = At(goal, 20260228);
    EXPECT_EQ(end.days, 28);
    EXPECT_DOUBLE_EQ(end.done, 32400);  // 3 * 3 h
    EXPECT_DOUBLE_EQ(end.pace, -3600);  // 32,400 - 36,000 * 28 / 28
    EXPECT_DOUBLE_EQ(end.perDay, 3600); // the last day holds the hour left

    const GoalProgress::State next = At(goal, 20260301);
    EXPECT_EQ(next.first, 20260301);
    EXPECT_EQ(next.days, 31);
    EXPECT_DOUBLE_EQ(next.done, 0);
    EXPECT_NEAR(next.pace, -1161.29, 0.01); // 0 - 36,000 / 31
}

TEST_F(GoalProgressTest, TheSportPicksActivitiesAndDaysWithoutThemGoUnderTheDefaultSport) {
    Activity(20260505, "Running", 10000, 3000);
    Activity(20260505, "Cycling", 30000, 3600);
    Day(20260505, 40); // the day of the two activities
    Day(20260506, 8, 2400);
    const struct {
        const char* name;
        const char* sport;
        const char* defaultSport;
        Goal::Quantity quantity;
        double done;
    } cases[] = {
        {"running, any case", "running", "Running", Goal::Quantity::Distance, 18000}, // 10 + 8
        {"running by its word", "Run", "Running", Goal::Quantity::Distance, 18000},
        {"biking is cycling", "Biking", "Run", Goal::Quantity::Distance, 30000},
        {"cycling", "Cycling", "Running", Goal::Quantity::Distance, 30000},
        {"cycling by default", "Cycling", "Cycling", Goal::Quantity::Distance, 38000}, // 30 + 8
        {"every sport", "", "Running", Goal::Quantity::Distance, 48000},    // 10 + 30 + 8
        {"running time", "Running", "Running", Goal::Quantity::Time, 5400}, // 3,000 + 2,400 s
        {"running activities", "Running", "Running", Goal::Quantity::Activities, 2},
        {"all activities", "", "Running", Goal::Quantity::Activities, 3},
        {"cycling days", "Cycling", "Running", Goal::Quantity::Days, 1},
        {"swimming", "Swimming", "Running", Goal::Quantity::Days, 0},
    };
    for (const auto& c : cases) {
        defaultSport = c.defaultSport;
        const GoalProgress::State s =
            At(Recurring(Goal::Span::Month, c.quantity, 100, c.sport), 20260531);
        EXPECT_DOUBLE_EQ(s.done, c.done) << c.name;
    }
}

TEST_F(GoalProgressTest, DatesAheadAndBehindToday) {
    Day(20260310, 12);
    Goal goal = Recurring(Goal::Span::Dates, Goal::Quantity::Distance, 100000);
    goal.first = 20260301;
    goal.last = 20260310; // 10 days

    const GoalProgress::State before = At(goal, 20260220);
    EXPECT_EQ(before.daysGone, 0);
    EXPECT_DOUBLE_EQ(before.done, 0);
    EXPECT_DOUBLE_EQ(before.perDay, 10000); // 100 km over all 10 days
    EXPECT_DOUBLE_EQ(before.projection, 0);
    EXPECT_DOUBLE_EQ(before.pace, 0);

    const GoalProgress::State after = At(goal, 20260401);
    EXPECT_EQ(after.daysGone, 10);
    EXPECT_DOUBLE_EQ(after.done, 12000);
    EXPECT_DOUBLE_EQ(after.remaining, 88000);
    EXPECT_DOUBLE_EQ(after.perDay, 0) << "nothing is needed of a period that has ended";
    EXPECT_DOUBLE_EQ(after.pace, -88000);
}

TEST_F(GoalProgressTest, ErasedAndEmptyDaysCountForNothing) {
    Day(20260102, 10);
    days.back().erased = 1;
    Day(20260103, 0); // a day of notes only
    const GoalProgress::State s =
        At(Recurring(Goal::Span::Year, Goal::Quantity::Days, 100), 20260110);
    EXPECT_DOUBLE_EQ(s.done, 0);
}

} // namespace
