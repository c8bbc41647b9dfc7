// backup, backups and restore, and the backup every import makes first.

#include "ToolFixture.h"
#include "store/FileSizeLimit.h"
#include "store/LogBookBackups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

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
    std::string InFolder(const std::string& name) const {
        return LogBookBackups::FolderFor(logbook) + "/" + name;
    }
    // Makes a backup now and gives the path the command printed.
    std::string BackUpNow() {
        EXPECT_EQ(Run("backup @log.vrl"), 0) << err;
        const std::size_t as = out.find(" as ");
        return as == std::string::npos ? std::string()
                                       : out.substr(as + 4, out.find('\n') - as - 4);
    }
    // Flips count bits spread over the file, none twice.
    static void FlipBits(const std::string& name, int count) {
        std::string bytes = Read(name);
        for (int i = 0; i < count; ++i) {
            bytes[static_cast<std::size_t>(i * 7 % static_cast<int>(bytes.size()))] ^=
                static_cast<char>(1 << (i % 8));
        }
        Write(name, bytes);
    }

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
    EXPECT_TRUE(Holds(out, "     3           -  2026-01-05  2026-03-01        1020\n"));
    {
        const Holder held(logbook);
        EXPECT_EQ(Run({"restore", logbook, name}), 1);
        EXPECT_TRUE(Holds(err, "Logbook is in use by another program."));
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

// A backup is checked whole before it replaces anything: one that is damaged, or is no
// logbook's at all, is refused with the reason, and the logbook stays as it is.
TEST_F(BackupCommandsTest, ADamagedOrForeignBackupIsRefusedAndMarked) {
    const std::string made = BackUpNow();
    const std::string good = Read(made);
    ASSERT_EQ(Run("import @log.vrl @more.csv"), 0) << err;
    const std::string present = Read(logbook);
    const std::string text = "date,distance,comments\n2026-04-01,8.5,a text file, not a backup\n";
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"2026-01-01T000000Z.vrl", good.substr(0, 500), "is not a whole number of day records"},
        {"2026-01-02T000000Z.vrl", text, "is not a whole number of day records"},
        {"2026-01-03T000000Z.vrl", (text + std::string(680, ' ')).substr(0, 680),
         "record 1 holds no day"},
    };
    for (const auto& c : cases) {
        Write(InFolder(c.name), c.bytes);
        EXPECT_EQ(Run({"restore", logbook, c.name}), 1) << c.name << out;
        EXPECT_TRUE(Holds(err, c.reason)) << c.name;
        EXPECT_TRUE(Holds(err, "The logbook is as it was.")) << c.name;
        EXPECT_EQ(Read(logbook), present) << c.name;
    }
    // The backup made by the program carries its hash: a cut or 200 flipped bits are found
    // even where the records would still pass.
    const std::string madeName = std::filesystem::path(made).filename().string();
    FlipBits(made, 200);
    EXPECT_EQ(Run({"restore", logbook, madeName}), 1);
    EXPECT_TRUE(Holds(err, "does not match the hash recorded when it was made"));
    Write(made, good.substr(0, 680));
    EXPECT_EQ(Run({"restore", logbook, madeName}), 1);
    EXPECT_TRUE(Holds(err, "does not match the hash recorded when it was made"));
    EXPECT_EQ(Read(logbook), present);

    ASSERT_EQ(Run("backups @log.vrl"), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2 + 4) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '!'), 4) << out;
    EXPECT_TRUE(Holds(out, "  ! cannot be restored: record 1 holds no day.\n"));
}

// A backup from before hashes were kept is restored when its records check out.
TEST_F(BackupCommandsTest, ABackupWithoutARecordedHashIsRestoredWhenItsRecordsAreWhole) {
    const std::string before = Read(logbook);
    std::filesystem::create_directories(LogBookBackups::FolderFor(logbook));
    Write(InFolder("2026-01-01T000000Z.vrl"), before);
    ASSERT_EQ(Run("import @log.vrl @more.csv"), 0) << err;
    EXPECT_EQ(Run({"restore", logbook, "2026-01-01T000000Z.vrl"}), 0) << err;
    EXPECT_TRUE(Holds(out, "it has no recorded hash; its records check out"));
    EXPECT_EQ(Read(logbook), before);
}

