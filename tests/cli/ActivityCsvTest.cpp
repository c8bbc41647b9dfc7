// The activities as CSV and back: activities --csv imported into another logbook gives the
// same lines, a CSV of activities is stored as activity files are (one given twice or
// stored already left out, a typed day held back, --dry-run) and only when every row reads;
// the Log Book's line per day (--days) and the default sport on the command line.

#include "ToolFixture.h"
#include "activities/FitWriter.h"
#include "activities/LocalZone.h"
#include "store/ActivityStore.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMorning = 1141282800; // 2026-03-01 07:00:00 UTC as FIT counts

constexpr const char* kColumns =
    "date,start,sport,distanceKm,movingTime,avgHeartRate,maxHeartRate,calories,file\n";
// The morning's 10 km run in 50 minutes, the evening's 30 km ride in an hour (its file's
// name quoted for its comma and quotes), and a 5 km run whose file says it ran at 08:30 in
// UTC+9: the next day there, 23:30 on this machine's UTC clock.
constexpr const char* kRun = "2026-03-01,07:00,Running,10.00,00:50:00,150,175,650,run.fit\n";
constexpr const char* kRide =
    "2026-03-01,17:00,Cycling,30.00,01:00:00,130,160,800,\"ride, \"\"hard\"\".fit\"\n";
constexpr const char* kAway = "2026-03-02,23:30,Running,5.00,00:30:00,140,160,300,away.fit\n";

class ActivityCsvTest : public LogBookToolTest {
protected:
    // A FIT file of one session, its local time offset seconds from UTC:
    // {start, sport (1 running, 2 cycling), timer ms, centimetres, kcal, avg HR, max HR}.
    void Fit(const std::string& name, const FitWriter::Session& session, std::int64_t offset = 0) {
        Write(Path(name),
              FitWriter()
                  .FileId(4)
                  .Sessions({session})
                  .ActivityMessage(session.start + 3600,
                                   static_cast<std::uint64_t>(
                                       static_cast<std::int64_t>(session.start) + 3600 + offset))
                  .Bytes());
    }
    // a.vrl with the three activities of kRun, kRide and kAway.
    void ThreeActivities() {
        Fit("run.fit", {kMorning, 1, 3000000, 1000000, 650, 150, 175});
        Fit("ride, \"hard\".fit", {kMorning + 10 * 3600, 2, 3600000, 3000000, 800, 130, 160});
        Fit("away.fit", {kMorning + 16 * 3600 + 1800, 1, 1800000, 500000, 300, 140, 160}, 9 * 3600);
        ASSERT_EQ(Run({"import", Path("a.vrl"), Path("run.fit"), Path("ride, \"hard\".fit"),
                       Path("away.fit")}),
                  0)
            << err;
    }
    std::string Csv(const char* logbook) {
        EXPECT_EQ(Run({"activities", Path(logbook), "--csv"}), 0) << err;
        return out;
    }
    bool Exists(const char* name) const { return fs::exists(Path(name)); }

    LocalZone zone{"UTC0"};
};

TEST_F(ActivityCsvTest, ActivitiesWrittenAsCsvComeBackTheSameInAnotherLogbook) {
    ThreeActivities();
    Write(Path("f.csv"), Csv("a.vrl"));
    ASSERT_EQ(Read(Path("f.csv")), std::string(kColumns) + kRun + kRide + kAway);

    ASSERT_EQ(Run("import @b.vrl @f.csv"), 0) << err;
    // 40 km in 6600 s; the 5 km day stands alone.
    EXPECT_EQ(out, "2026-03-01  Run + Ride  40.00 km  01:50:00  max HR 175  1450 kcal  run.fit, "
                   "ride, \"hard\".fit\n"
                   "2026-03-02  Run  5.00 km  00:30:00  max HR 160  300 kcal  away.fit\n"
                   "stored 2 days from 3 files\n");
    EXPECT_EQ(Csv("b.vrl"), Read(Path("f.csv")));
    // The days are made as from the files: 6600 s / 40 km = 2:45 a km, 21.82 km/h, and the
    // average heart rate weighed by time, (150 * 3000 + 130 * 3600) / 6600 = 139.1.
    EXPECT_TRUE(Holds(Export(Path("b.vrl")),
                      "\n2026-03-01,40,01:50:00,00:02:45,21.82,0,175,1450,0,0,0,0,N,,Run + Ride,"
                      "\"Avg HR 139. Imported from run.fit, ride, \"\"hard\"\".fit\"\n"))
        << out;
}

