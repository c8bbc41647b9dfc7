// veloria-logbook stats, calendar and graph: the views' figures in a terminal.
#include "ToolFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class ViewCommandsTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        // 1, 2 and 3 December 2026: 5 km, 10 km (a race) and 7.5 km.
        MakeLogbook(Path("log.vrl"),
                    {Day(20261201).Distance(5).Time(1800).Competition('N'),
                     Day(20261202).Distance(10).Time(2400).Competition('Y').Difficulty('H'),
                     Day(20261203).Distance(7.5F).Time(3600).Competition('N')});
    }
    // The first line of what the tool printed.
    std::string FirstLine() const { return out.substr(0, out.find('\n')); }
};

TEST_F(ViewCommandsTest, StatsPrintsTheWindowsTable) {
    ASSERT_EQ(Run("stats @log.vrl --from 2026-12-01 --to 2026-12-10"), 0) << err;
    EXPECT_EQ(out, "Statistics from TUE, DEC 01, 2026 to THR, DEC 10, 2026, ALL DAYS\n"
                   "          Entries    Missed     Min.       Max.       Average    Total\n"
                   "Distance      3.00       7.00       5.00      10.00       7.50      22.50\n"
                   "Time          3.00       7.00   00:30:00   01:00:00   00:43:20   02:10:00\n"
                   "Pace       --         --         --         --         --         --\n"
                   "Speed      --         --         --         --         --         --\n"
                   "R H Rate   --         --         --         --         --         --\n"
                   "M H Rate   --         --         --         --         --         --\n"
                   "Calories   --         --         --         --         --         --\n"
                   "Water      --         --         --         --         --         --\n"
                   "Sleep      --         --         --         --         --         --\n"
                   "Weight     --         --         --         --         --         --\n");
    ASSERT_EQ(Run("stats @log.vrl --from=2026-12-01 --to=2026-12-10 --type competition --csv"), 0);
    EXPECT_EQ(out.substr(0, out.find("Pace")),
              "quantity,entries,missed,minimum,maximum,average,total\n"
              "Distance,1.00,9.00,10.00,10.00,10.00,10.00\n"
              "Time,1.00,9.00,00:40:00,00:40:00,00:40:00,00:40:00\n");
    EXPECT_TRUE(Holds(out, "Weight,,,,,,\n"));
    ASSERT_EQ(Run("stats @log.vrl --from=2026-12-01 --to=2026-12-10 --type competition"), 0);
    EXPECT_EQ(FirstLine(), "Statistics from TUE, DEC 01, 2026 to THR, DEC 10, 2026, COMPETITION");
}

TEST_F(ViewCommandsTest, StatsCsvHoldsWholeValuesNotTheWindowsCells) {
    MakeLogbook(Path("long.vrl"), {Day(20260101).Distance(123456.5F).Time(5475 * 3600),
                                   Day(20260102).Distance(123456.5F).Time(5475 * 3600)});
    ASSERT_EQ(Run("stats @long.vrl --from 2026-01-01 --to 2026-01-02 --csv"), 0) << err;
    EXPECT_TRUE(Holds(out, "\nDistance,2.00,0.00,123456.50,123456.50,123456.50,246913.00\n"
                           "Time,2.00,0.00,5475:00:00,5475:00:00,5475:00:00,10950:00:00\n"));
    ASSERT_EQ(Run("stats @long.vrl --from 2026-01-01 --to 2026-01-02"), 0);
    EXPECT_TRUE(Holds(out, "5475:00:00 10950:00:0\n"));
}

TEST_F(ViewCommandsTest, CalendarLaysTheMonthOutInWeeks) {
    ASSERT_EQ(Run("calendar @log.vrl --month 2026-12 --category difficulty"), 0) << err;
    // Difficulties neither add up nor average: the week and month figures stay empty.
    EXPECT_EQ(out.rfind("DEC, 2026  DIFFICULTY\n"
                        "SUN      MON      TUE      WED      THU      FRI      SAT      AVERAGE\n"
                        "                  01       02       03       04       05\n"
                        "                           H*\n",
                        0),
              0u)
        << out;
    EXPECT_TRUE(Holds(out, "\nMONTH AVERAGE  --\n")) << out;
    ASSERT_EQ(Run("calendar @log.vrl --month 2026-12"), 0);
    // 5 + 10 + 7.5 km in the first week, seven columns of nine characters before it.
    EXPECT_TRUE(
        Holds(out, "                  5.00     10.00*   7.50                       22.50\n"))
        << out;
    EXPECT_TRUE(Holds(out, "SAT      TOTAL\n"));
    EXPECT_TRUE(Holds(out, "\n\nMONTH TOTAL  22.50\n")) << out; // after a sixth week of no days
    // title, weekdays, six weeks of two, the month's figure
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 15);
}

