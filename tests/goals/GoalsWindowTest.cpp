// The Goals dialog from Tools > Goals, driven by keys and clicks; the status bar's goal line
// once the main window shows; the panel's bar painted. Goals over past dates, so that the
// figures do not depend on today.

#include "ShellFixture.h"
#include "framework/TImageDC.h"
#include "goals/GoalIds.h"
#include "goals/GoalsDialog.h"
#include "goals/GoalsFlow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "store/GoalStore.h"

#include <gtest/gtest.h>

namespace {

using D = GoalsDialog;
using UserInput::Press;

class GoalsWindowTest : public ShellFixture {
protected:
    void RegisterTools() override {
        GoalsFlow::Register();
        TMessageBox::QueueAnswers({});
    }
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        // 10 + 30 + 15 = 55 km in the first ten days of March 2025; one day before them.
        for (const auto& [key, km] : {std::pair{20250228, 50.0F}, std::pair{20250301, 10.0F},
                                      std::pair{20250302, 30.0F}, std::pair{20250305, 15.0F}}) {
            DayRecord day = DayRecord::Blank(key);
            day.distance = km;
            Store(day);
        }
    }

    // Tools > Goals, as the user chooses it; act is the user's in the dialog.
    bool InGoals(const std::function<void(D&)>& act) {
        return WhenShown<D>(
            [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, goals::kCommand)); }, act);
    }
    std::vector<Goal> Stored() {
        ActivityStore store;
        store.Open(client->Database(), false);
        std::vector<Goal> goals;
        EXPECT_TRUE(GoalStore(store).Read(goals).Ok());
        return goals;
    }
    void StoreGoal(Goal goal) {
        ActivityStore store;
        store.Open(client->Database(), true);
        ASSERT_TRUE(GoalStore(store).Add(goal).Ok());
    }
    static Goal MarchGoal() {
        Goal goal;
        goal.span = Goal::Span::Dates;
        goal.first = 20250301;
        goal.last = 20250310;
        goal.amount = 100000;
        return goal;
    }
    // Replaces a box's text as a user does: into the box, select to its start, type.
    static void Retype(D& d, int id, const std::string& text) {
        UserInput::Click(d, id);
        Press(d, Qt::Key_End);
        Press(d, Qt::Key_Home, Qt::ShiftModifier);
        UserInput::Keys(d, QString::fromStdString(text));
    }
    static std::string Lines(D& d) {
        std::string lines;
        for (int i = 0; i < d.ListCount(D::kList); ++i) {
            lines += d.ListText(D::kList, i) + "\n";
        }
        return lines;
    }
};

