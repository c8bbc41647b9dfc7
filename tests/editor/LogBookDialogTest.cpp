// The Log Book driven with the mouse and the keyboard: what is typed is stored as it reads,
// or refused with a message before anything of the day is taken; what is only looked at
// stays byte for byte.
#include "framework/TFileOpenDialog.h"
#include "framework/TMenuItem.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"

#include "EditorFixture.h"
#include "FileSizeLimit.h"

#include <fstream>
#include <functional>
#include <vector>

namespace {

using LogBookDialogTest = EditorFixture;
using UserInput::FocusedId;

// Typed as the user types: the first box has the focus, Enter in a number box or in the
// comment box saves (adding no line), a number box takes nine characters, and the workout
// box keeps what was typed where a list entry begins the same way.
TEST_F(LogBookDialogTest, TypedDaysAreReadFromTheBoxesAndSaved) {
    EXPECT_EQ(FocusedId(*editor), Box(DayForm::kDistance));
    EXPECT_EQ(Shows(LogBookDialog::kDateText), LongDate(0));
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "");
    EXPECT_EQ(editor->ListText(LogBookDialog::kWorkout, 15), "Competition, Track ");
    // Leaving an empty day changes nothing.
    Click(LogBookDialog::kNextDay);
    Click(LogBookDialog::kPreviousDay);
    EXPECT_FALSE(editor->Cache().Changed());

    Type(Box(DayForm::kDistance), "12.345");
    UserInput::Enter(*editor);
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 12.345F);
    Retype(Box(DayForm::kTime), "45"); // over the zeros a save shows
    Retype(Box(DayForm::kPace), "1:30");
    Retype(Box(DayForm::kWaterUsed), "1234567890");
    EXPECT_EQ(Shows(Box(DayForm::kWaterUsed)), "123456789");
    Retype(Box(DayForm::kWaterUsed), "1.5");
    Type(LogBookDialog::kWorkout, "Other");
    Click(LogBookDialog::kYes);
    Click(LogBookDialog::kHard);
    Type(LogBookDialog::kComments, "Six hills, legs heavy on the last two");
    UserInput::Enter(*editor);
    const auto day = Stored(0);
    EXPECT_EQ(day->time, 2700);
    EXPECT_EQ(day->pace, 90);
    EXPECT_EQ(day->waterUsed, 1.5F);
    EXPECT_EQ(day->competition, 'Y');
    EXPECT_EQ(day->difficulty, 'H');
    EXPECT_EQ(day->WorkoutText(), "Other");
    EXPECT_STREQ(day->comments, "Six hills, legs heavy on the last two");
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "12.35");
    EXPECT_EQ(Shows(Box(DayForm::kTime)), "00:45:00");
    // Shown as 12.35, kept as 12.345 while the box is left alone.
    Click(LogBookDialog::kNextDay);
    Click(LogBookDialog::kPreviousDay);
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(Stored(0)->distance, 12.345F);
    EXPECT_TRUE(TMessageBox::History().empty());
}

// Issue: the day the window opened on seemed changed when its comment ran past the box's two
// lines, and stepping away stored the comment cut to what the two lines show.
TEST_F(LogBookDialogTest, LookingAtDaysLeavesThemByteForByte) {
    const DayRecord opening = RaceDay(0);
    const DayRecord earlier = RaceDay(-30);
    Store(opening);
    Store(earlier);
    Reopen();
    ASSERT_EQ(Shows(Box(DayForm::kDistance)), "1234.56");
    Click(LogBookDialog::kClose);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog)) << "nothing was changed to ask about";

    Reopen();
    // Away by 30 days each way; +30 twice moves the cache window, which stores what changed.
    Click(LogBookDialog::kPrevious30Days);
    Click(LogBookDialog::kNext30Days);
    Click(LogBookDialog::kNext30Days);
    Click(LogBookDialog::kPrevious30Days);
    EXPECT_EQ(editor->CurrentDate(), today);
    Click(LogBookDialog::kSaveDay);
    Click(LogBookDialog::kClose);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_TRUE(TMessageBox::History().empty());
    ExpectStoredAsIs(0, opening);
    ExpectStoredAsIs(-30, earlier);
}

