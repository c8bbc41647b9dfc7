// veloria-logbook as a process, where its files meet other files and programs: --output
// onto logbooks, devices, pipes and links; readers beside readers and writers; writers
// killed half-way; a record the disk cannot read; texts that hold control characters.

#include "ToolFixture.h"

#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
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
        std::vector<std::string> args{kStrace, "-f", "-qq", "-o", "/dev/null", "-e", "trace=fsync"};
        args.insert(args.end(), {"-e", "inject=fsync:signal=SIGKILL", VELORIA_LOGBOOK_TOOL});
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
    fs::create_symlink(Path("a.vrl"), Path("to-a.csv"));
    std::map<std::string, std::string> kept;
    for (const char* name : {"a.vrl", "a.idx", "b.vrl", "b.idx", "held.dat", "read-only.txt"}) {
        kept[name] = Read(Path(name));
    }
    Holder window(Path("held.dat"));
    const struct {
        const char* command;
        const char* target;
        const char* why;
    } cases[] = {
        {"report", "a.vrl", "is the open logbook or its index"},
        {"export", "a.vrl", "is the open logbook or its index"},
        {"export", "a.idx", "is the open logbook or its index"},
        {"export", "to-a.csv", "is the open logbook or its index"},
        {"report", "b.vrl", "is named as a logbook or an index (.vrl, .idx)"},
        {"export", "b.idx", "is named as a logbook or an index (.vrl, .idx)"},
        {"export", "to-b.txt", "is named as a logbook or an index (.vrl, .idx)"},
        {"report", "held.dat", "is a logbook in use by another program"},
        {"report", "read-only.txt", "is read-only"},
        {"export", "read-only.txt", "is read-only"},
    };
    for (const auto& c : cases) {
        const std::string nothing = c.command == std::string("report") ? "; no report was written"
                                                                       : "; nothing was exported";
        EXPECT_EQ(RunProcess({c.command, Path("a.vrl"), "--output", Path(c.target)}), 1)
            << c.target;
        EXPECT_EQ(err, Said(c.target, c.why + nothing));
    }
    window.db.Close();
    for (const auto& [name, bytes] : kept) {
        EXPECT_EQ(Read(Path(name)), bytes) << name;
    }
    EXPECT_TRUE(fs::is_symlink(Path("to-b.txt")));
    EXPECT_EQ(Leftovers(), 0);
}

