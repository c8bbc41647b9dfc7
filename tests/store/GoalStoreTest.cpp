#include "store/GoalStore.h"
#include "StoreFixture.h"
#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

using Code = ActivityStore::Code;

class GoalStoreTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        ASSERT_EQ(db->Open(name), OpenResult::Opened);
    }

    static Goal YearDistance(double metres, const char* sport = "") {
        Goal goal;
        goal.span = Goal::Span::Year;
        goal.quantity = Goal::Quantity::Distance;
        goal.amount = metres;
        goal.sport = sport;
        return goal;
    }

    // The goals as a fresh open of the file reads them.
    std::vector<Goal> Stored() {
        ActivityStore store;
        store.Open(*db, false);
        std::vector<Goal> goals;
        EXPECT_TRUE(GoalStore(store).Read(goals).Ok());
        return goals;
    }

    Goal Add(Goal goal) {
        ActivityStore store;
        store.Open(*db, true);
        EXPECT_TRUE(GoalStore(store).Add(goal).Ok());
        return goal;
    }
};

TEST_F(GoalStoreTest, ALogbookWithoutActivitiesFileHasNoGoalsAndGetsOneForTheFirst) {
    EXPECT_TRUE(Stored().empty());
    EXPECT_FALSE(fs::exists(Path("mylog.vra"))) << "reading creates nothing";

    const Goal added = Add(YearDistance(2000000, "Running"));
    EXPECT_EQ(added.id, 1);
    EXPECT_TRUE(fs::exists(Path("mylog.vra")));
    ASSERT_EQ(Stored().size(), 1U);
    EXPECT_EQ(Stored()[0], added);
}

TEST_F(GoalStoreTest, SeveralGoalsKeepTheirOrderAndEachIsChangedOrRemovedAlone) {
    Goal dates;
    dates.span = Goal::Span::Dates;
    dates.first = 20260301;
    dates.last = 20260531;
    dates.quantity = Goal::Quantity::Time;
    dates.amount = 36000;
    const Goal year = Add(YearDistance(2000000));
    Goal period = Add(dates);
    Goal week = YearDistance(5);
    week.span = Goal::Span::Week;
    week.quantity = Goal::Quantity::Days;
    week = Add(week);
    ASSERT_EQ(Stored(), (std::vector<Goal>{year, period, week}));

    ActivityStore store;
    store.Open(*db, true);
    period.amount = 54000;
    period.sport = "Cycling";
    EXPECT_TRUE(GoalStore(store).Change(period).Ok());
    EXPECT_TRUE(GoalStore(store).Remove(year.id).Ok());
    store.Close();
    EXPECT_EQ(Stored(), (std::vector<Goal>{period, week}));
}

TEST_F(GoalStoreTest, AGoalThatIsNotThereIsNeitherChangedNorRemoved) {
    Goal kept = Add(YearDistance(1000));
    ActivityStore store;
    store.Open(*db, true);
    Goal missing = kept;
    missing.id = kept.id + 1;
    EXPECT_EQ(GoalStore(store).Change(missing).code, Code::Failed);
    EXPECT_EQ(GoalStore(store).Remove(missing.id).code, Code::Failed);
    store.Close();
    EXPECT_EQ(Stored(), std::vector<Goal>{kept});
}

TEST_F(GoalStoreTest, AFileOpenedOnlyToReadTakesNoGoal) {
    Add(YearDistance(1000));
    ActivityStore store;
    store.Open(*db, false);
    Goal goal = YearDistance(5);
    EXPECT_NE(GoalStore(store).Add(goal).code, Code::Ok);
    store.Close();
    EXPECT_EQ(Stored().size(), 1U);
}

TEST_F(GoalStoreTest, AKindANewerProgramWroteIsPassedOver) {
    Add(YearDistance(1000));
    {
        ActivityStore store;
        store.Open(*db, true);
        sqlite3_exec(store.Connection(),
                     "INSERT INTO goal(period, first, last, quantity, sport, amount) "
                     "VALUES('fortnight', 0, 0, 'distance', '', 5)",
                     nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(Stored().size(), 1U);
}

TEST(GoalWords, ReadBackAsWritten) {
    for (const Goal::Span span :
         {Goal::Span::Week, Goal::Span::Month, Goal::Span::Year, Goal::Span::Dates}) {
        EXPECT_EQ(Goal::SpanOfWord(Goal::Word(span)), span);
    }
    for (const Goal::Quantity q : {Goal::Quantity::Distance, Goal::Quantity::Time,
                                   Goal::Quantity::Activities, Goal::Quantity::Days}) {
        EXPECT_EQ(Goal::QuantityOfWord(Goal::Word(q)), q);
    }
    EXPECT_EQ(Goal::SpanOfWord("Year"), std::nullopt);
    EXPECT_EQ(Goal::QuantityOfWord("km"), std::nullopt);
}

} // namespace
