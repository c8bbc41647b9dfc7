#include "editor/LogBookCache.h"

#include "FileSizeLimit.h"
#include "LogbookFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

class LogBookCacheTest : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        db = std::make_unique<LogBookDatabase>(reporter, dates);
        ASSERT_NE(db->Open(Path("log.vrl")), LogBookDatabase::OpenResult::Failed);
        cache = std::make_unique<LogBookCache>(*db, dates);
    }
    void TearDown() override {
        cache.reset();
        db.reset();
        LogbookFixture::TearDown();
    }

    static DayRecord Day(std::int32_t key, float distance = 5.0F) {
        return LogbookFixture::Day(key).Distance(distance);
    }
    float Stored(std::int32_t key) {
        DayRecord r = DayRecord::Blank(0);
        return db->ReadDay(Date(key), r) == LogBookDatabase::ReadResult::Read && r.erased == 0
                   ? r.distance
                   : -1.0F;
    }
    std::uintmax_t DataSize() const { return std::filesystem::file_size(Path("log.vrl")); }

    RecordingReporter reporter;
    DateUtility dates;
    std::unique_ptr<LogBookDatabase> db;
    std::unique_ptr<LogBookCache> cache;
};

TEST_F(LogBookCacheTest, TheWindowMovesAtBothEdgesOnly) {
    for (std::int32_t key : {20260501, 20260520, 20260610, 20260613, 20260614}) {
        ASSERT_EQ(db->StoreRecord(Day(key)), LogBookDatabase::StoreResult::Stored);
    }
    DateValue day = Date(20260601);
    cache->StartAt(day);
    ASSERT_TRUE(cache->Adjust(day));
    EXPECT_EQ(Key(cache->Start()), 20260502);
    EXPECT_EQ(Key(cache->End()), 20260608);
    EXPECT_EQ(cache->Count(), 1); // 20260520; 1 May lies before the window
    EXPECT_NE(cache->Find(20260520), nullptr);

    // Inside (start, end] nothing is loaded.
    for (std::int32_t key : {20260503, 20260608}) {
        EXPECT_FALSE(cache->Adjust(Date(key)));
    }
    EXPECT_EQ(cache->Loads(), 1);

    // One past the end: [end - 7, end + 30].
    ASSERT_TRUE(cache->Adjust(Date(20260609)));
    EXPECT_EQ(Key(cache->Start()), 20260601);
    EXPECT_EQ(Key(cache->End()), 20260708);
    EXPECT_EQ(cache->Count(), 3);

    // Onto the start: [start - 30, start + 7].
    ASSERT_TRUE(cache->Adjust(Date(20260601)));
    EXPECT_EQ(Key(cache->Start()), 20260502);
    EXPECT_EQ(Key(cache->End()), 20260608);
    EXPECT_EQ(cache->Loads(), 3);
}

TEST_F(LogBookCacheTest, ChangesAreStoredWhenTheWindowMoves) {
    DateValue day = Date(20260601);
    cache->StartAt(day);
    cache->Adjust(day);
    cache->Put(Day(20260601, 8));
    cache->Put(Day(20260530, 3));
    cache->Put(Day(20260601, 9)); // replaces, in key order
    ASSERT_EQ(cache->Count(), 2);
    EXPECT_EQ(cache->At(0).dateKey, 20260530);
    EXPECT_TRUE(cache->Changed());
    EXPECT_EQ(Stored(20260601), -1.0F);

    ASSERT_TRUE(cache->Adjust(Date(20260609)));
    EXPECT_FALSE(cache->Changed());
    EXPECT_EQ(Stored(20260601), 9.0F);
    EXPECT_EQ(Stored(20260530), 3.0F);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(LogBookCacheTest, DroppedChangesGoAtTheNextMove) {
    DateValue day = Date(20260601);
    cache->StartAt(day);
    cache->Adjust(day);
    cache->Put(Day(20260601, 8));
    cache->DropChanges(); // a reset
    cache->StartAt(day);
    cache->Adjust(day);
    EXPECT_EQ(cache->Find(20260601), nullptr);
    EXPECT_EQ(Stored(20260601), -1.0F);
}

TEST_F(LogBookCacheTest, ErasedDaysAreStoredAndTheirRecordReused) {
    ASSERT_EQ(db->StoreRecord(Day(20260601)), LogBookDatabase::StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(Day(20260602)), LogBookDatabase::StoreResult::Stored);
    DateValue day = Date(20260602);
    cache->StartAt(day);
    cache->Adjust(day);
    DayRecord erased = *cache->Find(20260601);
    erased.erased = 1;
    cache->Put(erased);
    ASSERT_TRUE(cache->StoreDirty());
    EXPECT_EQ(Stored(20260601), -1.0F);
    const std::uintmax_t size = DataSize();
    cache->Put(Day(20260603, 4));
    ASSERT_TRUE(cache->StoreDirty());
    EXPECT_EQ(DataSize(), size); // the erased day's record took the new day
    EXPECT_EQ(Stored(20260603), 4.0F);
}

// When the disk refuses, no typed day is lost: it stays cached and dirty through the
// window's move and the cache stays changed.
TEST_F(LogBookCacheTest, DaysThatCannotBeStoredSurviveTheMove) {
    ASSERT_EQ(db->StoreRecord(Day(20260601, 1)), LogBookDatabase::StoreResult::Stored);
    DateValue day = Date(20260605);
    cache->StartAt(day);
    cache->Adjust(day);
    DayRecord changed = *cache->Find(20260601);
    changed.distance = 2;
    cache->Put(changed);          // in place: will store
    cache->Put(Day(20260604, 7)); // new: needs room past the end
    {
        const FileSizeLimit limit(DataSize());
        EXPECT_FALSE(cache->StoreDirty());
        EXPECT_TRUE(cache->Changed());
        ASSERT_TRUE(cache->Adjust(Date(20260620)));
    }
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"Error storing database record.",
                                                           "Error storing database record."}));
    EXPECT_EQ(Stored(20260601), 2.0F);
    EXPECT_TRUE(cache->Changed());
    const DayRecord* kept = cache->Find(20260604);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->distance, 7.0F);
    // Outside the new window, yet stored at the next chance.
    EXPECT_LT(20260604, Key(cache->Start()));
    ASSERT_TRUE(cache->Adjust(Date(20260801)));
    EXPECT_FALSE(cache->Changed());
    EXPECT_EQ(Stored(20260604), 7.0F);
    EXPECT_EQ(cache->Find(20260604), nullptr);
}

} // namespace
