// The training load's arithmetic against figures worked out apart from the program: a fixed
// series of typed and imported days, with and without heart rate, whose expected lines come
// from load_reference.py beside this file (its own arithmetic, not the program's).

#include "load/TrainingLoad.h"
#include "load/LoadWords.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

class TrainingLoadSeriesTest : public ::testing::Test {
protected:
    // The series of load_reference.py, January 2026: typed days carry their difficulty and
    // time, imported days their activities (the last heart rate 0 for none).
    void SetUp() override {
        Typed(20260102, 'E', 45);
        Typed(20260104, 'H', 0);
        Activity(20260101, 60, 150);
        Activity(20260104, 90, 130);
        Activity(20260104, 30, 0);
        Activity(20260105, 20, 200);
        Typed(20260106, 'M', 30);
        Activity(20260107, 60, 40);
        Typed(20260108, 0, 40);
        Activity(20260110, 60, 150);
        profile.maxHeartRate = 190;
        profile.restHeartRate = 50;
    }
    void Typed(std::int32_t key, char difficulty, int minutes) {
        DayRecord day = DayRecord::Blank(key);
        day.difficulty = difficulty;
        day.time = minutes * 60;
        days.push_back(day);
    }
    // An imported activity, on a day the logbook holds as an import leaves it.
    void Activity(std::int32_t key, int minutes, int averageHeartRate) {
        if (std::none_of(days.begin(), days.end(),
                         [key](const DayRecord& d) { return d.dateKey == key; })) {
            days.push_back(DayRecord::Blank(key));
        }
        ActivityRow row;
        row.day = key;
        row.sport = "Running";
        row.movingSeconds = minutes * 60;
        row.avgHeartRate = averageHeartRate;
        activities.push_back(row);
    }
    // The days' CSV lines from first to last, as the load command prints them.
    std::vector<std::string> Lines(std::int32_t first, std::int32_t last) {
        TrainingLoad load;
        load.Compute(days, activities, profile, 20260114, 20260114);
        std::vector<std::string> lines;
        for (const LoadDay& day : load.Range(first, last)) {
            lines.push_back(LoadWords::Line(day, true));
        }
        return lines;
    }
    std::vector<DayRecord> days;
    std::vector<ActivityRow> activities;
    LoadProfile profile;
};

// 2026-01-01, male: x = (150 - 50) / (190 - 50) = 0.714286, 60 x 0.714286 x 0.64 x
// e^(1.92 x 0.714286 = 1.371429) = 27.428571 x 3.940779 = 108.09; fitness 108.09 x (1 -
// e^(-1/42) = 0.023528) = 2.54; fatigue 108.09 x (1 - e^(-1/7) = 0.133122) = 14.39; ACWR
// 14.39 / 2.54 = 5.66; form the day before, 0. Monotony: loads 0,0,0,0,0,0,108.09: mean
// 15.44, sd 37.83, 0.41; strain 108.09 x 0.41 = 44. The other lines from the script.
TEST_F(TrainingLoadSeriesTest, MaleSeriesMatchesTheReferenceToThePrintedDecimals) {
    profile.sex = Sex::Male;
    const std::vector<std::string> expected = {
        "2026-01-01,108.1,2.5,14.4,0.0,5.66,high,2.5,0.41,44,no,yes\n",
        "2026-01-02,37.6,3.4,17.5,-11.8,5.19,high,3.4,0.55,80,yes,yes\n",
        "2026-01-03,0.0,3.3,15.2,-14.1,4.61,high,3.3,0.55,80,no,yes\n",
        "2026-01-04,182.1,7.5,37.4,-11.9,4.99,high,7.5,0.70,231,yes,yes\n",
        "2026-01-05,87.3,9.4,44.0,-29.9,4.70,high,9.4,0.92,381,no,yes\n",
        "2026-01-06,51.5,10.4,45.0,-34.6,4.34,high,10.4,1.11,516,yes,yes\n",
        "2026-01-07,0.0,10.1,39.0,-34.7,3.86,high,10.1,1.11,516,no,yes\n",
        "2026-01-08,68.7,11.5,43.0,-28.9,3.74,high,9.0,1.05,450,yes,yes\n",
        "2026-01-09,0.0,11.2,37.3,-31.5,3.32,high,7.9,0.91,353,no,yes\n",
        "2026-01-10,108.1,13.5,46.7,-26.0,3.46,high,10.2,1.20,599,no,yes\n",
        "2026-01-11,0.0,13.2,40.5,-33.2,3.07,high,5.7,1.07,337,no,yes\n",
        "2026-01-12,0.0,12.9,35.1,-27.3,2.72,high,3.5,0.80,183,no,yes\n",
        "2026-01-13,0.0,12.6,30.4,-22.2,2.42,high,2.2,0.61,108,no,yes\n",
        "2026-01-14,0.0,12.3,26.4,-17.8,2.15,high,2.2,0.61,108,no,yes\n",
    };
    EXPECT_EQ(Lines(20260101, 20260114), expected);
}

