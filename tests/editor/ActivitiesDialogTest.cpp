// The Activities dialog opened from the Log Book with Ctrl+T and driven as the user drives it:
// each change shows at once in the Log Book's distance and activities line, and Ctrl+Z and
// Ctrl+Y, in the Log Book or the dialog, take the changes back and make them again, rows and
// day together. The Log Book's own boxes change a day's one activity, never several, and
// Erase Day takes the activities along. Which figures are taken is ActivityDayEditTest's.
#include "editor/ActivitiesDialog.h"
#include "editor/ActivityForm.h"
#include "store/ActivityStore.h"
#include "store/GearStore.h"

#include "EditorFixture.h"

namespace {

using D = ActivitiesDialog;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

// Closes the dialog however its checks end, so that a failed ASSERT does not leave it open.
struct EscapeAtEnd {
    D& d;
    ~EscapeAtEnd() { UserInput::Escape(d); }
};

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
        rows.resize(count);
        ActivityStore store;
        store.Open(Db(), true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
        OpenOn({count == 1 ? Day(Key(0)).Distance(5).Time(1800).Comments("Windy")
                           : Day(Key(0)).Distance(25).Time(5400).Comments("Windy")});
    }
    // The Log Book's distance, time and activities line.
    std::string Figures() const {
        return Shows(Box(DayForm::kDistance)) + " | " + Shows(Box(DayForm::kTime)) + " | " +
               Shows(LogBookDialog::kActivities);
    }
    // Today's activities in the file.
    std::vector<ActivityRow> Rows() {
        std::vector<ActivityRow> rows;
        ActivityStore store;
        store.Open(Db(), false);
        store.Read(Key(0), Key(0), rows);
        return rows;
    }
    // Their distances and moving times.
    std::vector<double> Metres() {
        std::vector<double> metres;
        for (const ActivityRow& row : Rows()) {
            metres.push_back(row.metres);
        }
        return metres;
    }
    std::vector<std::int32_t> Moving() {
        std::vector<std::int32_t> seconds;
        for (const ActivityRow& row : Rows()) {
            seconds.push_back(row.movingSeconds);
        }
        return seconds;
    }
    using Texts = std::vector<std::string>;
    void PressInLogBook(Qt::Key key) { UserInput::Press(*editor, key, kCtrl); }

