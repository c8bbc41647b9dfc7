#include "store/OutputFile.h"

#include "store/FileSizeLimit.h"
#include "store/LogbookFixture.h"
#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class OutputFileTest : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        ASSERT_EQ(held.Open(Path("season.dat")), LogBookDatabase::OpenResult::Opened);
    }
    void TearDown() override {
        held.Close();
        LogbookFixture::TearDown();
    }
    // Writes the bytes by the rule; the problem, empty when they went in.
    std::string Put(const std::string& name, const std::string& bytes) {
        OutputFile file;
        if (file.Open(Path(name), Path("season.dat")) && file.Write(bytes) && file.Commit()) {
            return {};
        }
        return file.Problem();
    }

    RecordingReporter reporter;
    DateUtility dates;
    LogBookDatabase held{reporter, dates};
};

TEST_F(OutputFileTest, RefusalsNameTheFileAndWhy) {
    // Cases the command line's own table leaves out: an index not written yet, another
    // name for the open logbook, a link to a file that would be an index, a folder.
    fs::create_hard_link(Path("season.dat"), Path("alias.txt"));
    fs::create_symlink("new.IDX", Path("to-new-index.txt"));
    fs::create_directory(Path("folder"));
    const struct {
        const char* name;
        const char* why;
    } cases[] = {
        {"season.idx", "is the open logbook or its index"},
        {"alias.txt", "is the open logbook or its index"},
        {"to-new-index.txt", "is named as a logbook or an index (.vrl, .idx)"},
        {"folder", "is a folder"},
        {"gone/report.txt", "cannot be created: no such file or directory"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Put(c.name, "report"), Path(c.name) + ": " + c.why);
    }
    EXPECT_EQ(OutputFile::Refusal(Path("folder")), Path("folder") + ": is a folder");
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
