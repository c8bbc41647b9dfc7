#include "store/ActivityStore.h"
#include "StoreFixture.h"
#include "store/SqliteLibrary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Code = ActivityStore::Code;

class ActivityStoreTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        companion = Path("mylog.vra");
        ASSERT_EQ(db->Open(name), OpenResult::Opened);
    }

    static ActivityRow Ride(std::int32_t day, std::int64_t start, const char* file) {
        ActivityRow row;
        row.day = day;
        row.start = start;
        row.sport = "Cycling";
        row.metres = 42195.5;
        row.movingSeconds = 5400;
        row.elapsedSeconds = 6000;
        row.avgHeartRate = 131;
        row.maxHeartRate = 172;
        row.calories = 980;
        row.file = file;
        row.fileHash = 0xfedcba9876543210ULL; // the top bit set: stored as a negative integer
        return row;
    }

    // Stores the rows in one change through a store opened to write.
    void StoreRows(std::vector<ActivityRow> rows) {
        ActivityStore store;
        store.Open(*db, true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }

    std::vector<ActivityRow> ReadAll(Code expected = Code::Ok) {
        ActivityStore store;
        store.Open(*db, false);
        std::vector<ActivityRow> rows;
        EXPECT_EQ(store.Read(0, 0, rows).code, expected);
        return rows;
    }

    // Runs SQL on the file as another program would.
    void Sql(const std::string& sql) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(companion.c_str(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }

    std::string companion;
};

TEST_F(ActivityStoreTest, NameFollowsTheLogbooksName) {
    EXPECT_EQ(ActivityStore::NameFor("/a/mylog.vrl"), "/a/mylog.vra");
    EXPECT_EQ(ActivityStore::NameFor("/a.b/mylog"), "/a.b/mylog.vra");
    EXPECT_EQ(ActivityStore::NameFor("/a/.hidden"), "/a/.hidden.vra");
}

// Without SQLite the logbook still opens; its activities file is neither made nor opened,
// and the reason names the library. Run in a child: the library is chosen once a run.
TEST_F(ActivityStoreTest, WithoutTheSqliteLibraryNoFileIsMadeAndTheReasonIsSaid) {
    EXPECT_EXIT(
        {
            SqliteLibrary::UseFile("libveloria-no-such-sqlite.so.0");
            ActivityStore store;
            const bool missing = store.Open(*db, true).code == Code::Missing;
            const ActivityStore::Outcome made = store.Ready();
            sqlite3* raw = nullptr;
            const bool refused = sqlite3_open(companion.c_str(), &raw) == SQLITE_CANTOPEN &&
                                 raw == nullptr && sqlite3_close(raw) == SQLITE_OK;
            std::fprintf(stderr, "%s\n", made.words.c_str());
            std::exit(
                missing && !made.Ok() && refused && ::access(companion.c_str(), F_OK) != 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "mylog.vra cannot be opened: libveloria-no-such-sqlite.so.0 cannot be loaded: ");
}

TEST_F(ActivityStoreTest, IsCreatedByTheFirstActivityOnlyAndLeavesNoJournalBehind) {
    {
        ActivityStore store;
        EXPECT_EQ(store.Open(*db, true).code, Code::Missing);
        std::vector<ActivityRow> rows;
        EXPECT_EQ(store.Read(0, 0, rows).code, Code::Missing);
        EXPECT_EQ(store.Unit(), "km");
    }
    EXPECT_FALSE(fs::exists(companion)) << "opening to write creates nothing";

    ASSERT_EQ(::chmod(name.c_str(), 0640), 0);
    ActivityRow climbed = Ride(20260301, 1772360000, "morning ride.fit");
    climbed.ascent = 412.5;
    climbed.note = "from its laps; the session is missing";
    StoreRows({Ride(20260302, 1772450000, "evening.gpx"), climbed});
    ASSERT_TRUE(fs::exists(companion));
    struct stat info {};
    ASSERT_EQ(::stat(companion.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640U) << "as private as the logbook";
    for (const char* left : {"mylog.vra-journal", "mylog.vra-wal", "mylog.vra-shm"}) {
        EXPECT_FALSE(fs::exists(Path(left))) << left;
    }

    const std::vector<ActivityRow> back = ReadAll();
    ASSERT_EQ(back.size(), 2U);
    const ActivityRow& first = back[0]; // by day, not by the order stored
    EXPECT_EQ(first.day, 20260301);
    EXPECT_EQ(first.start, 1772360000);
    EXPECT_EQ(first.sport, "Cycling");
    EXPECT_EQ(first.metres, 42195.5);
    EXPECT_EQ(first.movingSeconds, 5400);
    EXPECT_EQ(first.elapsedSeconds, 6000);
    EXPECT_EQ(first.avgHeartRate, 131);
    EXPECT_EQ(first.maxHeartRate, 172);
    EXPECT_EQ(first.calories, 980);
    EXPECT_EQ(first.ascent, 412.5);
    EXPECT_EQ(first.file, "morning ride.fit");
    EXPECT_EQ(first.fileHash, 0xfedcba9876543210ULL);
    EXPECT_EQ(first.note, "from its laps; the session is missing");
    EXPECT_EQ(back[1].ascent, std::nullopt);
    EXPECT_EQ(back[1].day, 20260302);
}

TEST_F(ActivityStoreTest, ChangeReplacesRowsAndFindsThemByDayAndStart) {
    StoreRows({Ride(20260301, 1000, "a.fit"), Ride(20260301, 5000, "b.fit"),
               Ride(20260305, 9000, "c.fit")});
    ActivityStore store;
    ASSERT_TRUE(store.Open(*db, true).Ok());
    std::vector<ActivityRow> rows;
    ASSERT_TRUE(store.Read(20260301, 20260301, rows).Ok());
    ASSERT_EQ(rows.size(), 2U);
    std::vector<ActivityRow> fresh{Ride(20260301, 2000, "d.gpx")};
    ASSERT_TRUE(store.Change({rows[0].id, rows[1].id}, fresh, "mi").Ok());
    EXPECT_GT(fresh[0].id, 0);
    EXPECT_EQ(store.Unit(), "mi");

    ASSERT_TRUE(store.Starting(1940, 2060, rows).Ok());
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].file, "d.gpx");
    ASSERT_TRUE(store.Read(20260302, 0, rows).Ok());
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].file, "c.fit");
}

