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
    DateUtility dates;
};

TEST_F(DayFormTest, EmptyBoxesGiveTheBlankDay) {
    EXPECT_TRUE(Read(DayForm{}).SameContent(DayRecord::Blank(20260105)));
}

// Numbers are read from their leading characters (six, the calories four), durations whole
// and counted from the minutes.
TEST_F(DayFormTest, BoxesAreReadFromTheirLeadingCharacters) {
    DayForm form;
    form.boxes[DayForm::kDistance] = "12.345";
    form.boxes[DayForm::kTime] = "45";
    form.boxes[DayForm::kPace] = "1:30";
    form.boxes[DayForm::kCalories] = "12345";
    form.boxes[DayForm::kRestHeartRate] = "  58 bpm";
    form.boxes[DayForm::kMaxHeartRate] = "172";
    form.boxes[DayForm::kTemperature] = "-7";
    form.boxes[DayForm::kBodyWeight] = "1234.567";
    form.boxes[DayForm::kWaterUsed] = "1.5";
    form.boxes[DayForm::kHoursSlept] = "7.5h";
    form.boxes[DayForm::kSpeed] = "abc";
    const DayRecord r = Read(form);
    EXPECT_EQ(r.distance, 12.345F);
    EXPECT_EQ(r.time, 2700);
    EXPECT_EQ(r.pace, 90);
    EXPECT_EQ(r.calories, 1234);
    EXPECT_EQ(r.restHeartRate, 58);
    EXPECT_EQ(r.maxHeartRate, 172);
    EXPECT_EQ(r.temperature, -7);
    EXPECT_EQ(r.bodyWeight, 1234.5F);
    EXPECT_EQ(r.waterUsed, 1.5F);
    EXPECT_EQ(r.hoursSlept, 7.5F);
    EXPECT_EQ(r.speed, 0.0F);
}

TEST_F(DayFormTest, ZerosAndMarksAreShownAndReadBack) {
    DayRecord r = DayRecord::Blank(20260105);
    r.time = 2700;
    r.competition = 'Y';
    r.difficulty = 'H';
    r.maxHeartRate = 7;
    const DayForm f = DayForm::Show(r, dates);
    EXPECT_EQ(f.boxes[DayForm::kDistance], "0.00");
    EXPECT_EQ(f.boxes[DayForm::kTime], "00:45:00");
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

// What the user did not change keeps its stored value, whatever its box can show.
TEST_F(DayFormTest, OnlyTheTextsTheUserChangedAreRead) {
    DayRecord stored = DayRecord::Blank(20260105);
    stored.distance = 1234.56F; // shown "1234.56", read back from six characters as 1234.5
    stored.calories = 12345;    // shown "12345", read from four characters as 1234
    stored.time = 216000;       // 60 hours: "60:00:00" reads back as 0
    stored.speed = 12.345F;
    stored.competition = 'Y';
    std::memset(stored.comments, 'c', 255);
    const DayForm shown = DayForm::Show(stored, dates);
    EXPECT_EQ(shown.boxes[DayForm::kSpeed], "12.35");

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
}

// Every text the user may type is either read whole or refused with a message that names
// the box, repeats the text and says what the box takes.
TEST_F(DayFormTest, TextsThatDoNotReadWholeAreRefused) {
    const struct {
        DayForm::Box box;
        const char* typed;
        const char* refusal; // empty: read whole
    } cases[] = {
        {DayForm::kDistance, "8,2", "Distance: \"8,2\" is not a number like 8.2."},
        {DayForm::kDistance, "0.000.4", "Distance: \"0.000.4\" is not a number like 8.2."},
        {DayForm::kDistance, "1234.567",
         "Distance: \"1234.567\" is longer than this box takes: at most 6 characters, like "
         "8.2."},
        {DayForm::kDistance, "12.345", ""},
        {DayForm::kDistance, "12.5 ", ""},
        {DayForm::kDistance, "", ""},
        {DayForm::kSpeed, "abc", "Speed: \"abc\" is not a number like 12.5."},
        {DayForm::kSpeed, "1e39", "Speed: \"1e39\" is larger than this box can hold."},
        {DayForm::kBodyWeight, "1.2.3", "Body Weight: \"1.2.3\" is not a number like 70.5."},
        {DayForm::kHoursSlept, "7.5h", "Hours Slept: \"7.5h\" is not a number like 7.5."},
        {DayForm::kTime, "44.10",
         "Time: \"44.10\" is not a duration like 50:00 or 1:05:00 (minutes and seconds below "
         "60)."},
        {DayForm::kPace, "7:75:00",
         "Pace: \"7:75:00\" is not a duration like 5:30 or 0:05:30 (minutes and seconds below "
         "60)."},
        {DayForm::kTime, "50:00", ""},
        {DayForm::kCalories, "12345",
         "Total Calories: \"12345\" is longer than this box takes: at most 4 characters, like "
         "2400."},
        {DayForm::kCalories, "2400", ""},
        {DayForm::kMaxHeartRate, "172.5", "Max H. Rate: \"172.5\" is not a whole number like 172."},
        {DayForm::kTemperature, "-7", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayForm::Refusal(c.box, c.typed, dates), c.refusal) << c.typed;
    }
}

// Only what the user changed is checked: a stored value that its box cannot read back
// (seven characters of distance) is kept, and the first changed box that is refused is named.
TEST_F(DayFormTest, OnlyChangedBoxesAreChecked) {
    DayRecord stored = DayRecord::Blank(20260105);
    stored.distance = 1234.56F;
    const DayForm shown = DayForm::Show(stored, dates);
    DayForm typed = shown;
    std::string problem;
    EXPECT_EQ(typed.FirstRefused(shown, dates, problem), -1);
    typed.boxes[DayForm::kCalories] = "abc";
    typed.boxes[DayForm::kTime] = "90";
    EXPECT_EQ(typed.FirstRefused(shown, dates, problem), DayForm::kTime);
    EXPECT_EQ(problem,
              "Time: \"90\" is not a duration like 50:00 or 1:05:00 (minutes and seconds below "
              "60).");
}

} // namespace