    std::size_t count = 2;
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
            EXPECT_EQ(d.GetDlgItemText(BoxId(ActivityForm::kDistance)), "20.00");
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

// An added activity carries its sport's default, or what the user chose in the gear box
// before adding; the link, by start, holds through an undo and a redo that stores the row
// again, and a removed activity's gear is not handed to the next one added.
TEST_F(ActivitiesDialogTest, AnAddedActivityCarriesTheDefaultOrTheChosenGear) {
    {
        ActivityStore store;
        store.Open(Db(), true);
        GearStore gear(store);
        GearItem road; // id 1
        road.name = "Road shoes";
        road.defaultFor = "Running";
        ASSERT_TRUE(gear.Save(road).Ok());
        GearItem trail; // id 2
        trail.name = "Trail shoes";
        ASSERT_TRUE(gear.Save(trail).Ok());
    }
    const auto carried = [&](std::size_t row) {
        ActivityStore store;
        store.Open(Db(), false);
        return GearStore(store).GearOfActivity(Rows().at(row).start);
    };
    using Ids = std::vector<std::int64_t>;
    // (none), Road shoes, Trail shoes: one step down from the road shoes.
    const auto chooseTrail = [&](D& d) {
        UserInput::Click(d, D::kNote);
        UserInput::Tab(d);
        ASSERT_EQ(UserInput::FocusedId(d), D::kGear);
        UserInput::Press(d, Qt::Key_End);
        ASSERT_EQ(d.GetDlgItemText(D::kGear), "Trail shoes");
    };
    ASSERT_TRUE(WhenShown<D>([&] { PressInLogBook(Qt::Key_T); },
                             [&](D& d) {
                                 const EscapeAtEnd close{d};
                                 // The run's boxes, 3 km: a third activity, a run, with the road
                                 // shoes.
                                 Retype(d, BoxId(ActivityForm::kDistance), "3");
                                 UserInput::Click(d, D::kAdd);
                                 ASSERT_EQ(Rows().size(), 3U);
                                 EXPECT_EQ(carried(2), Ids{1});
                                 UserInput::Press(d, Qt::Key_Z, kCtrl);
                                 EXPECT_EQ(Rows().size(), 2U);
                                 UserInput::Press(d, Qt::Key_Y, kCtrl);
                                 ASSERT_EQ(Rows().size(), 3U);
                                 EXPECT_EQ(carried(2), Ids{1});

                                 // It changes to the trail shoes and goes; a run added next starts
                                 // a minute later and takes the default, and two undos bring the
                                 // first back with its trail shoes.
                                 UserInput::ClickRow(d, D::kList, 2);
                                 EXPECT_EQ(d.GetDlgItemText(D::kGear), "Road shoes");
                                 chooseTrail(d);
                                 const std::int64_t removed = Rows()[2].start;
                                 UserInput::Click(d, D::kRemove);
                                 ASSERT_EQ(Rows().size(), 2U);
                                 Retype(d, D::kSport, "Run");
                                 UserInput::Click(d, D::kAdd);
                                 ASSERT_EQ(Rows().size(), 3U);
                                 EXPECT_EQ(Rows()[2].start, removed + 60);
                                 EXPECT_EQ(carried(2), Ids{1});
                                 UserInput::Press(d, Qt::Key_Z, kCtrl);
                                 UserInput::Press(d, Qt::Key_Z, kCtrl);
                                 ASSERT_EQ(Rows().size(), 3U);
                                 EXPECT_EQ(Rows()[2].start, removed);
                                 EXPECT_EQ(carried(2), Ids{2});

                                 // Chosen first: the trail shoes on the 5 km run, then added as a
                                 // fourth run.
                                 UserInput::ClickRow(d, D::kList, 0);
                                 chooseTrail(d);
                                 UserInput::Click(d, D::kAdd);
                                 ASSERT_EQ(Rows().size(), 4U);
                                 EXPECT_EQ(carried(0), Ids{2});
                                 EXPECT_EQ(carried(3), Ids{2});
                             }));
}

// Ctrl+Z and Ctrl+Y pressed in the dialog take back its change and make it again; its list
// and the Log Book follow, and the Log Book's keys go on with the same history.
TEST_F(ActivitiesDialogTest, CtrlZAndCtrlYInTheDialogTakeBackItsChanges) {
    const std::string start = "25.00 | Run 5.00 km 30:00 · Ride 20.00 km 1:00:00";
    const std::string changed = "28.00 | Run 8.00 km 30:00 · Ride 20.00 km 1:00:00";
    ASSERT_TRUE(WhenShown<D>(
        [&] { PressInLogBook(Qt::Key_T); },
        [&](D& d) {
            Retype(d, BoxId(ActivityForm::kDistance), "8");
            UserInput::Click(d, D::kChange);
            ASSERT_EQ(Shown(), changed);
            UserInput::Press(d, Qt::Key_Z, kCtrl);
            EXPECT_EQ(Shown(), start);
            EXPECT_EQ(d.ListText(D::kList, 0), "Run  5.00 km  30:00  HR 140/165  400 kcal");
            EXPECT_EQ(d.GetDlgItemText(BoxId(ActivityForm::kDistance)), "5.00");
            UserInput::Press(d, Qt::Key_Y, kCtrl);
            EXPECT_EQ(Shown(), changed);
            EXPECT_EQ(d.ListText(D::kList, 0), "Run  8.00 km  30:00  HR 140/165  400 kcal");
            TMessageBox::QueueAnswers({TMessageBox::kIdOk});
            UserInput::Press(d, Qt::Key_Y, kCtrl);
            EXPECT_EQ(Messages(), Texts{"Nothing to redo."});
            UserInput::Escape(d);
        }));
    PressInLogBook(Qt::Key_Z);
    EXPECT_EQ(Shown(), start);
    EXPECT_EQ(Metres(), (std::vector<double>{5000, 20000}));
    EXPECT_EQ(Shows(LogBookDialog::kComments), "Windy");
}

// Typed sums are neither stored nor split among the activities: the user is told, the other
// boxes are stored, and the Activities dialog is offered.
TEST_F(ActivitiesDialogTest, TypedSumsAreNotTakenAndTheDialogIsOffered) {
    const std::string start = "25.00 | 01:30:00 | Run 5.00 km 30:00 · Ride 20.00 km 1:00:00";
    EXPECT_EQ(StatusText(),
              "Distance and time are the sums of this day's 2 activities: Ctrl+T changes them.");
    Retype(Box(DayForm::kDistance), "30");
    Retype(Box(DayForm::kBodyWeight), "71");
    ClickAnswering(LogBookDialog::kSaveDay, TMessageBox::kIdNo);
    EXPECT_EQ(Messages(),
              Texts{"This day's distance and time are the sums of its 2 activities: the distance "
                    "typed was not stored. Change them activity by activity in the Activities "
                    "dialog (Ctrl+T). The other boxes are stored.\n\nOpen the Activities dialog "
                    "now?"});
    EXPECT_EQ(Figures(), start);
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 25.0F);
    EXPECT_EQ(Stored(0)->bodyWeight, 71.0F);
    EXPECT_EQ(Rows().size(), 2U);

    Retype(Box(DayForm::kTime), "02:00:00");
    EXPECT_TRUE(WhenShown<D>([&] { ClickAnswering(LogBookDialog::kSaveDay, TMessageBox::kIdYes); },
                             [&](D& d) {
                                 EXPECT_EQ(d.ListCount(D::kList), 2);
                                 UserInput::Escape(d);
                             }));
    EXPECT_EQ(Figures(), start);
}

