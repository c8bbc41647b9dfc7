#include "editor/LogBookHistory.h"
#include "editor/LogBookCache.h"

#include "store/ActivityStore.h"

#include "OpenLogbookFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kJune1 = 20260601;

// Days stored through the cache as the Log Book stores them, each test row on a fresh
// logbook and history.
class LogBookHistoryTest : public OpenLogbookFixture {
protected:
    void SetUp() override {
        OpenLogbookFixture::SetUp();
        history.Clear();
        saves = 0;
        cache = std::make_unique<LogBookCache>(*db, dates, &history);
        cache->StartAt(Date(kJune1));
        cache->Adjust(Date(kJune1));
    }
    void Restart() {
        TearDown();
        SetUp();
    }

    // A June day with bytes after its texts' ends that no box shows.
    static DayRecord June(int day, float distance, int erased = 0) {
        DayRecord r = Day(kJune1 - 1 + day).Distance(distance).Competition('Y').Workout("Hills");
        std::memcpy(r.comments, "Hill repeats\0old text", 21);
        r.comments[255] = 'x';
        r.erased = erased;
        return r;
    }
    void Save(const DayRecord& r) {
        cache->Put(r);
        ASSERT_TRUE(cache->StoreDirty());
    }
    DayRecord FileDay() const {
        const std::string bytes = FileRecord(kJune1);
        return DayRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data()));
    }
    int Flags(std::int32_t key) const { return db->Table().At(db->Table().Find(key)).flags; }
    // Steps by a script: a digit stores that June day with the next distance, = stores the
    // last day again unchanged, < undoes, > redoes. The days undo and redo went to, as
    // digits ('-' where there was nothing to take).
    std::string Run(const std::string& script) {
        std::string shown;
        DayRecord last = June(1, 0);
        for (const char step : script) {
            std::int32_t key = 0;
            if (step == '<' || step == '>') {
                const bool ok = step == '<' ? history.Undo(*db, key) : history.Redo(*db, key);
                shown += ok ? static_cast<char>('0' + key % 10) : '-';
            } else {
                Save(last = step == '=' ? last : June(step - '0', static_cast<float>(++saves)));
            }
        }
        return shown;
    }

    LogBookHistory history;
    std::unique_ptr<LogBookCache> cache;
    int saves = 0;
};

