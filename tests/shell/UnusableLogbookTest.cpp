// Starting on a LOGBOOK that names something no logbook can be: the user is told once what
// is wrong with it, the title says that no logbook is open, the Log Book can be stepped
// without a message at every click, and the path is left as it was.
#include "framework/TFileOpenDialog.h"
#include "shell/CommandIds.h"

#include "EditorFixture.h"

#include <QApplication>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace {

class UnusableLogbookTest : public EditorFixture {
protected:
    // Starts the program again on a settings file naming logbook, after prepare has made
    // what it names, and says what the user was told.
    void StartOn(const std::string& logbook, const std::function<void()>& prepare,
                 const std::string& told) {
        Restart([&] {
            prepare();
            WriteSettings(logbook);
        });
        EXPECT_EQ(Messages(), std::vector<std::string>{"\n\nERROR:  \"" + told + "\""});
        EXPECT_EQ(frame->Title(), "Veloria - [no logbook open]");
    }
    // Opens the Log Book and steps it a day and thirty days each way with the mouse: no
    // message comes again.
    void StepTheLogBook() {
        Reopen();
        for (const int button :
             {LogBookDialog::kNextDay, LogBookDialog::kPreviousDay, LogBookDialog::kPrevious30Days,
              LogBookDialog::kNext30Days, LogBookDialog::kPrevious30Days}) {
            Click(button);
        }
        EXPECT_EQ(Messages().size(), 1U);
    }
};

// The store refuses every kind of path that is no file (LogBookDatabaseTest); here a FIFO,
// which the window program would wait on for ever.
TEST_F(UnusableLogbookTest, APathThatIsNoFileIsNamedOnceAndLeftAsItWas) {
    const std::string logbook = Path("fifo.vrl");
    StartOn(
        logbook, [&] { ASSERT_EQ(::mkfifo(logbook.c_str(), 0600), 0); },
        logbook + " is not a regular file.");
    StepTheLogBook();
    EXPECT_TRUE(std::filesystem::is_fifo(logbook));
    EXPECT_FALSE(std::filesystem::exists(Path("fifo.idx")));
    // The setting still names the path: the program never chose another logbook for the user.
    EXPECT_NE(Read(Ini()).find("LOGBOOK=" + logbook), std::string::npos);
}

TEST_F(UnusableLogbookTest, ASecondInstanceSaysItsLogbookIsInUseAndItsTitleNamesNone) {
    // The first instance holds the default logbook open.
    app.reset();
    QApplication::processEvents();
    DateUtility dates;
    RecordingReporter first;
    LogBookDatabase other(first, dates);
    ASSERT_NE(other.Open(ClientWindow::DefaultLogBookPath()), LogBookDatabase::OpenResult::Failed);
    StartOn(
        "", [] {}, "Logbook is in use by another program.");
    StepTheLogBook();

    // Another logbook chosen with File > Open is opened and named; the one in use is not
    // tried again.
    const std::string season = Path("season.vrl");
    std::ofstream{season};
    TFileOpenDialog::QueueAnswers({season});
    UserInput::ChooseMenuItem(*frame, cmd::kOpen);
    EXPECT_EQ(Messages().size(), 1U);
    EXPECT_EQ(frame->Title(), "Veloria - [" + season + "]");
    EXPECT_TRUE(client->Database().IsOpen());
    EXPECT_TRUE(first.messages.empty());
}

} // namespace
