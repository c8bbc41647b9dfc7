#include "goals/GoalForm.h"
#include "store/DateUtility.h"

#include <gtest/gtest.h>

namespace {

class GoalFormTest : public ::testing::Test {
protected:
    DateUtility dates;
    GoalText miles{dates, "mi"};
};

TEST_F(GoalFormTest, AGoalShownAndReadBackIsTheSameGoal) {
    Goal goal;
    goal.id = 7;
    goal.span = Goal::Span::Dates;
    goal.first = 20260301;
    goal.last = 20260531;
    goal.quantity = Goal::Quantity::Distance;
    goal.amount = 160934.4; // 100 mi
    goal.sport = "Cycling";
    const GoalForm form = GoalForm::Show(goal, miles);
    EXPECT_EQ(form.period, 3);
    EXPECT_EQ(form.from, "2026-03-01");
    EXPECT_EQ(form.to, "2026-05-31");
    EXPECT_EQ(form.amount, "100");
    Goal read;
    read.id = 7;
    GoalForm::Box box = GoalForm::Box::Period;
    std::string problem;
    ASSERT_TRUE(form.Read(miles, read, box, problem)) << problem;
    EXPECT_EQ(read.first, goal.first);
    EXPECT_EQ(read.last, goal.last);
    EXPECT_NEAR(read.amount, goal.amount, 1e-6);
    EXPECT_EQ(read.sport, "Cycling");
}

TEST_F(GoalFormTest, EachRefusalNamesItsBoxAndLeavesTheGoalAlone) {
    const auto form = [](int period, const char* from, const char* to, const char* amount,
                         const std::string& sport) {
        GoalForm f;
        f.period = period;
        f.from = from;
        f.to = to;
        f.amount = amount;
        f.sport = sport;
        return f;
    };
    const struct {
        const char* name;
        GoalForm form;
        GoalForm::Box box;
    } cases[] = {
        {"no period", form(-1, "", "", "5", ""), GoalForm::Box::Period},
        {"a date cut short", form(3, "2026-03-0", "2026-03-09", "5", ""), GoalForm::Box::From},
        {"31 February", form(3, "2026-02-01", "2026-02-31", "5", ""), GoalForm::Box::To},
        {"beyond 2100", form(3, "2026-02-01", "2101-01-01", "5", ""), GoalForm::Box::To},
        {"backwards", form(3, "2026-03-09", "2026-03-01", "5", ""), GoalForm::Box::To},
        {"no amount", form(2, "", "", "", ""), GoalForm::Box::Amount},
        {"a long sport", form(2, "", "", "5", std::string(41, 's')), GoalForm::Box::Sport},
    };
    for (const auto& c : cases) {
        Goal goal;
        goal.amount = 1;
        GoalForm::Box box = GoalForm::Box::Quantity;
        std::string problem;
        EXPECT_FALSE(c.form.Read(miles, goal, box, problem)) << c.name;
        EXPECT_EQ(box, c.box) << c.name;
        EXPECT_FALSE(problem.empty()) << c.name;
        EXPECT_EQ(goal.amount, 1) << c.name;
    }
    Goal goal;
    GoalForm::Box box = GoalForm::Box::Quantity;
    std::string problem;
    ASSERT_TRUE(form(2, "junk", "", " 5 ", "  Running ").Read(miles, goal, box, problem));
    EXPECT_EQ(goal.sport, "Running") << "blanks around a name are no part of it";
    EXPECT_EQ(goal.first, 0) << "a recurring goal keeps no dates";
}

} // namespace