TEST_F(ViewCommandsTest, CalendarAveragesWhatDoesNotAddUp) {
    // Weeks from Sunday: 29 November .. 5 December and 6 .. 12 December 2026.
    MakeLogbook(Path("hr.vrl"),
                {Day(20261201).Time(1800).RestHeartRate(50),
                 Day(20261202).Time(2400).RestHeartRate(53), Day(20261203).Time(3600),
                 Day(20261207).Time(600).RestHeartRate(60)});
    ASSERT_EQ(Run("calendar @hr.vrl --month 2026-12 --category time"), 0) << err;
    // 1800 + 2400 + 3600 s = 2:10:00; the month adds 600 s more.
    EXPECT_TRUE(Holds(out, "00:30:00 00:40:00 01:00:00                   02:10:00\n")) << out;
    EXPECT_TRUE(Holds(out, "\nMONTH TOTAL  02:20:00\n")) << out;
    ASSERT_EQ(Run("calendar @hr.vrl --month 2026-12 --category rest-hr"), 0) << err;
    // (50 + 53) / 2 = 51.5, rounded to 52; the day without a rate is left out; the month
    // (50 + 53 + 60) / 3 = 54.33.
    EXPECT_TRUE(Holds(out, "050      053      000                        052\n")) << out;
    EXPECT_TRUE(Holds(out, "\nMONTH AVERAGE  054\n")) << out;
}

TEST_F(ViewCommandsTest, GraphGivesThePointsOfTheWindow) {
    ASSERT_EQ(Run("graph @log.vrl --category time --from 2026-11-30 --to 2026-12-05"), 0) << err;
    EXPECT_EQ(
        out,
        "category TIME\n"
        "days 3\n"
        "group 1\n"
        "axis 3600\n"
        "labels 00:00:00 00:06:00 00:12:00 00:18:00 00:24:00 00:30:00 00:36:00 00:42:00 00:48:00 "
        "00:54:00 01:00:00\n"
        "points 1800 2400 3600\n"
        "averages\n");
    ASSERT_EQ(Run("graph @log.vrl --type training --from 2027-01-01 --to 2027-01-05"), 0);
    EXPECT_TRUE(Holds(out, "days 0\n"));
    EXPECT_TRUE(
        Holds(out, "labels 000 001 002 003 004 005 006 007 008 009 010\npoints\naverages\n"));
}

TEST_F(ViewCommandsTest, EachCategoryNameShowsItsOwnQuantity) {
    const struct {
        const char* name;
        const char* firstLine;
    } kCases[] = {
        {"distance", "category DISTANCE"},   {"time", "category TIME"},
        {"pace", "category PACE"},           {"speed", "category SPEED"},
        {"rest-hr", "category REST H RATE"}, {"max-hr", "category MAX H RATE"},
        {"calories", "category CALORIES"},   {"water", "category WATER"},
        {"sleep", "category HOURS SLEPT"},   {"temperature", "category TEMPERATURE"},
        {"weight", "category WEIGHT"},       {"difficulty", "category DIFFICULTY"},
    };
    for (const auto& c : kCases) {
        ASSERT_EQ(Run({"graph", Path("log.vrl"), "--category", c.name}), 0) << c.name << err;
        EXPECT_EQ(FirstLine(), c.firstLine);
        EXPECT_TRUE(Holds(LogBookTool::kUsage, c.name));
    }
    EXPECT_EQ(Run("calendar @log.vrl --category Distance"), 2);
    EXPECT_EQ(err.substr(0, err.find('\n')),
              "veloria-logbook: --category must be one of distance, time, pace, speed, rest-hr, "
              "max-hr, calories, water, sleep, temperature, weight, difficulty");
}

