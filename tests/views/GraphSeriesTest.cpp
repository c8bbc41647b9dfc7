#include "views/GraphSeries.h"

#include "store/LogbookFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Ints = std::vector<std::int32_t>;

class GraphSeriesTest : public LogbookFixture {
protected:
    static std::vector<DayRecord> Distances(const std::vector<float>& values) {
        std::vector<DayRecord> days;
        for (const float v : values) {
            days.push_back(Day(20260101 + static_cast<int>(days.size())).Distance(v));
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
    std::vector<DayRecord> days = Repeated(44, 4);
    days.push_back(Distances({100})[0]); // the 45th day is left out
    series.Gather(days, Category::Distance);
    EXPECT_EQ(series.Group(), 2);
    EXPECT_EQ(series.Points(), Ints(22, 4));
    // Days, the group they pool into, and the whole groups: 29 of 61 in 1825 days.
    const struct {
        int days;
        int group;
        std::size_t points;
    } pools[] = {{30, 1, 30}, {60, 2, 30}, {61, 3, 20}, {1825, 61, 29}};
    for (const auto& p : pools) {
        series.Gather(Repeated(p.days, 4), Category::Distance);
        EXPECT_EQ(series.Group(), p.group) << p.days;
        EXPECT_EQ(series.Points().size(), p.points) << p.days;
    }
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
    series.Gather({Day(20260101).Time(3900)}, Category::Time);
    EXPECT_EQ(series.AxisMaximum(), 7200);
    EXPECT_EQ(series.Labels(dates)[1], "00:12:00");
    EXPECT_EQ(series.Labels(dates)[10], "02:00:00");
    EXPECT_EQ(series.Height(3900), 108); // 3900 * 200 / 7200 = 108.3
    EXPECT_EQ(series.Height(7200), 200);
}

TEST_F(GraphSeriesTest, DifficultyCountsEveryDayAndColdDaysMakeNoPoint) {
    series.Gather({Day(20260101).Difficulty('H'), Day(20260102).Difficulty('M'),
                   Day(20260103).Difficulty('E'), Day(20260104)},
                  Category::Difficulty);
    EXPECT_EQ(series.Points(), (Ints{3, 2, 1, 1}));
    series.Gather({Day(20260101).Temperature(-5), Day(20260102).Temperature(4),
                   Day(20260103).Temperature(0), Day(20260104).Temperature(12)},
                  Category::Temperature);
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
        days.push_back(Day(20260101 + i).Calories(2000000000));
    }
    series.Gather(days, Category::Calories);
    EXPECT_EQ(series.Group(), 3);
    EXPECT_EQ(series.Points(), Ints(20, 2000000000));
    EXPECT_EQ(series.AxisMaximum(), 2000000000);
    EXPECT_EQ(series.Averages(), Ints(16, 2000000000));
}

} // namespace
