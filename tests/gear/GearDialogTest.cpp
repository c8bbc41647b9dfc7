// The Gear window opened from Tools > Gear... on the default logbook and driven as the user
// drives it: its table and warning, the status bar's warning once the main window shows,
// add with a refused box, retire behind the check box, remove asked first, and a double
// click that lists an item's activities and days, and a day's gear chosen in the Log Book.

#include "gear/GearDialog.h"
#include "editor/ActivitiesDialog.h"
#include "editor/LogBookDialog.h"
#include "gear/GearItemDialog.h"
#include "goals/GoalsFlow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "store/GearStore.h"
#include "store/GoalStore.h"

#include "ShellFixture.h"
#include "framework/UserInput.h"

#include <QListWidget>

#include <gtest/gtest.h>

namespace {

// Trail shoes: 620 km before they were logged, a 700 km limit, one 10 km run 3 days ago:
// 630 km, 90%. Over the last 8 weeks 10 km, 1.25 km a week: the 70 km left take 56 weeks.
class GearDialogTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<GearDialog>(res::kGearDialog);
        Register<LogBookDialog>(res::kLogBookDialog);
        ClientWindow::RegisterOpenedNotice(GearDialog::Notice);
        TMessageBox::QueueAnswers({});
    }
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ActivityStore store;
        store.Open(client->Database(), true);
        std::vector<ActivityRow> rows(2);
        rows[0] = {0,   Key(-3), 1796000000, "Running", 10000,     3000, 3000,
                   140, 165,     400,        {},        "run.fit", 1,    ""};
        rows[1] = {0, Key(-2), 1796100000, "Cycling", 30000,      3600, 3600,
                   0, 150,     500,        {},        "ride.fit", 2,    ""};
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
        GearStore gear(store);
        GearItem shoes;
        shoes.name = "Trail shoes";
        shoes.startMetres = 620000;
        shoes.limitMetres = 700000;
        ASSERT_TRUE(gear.Save(shoes).Ok());
        int added = 0;
        ASSERT_TRUE(gear.Assign(shoes.id, {1796000000}, added).Ok());
    }
    GearDialog* OpenGear() {
        auto* dialog = Open<GearDialog>(cmd::kGear, res::kGearDialog);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static std::string Lines(const TDialog& d, int id) {
        std::string lines;
        for (int i = 0; i < d.ListCount(id); ++i) {
            lines += d.ListText(id, i) + "\n";
        }
        return lines;
    }
    static void DoubleClickRow(TDialog& d, int id, int row) {
        auto* list = qobject_cast<QListWidget*>(d.Control(id));
        ASSERT_NE(list, nullptr);
        const QPoint at = list->visualItemRect(list->item(row)).center();
        UserInput::ClickAt(*list->viewport(), at);
        QTest::mouseDClick(UserInput::ShownWindow(*list->viewport()), Qt::LeftButton,
                           Qt::NoModifier, list->viewport()->mapTo(list->window(), at));
    }
};

TEST_F(GearDialogTest, TheStatusBarWarnsOnceTheMainWindowShows) {
    Restart();
    EXPECT_EQ(StatusText().find("Trail shoes"), std::string::npos);
    client->DeliverTimer(res::kTitleTimer); // the main window has shown
    EXPECT_EQ(StatusText(), "Trail shoes: 630 of 700 km, 90% of its limit.");
}

// The program's features that speak as a logbook opens, gear first as the program registers
// them: a goal over ten days of March 2025 with 10 + 30 + 15 = 55 of its 100 km done, and
// the worn trail shoes.
class OpenedNoticesTest : public GearDialogTest {
protected:
    void RegisterTools() override {
        GearDialogTest::RegisterTools();
        GoalsFlow::Register();
    }
    void SetUp() override {
        GearDialogTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        for (const auto& [key, km] :
             {std::pair{20250301, 10.0F}, std::pair{20250302, 30.0F}, std::pair{20250305, 15.0F}}) {
            DayRecord day = DayRecord::Blank(key);
            day.distance = km;
            Store(day);
        }
        Goal goal;
        goal.span = Goal::Span::Dates;
        goal.first = 20250301;
        goal.last = 20250310;
        goal.amount = 100000;
        ActivityStore store;
        store.Open(client->Database(), true);
        ASSERT_TRUE(GoalStore(store).Add(goal).Ok());
    }
    static constexpr const char* kBoth = "Trail shoes: 630 of 700 km, 90% of its limit. \u00b7 "
                                         "2025-03-01..2025-03-10: 55 of 100 km, 45 km behind pace";
};

