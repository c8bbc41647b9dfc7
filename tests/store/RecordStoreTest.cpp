// The records' marks and best efforts kept in the activities file, by day key and start.
#include "store/RecordStore.h"
#include "store/ActivityStore.h"

#include "StoreFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using Mark = RecordStore::Mark;
using Starts = std::set<std::int64_t>;
using Efforts = std::vector<RecordStore::Effort>;

constexpr std::int64_t kRun = 1757142000; // 2025-09-06 07:00 UTC
constexpr std::int64_t kRide = 1757228400;

class RecordStoreTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        ASSERT_EQ(db->Open(name), OpenResult::Opened);
    }
    // Opens the activities file anew, as each window and command does.
    void Reopen(bool write = true) {
        store.Close();
        store.Open(*db, write);
    }
    ActivityStore store;
};

TEST_F(RecordStoreTest, MarksAreKeptByKindAndKeyAcrossOpens) {
    store.Open(*db, true);
    RecordStore records(store);
    EXPECT_EQ(records.Marked(Mark::DayLeftOut), Starts{}) << "no file yet";
    ASSERT_TRUE(records.SetMark(Mark::DayLeftOut, 20250304, true).Ok());
    ASSERT_TRUE(records.SetMark(Mark::Race, kRun, true).Ok());
    ASSERT_TRUE(records.SetMark(Mark::Race, kRun, true).Ok()) << "twice is once";
    ASSERT_TRUE(records.SetMark(Mark::ActivityLeftOut, kRide, true).Ok());
    Reopen();
    EXPECT_EQ(records.Marked(Mark::DayLeftOut), Starts{20250304});
    EXPECT_EQ(records.Marked(Mark::Race), Starts{kRun});
    EXPECT_EQ(records.Marked(Mark::ActivityLeftOut), Starts{kRide});
    ASSERT_TRUE(records.SetMark(Mark::Race, kRun, false).Ok());
    Reopen();
    EXPECT_EQ(records.Marked(Mark::Race), Starts{});
    EXPECT_EQ(records.Marked(Mark::ActivityLeftOut), Starts{kRide});
}

// Undo, redo and a re-import put an activity back under a new id: its start keeps its mark.
TEST_F(RecordStoreTest, AMarkOutlivesTheRowPutBackUnderANewId) {
    store.Open(*db, true);
    ActivityRow run;
    run.day = 20250906;
    run.start = kRun;
    run.sport = "Running";
    run.metres = 10000;
    ActivityRow ride = run;
    ride.start = kRide;
    ride.sport = "Cycling";
    std::vector<ActivityRow> add{run, ride}; // ids 1 and 2: the run back takes 3
    ASSERT_TRUE(store.Change({}, add, "km").Ok());
    RecordStore records(store);
    ASSERT_TRUE(records.SetMark(Mark::Race, kRun, true).Ok());
    std::vector<ActivityRow> again{run};
    ASSERT_TRUE(store.Change({add[0].id}, again, "km").Ok());
    EXPECT_NE(again[0].id, add[0].id);
    EXPECT_EQ(records.Marked(Mark::Race), Starts{kRun});
}

TEST_F(RecordStoreTest, AnActivitysEffortsAreReplacedWhole) {
    store.Open(*db, true);
    RecordStore records(store);
    EXPECT_EQ(records.Efforts(), Efforts{});
    ASSERT_TRUE(
        records.StoreEfforts({{kRun, 1000, 200}, {kRun, 5000, 1050}, {kRide, 1000, 90}}).Ok());
    // Read again: the run's 1 km only, the 5 km it had before gone; the ride's untouched.
    ASSERT_TRUE(records.StoreEfforts({{kRun, 1000, 199.5}}).Ok());
    Reopen();
    EXPECT_EQ(records.Efforts(), (Efforts{{kRun, 1000, 199.5}, {kRide, 1000, 90}}));
}

TEST_F(RecordStoreTest, AFileOpenedToReadTakesNoMark) {
    store.Open(*db, true);
    RecordStore records(store);
    ASSERT_TRUE(records.SetMark(Mark::DayLeftOut, 20250304, true).Ok());
    Reopen(false);
    const ActivityStore::Outcome refused = records.SetMark(Mark::DayLeftOut, 20250305, true);
    EXPECT_FALSE(refused.Ok());
    EXPECT_FALSE(records.StoreEfforts({{kRun, 1000, 200}}).Ok());
    EXPECT_EQ(records.Marked(Mark::DayLeftOut), Starts{20250304});
}

} // namespace
