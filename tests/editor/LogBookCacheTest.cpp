#include "editor/LogBookCache.h"

#include "store/FileSizeLimit.h"
#include "OpenLogbookFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class LogBookCacheTest : public OpenLogbookFixture {
protected:
    void SetUp() override {
        OpenLogbookFixture::SetUp();
        cache = std::make_unique<LogBookCache>(*db, dates);
    }
    // The cache as the Log Book opens on a day.
    void OpenOn(std::int32_t key) {
        cache->StartAt(Date(key));
        cache->Adjust(Date(key));
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

    std::unique_ptr<LogBookCache> cache;
};

// The window opens on [day - 30, day + 7] and moves only when the day leaves (start, end]:
// past the end to [end - 7, end + 30], onto the start to [start - 30, start + 7].
TEST_F(LogBookCacheTest, TheWindowMovesAtBothEdgesOnly) {
    for (std::int32_t key : {20260501, 20260520, 20260610, 20260613, 20260614}) {
        Store(Day(key));
    }
    cache->StartAt(Date(20260601));
    const struct {
        std::int32_t day;
        bool moves;
        std::int32_t start;
        std::int32_t end;
        int count;
    } steps[] = {
        {20260601, true, 20260502, 20260608, 1}, // 1 May lies before the window
        {20260503, false, 20260502, 20260608, 1}, {20260608, false, 20260502, 20260608, 1},
        {20260609, true, 20260601, 20260708, 3},  {20260601, true, 20260502, 20260608, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.day);
        EXPECT_EQ(cache->Adjust(Date(step.day)), step.moves);
        EXPECT_EQ(Key(cache->Start()), step.start);
        EXPECT_EQ(Key(cache->End()), step.end);
        EXPECT_EQ(cache->Count(), step.count);
    }
    EXPECT_NE(cache->Find(20260520), nullptr);
    EXPECT_EQ(cache->Loads(), 3);
}

TEST_F(LogBookCacheTest, ChangesAreStoredWhenTheWindowMoves) {
    OpenOn(20260601);
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
    OpenOn(20260601);
    cache->Put(Day(20260601, 8));
    cache->DropChanges(); // a reset
    EXPECT_FALSE(cache->Changed());
    OpenOn(20260601);
    EXPECT_EQ(cache->Find(20260601), nullptr);
    EXPECT_EQ(Stored(20260601), -1.0F);
}

// An erased day's record takes the next new day; a day entered and erased before it was
// ever stored leaves nothing in the logbook.
TEST_F(LogBookCacheTest, ErasedDaysAreStoredAndTheirRecordReused) {
    Store(Day(20260601));
    OpenOn(20260602);
    DayRecord erased = *cache->Find(20260601);
    erased.erased = 1;
    cache->Put(erased);
    ASSERT_TRUE(cache->StoreDirty());
    EXPECT_EQ(Stored(20260601), -1.0F);
    const std::uintmax_t size = DataSize();
    cache->Put(Day(20260603, 4));
    ASSERT_TRUE(cache->StoreDirty());
    EXPECT_EQ(DataSize(), size);
    EXPECT_EQ(Stored(20260603), 4.0F);

    cache->Put(Day(20260604, 6));
    cache->Put(LogbookFixture::Day(20260604).Distance(6).Erased());
    ASSERT_TRUE(cache->StoreDirty());
    EXPECT_FALSE(cache->Changed());
    EXPECT_EQ(DataSize(), size);
}

// When the disk refuses, no typed day is lost: it stays cached and dirty through the
// window's move and the cache stays changed.
TEST_F(LogBookCacheTest, DaysThatCannotBeStoredSurviveTheMove) {
    Store(Day(20260601, 1));
    OpenOn(20260605);
    cache->Put(Day(20260601, 2)); // in place: will store
    cache->Put(Day(20260604, 7)); // new: needs room past the end
    {
        const FileSizeLimit limit(DataSize());
        EXPECT_FALSE(cache->StoreDirty());
        EXPECT_TRUE(cache->Changed());
        ASSERT_TRUE(cache->Adjust(Date(20260620)));
    }
    const std::string full =
        "Error storing database record. " + Path("log.vrl") + " cannot be written: file too large.";
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{full, full}));
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
