// The Log Book driven with the mouse and the keyboard: what is typed is stored as it reads,
// or refused with a message before anything of the day is taken; what is only looked at
// stays byte for byte. How texts read and what they are refused for is DayFormTest's.
#include "framework/TFileOpenDialog.h"
#include "shell/CommandIds.h"
#include "shell/DatesDialog.h"

#include "EditorFixture.h"
#include "store/FileSizeLimit.h"

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
    EXPECT_EQ(editor->ListText(LogBookDialog::kWorkout, 15), "Competition, Track ");
    Type(Box(DayForm::kDistance), "12.345");
    UserInput::Enter(*editor);
    ASSERT_NE(Stored(0), nullptr);
    Type(LogBookDialog::kWorkout, "Other");
    Click(LogBookDialog::kYes);
    Click(LogBookDialog::kHard);
    Type(LogBookDialog::kComments, "Six hills, legs heavy on the last two");
    UserInput::Enter(*editor);
    const auto day = Stored(0);
    EXPECT_EQ(day->distance, 12.345F);
    EXPECT_EQ(day->competition, 'Y');
    EXPECT_EQ(day->difficulty, 'H');
    EXPECT_EQ(day->WorkoutText(), "Other");
    EXPECT_STREQ(day->comments, "Six hills, legs heavy on the last two");
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "12.35");
    EXPECT_TRUE(TMessageBox::History().empty());
    Retype(Box(DayForm::kWaterUsed), "1234567890");
    EXPECT_EQ(Shows(Box(DayForm::kWaterUsed)), "123456789");
}

// A day typed with distance and time and saved used to keep pace 00:00:00 and speed 0.00.
TEST_F(LogBookDialogTest, SavingWorksOutTheMissingPaceAndSpeed) {
    Type(Box(DayForm::kDistance), "7");
    Type(Box(DayForm::kTime), "45:00");
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(Shows(Box(DayForm::kPace)), "00:06:26");
    EXPECT_EQ(Shows(Box(DayForm::kSpeed)), "9.33");
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->pace, 386);
}

// Issue: the day the window opened on seemed changed when its comment ran past the box's two
// lines, and stepping away stored the comment cut to what the two lines show.
TEST_F(LogBookDialogTest, LookingAtDaysLeavesThemByteForByte) {
    const DayRecord opening = RaceDay(0);
    const DayRecord earlier = RaceDay(-30);
    OpenOn({opening, earlier});
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

// A refused text takes the focus back to its box with the text selected and leaves the day
// as stored: "Yes" goes back to correct it, "No" steps on, and at closing closes.
TEST_F(LogBookDialogTest, RefusedTextsLeaveTheDayByteForByte) {
    const DayRecord opening = RaceDay(0);
    const DayRecord next = RaceDay(1);
    Store(opening);
    Store(next);
    for (const int day : {0, 1}) {
        Reopen();
        if (day == 1) {
            Click(LogBookDialog::kNextDay);
        }
        Retype(Box(DayForm::kDistance), "8,2");
        TMessageBox::History().clear();
        ClickAnswering(LogBookDialog::kNextDay, TMessageBox::kIdYes);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Distance: \"8,2\" is not a number like "
                                                       "8.2.\n\nCorrect it? No leaves this day "
                                                       "as it was."});
        EXPECT_EQ(TMessageBox::History()[0].buttons, TMessageBox::Buttons::YesNo);
        EXPECT_EQ(editor->CurrentDate(), Shifted(day)) << "the step waits for the box";
        EXPECT_EQ(FocusedId(*editor), Box(DayForm::kDistance));
        EXPECT_EQ(SelectedText(*editor), "8,2");
        ClickAnswering(LogBookDialog::kNextDay, TMessageBox::kIdNo);
        EXPECT_EQ(editor->CurrentDate(), Shifted(day + 1));
        EXPECT_FALSE(editor->Cache().Changed());
    }
    Retype(Box(DayForm::kDistance), "8,2");
    ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdYes);
    EXPECT_EQ(FocusedId(*editor), Box(DayForm::kDistance)) << "closing waits for the box";
    ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdNo);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    ExpectStoredAsIs(0, opening);
    ExpectStoredAsIs(1, next);
}

