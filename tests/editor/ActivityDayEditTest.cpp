// What a day typed in the Log Book's boxes does to its activities: one activity takes the
// typed distance and time, several keep their sums, an emptied box takes nothing away.
#include "editor/ActivityDayEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kDay = 20261204;
using Kind = ActivityDayEdit::Kind;

ActivityRow Activity(const char* sport, double metres, std::int32_t moving) {
    ActivityRow row;
    row.id = 7;
    row.day = kDay;
    row.sport = sport;
    row.metres = metres;
    row.movingSeconds = moving;
    row.elapsedSeconds = 1900;
    row.maxHeartRate = 165;
    row.calories = 400;
    return row;
}

// A 5 km run in 30:00 (or it and a 20 km ride in 1:00:00: 25 km in 1:30:00), and the
// user's weight and comment.
class ActivityDayEditTest : public ::testing::Test {
protected:
    DayRecord StoredDay(const std::vector<ActivityRow>& activities) const {
        DayRecord day = DayRecord::Blank(kDay);
        day.distance = activities.size() == 1 ? 5.0F : 25.0F;
        day.time = activities.size() == 1 ? 1800 : 5400;
        day.pace = activities.size() == 1 ? 360 : 216;
        day.speed = activities.size() == 1 ? 10.0F : 16.67F;
        day.maxHeartRate = 165;
        day.calories = activities.size() * 400;
        day.bodyWeight = 70.4F;
        std::strcpy(day.comments, "Windy");
        return day;
    }
    // The boxes of the stored day, with these typed over, read as the Log Book reads them.
    ActivityDayEdit Typed(const std::vector<ActivityRow>& activities,
                          const std::vector<std::pair<int, std::string>>& typing) const {
        const DayRecord stored = StoredDay(activities);
        const DayForm shown = DayForm::Show(stored, dates);
        DayForm typed = shown;
        for (const auto& [box, text] : typing) {
            typed.boxes[static_cast<std::size_t>(box)] = text;
        }
        DayRecord record = stored;
        typed.ReadChangesInto(shown, record, dates);
        return ActivityDayEdit::Of(typed, shown, record, stored, activities, 1000);
    }

    DateUtility dates;
    const std::vector<ActivityRow> one{Activity("Running", 5000, 1800)};
    const std::vector<ActivityRow> two{Activity("Running", 5000, 1800),
                                       Activity("Cycling", 20000, 3600)};
};

TEST_F(ActivityDayEditTest, TheOneActivityTakesTheTypedFiguresAndTheDayIsMadeFromIt) {
    const struct {
        const char* name;
        std::vector<std::pair<int, std::string>> typing;
        double metres;
        std::int32_t moving;
        std::int32_t elapsed;
        std::int32_t calories;
        std::int32_t pace;
        float speed;
    } cases[] = {
        // 1800 s / 8 km = 225 s a km; 8 km in half an hour = 16 km/h.
        {"distance", {{DayForm::kDistance, "8"}}, 8000, 1800, 1900, 400, 225, 16.0F},
        // 2400 s / 5 km = 480; 5 km / (2400 / 3600 h) = 7.5; elapsed grows to the moving time.
        {"time", {{DayForm::kTime, "40:00"}}, 5000, 2400, 2400, 400, 480, 7.5F},
        // 3000 s / 10 km = 300; 10 km / (50 / 60 h) = 12; calories typed with them go along.
        {"both with calories",
         {{DayForm::kDistance, "10"}, {DayForm::kTime, "50:00"}, {DayForm::kCalories, "600"}},
         10000,
         3000,
         3000,
         600,
         300,
         12.0F},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ActivityDayEdit edit = Typed(one, c.typing);
        ASSERT_EQ(edit.kind, Kind::ActivityChanged);
        ASSERT_EQ(edit.rows.size(), 1U);
        EXPECT_EQ(edit.rows[0].id, 7);
        EXPECT_DOUBLE_EQ(edit.rows[0].metres, c.metres);
        EXPECT_EQ(edit.rows[0].movingSeconds, c.moving);
        EXPECT_EQ(edit.rows[0].elapsedSeconds, c.elapsed);
        EXPECT_EQ(edit.rows[0].calories, c.calories);
        EXPECT_FLOAT_EQ(edit.day.distance, static_cast<float>(c.metres / 1000));
        EXPECT_EQ(edit.day.time, c.moving);
        EXPECT_EQ(edit.day.pace, c.pace);
        EXPECT_FLOAT_EQ(edit.day.speed, c.speed);
        EXPECT_EQ(edit.day.calories, c.calories);
        EXPECT_FLOAT_EQ(edit.day.bodyWeight, 70.4F);
        EXPECT_STREQ(edit.day.comments, "Windy");
    }
}

