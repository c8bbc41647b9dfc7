#include "store/LogBookBackups.h"

#include "StoreFixture.h"
#include "store/ActivityFileCopy.h"
#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using Outcome = LogBookBackups::Outcome;

constexpr std::int64_t k2026Dec07At221503 = 1796681703;

class LogBookBackupsTest : public StoreFixture {
protected:
    LogBookBackups Backups() {
        return LogBookBackups(
            {[this] { return now; }, [this](const std::string&) { return freeBytes; },
             [this](const std::string& backup) {
                 if (spoil) {
                     std::fstream(backup, std::ios::in | std::ios::out | std::ios::binary).put('X');
                 }
             }});
    }

    // Stores one more day (a new one each call) into the logbook.
    void AddDay() {
        ASSERT_NE(db->Open(name), OpenResult::Failed);
        const std::int32_t key = 20260101 + 100 * (added / 28) + added % 28;
        ++added;
        ASSERT_EQ(db->StoreRecord(Day(key).Distance(10.5F)), StoreResult::Stored);
        ASSERT_EQ(db->Close(), Result::Ok);
    }

    // Stores one more activity (on the first day) in the logbook's activities file.
    void AddActivity() {
        ASSERT_NE(db->Open(name), OpenResult::Failed);
        ActivityStore store;
        store.Open(*db, true);
        std::vector<ActivityRow> rows(1);
        rows[0].day = 20260101;
        rows[0].start = 1767254400 + 3600 * activities++;
        rows[0].sport = "Running";
        rows[0].file = "run.fit";
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
        store.Close();
        ASSERT_EQ(db->Close(), Result::Ok);
    }
    std::string InFolder(const std::string& file) const {
        return LogBookBackups::FolderFor(name) + "/" + file;
    }
    int ActivityFiles() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(LogBookBackups::FolderFor(name))) {
            count += entry.path().extension() == ".vra";
        }
        return count;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& backup : LogBookBackups().List(name)) {
            names.push_back(backup.name);
        }
        return names;
    }

    std::int64_t now = k2026Dec07At221503;
    std::int64_t freeBytes = 1 << 30;
    bool spoil = false;
    int added = 0;
    int activities = 0;
};

TEST_F(LogBookBackupsTest, NamesAreUtcTimesAndReadBackOnlyWhenWellFormed) {
    EXPECT_EQ(LogBookBackups::NameFor(k2026Dec07At221503, 1), "2026-12-07T221503Z.vrl");
    EXPECT_EQ(LogBookBackups::NameFor(k2026Dec07At221503, 2), "2026-12-07T221503Z-2.vrl");
    const struct {
        const char* name;
        bool backup;
    } cases[] = {
        {"2026-12-07T221503Z.vrl", true},
        {"2026-12-07T221503Z-12.vrl", true},
        {"2026-12-07T221503Z-1.vrl", false},
        {"2026-12-07T221503Z-02.vrl", false},
        {"2026-02-30T221503Z.vrl", false},
        {"2026-12-07T221503Z.idx", false},
        {"2026-12-07 221503Z.vrl", false},
        {".2026-12-07T221503Z.vrl.tmp-abcdef", false},
        {"mylog.vrl", false},
    };
    for (const auto& c : cases) {
        std::int64_t time = 0;
        int sequence = 0;
        EXPECT_EQ(LogBookBackups::ParseName(c.name, time, sequence), c.backup) << c.name;
    }
}

TEST_F(LogBookBackupsTest, EachLogbookHasAFolderOfItsNameAndPathUnderTheDataHome) {
    fs::create_directory(Path("other"));
    const std::string mine = LogBookBackups::FolderFor(name);
    const std::string other = LogBookBackups::FolderFor(Path("other/mylog.vrl"));
    const std::string root = folder.string() + ".data/veloria/backups/mylog.vrl-";
    ASSERT_EQ(mine.substr(0, root.size()), root);
    EXPECT_EQ(mine.size(), root.size() + 8);
    EXPECT_EQ(other.substr(0, root.size()), root);
    EXPECT_NE(mine, other);
    // A link to the logbook shares its backups.
    AddDay();
    fs::create_symlink(name, Path("link.vrl"));
    EXPECT_EQ(LogBookBackups::FolderFor(Path("link.vrl")), mine);
}

