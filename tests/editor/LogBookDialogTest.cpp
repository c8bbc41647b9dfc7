#include "editor/LogBookDialog.h"
#include "editor/CalcDTPDialog.h"
#include "editor/DtpCalculation.h"
#include "editor/FindDialog.h"
#include "framework/TDecoratedMDIFrame.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TMenuItem.h"
#include "framework/TMessageBox.h"
#include "framework/TWindow.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ResourceIds.h"
#include "shell/TMainApp.h"

#include "FileSizeLimit.h"
#include "ShellFixture.h"
#include "framework/UserInput.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

class LogBookDialogTest : public ShellFixture {
protected:
    void RegisterTools() override {
        ClientWindow::RegisterTool(res::kLogBookDialog,
                                   [](ClientWindow& c) { return new LogBookDialog(c); });
        ClientWindow::RegisterTool(res::kFindDialog,
                                   [](ClientWindow& c) { return new FindDialog(c); });
        ClientWindow::RegisterTool(res::kCalcDTPDialog,
                                   [](ClientWindow& c) { return new CalcDTPDialog(c); });
        TMessageBox::QueueAnswers({}); // every box is answered by the test, never shown
    }
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        client->Dates().Today(today);
        client->OpenLogBook();
        editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
        ASSERT_NE(editor, nullptr);
    }
    void TearDown() override {
        TMessageBox::QueueAnswers({TMessageBox::kIdNo});
        ShellFixture::TearDown();
    }

    LogBookDatabase& Db() { return client->Database(); }
    const DateUtility& Dates() { return client->Dates(); }
    DateValue Shifted(int days) {
        DateValue d = today;
        if (days >= 0) {
            Dates().AddDays(d, days);
        } else {
            Dates().SubtractDays(d, -days);
        }
        return d;
    }
    std::int32_t Key(int days) { return Dates().KeyOfDate(Shifted(days)); }
    // The stored day, or null when it is absent or erased.
    std::unique_ptr<DayRecord> Stored(int days) {
        auto r = std::make_unique<DayRecord>(DayRecord::Blank(0));
        if (Db().ReadDay(Shifted(days), *r) != 1 || r->erased != 0) {
            return nullptr;
        }
        return r;
    }
    void StoreDay(int days, float distance) {
        DayRecord r = DayRecord::Blank(Key(days));
        r.distance = distance;
        r.competition = 'Y';
        r.difficulty = 'H';
        std::strcpy(r.workout, "Competition, Flat  ");
        ASSERT_EQ(Db().StoreRecord(r), 1);
    }
    std::uintmax_t DataSize() const {
        return std::filesystem::file_size(Path("logBooks/mylog.vrl"));
    }

    LogBookDialog* editor = nullptr;
    DateValue today;
};

TEST_F(LogBookDialogTest, TypedDaysAreReadFromTheBoxesAndSaved) {
    EXPECT_EQ(editor->GetDlgItemText(517), Dates().LongDateText(today));
    EXPECT_EQ(editor->GetDlgItemText(500), "");
    EXPECT_EQ(editor->ListCount(518), 16);
    EXPECT_EQ(editor->ListText(518, 15), "Competition, Track ");
    // Leaving an empty day changes nothing.
    editor->ClickButton(102);
    editor->ClickButton(103);
    EXPECT_FALSE(editor->Cache().Changed());

    editor->SetDlgItemText(500, "12.345");
    editor->SetDlgItemText(501, "45");
    editor->SetDlgItemText(502, "1:30");
    editor->SetDlgItemText(509, "12345");
    editor->SetDlgItemText(518, "Hill reps");
    editor->CheckDlgButton(512, true);
    editor->CheckDlgButton(516, true);
    editor->SetDlgItemText(511, "first line\nsecond line\nthird line");
    editor->ClickButton(101);
    const auto day = Stored(0);
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->distance, 12.345F);
    EXPECT_EQ(day->time, 2700);
    EXPECT_EQ(day->pace, 90);
    EXPECT_EQ(day->calories, 1234);
    EXPECT_EQ(day->competition, 'Y');
    EXPECT_EQ(day->difficulty, 'H');
    EXPECT_EQ(day->WorkoutText(), "Hill reps");
    EXPECT_EQ(day->CommentsText(), "first linesecond line");
    EXPECT_EQ(editor->GetDlgItemText(500), "12.35");
    EXPECT_EQ(editor->GetDlgItemText(501), "00:45:00");
    EXPECT_EQ(editor->GetDlgItemText(509), "1234");
    EXPECT_FALSE(editor->Cache().Changed());
    EXPECT_TRUE(TMessageBox::History().empty());
}