// An import names the days it is about to write in the change of its activities; they stay
// until settled, and an import taken back puts back what an earlier one planned.
TEST_F(ActivityStoreTest, PlannedDaysGoWithTheirChangeUntilSettled) {
    DayRecord first = DayRecord::Blank(20260301);
    first.distance = 40.0F;
    DayRecord second = DayRecord::Blank(20260302);
    second.distance = 10.0F;
    DayRecord earlier = DayRecord::Blank(20260302);
    earlier.distance = 7.5F;
    const auto planned = [&] {
        ActivityStore reader;
        reader.Open(*db, false);
        std::vector<DayRecord> records;
        EXPECT_TRUE(reader.Planned(records).Ok());
        std::vector<std::pair<std::int32_t, float>> seen;
        for (const DayRecord& r : records) {
            seen.emplace_back(r.dateKey, r.distance);
        }
        return seen;
    };
    using Seen = std::vector<std::pair<std::int32_t, float>>;

    ActivityStore store;
    EXPECT_EQ(store.Open(*db, true).code, Code::Missing);
    std::vector<ActivityRow> rides{Ride(20260301, 1000, "a.fit"), Ride(20260302, 90000, "b.fit")};
    ASSERT_TRUE(store.Change({}, rides, "km", {first, earlier}).Ok());
    EXPECT_EQ(planned(), (Seen{{20260301, 40.0F}, {20260302, 7.5F}}));
    ASSERT_TRUE(store.Settle({20260301}).Ok());
    EXPECT_EQ(planned(), (Seen{{20260302, 7.5F}}));

    // A later import plans the same day anew, and is taken back.
    std::vector<ActivityRow> more{Ride(20260302, 95000, "c.fit")};
    ASSERT_TRUE(store.Change({}, more, "km", {second}).Ok());
    EXPECT_EQ(planned(), (Seen{{20260302, 10.0F}}));
    std::vector<ActivityRow> none;
    ASSERT_TRUE(store.Change({more[0].id}, none, "km", {earlier}, {20260302}).Ok());
    EXPECT_EQ(planned(), (Seen{{20260302, 7.5F}}));

    // Planned days the logbook holds already are settled; a planned erase is held by a day
    // that is not live.
    DayRecord gone = DayRecord::Blank(20260305);
    gone.erased = 1;
    ASSERT_TRUE(store.Change({}, none, "km", {gone}).Ok());
    ASSERT_TRUE(store.SettleWritten(*db).Ok());
    EXPECT_EQ(planned(), (Seen{{20260302, 7.5F}}));
    ASSERT_EQ(db->StoreRecord(earlier), LogBookDatabase::StoreResult::Stored);
    ASSERT_TRUE(store.SettleWritten(*db).Ok());
    EXPECT_EQ(planned(), Seen{});

    // A record that is no day's 340 bytes, or not the day it is filed under, is left out.
    ASSERT_TRUE(store.Change({}, none, "km", {earlier}).Ok());
    store.Close();
    Sql("INSERT INTO planned_day VALUES(20260303, x'00');"
        "INSERT INTO planned_day SELECT 20260304, record FROM planned_day WHERE day = 20260302;");
    EXPECT_EQ(planned(), (Seen{{20260302, 7.5F}}));
}

