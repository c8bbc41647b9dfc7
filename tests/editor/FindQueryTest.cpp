#include "editor/FindQuery.h"

#include "OpenLogbookFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DayRecord SampleDay(std::int32_t key) {
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

// Numbers compare at their shown value (times with their hours only); texts match by
// substring with case, and only for Equal and Not Equal.
TEST_F(FindQueryTest, FieldsCompareAsTheyAreShown) {
    DayRecord day = SampleDay(20260105);
    day.distance = 12.504F; // shown 12.50
    day.time = 7199;        // shown 01:59:59
    const struct {
        FindQuery::Field field;
        int compare;
        const char* value;
        bool matches;
    } rows[] = {
        {FindQuery::kDistance, FindQuery::kEqual, "12.5", true},
        {FindQuery::kDistance, FindQuery::kNotEqual, "12.5", false},
        {FindQuery::kDistance, FindQuery::kLessOrEqual, "12.5", true},
        {FindQuery::kDistance, FindQuery::kLess, "12.5", false},
        {FindQuery::kCalories, FindQuery::kGreater, "abc", true}, // 650 > 0
        {FindQuery::kTemperature, FindQuery::kLess, "0", true},   // -03
        {FindQuery::kBodyWeight, FindQuery::kGreaterOrEqual, "70.25", true},
        {FindQuery::kTime, FindQuery::kEqual, "1", true},
        {FindQuery::kTime, FindQuery::kGreater, "1", false},
        {FindQuery::kWorkout, FindQuery::kEqual, "Hills", true},
        {FindQuery::kWorkout, FindQuery::kEqual, "hills", false},
        {FindQuery::kWorkout, FindQuery::kNotEqual, "hills", true},
        {FindQuery::kComments, FindQuery::kEqual, "run", true},
        {FindQuery::kComments, FindQuery::kEqual, "Run", false},
        {FindQuery::kWorkout, FindQuery::kEqual, "", true},
        {FindQuery::kWorkout, FindQuery::kNotEqual, "", false},
        {FindQuery::kComments, FindQuery::kLess, "a", false},
        {FindQuery::kComments, FindQuery::kLessOrEqual, "a", false},
        {FindQuery::kComments, FindQuery::kGreater, "a", false},
        {FindQuery::kComments, FindQuery::kGreaterOrEqual, "a", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Matches(Query(row.field, row.compare, row.value), day), row.matches)
            << row.field << " " << row.compare << " " << row.value;
    }
    std::strcpy(day.comments, "C\xF4te");
    EXPECT_TRUE(Matches(Query(FindQuery::kComments, FindQuery::kEqual, "Côte"), day));
}

TEST_F(FindQueryTest, FiltersLeaveOutUnmarkedDays) {
    DayRecord easy = SampleDay(1);
    easy.difficulty = 'E';
    DayRecord moderate = SampleDay(2);
    DayRecord unmarked = SampleDay(3);
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
        FindQuery::ResultLine(SampleDay(19960105), dates),
        "JAN-05-1996 (Data = \"12.50\", \"01:02:03\", \"00:04:58\", \"12.08\", \"0650\", \"172\", "
        "\"048\", \"-03\", \"70.25\", \"1.50\", \"7.50\", \"Distance, Hills    ....\", "
        "\"Long run in the hill...\")");
    // Eleven huge values make a long line, never a cut or overrun one.
    DayRecord huge = SampleDay(19960105);
    huge.distance = huge.speed = huge.bodyWeight = huge.waterUsed = huge.hoursSlept = 3.0e38F;
    huge.time = huge.pace = 2147483647;
    huge.calories = huge.maxHeartRate = huge.restHeartRate = huge.temperature = -2147483647 - 1;
    const std::string line = FindQuery::ResultLine(huge, dates);
    EXPECT_GT(line.size(), 256U);
    EXPECT_EQ(line.substr(line.size() - 26), "\"Long run in the hill...\")");
}

using FindSearchTest = OpenLogbookFixture;

TEST_F(FindSearchTest, ListsLiveDaysInDateOrderUpToFiveHundred) {
    std::vector<std::int32_t> stored;
    for (DateValue d = Date(20240101); stored.size() < 620; dates.AddDays(d, 1)) {
        stored.push_back(Key(d));
    }
    // Stored newest first: the listing follows the index, not the file.
    for (auto key = stored.rbegin(); key != stored.rend(); ++key) {
        Store(SampleDay(*key));
    }
    ASSERT_EQ(db->EraseDay(Date(stored[1])), LogBookDatabase::StoreResult::Stored);

    FindQuery::Found found;
    ASSERT_TRUE(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5").Search(*db, dates, found));
    ASSERT_EQ(found.keys.size(), 500U);
    ASSERT_EQ(found.lines.size(), 500U);
    EXPECT_EQ(found.keys[0], stored[0]);
    EXPECT_EQ(found.keys[1], stored[2]);
    EXPECT_EQ(found.keys[499], stored[500]);
    EXPECT_EQ(found.lines[1], FindQuery::ResultLine(SampleDay(stored[2]), dates));

    ASSERT_TRUE(
        Query(FindQuery::kDistance, FindQuery::kNotEqual, "12.5").Search(*db, dates, found));
    EXPECT_TRUE(found.keys.empty());
    EXPECT_TRUE(reporter.messages.empty());

    db->Close();
    EXPECT_FALSE(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5").Search(*db, dates, found));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Cannot open database."});
}

} // namespace