TEST_F(LogBookDialogTest, SteppingKeepsChangesInTheCacheUntilTheWindowMoves) {
    StoreDay(1, 8);
    editor->SendMessage(LogBookDialog::kResetMessage);
    const int loads = editor->Cache().Loads();
    editor->ClickButton(102);
    EXPECT_EQ(editor->GetDlgItemText(500), "8.00");
    EXPECT_TRUE(editor->IsDlgButtonChecked(512));
    editor->SetDlgItemText(500, "9");
    editor->ClickButton(103);
    EXPECT_EQ(editor->GetDlgItemText(517), Dates().LongDateText(today));
    editor->ClickButton(102);
    EXPECT_EQ(editor->GetDlgItemText(500), "9.00"); // from the cache
    EXPECT_EQ(Stored(1)->distance, 8.0F);
    EXPECT_EQ(editor->Cache().Loads(), loads);
    // Thirty days on is past the window's end: the change is stored first.
    editor->ClickButton(104);
    EXPECT_EQ(editor->Cache().Loads(), loads + 1);
    EXPECT_EQ(Stored(1)->distance, 9.0F);
    EXPECT_EQ(editor->GetDlgItemText(517), Dates().LongDateText(Shifted(31)));
    editor->ClickButton(105);
    EXPECT_EQ(editor->GetDlgItemText(517), Dates().LongDateText(Shifted(1)));
    EXPECT_EQ(editor->GetDlgItemText(500), "9.00");
}

TEST_F(LogBookDialogTest, TheSpeedMenuSendsTheButtonsCommands) {
    std::vector<std::string> offered;
    TWindow::SetSpeedMenuChooser([&](const std::vector<TMenuItem>& items) {
        for (const TMenuItem& item : items) {
            offered.push_back(item.text);
        }
        return items[3].command;
    });
    editor->HostRightButton(TPoint{700, 40});
    TWindow::SetSpeedMenuChooser(nullptr);
    EXPECT_EQ(offered,
              (std::vector<std::string>{"Save Day ", "Find     ", "Calculate...", "+ One Day",
                                        "- One Day", "+ 30 Days", "- 30 Days", "Erase Day"}));
    EXPECT_EQ(editor->CurrentDate(), Shifted(1));
}

TEST_F(LogBookDialogTest, ClosingAsksAboutUnsavedChanges) {
    editor->SetDlgItemText(500, "5");
    TMessageBox::QueueAnswers({TMessageBox::kIdCancel});
    editor->ClickButton(111);
    EXPECT_TRUE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nSave changes to database?"});
    EXPECT_EQ(TMessageBox::History()[0].caption, "MESSAGE");
    EXPECT_EQ(TMessageBox::History()[0].buttons, TMessageBox::Buttons::YesNoCancel);

    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    editor->ClickButton(111);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(Stored(0), nullptr);

    client->OpenLogBook();
    editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    editor->SetDlgItemText(500, "6");
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    editor->ClickButton(111);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 6.0F);
}

TEST_F(LogBookDialogTest, EraseEmptiesTheDayAndNoKeepsIt) {
    StoreDay(0, 4);
    editor->SendMessage(LogBookDialog::kResetMessage);
    EXPECT_EQ(editor->GetDlgItemText(500), "4.00");
    editor->ClickButton(108);
    EXPECT_EQ(editor->GetDlgItemText(500), "");
    EXPECT_FALSE(editor->IsDlgButtonChecked(512));
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    editor->ClickButton(111);
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 4.0F);

    client->OpenLogBook();
    editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    editor->ClickButton(108);
    editor->ClickButton(101);
    EXPECT_EQ(Stored(0), nullptr);
    const std::uintmax_t size = DataSize();
    editor->ClickButton(102);
    editor->SetDlgItemText(500, "3");
    editor->ClickButton(101);
    EXPECT_EQ(DataSize(), size); // the new day took the erased day's record
    EXPECT_EQ(Stored(1)->distance, 3.0F);
}