// The weighting by sex moves every figure; the script's lines for days 4 and 14.
TEST_F(TrainingLoadSeriesTest, FemaleAndUnsetWeightingsMatchTheReference) {
    profile.sex = Sex::Female;
    EXPECT_EQ(Lines(20260104, 20260104),
              std::vector<std::string>{
                  "2026-01-04,205.5,8.5,42.4,-13.6,4.98,high,8.5,0.71,263,yes,yes\n"});
    EXPECT_EQ(
        Lines(20260114, 20260114),
        std::vector<std::string>{"2026-01-14,0.0,13.7,29.5,-19.9,2.15,high,2.4,0.61,122,no,yes\n"});
    profile.sex = Sex::Unset;
    EXPECT_EQ(Lines(20260104, 20260104),
              std::vector<std::string>{
                  "2026-01-04,189.0,7.8,38.9,-12.4,4.99,high,7.8,0.71,241,yes,yes\n"});
}

// A starting fitness of 30 seeds fitness, not fatigue: form on the first day is 30 - 0; fitness
// 30 + (108.09 - 30) x 0.023528 = 31.84; ramp against the seed, 1.84; ACWR 14.39 / 31.84.
TEST_F(TrainingLoadSeriesTest, StartingFitnessSeedsFitnessAndTheRamp) {
    profile.sex = Sex::Male;
    profile.startFitness = 30;
    EXPECT_EQ(
        Lines(20260101, 20260101),
        std::vector<std::string>{"2026-01-01,108.1,31.8,14.4,30.0,0.45,low,1.8,0.41,44,no,yes\n"});
}

// Day 43 of the log is the first past building up; every day in between is there with 0.
TEST_F(TrainingLoadSeriesTest, TheFirstFortyTwoDaysAreBuildingUpAndGapsAreZero) {
    TrainingLoad load;
    load.Compute(days, activities, profile, 20260301, 20260301);
    ASSERT_EQ(load.Days().size(), 31U + 28U + 1U);
    EXPECT_TRUE(load.Range(20260211, 20260211)[0].buildingUp);  // day 42
    EXPECT_FALSE(load.Range(20260212, 20260212)[0].buildingUp); // day 43
    EXPECT_EQ(load.Range(20260120, 20260120)[0].load, 0.0);
    EXPECT_EQ(load.Range(20251201, 20251231).size(), 0U);
}

// Seven equal loads do not vary: no monotony, no strain, said with a dash.
TEST(LoadModelTest, AWeekOfEqualLoadsHasNoMonotony) {
    std::vector<DailyLoad> loads;
    for (int d = 1; d <= 7; ++d) {
        loads.push_back({20260100 + d, 50.1, false});
    }
    const std::vector<LoadDay> days = LoadModel().Run(loads, 20260107);
    ASSERT_EQ(days.size(), 7U);
    EXPECT_FALSE(days[6].monotony.has_value());
    EXPECT_EQ(LoadWords::Monotony(days[6]), "Monotony \u2014");
    EXPECT_TRUE(days[5].monotony.has_value()); // a 0 from before the log still in the week
}

TEST(LoadModelTest, NoRatioWhileFitnessIsZero) {
    const std::vector<LoadDay> days = LoadModel().Run({{20260101, 0, false}}, 20260101);
    ASSERT_EQ(days.size(), 1U);
    EXPECT_FALSE(days[0].acwr.has_value());
    EXPECT_EQ(LoadWords::Acwr(days[0]), "ACWR \u2014");
    EXPECT_EQ(LoadWords::Line(days[0], true), "2026-01-01,0.0,0.0,0.0,0.0,,,0.0,,,no,yes\n");
}

struct ImpulseCase {
    const char* name;
    double minutes;
    int average;
    Sex sex;
    double expected;
};

// 60 minutes at half the reserve: male 60 x 0.5 x 0.64 x e^0.96 = 50.145; female 60 x 0.5 x
// 0.86 x e^0.835 = 59.464; unset 60 x 0.5 x 0.725 x e^0.8975 = 53.363. Above the maximum
// counts as the whole reserve: 60 x 0.64 x e^1.92 = 261.925; below rest as none.
TEST(TrainingImpulseTest, WeightingsAndLimitsOfTheReserve) {
    const ImpulseCase cases[] = {
        {"male half", 60, 120, Sex::Male, 50.145},
        {"female half", 60, 120, Sex::Female, 59.464},
        {"unset half", 60, 120, Sex::Unset, 53.363},
        {"above the maximum", 60, 230, Sex::Male, 261.925},
        {"below rest", 60, 40, Sex::Male, 0},
    };
    for (const ImpulseCase& c : cases) {
        const double x = TrainingImpulse::Reserve(c.average, 50, 190);
        EXPECT_NEAR(TrainingImpulse::Of(c.minutes, x, c.sex), c.expected, 0.001) << c.name;
    }
    EXPECT_EQ(TrainingImpulse::Reserve(150, 180, 170), 0.0);
}

