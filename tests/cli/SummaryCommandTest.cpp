// veloria-logbook summary: the Summary window's rows in a terminal, for the same choices.
#include "ToolFixture.h"
#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

class SummaryCommandTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        // Nothing of the user's own settings: the folder holds no vrl.ini until a test writes one.
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        // Monday 30 Nov 2026 12 km, Tuesday 1 Dec 5 km, Monday 7 Dec 10 km; a year earlier,
        // Monday 1 Dec 2025, 8 km.
        MakeLogbook(Path("log.vrl"),
                    {Day(20251201).Distance(8).Time(2400), Day(20261130).Distance(12).Time(3600),
                     Day(20261201).Distance(5).Time(1800), Day(20261207).Distance(10).Time(3000)});
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        LogBookToolTest::TearDown();
    }
    // Monday 7 December: a 10 km run (heart rate 150) and a 30 km ride (120), which make the
    // day's figures.
    void RunAndRide() {
        std::vector<ActivityRow> rows(2);
        rows[0] = {0,   20261207, 1796630400, "Running", 10000, 3000, 3000,
                   150, 170,      0,          {},        "",    0,    ""};
        rows[1] = {0,   20261207, 1796655600, "Cycling", 30000, 3600, 3600,
                   120, 150,      0,          {},        "",    0,    ""};
        RecordingReporter reporter;
        const DateUtility dates;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(Path("log.vrl")), LogBookDatabase::OpenResult::Opened);
        ActivityStore store;
        store.Open(db, true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
        ASSERT_EQ(db.StoreRecord(Day(20261207).Distance(40).Time(6600)),
                  LogBookDatabase::StoreResult::Stored);
    }
    std::size_t Lines() const { return std::size_t(std::count(out.begin(), out.end(), '\n')); }
};

TEST_F(SummaryCommandTest, WeeksPrintTheWindowsRowsNewestFirst) {
    ASSERT_EQ(Run("summary @log.vrl --from 2026-11-23 --to 2026-12-09 --week-start mon"), 0) << err;
    // W50: 10 km against W49's 17: -41%. W49: 5400 s / 17 km = 317.6 s a km; 17 against the
    // 8 of 2025-W49: +112.5%, rounded away from zero.
    EXPECT_EQ(out, "Period              Distance      Time Days Acts Longest     Pace   HR Prev% "
                   "Year%\n"
                   "2026-W50               10.00   0:50:00    1    0   10.00  5:00/km    —  -41% "
                   "    —\n"
                   "2026-W49               17.00   1:30:00    2    0   12.00  5:18/km    —     — "
                   "+113%\n"
                   "2026-W48                0.00   0:00:00    0    0    0.00        —    —     — "
                   "    —\n");
    ASSERT_EQ(Run("summary @log.vrl --from=2026-11-30 --to=2026-12-09 --week-start=sun --csv"), 0);
    EXPECT_EQ(out, "first,last,period,distance,movingTime,activeDays,activities,longestDay,pace,"
                   "avgHeartRate,changePrevious,changeYearEarlier\n"
                   "2026-12-06,2026-12-12,week of 6 Dec 2026,10.00,0:50:00,1,0,10.00,5:00/km,,"
                   "-41%,\n"
                   "2026-11-29,2026-12-05,week of 29 Nov 2026,17.00,1:30:00,2,0,12.00,5:18/km,,,"
                   "+113%\n");
}

TEST_F(SummaryCommandTest, ActivitiesCountByTheSportAskedFor) {
    RunAndRide();
    ASSERT_EQ(Run("summary @log.vrl --per month --from 2026-11-01 --to 2026-12-31 --csv"), 0)
        << err;
    // December: 5 typed + 40 of activities = 45 km in 8400 s, 186.7 s a km; heart rate
    // (150 * 3000 + 120 * 3600) / 6600 = 133.6; 45 against November's 12 (+275%) and the 8
    // of December 2025 (+462.5%).
    EXPECT_EQ(out,
              "first,last,period,distance,movingTime,activeDays,activities,longestDay,pace,"
              "avgHeartRate,changePrevious,changeYearEarlier\n"
              "2026-12-01,2026-12-31,Dec 2026,45.00,2:20:00,2,2,40.00,3:07/km,134,+275%,+463%\n"
              "2026-11-01,2026-11-30,Nov 2026,12.00,1:00:00,1,0,12.00,5:00/km,,,\n");
    ASSERT_EQ(Run("summary @log.vrl --per month --from 2026-12-01 --to 2026-12-31 --sport ride "
                  "--csv"),
              0);
    EXPECT_TRUE(Holds(out, "\n2026-12-01,2026-12-31,Dec 2026,30.00,1:00:00,1,1,30.00,2:00/km,120,"
                           ",\n"));
    // Typed days are the default sport's, running: with the run, 5 + 10 km.
    ASSERT_EQ(Run("summary @log.vrl --per month --from 2026-12-01 --to 2026-12-31 --sport Running "
                  "--csv"),
              0);
    EXPECT_TRUE(Holds(out, "\n2026-12-01,2026-12-31,Dec 2026,15.00,1:20:00,2,1,10.00,5:20/km,150,"
                           "+25%,+88%\n"));
}

