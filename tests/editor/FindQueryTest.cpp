#include "editor/FindQuery.h"

#include "TempFolderTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

DayRecord Day(std::int32_t key) {
    DayRecord r = DayRecord::Blank(key);
    r.distance = 12.5F;
    r.time = 3723;
    r.pace = 298;
    r.speed = 12.08F;
    r.calories = 650;
    r.maxHeartRate = 172;
    r.restHeartRate = 48;
    r.temperature = -3;
    r.bodyWeight = 70.25F;
    r.waterUsed = 1.5F;
    r.hoursSlept = 7.5F;
    r.competition = 'N';
    r.difficulty = 'M';
    std::strcpy(r.workout, "Distance, Hills    ");
    std::strcpy(r.comments, "Long run in the hills, legs fine");
    return r;
}

FindQuery Query(FindQuery::Field field, int compare, const char* value) {
    FindQuery q;
    q.field = field;
    q.compare = compare;
    q.value = value;
    return q;
}

class FindQueryTest : public ::testing::Test {
protected:
    bool Matches(const FindQuery& q, const DayRecord& day) const { return q.Matches(day, dates); }
    DateUtility dates;
};

TEST_F(FindQueryTest, NumbersCompareAtTheirShownValue) {
    DayRecord day = Day(20260105);
    EXPECT_TRUE(Matches(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5"), day));
    day.distance = 12.504F; // shown 12.50
    EXPECT_TRUE(Matches(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5"), day));
    EXPECT_FALSE(Matches(Query(FindQuery::kDistance, FindQuery::kNotEqual, "12.5"), day));
    EXPECT_TRUE(Matches(Query(FindQuery::kDistance, FindQuery::kLessOrEqual, "12.5"), day));
    EXPECT_FALSE(Matches(Query(FindQuery::kDistance, FindQuery::kLess, "12.5"), day));
    EXPECT_TRUE(Matches(Query(FindQuery::kCalories, FindQuery::kGreater, "abc"), day)); // 650 > 0
    EXPECT_TRUE(Matches(Query(FindQuery::kTemperature, FindQuery::kLess, "0"), day));   // -03
    EXPECT_TRUE(Matches(Query(FindQuery::kBodyWeight, FindQuery::kGreaterOrEqual, "70.25"), day));
    // Times take part with their hours only.
    day.time = 3600;
    EXPECT_TRUE(Matches(Query(FindQuery::kTime, FindQuery::kEqual, "1"), day));
    day.time = 7199;
    EXPECT_TRUE(Matches(Query(FindQuery::kTime, FindQuery::kEqual, "1"), day));
    EXPECT_FALSE(Matches(Query(FindQuery::kTime, FindQuery::kGreater, "1"), day));
    day.time = 7200;
    EXPECT_TRUE(Matches(Query(FindQuery::kTime, FindQuery::kGreater, "1"), day));
}

TEST_F(FindQueryTest, TextsMatchBySubstringWithCase) {
    const DayRecord day = Day(20260105);
    EXPECT_TRUE(Matches(Query(FindQuery::kWorkout, FindQuery::kEqual, "Hills"), day));
    EXPECT_FALSE(Matches(Query(FindQuery::kWorkout, FindQuery::kEqual, "hills"), day));
    EXPECT_TRUE(Matches(Query(FindQuery::kWorkout, FindQuery::kNotEqual, "hills"), day));
    EXPECT_TRUE(Matches(Query(FindQuery::kComments, FindQuery::kEqual, "run"), day));
    EXPECT_FALSE(Matches(Query(FindQuery::kComments, FindQuery::kEqual, "Run"), day));
    EXPECT_TRUE(Matches(Query(FindQuery::kWorkout, FindQuery::kEqual, ""), day));
    EXPECT_FALSE(Matches(Query(FindQuery::kWorkout, FindQuery::kNotEqual, ""), day));
    for (int compare = FindQuery::kLess; compare <= FindQuery::kGreaterOrEqual; ++compare) {
        EXPECT_FALSE(Matches(Query(FindQuery::kComments, compare, "a"), day));
    }
    DayRecord french = day;
    std::strcpy(french.comments, "C\xF4te");
    EXPECT_TRUE(Matches(Query(FindQuery::kComments, FindQuery::kEqual, "Côte"), french));
}

TEST_F(FindQueryTest, FiltersLeaveOutUnmarkedDays) {
    DayRecord easy = Day(1);
    easy.difficulty = 'E';
    DayRecord moderate = Day(2);
    DayRecord unmarked = Day(3);
    unmarked.difficulty = 0;
    unmarked.competition = 0;
    FindQuery q = Query(FindQuery::kWorkout, FindQuery::kEqual, "");
    q.difficulty = FindQuery::kEasy | FindQuery::kHard;
    EXPECT_TRUE(Matches(q, easy));
    EXPECT_FALSE(Matches(q, moderate));
    EXPECT_FALSE(Matches(q, unmarked));
    q.difficulty = 0;
    EXPECT_TRUE(Matches(q, unmarked));
    q.competition = 'Y';
    EXPECT_FALSE(Matches(q, unmarked));
    EXPECT_FALSE(Matches(q, moderate));
    q.competition = 'N';
    EXPECT_TRUE(Matches(q, moderate));
    EXPECT_FALSE(Matches(q, unmarked));
}

TEST_F(FindQueryTest, TheResultLine) {
    EXPECT_EQ(
        FindQuery::ResultLine(Day(19960105), dates),
        "JAN-05-1996 (Data = \"12.50\", \"01:02:03\", \"00:04:58\", \"12.08\", \"0650\", \"172\", "
        "\"048\", \"-03\", \"70.25\", \"1.50\", \"7.50\", \"Distance, Hills    ....\", "
        "\"Long run in the hill...\")");
    // Eleven huge values make a long line, never a cut or overrun one.
    DayRecord huge = Day(19960105);
    huge.distance = huge.speed = huge.bodyWeight = huge.waterUsed = huge.hoursSlept = 3.0e38F;
    huge.time = huge.pace = 2147483647;
    huge.calories = huge.maxHeartRate = huge.restHeartRate = huge.temperature = -2147483647 - 1;
    const std::string line = FindQuery::ResultLine(huge, dates);
    EXPECT_GT(line.size(), 256U);
    EXPECT_EQ(line.substr(line.size() - 26), "\"Long run in the hill...\")");
}

class FindSearchTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        db = std::make_unique<LogBookDatabase>(reporter, dates);
        ASSERT_NE(db->Open(Path("log.vrl")), LogBookDatabase::OpenResult::Failed);
    }
    void TearDown() override {
        db.reset();
        TempFolderTest::TearDown();
    }
    RecordingReporter reporter;
    DateUtility dates;
    std::unique_ptr<LogBookDatabase> db;
};

TEST_F(FindSearchTest, ListsLiveDaysInDateOrderUpToFiveHundred) {
    DateValue d;
    dates.DateOfKey(20240101, d);
    std::vector<std::int32_t> stored;
    for (int i = 0; i < 620; ++i) {
        stored.push_back(dates.KeyOfDate(d));
        dates.AddDays(d, 1);
    }
    // Stored newest first: the listing follows the index, not the file.
    for (auto key = stored.rbegin(); key != stored.rend(); ++key) {
        ASSERT_EQ(db->StoreRecord(Day(*key)), LogBookDatabase::StoreResult::Stored);
    }
    DateValue erased;
    dates.DateOfKey(stored[1], erased);
    ASSERT_EQ(db->EraseDay(erased), LogBookDatabase::StoreResult::Stored);

    FindQuery::Found found;
    ASSERT_TRUE(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5").Search(*db, dates, found));
    ASSERT_EQ(found.keys.size(), 500U);
    ASSERT_EQ(found.lines.size(), 500U);
    EXPECT_EQ(found.keys[0], stored[0]);
    EXPECT_EQ(found.keys[1], stored[2]);
    EXPECT_EQ(found.keys[499], stored[500]);
    EXPECT_EQ(found.lines[1], FindQuery::ResultLine(Day(stored[2]), dates));

    ASSERT_TRUE(
        Query(FindQuery::kDistance, FindQuery::kNotEqual, "12.5").Search(*db, dates, found));
    EXPECT_TRUE(found.keys.empty());
    EXPECT_TRUE(reporter.messages.empty());

    db->Close();
    EXPECT_FALSE(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5").Search(*db, dates, found));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Cannot open database."});
}

} // namespace