// A step inside the cache window shows the day as cached, changes included, and stores
// nothing; the step past its end stores the change first.
TEST_F(LogBookDialogTest, SteppingKeepsChangesInTheCacheUntilTheWindowMoves) {
    OpenOn({Day(Key(1)).Distance(8).Competition('Y')});
    Click(LogBookDialog::kNextDay);
    EXPECT_TRUE(editor->IsDlgButtonChecked(LogBookDialog::kYes));
    Retype(Box(DayForm::kDistance), "9");
    Click(LogBookDialog::kPreviousDay);
    EXPECT_EQ(Shows(LogBookDialog::kDateText), LongDate(0));
    Click(LogBookDialog::kNextDay);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "9.00");
    EXPECT_EQ(Stored(1)->distance, 8.0F);
    Click(LogBookDialog::kNext30Days);
    EXPECT_EQ(Stored(1)->distance, 9.0F);
    EXPECT_EQ(Shows(LogBookDialog::kDateText), LongDate(31));
}

TEST_F(LogBookDialogTest, TheSpeedMenuSendsTheButtonsCommands) {
    EXPECT_EQ(UserInput::ChooseFromSpeedMenu(*editor, QPoint(460, 40), "+ One Day"),
              (std::vector<std::string>{"Save Day ", "Find     ", "Calculate...", "+ One Day",
                                        "- One Day", "+ 30 Days", "- 30 Days", "Erase Day",
                                        "Activities...\tCtrl+T", "Go to Date...\tCtrl+G"}));
    EXPECT_EQ(editor->CurrentDate(), Shifted(1));
}

// Go to Date takes what was typed for the shown day as a step does: a good box into the
// cache (stored once the window moves past it), a refused one asked about first.
TEST_F(LogBookDialogTest, GoToDateTreatsTypingAsAStepDoes) {
    const auto goTo = [this](const std::string& typed) {
        return WhenShown<DatesDialog>(
            [this] { UserInput::Press(*editor, Qt::Key_G, Qt::ControlModifier); },
            [&](DatesDialog& dates) {
                EXPECT_FALSE(dates.HasControl(DatesDialog::kLastBox));
                EXPECT_FALSE(dates.HasControl(DatesDialog::kRanges));
                EXPECT_EQ(dates.GetDlgItemText(DatesDialog::kFirstBox),
                          DateUtility::KeyText(dates.Chosen().first));
                UserInput::Keys(dates, QString::fromStdString(typed));
                UserInput::Enter(dates);
            });
    };
    Retype(Box(DayForm::kDistance), "9");
    ASSERT_TRUE(goTo("2024-02-29"));
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "THR, FEB 29, 2024");
    EXPECT_EQ(Stored(0)->distance, 9.0F);

    Retype(Box(DayForm::kDistance), "8,2");
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    ASSERT_TRUE(goTo("2024-03-10"));
    EXPECT_EQ(Messages().back(), "Distance: \"8,2\" is not a number like 8.2.\n\nCorrect it? "
                                 "No leaves this day as it was.");
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "THR, FEB 29, 2024") << "it waits for the box";
    EXPECT_EQ(FocusedId(*editor), Box(DayForm::kDistance));

    // Esc goes nowhere.
    ASSERT_TRUE(WhenShown<DatesDialog>(
        [this] { UserInput::Press(*editor, Qt::Key_G, Qt::ControlModifier); },
        [](DatesDialog& dates) { UserInput::Escape(dates); }));
    EXPECT_EQ(Shows(LogBookDialog::kDateText), "THR, FEB 29, 2024");
}