// A refused text names its box, takes the focus back there with the text selected and leaves
// the day as stored: "Yes" goes back to correct it, "No" leaves the day as it was.
TEST_F(LogBookDialogTest, RefusedTextsLeaveTheDayByteForByte) {
    const std::string more = LogBookDialog::kCorrectQuestion;
    // The texts and their messages are DayFormTest's; a number box and a duration box here.
    const struct {
        DayForm::Box box;
        const char* typed;
        const char* refusal;
    } cases[] = {
        {DayForm::kDistance, "8,2", "Distance: \"8,2\" is not a number like 8.2."},
        {DayForm::kTime, "130:00",
         "Time: \"130:00\" is not a duration like 50:00 or 1:05:00 (minutes and seconds below "
         "60)."},
    };
    const DayRecord opening = RaceDay(0);
    const DayRecord next = RaceDay(1);
    Store(opening);
    Store(next);
    for (const auto& c : cases) {
        for (const int day : {0, 1}) {
            Reopen();
            if (day == 1) {
                Click(LogBookDialog::kNextDay);
            }
            const std::string shown = Shows(Box(c.box));
            Retype(Box(c.box), c.typed);
            TMessageBox::QueueAnswers({TMessageBox::kIdYes});
            Click(LogBookDialog::kNextDay);
            ASSERT_EQ(TMessageBox::History().size(), 1U) << c.typed;
            EXPECT_EQ(TMessageBox::History()[0].text, c.refusal + more);
            EXPECT_EQ(TMessageBox::History()[0].buttons, TMessageBox::Buttons::YesNo);
            EXPECT_EQ(editor->CurrentDate(), Shifted(day)) << "the step waits for the box";
            EXPECT_EQ(FocusedId(*editor), Box(c.box));
            EXPECT_EQ(SelectedText(*editor), c.typed);
            EXPECT_FALSE(editor->Cache().Changed());

            TMessageBox::QueueAnswers({TMessageBox::kIdNo});
            Click(LogBookDialog::kNextDay);
            EXPECT_EQ(editor->CurrentDate(), Shifted(day + 1));
            Click(LogBookDialog::kPreviousDay);
            EXPECT_EQ(Shows(Box(c.box)), shown);
            EXPECT_FALSE(editor->Cache().Changed());
            TMessageBox::History().clear();
        }
    }
    ExpectStoredAsIs(0, opening);
    ExpectStoredAsIs(1, next);
}

// Closing checks the boxes too: "Yes" goes back to the box, "No" closes on the day as stored.
TEST_F(LogBookDialogTest, ClosingChecksTheBoxes) {
    Type(Box(DayForm::kDistance), "5");
    Click(LogBookDialog::kSaveDay);
    Retype(Box(DayForm::kDistance), "8,2");
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    Click(LogBookDialog::kClose);
    EXPECT_TRUE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(FocusedId(*editor), Box(DayForm::kDistance));
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    Click(LogBookDialog::kClose);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(Stored(0)->distance, 5.0F);
}

TEST_F(LogBookDialogTest, SteppingKeepsChangesInTheCacheUntilTheWindowMoves) {
    DayRecord tomorrow = DayRecord::Blank(Key(1));
    tomorrow.distance = 8;
    tomorrow.competition = 'Y';
    Store(tomorrow);
    Reopen();
    const int loads = editor->Cache().Loads();
    Click(LogBookDialog::kNextDay);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "8.00");
    EXPECT_TRUE(editor->IsDlgButtonChecked(LogBookDialog::kYes));
    Retype(Box(DayForm::kDistance), "9");
    Click(LogBookDialog::kPreviousDay);
    EXPECT_EQ(Shows(LogBookDialog::kDateText), LongDate(0));
    Click(LogBookDialog::kNextDay);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "9.00"); // from the cache
    EXPECT_EQ(Stored(1)->distance, 8.0F);
    EXPECT_EQ(editor->Cache().Loads(), loads);
    // Thirty days on is past the window's end: the change is stored first.
    Click(LogBookDialog::kNext30Days);
    EXPECT_EQ(editor->Cache().Loads(), loads + 1);
    EXPECT_EQ(Stored(1)->distance, 9.0F);
    EXPECT_EQ(Shows(LogBookDialog::kDateText), LongDate(31));
    Click(LogBookDialog::kPrevious30Days);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "9.00");
}

TEST_F(LogBookDialogTest, TheSpeedMenuSendsTheButtonsCommands) {
    std::vector<std::string> offered;
    TWindow::SetSpeedMenuChooser([&](const std::vector<TMenuItem>& items) {
        for (const TMenuItem& item : items) {
            offered.push_back(item.text);
        }
        return items[3].command;
    });
    QTest::mouseClick(editor->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(460, 40));
    TWindow::SetSpeedMenuChooser(nullptr);
    EXPECT_EQ(offered,
              (std::vector<std::string>{"Save Day ", "Find     ", "Calculate...", "+ One Day",
                                        "- One Day", "+ 30 Days", "- 30 Days", "Erase Day"}));
    EXPECT_EQ(editor->CurrentDate(), Shifted(1));
}

// The close button and Esc ask alike: Cancel keeps the window, No drops the day, Yes stores it.
TEST_F(LogBookDialogTest, ClosingAsksAboutUnsavedChanges) {
    const auto distance = [this] { return Stored(0) ? Stored(0)->distance : -1.0F; };
    const struct {
        std::function<void()> close;
        const char* typed;
        float before; // stored before, -1 for none
        float after;  // stored after Yes
    } cases[] = {{[this] { Click(LogBookDialog::kClose); }, "5", -1.0F, 5.0F},
                 {[this] { UserInput::Escape(*editor); }, "6", 5.0F, 6.0F}};
    for (const auto& c : cases) {
        for (const int answer : {TMessageBox::kIdCancel, TMessageBox::kIdNo, TMessageBox::kIdYes}) {
            Reopen();
            Retype(Box(DayForm::kDistance), c.typed);
            TMessageBox::History().clear();
            TMessageBox::QueueAnswers({answer});
            c.close();
            EXPECT_EQ(Messages(), std::vector<std::string>{LogBookDialog::kSaveQuestion});
            EXPECT_EQ(client->IsToolOpen(res::kLogBookDialog), answer == TMessageBox::kIdCancel);
            EXPECT_EQ(distance(), answer == TMessageBox::kIdYes ? c.after : c.before);
        }
    }
    EXPECT_EQ(TMessageBox::History()[0].buttons, TMessageBox::Buttons::YesNoCancel);
    EXPECT_EQ(TMessageBox::History()[0].caption, "MESSAGE");
}

