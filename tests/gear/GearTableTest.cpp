// What a piece of gear has done: its starting distance and the activities (and days without
// activities) that carry it between first use and retirement, its warnings and the day it
// is likely to reach its limit.

#include "gear/GearTable.h"
#include "store/WeekStart.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kSeasonStart = 20260301;
constexpr std::int32_t kLastRun = 20260609; // 1 March + 100 days: 31 + 30 + 31 + 8

class GearTableTest : public ::testing::Test {
protected:
    // Trail shoes: 120 km before they were logged, a 700 km limit, in use from 1 March.
    static GearItem Shoes() {
        GearItem shoes;
        shoes.id = 7;
        shoes.name = "Trail shoes";
        shoes.startMetres = 120000;
        shoes.limitMetres = 700000;
        shoes.firstUse = kSeasonStart;
        return shoes;
    }

    // A run of 10 km in 50 minutes every other day from 1 March to 9 June: 51 runs, 510 km.
    void Season() {
        for (int offset = 0; offset <= 100; offset += 2) {
            Run(weeks::KeyOfDayNumber(weeks::DayNumber(kSeasonStart) + offset), 10000, 3000);
        }
    }
    void Run(std::int32_t day, double metres, std::int32_t seconds, bool carried = true) {
        ActivityRow row;
        row.day = day;
        row.start = weeks::DayNumber(day) * 86400 + 6 * 3600;
        row.sport = "Running";
        row.metres = metres;
        row.movingSeconds = seconds;
        input.activities.push_back(row);
        if (carried) {
            input.activityLinks.push_back({7, row.start});
        }
    }
    void DayWithoutActivities(std::int32_t day, float distance, std::int32_t seconds) {
        DayRecord record = DayRecord::Blank(day);
        record.distance = distance;
        record.time = seconds;
        input.days[day] = record;
        input.dayLinks.push_back({7, day});
    }
    GearTable::Row Only(const GearItem& item = Shoes()) {
        input.items = {item};
        table = GearTable(input);
        return table.Rows().at(0);
    }

    void SetUp() override { input.today = kLastRun; }

    GearTable::Input input;
    GearTable table;
};

// 120 km + 51 x 10 km = 630 km, 90% of 700; 51 x 50 min = 42:30:00. The last 8 weeks (56 days
// up to 9 June) hold the 28 runs of 15 April to 9 June: 280 km, 35 km a week; the 70 km
// left take 2 weeks, to 23 June.
TEST_F(GearTableTest, ASeasonOfRunsWarnsAt630KmAndProjectsFromTheLast8Weeks) {
    Season();
    const GearTable::Row row = Only();
    EXPECT_EQ(row.metres, 630000.0);
    EXPECT_EQ(row.seconds, 153000);
    EXPECT_EQ(row.uses.size(), 51U);
    EXPECT_EQ(row.firstUse, 20260301);
    EXPECT_EQ(row.lastUse, 20260609);
    EXPECT_EQ(row.warning, GearTable::Warning::Near);
    EXPECT_EQ(row.projected, 20260623);
    EXPECT_EQ(table.Distance(row.metres), "630.00 km");
    EXPECT_EQ(GearTable::Percent(row), "90%");
    EXPECT_EQ(table.WarningText(row), "Trail shoes: 630 of 700 km, 90% of its limit.");
    EXPECT_EQ(table.Warnings(),
              std::vector<std::string>{"Trail shoes: 630 of 700 km, 90% of its limit."});
}

TEST_F(GearTableTest, WarningsComeAt90And100PercentOfEitherLimit) {
    struct Case {
        const char* name;
        double startMetres;
        std::int64_t limitSeconds;
        GearTable::Warning warning;
        const char* percent;
    };
    using W = GearTable::Warning;
    // The season adds 510 km and 42:30:00 (153000 s) to the starting distance.
    const Case cases[] = {
        {"a metre short of 90%", 119999, 0, W::None, "89%"},
        {"exactly 90%", 120000, 0, W::Near, "90%"},
        {"exactly the limit", 190000, 0, W::Reached, "100%"},
        {"past it", 250000, 0, W::Reached, "108%"},           // 760 / 700
        {"the time limit nearer", 0, 170000, W::Near, "90%"}, // 153000 / 170000 = 0.9
        {"the time limit reached", 0, 153000, W::Reached, "100%"},
    };
    Season();
    for (const Case& c : cases) {
        GearItem shoes = Shoes();
        shoes.startMetres = c.startMetres;
        shoes.limitSeconds = c.limitSeconds;
        const GearTable::Row row = Only(shoes);
        EXPECT_EQ(row.warning, c.warning) << c.name;
        EXPECT_EQ(GearTable::Percent(row), c.percent) << c.name;
    }
}

TEST_F(GearTableTest, NoProjectionWithoutRecentUseALimitOrRoomLeft) {
    Season();
    GearItem noLimit = Shoes();
    noLimit.limitMetres = 0;
    EXPECT_EQ(Only(noLimit).projected, 0);
    EXPECT_EQ(GearTable::Percent(Only(noLimit)), "-");
    GearItem worn = Shoes();
    worn.startMetres = 190000; // 700 km: reached
    EXPECT_EQ(Only(worn).projected, 0);
    input.today = 20260805; // 57 days after the last run: none in the last 8 weeks
    EXPECT_EQ(Only().projected, 0);
    input.today = 20260803; // 55 days after: the 9 June run alone, 10 km / 8 = 1.25 km a week
    // 70 km / 1.25 km a week = 56 weeks = 392 days after 3 August 2026: 30 August 2027.
    EXPECT_EQ(Only().projected, 20270830);
}