// A link in the backups folder is no backup: not listed, restored or removed.
TEST_F(BackupCommandsTest, ALinkInTheBackupsFolderIsNeverFollowed) {
    const std::string made = BackUpNow();
    Write(Path("elsewhere.vrl"), Read(logbook));
    std::filesystem::create_symlink(Path("elsewhere.vrl"), InFolder("2026-01-01T000000Z.vrl"));
    ASSERT_EQ(Run("backups @log.vrl"), 0);
    EXPECT_FALSE(Holds(out, "2026-01-01T000000Z.vrl"));
    EXPECT_EQ(Run({"restore", logbook, "2026-01-01T000000Z.vrl"}), 1);
    EXPECT_TRUE(Holds(err, "There is no backup named 2026-01-01T000000Z.vrl"));
}

TEST_F(BackupCommandsTest, AFolderThatCannotBeReadIsSaidAndThePrintedPathIsAccepted) {
    const std::string before = Read(logbook);
    const std::string made = BackUpNow();
    ASSERT_EQ(Run("import @log.vrl @more.csv"), 0) << err;
    EXPECT_EQ(Run({"restore", logbook, made}), 0) << err;
    EXPECT_EQ(Read(logbook), before);
    // The same name in another folder is not this logbook's backup.
    Write(Path("2026-01-01T000000Z.vrl"), before);
    EXPECT_EQ(Run({"restore", logbook, Path("2026-01-01T000000Z.vrl")}), 1);
    EXPECT_TRUE(Holds(err, "is not in " + LogBookBackups::FolderFor(logbook)));

    std::filesystem::remove_all(LogBookBackups::FolderFor(logbook));
    Write(LogBookBackups::FolderFor(logbook), "not a folder");
    EXPECT_EQ(Run("backups @log.vrl"), 1);
    EXPECT_EQ(out, "");
    EXPECT_TRUE(
        Holds(err, LogBookBackups::FolderFor(logbook) + " cannot be read: not a directory"));
    EXPECT_EQ(Run({"restore", logbook, "2026-01-01T000000Z.vrl"}), 1);
    EXPECT_TRUE(
        Holds(err, LogBookBackups::FolderFor(logbook) + " cannot be read: not a directory"));
}

// What a restore changes is said against the logbook as it is: a day erased since comes
// back, a day added goes, a day edited is changed.
TEST_F(BackupCommandsTest, RestoreSaysWhichDaysItAddsRemovesAndChanges) {
    BackUpNow();
    const std::string name = Listed()[0].name;
    {
        RecordingReporter reporter;
        DateUtility dates;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(logbook), LogBookDatabase::OpenResult::Opened);
        ASSERT_EQ(db.EraseDay(Date(20260105)), LogBookDatabase::StoreResult::Stored);
        ASSERT_EQ(db.StoreRecord(Day(20260106).Distance(3.0F)),
                  LogBookDatabase::StoreResult::Stored);
        ASSERT_EQ(db.StoreRecord(Day(20260401).Distance(8.5F)),
                  LogBookDatabase::StoreResult::Stored);
        ASSERT_EQ(db.Close(), LogBookDatabase::Result::Ok);
    }
    ASSERT_EQ(Run({"restore", logbook, name}), 0) << err;
    EXPECT_TRUE(Holds(out, "restored " + logbook + " from the backup " + name +
                               " (adds 1 day, removes 1, changes 1)"));
}

// A full disk names its cause and the file, after the store's own words.
TEST_F(BackupCommandsTest, AnImportThatCannotBeWrittenSaysWhy) {
    const std::string before = Read(logbook);
    {
        const FileSizeLimit limit(before.size() + 100);
        EXPECT_EQ(Run("import @log.vrl @more.csv"), 1);
    }
    EXPECT_TRUE(Holds(err, "Error storing database record. " + logbook +
                               " cannot be written: file too large."));
    EXPECT_EQ(Read(logbook), before);
}

// Root restoring a user's logbook leaves it and its index the user's.
TEST_F(BackupCommandsTest, ARestoreByRootKeepsTheOwnerAndMode) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a logbook to another user";
    }
    BackUpNow();
    const std::string name = Listed()[0].name;
    const std::string index = Path("log.idx");
    for (const std::string& file : {logbook, index}) {
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0) << file;
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0) << file;
    }
    ASSERT_EQ(Run({"restore", logbook, name}), 0) << err;
    for (const std::string& file : {logbook, index}) {
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0) << file;
        EXPECT_EQ(info.st_uid, 65534U) << file;
        EXPECT_EQ(info.st_gid, 65534U) << file;
        EXPECT_EQ(info.st_mode & 07777, 0640U) << file;
    }
}

} // namespace
