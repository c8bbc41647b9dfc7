// veloria-logbook load: the Training Load window's figures per day, and the profile set.
#include "ToolFixture.h"

#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LoadCommandTest : public LogBookToolTest {
protected:
    // The first days of tests/load/load_reference.py's series: a run of 60 minutes at 150
    // imported on 1 January 2026 (the day also typed with an hour, which the run replaces),
    // an easy 45 minutes typed on the 2nd, nothing on the 3rd. Today's resting 50 and maximum
    // 176 are what the log gives whenever the test runs.
    void SetUp() override {
        LogBookToolTest::SetUp();
        DateValue today;
        DateUtility().Today(today);
        MakeLogbook(Path("log.vrl"),
                    {Day(20260101).Time(3600), Day(20260102).Time(2700).Difficulty('E'),
                     Day(Key(today)).RestHeartRate(50).MaxHeartRate(176)});
        Holder holder(Path("log.vrl"));
        ActivityRow run;
        run.day = 20260101;
        run.start = 1767258000;
        run.sport = "Running";
        run.movingSeconds = 3600;
        run.elapsedSeconds = 3700;
        run.avgHeartRate = 150;
        run.maxHeartRate = 176;
        run.file = "run.fit";
        std::vector<ActivityRow> rows{run};
        ActivityStore store;
        store.Open(holder.db, true);
        ASSERT_TRUE(store.Change({}, rows, "km").Ok());
    }
    std::string Csv() {
        EXPECT_EQ(Run("load @log.vrl --from 2026-01-01 --to 2026-01-03 --csv"), 0) << err;
        return out;
    }
};

// The script's lines for days 1 to 3, male, 190 and 50.
TEST_F(LoadCommandTest, PrintsTheReferenceFiguresOnceTheProfileIsSet) {
    ASSERT_EQ(Run("load @log.vrl --hr-max 190 --sex m"), 0) << err;
    EXPECT_EQ(out, "The profile was stored. Maximum heart rate 190, resting 50 (from your log), "
                   "sex male, starting fitness 0, fitness over 42 days, fatigue over 7 days\n");
    EXPECT_EQ(Csv(), "date,load,fitness,fatigue,form,acwr,band,ramp,monotony,strain,estimated,"
                     "building_up\n"
                     "2026-01-01,108.1,2.5,14.4,0.0,5.66,high,2.5,0.41,44,no,yes\n"
                     "2026-01-02,37.6,3.4,17.5,-11.8,5.19,high,3.4,0.55,80,yes,yes\n"
                     "2026-01-03,0.0,3.3,15.2,-14.1,4.61,high,3.3,0.55,80,no,yes\n");
    ASSERT_EQ(Run("load @log.vrl --from 2026-01-02 --to 2026-01-03"), 0) << err;
    EXPECT_EQ(out,
              "Maximum heart rate 190, resting 50 (from your log), sex male, starting fitness 0, "
              "fitness over 42 days, fatigue over 7 days\n"
              "date          load  fitness  fatigue    form  ACWR          ramp  monotony   "
              "strain\n"
              "2026-01-02    37.6      3.4     17.5   -11.8  5.19 high       3.4      0.55       "
              "80  estimated  building up\n"
              "2026-01-03     0.0      3.3     15.2   -14.1  4.61 high       3.3      0.55       "
              "80  building up\n"
              "Fitness 3.3  Fatigue 15.2  Form \u221214: tired  Ramp +3/week  ACWR 4.61: high  "
              "Monotony 0.55, strain 80\n");
    // --range all: from the first day with an entry, 2026-01-01, to the last, today.
    ASSERT_EQ(Run("load @log.vrl --range all --csv"), 0) << err;
    EXPECT_EQ(out.substr(out.find('\n') + 1, 16), "2026-01-01,108.1");
}

