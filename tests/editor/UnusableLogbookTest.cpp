// Starting on a LOGBOOK that names something no logbook can be: the user is told once what
// is wrong with it, the title says that no logbook is open, the Log Book can be stepped
// without a message at every click, and the path is left as it was.
#include "editor/LogBookDialog.h"
#include "framework/TFileOpenDialog.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ResourceIds.h"
#include "store/DateUtility.h"
#include "store/LogBookDatabase.h"

#include "ShellFixture.h"
#include "framework/UserInput.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace {

class UnusableLogbookTest : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<LogBookDialog>(res::kLogBookDialog);
    }

    // Starts the program again on a settings file naming logbook, after prepare has made
    // what it names.
    void StartOn(const std::string& logbook, const std::function<void()>& prepare) {
        Restart([&] {
            prepare();
            WriteSettings(logbook);
        });
    }
    // Opens the Log Book and steps it a day and thirty days each way with the mouse.
    void StepTheLogBook() {
        client->OpenLogBook();
        auto* editor = dynamic_cast<LogBookDialog*>(client->Tool(res::kLogBookDialog));
        ASSERT_NE(editor, nullptr);
        for (const int button :
             {LogBookDialog::kNextDay, LogBookDialog::kPreviousDay, LogBookDialog::kPrevious30Days,
              LogBookDialog::kNext30Days, LogBookDialog::kPrevious30Days}) {
            UserInput::Click(*editor, button);
        }
    }
};

// The store refuses every kind of path that is no file (LogBookDatabaseTest); here a FIFO,
// which the window program would wait on for ever.
TEST_F(UnusableLogbookTest, APathThatIsNoFileIsNamedOnceAndLeftAsItWas) {
    const std::string logbook = Path("fifo.vrl");
    StartOn(logbook, [&] { ASSERT_EQ(::mkfifo(logbook.c_str(), 0600), 0); });
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"\n\nERROR:  \"" + logbook + " is not a regular file.\""});
    EXPECT_EQ(frame->Title(), "Veloria - [no logbook open]");
    StepTheLogBook();
    EXPECT_EQ(Messages().size(), 1U);
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
    StartOn("", [] {});
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"\n\nERROR:  \"Logbook is in use by another program.\""});
    EXPECT_EQ(frame->Title(), "Veloria - [no logbook open]");
    StepTheLogBook();
    EXPECT_EQ(Messages().size(), 1U);

    // Another logbook chosen with File > Open is opened and named; the one in use is not
    // tried again.
    const std::string season = Path("season.vrl");
    std::ofstream{season};
    TFileOpenDialog::QueueAnswers({season});
    frame->ChooseMenuItem(cmd::kOpen);
    EXPECT_EQ(Messages().size(), 1U);
    EXPECT_EQ(frame->Title(), "Veloria - [" + season + "]");
    EXPECT_TRUE(client->Database().IsOpen());
    EXPECT_TRUE(first.messages.empty());
}

} // namespace
