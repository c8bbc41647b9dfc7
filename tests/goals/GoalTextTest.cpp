#include "goals/GoalText.h"
#include "store/DateUtility.h"

#include <gtest/gtest.h>

namespace {

class GoalTextTest : public ::testing::Test {
protected:
    static GoalProgress::State State(Goal::Quantity quantity, double amount, double done,
                                     double pace) {
        GoalProgress::State s;
        s.goal.span = Goal::Span::Year;
        s.goal.quantity = quantity;
        s.goal.amount = amount;
        s.first = 20260101;
        s.last = 20261231;
        s.done = done;
        s.pace = pace;
        return s;
    }
    DateUtility dates;
    GoalText km{dates, "km"};
};

TEST_F(GoalTextTest, NumbersHaveThousandsCommasAndAtMostOneDecimal) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{1234, "1,234"},   {32.5, "32.5"}, {1234567.89, "1,234,567.9"},
                 {999.96, "1,000"}, {0.04, "0"},    {-12, "-12"},
                 {-0.01, "0"},      {100, "100"}};
    for (const auto& c : cases) {
        EXPECT_EQ(GoalText::Number(c.value), c.text) << c.value;
    }
}

TEST_F(GoalTextTest, TheLineSaysDoneAmountAndPaceInTheLogbooksUnit) {
    EXPECT_EQ(km.Line(State(Goal::Quantity::Distance, 2000000, 1234000, -12000)),
              "2026: 1,234 of 2,000 km, 12 km behind pace");
    EXPECT_EQ(km.Line(State(Goal::Quantity::Distance, 2000000, 540000, 32500)),
              "2026: 540 of 2,000 km, 32.5 km ahead of pace");
    // 1,609.344 m a mile: 3,218.688 m is 2 mi, 160.9344 km is 100 mi.
    EXPECT_EQ(GoalText(dates, "mi").Line(State(Goal::Quantity::Distance, 160934.4, 3218.688, 20)),
              "2026: 2 of 100 mi, on pace");
    EXPECT_EQ(km.Line(State(Goal::Quantity::Time, 36000, 32400, -3600)),
              "2026: 09:00:00 of 10:00:00, 01:00:00 behind pace");
    GoalProgress::State week = State(Goal::Quantity::Activities, 5, 3, 0.14);
    week.goal.span = Goal::Span::Week;
    week.goal.sport = "Running";
    week.first = 20261207;
    week.last = 20261213;
    EXPECT_EQ(km.Line(week), "2026-W50 Running: 3 of 5 activities, 0.1 activities ahead of pace");
}

TEST_F(GoalTextTest, DetailsSayWhatIsNeededAndWhereTheRateLeads) {
    GoalProgress::State s = State(Goal::Quantity::Distance, 2000000, 540000, 46849.3);
    s.shareGone = 90.0 / 365;
    s.perDay = 5309.09;
    s.perWeek = 37163.64;
    s.projection = 2190000;
    s.remaining = 1460000;
    EXPECT_EQ(km.Details(s), "24.7% gone; needs 5.3 km a day, 37.2 km a week; projected 2,190 km");
    s.remaining = 0;
    EXPECT_EQ(km.Details(s), "24.7% gone; reached; projected 2,190 km");
}

TEST_F(GoalTextTest, TypedAmountsReadWholeOrAreRefusedWithTheirReason) {
    const struct {
        Goal::Quantity quantity;
        const char* text;
        double value; // 0: refused
    } cases[] = {
        {Goal::Quantity::Distance, "2000", 2000000}, {Goal::Quantity::Distance, " 42.2 ", 42200},
        {Goal::Quantity::Distance, "12x", 0},        {Goal::Quantity::Distance, "", 0},
        {Goal::Quantity::Distance, "0", 0},          {Goal::Quantity::Distance, "-5", 0},
        {Goal::Quantity::Distance, "1e3", 0},        {Goal::Quantity::Time, "1:30:00", 5400},
        {Goal::Quantity::Time, "50", 3000},          {Goal::Quantity::Time, "1:75", 0},
        {Goal::Quantity::Activities, "12", 12},      {Goal::Quantity::Activities, "1.5", 0},
        {Goal::Quantity::Days, "20 days", 0},
    };
    for (const auto& c : cases) {
        double value = -1;
        std::string problem;
        const bool read = km.Read(c.quantity, c.text, value, problem);
        EXPECT_EQ(read, c.value != 0) << c.text;
        if (read) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        } else {
            EXPECT_EQ(value, -1) << "a refused text changes nothing: " << c.text;
            EXPECT_NE(problem.find(std::string("\"") + c.text + "\""), std::string::npos)
                << problem;
        }
    }
    EXPECT_EQ(km.Typed(Goal::Quantity::Distance, 42200), "42.2");
    EXPECT_EQ(km.Typed(Goal::Quantity::Time, 5400), "01:30:00");
}

} // namespace