TEST_F(LogBookHistoryTest, UndoAndRedoStepThroughTheChangesInOrder) {
    const struct {
        const char* name;
        const char* script;
        const char* shown;
        std::size_t undo;
        std::size_t redo;
    } rows[] = {
        {"nothing stored", "<>", "--", 0, 0},
        {"newest first", "123<<", "32", 1, 2},
        {"redo in the order undone", "123<<<>>", "32112", 2, 1},
        {"a new change drops what was undone", "123<<4>", "32-", 2, 0},
        {"undo past the oldest", "12<<<", "21-", 0, 2},
        {"the same day twice is two changes", "11<<>", "111", 1, 1},
        {"a store that changes no byte is none", "1=<<", "1-", 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Restart();
        EXPECT_EQ(Run(row.script), row.shown);
        EXPECT_EQ(history.UndoCount(), row.undo);
        EXPECT_EQ(history.RedoCount(), row.redo);
    }
}

// Undo puts the day's whole record back in the file as it lay there, bytes no box shows
// included; redo puts the change back. A day that had no record is erased again, and so is
// one whose erased record another day took (stored on the 10th).
TEST_F(LogBookHistoryTest, UndoAndRedoStoreTheRecordsByteForByte) {
    const DayRecord live = June(1, 5);
    const DayRecord gone = June(1, 3, 1);
    DayRecord changed = June(1, 7);
    changed.competition = 'N';
    const struct {
        const char* name;
        std::vector<DayRecord> stored;
        DayRecord change;
        DayRecord undone; // the file's record after undo
        int undoneFlags;
        int redoneFlags;
    } rows[] = {
        {"a changed day", {live}, changed, live, 1, 2},
        {"an erased day", {live}, June(1, 5, 1), live, 1, 4},
        {"a new day", {}, June(1, 7), June(1, 7, 1), 4, 1},
        {"an erased day brought back", {gone}, live, gone, 4, 1},
        {"an erased day whose record was taken", {gone, June(10, 3)}, live, June(1, 5, 1), 4, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Restart();
        for (const DayRecord& day : row.stored) {
            Store(day);
        }
        Save(row.change);
        std::int32_t key = 0;
        ASSERT_TRUE(history.Undo(*db, key));
        EXPECT_EQ(key, kJune1);
        EXPECT_EQ(FileRecord(kJune1), RecordBytes(row.undone));
        EXPECT_EQ(Flags(kJune1), row.undoneFlags);
        ASSERT_TRUE(history.Redo(*db, key));
        EXPECT_EQ(FileRecord(kJune1), RecordBytes(row.change));
        EXPECT_EQ(Flags(kJune1), row.redoneFlags);
        if (row.stored.size() > 1) {
            EXPECT_EQ(FileRecord(20260610), RecordBytes(row.stored[1]));
        }
        EXPECT_TRUE(reporter.messages.empty());
    }
}

TEST_F(LogBookHistoryTest, TheOldestChangeGoesPastAThousand) {
    EXPECT_EQ(Run(std::string(1001, '1') + std::string(1001, '<')).back(), '-');
    EXPECT_EQ(history.RedoCount(), 1000U);
    // Back to the record the oldest kept change replaced: the first save's.
    EXPECT_EQ(FileRecord(kJune1), RecordBytes(June(1, 1)));
}

// Activity changes in one history with the days: each step puts the day's record and its
// rows back together. A script of the day's rows by sport and kilometres: the steps store
// them, then undo (<) and redo (>) go through the history.
TEST_F(LogBookHistoryTest, UndoAndRedoPutTheActivitiesBackWithTheDay) {
    const auto rows = [](std::vector<std::pair<const char*, double>> list) {
        std::vector<ActivityRow> made;
        std::int64_t start = 1780300800; // 2026-06-01 08:00 UTC
        for (const auto& [sport, km] : list) {
            ActivityRow r;
            r.day = kJune1;
            r.start = start += 3600;
            r.sport = sport;
            r.metres = km * 1000;
            made.push_back(r);
        }
        return made;
    };
    const auto store = [&](std::vector<ActivityRow> target, float km) {
        std::vector<ActivityRow> present;
        ActivityStore file;
        file.Open(*db, false);
        file.Read(kJune1, kJune1, present);
        file.Close();
        const bool had = db->Table().Find(kJune1) >= 0;
        DayRecord before = had ? FileDay() : DayRecord::Blank(kJune1);
        DayRecord after = Day(kJune1).Distance(km).Workout("Run");
        std::string problem;
        ASSERT_TRUE(LogBookHistory::StoreWithActivities(*db, present, target, after, problem))
            << problem;
        history.AddActivities(had ? &before : nullptr, after, present, target);
    };
    store(rows({{"Running", 5}, {"Cycling", 20}}), 25);
    store(rows({{"Running", 8}, {"Cycling", 20}}), 28);
    store(rows({{"Running", 8}, {"Cycling", 20}, {"Swimming", 1}}), 29);
    store(rows({{"Running", 8}, {"Swimming", 1}}), 9);
    const struct {
        const char* name;
        char step;
        bool ok;
        const char* sports; // the file's rows, sport and metres
        float distance;
        bool erased;
    } steps[] = {
        {"the removal undone", '<', true, "Running 8000, Cycling 20000, Swimming 1000", 29, false},
        {"the addition undone", '<', true, "Running 8000, Cycling 20000", 28, false},
        {"the change undone", '<', true, "Running 5000, Cycling 20000", 25, false},
        {"the new day erased again", '<', true, "", 25, true},
        {"nothing left", '<', false, "", 25, true},
        {"the day back", '>', true, "Running 5000, Cycling 20000", 25, false},
        {"the change again", '>', true, "Running 8000, Cycling 20000", 28, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        std::int32_t key = 0;
        EXPECT_EQ(step.step == '<' ? history.Undo(*db, key) : history.Redo(*db, key), step.ok);
        std::vector<ActivityRow> present;
        ActivityStore file;
        ASSERT_TRUE(file.Open(*db, false).Ok());
        ASSERT_TRUE(file.Read(kJune1, kJune1, present).Ok());
        std::vector<DayRecord> planned;
        ASSERT_TRUE(file.Planned(planned).Ok());
        EXPECT_TRUE(planned.empty());
        std::string sports;
        for (const ActivityRow& r : present) {
            sports += (sports.empty() ? "" : ", ") + r.sport + " " +
                      std::to_string(static_cast<int>(r.metres));
        }
        EXPECT_EQ(sports, step.sports);
        const DayRecord day = FileDay();
        EXPECT_EQ(day.distance, step.distance);
        EXPECT_EQ(db->Table().At(db->Table().Find(kJune1)).IsErased(), step.erased);
    }
    EXPECT_TRUE(reporter.messages.empty());
}

} // namespace
