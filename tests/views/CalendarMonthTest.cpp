#include "views/CalendarMonth.h"

#include "store/LogbookFixture.h"

#include <gtest/gtest.h>

namespace {

class CalendarMonthTest : public LogbookFixture {
protected:
    // Where a day of the laid-out month stands, as row * 7 + column; -1 when absent.
    int PlaceOf(int day) const {
        for (int i = 0; i < 42; ++i) {
            if (month.At(i / 7, i % 7).day == day) {
                return i;
            }
        }
        return -1;
    }
    void Show(int year, int monthNumber, std::vector<DayRecord> days = {}) {
        month.SetDays(DateValue::Of(year, monthNumber, 1), std::move(days));
        month.Layout(category, today);
    }

    const DateValue today = DateValue::Of(2026, 12, 7);
    DateUtility dates;
    CalendarMonth month{dates};
    Category category = Category::Distance;
};

// Where a day stands, row * 7 + column (-1: no such day): December 2026 from a Tuesday, August
// 2026 from a Saturday in all six rows, the leap day of 2024 and none in 2100, and, last,
// February 2015 in exactly four rows from a Sunday.
TEST_F(CalendarMonthTest, MonthsStartOnTheirWeekdayAndTakeTheirRows) {
    const struct {
        int year;
        int monthNumber;
        int day;
        int place;
    } places[] = {{2026, 12, 1, 2},  {2026, 12, 31, 32}, {2026, 8, 1, 6},
                  {2026, 8, 31, 36}, {2024, 2, 29, 32},  {2100, 2, 28, 28},
                  {2100, 2, 29, -1}, {2015, 2, 1, 0},    {2015, 2, 28, 27}};
    for (const auto& p : places) {
        Show(p.year, p.monthNumber);
        EXPECT_EQ(PlaceOf(p.day), p.place) << p.year << "-" << p.monthNumber << "-" << p.day;
    }
    EXPECT_EQ(month.At(4, 0).day, 0); // after February 2015's four rows
    Show(2026, 12);
    EXPECT_EQ(month.MonthText(), "DEC, 2026");
    EXPECT_EQ(month.At(0, 1).day, 0);
}

TEST_F(CalendarMonthTest, EntriesShowTheirCategoryAndKind) {
    Show(2026, 12,
         {Day(20261201).Distance(12.5F).Competition('Y').Difficulty('H'),
          Day(20261202).Competition('N'), Day(20261203).Distance(8).Difficulty('E')});
    EXPECT_TRUE(month.At(0, 2).hasEntry);
    EXPECT_TRUE(month.At(0, 2).competition);
    EXPECT_EQ(month.At(0, 2).text, "12.50");
    EXPECT_FALSE(month.At(0, 3).competition);
    EXPECT_EQ(month.At(0, 3).text, "0.00");   // an entry shows its box even at 0
    EXPECT_FALSE(month.At(0, 4).competition); // never set: purple
    EXPECT_FALSE(month.At(0, 5).hasEntry);
    category = Category::Difficulty;
    month.Layout(category, today);
    EXPECT_EQ(month.At(0, 2).text, "H");
    EXPECT_EQ(month.At(0, 3).text, "");
    EXPECT_EQ(month.At(0, 4).text, "E");
}

TEST_F(CalendarMonthTest, CellTextsFollowTheirCategory) {
    const DayRecord d =
        Day(20261201).Time(3725).RestHeartRate(48).Calories(12345).Temperature(-5).Weight(71.25F);
    EXPECT_EQ(CalendarMonth::CellText(d, Category::Time, dates), "01:02:05");
    EXPECT_EQ(CalendarMonth::CellText(d, Category::RestHeartRate, dates), "048");
    EXPECT_EQ(CalendarMonth::CellText(d, Category::Calories, dates), "12345");
    EXPECT_EQ(CalendarMonth::CellText(d, Category::Temperature, dates), "-05");
    EXPECT_EQ(CalendarMonth::CellText(d, Category::Weight, dates), "71.25");
}

TEST_F(CalendarMonthTest, TodayIsMarkedOnlyInItsOwnMonth) {
    Show(2026, 12);
    EXPECT_TRUE(month.At(1, 1).today); // the 7th, a Monday
    EXPECT_EQ(month.At(1, 1).day, 7);
    Show(2025, 12);
    for (int i = 0; i < 42; ++i) {
        EXPECT_FALSE(month.At(i / 7, i % 7).today);
    }
}

TEST_F(CalendarMonthTest, ErasedDaysShowNoBoxAndAnUnreadableLogbookShowsNone) {
    MakeLogbook(Path("log.vrl"), {Day(20261201).Distance(1), Day(20261202).Distance(2),
                                  Day(20261203).Distance(3), Day(20261202).Erased()});
    RecordingReporter reporter;
    LogBookDatabase db(reporter, dates);
    ASSERT_EQ(db.Open(Path("log.vrl")), LogBookDatabase::OpenResult::Opened);
    month.Load(db, today);
    month.Layout(category, today);
    EXPECT_EQ(month.At(0, 2).text, "1.00");
    EXPECT_FALSE(month.At(0, 3).hasEntry);
    EXPECT_EQ(month.At(0, 4).text, "3.00");

    db.Close();
    month.Load(db, today);
    month.Layout(category, today);
    EXPECT_FALSE(month.At(0, 2).hasEntry);
    EXPECT_EQ(month.At(0, 2).day, 1);
}

} // namespace

