#include "views/GraphSeries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Ints = std::vector<std::int32_t>;

class GraphSeriesTest : public ::testing::Test {
protected:
    static std::vector<DayRecord> Distances(const std::vector<float>& values) {
        std::vector<DayRecord> days;
        for (const float v : values) {
            DayRecord d = DayRecord::Blank(20260101 + static_cast<int>(days.size()));
            d.distance = v;
            days.push_back(d);
        }
        return days;
    }
    static std::vector<DayRecord> Repeated(int count, float distance) {
        return Distances(std::vector<float>(static_cast<std::size_t>(count), distance));
    }
    DateUtility dates;
    GraphSeries series;
};

TEST_F(GraphSeriesTest, AnEmptySelectionDrawsOnlyTheScaleOfTen) {
    series.Gather({}, Category::Distance);
    EXPECT_TRUE(series.Points().empty());
    EXPECT_EQ(series.AxisMaximum(), 10);
    const auto labels = series.Labels(dates);
    EXPECT_EQ(labels[0], "000");
    EXPECT_EQ(labels[1], "001");
    EXPECT_EQ(labels[10], "010");
    series.Gather({}, Category::Pace);
    EXPECT_EQ(series.AxisMaximum(), 600);
    EXPECT_EQ(series.Labels(dates)[10], "00:10:00");
}

TEST_F(GraphSeriesTest, WholeNumbersAndNoPointForNothing) {
    series.Gather(Distances({1.9F, 2.0F, 0.4F, 3.99F, -2.0F, 7.5F}), Category::Distance);
    EXPECT_EQ(series.Group(), 1);
    EXPECT_EQ(series.Points(), (Ints{1, 2, 3, 7})); // 0.4 and -2 make no point
}

TEST_F(GraphSeriesTest, DaysPoolIntoAtMostThirtyWholeGroups) {
    series.Gather(Repeated(30, 4), Category::Distance);
    EXPECT_EQ(series.Group(), 1);
    EXPECT_EQ(series.Points().size(), 30U);
    std::vector<DayRecord> days = Repeated(44, 4);
    days.push_back(Distances({100})[0]); // the 45th day is left out
    series.Gather(days, Category::Distance);
    EXPECT_EQ(series.Group(), 2);
    EXPECT_EQ(series.Points(), Ints(22, 4));
    series.Gather(Repeated(60, 4), Category::Distance);
    EXPECT_EQ(series.Group(), 2);
    EXPECT_EQ(series.Points().size(), 30U);
    series.Gather(Repeated(61, 4), Category::Distance);
    EXPECT_EQ(series.Group(), 3);
    EXPECT_EQ(series.Points().size(), 20U);
    series.Gather(Repeated(1825, 4), Category::Distance);
    EXPECT_EQ(series.Group(), 61);
    EXPECT_EQ(series.Points().size(), 29U); // 29 whole groups of 61 in 1825 days
    // A group's average is truncated: 3 and 4 give 3.
    series.Gather(Distances({3, 4, 3, 4}), Category::Distance);
    EXPECT_EQ(series.Points(), (Ints{3, 4, 3, 4}));
}

TEST_F(GraphSeriesTest, TheAxisRoundsUpToItsTable) {
    series.Gather(Distances({101}), Category::Distance);
    EXPECT_EQ(series.AxisMaximum(), 120);
    const auto labels = series.Labels(dates);
    EXPECT_EQ(labels[1], "012");
    EXPECT_EQ(labels[10], "120");
    series.Gather(Distances({20000}), Category::Distance);
    EXPECT_EQ(series.AxisMaximum(), 20000);
    EXPECT_EQ(series.Labels(dates)[1], "2000");
    DayRecord hour = DayRecord::Blank(20260101);
    hour.time = 3900;
    series.Gather({hour}, Category::Time);
    EXPECT_EQ(series.AxisMaximum(), 7200);
    EXPECT_EQ(series.Labels(dates)[1], "00:12:00");
    EXPECT_EQ(series.Labels(dates)[10], "02:00:00");
    EXPECT_EQ(series.Height(3900), 108); // 3900 * 200 / 7200 = 108.3
    EXPECT_EQ(series.Height(7200), 200);
}

TEST_F(GraphSeriesTest, DifficultyCountsEveryDayAndColdDaysMakeNoPoint) {
    std::vector<DayRecord> days = Distances({0, 0, 0, 0});
    days[0].difficulty = 'H';
    days[1].difficulty = 'M';
    days[2].difficulty = 'E';
    series.Gather(days, Category::Difficulty);
    EXPECT_EQ(series.Points(), (Ints{3, 2, 1, 1}));
    days[0].temperature = -5;
    days[1].temperature = 4;
    days[2].temperature = 0;
    days[3].temperature = 12;
    series.Gather(days, Category::Temperature);
    EXPECT_EQ(series.Points(), (Ints{4, 12}));
}

TEST_F(GraphSeriesTest, FivePointAveragesFromTheFifthPoint) {
    series.Gather(Distances({1, 2, 3, 4, 5, 6, 10}), Category::Distance);
    EXPECT_EQ(series.Averages(), (Ints{3, 4, 5})); // 15/5, 20/5, 28/5
    series.Gather(Distances({1, 2, 3, 4}), Category::Distance);
    EXPECT_TRUE(series.Averages().empty());
}

TEST_F(GraphSeriesTest, LargeValuesDoNotOverflowAGroup) {
    std::vector<DayRecord> days;
    for (int i = 0; i < 62; ++i) {
        DayRecord d = DayRecord::Blank(20260101 + i);
        d.calories = 2000000000;
        days.push_back(d);
    }
    series.Gather(days, Category::Calories);
    EXPECT_EQ(series.Group(), 3);
    EXPECT_EQ(series.Points(), Ints(20, 2000000000));
    EXPECT_EQ(series.AxisMaximum(), 2000000000);
    EXPECT_EQ(series.Averages(), Ints(16, 2000000000));
}

} // namespace