TEST_F(OpenedNoticesTest, EveryFeaturesLineSharesTheStatusBarAfterStartUpAndFileOpen) {
    Restart();
    EXPECT_EQ(StatusText(), "") << "nothing is weighed on the way up";
    client->DeliverTimer(res::kTitleTimer); // the main window has shown
    EXPECT_EQ(StatusText(), kBoth);

    // The same logbook under another name: its days, index and activities file copied.
    const std::filesystem::path from = client->Database().DataFileName();
    std::filesystem::create_directories(Path("second"));
    for (const auto& entry : std::filesystem::directory_iterator(from.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(from.stem().string() + ".", 0) == 0) {
            const std::string ext = name.substr(from.stem().string().size());
            std::filesystem::copy_file(entry.path(), Path("second/other" + ext));
        }
    }
    client->ShowStatus("Counted as a race.");
    TFileOpenDialog::QueueAnswers({Path("second/other.vrl")});
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kOpen));
    EXPECT_EQ(client->Database().DataFileName(), Path("second/other.vrl"));
    EXPECT_EQ(StatusText(), kBoth) << "neither feature's line hides the other";
}

TEST_F(GearDialogTest, TheTableShowsItsItemsAndADoubleClickListsTheirActivities) {
    GearDialog* gear = OpenGear();
    ASSERT_NE(gear, nullptr);
    ASSERT_EQ(gear->ListCount(GearDialog::kList), 1);
    const std::string line = gear->ListText(GearDialog::kList, 0);
    // Name in 18, distance in 11, time in 9, uses in 4, then the dates of its one run; 392
    // days from today its limit is likely reached.
    EXPECT_EQ(line, "Trail shoes          630.00 km   0:50:00    1  " + GearTable::Date(Key(-3)) +
                        " " + GearTable::Date(Key(-3)) + " [#########.]  90%  " +
                        GearTable::Date(Key(392)));
    EXPECT_EQ(gear->GetDlgItemText(GearDialog::kWarning),
              "Trail shoes: 630 of 700 km, 90% of its limit.");
    EXPECT_EQ(gear->ListCount(GearDialog::kUses), 0);
    DoubleClickRow(*gear, GearDialog::kList, 0);
    EXPECT_EQ(Lines(*gear, GearDialog::kUses),
              gear->Table().Date(Key(-3)) + "  Running        10.00 km    0:50:00\n");
    EXPECT_EQ(gear->GetDlgItemText(GearDialog::kUsesTitle), "Activities of Trail shoes: 1");
}

// Today holds no activity, only 5 km in 30:00 typed in the Log Book. Its Activities dialog
// (Ctrl+T) offers the day's gear; the choice is stored at once and the open Gear window
// counts the day and lists it on a double click.
TEST_F(GearDialogTest, TheLogBookSetsTheGearOfADayWithoutActivitiesAndTheTableFollows) {
    DayRecord rest = DayRecord::Blank(Key(0));
    rest.distance = 5;
    rest.time = 1800;
    Store(rest);
    GearDialog* gear = OpenGear();
    ASSERT_NE(gear, nullptr);
    client->OpenLogBook();
    TDialog* logBook = client->Tool(res::kLogBookDialog);
    ASSERT_NE(logBook, nullptr);
    using A = ActivitiesDialog;
    ASSERT_TRUE(WhenShown<A>([&] { UserInput::Press(*logBook, Qt::Key_T, Qt::ControlModifier); },
                             [&](A& d) {
                                 EXPECT_EQ(d.ListCount(A::kList), 0);
                                 EXPECT_EQ(d.GetDlgItemText(A::kGear), "(none)");
                                 UserInput::Click(d, A::kNote);
                                 UserInput::Tab(d);
                                 EXPECT_EQ(UserInput::FocusedId(d), A::kGear);
                                 if (UserInput::FocusedId(d) == A::kGear) {
                                     UserInput::Press(d, Qt::Key_Down); // (none), Trail shoes
                                 }
                                 EXPECT_EQ(d.GetDlgItemText(A::kGear), "Trail shoes");
                                 UserInput::Escape(d);
                             }));
    {
        ActivityStore store;
        store.Open(client->Database(), false);
        EXPECT_EQ(GearStore(store).GearOfDay(Key(0)), std::vector<std::int64_t>{1});
    }
    // 630 + 5 = 635 km, 50:00 + 30:00 = 1:20:00, 2 uses from 3 days ago to today; 635 / 700
    // = 90.7%, 90% shown. The last 8 weeks 15 km: the 65 km left take 65 x 56 / 15 = 242.7,
    // 243 days.
    ASSERT_EQ(gear->ListCount(GearDialog::kList), 1);
    EXPECT_EQ(gear->ListText(GearDialog::kList, 0),
              "Trail shoes          635.00 km   1:20:00    2  " + GearTable::Date(Key(-3)) + " " +
                  GearTable::Date(Key(0)) + " [#########.]  90%  " + GearTable::Date(Key(243)));
    UserInput::Click(*logBook, LogBookDialog::kClose); // uncovers the Gear window
    DoubleClickRow(*gear, GearDialog::kList, 0);
    EXPECT_EQ(Lines(*gear, GearDialog::kUses),
              GearTable::Date(Key(-3)) + "  Running        10.00 km    0:50:00\n" +
                  GearTable::Date(Key(0)) + "  (the day)       5.00 km    0:30:00\n");
    EXPECT_EQ(gear->GetDlgItemText(GearDialog::kUsesTitle),
              "Activities of Trail shoes: 1, and 1 day without activities");
}