TEST_F(ActivityDayEditTest, FiguresThatCannotBeTakenStayAndTheUserIsTold) {
    const struct {
        const char* name;
        bool several;
        std::vector<std::pair<int, std::string>> typing;
        const char* message;
    } cases[] = {
        {"sums typed",
         true,
         {{DayForm::kDistance, "30"}, {DayForm::kBodyWeight, "71"}},
         "This day's distance and time are the sums of its 2 activities: the distance typed "
         "was not stored. Change them activity by activity in the Activities dialog (Ctrl+T). "
         "The other boxes are stored."},
        {"sums emptied",
         true,
         {{DayForm::kDistance, ""}, {DayForm::kTime, ""}, {DayForm::kBodyWeight, "71"}},
         "This day's distance and time are the sums of its 2 activities: the distance and "
         "time typed were not stored. Change them activity by activity in the Activities "
         "dialog (Ctrl+T). The other boxes are stored."},
        {"one emptied",
         false,
         {{DayForm::kTime, " "}, {DayForm::kBodyWeight, "71"}},
         "This day's time is its activity's and was not emptied: the activity keeps it. To "
         "take the activity away, remove it in the Activities dialog (Ctrl+T). The other "
         "boxes are stored."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ActivityRow>& activities = c.several ? two : one;
        const ActivityDayEdit edit = Typed(activities, c.typing);
        const DayRecord stored = StoredDay(activities);
        EXPECT_EQ(edit.kind, Kind::NotTaken);
        EXPECT_EQ(edit.message, c.message);
        EXPECT_EQ(edit.day.distance, stored.distance);
        EXPECT_EQ(edit.day.time, stored.time);
        EXPECT_EQ(edit.day.pace, stored.pace);
        EXPECT_EQ(edit.day.speed, stored.speed);
        EXPECT_FLOAT_EQ(edit.day.bodyWeight, 71.0F);
        EXPECT_DOUBLE_EQ(edit.rows[0].metres, 5000);
    }
}

TEST_F(ActivityDayEditTest, DaysWithoutActivitiesOrWithTheirFiguresUntouchedAreStoredAsTyped) {
    const struct {
        const char* name;
        const std::vector<ActivityRow>* activities;
        std::vector<std::pair<int, std::string>> typing;
        float distance;
    } cases[] = {
        {"no activities", nullptr, {{DayForm::kDistance, "8"}}, 8.0F},
        {"the shown value retyped", &one, {{DayForm::kDistance, "5"}}, 5.0F},
        {"another box of several", &two, {{DayForm::kBodyWeight, "71"}}, 25.0F},
    };
    const std::vector<ActivityRow> none;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ActivityDayEdit edit = Typed(c.activities ? *c.activities : none, c.typing);
        EXPECT_EQ(edit.kind, Kind::Plain);
        EXPECT_EQ(edit.message, "");
        EXPECT_FLOAT_EQ(edit.day.distance, c.distance);
    }
}

TEST_F(ActivityDayEditTest, TheHintSaysWhoseTheBoxesAre) {
    EXPECT_EQ(ActivityDayEdit::Hint(0), "");
    EXPECT_EQ(ActivityDayEdit::Hint(1),
              "Distance and time are this day's activity's: typed here, they change it.");
    EXPECT_EQ(ActivityDayEdit::Hint(3),
              "Distance and time are the sums of this day's 3 activities: Ctrl+T changes them.");
}

} // namespace