// August 2026 begins on a Saturday and spreads over six rows: 1 August alone in the first,
// 30 and 31 in the sixth.
class CalendarTotalsTest : public CalendarMonthTest {
protected:
    void ShowAugust(Category shown) {
        category = shown;
        Show(2026, 8,
             {Day(20260801).Distance(10).Time(3600).Pace(360).Weight(70.5F).Calories(700),
              Day(20260803).Distance(5.25F).Time(1800).Pace(343).Weight(70).Calories(0),
              Day(20260804).Distance(0).Time(0).Pace(0).Weight(71).Calories(100),
              Day(20260831).Distance(21.1F).Time(7200).Pace(341).Weight(69.5F).Calories(1500)});
    }
};

TEST_F(CalendarTotalsTest, DistanceTimeAndCaloriesAddUpByWeekAndMonth) {
    ShowAugust(Category::Distance);
    EXPECT_EQ(month.TotalTitle(), std::string("TOTAL"));
    EXPECT_EQ(month.WeekTotal(0), "10.00");
    EXPECT_EQ(month.WeekTotal(1), "5.25"); // 3 and 4 August: 5.25 + 0
    EXPECT_EQ(month.WeekTotal(2), "");     // no entries
    EXPECT_EQ(month.WeekTotal(5), "21.10");
    EXPECT_EQ(month.MonthTotal(), "36.35"); // 10 + 5.25 + 21.1
    ShowAugust(Category::Time);
    EXPECT_EQ(month.WeekTotal(1), "00:30:00");
    EXPECT_EQ(month.MonthTotal(), "03:30:00"); // 3600 + 1800 + 7200 s
    ShowAugust(Category::Calories);
    EXPECT_EQ(month.WeekTotal(1), "100");
    EXPECT_EQ(month.MonthTotal(), "2300"); // 700 + 100 + 1500
}

// Where a sum means nothing the figure is the average of the days with a value: a 0 was
// not entered, as Statistics counts it.
TEST_F(CalendarTotalsTest, PaceAndWeightAverageTheDaysWithAValue) {
    ShowAugust(Category::Pace);
    EXPECT_EQ(month.TotalTitle(), std::string("AVERAGE"));
    EXPECT_EQ(month.WeekTotal(1), "00:05:43"); // 343 s alone; the 4th's 0 left out
    EXPECT_EQ(month.MonthTotal(), "00:05:48"); // (360 + 343 + 341) / 3 = 348 s
    ShowAugust(Category::Weight);
    EXPECT_EQ(month.WeekTotal(1), "70.50"); // (70 + 71) / 2
    EXPECT_EQ(month.MonthTotal(), "70.25"); // (70.5 + 70 + 71 + 69.5) / 4
    ShowAugust(Category::Difficulty);
    EXPECT_EQ(month.WeekTotal(0), "");
    EXPECT_EQ(month.MonthTotal(), "");
}
