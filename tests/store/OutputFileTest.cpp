#include "store/OutputFile.h"

#include "FileSizeLimit.h"
#include "TempFolderTest.h"
#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class OutputFileTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_EQ(held.Open(Path("season.dat")), 1);
    }
    void TearDown() override {
        held.Close();
        TempFolderTest::TearDown();
    }
    // Writes the bytes by the rule; the problem, empty when they went in.
    std::string Put(const std::string& name, const std::string& bytes) {
        OutputFile file;
        if (file.Open(Path(name), Path("season.dat")) && file.Write(bytes) && file.Commit()) {
            return {};
        }
        return file.Problem();
    }
    // Names in the folder that a writer left behind.
    int Leftovers() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            count += entry.path().filename().string().find(".tmp-") != std::string::npos;
        }
        return count;
    }

    RecordingReporter reporter;
    DateUtility dates;
    LogBookDatabase held{reporter, dates};
};

TEST_F(OutputFileTest, LogbooksIndexesAndReadOnlyFilesAreRefusedByName) {
    Write(Path("other.vrl"), "other logbook");
    Write(Path("read-only.txt"), "keep");
    ::chmod(Path("read-only.txt").c_str(), 0444); // refused to root as well
    fs::create_hard_link(Path("season.dat"), Path("alias.txt"));
    fs::create_symlink("other.vrl", Path("to-logbook.txt"));
    fs::create_symlink("new.IDX", Path("to-new-index.txt"));
    fs::create_directory(Path("folder"));
    // A logbook another program has open (here: another open file of this one).
    Write(Path("busy.dat"), "");
    DataFile busy;
    ASSERT_EQ(busy.Open(Path("busy.dat"), false), DataFile::OpenResult::Opened);

    const struct {
        const char* name;
        const char* why;
    } cases[] = {
        {"season.dat", "is the open logbook or its index"},
        {"season.idx", "is the open logbook or its index"}, // not written yet
        {"alias.txt", "is the open logbook or its index"},
        {"other.vrl", "is named as a logbook or an index (.vrl, .idx)"},
        {"NEW.Idx", "is named as a logbook or an index (.vrl, .idx)"},
        {"to-logbook.txt", "is named as a logbook or an index (.vrl, .idx)"},
        {"to-new-index.txt", "is named as a logbook or an index (.vrl, .idx)"},
        {"busy.dat", "is a logbook in use by another program"},
        {"read-only.txt", "is read-only"},
        {"folder", "is a folder"},
        {"gone/report.txt", "cannot be created: no such file or directory"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Put(c.name, "report"), Path(c.name) + ": " + c.why);
    }
    EXPECT_EQ(OutputFile::Refusal(Path("other.vrl")),
              Path("other.vrl") + ": is named as a logbook or an index (.vrl, .idx)");
    EXPECT_EQ(Read(Path("other.vrl")), "other logbook");
    EXPECT_EQ(Read(Path("read-only.txt")), "keep");
    EXPECT_EQ(fs::file_size(Path("season.dat")), 0U);
    EXPECT_FALSE(fs::exists(Path("new.IDX")));
    EXPECT_EQ(Leftovers(), 0);
}

TEST_F(OutputFileTest, ARegularFileIsReplacedWholeKeepingItsPermissions) {
    Write(Path("report.txt"), "earlier report");
    ::chmod(Path("report.txt").c_str(), 0640);
    EXPECT_EQ(Put("report.txt", "new report\n"), "");
    EXPECT_EQ(Read(Path("report.txt")), "new report\n");
    EXPECT_EQ(fs::status(Path("report.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // The disk refuses the 1001st byte: the earlier file stays, nothing is left beside it.
    OutputFile file;
    ASSERT_TRUE(file.Open(Path("report.txt")));
    EXPECT_NE(file.WritePath(), Path("report.txt"));
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(file.Write(std::string(5000, 'r')));
    }
    EXPECT_EQ(file.Problem(), Path("report.txt") + ": cannot be written: file too large");
    EXPECT_FALSE(file.Commit());
    file.Abandon();
    EXPECT_EQ(Read(Path("report.txt")), "new report\n");
    EXPECT_EQ(Leftovers(), 0);
}

TEST_F(OutputFileTest, ALinkIsFollowedAndKept) {
    fs::create_directory(Path("kept"));
    Write(Path("kept/report.txt"), "earlier report");
    fs::create_symlink("kept/report.txt", Path("link.txt"));
    fs::create_symlink("kept/later.txt", Path("dangling.txt"));
    EXPECT_EQ(Put("link.txt", "through the link\n"), "");
    EXPECT_EQ(Put("dangling.txt", "made where it points\n"), "");
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_TRUE(fs::is_symlink(Path("dangling.txt")));
    EXPECT_EQ(Read(Path("kept/report.txt")), "through the link\n");
    EXPECT_EQ(Read(Path("kept/later.txt")), "made where it points\n");
}

TEST_F(OutputFileTest, AFifoIsWrittenToNotReplaced) {
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(Put("pipe", "x"), Path("pipe") + ": is a pipe that no program reads");

    std::string received;
    std::thread reader([&] { received = Read(Path("pipe")); });
    OutputFile file;
    // The reader may not have opened its end yet.
    while (!file.Open(Path("pipe"))) {
        std::this_thread::yield();
    }
    EXPECT_EQ(file.WritePath(), Path("pipe"));
    EXPECT_TRUE(file.Write("through the pipe\n"));
    EXPECT_TRUE(file.Commit());
    reader.join();
    EXPECT_EQ(received, "through the pipe\n");
    EXPECT_TRUE(fs::is_fifo(Path("pipe")));
}

TEST_F(OutputFileTest, AKilledWritersLeftoversGoWithTheNextWriteButNotALiveWritersFile) {
    Write(Path(".report.txt.tmp-Ab3dE9"), "killed writer");
    Write(Path(".other.txt.tmp-Ab3dE9"), "another file's writer");
    OutputFile live;
    ASSERT_TRUE(live.Open(Path("report.txt")));
    EXPECT_FALSE(fs::exists(Path(".report.txt.tmp-Ab3dE9")));

    EXPECT_EQ(Put("report.txt", "second writer\n"), "");
    EXPECT_TRUE(fs::exists(live.WritePath())) << "still being written";
    EXPECT_TRUE(fs::exists(Path(".other.txt.tmp-Ab3dE9")));
    live.Abandon();
    EXPECT_EQ(Leftovers(), 1);
    EXPECT_EQ(Read(Path("report.txt")), "second writer\n");
}

} // namespace
