// The profile kept in the activities file, the text a user may give for it, and the load read
// from a logbook on disk with its activities file.

#include "load/LoadProfile.h"
#include "load/LoadWords.h"
#include "load/TrainingLoad.h"
#include "store/ActivityStore.h"
#include "store/LogBookDatabase.h"

#include "store/LogbookFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TextCase {
    const char* text;
    bool read;
    int value;
};

TEST(LoadProfileTextTest, OnlyWholeNumbersInRangeAreRead) {
    const TextCase cases[] = {
        {"185", true, 185}, {" 185 ", true, 185}, {"+185", true, 185},
        {"185x", false, 0}, {"18 5", false, 0},   {"185.0", false, 0},
        {"", false, 0},     {"abc", false, 0},    {"99", false, 0},
        {"241", false, 0},  {"-150", false, 0},   {"99999999999999999999", false, 0},
    };
    for (const TextCase& c : cases) {
        int value = 0;
        EXPECT_EQ(LoadProfile::ReadWhole(c.text, 100, 240, value), c.read) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(LoadProfileTextTest, ARefusedFieldLeavesTheProfileAsItWas) {
    LoadProfile profile;
    std::string why;
    ASSERT_TRUE(profile.SetMaxHeartRate("188", why));
    EXPECT_FALSE(profile.SetMaxHeartRate("18a", why));
    EXPECT_EQ(why, "The maximum heart rate must be a whole number from 100 to 240");
    EXPECT_EQ(profile.maxHeartRate, 188);
    EXPECT_FALSE(profile.SetSex("x", why));
    EXPECT_EQ(why, "The sex must be m, f or unset");
    ASSERT_TRUE(profile.SetSex("F", why));
    EXPECT_EQ(profile.sex, Sex::Female);
    EXPECT_FALSE(profile.SetStartFitness("12.5", why));
    EXPECT_EQ(profile.startFitness, 0);
    // The time constants: 1 to 365 days, fatigue the shorter; empty goes back to 42 and 7.
    ASSERT_TRUE(profile.SetFitnessDays("28", why));
    EXPECT_FALSE(profile.SetFatigueDays("0", why));
    EXPECT_EQ(why, "The fatigue days must be a whole number from 1 to 365");
    EXPECT_FALSE(profile.SetFitnessDays("366", why));
    ASSERT_TRUE(profile.SetFatigueDays("28", why));
    EXPECT_EQ(profile.DaysConflict(), "The fatigue days must be fewer than the fitness days");
    ASSERT_TRUE(profile.SetFitnessDays("", why));
    ASSERT_TRUE(profile.SetFatigueDays(" ", why));
    EXPECT_EQ(profile.fitnessDays, 42);
    EXPECT_EQ(profile.fatigueDays, 7);
    EXPECT_EQ(profile.DaysConflict(), "");
    ASSERT_TRUE(profile.SetRestHeartRate("120", why));
    ASSERT_TRUE(profile.SetMaxHeartRate("110", why));
    EXPECT_EQ(profile.Conflict(185, 60),
              "The resting heart rate must be below the maximum heart rate");
    // An unset figure is the log's: 120 resting against the log's 118.
    profile.maxHeartRate.reset();
    EXPECT_NE(profile.Conflict(118, 60), "");
    EXPECT_EQ(profile.Conflict(185, 60), "");
    ASSERT_TRUE(profile.SetMaxHeartRate("  ", why));
    EXPECT_FALSE(profile.maxHeartRate.has_value());
}

class LoadFilesTest : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        logbook = Path("log.vrl");
    }
    void OpenLogbook() {
        db = std::make_unique<LogBookDatabase>(reporter, dates);
        ASSERT_EQ(db->Open(logbook), LogBookDatabase::OpenResult::Opened);
    }
    // Activities as an import stores them.
    void Import(std::vector<ActivityRow> rows) {
        ActivityStore store;
        store.Open(*db, true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }
    static ActivityRow Run(std::int32_t key, int minutes, int average, int max) {
        ActivityRow row;
        row.day = key;
        row.start = 1767261600 + (key % 100) * 86400;
        row.sport = "Running";
        row.movingSeconds = minutes * 60;
        row.elapsedSeconds = minutes * 60;
        row.avgHeartRate = average;
        row.maxHeartRate = max;
        row.file = "run" + std::to_string(key) + ".fit";
        row.fileHash = static_cast<std::uint64_t>(key);
        return row;
    }
    RecordingReporter reporter;
    DateUtility dates;
    std::unique_ptr<LogBookDatabase> db;
    std::string logbook;
};

TEST_F(LoadFilesTest, TheProfileIsKeptAndGarbageReadsAsUnset) {
    MakeLogbook(logbook, {Day(20260101).Time(1800)});
    OpenLogbook();
    LoadProfile profile;
    profile.maxHeartRate = 191;
    profile.sex = Sex::Male;
    profile.startFitness = 25;
    {
        ActivityStore store;
        store.Open(*db, true);
        ASSERT_TRUE(profile.Store(store).Ok());
        ASSERT_TRUE(store.SetSetting(LoadProfile::kRestHeartRateName, "55 bpm").Ok());
    }
    ActivityStore store;
    ASSERT_TRUE(store.Open(*db, false).Ok());
    const LoadProfile read = LoadProfile::Read(store);
    EXPECT_EQ(read.maxHeartRate, 191);
    EXPECT_FALSE(read.restHeartRate.has_value());
    EXPECT_EQ(read.sex, Sex::Male);
    EXPECT_EQ(read.startFitness, 25);
    EXPECT_EQ(read.fitnessDays, 42);
    EXPECT_EQ(read.fatigueDays, 7);
}

// Days typed and imported through the files give the series' figures: the typed easy day of
// 45 minutes, male, 45 x 0.5 x 0.64 x e^0.96 = 37.6; the imported run of 60 minutes at 150
// with the profile's 190 and 50, 108.1 (as in TrainingLoadTest). Resting 50 is the log's.
TEST_F(LoadFilesTest, TypedAndImportedDaysAreReadFromTheLogbookAndItsActivities) {
    MakeLogbook(logbook, {Day(20260101).Time(3600), Day(20260102).Time(2700).Difficulty('E'),
                          Day(20260103).RestHeartRate(50)});
    OpenLogbook();
    Import({Run(20260101, 60, 150, 175)});
    {
        ActivityStore store;
        store.Open(*db, true);
        ASSERT_TRUE(store.SetSetting(LoadProfile::kMaxHeartRateName, "190").Ok());
        ASSERT_TRUE(store.SetSetting(LoadProfile::kSexName, "male").Ok());
    }
    TrainingLoad load;
    ASSERT_TRUE(load.Read(*db, 20260103, 20260103));
    EXPECT_EQ(load.Problem(), "");
    EXPECT_EQ(load.Rates().rest, 50);
    EXPECT_EQ(load.Rates().restSource, TrainingLoad::Source::Log);
    EXPECT_EQ(load.Rates().maxSource, TrainingLoad::Source::Profile);
    ASSERT_EQ(load.Days().size(), 3U);
    EXPECT_EQ(LoadWords::Number(load.Days()[0].load, 1), "108.1");
    EXPECT_FALSE(load.Days()[0].estimated);
    EXPECT_EQ(LoadWords::Number(load.Days()[1].load, 1), "37.6");
    EXPECT_TRUE(load.Days()[1].estimated);
    EXPECT_EQ(load.Days()[2].load, 0.0);
}

// Without a profile the log's highest maximum (175 of the run) is used: x = 100 / 125 = 0.8,
// unset weighting, 60 x 0.8 x 0.725 = 34.8, x e^1.436 = 4.2037: 146.3.
TEST_F(LoadFilesTest, WithoutAProfileTheLogGivesTheHeartRates) {
    MakeLogbook(logbook, {Day(20260101).Time(3600).RestHeartRate(50)});
    OpenLogbook();
    Import({Run(20260101, 60, 150, 175)});
    TrainingLoad load;
    ASSERT_TRUE(load.Read(*db, 20260101, 20260101));
    EXPECT_EQ(load.Rates().max, 175);
    ASSERT_EQ(load.Days().size(), 1U);
    EXPECT_EQ(LoadWords::Number(load.Days()[0].load, 1), "146.3");
}

// A day erased in the Log Book takes its activities' load with it: only the run of the 2nd,
// whose day is live, counts (unset sex, 190 and 50 from the profile: 112.0 as in the script).
TEST_F(LoadFilesTest, AnErasedDayCountsNothing) {
    MakeLogbook(logbook, {Day(20260101).Time(3600).Erased(), Day(20260102).Time(3600)});
    OpenLogbook();
    Import({Run(20260101, 60, 150, 175), Run(20260102, 60, 150, 175)});
    {
        ActivityStore store;
        store.Open(*db, true);
        ASSERT_TRUE(store.SetSetting(LoadProfile::kMaxHeartRateName, "190").Ok());
        ASSERT_TRUE(store.SetSetting(LoadProfile::kRestHeartRateName, "50").Ok());
    }
    TrainingLoad load;
    ASSERT_TRUE(load.Read(*db, 20260102, 20260102));
    ASSERT_EQ(load.Days().size(), 1U);
    EXPECT_EQ(load.Days()[0].key, 20260102);
    EXPECT_EQ(LoadWords::Number(load.Days()[0].load, 1), "112.0");
}

} // namespace
