#include "editor/DayForm.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DayFormTest : public ::testing::Test {
protected:
    DayRecord Read(const DayForm& form) {
        DayRecord record = DayRecord::Blank(20260105);
        form.ReadInto(record, dates);
        return record;
    }
    // The box's text read into a day and shown again.
    std::string ReadBack(DayForm::Box box, const std::string& typed) {
        DayForm form;
        form.boxes[box] = typed;
        return DayForm::Show(Read(form), dates).boxes[box];
    }
    DateUtility dates;
};

TEST_F(DayFormTest, EmptyBoxesGiveTheBlankDay) {
    EXPECT_TRUE(Read(DayForm{}).SameContent(DayRecord::Blank(20260105)));
}

// Every text the user may type is either read whole or refused with a message that names
// the box, repeats the text and says what the box takes. Numbers are read from their
// leading characters (six, the calories four), durations whole and counted from the minutes.
TEST_F(DayFormTest, TextsAreReadFromTheirLeadingCharactersOrRefused) {
    const struct {
        DayForm::Box box;
        const char* typed;
        const char* refusal; // empty: read whole
        const char* readBack;
    } cases[] = {
        {DayForm::kDistance, "8,2", "Distance: \"8,2\" is not a number like 8.2.", "8.00"},
        {DayForm::kDistance, "0.000.4", "Distance: \"0.000.4\" is not a number like 8.2.", "0.00"},
        {DayForm::kDistance, "1234.567",
         "Distance: \"1234.567\" is longer than this box takes: at most 6 characters, like "
         "8.2.",
         "1234.50"},
        {DayForm::kDistance, "12.345", "", "12.35"},
        {DayForm::kDistance, "12.5 ", "", "12.50"},
        {DayForm::kDistance, "", "", "0.00"},
        {DayForm::kSpeed, "1e39", "Speed: \"1e39\" is larger than this box can hold.", "inf"},
        {DayForm::kTime, "44.10",
         "Time: \"44.10\" is not a duration like 50:00 or 1:05:00 (minutes and seconds below "
         "60).",
         "00:00:00"},
        {DayForm::kTime, "45", "", "00:45:00"},
        {DayForm::kTime, "50:00", "", "00:50:00"},
        {DayForm::kPace, "7:75:00",
         "Pace: \"7:75:00\" is not a duration like 5:30 or 0:05:30 (minutes and seconds below "
         "60).",
         "00:00:00"},
        {DayForm::kCalories, "12345",
         "Total Calories: \"12345\" is longer than this box takes: at most 4 characters, like "
         "2400.",
         "1234"},
        {DayForm::kCalories, "2400", "", "2400"},
        {DayForm::kMaxHeartRate, "172.5", "Max H. Rate: \"172.5\" is not a whole number like 172.",
         "172"},
        {DayForm::kTemperature, "-7", "", "-07"},
        {DayForm::kPace, "1:30", "", "00:01:30"},
        {DayForm::kSpeed, "12.5", "", "12.50"},
        {DayForm::kRestHeartRate, "58", "", "058"},
        {DayForm::kBodyWeight, "70.5", "", "70.50"},
        {DayForm::kWaterUsed, "1.5", "", "1.50"},
        {DayForm::kHoursSlept, "7.5", "", "7.50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(DayForm::Refusal(c.box, c.typed, dates), c.refusal);
        EXPECT_EQ(ReadBack(c.box, c.typed), c.readBack);
    }
}

// A pace or speed left empty or zero is worked out from the distance and time, rounded: the
// pace to the second, the speed to 0.01. What the user typed stays.
TEST_F(DayFormTest, DistanceAndTimeGiveTheMissingPaceAndSpeed) {
    const struct {
        const char* distance;
        const char* time;
        const char* pace;
        const char* speed;
        std::int32_t paceSeconds;
        float speedRead;
    } rows[] = {
        {"10.00", "00:50:00", "", "", 300, 12.00F},
        {"7.00", "00:45:00", "", "", 386, 9.33F},        // 6:25.71, 9.333
        {"6", "35:00", "00:00:00", "0.00", 350, 10.29F}, // 10.2857 rounds up
        {"42.2", "3:30:00", "", "", 299, 12.06F},        // 298.58 s, 12.057
        {"10", "50:00", "5:30", "", 330, 12.00F},        // typed pace kept
        {"10", "50:00", "", "11.5", 300, 11.5F},         // typed speed kept
        {"", "50:00", "", "", 0, 0.0F},
        {"10", "", "", "", 0, 0.0F},
        {"-5", "50:00", "", "", 0, 0.0F},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.distance) + " in " + row.time);
        DayForm form;
        form.boxes[DayForm::kDistance] = row.distance;
        form.boxes[DayForm::kTime] = row.time;
        form.boxes[DayForm::kPace] = row.pace;
        form.boxes[DayForm::kSpeed] = row.speed;
        const DayRecord r = Read(form);
        EXPECT_EQ(r.pace, row.paceSeconds);
        EXPECT_EQ(r.speed, row.speedRead);
    }
}