TEST_F(LogBookDialogTest, EraseEmptiesTheDayAndNoKeepsIt) {
    const DayRecord race = RaceDay(0);
    Store(race);
    Reopen();
    // What was typed over the day does not matter to erasing it.
    Retype(Box(DayForm::kDistance), "8,2");
    Click(LogBookDialog::kEraseDay);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "");
    EXPECT_FALSE(editor->IsDlgButtonChecked(LogBookDialog::kYes));
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    Click(LogBookDialog::kClose);
    EXPECT_EQ(Messages(), std::vector<std::string>{LogBookDialog::kSaveQuestion});
    ExpectStoredAsIs(0, race);

    Reopen();
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(Stored(0), nullptr);
    const std::uintmax_t size = DataSize();
    Click(LogBookDialog::kNextDay);
    Type(Box(DayForm::kDistance), "3");
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(DataSize(), size); // the new day took the erased day's record
    EXPECT_EQ(Stored(1)->distance, 3.0F);
}

TEST_F(LogBookDialogTest, ErasingADayWithoutEntryStoresNothing) {
    const std::uintmax_t size = DataSize();
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kSaveDay);
    // Typed, cached by stepping away and back, then erased before it was ever stored.
    Type(Box(DayForm::kDistance), "5");
    Click(LogBookDialog::kNextDay);
    Click(LogBookDialog::kPreviousDay);
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(DataSize(), size);
    EXPECT_EQ(Db().EntryCount(), 0);
    EXPECT_FALSE(editor->Cache().Changed());
    EXPECT_TRUE(Messages().empty());
}

// Message 1000 (another logbook opened) drops what is cached, without asking.
TEST_F(LogBookDialogTest, ResetDropsWhatWasNotStored) {
    Type(Box(DayForm::kDistance), "5");
    Click(LogBookDialog::kNextDay);
    editor->SendMessage(LogBookDialog::kResetMessage);
    EXPECT_FALSE(editor->Cache().Changed());
    EXPECT_EQ(editor->CurrentDate(), today);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "");
    EXPECT_EQ(Stored(0), nullptr);
}

// A disk that refuses the day: Save reports it and keeps the change, and closing with
// "Yes" keeps the window open rather than dropping what was typed.
TEST_F(LogBookDialogTest, AFailedStoreLosesNothing) {
    DayRecord yesterday = DayRecord::Blank(Key(-1));
    yesterday.distance = 1;
    Store(yesterday);
    Type(Box(DayForm::kDistance), "5");
    {
        const FileSizeLimit limit(DataSize());
        Click(LogBookDialog::kSaveDay);
        EXPECT_TRUE(editor->Cache().Changed());
        TMessageBox::QueueAnswers({TMessageBox::kIdYes});
        Click(LogBookDialog::kClose);
        EXPECT_TRUE(client->IsToolOpen(res::kLogBookDialog));
    }
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"\n\nERROR:  \"Error storing database record.\"",
                                        "\n\nSave changes to database?",
                                        "\n\nERROR:  \"Error storing database record.\""}));
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "5.00");
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    Click(LogBookDialog::kClose);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(Stored(0)->distance, 5.0F);
}

TEST_F(LogBookDialogTest, OpeningAnotherLogbookAsksAboutUnsavedDays) {
    const std::string mine = client->LogBookPath();
    const std::string other = Path("other.vrl");
    std::ofstream{other}; // exists, so the file dialog does not offer to create it
    const int distance = Box(DayForm::kDistance);
    // A refused box keeps this logbook, and Cancel keeps it with the typed day.
    Type(distance, "7,5");
    TFileOpenDialog::QueueAnswers({other});
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(client->LogBookPath(), mine);
    EXPECT_EQ(FocusedId(*editor), distance);
    TypeHere(*editor, "7");
    TFileOpenDialog::QueueAnswers({other});
    TMessageBox::QueueAnswers({TMessageBox::kIdCancel});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(Messages().back(), LogBookDialog::kSaveQuestion);
    EXPECT_EQ(client->LogBookPath(), mine);
    EXPECT_EQ(Shows(distance), "7");
    // Yes stores the day, then the other logbook opens.
    TFileOpenDialog::QueueAnswers({other});
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(client->LogBookPath(), other);
    EXPECT_EQ(Db().EntryCount(), 0);
    editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Shows(distance), "");
    // No lets a typed day go.
    Type(distance, "9");
    TFileOpenDialog::QueueAnswers({mine});
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(client->LogBookPath(), mine);
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 7.0F);
}

} // namespace
