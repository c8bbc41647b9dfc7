#include "editor/LogBookHistory.h"
#include "editor/LogBookCache.h"

#include "OpenLogbookFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class LogBookHistoryTest : public OpenLogbookFixture {
protected:
    void SetUp() override {
        OpenLogbookFixture::SetUp();
        history.Clear();
        saves = 0;
        cache = std::make_unique<LogBookCache>(*db, dates, &history);
        cache->StartAt(Date(20260601));
        cache->Adjust(Date(20260601));
    }

    // A day with bytes after its texts' ends that no box shows.
    static DayRecord Day(std::int32_t key, float distance) {
        DayRecord r =
            LogbookFixture::Day(key).Distance(distance).Competition('Y').Workout("Intervals");
        std::memcpy(r.comments, "Hill repeats\0old text", 21);
        r.comments[255] = 'x';
        return r;
    }
    static DayRecord Erased(DayRecord r) {
        r.erased = 1;
        return r;
    }
    // The day as the Log Book stores it: into the cache, then the logbook.
    void Save(const DayRecord& r) {
        cache->Put(r);
        ASSERT_TRUE(cache->StoreDirty());
    }
    int Flags(std::int32_t key) const { return db->Table().At(db->Table().Find(key)).flags; }
    // Steps the history by a script: a digit stores that day's next distance, < undoes, >
    // redoes. The keys undo and redo showed, as digits ('-' where there was nothing).
    std::string Run(const std::string& script) {
        std::string shown;
        for (const char step : script) {
            std::int32_t key = 0;
            if (step == '<' || step == '>') {
                const bool ok = step == '<' ? history.Undo(*db, key) : history.Redo(*db, key);
                shown += ok ? static_cast<char>('0' + key % 10) : '-';
            } else {
                Save(Day(20260600 + (step - '0'), static_cast<float>(++saves)));
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
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        EXPECT_EQ(Run(row.script), row.shown);
        EXPECT_EQ(history.UndoCount(), row.undo);
        EXPECT_EQ(history.RedoCount(), row.redo);
    }
}

// Undo puts the day's whole record back in the file as it lay there, bytes no box shows
// included; redo puts the changed record back. A day that had no record is erased again.
TEST_F(LogBookHistoryTest, UndoAndRedoStoreTheRecordsByteForByte) {
    const DayRecord live = Day(20260601, 5);
    const DayRecord gone = Erased(Day(20260601, 3));
    DayRecord changed = live;
    changed.distance = 7;
    changed.competition = 'N';
    const struct {
        const char* name;
        const DayRecord* stored; // before the change, or none
        DayRecord change;
        DayRecord undone; // the file's record after undo
        int undoneFlags;
        int redoneFlags;
    } rows[] = {
        {"a changed day", &live, changed, live, 1, 2},
        {"an erased day", &live, Erased(live), live, 1, 4},
        {"a new day", nullptr, changed, Erased(changed), 4, 2},
        {"an erased day brought back", &gone, live, gone, 4, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        if (row.stored) {
            Store(*row.stored);
        }
        Save(row.change);
        ASSERT_EQ(history.Count(), 1U);
        std::int32_t key = 0;
        ASSERT_TRUE(history.Undo(*db, key));
        EXPECT_EQ(key, 20260601);
        EXPECT_EQ(FileRecord(20260601), RecordBytes(row.undone));
        EXPECT_EQ(Flags(20260601), row.undoneFlags);
        ASSERT_TRUE(history.Redo(*db, key));
        EXPECT_EQ(FileRecord(20260601), RecordBytes(row.change));
        EXPECT_EQ(Flags(20260601), row.redoneFlags);
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// The erased day's record went to another day: nothing is left of it to bring back.
TEST_F(LogBookHistoryTest, AnErasedDayWhoseRecordWasReusedHadNone) {
    Store(Erased(Day(20260601, 5)));
    Store(Day(20260610, 3));
    Save(Day(20260601, 9));
    ASSERT_NE(history.ToUndo(), nullptr);
    EXPECT_FALSE(history.ToUndo()->hadRecord);
    std::int32_t key = 0;
    ASSERT_TRUE(history.Undo(*db, key));
    EXPECT_EQ(FileRecord(20260601), RecordBytes(Erased(Day(20260601, 9))));
    EXPECT_EQ(FileRecord(20260610), RecordBytes(Day(20260610, 3)));
}

TEST_F(LogBookHistoryTest, AStoreThatChangesNoByteIsNoChange) {
    Store(Day(20260601, 5));
    Save(Day(20260601, 5));
    EXPECT_EQ(history.Count(), 0U);
}

TEST_F(LogBookHistoryTest, TheOldestChangeGoesPastAThousand) {
    for (int i = 1; i <= 1001; ++i) {
        Save(Day(20260601, static_cast<float>(i)));
    }
    EXPECT_EQ(history.Count(), 1000U);
    std::int32_t key = 0;
    int undone = 0;
    while (history.Undo(*db, key)) {
        ++undone;
    }
    EXPECT_EQ(undone, 1000);
    // Back to the record the oldest kept change replaced: the first save's.
    EXPECT_EQ(FileRecord(20260601), RecordBytes(Day(20260601, 1)));
}

} // namespace