TEST_F(LogBookDialogTest, ResetAndGoToDayDropWhatWasNotTakenIn) {
    editor->SetDlgItemText(500, "5");
    editor->ClickButton(102); // taken into the cache
    editor->SendMessage(LogBookDialog::kResetMessage);
    EXPECT_FALSE(editor->Cache().Changed());
    EXPECT_EQ(editor->CurrentDate(), today);
    EXPECT_EQ(editor->GetDlgItemText(500), "");

    StoreDay(-200, 2);
    editor->SetDlgItemText(500, "7");
    editor->ClickButton(102);         // cached, unsaved
    editor->SetDlgItemText(500, "8"); // typed, never read
    editor->SendMessage(LogBookDialog::kGoToDayMessage, 0, Key(-200));
    EXPECT_EQ(editor->CurrentDate(), Shifted(-200)); // weekday included
    EXPECT_EQ(editor->GetDlgItemText(500), "2.00");
    EXPECT_EQ(Stored(0)->distance, 7.0F);
    EXPECT_EQ(Stored(1), nullptr);
    EXPECT_EQ(Dates().KeyOfDate(editor->Cache().Start()), Key(-230));
    EXPECT_EQ(Dates().KeyOfDate(editor->Cache().End()), Key(-193));
    EXPECT_TRUE(TMessageBox::History().empty());
}

// A disk that refuses the day: Save reports it and keeps the change, and closing with
// "Yes" keeps the window open rather than dropping what was typed.
TEST_F(LogBookDialogTest, AFailedStoreLosesNothing) {
    StoreDay(-1, 1);
    editor->SetDlgItemText(500, "5");
    {
        const FileSizeLimit limit(DataSize());
        editor->ClickButton(101);
        EXPECT_TRUE(editor->Cache().Changed());
        TMessageBox::QueueAnswers({TMessageBox::kIdYes});
        editor->ClickButton(111);
        EXPECT_TRUE(client->IsToolOpen(res::kLogBookDialog));
    }
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"\n\nERROR:  \"Error storing database record.\"",
                                        "\n\nSave changes to database?",
                                        "\n\nERROR:  \"Error storing database record.\""}));
    EXPECT_EQ(editor->GetDlgItemText(500), "5.00");
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    editor->ClickButton(111);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    EXPECT_EQ(Stored(0)->distance, 5.0F);
}

TEST_F(LogBookDialogTest, FindListsDaysAndGoesToThem) {
    StoreDay(-40, 10);
    StoreDay(-20, 12);
    StoreDay(-5, 10);
    editor->SetDlgItemText(500, "10"); // saved by Find
    editor->ClickButton(109);
    auto* find = dynamic_cast<FindDialog*>(client->Tool(res::kFindDialog));
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->ListText(102, 12), "Comments       ");
    EXPECT_EQ(find->ListText(103, 5), "Greater Than or Equal");
    EXPECT_TRUE(find->IsDlgButtonChecked(110));
    find->SetDlgItemText(101, "10");
    find->ClickButton(105);
    ASSERT_EQ(find->ListCount(107), 3);
    EXPECT_EQ(find->Results(), (std::vector<std::int32_t>{Key(-40), Key(-5), Key(0)}));
    DayRecord first = DayRecord::Blank(0);
    Db().ReadDay(Shifted(-40), first);
    EXPECT_EQ(find->ListText(107, 0), FindQuery::ResultLine(first, Dates()));

    find->ClickButton(106); // nothing selected
    EXPECT_EQ(editor->CurrentDate(), today);
    find->ListSetSelection(107, 0);
    find->ClickButton(106);
    EXPECT_EQ(editor->CurrentDate(), Shifted(-40));

    // With the editor closed, a double click opens it on the day.
    editor->ClickButton(111);
    ASSERT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    find->ListSetSelection(107, 1);
    find->SendNotify(107, TDialog::Notify::ListDoubleClick);
    auto* reopened = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->CurrentDate(), Shifted(-5));
    EXPECT_EQ(reopened->GetDlgItemText(500), "10.00");

    find->CheckDlgButton(110, false);
    find->CheckDlgButton(108, true); // competitions only: today was never marked
    find->ClickButton(105);
    EXPECT_EQ(find->Results(), (std::vector<std::int32_t>{Key(-40), Key(-5)}));
}