TEST_F(SummaryCommandTest, YearsAndLongRangesHaveNoLengthLimit) {
    ASSERT_EQ(Run("summary @log.vrl --per year --to 2026-12-31"), 0) << err;
    ASSERT_EQ(Lines(), 3U); // the header, 2026 and 2025, the year of the first day
    // 27 km in 3 days of 2026 against the 8 of 2025 (+237.5%), both the period before and the
    // same one a year earlier.
    EXPECT_TRUE(Holds(out,
                      "\n2026                   27.00   2:20:00    3    0   12.00  5:11/km    —"
                      " +238% +238%\n"));
    // 1990 .. 2026: 37 years of months, far past 1825 days.
    ASSERT_EQ(Run("summary @log.vrl --per month --from 1990-01-01 --to 2026-12-31"), 0) << err;
    EXPECT_EQ(Lines(), 1U + 37 * 12);
    // --range all: the first day with an entry (2025-12-01) to the last (2026-12-07).
    ASSERT_EQ(Run("summary @log.vrl --per year --range all"), 0) << err;
    EXPECT_EQ(Lines(), 3U);
    EXPECT_TRUE(Holds(out, "\n2025 "));
}

TEST_F(SummaryCommandTest, WeeksBeginOnTheSettingsDayUnlessTold) {
    std::filesystem::create_directories(Path("config/veloria"));
    Write(Path("config/veloria/vrl.ini"), "[GENERAL INFO]\nVERSION=3.2\nWEEKSTART = sat\n");
    ASSERT_EQ(Run("summary @log.vrl --from 2026-12-09 --to 2026-12-09 --csv"), 0) << err;
    EXPECT_TRUE(Holds(out, "\n2026-12-05,2026-12-11,week of 5 Dec 2026,"));
    ASSERT_EQ(Run("summary @log.vrl --from 2026-12-09 --to 2026-12-09 --csv --week-start mon"), 0);
    EXPECT_TRUE(Holds(out, "\n2026-12-07,2026-12-13,2026-W50,"));
}

// --range's weeks are the Summary's: one named week is one row, whatever day today is.
TEST_F(SummaryCommandTest, NamedWeeksBeginOnTheSettingsDay) {
    std::filesystem::create_directories(Path("config/veloria"));
    const struct {
        const char* setting;
        const char* options;
        const char* label; // how the week's row begins
    } cases[] = {
        {"mon", "", "\n20"}, // ISO weeks: 2026-W50
        {"sat", "", "\nweek of "},
        {"sun", "", "\nweek of "},
        {"sat", " --week-start mon", "\n20"}, // told outright: the setting gives way
    };
    for (const auto& c : cases) {
        Write(Path("config/veloria/vrl.ini"),
              std::string("[GENERAL INFO]\nWEEKSTART=") + c.setting + "\n");
        for (const char* range : {"this-week", "last-week"}) {
            const std::string line = std::string("summary @log.vrl --range ") + range + c.options;
            ASSERT_EQ(Run(line.c_str()), 0) << err;
            EXPECT_EQ(Lines(), 2U) << line << " with " << c.setting << ": the header and one week\n"
                                   << out;
            EXPECT_TRUE(Holds(out, c.label)) << line << " with " << c.setting << "\n" << out;
        }
    }
}

TEST_F(SummaryCommandTest, BadChoicesAreUsageErrors) {
    const struct {
        const char* line;
        const char* said;
    } cases[] = {
        {"summary @log.vrl --per fortnight", "--per must be week, month or year"},
        {"summary @log.vrl --week-start tue", "--week-start must be mon, sun or sat"},
        {"summary @log.vrl --from 2026-12-10 --to 2026-12-01", "--from is after --to"},
        {"summary @log.vrl --from 2026-13-01", "--from \"2026-13-01\" is not a date"},
        {"summary @log.vrl --type all", "unknown option --type for summary"},
        {"summary @log.vrl --range all --from 2026-12-01", "--range"},
        {"summary @log.vrl --range fortnight", "--range"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.line), 2) << c.line;
        EXPECT_TRUE(Holds(err, c.said)) << c.line;
        EXPECT_EQ(out, "") << c.line;
    }
    EXPECT_EQ(Run("summary @missing.vrl"), 1);
}

} // namespace