TEST_F(ActivityStoreTest, AnOlderFileIsBroughtUpToDateKeepingItsActivities) {
    // The first version's file: the activities without the indexes.
    Sql("CREATE TABLE activity(id INTEGER PRIMARY KEY, day INTEGER NOT NULL, start INTEGER NOT "
        "NULL, sport TEXT NOT NULL, metres REAL NOT NULL, moving INTEGER NOT NULL, elapsed "
        "INTEGER NOT NULL, avg_hr INTEGER NOT NULL, max_hr INTEGER NOT NULL, calories INTEGER "
        "NOT NULL, ascent REAL, file TEXT NOT NULL, file_hash INTEGER NOT NULL, note TEXT NOT "
        "NULL);"
        "CREATE TABLE setting(name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;"
        "INSERT INTO activity VALUES(7, 20250101, 1735732800, 'Running', 10000, 3000, 3100, "
        "150, 170, 700, NULL, 'new year.fit', 42, '');"
        "PRAGMA user_version=1;");
    ActivityStore store;
    ASSERT_TRUE(store.Open(*db, true).Ok());
    store.Close();

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(companion.c_str(), &raw), SQLITE_OK);
    sqlite3_stmt* s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw,
                                 "SELECT (SELECT user_version FROM pragma_user_version), "
                                 "(SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                                 "name LIKE 'activity_%')",
                                 -1, &s, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), 6);
    EXPECT_EQ(sqlite3_column_int(s, 1), 2);
    sqlite3_finalize(s);
    sqlite3_close(raw);

    const std::vector<ActivityRow> rows = ReadAll();
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].id, 7);
    EXPECT_EQ(rows[0].file, "new year.fit");
}

TEST_F(ActivityStoreTest, ANewerFileIsReadButNeverChanged) {
    StoreRows({Ride(20260301, 1000, "a.fit")});
    Sql("PRAGMA user_version=9");
    ActivityStore store;
    EXPECT_EQ(store.Open(*db, true).code, Code::Newer);
    std::vector<ActivityRow> add{Ride(20260302, 90000, "b.fit")};
    EXPECT_EQ(store.Change({}, add, "km").code, Code::ReadOnly);
    EXPECT_EQ(ReadAll().size(), 1U) << "opened only to read, it reads as any other";
}

// A file that may only be read: tests/shell/UnreadableFilesTest.cpp, which runs unprivileged.

