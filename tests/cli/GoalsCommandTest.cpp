// Goals set, listed and taken away from the command line, with the figures the Goals window
// shows. Goals over past dates, so that today's date changes nothing.

#include "ToolFixture.h"
#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class GoalsCommandTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        // 10 km, 30 km (a ride) and 15 km in the first ten days of March 2025, one day before.
        MakeLogbook(Path("a.vrl"), {Day(20250228).Distance(50), Day(20250301).Distance(10),
                                    Day(20250302).Distance(30), Day(20250305).Distance(15)});
        Holder holder(Path("a.vrl"));
        ActivityStore store;
        store.Open(holder.db, true);
        ActivityRow ride;
        ride.day = 20250302;
        ride.sport = "Cycling";
        ride.metres = 30000;
        std::vector<ActivityRow> rows{ride};
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }

    // The listing after a change that must succeed.
    std::string Goals(const char* line) {
        EXPECT_EQ(Run(line), 0) << err;
        return out;
    }
};

TEST_F(GoalsCommandTest, AGoalOverDatesShowsWhatWasDoneAndWhatWasLeft) {
    EXPECT_EQ(Goals("goals @a.vrl"), "No goals are set (--add sets one).\n");
    // Every sport: 10 + 30 + 15 = 55 of 100 km, the ten days all gone: 45 km behind.
    EXPECT_EQ(Goals("goals @a.vrl --add 2025-03-01..2025-03-10 distance 100"),
              "1  2025-03-01..2025-03-10: 100 km\n"
              "   2025-03-01..2025-03-10: 55 of 100 km, 45 km behind pace\n"
              "   100% gone; ended 45 km short; projected 55 km\n");
    // Running: the days without activities, 10 + 15 = 25; two of them in the ten days.
    const std::string running = Goals("goals @a.vrl --add 2025-03-01..2025-03-10 days 2 "
                                      "--sport Running");
    EXPECT_TRUE(Holds(running, "2  2025-03-01..2025-03-10: 2 active days, Running\n"
                               "   2025-03-01..2025-03-10 Running: 2 of 2 days, on pace\n"
                               "   100% gone; reached; projected 2 days\n"));
    EXPECT_EQ(Goals("goals @a.vrl --csv"),
              "number,period,first,last,quantity,sport,amount,done,remaining,gonePercent,perDay,"
              "perWeek,projection,pace\n"
              "1,dates,2025-03-01,2025-03-10,distance (km),,100.0,55.0,45.0,100.0,0.0,0.0,55.0,"
              "-45.0\n"
              "2,dates,2025-03-01,2025-03-10,days,Running,2.0,2.0,0.0,100.0,0.0,0.0,2.0,0.0\n");
}

// A week goal's week is the one the settings file names, as in the Summary.
TEST_F(GoalsCommandTest, AWeekGoalFollowsTheSettingsWeek) {
    ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    std::filesystem::create_directories(Path("config/veloria"));
    Goals("goals @a.vrl --add week distance 20");
    // Monday weeks carry ISO labels (2026-W50); others are named by their first day.
    const struct {
        const char* setting;
        const char* label;
    } cases[] = {{"sun", "\n   week of "}, {"sat", "\n   week of "}, {"mon", "\n   20"}};
    for (const auto& c : cases) {
        Write(Path("config/veloria/vrl.ini"),
              std::string("[GENERAL INFO]\nWEEKSTART=") + c.setting + "\n");
        const std::string listed = Goals("goals @a.vrl");
        EXPECT_TRUE(Holds(listed, c.label)) << c.setting << "\n" << listed;
    }
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(GoalsCommandTest, RemoveTakesTheNumberedGoalAndARefusedAddChangesNothing) {
    Goals("goals @a.vrl --add 2025-03-01..2025-03-10 distance 100");
    Goals("goals @a.vrl --add 2025-03-01..2025-03-10 time 1:30:00 --sport Cycling");
    EXPECT_EQ(Run("goals @a.vrl --remove 1 --add 2025-03-01..2025-03-10 distance 12x"), 1);
    EXPECT_EQ(err, "veloria-logbook: The distance \"12x\" is not a number above zero (such as 2000 "
                   "or 42.2). Nothing was changed.\n");
    EXPECT_EQ(Run("goals @a.vrl --remove 3"), 1);
    EXPECT_EQ(err, "veloria-logbook: there is no goal 3 (2 are set); nothing was changed\n");
    EXPECT_TRUE(Holds(Goals("goals @a.vrl --remove 1"),
                      "1  2025-03-01..2025-03-10: 01:30:00 of time, Cycling\n"));
    EXPECT_EQ(out.find("100 km"), std::string::npos) << out;
}

TEST_F(GoalsCommandTest, WordsItDoesNotKnowAreUsageErrors) {
    const struct {
        const char* line;
        const char* said;
    } cases[] = {
        {"goals @a.vrl --add yearly distance 5", "--add \"yearly\" is not week, month, year"},
        {"goals @a.vrl --add 2025-03-10..2025-03-01 distance 5", "is not week, month, year"},
        {"goals @a.vrl --add year km 5", "--add \"km\" is not distance, time"},
        {"goals @a.vrl --add year distance", "goals --add needs LOGBOOK"},
        {"goals @a.vrl --remove 0", "--remove \"0\" is not a goal's number"},
        {"goals @a.vrl --sport Running", "--sport goes with --add"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.line), 2) << c.line;
        EXPECT_TRUE(Holds(err, c.said)) << c.line;
    }
    EXPECT_EQ(Goals("goals @a.vrl"), "No goals are set (--add sets one).\n");
}

} // namespace