TEST_F(LogBookBackupsTest, OnlyALogbookWithRecordsThatChangedIsBackedUp) {
    LogBookBackups backups = Backups();
    EXPECT_EQ(backups.BackUp(name), Outcome::NoRecords); // no file
    Write(name, "");
    EXPECT_EQ(backups.BackUp(name), Outcome::NoRecords);
    AddDay();
    EXPECT_EQ(backups.BackUp(name), Outcome::Made);
    EXPECT_EQ(backups.BackUp(name).File(), "2026-12-07T221503Z.vrl"); // unchanged
    AddDay();
    EXPECT_EQ(backups.BackUp(name), Outcome::Made); // the same second
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"2026-12-07T221503Z-2.vrl", "2026-12-07T221503Z.vrl"}));
    EXPECT_EQ(Read(LogBookBackups::FolderFor(name) + "/2026-12-07T221503Z-2.vrl"), Read(name));
    const auto listed = LogBookBackups().List(name);
    EXPECT_EQ(listed[0].days, 2);
    EXPECT_EQ(listed[0].firstDay, 20260101);
    EXPECT_EQ(listed[0].lastDay, 20260102);
    EXPECT_EQ(listed[0].size, 680);
}

// When the store backs up before a change: before every change of many days, and before a
// day's change until this run has backed the logbook up since its last change of many days.
// A backup that failed is tried again at the next change.
TEST_F(LogBookBackupsTest, TheStoreBacksUpWhenTheNewestBackupMissesAChangeOfManyDays) {
    std::vector<std::string> said;
    db->BackUpBeforeChanges(
        [&](const LogBookBackups::BackupStatus& status) { said.push_back(status.Words()); },
        Backups());
    const auto store = [&](std::int32_t key) {
        EXPECT_EQ(db->StoreRecord(Day(key).Distance(4.5F)), StoreResult::Stored) << key;
        return Names().size();
    };
    const auto storeAll = [&](std::int32_t key) {
        EXPECT_EQ(db->StoreAll({Day(key), Day(key + 1)}), StoreResult::Stored) << key;
        return Names().size();
    };
    ASSERT_EQ(db->Open(name), OpenResult::Opened); // a new logbook: nothing to back up
    EXPECT_EQ(storeAll(20260101), 0U);
    const std::string imported = Read(name);
    EXPECT_EQ(store(20260105), 1U); // the imported days
    EXPECT_EQ(Read(LogBookBackups::FolderFor(name) + "/" + Names()[0]), imported);
    EXPECT_EQ(store(20260106), 1U);
    ASSERT_EQ(db->Close(), Result::Ok);
    ASSERT_EQ(db->Open(name), OpenResult::Opened); // the same run
    EXPECT_EQ(store(20260107), 1U);
    now += 60;
    EXPECT_EQ(storeAll(20260110), 2U);
    now += 60;
    freeBytes = 0;
    EXPECT_EQ(store(20260112), 2U);
    EXPECT_EQ(store(20260113), 2U);
    freeBytes = 1 << 30;
    EXPECT_EQ(store(20260114), 3U);
    EXPECT_EQ(store(20260115), 3U);
    ASSERT_EQ(said.size(), 2U);
    EXPECT_EQ(said[0].rfind("No backup was made: ", 0), 0U) << said[0];
    EXPECT_TRUE(reporter.messages.empty());
}

// A restore replaces the open logbook's days under its lock, after a backup of them, and
// only with a backup that checks out.
TEST_F(LogBookBackupsTest, ARestoreReplacesTheOpenLogbookOnlyWithASoundBackup) {
    LogBookBackups backups = Backups();
    AddDay();
    AddDay();
    const std::string two = Read(name);
    ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    const std::string backup = Names()[0];
    db->BackUpBeforeChanges([](const LogBookBackups::BackupStatus&) {}, Backups());
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    ASSERT_EQ(db->EraseDay(Date(20260101)), StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(Day(20260102).Distance(3.0F)), StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(Day(20260103)), StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(Day(20260104)), StoreResult::Stored);
    DayChanges changes;
    ASSERT_EQ(db->CompareWithBackup(backup, changes), LogBookBackups::Verdict::Sound);
    EXPECT_EQ(changes.Text(), "adds 1 day, removes 2, changes 1");

    // Another program cannot take the logbook meanwhile: the lock is held throughout.
    now += 60;
    const LogBookBackups::RestoreStatus restored = db->Restore(backup);
    ASSERT_EQ(restored, LogBookBackups::RestoreOutcome::Restored) << restored.Words();
    EXPECT_EQ(restored.File(), "2026-12-07T221603Z.vrl");
    EXPECT_EQ(Read(name), two);
    EXPECT_EQ(Loaded(), (Keys{20260101, 20260102}));
    RecordingReporter other;
    EXPECT_EQ(LogBookDatabase(other, dates).Open(name), OpenResult::Failed);
    ASSERT_EQ(db->Close(), Result::Ok);
    ASSERT_EQ(db->Open(name), OpenResult::Opened); // the index written at the close agrees
    EXPECT_EQ(Loaded(), (Keys{20260101, 20260102}));

    // A backup cut short is refused, and the logbook stays as it is.
    Truncate(LogBookBackups::FolderFor(name) + "/" + backup, 500);
    const LogBookBackups::RestoreStatus refused = db->Restore(backup);
    EXPECT_EQ(refused, LogBookBackups::RestoreOutcome::Refused);
    EXPECT_EQ(refused.Words(), backup + " cannot be restored: its size is not a whole number of "
                                        "day records. The logbook is as it was.");
    EXPECT_EQ(Read(name), two);
}