TEST_F(DayFormTest, ZerosAndMarksAreShownAndReadBack) {
    DayRecord r = DayRecord::Blank(20260105);
    r.time = 2700;
    r.competition = 'Y';
    r.difficulty = 'H';
    r.maxHeartRate = 7;
    const DayForm f = DayForm::Show(r, dates);
    EXPECT_EQ(f.boxes[DayForm::kDistance], "0.00");
    EXPECT_EQ(f.boxes[DayForm::kPace], "00:00:00");
    EXPECT_EQ(f.boxes[DayForm::kMaxHeartRate], "007");
    EXPECT_EQ(f.boxes[DayForm::kCalories], "0000");
    EXPECT_EQ(f.competition, 'Y');
    EXPECT_EQ(f.difficulty, 'H');
    EXPECT_TRUE(Read(f).SameContent(r));
}

TEST_F(DayFormTest, TextsAreStoredInTheWesternCodePageAndCutToTheirFields) {
    DayForm form;
    form.workout = "Côte à côte, intervals and more words";
    form.comments = std::string(300, 'x') + "€";
    DayRecord r = Read(form);
    EXPECT_EQ(std::string(r.workout), "C\xF4te \xE0 c\xF4te, intervals and mo");
    EXPECT_EQ(r.CommentsText(), std::string(255, 'x'));
    form.comments = "Snow ☃ and € 5";
    r = Read(form);
    EXPECT_EQ(r.CommentsText(), "Snow ? and \x80 5");
    EXPECT_EQ(DayForm::Show(r, dates).comments, "Snow ? and € 5");
    EXPECT_EQ(DayForm::Show(r, dates).workout, "Côte à côte, intervals and mo");
}

// What the user did not change keeps its stored value, whatever its box can show, and is
// not checked; the first changed box that is refused is named.
TEST_F(DayFormTest, OnlyTheTextsTheUserChangedAreReadAndChecked) {
    DayRecord stored = DayRecord::Blank(20260105);
    stored.distance = 1234.56F; // shown "1234.56", read back from six characters as 1234.5
    stored.calories = 12345;    // shown "12345", read from four characters as 1234
    stored.time = 216000;       // 60 hours: "60:00:00" reads back as 0
    stored.speed = 12.345F;
    stored.competition = 'Y';
    std::memset(stored.comments, 'c', 255);
    const DayForm shown = DayForm::Show(stored, dates);
    std::string problem;
    EXPECT_EQ(shown.FirstRefused(shown, dates, problem), -1);
    DayRecord untouched = stored;
    shown.ReadChangesInto(shown, untouched, dates);
    EXPECT_EQ(std::memcmp(&untouched, &stored, sizeof stored), 0);

    DayForm edited = shown;
    edited.boxes[DayForm::kCalories] = "0900";
    edited.comments = "short";
    edited.competition = 'N';
    DayRecord changed = stored;
    edited.ReadChangesInto(shown, changed, dates);
    EXPECT_EQ(changed.calories, 900);
    EXPECT_STREQ(changed.comments, "short");
    EXPECT_EQ(changed.competition, 'N');
    EXPECT_EQ(changed.distance, 1234.56F);
    EXPECT_EQ(changed.time, 216000);
    EXPECT_EQ(changed.speed, 12.345F);
    EXPECT_EQ(changed.pace, 0) << "distance and time untouched: no pace worked out";

    edited.boxes[DayForm::kCalories] = "abc";
    edited.boxes[DayForm::kTime] = "90";
    EXPECT_EQ(edited.FirstRefused(shown, dates, problem), DayForm::kTime);
    EXPECT_EQ(problem,
              "Time: \"90\" is not a duration like 50:00 or 1:05:00 (minutes and seconds below "
              "60).");
}

} // namespace
