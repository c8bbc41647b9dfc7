// The Activities dialog opened from the Log Book with Ctrl+T and driven as the user drives it:
// each change shows at once in the Log Book's distance and activities line, and Ctrl+Z and
// Ctrl+Y in the Log Book take the changes back and make them again, rows and day together.
#include "editor/ActivitiesDialog.h"
#include "editor/ActivityForm.h"
#include "store/ActivityStore.h"
#include "store/GearStore.h"

#include "EditorFixture.h"

namespace {

using D = ActivitiesDialog;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

// Today holds two imported activities, a 5 km run and a 20 km ride, and the user's comment.
class ActivitiesDialogTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        std::vector<ActivityRow> rows(2);
        rows[0] = {0,   Key(0), 1796000000, "Running", 5000,      1800, 1800,
                   140, 165,    400,        {},        "run.fit", 1,    ""};
        rows[1] = {0, Key(0), 1796010000, "Cycling", 20000,      3600, 3600,
                   0, 150,    500,        {},        "ride.tcx", 2,    ""};
        ActivityStore store;
        store.Open(Db(), true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
        OpenOn({Day(Key(0)).Distance(25).Time(5400).Comments("Windy")});
    }
    // The Log Book's distance and activities line.
    std::string Shown() const {
        return Shows(Box(DayForm::kDistance)) + " | " + Shows(LogBookDialog::kActivities);
    }
    static std::string Lines(const D& d) {
        std::string lines;
        for (int i = 0; i < d.ListCount(D::kList); ++i) {
            lines += d.ListText(D::kList, i) + "\n";
        }
        return lines;
    }
    static int BoxId(int box) { return D::kFirstBox + box; }
};

TEST_F(ActivitiesDialogTest, ChangesAreStoredAtOnceAndTakenBackInTheLogBook) {
    const std::string start = "25.00 | Run 5.00 km 30:00 · Ride 20.00 km 1:00:00";
    const std::string changed = "28.00 | Run 8.00 km 30:00 · Ride 20.00 km 1:00:00";
    const std::string added =
        "29.00 | Run 8.00 km 30:00 · Ride 20.00 km 1:00:00 · Swim 1.00 km 20:00";
    const std::string removed = "9.00 | Run 8.00 km 30:00 · Swim 1.00 km 20:00";
    EXPECT_EQ(Shown(), start);
    UserInput::Click(*editor, Box(DayForm::kDistance));
    ASSERT_TRUE(WhenShown<D>(
        [&] { UserInput::Press(*editor, Qt::Key_T, kCtrl); },
        [&](D& d) {
            EXPECT_EQ(Lines(d), "Run  5.00 km  30:00  HR 140/165  400 kcal\n"
                                "Ride  20.00 km  1:00:00  HR 0/150  500 kcal\n");
            Retype(d, BoxId(ActivityForm::kDistance), "8");
            UserInput::Click(d, D::kChange);
            EXPECT_EQ(Shown(), changed);

            // A text that does not read whole says why and changes nothing.
            TMessageBox::QueueAnswers({TMessageBox::kIdOk});
            Retype(d, BoxId(ActivityForm::kDistance), "12,5km");
            UserInput::Click(d, D::kAdd);
            EXPECT_EQ(Messages().back(), "Distance: \"12,5km\" is not a number like 8.2.");
            EXPECT_EQ(UserInput::FocusedId(d), BoxId(ActivityForm::kDistance));
            EXPECT_EQ(Shown(), changed);
            EXPECT_EQ(d.ListCount(D::kList), 2);

            Retype(d, D::kSport, "Swim");
            Retype(d, BoxId(ActivityForm::kDistance), "1");
            Retype(d, BoxId(ActivityForm::kTime), "20:00");
            Retype(d, BoxId(ActivityForm::kCalories), "250");
            Retype(d, D::kNote, "by hand");
            UserInput::Click(d, D::kAdd);
            EXPECT_EQ(Shown(), added);
            EXPECT_EQ(d.ListText(D::kList, 2),
                      "Swim  1.00 km  20:00  HR 140/165  250 kcal  by hand");

            UserInput::ClickRow(d, D::kList, 1);
            UserInput::Click(d, D::kRemove);
            EXPECT_EQ(Shown(), removed);
            UserInput::Escape(d);
        }));
    // The user's comment stays through every step.
    EXPECT_EQ(Shows(LogBookDialog::kComments), "Windy");
    for (const std::string& expected : {added, changed, start}) {
        UserInput::Press(*editor, Qt::Key_Z, kCtrl);
        EXPECT_EQ(Shown(), expected);
    }
    UserInput::Press(*editor, Qt::Key_Y, kCtrl);
    EXPECT_EQ(Shown(), changed);
    EXPECT_EQ(Shows(LogBookDialog::kComments), "Windy");
}

// The gear box follows the chosen activity and a choice in it is stored at once, by the
// activity's start: the change of the run's figures stores its row again and it keeps it.
TEST_F(ActivitiesDialogTest, TheGearBoxShowsAndSetsTheChosenActivitysGear) {
    std::int64_t shoes = 0;
    {
        ActivityStore store;
        store.Open(Db(), true);
        GearStore gear(store);
        for (const char* name : {"Road bike", "Trail shoes"}) {
            GearItem item;
            item.name = name;
            ASSERT_TRUE(gear.Save(item).Ok());
            shoes = item.id;
        }
        int added = 0;
        ASSERT_TRUE(gear.Assign(shoes - 1, {1796010000}, added).Ok()); // the bike on the ride
    }
    const auto carried = [&](std::int64_t start) {
        ActivityStore store;
        store.Open(Db(), false);
        return GearStore(store).GearOfActivity(start);
    };
    UserInput::Click(*editor, Box(DayForm::kDistance));
    ASSERT_TRUE(WhenShown<D>([&] { UserInput::Press(*editor, Qt::Key_T, kCtrl); },
                             [&](D& d) {
                                 EXPECT_EQ(d.GetDlgItemText(D::kGear), "(none)");
                                 UserInput::ClickRow(d, D::kList, 1);
                                 EXPECT_EQ(d.GetDlgItemText(D::kGear), "Road bike");
                                 UserInput::ClickRow(d, D::kList, 0);
                                 UserInput::Click(d, D::kNote);
                                 UserInput::Tab(d);
                                 ASSERT_EQ(UserInput::FocusedId(d), D::kGear);
                                 // (none), Road bike, Trail shoes: two steps down.
                                 UserInput::Press(d, Qt::Key_Down);
                                 UserInput::Press(d, Qt::Key_Down);
                                 EXPECT_EQ(d.GetDlgItemText(D::kGear), "Trail shoes");
                                 EXPECT_EQ(carried(1796000000), std::vector<std::int64_t>{shoes});
                                 Retype(d, BoxId(ActivityForm::kDistance), "8");
                                 UserInput::Click(d, D::kChange);
                                 EXPECT_EQ(d.GetDlgItemText(D::kGear), "Trail shoes");
                                 UserInput::Escape(d);
                             }));
    EXPECT_EQ(carried(1796000000), std::vector<std::int64_t>{shoes});
    EXPECT_EQ(carried(1796010000), std::vector<std::int64_t>{shoes - 1});
}

} // namespace