TEST_F(ActivityCsvTest, AnActivityGivenTwiceOrStoredAlreadyIsLeftOutWithItsReason) {
    ThreeActivities();
    // Line 3 repeats line 2 but for a start 30 s later: the same run.
    Write(Path("f.csv"), std::string(kColumns) + kRun +
                             "2026-03-01,07:00,Run,10.00,00:50:00,150,175,650,copy.fit\n");
    EXPECT_EQ(Run("import @b.vrl @f.csv"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("f.csv") + " line 3: same activity as " +
                       Path("f.csv") + " line 2; left out\n");
    EXPECT_EQ(Csv("b.vrl"), std::string(kColumns) + kRun);

    // Into a.vrl, which holds them all: nothing to store, each row named.
    Write(Path("g.csv"), std::string(kColumns) + kRun + kAway);
    EXPECT_EQ(Run("import @a.vrl @g.csv"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("g.csv") +
                       " line 2: already imported (same as run.fit); left out\n"
                       "veloria-logbook: " +
                       Path("g.csv") + " line 3: already imported (same as away.fit); left out\n");
    EXPECT_EQ(out, "stored 0 days from 0 files; 2 files left out\n");
    EXPECT_EQ(Csv("a.vrl"), std::string(kColumns) + kRun + kRide + kAway);
}

// A day typed by hand holds the import back as for activity files.
TEST_F(ActivityCsvTest, ATypedDayStopsTheImportUnlessReplacedOrSkipped) {
    MakeLogbook(Path("a.vrl"), {Day(20260301).Distance(3).Time(1800 * 100)});
    Write(Path("f.csv"), std::string(kColumns) + kRun + kAway);
    const std::string days = Read(Path("a.vrl"));

    EXPECT_EQ(Run("import @a.vrl @f.csv --dry-run"), 1);
    EXPECT_EQ(Run("import @a.vrl @f.csv"), 1);
    EXPECT_TRUE(Holds(err, "2026-03-01 already holds an entry (--replace replaces it, "
                           "--skip-existing keeps it)\n"));
    EXPECT_TRUE(Holds(err, "1 day already holds an entry; nothing was stored\n"));
    EXPECT_EQ(Read(Path("a.vrl")), days);
    EXPECT_FALSE(Exists("a.vra"));

    EXPECT_EQ(Run("import @a.vrl @f.csv --skip-existing --dry-run"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  kept: the logbook's entry stays\n"
                   "2026-03-02  Run  5.00 km  00:30:00  max HR 160  300 kcal  away.fit\n"
                   "would store 1 day from 2 files; 1 day kept; nothing was changed "
                   "(--dry-run)\n");
    EXPECT_FALSE(Exists("a.vra"));

    EXPECT_EQ(Run("import @a.vrl @f.csv --replace"), 0) << err;
    EXPECT_EQ(Csv("a.vrl"), std::string(kColumns) + kRun + kAway);
    // The typed 3 km are now the run's 10 km in 50 minutes (5:00 a km, 12 km/h).
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-03-01,10,00:50:00,00:05:00,12,0,175,650,"));
}

// Every bad row is named with its line; nothing is stored, not even the good rows.
TEST_F(ActivityCsvTest, NothingIsStoredUnlessEveryRowReads) {
    const struct {
        const char* row;
        const char* problem;
    } kCases[] = {
        {"2026-02-30,07:00,Running,1,00:10:00,0,0,0,a.fit",
         "date \"2026-02-30\" is not a date from 1960-01-01 to 2100-12-31"},
        {"2026-03-01,7:00,Running,1,00:10:00,0,0,0,a.fit",
         "start \"7:00\" is not a time of day (HH:MM)"},
        {"2026-03-01,24:00,Running,1,00:10:00,0,0,0,a.fit",
         "start \"24:00\" is not a time of day (HH:MM)"},
        {"2026-03-01,07:00,,1,00:10:00,0,0,0,a.fit", "sport \"\" is not a sport"},
        {"2026-03-01,07:00,Running,-1,00:10:00,0,0,0,a.fit",
         "distanceKm \"-1\" is not a distance in kilometres (such as 10.25)"},
        {"2026-03-01,07:00,Running,1e3,00:10:00,0,0,0,a.fit",
         "distanceKm \"1e3\" is not a distance in kilometres (such as 10.25)"},
        {"2026-03-01,07:00,Running,1,,0,0,0,a.fit", "movingTime \"\" is not a time (HH:MM:SS)"},
        {"2026-03-01,07:00,Running,1,00:10:00,256,0,0,a.fit",
         "avgHeartRate \"256\" is not a heart rate from 0 to 255"},
        {"2026-03-01,07:00,Running,1,00:10:00,0,-5,0,a.fit",
         "maxHeartRate \"-5\" is not a heart rate from 0 to 255"},
        {"2026-03-01,07:00,Running,1,00:10:00,0,0,lots,a.fit",
         "calories \"lots\" is not a whole number from 0 to 99999"},
        {"2026-03-01,07:00,Running,1,00:10:00,0,0,0", "has 8 fields, the header 9"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.row);
        Write(Path("f.csv"), std::string(kColumns) + kRun + c.row + "\n");
        EXPECT_EQ(Run("import @b.vrl @f.csv"), 1);
        EXPECT_EQ(err, "veloria-logbook: " + Path("f.csv") + ": line 3: " + c.problem + "\n" +
                           "veloria-logbook: " + Path("f.csv") +
                           ": 1 bad row; nothing was stored\n");
        EXPECT_FALSE(Exists("b.vrl"));
        EXPECT_FALSE(Exists("b.vra"));
    }
    // Short words are the sports they stand for; --unit is taken, as for activity files.
    Write(Path("f.csv"), std::string(kColumns) + "2026-03-01,07:00,Ride,16.09,00:30:00,0,0,0,\n");
    EXPECT_EQ(Run("import @b.vrl @f.csv --unit mi"), 0) << err;
    EXPECT_EQ(Csv("b.vrl"),
              std::string(kColumns) + "2026-03-01,07:00,Cycling,16.09,00:30:00,0,0,0,\n");
    // 16090 m / 1609.344 m = 10.00 mi in 30 minutes: 3:00 a mile, 20 mph. An activity without
    // a file (added by hand) names none in the comment.
    EXPECT_TRUE(Holds(Export(Path("b.vrl")),
                      "\n2026-03-01,10,00:30:00,00:03:00,20,0,0,0,0,0,0,0,N,,Ride,\n"));
}

// 10 km in 50:00 and 30 km in 1:00:00 on the first; 5 km in 30:00 on the second.
TEST_F(ActivityCsvTest, DaysPrintsTheLogBooksLineOfEachDay) {
    ThreeActivities();
    EXPECT_EQ(Run("activities @a.vrl --days"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  Run 10.00 km 50:00 \u00b7 Ride 30.00 km 1:00:00\n"
                   "2026-03-02  Run 5.00 km 30:00\n");
    EXPECT_EQ(Run("activities @a.vrl --days --from 2026-03-02 --sport ride"), 0) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(Run("activities @a.vrl --days --csv"), 2);
    EXPECT_TRUE(Holds(err, "--days and --csv exclude each other\n"));
}

TEST_F(ActivityCsvTest, TheDefaultSportIsShownAndSetByItsWord) {
    MakeLogbook(Path("a.vrl"), {Day(20260301).Distance(3)});
    const auto header = [&] {
        EXPECT_EQ(Run("activities @a.vrl"), 0) << err;
        return out.substr(0, out.find('\n') + 1);
    };
    EXPECT_EQ(header(), "Default sport: Run (days without activities)\n");
    EXPECT_FALSE(Exists("a.vra"));

    EXPECT_EQ(Run("activities @a.vrl --default-sport ride"), 0) << err;
    EXPECT_EQ(out, Path("a.vrl") + ": the default sport is Ride\n");
    EXPECT_EQ(header(), "Default sport: Ride (days without activities)\n");
    EXPECT_EQ(Run("activities @a.vrl --default-sport=Swimming"), 0) << err;
    EXPECT_EQ(header(), "Default sport: Swim (days without activities)\n");
    EXPECT_EQ(Run("activities @a.vrl --default-sport Other"), 0) << err;
    EXPECT_EQ(header(), "Default sport: Other (days without activities)\n");

    EXPECT_EQ(Run("activities @a.vrl --default-sport Quidditch"), 2);
    EXPECT_EQ(err.substr(0, err.find('\n')),
              "veloria-logbook: --default-sport must be one of Run, Ride, E-bike, Swim, Walk, "
              "Hike, Row, Paddle, Kayak, SUP, Gym, XC ski, Ski, Snowboard, Snowshoe, Skate, "
              "Ice skate, Climb, Football, Motorcycling, Driving, Flying, Sky diving, Hang "
              "gliding, Other");
    EXPECT_EQ(Run("activities @a.vrl --default-sport Run --csv"), 2);
    EXPECT_EQ(Run("activities @none.vrl --default-sport Run"), 1);
    EXPECT_FALSE(Exists("none.vrl"));

    // A damaged activities file is left as it was, and says so.
    const std::string garbage(2048, 'x');
    Write(Path("a.vra"), garbage);
    EXPECT_EQ(Run("activities @a.vrl --default-sport Hike"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("a.vra") +
                       " is damaged: it is not an activities file; veloria-logbook check --repair "
                       "sets it aside; the default sport was not changed\n");
    EXPECT_EQ(Read(Path("a.vra")), garbage);
}

} // namespace
