#include "views/ViewSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ViewSelectionTest : public ::testing::Test {
protected:
    // Monday, 7 December 2026 (weekdays count from Sunday = 1).
    const DateValue today = DateValue::Of(2026, 12, 7);
    DateUtility dates;
    ViewSelection selection{dates, today};
};

// From Distance and All Days, each cycle comes back to where it started.
TEST_F(ViewSelectionTest, CategoryAndDayTypeCycleInTheirOrder) {
    std::vector<std::string> seen;
    for (int i = 0; i < 12; ++i) {
        selection.NextCategory();
        seen.push_back(ViewSelection::CategoryText(selection.CurrentCategory()));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"TIME       ", "PACE       ", "SPEED      ",
                                              "REST H RATE", "MAX H RATE ", "CALORIES   ",
                                              "WATER      ", "HOURS SLEPT", "TEMPERATURE",
                                              "WEIGHT     ", "DIFFICULTY ", "DISTANCE   "}));
    for (const DayType next : {DayType::Training, DayType::Competition, DayType::AllDays}) {
        selection.NextDayType();
        EXPECT_EQ(selection.CurrentDayType(), next);
    }
    EXPECT_TRUE(ViewSelection::IsTimeValued(Category::Pace));
    EXPECT_FALSE(ViewSelection::IsTimeValued(Category::Speed));
}

TEST_F(ViewSelectionTest, AOneDayRangeCannotShrink) {
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(selection.LaterStart());
    }
    EXPECT_EQ(selection.StartText(), "MON, DEC 07, 2026");
    EXPECT_FALSE(selection.LaterStart());
    EXPECT_FALSE(selection.EarlierEnd());
    EXPECT_EQ(selection.DaysInRange(), 1);
    EXPECT_TRUE(selection.LaterEnd());
    EXPECT_EQ(selection.EndText(), "TUE, DEC 08, 2026");
    EXPECT_TRUE(selection.EarlierStart());
    EXPECT_EQ(selection.StartText(), "SUN, DEC 06, 2026");
}

TEST_F(ViewSelectionTest, TheRangeGrowsTo1825DaysAndNoFurther) {
    for (int i = 0; i < 1794; ++i) {
        ASSERT_TRUE(selection.EarlierStart()) << i;
    }
    EXPECT_EQ(selection.DaysInRange(), 1825);
    EXPECT_EQ(selection.StartText(), "THR, DEC 09, 2021");
    EXPECT_FALSE(selection.EarlierStart());
    EXPECT_FALSE(selection.LaterEnd());
    EXPECT_EQ(selection.DaysInRange(), 1825);
    EXPECT_TRUE(selection.LaterStart());
    EXPECT_TRUE(selection.EarlierEnd());
    EXPECT_EQ(selection.DaysInRange(), 1823);
}

TEST_F(ViewSelectionTest, TheCalendarsEdgesHoldTheDateButPassTheGuard) {
    ASSERT_TRUE(selection.SetRange(DateValue::Of(1960, 1, 1), DateValue::Of(1960, 1, 10)));
    EXPECT_TRUE(selection.EarlierStart());
    EXPECT_EQ(selection.StartText(), "FRI, JAN 01, 1960");
    ASSERT_TRUE(selection.SetRange(DateValue::Of(2100, 12, 20), DateValue::Of(2100, 12, 21)));
    const DateValue end = selection.End();
    EXPECT_TRUE(selection.LaterEnd());
    EXPECT_EQ(selection.End(), end);
    EXPECT_FALSE(selection.SetRange(DateValue::Of(2100, 12, 20), DateValue::Of(2101, 1, 1)));
    EXPECT_FALSE(selection.SetRange(DateValue::Of(1959, 12, 31), DateValue::Of(1960, 1, 1)));
}

TEST_F(ViewSelectionTest, AChosenRangeKeepsTheLimits) {
    EXPECT_FALSE(
        selection.SetRange(DateValue::Of(2026, 12, 8), DateValue::Of(2026, 12, 7))); // reversed
    EXPECT_TRUE(
        selection.SetRange(DateValue::Of(2021, 12, 9), DateValue::Of(2026, 12, 7))); // 1825 days
    EXPECT_FALSE(
        selection.SetRange(DateValue::Of(2021, 12, 8), DateValue::Of(2026, 12, 7))); // 1826
    EXPECT_EQ(selection.StartText(), "THR, DEC 09, 2021");
    EXPECT_EQ(selection.DaysInRange(), 1825);
}

} // namespace