TEST_F(LogBookToolFilesTest, PipesAndTheTerminalGetTheBytesLinksStay) {
    const std::string csv = Export(Path("a.vrl"));
    ASSERT_EQ(RunProcess("report @a.vrl --from 2026-01-01 --to 2026-01-10"), 0);
    const std::string report = out;

    // A FIFO a program reads: written to, never replaced by a file.
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(RunProcess("export @a.vrl --output @pipe"), 1);
    EXPECT_EQ(err, Said("pipe", "is a pipe that no program reads; nothing was exported"));
    const int reader = ::open(Path("pipe").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(RunProcess("export @a.vrl --output @pipe"), 0) << err;
    EXPECT_EQ(Drain(reader), csv); // the pipe holds it all: the writer has ended
    EXPECT_TRUE(fs::is_fifo(Path("pipe")));

    // What the process's own standard output is, through a link: as without --output.
    fs::create_symlink("/proc/self/fd/1", Path("standard-output"));
    EXPECT_EQ(
        RunProcess("report @a.vrl --from 2026-01-01 --to 2026-01-10 --output @standard-output"), 0)
        << err;
    EXPECT_EQ(out, report);
    EXPECT_TRUE(fs::is_symlink(Path("standard-output")));

    // A link to a file: the file is replaced in its own folder, the link kept.
    fs::create_directory(Path("kept"));
    Write(Path("kept/days.csv"), "earlier export");
    fs::create_symlink("kept/days.csv", Path("days.csv"));
    EXPECT_EQ(RunProcess("export @a.vrl --output @days.csv"), 0) << err;
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
    const std::string inUse = Said("a.vrl", "Logbook is in use by another program.");
    {
        Holder reading(Path("a.vrl"), LogBookDatabase::Access::Read);
        for (const char* command : {"export", "stats", "calendar", "graph", "report", "check"}) {
            EXPECT_EQ(RunProcess({command, Path("a.vrl")}), 0) << command << ": " << err;
        }
        EXPECT_EQ(RunProcess("import @a.vrl @in.csv"), 1);
        EXPECT_EQ(err, inUse);
    }
    // The window program writes while it has the logbook open: readers wait their turn, and
    // nothing is written.
    Holder window(Path("a.vrl"));
    for (const char* line :
         {"report @a.vrl", "export @a.vrl", "import @a.vrl @in.csv", "check @a.vrl --repair"}) {
        EXPECT_EQ(RunProcess(line), 1) << line;
        EXPECT_EQ(err, inUse);
    }
    EXPECT_EQ(window.db.Close(), LogBookDatabase::Result::Ok);
    EXPECT_TRUE(window.reporter.messages.empty());
}

TEST_F(LogBookToolFilesTest, ARecordTheDiskCannotReadFailsEveryReader) {
    // 2026-01-05 is the second record stored.
    struct Unreadable {
        Unreadable() { LogBookDatabase::MakeSlotUnreadable(1); }
        ~Unreadable() { LogBookDatabase::MakeSlotUnreadable(-1); }
    } unreadable;
    const std::string said = Said("a.vrl", "Error loading range of records.");
    for (const char* line :
         {"stats @a.vrl --from 2026-01-01 --to 2026-03-31",
          "stats @a.vrl --from 2026-01-01 --to 2026-03-31 --csv",
          "graph @a.vrl --from 2026-01-01 --to 2026-03-31", "calendar @a.vrl --month 2026-01",
          "report @a.vrl --from 2026-01-01 --to 2026-03-31"}) {
        EXPECT_EQ(Run(line), 1) << line;
        EXPECT_EQ(out, "") << line;
        EXPECT_EQ(err.substr(0, said.size()), said) << line;
    }
    EXPECT_EQ(Run("report @a.vrl --from 2026-01-01 --to 2026-03-31 --output @report.txt"), 1);
    EXPECT_EQ(Run("export @a.vrl --output @days.csv"), 1);
    EXPECT_EQ(err, said + Said("a.vrl", "only 0 days could be read; nothing was exported"));
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
        EXPECT_TRUE(Holds(err, option.substr(2) + " hold"));
        EXPECT_TRUE(Holds(err, "a control character"));
    }
    // The stored comment of 2026-01-05 holds a line end and an undefined byte.
    ASSERT_EQ(RunProcess("report @a.vrl --from 2026-01-01 --to 2026-03-31"), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2 * 66);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\f'), 2);
    EXPECT_TRUE(Holds(out, "Comments         :  Race, \"hard\" felt \u20ac \u00e9 fine    "));
}

TEST_F(LogBookToolFilesTest, ImportThroughALinkChangesTheLogbookItNames) {
    fs::create_directory(Path("seasons"));
    fs::rename(Path("a.vrl"), Path("seasons/2026.vrl"));
    fs::rename(Path("a.idx"), Path("seasons/2026.idx"));
    fs::create_symlink("seasons/2026.vrl", Path("current.vrl"));
    Write(Path("in.csv"), "date,distance\n2026-02-01,5\n");
    ASSERT_EQ(RunProcess("import @current.vrl @in.csv"), 0) << err;
    EXPECT_TRUE(fs::is_symlink(Path("current.vrl")));
    ASSERT_EQ(RunProcess("export @seasons/2026.vrl --from 2026-02-01 --to 2026-02-01"), 0) << err;
    EXPECT_TRUE(Holds(out, "\n2026-02-01,5,"));
    EXPECT_EQ(Leftovers() + Leftovers(Path("seasons")), 0);
}

} // namespace
