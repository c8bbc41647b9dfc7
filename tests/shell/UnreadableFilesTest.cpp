// Files the user may not read or write: the program says so, works on what it may, and
// never writes over them.
#include "editor/LogBookDialog.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TProfile.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"

#include "ShellFixture.h"
#include "UnprivilegedUser.h"
#include "framework/UserInput.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class UnreadableFilesTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        if (!UnprivilegedUser::Ready()) {
            GTEST_SKIP() << UnprivilegedUser::kSkipped;
        }
    }
    void RegisterTools() override { Register<LogBookDialog>(res::kLogBookDialog); }
    // A logbook of one day.
    static void MakeLogbook(const std::string& name) {
        LogbookFixture::MakeLogbook(name, {Day(20260301).Distance(5.0F).Workout("Easy Run")});
    }
};

TEST_F(UnreadableFilesTest, AnUnreadableSettingsFileIsSaidOnceAndNeverWritten) {
    // No VERSION: a readable file would get one written at start.
    const std::string settings = "[GENERAL INFO]\r\nLOGBOOK=/d/log.vrl\r\n";
    std::filesystem::remove(Ini());
    Write(Ini(), settings);
    ASSERT_EQ(::chmod(Ini().c_str(), 0), 0);
    Restart();
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"Settings file " + Ini() +
                                                   " cannot be read: permission denied; the "
                                                   "defaults are used.\""});
    EXPECT_EQ(client->LogBookPath(), ClientWindow::DefaultLogBookPath());
    EXPECT_TRUE(client->Database().IsOpen());
    EndProgram();
    struct stat info {};
    ASSERT_EQ(::stat(Ini().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0U);
    EXPECT_FALSE(TProfile(Ini()).WriteString("GENERAL INFO", "VERSION", "3.2"));
    ::chmod(Ini().c_str(), 0600);
    EXPECT_EQ(Read(Ini()), settings);
}

TEST_F(UnreadableFilesTest, AnUnreadableLogbookIsNamedAndLeftAsItWas) {
    const std::string logbook = Path("closed.vrl");
    MakeLogbook(logbook);
    const std::string data = Read(logbook);
    const std::string index = Read(Path("closed.idx"));
    ASSERT_EQ(::chmod(logbook.c_str(), 0), 0);
    WriteSettings(logbook);
    Restart();
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"" + logbook +
                                                   " cannot be read: permission denied.\""});
    EXPECT_EQ(frame->Title(), "Veloria - [no logbook open]");
    client->OpenLogBook();
    auto* editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
    ASSERT_NE(editor, nullptr);
    UserInput::Click(*editor, LogBookDialog::kNextDay);
    UserInput::Click(*editor, LogBookDialog::kPrevious30Days);
    EXPECT_EQ(Messages().size(), 1U);
    EndProgram();
    ASSERT_EQ(::chmod(logbook.c_str(), 0600), 0);
    EXPECT_EQ(Read(logbook), data);
    EXPECT_EQ(Read(Path("closed.idx")), index);
}

TEST_F(UnreadableFilesTest, ALogbookThatMayOnlyBeReadIsShownButNeverChanged) {
    const std::string name = Path("readonly.vrl");
    MakeLogbook(name);
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
    RecordingReporter reporter;
    DateUtility dates;
    LogBookDatabase db(reporter, dates);
    ASSERT_EQ(db.Open(name), LogBookDatabase::OpenResult::Opened);
    const DateValue first = DateValue::Of(2026, 3, 1);
    DayRecord back{};
    EXPECT_EQ(db.ReadDay(first, back), LogBookDatabase::ReadResult::Read);
    EXPECT_EQ(back.distance, 5.0F);
    EXPECT_EQ(db.StoreRecord(DayRecord::Blank(20260310)), LogBookDatabase::StoreResult::Failed);
    EXPECT_EQ(db.EraseDay(first), LogBookDatabase::StoreResult::Failed);
    EXPECT_EQ(db.EntryCount(), 1);
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"Error storing database record.",
                                                           "Error deleting database record."}));
}

// An activities file that may only be read: its activities are read, the logbook opens, and
// nothing is stored in it.
TEST_F(UnreadableFilesTest, AnActivitiesFileThatMayOnlyBeReadIsReadButNeverChanged) {
    const std::string name = Path("mylog.vrl");
    MakeLogbook(name);
    RecordingReporter reporter;
    DateUtility dates;
    LogBookDatabase db(reporter, dates);
    ASSERT_EQ(db.Open(name), LogBookDatabase::OpenResult::Opened);
    ActivityRow run;
    run.day = 20260301;
    run.start = 1772348400;
    run.sport = "Running";
    run.metres = 5000;
    run.file = "run.fit";
    std::vector<ActivityRow> rows{run};
    {
        ActivityStore store;
        store.Open(db, true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }
    const std::string file = Path("mylog.vra");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string bytes = Read(file);

    ActivityStore store;
    const ActivityStore::Outcome opened = store.Open(db, true);
    EXPECT_EQ(opened.code, ActivityStore::Code::ReadOnly);
    EXPECT_EQ(opened.words, file + " is read-only: its activities are read but not changed");
    std::vector<ActivityRow> back;
    ASSERT_TRUE(store.Read(0, 0, back).Ok());
    ASSERT_EQ(back.size(), 1U);
    EXPECT_EQ(back[0].file, "run.fit");
    EXPECT_EQ(store.Change({back[0].id}, rows, "km").code, ActivityStore::Code::ReadOnly);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(Read(file), bytes);
}

// What the open says of an activities file it may only read comes first on the status bar,
// a feature's line about the logbook after it: neither hides the other.
TEST_F(UnreadableFilesTest, TheOpensWarningAndTheFeaturesLinesShareTheStatusBar) {
    const std::string name = Path("mylog.vrl");
    MakeLogbook(name);
    {
        RecordingReporter reporter;
        DateUtility dates;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(name), LogBookDatabase::OpenResult::Opened);
        ActivityStore store;
        store.Open(db, true); // no activities file yet: the setting makes it
        ASSERT_TRUE(store.SetSetting("default_sport", "Running").Ok());
    }
    const std::string file = Path("mylog.vra");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    ClientWindow::RegisterOpenedNotice([](ClientWindow&) { return std::string("Shoes worn."); });

    TFileOpenDialog::QueueAnswers({name});
    ASSERT_TRUE(UserInput::ChooseMenuItem(*frame, cmd::kOpen));
    EXPECT_EQ(client->Database().DataFileName(), name);
    EXPECT_EQ(StatusText(),
              file + " is read-only: its activities are read but not changed \u00b7 Shoes worn.");
}

} // namespace
