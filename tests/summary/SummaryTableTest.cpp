#include "summary/SummaryTable.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kDash = "\xE2\x80\x94";

// Wednesday 9 December 2026: its Monday week is 2026-W50, from 7 December.
constexpr std::int32_t kToday = 20261209;

class SummaryTableTest : public testing::Test {
protected:
    void Day(std::int32_t key, float km, std::int32_t seconds) {
        DayRecord d = DayRecord::Blank(key);
        d.distance = km;
        d.time = seconds;
        days.push_back(d);
    }
    void Activity(std::int32_t key, const char* sport, double metres, std::int32_t seconds,
                  std::int32_t avgHeartRate = 0) {
        ActivityRow a;
        a.day = key;
        a.sport = sport;
        a.metres = metres;
        a.movingSeconds = seconds;
        a.avgHeartRate = avgHeartRate;
        activities.push_back(a);
    }
    const std::vector<SummaryTable::Row>& Compute(SummaryTable::Choice choice = {}) {
        table.Compute(days, activities, choice, "Running", ActivityDays::Unit::Kilometres, kToday);
        return table.Rows();
    }
    std::string Cell(std::size_t row, int column) const {
        return table.CellText(table.Rows().at(row), column);
    }

    std::vector<DayRecord> days;
    std::vector<ActivityRow> activities;
    SummaryTable table;
};

TEST_F(SummaryTableTest, WeeksRunNewestFirstAndEmptyWeeksAreZeroRows) {
    Day(20261207, 10, 3000);
    Day(20261208, 5, 1800);
    Day(20261130, 12, 3600); // Monday of 2026-W49
    const auto& rows = Compute();
    ASSERT_EQ(rows.size(), 12U);
    EXPECT_EQ(Cell(0, SummaryTable::kPeriod), "2026-W50");
    EXPECT_EQ(Cell(11, SummaryTable::kPeriod), "2026-W39"); // 50 - 11
    EXPECT_EQ(table.TodayRow(), 0);
    EXPECT_EQ(rows[0].figures.firstEntry, 20261207);
    // 15 km in 4800 s: 320 s a km; 15 against 12 the week before is +25%.
    EXPECT_EQ(Cell(0, SummaryTable::kDistance), "15.00");
    EXPECT_EQ(Cell(0, SummaryTable::kTime), "1:20:00");
    EXPECT_EQ(Cell(0, SummaryTable::kDays), "2");
    EXPECT_EQ(Cell(0, SummaryTable::kLongest), "10.00");
    EXPECT_EQ(Cell(0, SummaryTable::kPace), "5:20/km");
    EXPECT_EQ(Cell(0, SummaryTable::kVersusPrevious), "+25%");
    EXPECT_EQ(Cell(1, SummaryTable::kVersusPrevious), kDash);
    EXPECT_EQ(Cell(2, SummaryTable::kDistance), "0.00");
    EXPECT_EQ(Cell(2, SummaryTable::kPace), kDash);
    EXPECT_EQ(Cell(2, SummaryTable::kHeartRate), kDash);
    EXPECT_EQ(rows[2].figures.firstEntry, 0);
}

TEST_F(SummaryTableTest, PaceIsTotalTimeOverTotalDistance) {
    Day(20261207, 10, 3000); // 5:00 a km
    Day(20261208, 2, 720);   // 6:00 a km; their mean would be 5:30
    Compute();
    EXPECT_EQ(Cell(0, SummaryTable::kPace), "5:10/km"); // 3720 s / 12 km = 310 s
}

TEST_F(SummaryTableTest, ADayWithActivitiesCountsThemByTheChosenSport) {
    Day(20261207, 20, 7200); // typed over by its activities
    Activity(20261207, "Running", 10000, 3000, 150);
    Activity(20261207, "Cycling", 30000, 3600, 120);
    Activity(20261207, "Transition", 500, 120, 170);
    Day(20261208, 5, 1800); // no activities: the default sport's
    const struct {
        const char* sport;
        const char* distance;
        const char* time;
        const char* activities;
        const char* heartRate;
    } cases[] = {
        // 10 + 30 + 5 km; 3000 + 3600 + 1800 s; heart rate weighted by moving time:
        // (150 * 3000 + 120 * 3600) / 6600 = 882000 / 6600 = 133.6; the plain mean is 135.
        {"", "45.00", "2:20:00", "2", "134"},        {"Run", "15.00", "1:20:00", "1", "150"},
        {"running", "15.00", "1:20:00", "1", "150"}, {"Ride", "30.00", "1:00:00", "1", "120"},
        {"Biking", "30.00", "1:00:00", "1", "120"},  {"Swim", "0.00", "0:00:00", "0", kDash},
    };
    for (const auto& c : cases) {
        SummaryTable::Choice choice;
        choice.sport = c.sport;
        Compute(choice);
        EXPECT_EQ(Cell(0, SummaryTable::kDistance), c.distance) << c.sport;
        EXPECT_EQ(Cell(0, SummaryTable::kTime), c.time) << c.sport;
        EXPECT_EQ(Cell(0, SummaryTable::kActivities), c.activities) << c.sport;
        EXPECT_EQ(Cell(0, SummaryTable::kHeartRate), c.heartRate) << c.sport;
    }
}

TEST_F(SummaryTableTest, ADayWithoutHeartRateStaysOutOfTheWeighting) {
    Activity(20261207, "Running", 10000, 3000, 140);
    Activity(20261208, "Running", 10000, 6000, 0);
    Activity(20261208, "Running", -5000, -600, 0); // a damaged row: nothing
    Day(20261209, 10, 9000);
    Day(20261210, -3, -60); // likewise
    Compute();
    EXPECT_EQ(Cell(0, SummaryTable::kHeartRate), "140");
    EXPECT_EQ(Cell(0, SummaryTable::kDays), "3");
    // 30 km in 18000 s: 600 s a km.
    EXPECT_EQ(Cell(0, SummaryTable::kDistance), "30.00");
    EXPECT_EQ(Cell(0, SummaryTable::kPace), "10:00/km");
}