TEST_F(GoalsWindowTest, AGoalTypedWithKeysIsAddedByEnterAndWeighedAtOnce) {
    ASSERT_TRUE(InGoals([&](D& d) {
        EXPECT_EQ(Lines(d), "");
        EXPECT_EQ(UserInput::FocusedId(d), D::kList);
        EXPECT_FALSE(d.IsDlgItemEnabled(D::kFrom)) << "this year needs no dates";
        // On to the period; the arrow picks the next row, and the dates open.
        UserInput::Tab(d);
        EXPECT_EQ(UserInput::FocusedId(d), D::kPeriod);
        Press(d, Qt::Key_Down);
        EXPECT_EQ(d.ListSelection(D::kPeriod), 3);
        EXPECT_TRUE(d.IsDlgItemEnabled(D::kFrom));
        UserInput::Tab(d);
        EXPECT_EQ(UserInput::FocusedId(d), D::kFrom);
        UserInput::Keys(d, "2025-03-01");
        UserInput::Tab(d);
        UserInput::Keys(d, "2025-03-10");
        UserInput::Tab(d);
        EXPECT_EQ(UserInput::FocusedId(d), D::kQuantity);
        UserInput::Tab(d);
        EXPECT_EQ(d.GetDlgItemText(D::kUnit), "km");
        UserInput::Keys(d, "100");
        UserInput::Enter(d);
        EXPECT_EQ(Lines(d), "2025-03-01..2025-03-10: 100 km\n");
        ASSERT_EQ(d.States().size(), 1U);
        // 10 + 30 + 15 km of the ten days, all gone: 45 km short.
        EXPECT_DOUBLE_EQ(d.States()[0].done, 55000);
        EXPECT_DOUBLE_EQ(d.States()[0].pace, -45000);
        EXPECT_EQ(d.Panel().Shown().size(), 1U) << "the panel draws the chosen goal";
        UserInput::Escape(d);
    }));
    ASSERT_EQ(Stored().size(), 1U);
    EXPECT_EQ(Stored()[0].amount, 100000);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(GoalsWindowTest, TextThatDoesNotReadWholeIsRefusedAndKeptAndNothingIsLost) {
    StoreGoal(MarchGoal());
    ASSERT_TRUE(InGoals([&](D& d) {
        EXPECT_EQ(d.GetDlgItemText(D::kAmount), "100");
        EXPECT_EQ(d.GetDlgItemText(D::kFrom), "2025-03-01");
        const struct {
            int box;
            const char* typed;
            const char* said;
        } cases[] = {
            {D::kAmount, "12x",
             "The distance \"12x\" is not a number above zero (such as 2000 or 42.2)."},
            {D::kFrom, "2025-3-1",
             "The date \"2025-3-1\" is not a date from 1960-01-01 to 2100-12-31 written as "
             "YYYY-MM-DD."},
            {D::kTo, "2025-02-01", "The goal ends on 2025-02-01, before it begins on 2025-03-01."},
        };
        for (const auto& c : cases) {
            TMessageBox::History().clear();
            Retype(d, c.box, c.typed);
            TMessageBox::QueueAnswers({TMessageBox::kIdOk});
            UserInput::Click(d, D::kChange);
            EXPECT_EQ(Messages(), std::vector<std::string>{c.said}) << c.typed;
            EXPECT_EQ(UserInput::FocusedId(d), c.box) << c.typed;
            EXPECT_EQ(d.GetDlgItemText(c.box), c.typed) << "the typed text stays to be mended";
            Retype(d, c.box,
                   c.box == D::kAmount ? "100"
                   : c.box == D::kFrom ? "2025-03-01"
                                       : "2025-03-10");
        }
        Retype(d, D::kAmount, "80");
        UserInput::Click(d, D::kChange);
        EXPECT_EQ(Lines(d), "2025-03-01..2025-03-10: 80 km\n");
        UserInput::Escape(d);
    }));
    ASSERT_EQ(Stored().size(), 1U);
    EXPECT_EQ(Stored()[0].amount, 80000);
}

TEST_F(GoalsWindowTest, RemoveAsksFirstAndNoKeepsTheGoal) {
    StoreGoal(MarchGoal());
    Goal time = MarchGoal();
    time.quantity = Goal::Quantity::Time;
    time.amount = 5400;
    time.sport = "Cycling";
    StoreGoal(time);
    ASSERT_TRUE(InGoals([&](D& d) {
        EXPECT_EQ(d.GetDlgItemText(D::kAmount), "100");
        UserInput::ClickRow(d, D::kList, 1);
        EXPECT_EQ(d.ListSelection(D::kList), 1);
        EXPECT_EQ(UserInput::FocusedId(d), D::kList);
        EXPECT_EQ(d.GetDlgItemText(D::kAmount), "01:30:00");
        EXPECT_EQ(d.GetDlgItemText(D::kSport), "Cycling");
        TMessageBox::QueueAnswers({TMessageBox::kIdNo});
        UserInput::Click(d, D::kRemove);
        ASSERT_EQ(TMessageBox::History().size(), 1U);
        EXPECT_EQ(TMessageBox::History()[0].text,
                  "Remove the goal \"2025-03-01..2025-03-10: 01:30:00 of time, Cycling\"?");
        EXPECT_EQ(d.ListCount(D::kList), 2);
        TMessageBox::QueueAnswers({TMessageBox::kIdYes});
        UserInput::Click(d, D::kRemove);
        EXPECT_EQ(Lines(d), "2025-03-01..2025-03-10: 100 km\n");
        UserInput::Escape(d);
    }));
    EXPECT_EQ(Stored().size(), 1U);
}

TEST_F(GoalsWindowTest, TheFirstGoalGoesOnTheStatusBarOnlyOnceTheWindowShows) {
    StoreGoal(MarchGoal());
    Restart();
    EXPECT_EQ(StatusText(), "") << "nothing is weighed on the way up";
    client->DeliverTimer(res::kTitleTimer);
    EXPECT_EQ(StatusText(), "2025-03-01..2025-03-10: 55 of 100 km, 45 km behind pace");
}

TEST(GoalsPanelPaint, TheBarShowsDoneInGreenTheShortfallInRedAndThePaceMark) {
    DateUtility dates;
    GoalProgress::State s;
    s.goal.span = Goal::Span::Dates;
    s.goal.amount = 100000;
    s.first = 20250301;
    s.last = 20250310;
    s.done = 25000;
    s.shareGone = 0.5;
    TImageDC image(300, 60);
    GoalsPanel::Draw(image.DC(), TRect{0, 0, 300, 60}, {s}, GoalText(dates, "km"));
    // The bar spans x 4..295 (291 pixels to fill), y 17..26: done to 4 + 0.25 * 291 = 76,
    // the pace mark at 4 + 0.5 * 291 = 149.
    EXPECT_EQ(image.Pixel(40, 22), GoalsPanel::kDone);
    EXPECT_EQ(image.Pixel(100, 22), GoalsPanel::kBehind);
    EXPECT_EQ(image.Pixel(149, 22), GoalsPanel::kPaceMark);
    EXPECT_EQ(image.Pixel(149, 16), GoalsPanel::kPaceMark) << "the mark stands out of the bar";
    EXPECT_EQ(image.Pixel(200, 22), TColor::White());
    EXPECT_EQ(image.Pixel(4, 22), TColor::Gray()) << "the bar's frame";
}

} // namespace
