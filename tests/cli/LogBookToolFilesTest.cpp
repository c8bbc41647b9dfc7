// veloria-logbook as a process, where its files meet other files and programs: --output
// onto logbooks, devices, pipes and links; readers beside readers and writers; writers
// killed half-way; a record the disk cannot read; texts that hold control characters.

#include "ToolFixture.h"

#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class LogBookToolFilesTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        MakeLogbook(Path("a.vrl"));
    }
    // Runs the tool until it syncs its file to the disk, and kills it there: every byte is
    // in the temporary file, which is not yet renamed. Its exit status (-1 when killed).
    static int RunKilledAtSync(const std::vector<std::string>& arguments) {
        std::vector<std::string> args{kStrace,
                                      "-f",
                                      "-qq",
                                      "-o",
                                      "/dev/null",
                                      "-e",
                                      "trace=fsync",
                                      "-e",
                                      "inject=fsync:signal=SIGKILL",
                                      VELORIA_LOGBOOK_TOOL};
        args.insert(args.end(), arguments.begin(), arguments.end());
        return Wait(SpawnProgram(args));
    }
    static constexpr const char* kStrace = "/usr/bin/strace";
};

TEST_F(LogBookToolFilesTest, OutputNeverLandsOnALogbookAnIndexOrAReadOnlyFile) {
    MakeLogbook(Path("b.vrl"));
    MakeLogbook(Path("held.dat"));
    Write(Path("read-only.txt"), "earlier report");
    ::chmod(Path("read-only.txt").c_str(), 0444); // refused to root too
    fs::create_symlink("b.vrl", Path("to-b.txt"));
    const std::vector<std::string> kept = {"a.vrl", "a.idx",    "b.vrl",
                                           "b.idx", "held.dat", "read-only.txt"};
    std::vector<std::string> before;
    for (const std::string& name : kept) {
        before.push_back(Read(Path(name)));
    }
    // The window program has held.dat open.
    RecordingReporter reporter;
    DateUtility dates;
    LogBookDatabase window(reporter, dates);
    ASSERT_EQ(window.Open(Path("held.dat")), LogBookDatabase::OpenResult::Opened);

    const struct {
        const char* command;
        const char* target;
        const char* why;
    } cases[] = {
        {"report", "a.vrl", "is the open logbook or its index; no report was written"},
        {"export", "a.idx", "is the open logbook or its index; nothing was exported"},
        {"report", "b.vrl",
         "is named as a logbook or an index (.vrl, .idx); no report was written"},
        {"export", "b.idx", "is named as a logbook or an index (.vrl, .idx); nothing was exported"},
        {"export", "to-b.txt",
         "is named as a logbook or an index (.vrl, .idx); nothing was exported"},
        {"report", "held.dat", "is a logbook in use by another program; no report was written"},
        {"report", "read-only.txt", "is read-only; no report was written"},
        {"export", "read-only.txt", "is read-only; nothing was exported"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunProcess({c.command, Path("a.vrl"), "--output", Path(c.target)}), 1)
            << c.target;
        EXPECT_EQ(err, "veloria-logbook: " + Path(c.target) + ": " + c.why + "\n");
    }
    window.Close();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(Read(Path(kept[i])), before[i]) << kept[i];
    }
    EXPECT_TRUE(fs::is_symlink(Path("to-b.txt")));
    EXPECT_EQ(Leftovers(), 0);
}