TEST_F(GearDialogTest, AddRefusesWhatDoesNotReadAndRetireAndRemoveKeepOrDropTheHistory) {
    GearDialog* gear = OpenGear();
    ASSERT_NE(gear, nullptr);
    ASSERT_TRUE(WhenShown<GearItemDialog>(
        [&] { UserInput::Click(*gear, GearDialog::kAdd); },
        [&](GearItemDialog& d) {
            UserInput::Type(d, GearItemDialog::kName, "Road bike");
            UserInput::Tab(d);
            EXPECT_EQ(UserInput::FocusedId(d), GearItemDialog::kKind);
            UserInput::Press(d, Qt::Key_Down);
            UserInput::Type(d, GearItemDialog::kFirstBox + 1, "7000km"); // distance limit
            TMessageBox::QueueAnswers({TMessageBox::kIdOk});
            UserInput::Enter(d);
            EXPECT_EQ(Messages().back(), "Distance limit: \"7000km\" is not a distance (a "
                                         "number such as 120 or 12.5).");
            EXPECT_EQ(UserInput::FocusedId(d), GearItemDialog::kFirstBox + 1);
            UserInput::Press(d, Qt::Key_End);
            UserInput::Press(d, Qt::Key_Backspace);
            UserInput::Press(d, Qt::Key_Backspace);
            UserInput::Enter(d);
        }));
    // By name: the bike, 0 of its 7000 km, then the shoes.
    ASSERT_EQ(gear->ListCount(GearDialog::kList), 2);
    EXPECT_EQ(gear->ListText(GearDialog::kList, 0),
              "Road bike              0.00 km   0:00:00    0  -          -          "
              "[..........]   0%");
    EXPECT_EQ(gear->Table().Rows()[0].item.kind, GearKind::Bike);

    UserInput::ClickRow(*gear, GearDialog::kList, 1);
    UserInput::Click(*gear, GearDialog::kRetire);
    EXPECT_EQ(gear->ListCount(GearDialog::kList), 1);
    UserInput::Click(*gear, GearDialog::kShowRetired);
    ASSERT_EQ(gear->ListCount(GearDialog::kList), 2);
    EXPECT_NE(gear->ListText(GearDialog::kList, 1).find("630.00 km"), std::string::npos);
    EXPECT_NE(gear->ListText(GearDialog::kList, 1).find("retired "), std::string::npos);

    UserInput::ClickRow(*gear, GearDialog::kList, 1);
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    UserInput::Click(*gear, GearDialog::kRemove);
    EXPECT_EQ(Messages().back(), "Remove Trail shoes? Its 1 activities keep their figures but no "
                                 "longer count for it. Retire it instead to keep its history.");
    EXPECT_EQ(gear->ListCount(GearDialog::kList), 2);
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    UserInput::Click(*gear, GearDialog::kRemove);
    EXPECT_EQ(Lines(*gear, GearDialog::kList).find("Trail shoes"), std::string::npos);
    EXPECT_EQ(gear->ListCount(GearDialog::kList), 1);
}

} // namespace