// Erase Day asks, naming the activities, and takes them with the day as one step.
TEST_F(ActivitiesDialogTest, ErasingTheDayTakesItsActivitiesInOneStep) {
    const std::string start = "25.00 | Run 5.00 km 30:00 · Ride 20.00 km 1:00:00";
    const std::string question = "Erase this day and its 2 activities? They go from the "
                                 "activities file too; Ctrl+Z brings the day and them back.";
    ClickAnswering(LogBookDialog::kEraseDay, TMessageBox::kIdNo);
    EXPECT_EQ(Messages(), Texts{question});
    EXPECT_EQ(Shown(), start);
    ClickAnswering(LogBookDialog::kEraseDay, TMessageBox::kIdYes);
    EXPECT_EQ(Messages(), (Texts{question, question}));
    EXPECT_EQ(Shown(), " | ");
    EXPECT_EQ(Stored(0), nullptr);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(StatusText(), "");
    PressInLogBook(Qt::Key_Z);
    EXPECT_EQ(Shown(), start);
    EXPECT_EQ(Shows(LogBookDialog::kComments), "Windy");
    EXPECT_EQ(Rows().size(), 2U);
    PressInLogBook(Qt::Key_Y);
    EXPECT_EQ(Shown(), " | ");
    EXPECT_TRUE(Rows().empty());
}

// Today holds one activity, a 5 km run in 30:00, whose figures the Log Book's boxes change.
class OneActivityTest : public ActivitiesDialogTest {
protected:
    void SetUp() override {
        count = 1;
        ActivitiesDialogTest::SetUp();
    }
};

TEST_F(OneActivityTest, TypedDistanceAndTimeChangeTheActivityAsOneStepEach) {
    const std::string start = "5.00 | 00:30:00 | Run 5.00 km 30:00";
    const std::string longer = "8.00 | 00:30:00 | Run 8.00 km 30:00";
    const std::string slower = "8.00 | 00:40:00 | Run 8.00 km 40:00";
    EXPECT_EQ(StatusText(),
              "Distance and time are this day's activity's: typed here, they change it.");
    Retype(Box(DayForm::kDistance), "8");
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(Figures(), longer);
    // 1800 s / 8 km = 225 s = 3:45 a km; 8 km in half an hour is 16 km/h.
    EXPECT_EQ(Shows(Box(DayForm::kPace)), "00:03:45");
    EXPECT_EQ(Shows(Box(DayForm::kSpeed)), "16.00");
    EXPECT_EQ(Metres(), std::vector<double>{8000});
    // Stepping away stores the typed day as Save Day does.
    Retype(Box(DayForm::kTime), "40:00");
    Click(LogBookDialog::kNextDay);
    Click(LogBookDialog::kPreviousDay);
    EXPECT_EQ(Figures(), slower);
    EXPECT_EQ(Moving(), std::vector<std::int32_t>{2400});
    EXPECT_EQ(editor->History().UndoCount(), 2U);

    for (const std::string& expected : {longer, start}) {
        PressInLogBook(Qt::Key_Z);
        EXPECT_EQ(Figures(), expected);
    }
    EXPECT_EQ(Metres(), std::vector<double>{5000});
    PressInLogBook(Qt::Key_Y);
    EXPECT_EQ(Figures(), longer);
    EXPECT_EQ(Rows().size(), 1U);
    EXPECT_EQ(Shows(LogBookDialog::kComments), "Windy");
    EXPECT_TRUE(TMessageBox::History().empty());
}

// An emptied distance would leave an activity the day no longer shows: it stays, and what
// else was typed is stored.
TEST_F(OneActivityTest, AnEmptiedDistanceKeepsTheActivityAndStoresTheRest) {
    Retype(Box(DayForm::kDistance), "");
    Retype(LogBookDialog::kComments, "Hills");
    ClickAnswering(LogBookDialog::kSaveDay, TMessageBox::kIdNo);
    EXPECT_EQ(Messages(),
              Texts{"This day's distance is its activity's and was not emptied: the activity "
                    "keeps it. To take the activity away, remove it in the Activities dialog "
                    "(Ctrl+T). The other boxes are stored.\n\nOpen the Activities dialog now?"});
    EXPECT_EQ(Figures(), "5.00 | 00:30:00 | Run 5.00 km 30:00");
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_STREQ(Stored(0)->comments, "Hills");
    EXPECT_EQ(Metres(), std::vector<double>{5000});
}

// Closing asks before a typed figure goes into the activity, as for any unsaved day.
TEST_F(OneActivityTest, ClosingAsksBeforeTheTypedDistanceIsStored) {
    Retype(Box(DayForm::kDistance), "8");
    ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdNo);
    EXPECT_EQ(Messages(), Texts{"\n\nSave changes to database?"});
    EXPECT_EQ(Metres(), std::vector<double>{5000});
    Reopen();
    Retype(Box(DayForm::kDistance), "8");
    ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdYes);
    EXPECT_EQ(Metres(), std::vector<double>{8000});
    EXPECT_EQ(client->Tool(res::kLogBookDialog), nullptr);
    EXPECT_EQ(StatusText(), "");
}

} // namespace