TEST_F(LogBookDialogTest, CalculateWorksOutPaceAndAppliesIt) {
    editor->SetDlgItemText(500, "7");
    editor->SetDlgItemText(501, "1:00:00");
    editor->ClickButton(110);
    auto* dtp = client->Tool(res::kCalcDTPDialog);
    ASSERT_NE(dtp, nullptr);
    EXPECT_EQ(dtp->GetDlgItemText(104), "7.00");
    EXPECT_EQ(dtp->GetDlgItemText(105), "01:00:00");
    EXPECT_EQ(dtp->GetDlgItemText(106), "00:00:00");
    EXPECT_FALSE(dtp->IsDlgItemEnabled(107));
    dtp->ClickButton(101);
    EXPECT_EQ(dtp->GetDlgItemText(106), "00:08:34");
    EXPECT_EQ(dtp->GetDlgItemText(107), "7.00");
    dtp->SetDlgItemText(104, "1234.567");
    dtp->ClickButton(103);
    EXPECT_EQ(editor->GetDlgItemText(500), "1234.50");
    EXPECT_EQ(editor->GetDlgItemText(502), "00:08:34");
    EXPECT_EQ(editor->GetDlgItemText(510), "7.00");
    EXPECT_FALSE(editor->Cache().Changed()); // filled, not yet read

    dtp->ClickButton(102);
    dtp->SetDlgItemText(105, "90"); // not a minute: 0
    dtp->SetDlgItemText(104, "10");
    dtp->ClickButton(101);
    EXPECT_EQ(dtp->GetDlgItemText(104), "10");
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    editor->ClickButton(111);
    dtp->ClickButton(103);
    EXPECT_EQ(
        Messages(),
        (std::vector<std::string>{
            "\n\nERROR:  \"" + std::string(DtpCalculation::kTooFewValues).substr(0, 243) + "\"",
            "\n\nSave changes to database?",
            "\n\nERROR:  \"" + std::string(DtpCalculation::kEditorClosed) + "\""}));
}

TEST_F(LogBookDialogTest, LookingAtDaysLeavesThemByteForByte) {
    DayRecord stored = DayRecord::Blank(Key(-40));
    stored.distance = 1234.56F;
    stored.calories = 10500;
    stored.time = 60 * 3600 + 5;
    stored.speed = 12.345F;
    stored.difficulty = 'M';
    const std::string comment(255, 'w');
    std::memcpy(stored.comments, comment.c_str(), comment.size() + 1);
    ASSERT_EQ(Db().StoreRecord(stored), 1);
    editor->SendMessage(LogBookDialog::kGoToDayMessage, 0, Key(-40));
    ASSERT_EQ(editor->GetDlgItemText(LogBookDialog::kFirstBox + DayForm::kDistance), "1234.56");

    // Away by 30 days twice (the cache window moves and stores what changed), back, and save.
    editor->ClickButton(LogBookDialog::kNext30Days);
    editor->ClickButton(LogBookDialog::kNext30Days);
    editor->ClickButton(LogBookDialog::kPrevious30Days);
    editor->ClickButton(LogBookDialog::kPrevious30Days);
    editor->ClickButton(LogBookDialog::kSaveDay);
    EXPECT_FALSE(editor->Cache().Changed());
    DayRecord after = DayRecord::Blank(0);
    ASSERT_EQ(Db().ReadDay(Shifted(-40), after), 1);
    EXPECT_EQ(std::memcmp(&after, &stored, sizeof stored), 0);
}