// A logbook's activities file is backed up with its days: a checked copy of the same
// activities beside the data file's, a new backup when only the activities change, and
// removed with its backup.
TEST_F(LogBookBackupsTest, TheActivitiesFileIsBackedUpAndRotatedWithItsDays) {
    LogBookBackups backups = Backups();
    AddDay();
    AddActivity();
    AddActivity();
    ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    int count = 0;
    std::string why;
    EXPECT_TRUE(ActivityFileCopy::Check(InFolder("2026-12-07T221503Z.vra"), count, why)) << why;
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(fs::exists(InFolder("2026-12-07T221503Z.vra.hash")));
    EXPECT_EQ(LogBookBackups().List(name)[0].activities, 2);
    EXPECT_EQ(backups.BackUp(name), Outcome::Unchanged);
    now += 60;
    AddActivity();
    ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    EXPECT_EQ(LogBookBackups().List(name)[0].activities, 3);

    for (int i = 0; i < 10; ++i) {
        now += 60;
        AddActivity();
        ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    }
    EXPECT_EQ(Names().size(), 11U);
    EXPECT_FALSE(fs::exists(InFolder("2026-12-07T221503Z.vra")));
    EXPECT_FALSE(fs::exists(InFolder("2026-12-07T221503Z.vra.hash")));
    EXPECT_EQ(ActivityFiles(), 11);
}

// An activities file that cannot be copied makes no backup at all, and is tried again.
TEST_F(LogBookBackupsTest, AnActivitiesFileThatCannotBeCopiedMakesNoBackup) {
    LogBookBackups backups = Backups();
    AddDay();
    Write(Path("mylog.vra"), "not a database, whatever its name says");
    const LogBookBackups::BackupStatus failed = backups.BackUp(name);
    EXPECT_EQ(failed, Outcome::Failed);
    EXPECT_EQ(failed.Words().rfind("No backup was made: the activities file " + Path("mylog.vra") +
                                       " cannot be copied: ",
                                   0),
              0U)
        << failed.Words();
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(ActivityFiles(), 0);
    fs::remove(Path("mylog.vra"));
    AddActivity();
    EXPECT_EQ(backups.BackUp(name), Outcome::Made);
}

TEST_F(LogBookBackupsTest, ACopyThatReadsBackWrongIsRemovedAndTheOlderOnesKept) {
    LogBookBackups backups = Backups();
    for (int i = 0; i < 11; ++i, now += 60) {
        AddDay();
        ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    }
    const std::vector<std::string> before = Names();
    ASSERT_EQ(before.size(), 11U); // the ten newest before the one just made, and it
    AddDay();
    spoil = true;
    const LogBookBackups::BackupStatus spoilt = backups.BackUp(name);
    EXPECT_EQ(spoilt, Outcome::CheckFailed);
    EXPECT_NE(spoilt.Words().find("did not read back"), std::string::npos);
    EXPECT_EQ(Names(), before);
}

TEST_F(LogBookBackupsTest, NoSpaceOrAnUnwritableFolderMakesNoBackup) {
    AddDay();
    LogBookBackups backups = Backups();
    freeBytes = 679; // twice the 340 bytes is needed
    EXPECT_EQ(backups.BackUp(name), Outcome::NoSpace);
    freeBytes = 680;
    EXPECT_EQ(backups.BackUp(name), Outcome::Made);

    Write(Path("file"), "not a folder");
    ::setenv("XDG_DATA_HOME", Path("file").c_str(), 1);
    AddDay();
    const LogBookBackups::BackupStatus unwritable = backups.BackUp(name);
    EXPECT_EQ(unwritable, Outcome::Unwritable);
    EXPECT_NE(unwritable.Words().find("cannot be written"), std::string::npos);
}