// The reserve guessed from the difficulty: hard 0.85, 30 minutes, male: 30 x 0.85 x 0.64 x
// e^1.632 = 83.462; no difficulty counts as moderate.
TEST(TrainingImpulseTest, DifficultyGivesTheGuessedReserve) {
    EXPECT_NEAR(TrainingImpulse::Of(30, TrainingImpulse::ReserveOfDifficulty('H'), Sex::Male),
                83.462, 0.001);
    // Easy, 45 minutes: 45 x 0.5 x 0.64 x e^0.96 = 37.608; none as moderate:
    // 10 x 0.7 x 0.64 x e^1.344 = 17.178.
    EXPECT_NEAR(TrainingImpulse::Of(45, TrainingImpulse::ReserveOfDifficulty('E'), Sex::Male),
                37.608, 0.001);
    EXPECT_NEAR(TrainingImpulse::Of(10, TrainingImpulse::ReserveOfDifficulty(0), Sex::Male), 17.178,
                0.001);
}

struct BandCase {
    double value;
    const char* expected;
};

TEST(LoadWordsTest, FormBandsByTheWholeNumberShown) {
    const BandCase cases[] = {{25.4, "fresh"},  {25.5, "very fresh"}, {5.4, "neutral"},
                              {5.5, "fresh"},   {-10.4, "neutral"},   {-10.5, "tired"},
                              {-30.4, "tired"}, {-30.5, "very tired"}};
    for (const BandCase& c : cases) {
        EXPECT_STREQ(LoadWords::FormBand(c.value), c.expected) << c.value;
    }
    LoadDay day;
    day.form = -17.6;
    day.ramp = 5.5;
    EXPECT_EQ(LoadWords::Form(day), "Form \u221218: tired");
    EXPECT_EQ(LoadWords::Ramp(day), "Ramp +6/week");
    day.form = 0.3;
    day.ramp = -0.2;
    EXPECT_EQ(LoadWords::Form(day), "Form 0: neutral");
    EXPECT_EQ(LoadWords::Ramp(day), "Ramp +0/week");
}

TEST(LoadWordsTest, RatioBandsByTheTwoDecimalsShown) {
    const BandCase cases[] = {
        {0.794, "low"}, {0.795, "steady"}, {1.304, "steady"}, {1.305, "high"}, {1.0, "steady"}};
    for (const BandCase& c : cases) {
        EXPECT_STREQ(LoadWords::AcwrBand(c.value), c.expected) << c.value;
    }
    EXPECT_STREQ(LoadWords::AcwrBand(std::nullopt), "");
}

class HeartRatesTest : public ::testing::Test {
protected:
    static DayRecord Day(std::int32_t key, int rest, int max) {
        DayRecord day = DayRecord::Blank(key);
        day.restHeartRate = rest;
        day.maxHeartRate = max;
        return day;
    }
    static ActivityRow Ride(std::int32_t key, int max) {
        ActivityRow row;
        row.day = key;
        row.maxHeartRate = max;
        return row;
    }
    static constexpr std::int32_t kToday = 20261208;
};

// 12 months are today and the 364 days before (from 2025-12-09); 90 days from 2026-09-10.
TEST_F(HeartRatesTest, TheLogGivesTheMaximumOfAYearAndTheLowestRestOfNinetyDays) {
    const std::vector<DayRecord> days = {
        Day(20251208, 0, 201),  // a year and a day ago: too old
        Day(20251209, 41, 188), // the year's first day; rest too old
        Day(20260910, 52, 150), // the first of the 90 days
        Day(20261201, 0, 170),  // no rest given
        Day(20261209, 30, 220), // tomorrow does not count
    };
    const std::vector<ActivityRow> activities = {Ride(20261001, 193), Ride(20251101, 199)};
    const TrainingLoad::HeartRates rates =
        TrainingLoad::RatesFor(LoadProfile{}, days, activities, kToday);
    EXPECT_EQ(rates.max, 193);
    EXPECT_EQ(rates.rest, 52);
    EXPECT_EQ(rates.maxSource, TrainingLoad::Source::Log);
    EXPECT_EQ(rates.restSource, TrainingLoad::Source::Log);

    LoadProfile set;
    set.maxHeartRate = 180;
    const TrainingLoad::HeartRates chosen = TrainingLoad::RatesFor(set, days, {}, kToday);
    EXPECT_EQ(chosen.max, 180);
    EXPECT_EQ(chosen.maxSource, TrainingLoad::Source::Profile);

    const TrainingLoad::HeartRates none = TrainingLoad::RatesFor(LoadProfile{}, {}, {}, kToday);
    EXPECT_EQ(none.max, 185);
    EXPECT_EQ(none.rest, 60);
    EXPECT_EQ(none.maxSource, TrainingLoad::Source::Assumed);
}

} // namespace
