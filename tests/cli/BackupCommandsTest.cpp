// backup, backups and restore, and the backup every import makes first.

#include "ToolFixture.h"
#include "store/LogBookBackups.h"

#include <gtest/gtest.h>

namespace {

class BackupCommandsTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        logbook = Path("log.vrl");
        MakeLogbook(logbook);
        Write(Path("more.csv"), "date,distance,comments\n2026-04-01,8.5,after the backup\n");
    }

    std::vector<LogBookBackups::Backup> Listed() { return LogBookBackups().List(logbook); }

    std::string logbook;
};

TEST_F(BackupCommandsTest, AnImportIsBackedUpFirstAndRestoreBringsTheDaysBack) {
    const std::string before = Read(logbook);
    ASSERT_EQ(Run("import @log.vrl @more.csv"), 0) << err;
    const std::string imported = Read(logbook);
    ASSERT_EQ(Listed().size(), 1U);
    const std::string name = Listed()[0].name;
    EXPECT_EQ(Listed()[0].days, 3);
    EXPECT_EQ(Read(LogBookBackups::FolderFor(logbook) + "/" + name), before);

    ASSERT_EQ(Run("backups @log.vrl"), 0);
    EXPECT_TRUE(Holds(out, name));
    EXPECT_TRUE(Holds(out, "     3  2026-01-05  2026-03-01        1020\n"));
    {
        const Holder held(logbook);
        EXPECT_EQ(Run({"restore", logbook, name}), 1);
        EXPECT_TRUE(Holds(err, "is open in another program"));
        EXPECT_EQ(Read(logbook), imported);
    }
    EXPECT_EQ(Run("restore @log.vrl 2020-01-01T000000Z.vrl"), 1);
    EXPECT_EQ(Run({"restore", logbook, name}), 0) << err;
    EXPECT_EQ(Read(logbook), before);
    // The imported days went into a backup of their own first.
    ASSERT_EQ(Listed().size(), 2U);
    EXPECT_EQ(Read(LogBookBackups::FolderFor(logbook) + "/" + Listed()[0].name), imported);
    EXPECT_TRUE(Holds(out, "the days it held before are in the backup " + Listed()[0].name));
    ASSERT_EQ(Run("check @log.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "live days: 3\n"));
}

TEST_F(BackupCommandsTest, ABackupThatCannotBeMadeIsSaidOnceAndTheImportGoesAhead) {
    Write(Path("file"), "");
    ::setenv("XDG_DATA_HOME", Path("file").c_str(), 1);
    EXPECT_EQ(Run("import @log.vrl @more.csv"), 0);
    EXPECT_EQ(out, "imported 1 day into " + logbook + "\n");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_TRUE(Holds(err, "No backup was made"));
    ASSERT_EQ(Run("check @log.vrl"), 0);
    EXPECT_TRUE(Holds(out, "live days: 4\n"));
}

TEST_F(BackupCommandsTest, BackupSkipsAnUnchangedLogbook) {
    ASSERT_EQ(Run("backup @log.vrl"), 0) << err;
    EXPECT_EQ(out.rfind("backed up " + logbook + " as ", 0), 0U) << out;
    ASSERT_EQ(Run("backup @log.vrl"), 0);
    EXPECT_TRUE(Holds(out, "is unchanged since its backup"));
    EXPECT_EQ(Listed().size(), 1U);
    EXPECT_EQ(Run("backup @none.vrl"), 1);
}

} // namespace