// A year of backups, every six days and then daily through November: the one just made
// stays, and of the others the ten newest, with the newest of each of the last 8 weeks and
// the last 12 months counted from 2026-11-29 (a Sunday, so the weeks reach back to Oct 5).
TEST_F(LogBookBackupsTest, RotationOverAYearKeepsTheNewestOfWeeksAndMonths) {
    LogBookBackups backups = Backups();
    std::vector<std::int64_t> times;
    for (std::int64_t t = 1761998400; t <= 1793102400; t += 6 * 86400) {
        times.push_back(t); // 2025-11-01 12:00 to 2026-10-27 12:00
    }
    for (std::int64_t t = 1793565000; t <= 1796070600; t += 86400) {
        times.push_back(t); // 2026-11-01 20:30 to 2026-11-30 20:30
    }
    ASSERT_EQ(times.size(), 91U);
    for (const std::int64_t t : times) {
        now = t;
        AddDay();
        ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    }
    EXPECT_EQ(Names(),
              (std::vector<std::string>{
                  "2026-11-30T203000Z.vrl", "2026-11-29T203000Z.vrl", "2026-11-28T203000Z.vrl",
                  "2026-11-27T203000Z.vrl", "2026-11-26T203000Z.vrl", "2026-11-25T203000Z.vrl",
                  "2026-11-24T203000Z.vrl", "2026-11-23T203000Z.vrl", "2026-11-22T203000Z.vrl",
                  "2026-11-21T203000Z.vrl", "2026-11-20T203000Z.vrl", "2026-11-15T203000Z.vrl",
                  "2026-11-08T203000Z.vrl", "2026-11-01T203000Z.vrl", "2026-10-27T120000Z.vrl",
                  "2026-10-21T120000Z.vrl", "2026-10-15T120000Z.vrl", "2026-10-09T120000Z.vrl",
                  "2026-09-27T120000Z.vrl", "2026-08-28T120000Z.vrl", "2026-07-29T120000Z.vrl",
                  "2026-06-29T120000Z.vrl", "2026-05-30T120000Z.vrl", "2026-04-30T120000Z.vrl",
                  "2026-03-31T120000Z.vrl", "2026-02-23T120000Z.vrl", "2026-01-30T120000Z.vrl",
                  "2025-12-31T120000Z.vrl"}));
}

// A clock once set far ahead leaves a backup named in the future. Neither its making nor
// the backups after it remove older ones because of it, and those after take their true time.
TEST_F(LogBookBackupsTest, ABackupFromAClockFarAheadCostsNoOlderBackup) {
    LogBookBackups backups = Backups();
    for (int month = 1; month <= 12; ++month) {
        std::tm utc{};
        utc.tm_year = 126;
        utc.tm_mon = month - 1;
        utc.tm_mday = month == 12 ? 5 : 15;
        utc.tm_hour = 12;
        now = ::timegm(&utc);
        AddDay();
        ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    }
    ASSERT_EQ(Names().size(), 12U);
    now = 4084473600; // 2099-06-07 00:00:00
    AddDay();
    ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    EXPECT_EQ(Names().size(), 13U);
    now = k2026Dec07At221503;
    for (int i = 0; i < 2; ++i, now += 60) {
        AddDay();
        ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    }
    EXPECT_EQ(Names(),
              (std::vector<std::string>{
                  "2099-06-07T000000Z.vrl", "2026-12-07T221603Z.vrl", "2026-12-07T221503Z.vrl",
                  "2026-12-05T120000Z.vrl", "2026-11-15T120000Z.vrl", "2026-10-15T120000Z.vrl",
                  "2026-09-15T120000Z.vrl", "2026-08-15T120000Z.vrl", "2026-07-15T120000Z.vrl",
                  "2026-06-15T120000Z.vrl", "2026-05-15T120000Z.vrl", "2026-04-15T120000Z.vrl",
                  "2026-03-15T120000Z.vrl", "2026-02-15T120000Z.vrl", "2026-01-15T120000Z.vrl"}));
}

} // namespace