TEST_F(LogBookToolFilesTest, PipesAndTheTerminalGetTheBytesLinksStay) {
    ASSERT_EQ(RunProcess({"export", Path("a.vrl")}), 0);
    const std::string csv = out;
    ASSERT_EQ(RunProcess({"report", Path("a.vrl"), "--from", "2026-01-01", "--to", "2026-01-10"}),
              0);
    const std::string report = out;

    // A FIFO a program reads: written to, never replaced by a file.
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(RunProcess({"export", Path("a.vrl"), "--output", Path("pipe")}), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("pipe") +
                       ": is a pipe that no program reads; nothing was exported\n");
    const int reader = ::open(Path("pipe").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(RunProcess({"export", Path("a.vrl"), "--output", Path("pipe")}), 0) << err;
    EXPECT_EQ(Drain(reader), csv); // the pipe holds it all: the writer has ended
    EXPECT_TRUE(fs::is_fifo(Path("pipe")));

    // What the process's own standard output is, through a link: as without --output.
    fs::create_symlink("/proc/self/fd/1", Path("standard-output"));
    EXPECT_EQ(RunProcess({"report", Path("a.vrl"), "--from", "2026-01-01", "--to", "2026-01-10",
                          "--output", Path("standard-output")}),
              0)
        << err;
    EXPECT_EQ(out, report);
    EXPECT_TRUE(fs::is_symlink(Path("standard-output")));

    // A link to a file: the file is replaced in its own folder, the link kept.
    fs::create_directory(Path("kept"));
    Write(Path("kept/days.csv"), "earlier export");
    fs::create_symlink("kept/days.csv", Path("days.csv"));
    EXPECT_EQ(RunProcess({"export", Path("a.vrl"), "--output", Path("days.csv")}), 0) << err;
    EXPECT_TRUE(fs::is_symlink(Path("days.csv")));
    EXPECT_EQ(Read(Path("kept/days.csv")), csv);
    EXPECT_EQ(Leftovers() + Leftovers(Path("kept")), 0);
}

TEST_F(LogBookToolFilesTest, AKilledWritersFileIsRemovedByTheNextWrite) {
    if (::access(kStrace, X_OK) != 0) {
        GTEST_SKIP() << "kills the writer through " << kStrace;
    }
    for (const char* command : {"report", "export"}) {
        SCOPED_TRACE(command);
        Write(Path("out.txt"), "earlier");
        EXPECT_EQ(RunKilledAtSync({command, Path("a.vrl"), "--output", Path("out.txt")}), -1);
        EXPECT_EQ(Read(Path("out.txt")), "earlier");
        EXPECT_EQ(Leftovers(), 1);
        EXPECT_EQ(RunProcess({command, Path("a.vrl"), "--output", Path("out.txt")}), 0) << err;
        EXPECT_EQ(Leftovers(), 0);
        EXPECT_NE(Read(Path("out.txt")), "earlier");
    }
}

TEST_F(LogBookToolFilesTest, ReadersShareTheLogbookWritersHoldItAlone) {
    Write(Path("in.csv"), "date,distance\n2026-02-01,5\n");
    std::vector<pid_t> reports;
    for (int i = 0; i < 12; ++i) {
        reports.push_back(
            Spawn({"report", Path("a.vrl"), "--from", "2026-01-01", "--to", "2026-03-31",
                   "--output", Path("r" + std::to_string(i) + ".txt")}));
    }
    for (const pid_t pid : reports) {
        EXPECT_EQ(Wait(pid), 0);
    }
    EXPECT_EQ(Read(Path("r11.txt")), Read(Path("r0.txt")));

    RecordingReporter reporter;
    DateUtility dates;
    {
        LogBookDatabase reading(reporter, dates);
        ASSERT_EQ(reading.Open(Path("a.vrl"), LogBookDatabase::Access::Read),
                  LogBookDatabase::OpenResult::Opened);
        for (const char* command : {"export", "stats", "calendar", "graph", "report", "check"}) {
            EXPECT_EQ(RunProcess({command, Path("a.vrl")}), 0) << command << ": " << err;
        }
        EXPECT_EQ(RunProcess({"import", Path("a.vrl"), Path("in.csv")}), 1);
        EXPECT_EQ(err, "veloria-logbook: " + Path("a.vrl") +
                           ": Logbook is in use by another program.\n");
    }
    {
        // The window program writes while it has the logbook open: readers wait their turn.
        LogBookDatabase window(reporter, dates);
        ASSERT_EQ(window.Open(Path("a.vrl")), LogBookDatabase::OpenResult::Opened);
        EXPECT_EQ(RunProcess({"report", Path("a.vrl")}), 1);
        EXPECT_EQ(err, "veloria-logbook: " + Path("a.vrl") +
                           ": Logbook is in use by another program.\n");
        window.Close();
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(LogBookToolFilesTest, ARecordTheDiskCannotReadFailsEveryReader) {
    // 2026-01-05 is the second record stored.
    struct Unreadable {
        Unreadable() { LogBookDatabase::MakeSlotUnreadable(1); }
        ~Unreadable() { LogBookDatabase::MakeSlotUnreadable(-1); }
    } unreadable;
    const std::vector<std::string> range = {"--from", "2026-01-01", "--to", "2026-03-31"};
    const std::vector<std::vector<std::string>> commands = {
        {"stats", Path("a.vrl"), range[0], range[1], range[2], range[3]},
        {"stats", Path("a.vrl"), range[0], range[1], range[2], range[3], "--csv"},
        {"graph", Path("a.vrl"), range[0], range[1], range[2], range[3]},
        {"calendar", Path("a.vrl"), "--month", "2026-01"},
        {"report", Path("a.vrl"), range[0], range[1], range[2], range[3]},
    };
    const std::string said =
        "veloria-logbook: " + Path("a.vrl") + ": Error loading range of records.\n";
    for (const auto& command : commands) {
        EXPECT_EQ(Run(command), 1) << command[0];
        EXPECT_EQ(out, "") << command[0];
        EXPECT_EQ(err.substr(0, said.size()), said) << command[0];
    }
    EXPECT_EQ(Run({"report", Path("a.vrl"), range[0], range[1], range[2], range[3], "--output",
                   Path("report.txt")}),
              1);
    EXPECT_EQ(Run({"export", Path("a.vrl"), "--output", Path("days.csv")}), 1);
    EXPECT_EQ(err, said + "veloria-logbook: " + Path("a.vrl") +
                       ": only 0 days could be read; nothing was exported\n");
    EXPECT_FALSE(fs::exists(Path("report.txt")));
    EXPECT_FALSE(fs::exists(Path("days.csv")));
    EXPECT_EQ(Leftovers(), 0);
}

TEST_F(LogBookToolFilesTest, ReportTextsWithControlCharactersAreRefusedOrBlanked) {
    for (const auto& [option, text] :
         std::vector<std::pair<std::string, std::string>>{{"--title", "Week 1\n\fpage"},
                                                          {"--comments", "easy \x1b[31mred"},
                                                          {"--comments", "a\tb"}}) {
        EXPECT_EQ(RunProcess({"report", Path("a.vrl"), option, text}), 1) << text;
        EXPECT_NE(err.find(option.substr(2) + " hold"), std::string::npos) << err;
        EXPECT_NE(err.find("a control character"), std::string::npos) << err;
    }
    // The stored comment of 2026-01-05 holds a line end and an undefined byte.
    ASSERT_EQ(RunProcess({"report", Path("a.vrl"), "--from", "2026-01-01", "--to", "2026-03-31"}),
              0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2 * 66);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\f'), 2);
    EXPECT_NE(out.find("Comments         :  Race, \"hard\" felt \u20ac \u00e9 fine    "),
              std::string::npos)
        << out;
}

TEST_F(LogBookToolFilesTest, ImportThroughALinkChangesTheLogbookItNames) {
    fs::create_directory(Path("seasons"));
    fs::rename(Path("a.vrl"), Path("seasons/2026.vrl"));
    fs::rename(Path("a.idx"), Path("seasons/2026.idx"));
    fs::create_symlink("seasons/2026.vrl", Path("current.vrl"));
    Write(Path("in.csv"), "date,distance\n2026-02-01,5\n");
    ASSERT_EQ(RunProcess({"import", Path("current.vrl"), Path("in.csv")}), 0) << err;
    EXPECT_TRUE(fs::is_symlink(Path("current.vrl")));
    ASSERT_EQ(RunProcess({"export", Path("seasons/2026.vrl"), "--from", "2026-02-01", "--to",
                          "2026-02-01"}),
              0)
        << err;
    EXPECT_NE(out.find("\n2026-02-01,5,"), std::string::npos) << out;
    EXPECT_EQ(Leftovers() + Leftovers(Path("seasons")), 0);
}

} // namespace
