// File > Logbook Settings: the default sport picked from a drop-down with the keyboard and
// stored beside the logbook on OK or Enter, left as it was on Cancel or Esc; a damaged
// activities file is said and left alone; without an open logbook the command is off.

#include "ShellFixture.h"
#include "activities/ActivityIds.h"
#include "activities/LogbookSettingsDialog.h"
#include "framework/UserInput.h"
#include "store/ActivityStore.h"

#include <sys/stat.h>

namespace {

using Settings = LogbookSettingsDialog;

class LogbookSettingsWindowTest : public ShellFixture {
protected:
    void RegisterTools() override { TMessageBox::QueueAnswers({}); }

    // File > Logbook Settings, then act as the user does; false when the dialog never showed.
    bool Choose(const std::function<void(Settings&)>& act) {
        return WhenShown<Settings>(
            [&] { ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, activity::kSettingsCommand)); },
            act);
    }
    // The word the dialog shows as it opens.
    std::string Shown() {
        std::string word;
        EXPECT_TRUE(Choose([&](Settings& d) {
            word = d.ListText(Settings::kSport, d.ListSelection(Settings::kSport));
            UserInput::Escape(d);
        }));
        return word;
    }
    // The setting as the activities file holds it ("" when unset or there is no file).
    std::string Stored() {
        ActivityStore store;
        store.Open(client->Database(), false);
        return store.Setting("default_sport");
    }
    std::string Companion() const { return Path("logBooks/mylog.vra"); }
};

// The list is the sports' words in the order of the sports, ending in Other; Run until one
// is picked. Down from Run is Ride; End is Other.
TEST_F(LogbookSettingsWindowTest, ThePickedSportIsStoredOnOkAndEnterOnly) {
    ASSERT_TRUE(Choose([&](Settings& d) {
        EXPECT_EQ(d.ListCount(Settings::kSport), 25);
        EXPECT_EQ(d.ListText(Settings::kSport, 0), "Run");
        EXPECT_EQ(d.ListText(Settings::kSport, 3), "Swim");
        EXPECT_EQ(d.ListText(Settings::kSport, 24), "Other");
        EXPECT_EQ(d.ListSelection(Settings::kSport), 0);
        EXPECT_EQ(UserInput::FocusedId(d), Settings::kSport);
        UserInput::Press(d, Qt::Key_Down);
        UserInput::Escape(d);
    }));
    EXPECT_EQ(Stored(), "");
    EXPECT_FALSE(std::filesystem::exists(Companion()));

    // Cancel by the mouse keeps it too.
    ASSERT_TRUE(Choose([&](Settings& d) {
        UserInput::Press(d, Qt::Key_Down);
        UserInput::Click(d, TDialog::kIdCancel);
    }));
    EXPECT_EQ(Stored(), "");

    // Enter stores it, creating the activities file.
    ASSERT_TRUE(Choose([&](Settings& d) {
        UserInput::Press(d, Qt::Key_Down);
        EXPECT_EQ(d.ListSelection(Settings::kSport), 1);
        UserInput::Enter(d);
    }));
    EXPECT_EQ(Stored(), "Cycling");
    EXPECT_EQ(StatusText(), "The default sport is now Ride.");
    EXPECT_EQ(Shown(), "Ride");

    // OK by the mouse, after Tab has left the list and come back.
    ASSERT_TRUE(Choose([&](Settings& d) {
        UserInput::Tab(d);
        UserInput::BackTab(d);
        UserInput::Press(d, Qt::Key_End);
        UserInput::Click(d, TDialog::kIdOk);
    }));
    EXPECT_EQ(Stored(), "Other");
    EXPECT_EQ(Shown(), "Other");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LogbookSettingsWindowTest, ADamagedActivitiesFileIsSaidAndLeftAlone) {
    const std::string garbage(2048, 'x');
    Write(Companion(), garbage);
    ASSERT_TRUE(Choose([&](Settings& d) {
        EXPECT_EQ(d.ListSelection(Settings::kSport), 0); // Run: the file cannot say
        UserInput::Press(d, Qt::Key_Down);
        UserInput::Enter(d);
    }));
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "\n\nERROR:  \"" + Companion() +
                              " is damaged: it is not an activities file; veloria-logbook check "
                              "--repair sets it aside\nThe default sport was not changed.\""});
    EXPECT_EQ(Read(Companion()), garbage);
}

// Here the logbook named is a FIFO, which no logbook can be.
TEST_F(LogbookSettingsWindowTest, WithoutAnOpenLogbookTheCommandIsOff) {
    Restart([&] {
        ASSERT_EQ(::mkfifo(Path("fifo.vrl").c_str(), 0600), 0);
        WriteSettings(Path("fifo.vrl"));
    });
    EXPECT_FALSE(UserInput::ChooseMenuItem(*frame, activity::kSettingsCommand));
}

} // namespace