TEST_F(SummaryTableTest, MonthsCompareWithTheMonthBeforeAndTheYearBefore) {
    Day(20251215, 8, 2400);
    Day(20261102, 12, 3600);
    Day(20261201, 10, 3000);
    DayRecord erased = DayRecord::Blank(20261202);
    erased.distance = 99;
    erased.erased = 1;
    days.push_back(erased);
    SummaryTable::Choice choice;
    choice.kind = PeriodKind::Month;
    const auto& rows = Compute(choice);
    ASSERT_EQ(rows.size(), 12U);
    EXPECT_EQ(Cell(0, SummaryTable::kPeriod), "Dec 2026");
    EXPECT_EQ(Cell(11, SummaryTable::kPeriod), "Jan 2026");
    EXPECT_EQ(Cell(0, SummaryTable::kDistance), "10.00");
    EXPECT_EQ(Cell(0, SummaryTable::kVersusPrevious), "-17%");    // (10 - 12) / 12
    EXPECT_EQ(Cell(0, SummaryTable::kVersusYearEarlier), "+25%"); // (10 - 8) / 8
    EXPECT_EQ(Cell(1, SummaryTable::kVersusPrevious), kDash);     // October had nothing
    EXPECT_EQ(Cell(11, SummaryTable::kVersusPrevious), "-100%");  // 0 against December's 8
}

TEST_F(SummaryTableTest, YearsReachBackToTheFirstYearWithADay) {
    Day(19990101, 1, 600);
    Day(20260101, 3, 900);
    SummaryTable::Choice choice;
    choice.kind = PeriodKind::Year;
    const auto& rows = Compute(choice);
    ASSERT_EQ(rows.size(), 28U); // 1999 .. 2026
    EXPECT_EQ(Cell(0, SummaryTable::kPeriod), "2026");
    EXPECT_EQ(Cell(27, SummaryTable::kPeriod), "1999");
    EXPECT_EQ(Cell(27, SummaryTable::kDistance), "1.00");
    EXPECT_EQ(SummaryTable::FirstNeeded(choice, kToday), 0);
}

TEST_F(SummaryTableTest, AChosenRangeAndWeekStartBucketTheRows) {
    Day(20261101, 4, 1200); // a Sunday
    SummaryTable::Choice choice;
    choice.from = 20261101;
    choice.to = 20261130;
    // Monday weeks: from the week of Monday 26 October (2026-W44) to that of 30 November (W49).
    auto rows = Compute(choice);
    ASSERT_EQ(rows.size(), 6U);
    EXPECT_EQ(Cell(5, SummaryTable::kPeriod), "2026-W44");
    EXPECT_EQ(Cell(5, SummaryTable::kDistance), "4.00");
    EXPECT_EQ(table.TodayRow(), -1);
    // Sunday weeks: 1 November begins one; 29 November begins the last.
    choice.weekStart = WeekStart::Sunday;
    rows = Compute(choice);
    ASSERT_EQ(rows.size(), 5U);
    EXPECT_EQ(Cell(0, SummaryTable::kPeriod), "week of 29 Nov 2026");
    EXPECT_EQ(Cell(4, SummaryTable::kPeriod), "week of 1 Nov 2026");
    EXPECT_EQ(Cell(4, SummaryTable::kDistance), "4.00");
    // The year-earlier figures need the week of Wednesday 4 November a year back: Tuesday
    // 4 November 2025, in the week from Sunday 2 November.
    EXPECT_EQ(SummaryTable::FirstNeeded(choice, kToday), 20251102);
}

TEST_F(SummaryTableTest, ChangesAreSignedWholePercents) {
    const struct {
        double now;
        double base;
        const char* text;
    } cases[] = {
        {15, 12, "+25%"}, {10, 12, "-17%"}, {12, 12, "0%"}, {100.4, 100, "0%"},
        {0, 8, "-100%"},  {5, 0, kDash},    {0, 0, kDash},  {30, 10, "+200%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SummaryTable::ChangeText(c.now, c.base), c.text) << c.now << " / " << c.base;
    }
    EXPECT_EQ(SummaryTable::TimeText(3600 * 1234 + 65), "1234:01:05");
}

TEST_F(SummaryTableTest, LinesKeepTheirColumns) {
    Day(20261207, 10, 3000);
    Day(20261130, 8, 2400);
    Compute();
    // Period 19 wide, then right-aligned: distance 9, time 10, days 5, activities 5,
    // longest 8, pace 9, heart rate 5, the two changes 6.
    EXPECT_EQ(table.HeaderLine(), "Period              Distance      Time Days Acts Longest     "
                                  "Pace   HR Prev% Year%");
    EXPECT_EQ(table.Line(table.Rows()[0]), "2026-W50               10.00   0:50:00    1    0   "
                                           "10.00  5:00/km    —  +25%     —");
    EXPECT_EQ(SummaryTable::CsvHeader(),
              "first,last,period,distance,movingTime,activeDays,activities,longestDay,pace,"
              "avgHeartRate,changePrevious,changeYearEarlier");
    EXPECT_EQ(table.CsvLine(table.Rows()[0]),
              "2026-12-07,2026-12-13,2026-W50,10.00,0:50:00,1,0,10.00,5:00/km,,+25%,");
}

} // namespace