TEST_F(ViewCommandsTest, RangesAndNamesFollowTheWindowsLimits) {
    EXPECT_EQ(Run("stats @log.vrl --from 2020-01-01 --to 2024-12-31"), 2); // 1827 days
    EXPECT_TRUE(Holds(err, "at most 1825 days"));
    EXPECT_EQ(Run("stats @log.vrl --from 2021-01-01 --to 2025-12-30"), 0); // 1825
    EXPECT_EQ(Run("stats @log.vrl --from 2026-12-02 --to 2026-12-01"), 2);
    EXPECT_EQ(Run("calendar @log.vrl --month 1959-12"), 2);
    EXPECT_EQ(Run("calendar @log.vrl --month 2100-12"), 0);
    EXPECT_EQ(Run("graph @log.vrl --category height"), 2);
    EXPECT_EQ(Run("calendar @log.vrl --csv"), 2);
    EXPECT_EQ(Run("stats @none.vrl"), 1);
    ASSERT_EQ(Run("--help"), 0);
    EXPECT_TRUE(Holds(out, "veloria-logbook stats LOGBOOK"));
    EXPECT_TRUE(Holds(out, "veloria-logbook calendar LOGBOOK"));
}

TEST_F(ViewCommandsTest, RangeWordsChooseTheDays) {
    ASSERT_EQ(Run("stats @log.vrl --range all"), 0) << err;
    EXPECT_EQ(FirstLine(), "Statistics from TUE, DEC 01, 2026 to THR, DEC 03, 2026, ALL DAYS");
    ASSERT_EQ(Run("export @log.vrl --range=all"), 0) << err;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4); // the header and three days
    // 2021-12-05 .. 2026-12-03: five years from 2021-12-04 with 29 February 2024 are 1826
    // days, so the first of them is left out.
    MakeLogbook(Path("long.vrl"), {Day(20100101).Distance(1), Day(20261203).Distance(2)});
    ASSERT_EQ(Run("graph @long.vrl --range all"), 0) << err;
    EXPECT_EQ(err, "veloria-logbook: the range is cut to its last 1825 days, 2021-12-05 to "
                   "2026-12-03\n");
    ASSERT_EQ(Run("export @long.vrl --range all"), 0) << err;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3); // export is not cut
}

TEST_F(ViewCommandsTest, RangeWordsRefusedSayWhatIsAllowed) {
    for (const char* line : {"stats @log.vrl --range last:0d", "graph @log.vrl --range today",
                             "report @log.vrl --range last:3m", "export @log.vrl --range",
                             "activities @log.vrl --range yesterday"}) {
        EXPECT_EQ(Run(line), 2) << line;
        EXPECT_TRUE(Holds(err, "--range")) << line << err;
    }
    EXPECT_TRUE(Holds(err, "--range takes this-week, last-week, last:Nd, last:Nw, this-month, "
                           "last-month, ytd, last-year or all\n"))
        << err;
    for (const char* line : {"stats @log.vrl --range all --from 2026-12-01",
                             "export @log.vrl --to 2026-12-01 --range ytd"}) {
        EXPECT_EQ(Run(line), 2) << line;
        EXPECT_TRUE(Holds(err, "veloria-logbook: --range cannot go with --from or --to\n")) << err;
    }
    EXPECT_EQ(Run("calendar @log.vrl --range all"), 2);
    MakeLogbook(Path("empty.vrl"), {});
    EXPECT_EQ(Run("stats @empty.vrl --range all"), 1);
    EXPECT_EQ(err, "veloria-logbook: --range all: the logbook holds no days\n");
}

TEST_F(ViewCommandsTest, ReportWritesTheFileTheWindowWrites) {
    std::vector<std::string> week = {"report",     Path("log.vrl"), "--from",
                                     "2026-12-01", "--to",          "2026-12-10",
                                     "--title",    "Week 49",       "--no-page-numbers"};
    ASSERT_EQ(Run(week), 0) << err;
    const std::string text = out;
    // Two pages of 66 lines: the title page and one page of three days; no form feed.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 132);
    EXPECT_EQ(text.find('\f'), std::string::npos);
    EXPECT_TRUE(Holds(text, "\n\n\nReport Title      :  Week 49\n"));
    EXPECT_TRUE(Holds(
        text, "Days in Range     :  010\nNo. of Entries    :  003\nMissed Entries    :  007\n"));
    EXPECT_TRUE(Holds(text, "Competition      :  Yes\nDifficulty       :  Hard\n"));

    week.insert(week.end(), {"--output", Path("week.txt")});
    ASSERT_EQ(Run(week), 0) << err;
    EXPECT_EQ(Read(Path("week.txt")), text);
    EXPECT_EQ(Run({"report", Path("log.vrl"), "--title", std::string(80, 'x')}), 1);
    EXPECT_EQ(Run("report @log.vrl --output @log.vrl"), 1);
    EXPECT_EQ(Run("report @log.vrl --from 2020-01-01 --to 2024-12-31"), 2);
}

} // namespace
