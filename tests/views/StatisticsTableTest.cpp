#include "views/StatisticsTable.h"
#include "views/ViewSelection.h"

#include "store/LogbookFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum StatisticsTable::Quantity;

class StatisticsTableTest : public LogbookFixture {
protected:
    std::vector<std::string> RowTexts(int row) const {
        std::vector<std::string> texts;
        for (int c = 0; c < StatisticsTable::kColumns; ++c) {
            texts.push_back(table.CellText(row, c, dates));
        }
        return texts;
    }
    DateUtility dates;
    StatisticsTable table;
};

using Texts = std::vector<std::string>;

TEST_F(StatisticsTableTest, AnEmptySelectionShowsNothingAnywhere) {
    table.Compute({}, 31);
    for (int r = 0; r < StatisticsTable::kRows; ++r) {
        EXPECT_EQ(RowTexts(r), Texts(6, " --")) << r;
    }
}

TEST_F(StatisticsTableTest, ZeroIsNotEnteredAndMissedCountsTheWholeRange) {
    std::vector<DayRecord> days;
    const float distances[] = {5, 10, 0, 7.5F, 2.5F, 0, 15};
    for (int i = 0; i < 7; ++i) {
        days.push_back(Day(20261101 + i).Distance(distances[i]));
    }
    table.Compute(days, 31);
    EXPECT_EQ(RowTexts(kDistance),
              (Texts{"    5.00", "   26.00", "    2.50", "   15.00", "    8.00", "   40.00"}));
    EXPECT_EQ(RowTexts(kSpeed), Texts(6, " --"));
}

TEST_F(StatisticsTableTest, DurationsAndTotalsThatMeanNothing) {
    table.Compute({Day(20261101).Time(1800).Pace(300).Speed(12).Weight(70),
                   Day(20261102).Time(3600).Pace(330).Speed(11).Weight(71)},
                  2);
    EXPECT_EQ(RowTexts(kTime),
              (Texts{"    2.00", "    0.00", "00:30:00", "01:00:00", "00:45:00", "01:30:00"}));
    EXPECT_EQ(RowTexts(kPace)[StatisticsTable::kTotal], " --");
    EXPECT_EQ(RowTexts(kPace)[StatisticsTable::kAverage], "00:05:15");
    EXPECT_EQ(RowTexts(kSpeed)[StatisticsTable::kTotal], "   23.00");
    EXPECT_EQ(RowTexts(kWeight)[StatisticsTable::kTotal], " --");
}

TEST_F(StatisticsTableTest, LongCellsAreCutAndExtremeValuesAreKept) {
    std::vector<DayRecord> days;
    // All below -100: the maximum is -150, not a starting guess; all of 99999 s or more: the
    // minimum is 200000 s.
    for (const int calories : {6000000, 6345678}) {
        const std::int32_t key = 20261101 + static_cast<int>(days.size());
        days.push_back(Day(key).Calories(calories).Distance(-150).Time(200000));
    }
    table.Compute(days, 2);
    EXPECT_EQ(table.CellText(kCalories, StatisticsTable::kTotal, dates), "12345678.0");
    EXPECT_EQ(table.CellText(kDistance, StatisticsTable::kMaximum, dates), " -150.00");
    EXPECT_EQ(table.CellText(kTime, StatisticsTable::kMinimum, dates), "55:33:20");
}

TEST_F(StatisticsTableTest, OnlyDaysOfTheTypeCountAndTheRestAreMissed) {
    std::vector<DayRecord> days;
    for (int day = 1; day <= 7; ++day) {
        days.push_back(Day(20261100 + day).Distance(float(day)).Competition(day == 3 ? 'Y' : 'N'));
    }
    MakeLogbook(Path("log.vrl"), days);
    RecordingReporter reporter;
    LogBookDatabase db(reporter, dates);
    ASSERT_EQ(db.Open(Path("log.vrl")), LogBookDatabase::OpenResult::Opened);
    ViewSelection selection(dates, DateValue::Of(2026, 12, 7)); // Nov 7 .. Dec 7: 31 days
    ASSERT_TRUE(selection.SetRange(DateValue::Of(2026, 11, 1), DateValue::Of(2026, 12, 1)));
    selection.SetDayType(DayType::Competition);
    EXPECT_TRUE(table.Compute(db, selection));
    EXPECT_EQ(table.CellText(kDistance, StatisticsTable::kEntries, dates), "    1.00");
    EXPECT_EQ(table.CellText(kDistance, StatisticsTable::kMissed, dates), "   30.00");
    EXPECT_EQ(table.CellText(kDistance, StatisticsTable::kTotal, dates), "    3.00");
    selection.SetDayType(DayType::AllDays);
    EXPECT_TRUE(table.Compute(db, selection));
    EXPECT_EQ(table.CellText(kDistance, StatisticsTable::kTotal, dates), "   28.00");
    EXPECT_TRUE(reporter.messages.empty());
}

} // namespace
