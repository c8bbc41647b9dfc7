#include "editor/FindQuery.h"

#include "OpenLogbookFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class FindQueryTest : public OpenLogbookFixture {
protected:
    static DayRecord Sample(std::int32_t key) {
        return Day(key)
            .Distance(12.5F)
            .Time(3723)
            .Pace(298)
            .Speed(12.08F)
            .Calories(650)
            .MaxHeartRate(172)
            .RestHeartRate(48)
            .Temperature(-3)
            .Weight(70.25F)
            .Water(1.5F)
            .Sleep(7.5F)
            .Competition('N')
            .Difficulty('M')
            .Workout("Distance, Hills    ")
            .Comments("Long run in the hills, legs fine");
    }
    static FindQuery Query(FindQuery::Field field, int compare, const char* value,
                           int difficulty = 0, char competition = 0) {
        FindQuery q;
        q.field = field;
        q.compare = compare;
        q.value = value;
        q.difficulty = difficulty;
        q.competition = competition;
        return q;
    }
    bool Matches(const FindQuery& q, const DayRecord& day) const { return q.Matches(day, dates); }
};

// Numbers compare at their shown value (times with their hours only); texts match by
// substring with case, and only for Equal and Not Equal.
TEST_F(FindQueryTest, FieldsCompareAsTheyAreShown) {
    DayRecord day = Sample(20260105);
    day.distance = 12.504F; // shown 12.50
    day.time = 7199;        // shown 01:59:59
    using F = FindQuery;
    const struct {
        FindQuery::Field field;
        int compare;
        const char* value;
        bool matches;
    } rows[] = {
        {F::kDistance, F::kEqual, "12.5", true},
        {F::kDistance, F::kNotEqual, "12.5", false},
        {F::kDistance, F::kLessOrEqual, "12.5", true},
        {F::kDistance, F::kLess, "12.5", false},
        {F::kCalories, F::kGreater, "abc", true}, // 650 > 0
        {F::kTemperature, F::kLess, "0", true},   // -03
        {F::kBodyWeight, F::kGreaterOrEqual, "70.25", true},
        {F::kTime, F::kEqual, "1", true},
        {F::kTime, F::kGreater, "1", false},
        {F::kWorkout, F::kEqual, "Hills", true},
        {F::kWorkout, F::kEqual, "hills", false},
        {F::kWorkout, F::kNotEqual, "hills", true},
        {F::kComments, F::kEqual, "run", true},
        {F::kComments, F::kEqual, "Run", false},
        {F::kWorkout, F::kEqual, "", true},
        {F::kWorkout, F::kNotEqual, "", false},
        {F::kComments, F::kLess, "a", false},
        {F::kComments, F::kLessOrEqual, "a", false},
        {F::kComments, F::kGreater, "a", false},
        {F::kComments, F::kGreaterOrEqual, "a", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Matches(Query(row.field, row.compare, row.value), day), row.matches)
            << row.field << " " << row.compare << " " << row.value;
    }
    std::strcpy(day.comments, "C\xF4te");
    EXPECT_TRUE(Matches(Query(F::kComments, F::kEqual, "Côte"), day));
}

// A difficulty or competition filter leaves out the days without that mark.
TEST_F(FindQueryTest, FiltersLeaveOutUnmarkedDays) {
    const struct {
        int difficulty;
        char competition;
        const char* matched; // of an easy, a moderate and an unmarked day
    } rows[] = {
        {FindQuery::kEasy | FindQuery::kHard, 0, "E"},
        {0, 0, "EMU"},
        {0, 'Y', ""},
        {0, 'N', "EM"},
    };
    for (const auto& row : rows) {
        std::string matched;
        for (const char mark : std::string("EMU")) {
            DayRecord day = Sample(1);
            day.difficulty = mark == 'U' ? 0 : mark;
            day.competition = mark == 'U' ? 0 : 'N';
            const FindQuery q =
                Query(FindQuery::kWorkout, FindQuery::kEqual, "", row.difficulty, row.competition);
            matched += Matches(q, day) ? std::string(1, mark) : "";
        }
        EXPECT_EQ(matched, row.matched) << row.difficulty << " " << row.competition;
    }
}

TEST_F(FindQueryTest, TheResultLine) {
    EXPECT_EQ(
        FindQuery::ResultLine(Sample(19960105), dates),
        "JAN-05-1996 (Data = \"12.50\", \"01:02:03\", \"00:04:58\", \"12.08\", \"0650\", \"172\", "
        "\"048\", \"-03\", \"70.25\", \"1.50\", \"7.50\", \"Distance, Hills    ....\", "
        "\"Long run in the hill...\")");
    // Eleven huge values make a long line, never a cut or overrun one.
    DayRecord huge = Sample(19960105);
    huge.distance = huge.speed = huge.bodyWeight = huge.waterUsed = huge.hoursSlept = 3.0e38F;
    huge.time = huge.pace = 2147483647;
    huge.calories = huge.maxHeartRate = huge.restHeartRate = huge.temperature = -2147483647 - 1;
    const std::string line = FindQuery::ResultLine(huge, dates);
    EXPECT_GT(line.size(), 256U);
    EXPECT_EQ(line.substr(line.size() - 26), "\"Long run in the hill...\")");
}

// Live days in date order (the index's, not the file's), at most five hundred.
TEST_F(FindQueryTest, SearchListsLiveDaysInDateOrderUpToFiveHundred) {
    std::vector<std::int32_t> stored;
    for (DateValue d = Date(20240101); stored.size() < 620; dates.AddDays(d, 1)) {
        stored.push_back(Key(d));
    }
    for (auto key = stored.rbegin(); key != stored.rend(); ++key) {
        Store(Sample(*key));
    }
    ASSERT_EQ(db->EraseDay(Date(stored[1])), LogBookDatabase::StoreResult::Stored);

    FindQuery::Found found;
    ASSERT_TRUE(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5").Search(*db, dates, found));
    ASSERT_EQ(found.keys.size(), 500U);
    ASSERT_EQ(found.lines.size(), 500U);
    EXPECT_EQ(found.keys[0], stored[0]);
    EXPECT_EQ(found.keys[1], stored[2]);
    EXPECT_EQ(found.keys[499], stored[500]);
    EXPECT_EQ(found.lines[1], FindQuery::ResultLine(Sample(stored[2]), dates));
    ASSERT_TRUE(
        Query(FindQuery::kDistance, FindQuery::kNotEqual, "12.5").Search(*db, dates, found));
    EXPECT_TRUE(found.keys.empty());
    EXPECT_TRUE(reporter.messages.empty());

    db->Close();
    EXPECT_FALSE(Query(FindQuery::kDistance, FindQuery::kEqual, "12.5").Search(*db, dates, found));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Cannot open database."});
}

} // namespace