// Shorter time constants, day 1's load 108.095: fitness 108.095 x (1 - e^(-1/10) = 0.095163)
// = 10.287, fatigue 108.095 x (1 - e^(-1/2) = 0.393469) = 42.532, ACWR 42.532 / 10.287 = 4.13;
// the first 10 days build up.
TEST_F(LoadCommandTest, TheTimeConstantsAreTheUsers) {
    ASSERT_EQ(Run("load @log.vrl --hr-max 190 --sex m --fitness-days 10 --fatigue-days 2"), 0)
        << err;
    EXPECT_TRUE(Holds(out, "fitness over 10 days, fatigue over 2 days\n"));
    EXPECT_TRUE(Holds(Csv(), "\n2026-01-01,108.1,10.3,42.5,0.0,4.13,high,10.3,0.41,44,no,yes\n"));
    ASSERT_EQ(Run("load @log.vrl --fitness-days unset --fatigue-days unset"), 0) << err;
    EXPECT_TRUE(Holds(Csv(), "\n2026-01-01,108.1,2.5,14.4,"));
}

// Without a profile, today's 176 is the maximum: x = 100 / 126 = 0.793651, unset weighting,
// 60 x 0.793651 x 0.725 x e^(1.795 x 0.793651 = 1.424603) = 34.523810 x 4.156395 = 143.49.
TEST_F(LoadCommandTest, UnsetValuesGoBackToTheLog) {
    ASSERT_EQ(Run("load @log.vrl --hr-max 190 --hr-rest 40 --sex f --start-fitness 10"), 0) << err;
    ASSERT_EQ(Run("load @log.vrl --hr-max unset --hr-rest unset --sex unset --start-fitness unset"),
              0)
        << err;
    EXPECT_EQ(out, "The profile was stored. Maximum heart rate 176 (from your log), resting 50 "
                   "(from your log), sex unset, starting fitness 0, fitness over 42 days, "
                   "fatigue over 7 days\n");
    EXPECT_TRUE(Holds(Csv(), "\n2026-01-01,143.5,"));
}

struct Refusal {
    const char* line;
    int status;
    const char* said;
};

TEST_F(LoadCommandTest, RefusedProfilesChangeNothing) {
    ASSERT_EQ(Run("load @log.vrl --hr-max 190 --sex m"), 0) << err;
    const std::string before = Csv();
    const Refusal cases[] = {
        {"load @log.vrl --hr-max 18x", 2, "The maximum heart rate must be a whole number"},
        {"load @log.vrl --hr-rest 50.5", 2, "The resting heart rate must be a whole number"},
        {"load @log.vrl --sex x", 2, "The sex must be m, f or unset"},
        {"load @log.vrl --start-fitness -3", 2, "The starting fitness must be a whole number"},
        {"load @log.vrl --fitness-days 0", 2, "The fitness days must be a whole number"},
        {"load @log.vrl --fatigue-days 42", 1,
         "The fatigue days must be fewer than the fitness days; the profile was not changed"},
        {"load @log.vrl --hr-max 110 --hr-rest 115", 1,
         "The resting heart rate must be below the maximum heart rate; the profile was not "
         "changed"},
        {"load @log.vrl --hr-max 180 --csv", 2, "set the profile and print no days"},
        {"load @missing.vrl --hr-max 180", 1, "no such logbook"},
        {"load @log.vrl --from 2026-01-03 --to 2026-01-01", 2, "--from is after --to"},
    };
    for (const Refusal& r : cases) {
        EXPECT_EQ(Run(r.line), r.status) << r.line;
        EXPECT_TRUE(Holds(err, r.said)) << r.line;
    }
    EXPECT_EQ(Csv(), before);
}

TEST_F(LoadCommandTest, ALogbookOpenElsewhereKeepsItsProfile) {
    {
        Holder holder(Path("log.vrl"));
        EXPECT_EQ(Run("load @log.vrl --hr-max 170"), 1);
        EXPECT_TRUE(Holds(err, "in use by another program")) << err;
    }
    ASSERT_EQ(Run("load @log.vrl --sex m"), 0) << err;
    EXPECT_TRUE(Holds(out, "Maximum heart rate 176 (from your log)"));
}

} // namespace