TEST_F(LogBookDialogTest, ErasingADayWithoutEntryStoresNothing) {
    const std::uintmax_t size = DataSize();
    editor->ClickButton(LogBookDialog::kEraseDay);
    editor->ClickButton(LogBookDialog::kSaveDay);
    // Typed, cached by stepping away and back, then erased before it was ever stored.
    editor->SetDlgItemText(LogBookDialog::kFirstBox + DayForm::kDistance, "5");
    editor->ClickButton(LogBookDialog::kNextDay);
    editor->ClickButton(LogBookDialog::kPreviousDay);
    editor->ClickButton(LogBookDialog::kEraseDay);
    editor->ClickButton(LogBookDialog::kSaveDay);
    EXPECT_EQ(DataSize(), size);
    EXPECT_EQ(Db().EntryCount(), 0);
    EXPECT_FALSE(editor->Cache().Changed());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LogBookDialogTest, OpeningAnotherLogbookAsksAboutUnsavedDays) {
    const std::string mine = client->LogBookPath();
    const std::string other = Path("other.vrl");
    std::ofstream{other}; // exists, so the file dialog does not offer to create it
    const int distance = LogBookDialog::kFirstBox + DayForm::kDistance;
    // Cancel keeps this logbook and the typed day.
    editor->SetDlgItemText(distance, "7");
    TFileOpenDialog::QueueAnswers({other});
    TMessageBox::QueueAnswers({TMessageBox::kIdCancel});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(Messages(), std::vector<std::string>{LogBookDialog::kSaveQuestion});
    EXPECT_EQ(client->LogBookPath(), mine);
    EXPECT_EQ(editor->GetDlgItemText(distance), "7");
    // Yes stores the day, then the other logbook opens.
    TFileOpenDialog::QueueAnswers({other});
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(client->LogBookPath(), other);
    EXPECT_EQ(Db().EntryCount(), 0);
    editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetDlgItemText(distance), "");
    // No lets a typed day go.
    editor->SetDlgItemText(distance, "9");
    TFileOpenDialog::QueueAnswers({mine});
    TMessageBox::QueueAnswers({TMessageBox::kIdNo});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(client->LogBookPath(), mine);
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 7.0F);
}

TEST_F(LogBookDialogTest, KeysWorkAsInADialog) {
    using namespace UserInput;
    const int distance = LogBookDialog::kFirstBox + DayForm::kDistance;
    // The first box has the focus when the Log Book opens.
    EXPECT_EQ(FocusedId(*editor), distance);
    // Enter in a number box presses Save Day.
    Type(*editor, distance, "12.5");
    Enter(*editor);
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 12.5F);
    // A number box takes nine characters; the tenth key is refused.
    editor->SetDlgItemText(LogBookDialog::kFirstBox + DayForm::kSpeed, "");
    Type(*editor, LogBookDialog::kFirstBox + DayForm::kSpeed, "1234567890");
    EXPECT_EQ(editor->GetDlgItemText(LogBookDialog::kFirstBox + DayForm::kSpeed), "123456789");
    // Enter in the comment box saves too, and adds no line.
    Type(*editor, LogBookDialog::kComments, "easy");
    Enter(*editor);
    EXPECT_STREQ(Stored(0)->comments, "easy");
    EXPECT_EQ(Stored(0)->speed, 123456.0F); // read from its first six characters
    // The workout box keeps what was typed, even where a list entry begins the same way.
    Type(*editor, LogBookDialog::kWorkout, "Other");
    Enter(*editor);
    EXPECT_EQ(Stored(0)->WorkoutText(), "Other");
}

TEST_F(LogBookDialogTest, EscapeAsksAboutTypedDaysAsTheCloseButtonDoes) {
    using namespace UserInput;
    Type(*editor, LogBookDialog::kFirstBox + DayForm::kDistance, "8");
    TMessageBox::QueueAnswers({TMessageBox::kIdCancel});
    Escape(*editor);
    EXPECT_EQ(Messages(), std::vector<std::string>{LogBookDialog::kSaveQuestion});
    ASSERT_TRUE(client->IsToolOpen(res::kLogBookDialog));
    TMessageBox::QueueAnswers({TMessageBox::kIdYes});
    Escape(*editor);
    EXPECT_FALSE(client->IsToolOpen(res::kLogBookDialog));
    ASSERT_NE(Stored(0), nullptr);
    EXPECT_EQ(Stored(0)->distance, 8.0F);
}

TEST_F(LogBookDialogTest, FindsDifficultyBoxesAreOnlyFilters) {
    using namespace UserInput;
    client->OpenFind();
    auto* find = dynamic_cast<FindDialog*>(client->Tool(res::kFindDialog));
    ASSERT_NE(find, nullptr);
    Click(*find, FindDialog::kEasy);
    EXPECT_TRUE(client->IsToolOpen(res::kFindDialog));
    EXPECT_TRUE(find->IsDlgButtonChecked(FindDialog::kEasy));
    EXPECT_EQ(find->Criteria().difficulty, FindQuery::kEasy);
    Click(*find, FindDialog::kEasy);
    EXPECT_FALSE(find->IsDlgButtonChecked(FindDialog::kEasy));
}

} // namespace