TEST_F(ActivityStoreTest, ADamagedFileIsSaidAndSetAsideWhole) {
    Write(companion, std::string(4096, 'x'));
    ActivityStore store;
    const ActivityStore::Outcome opened = store.Open(*db, true);
    EXPECT_EQ(opened.code, Code::Damaged);
    EXPECT_EQ(opened.words, companion + " is damaged: it is not an activities file; "
                                        "veloria-logbook check --repair sets it aside");
    EXPECT_FALSE(store.IsOpen());
    std::vector<ActivityRow> add{Ride(20260302, 90000, "b.fit")};
    EXPECT_NE(store.Change({}, add, "km").code, Code::Ok);
    EXPECT_EQ(ActivityStore::Check(*db).code, Code::Damaged);

    std::string savedAs;
    ASSERT_TRUE(ActivityStore::SetAside(*db, savedAs).Ok());
    EXPECT_EQ(savedAs.rfind(companion + ".damaged-", 0), 0U) << savedAs;
    EXPECT_EQ(Read(savedAs), std::string(4096, 'x'));
    EXPECT_EQ(ActivityStore::Check(*db).code, Code::Missing);
}

TEST_F(ActivityStoreTest, AFileWithABadPageFailsItsCheck) {
    std::vector<ActivityRow> many;
    for (int i = 0; i < 300; ++i) {
        many.push_back(Ride(20260101 + i % 28, 1000 + i * 100, "a ride of the winter.fit"));
    }
    StoreRows(many);
    EXPECT_TRUE(ActivityStore::Check(*db).Ok());
    std::string bytes = Read(companion);
    ASSERT_GT(bytes.size(), 3 * 4096U);
    for (std::size_t i = 2 * 4096; i < 2 * 4096 + 64; ++i) { // a page's b-tree header
        bytes[i] = static_cast<char>(0xA5);
    }
    Write(companion, bytes);
    EXPECT_EQ(ActivityStore::Check(*db).code, Code::Damaged);
}

TEST_F(ActivityStoreTest, AnActivityTakesFewerThan300Bytes) {
    std::vector<ActivityRow> many;
    for (int i = 0; i < 1000; ++i) {
        ActivityRow row = Ride(20250101 + i / 3, 1735700000 + i * 28800, "2025-01-01-07-30-12.fit");
        row.ascent = 120;
        many.push_back(row);
    }
    StoreRows(many);
    EXPECT_LT(fs::file_size(companion), 300U * 1000U);
}

// A logbook that bears the activities file's name is never taken for one, nor set aside.
TEST_F(ActivityStoreTest, ALogbookNamedAsItsActivitiesFileIsLeftAlone) {
    ASSERT_EQ(db->Open(Path("odd.vra")), OpenResult::Opened);
    ASSERT_EQ(db->StoreRecord(DayRecord::Blank(20260301)), StoreResult::Stored);
    const std::string bytes = Read(Path("odd.vra"));
    ActivityStore store;
    EXPECT_EQ(store.Open(*db, true).code, Code::Failed);
    std::vector<ActivityRow> add{Ride(20260302, 90000, "b.fit")};
    EXPECT_EQ(store.Change({}, add, "km").code, Code::Failed);
    EXPECT_EQ(ActivityStore::Check(*db).code, Code::Failed);
    std::string savedAs;
    EXPECT_EQ(ActivityStore::SetAside(*db, savedAs).code, Code::Failed);
    EXPECT_EQ(Read(Path("odd.vra")), bytes);
}

TEST_F(ActivityStoreTest, ASettingIsKeptAcrossOpensAndMakesTheFileWhenThereIsNone) {
    {
        ActivityStore store;
        store.Open(*db, true);
        EXPECT_EQ(store.DefaultSport(), "Running");
        EXPECT_EQ(store.Connection(), nullptr);
        ASSERT_TRUE(store.SetSetting("default_sport", "Cycling").Ok());
        EXPECT_NE(store.Connection(), nullptr);
    }
    ASSERT_TRUE(fs::exists(companion));
    ActivityStore store;
    store.Open(*db, false);
    EXPECT_EQ(store.DefaultSport(), "Cycling");
    EXPECT_EQ(store.Setting("unknown"), "");
    EXPECT_EQ(store.Unit(), "km") << "a setting alone names no import unit";
    EXPECT_EQ(store.SetSetting("default_sport", "Swimming").code, Code::ReadOnly);
}

} // namespace
