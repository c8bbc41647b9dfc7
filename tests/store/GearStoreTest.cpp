// The gear tables of the activities file: items by name, links by an activity's start that
// outlive its row, the sport's default given once, and files from before gear was kept.

#include "store/GearStore.h"
#include "StoreFixture.h"
#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

class GearStoreTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        ASSERT_EQ(db->Open(name), OpenResult::Opened);
        ASSERT_NE(store.Open(*db, true).code, ActivityStore::Code::Failed);
    }

    static ActivityRow Activity(std::int32_t day, std::int64_t start, const char* sport) {
        ActivityRow row;
        row.day = day;
        row.start = start;
        row.sport = sport;
        row.metres = 10000;
        return row;
    }
    std::vector<ActivityRow> Stored(std::vector<ActivityRow> rows) {
        EXPECT_TRUE(store.Change({}, rows, "km").Ok());
        return rows;
    }
    GearItem Saved(const char* itemName, const char* defaultFor = "", std::int32_t retired = 0) {
        GearItem item;
        item.name = itemName;
        item.defaultFor = defaultFor;
        item.retired = retired;
        EXPECT_TRUE(gear.Save(item).Ok());
        return item;
    }

    ActivityStore store;
    GearStore gear{store};
};

TEST_F(GearStoreTest, ItemsAreKeptByNameAndATakenNameIsRefused) {
    GearItem shoes = Saved("Trail shoes");
    shoes.sports = {"Running", "Walking"};
    shoes.limitMetres = 700000;
    shoes.notes = "size 44, \"blue\"";
    ASSERT_TRUE(gear.Save(shoes).Ok());
    GearItem bike = Saved("Road bike");
    bike.name = "Trail shoes";
    const GearStore::Outcome taken = gear.Save(bike);
    EXPECT_EQ(taken.words, "There is gear named Trail shoes already.");

    store.Close();
    ASSERT_TRUE(store.Open(*db, false).Ok());
    std::vector<GearItem> items;
    ASSERT_TRUE(gear.Items(items).Ok());
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].name, "Road bike");
    EXPECT_EQ(items[1].id, shoes.id);
    EXPECT_EQ(items[1].sports, (std::vector<std::string>{"Running", "Walking"}));
    EXPECT_EQ(items[1].limitMetres, 700000.0);
    EXPECT_EQ(items[1].notes, "size 44, \"blue\"");
}

TEST_F(GearStoreTest, ALinkOutlivesItsActivityStoredAgainAndGoesWithItsItem) {
    std::vector<ActivityRow> rows = Stored(
        {Activity(20260301, 1772366400, "Running"), Activity(20260302, 1772452800, "Running")});
    const GearItem shoes = Saved("Trail shoes");
    const GearItem spare = Saved("Spare shoes");
    ASSERT_TRUE(gear.SetActivityGear(1772366400, {shoes.id, spare.id}).Ok());
    ASSERT_TRUE(gear.SetDayGear(20260302, {shoes.id}).Ok());
    // Stored again as undo and a re-import store it: a new id, the same start.
    std::vector<ActivityRow> again = {rows[0]};
    ASSERT_TRUE(store.Change({rows[0].id}, again, "km").Ok());
    ASSERT_NE(again[0].id, rows[0].id);
    EXPECT_EQ(gear.GearOfActivity(1772366400), (std::vector<std::int64_t>{shoes.id, spare.id}));

    ASSERT_TRUE(gear.Remove(shoes.id).Ok());
    EXPECT_EQ(gear.GearOfActivity(1772366400), std::vector<std::int64_t>{spare.id});
    EXPECT_TRUE(gear.GearOfDay(20260302).empty());
}

TEST_F(GearStoreTest, ANewActivityGetsItsSportsDefaultInUseOnceOnly) {
    const GearItem retired = Saved("Old shoes", "Running", 20260228);
    const GearItem shoes = Saved("Trail shoes", "Running");
    const GearItem bike = Saved("Road bike", "Cycling");
    const std::vector<ActivityRow> rows =
        Stored({Activity(20260301, 100, "Running"), Activity(20260301, 200, "Cycling"),
                Activity(20260301, 300, "Swimming"), Activity(20260227, 400, "Running")});
    ASSERT_TRUE(gear.SetActivityGear(100, {bike.id}).Ok()); // the user's choice stays
    ASSERT_TRUE(gear.AssignDefaults(rows).Ok());
    ASSERT_TRUE(gear.AssignDefaults(rows).Ok());
    EXPECT_EQ(gear.GearOfActivity(100), std::vector<std::int64_t>{bike.id});
    EXPECT_EQ(gear.GearOfActivity(200), std::vector<std::int64_t>{bike.id});
    EXPECT_TRUE(gear.GearOfActivity(300).empty());
    EXPECT_EQ(gear.GearOfActivity(400), std::vector<std::int64_t>{retired.id});
    std::vector<GearStore::Link> links;
    ASSERT_TRUE(gear.ActivityLinks(links).Ok());
    EXPECT_EQ(links.size(), 3U);
    (void)shoes;
}

TEST_F(GearStoreTest, AFileFromBeforeGearHasNoneUntilItIsOpenedToBeChanged) {
    Stored({Activity(20260301, 100, "Running")});
    store.Close();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(Path("mylog.vra").c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "DROP TABLE goal; DROP TABLE record_mark; DROP TABLE best_effort; DROP "
                           "TABLE gear; DROP TABLE gear_activity; DROP TABLE gear_day;"
                           "PRAGMA user_version=3;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    ::chmod(Path("mylog.vra").c_str(), 0444);
    ASSERT_EQ(store.Open(*db, false).code, ActivityStore::Code::Ok);
    std::vector<GearItem> items{GearItem{}};
    EXPECT_TRUE(gear.Items(items).Ok());
    EXPECT_TRUE(items.empty());
    std::vector<GearStore::Link> links;
    EXPECT_TRUE(gear.ActivityLinks(links).Ok());
    store.Close();
    ::chmod(Path("mylog.vra").c_str(), 0644);
    ASSERT_TRUE(store.Open(*db, true).Ok());
    Saved("Trail shoes");
    ASSERT_TRUE(gear.Items(items).Ok());
    EXPECT_EQ(items.size(), 1U);
}

} // namespace