// Retired on 1 May (offset 61): the runs of offsets 0..60, 1 March to 30 April, count: 31
// runs, 310 km, and 400 km before: 710 km.
TEST_F(GearTableTest, ARetiredItemKeepsItsHistoryUpToItsRetirementAndWarnsNoMore) {
    Season();
    GearItem retired = Shoes();
    retired.retired = 20260501;
    retired.startMetres = 400000; // 710 km: past the limit, but retired
    const GearTable::Row row = Only(retired);
    EXPECT_FALSE(row.Active());
    EXPECT_EQ(row.metres, 710000.0);
    EXPECT_EQ(row.uses.size(), 31U);
    EXPECT_EQ(row.lastUse, 20260430);
    EXPECT_EQ(row.projected, 0);
    EXPECT_TRUE(table.Warnings().empty());
    EXPECT_EQ(table.Text(false).find("Trail shoes"), std::string::npos);
    EXPECT_NE(table.Text(true).find("retired 2026-05-01"), std::string::npos);
}

TEST_F(GearTableTest, OnlyLinkedActivitiesAndDaysWithoutActivitiesInItsDatesCount) {
    Run(20260228, 8000, 2400);             // before its first use
    Run(20260302, 12000, 3600);            // counts
    Run(20260303, 9000, 2700, false);      // not carried
    input.activityLinks.push_back({7, 1}); // an activity that is gone
    input.activityLinks.push_back(
        {8, weeks::DayNumber(20260302) * 86400 + 6 * 3600}); // another item's
    DayWithoutActivities(20260304, 5.5F, 1800);              // 5.5 km typed by hand: counts
    DayWithoutActivities(20260302, 3.0F, 900);               // holds an activity: counts through it
    input.days[20260305] = DayRecord::Blank(20260305);
    input.days[20260305].erased = 1;
    input.days[20260305].distance = 4;
    input.dayLinks.push_back({7, 20260305}); // erased
    const GearTable::Row row = Only();
    // 120 + 12 + 5.5 = 137.5 km; 3600 + 1800 s = 1:30:00.
    EXPECT_EQ(row.metres, 137500.0);
    EXPECT_EQ(row.seconds, 5400);
    EXPECT_EQ(row.uses.size(), 2U);
    EXPECT_EQ(row.lastUse, 20260304);
    // The 12 km run and the 5.5 km day: one activity, one day.
    EXPECT_EQ(GearTable::UsesTitle(row),
              "Activities of Trail shoes: 1, and 1 day without activities");
    EXPECT_EQ(table.UseLine(row.uses[1]), "2026-03-04  (the day)       5.50 km    0:30:00");
}

// The heading of an item's list counts its activities, and its days only when there are.
TEST_F(GearTableTest, TheUsesHeadingCountsActivitiesAndDays) {
    Run(20260302, 12000, 3600);
    Run(20260303, 9000, 2700);
    EXPECT_EQ(GearTable::UsesTitle(Only()), "Activities of Trail shoes: 2");
    DayWithoutActivities(20260304, 5.5F, 1800);
    DayWithoutActivities(20260305, 4.0F, 1200);
    EXPECT_EQ(GearTable::UsesTitle(Only()),
              "Activities of Trail shoes: 2, and 2 days without activities");
}

// 1000 miles = 1609344 m; 800 miles done = 80%; no warning.
TEST_F(GearTableTest, DistancesFollowTheLogbooksUnit) {
    input.unit = "mi";
    GearItem bike = Shoes();
    bike.name = "Road bike";
    bike.kind = GearKind::Bike;
    bike.startMetres = 800 * 1609.344;
    bike.limitMetres = 1000 * 1609.344;
    bike.limitSeconds = 180000;
    const GearTable::Row row = Only(bike);
    EXPECT_EQ(table.Distance(row.metres), "800.00 mi");
    EXPECT_EQ(table.Limit(bike), "1000 mi / 50:00:00");
    EXPECT_EQ(GearTable::Percent(row), "80%");
}

TEST_F(GearTableTest, TheCommandsTableAndCsv) {
    Season();
    GearItem bike;
    bike.id = 9;
    bike.name = "Road, bike";
    bike.kind = GearKind::Bike;
    input.items = {bike, Shoes()};
    table = GearTable(input);
    // Name in 20, kind in 5, distance in 12, time in 10, uses in 5, dates in 10, limit in 12,
    // used in 4, two blanks between.
    EXPECT_EQ(table.Text(false),
              "Name                  Kind       Distance        Time   Uses  First use   "
              "Last use           Limit  Used  Retire by\n"
              "Road, bike            bike        0.00 km     0:00:00      0  -           "
              "-                      -     -  -\n"
              "Trail shoes           shoes     630.00 km    42:30:00     51  2026-03-01  "
              "2026-06-09        700 km   90%  2026-06-23\n"
              "Trail shoes: 630 of 700 km, 90% of its limit.\n");
    EXPECT_EQ(
        table.Csv(false),
        "name,kind,distance,unit,time,uses,firstUse,lastUse,limit,used,retireBy,retired\n"
        "\"Road, bike\",bike,0,km,0:00:00,0,-,-,-,-,-,-\n"
        "Trail shoes,shoes,630,km,42:30:00,51,2026-03-01,2026-06-09,700 km,90%,2026-06-23,-\n");
}

} // namespace