// The close button and Esc ask alike: Cancel keeps the window, No drops the day, Yes stores it.
TEST_F(LogBookDialogTest, ClosingAsksAboutUnsavedChanges) {
    const std::function<void()> closes[] = {[this] { Click(LogBookDialog::kClose); },
                                            [this] { UserInput::Escape(*editor); }};
    for (const auto& close : closes) {
        for (const int answer : {TMessageBox::kIdCancel, TMessageBox::kIdNo, TMessageBox::kIdYes}) {
            Reopen();
            Retype(Box(DayForm::kDistance), std::to_string(answer));
            TMessageBox::History().clear();
            TMessageBox::QueueAnswers({answer});
            close();
            EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nSave changes to database?"});
            EXPECT_EQ(client->IsToolOpen(res::kLogBookDialog), answer == TMessageBox::kIdCancel);
            EXPECT_EQ(Stored(0) != nullptr, answer == TMessageBox::kIdYes) << answer;
            Db().EraseDay(today);
        }
    }
    EXPECT_EQ(TMessageBox::History()[0].buttons, TMessageBox::Buttons::YesNoCancel);
    EXPECT_EQ(TMessageBox::History()[0].caption, "MESSAGE");
}

// Erasing empties the boxes whatever was typed over the day; the day goes when it is stored.
TEST_F(LogBookDialogTest, EraseEmptiesTheDayAndNoKeepsIt) {
    const DayRecord race = RaceDay(0);
    OpenOn({race});
    Retype(Box(DayForm::kDistance), "8,2");
    Click(LogBookDialog::kEraseDay);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "");
    EXPECT_FALSE(editor->IsDlgButtonChecked(LogBookDialog::kYes));
    ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdNo);
    ExpectStoredAsIs(0, race);
    Reopen();
    Click(LogBookDialog::kEraseDay);
    Click(LogBookDialog::kSaveDay);
    EXPECT_EQ(Stored(0), nullptr);
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nSave changes to database?"});
}

// A disk that refuses the day: Save reports it and keeps the change, and closing with
// "Yes" keeps the window open rather than dropping what was typed.
TEST_F(LogBookDialogTest, AFailedStoreLosesNothing) {
    Store(Day(Key(-1)).Distance(1));
    Type(Box(DayForm::kDistance), "5");
    {
        const FileSizeLimit limit(DataSize());
        Click(LogBookDialog::kSaveDay);
        ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdYes);
        EXPECT_TRUE(client->IsToolOpen(res::kLogBookDialog));
    }
    const std::string full = "\n\nERROR:  \"Error storing database record. " +
                             Path("logBooks/mylog.vrl") + " cannot be written: file too large.\"";
    EXPECT_EQ(Messages(), (std::vector<std::string>{full, "\n\nSave changes to database?", full}));
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "5.00");
    ClickAnswering(LogBookDialog::kClose, TMessageBox::kIdYes);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(Stored(0)->distance, 5.0F);
}

// Another logbook opens only once the Log Book may close: Cancel keeps this one with the
// typed day, No lets the day go, Yes stores it first.
TEST_F(LogBookDialogTest, OpeningAnotherLogbookAsksAboutUnsavedDays) {
    const std::string mine = client->LogBookPath();
    const std::string other = Path("other.vrl");
    std::ofstream{other}; // exists, so the file dialog does not offer to create it
    const auto open = [this](const std::string& path, int answer) {
        TFileOpenDialog::QueueAnswers({path});
        TMessageBox::QueueAnswers({answer});
        UserInput::ChooseMenuItem(*frame, cmd::kOpen);
        editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
        ASSERT_NE(editor, nullptr);
    };
    Type(Box(DayForm::kDistance), "7");
    open(other, TMessageBox::kIdCancel);
    EXPECT_EQ(client->LogBookPath(), mine);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "7");
    open(other, TMessageBox::kIdYes);
    EXPECT_EQ(client->LogBookPath(), other);
    EXPECT_EQ(Shows(Box(DayForm::kDistance)), "");
    Type(Box(DayForm::kDistance), "9");
    open(mine, TMessageBox::kIdNo);
    EXPECT_EQ(client->LogBookPath(), mine);
    EXPECT_EQ(Messages(), std::vector<std::string>(3, "\n\nSave changes to database?"));
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 7.0F);
}

} // namespace
