#include "store/LogBookBackups.h"

#include "StoreFixture.h"

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
    EXPECT_EQ(backups.BackUp(name), Outcome::Unchanged);
    EXPECT_EQ(backups.Latest(), "2026-12-07T221503Z.vrl");
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

// The moments the store offers for a backup: the first day changed after each open, and
// every change of many days.
TEST_F(LogBookBackupsTest, TheStoreAsksBeforeTheFirstDayAndBeforeEveryChangeOfManyDays) {
    AddDay();
    std::vector<bool> asked; // manyDays of each call
    db->BeforeFirstChange([&](const std::string& changed, int descriptor, bool manyDays) {
        EXPECT_EQ(changed, name);
        EXPECT_GE(descriptor, 0);
        asked.push_back(manyDays);
    });
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    const DayRecord day = DayRecord::Blank(20260301);
    ASSERT_EQ(db->StoreRecord(day), StoreResult::Stored);
    ASSERT_EQ(db->EraseDay(Date(20260301)), StoreResult::Stored);
    ASSERT_EQ(db->StoreAll({day}), StoreResult::Stored);
    ASSERT_EQ(db->StoreAll({day}), StoreResult::Stored);
    ASSERT_EQ(db->Close(), Result::Ok);
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    ASSERT_EQ(db->StoreRecord(day), StoreResult::Stored);
    EXPECT_EQ(asked, (std::vector<bool>{false, true, true, false}));
}

TEST_F(LogBookBackupsTest, ACopyThatReadsBackWrongIsRemovedAndTheOlderOnesKept) {
    LogBookBackups backups = Backups();
    for (int i = 0; i < 11; ++i, now += 60) {
        AddDay();
        ASSERT_EQ(backups.BackUp(name), Outcome::Made);
    }
    const std::vector<std::string> before = Names();
    ASSERT_EQ(before.size(), 10U);
    AddDay();
    spoil = true;
    EXPECT_EQ(backups.BackUp(name), Outcome::CheckFailed);
    EXPECT_NE(backups.Problem().find("did not read back"), std::string::npos);
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
    EXPECT_EQ(backups.BackUp(name), Outcome::Unwritable);
    EXPECT_NE(backups.Problem().find("cannot be written"), std::string::npos);
}

// A year of backups, every six days and then daily through November: the ten newest stay,
// with the newest of each of the last 8 weeks and the last 12 months.
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
                  "2026-11-21T203000Z.vrl", "2026-11-15T203000Z.vrl", "2026-11-08T203000Z.vrl",
                  "2026-11-01T203000Z.vrl", "2026-10-27T120000Z.vrl", "2026-10-21T120000Z.vrl",
                  "2026-10-15T120000Z.vrl", "2026-09-27T120000Z.vrl", "2026-08-28T120000Z.vrl",
                  "2026-07-29T120000Z.vrl", "2026-06-29T120000Z.vrl", "2026-05-30T120000Z.vrl",
                  "2026-04-30T120000Z.vrl", "2026-03-31T120000Z.vrl", "2026-02-23T120000Z.vrl",
                  "2026-01-30T120000Z.vrl", "2025-12-31T120000Z.vrl"}));
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
