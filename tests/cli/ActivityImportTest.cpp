// import with activity files: folders searched, files left out with their reasons, days
// that hold entries refused, replaced or kept, and what the logbook holds afterwards.

#include "ToolFixture.h"
#include "activities/FitWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMorning = 1141282800; // 2026-03-01 07:00:00 UTC as FIT counts

class ActivityImportTest : public LogBookToolTest {
protected:
    // A run at 08:00 local (one hour east) and, through gzip, a ride at noon UTC: one day
    // in any zone within eleven hours of Greenwich.
    void MakeFolder() {
        fs::create_directories(Path("in/sub"));
        Write(Path("in/sub/run.fit"),
              FitWriter()
                  .FileId(4)
                  .Sessions({{kMorning, 1, 3600500, 1000000, 700, 150, 180}})
                  .ActivityMessage(kMorning + 4000, kMorning + 7600)
                  .Bytes());
        Write(Path("in/ride.gpx.gz"),
              Gzip("<gpx><trk><type>cycling</type><trkseg>"
                   "<trkpt lat=\"52\" lon=\"13\"><time>2026-03-01T12:00:00Z</time></trkpt>"
                   "<trkpt lat=\"52.001\" lon=\"13\"><time>2026-03-01T12:00:20Z</time>"
                   "<extensions><x:hr>171</x:hr></extensions></trkpt></trkseg></trk></gpx>"));
        Write(Path("in/bad.tcx"), "garbage");
        Write(Path("in/settings.FIT"), FitWriter().FileId(2).Bytes());
        Write(Path("in/notes.txt"), "not taken: not an activity's name");
    }
};

// 111.19 m of ride (0.001 degree of latitude) and 10 km of run; 3600.5 + 20 s = 01:00:21;
// 3621 s / 10.11 km = 358.2 s a km; 10.11 km / 3621 s * 3600 = 10.05 km/h.
TEST_F(ActivityImportTest, AFolderIsImportedAndFilesThatCannotBeReadAreLeftOut) {
    MakeFolder();
    EXPECT_EQ(Run("import @a.vrl @in"), 1);
    EXPECT_EQ(out, "2026-03-01  Run + Ride  10.11 km  01:00:21  max HR 180  700 kcal  "
                   "run.fit, ride.gpx.gz\n"
                   "stored 1 day from 2 files; 2 files left out\n");
    EXPECT_EQ(err, "veloria-logbook: " + Path("in/bad.tcx") +
                       ": is not a FIT, GPX or TCX file; left out\n"
                       "veloria-logbook: " +
                       Path("in/settings.FIT") + ": is not an activity; left out\n");
    EXPECT_EQ(Export(Path("a.vrl")),
              std::string(kHeader) +
                  "2026-03-01,10.11,01:00:21,00:05:58,10.05,0,180,700,0,0,0,0,N,,"
                  "Run + Ride,\"Avg HR 150. Imported from run.fit, "
                  "ride.gpx.gz\"\n");

    EXPECT_EQ(Run("import @b.vrl @in/sub/run.fit --unit mi"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  Run  6.21 mi  01:00:01  max HR 180  700 kcal  run.fit\n"
                   "stored 1 day from 1 file\n");
}

TEST_F(ActivityImportTest, DaysThatHoldEntriesAreRefusedReplacedOrKept) {
    MakeFolder();
    MakeLogbook(Path("a.vrl")); // holds 2026-03-01
    const std::string before = Export(Path("a.vrl"));
    const std::string line = "2026-03-01  Run  10.00 km  01:00:01  max HR 180  700 kcal  run.fit";

    EXPECT_EQ(Run("import @a.vrl @in/sub/run.fit"), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "veloria-logbook: 2026-03-01 already holds an entry (--replace replaces it, "
                   "--skip-existing keeps it)\n"
                   "veloria-logbook: 1 day already holds an entry; nothing was stored\n");
    EXPECT_EQ(Export(Path("a.vrl")), before);

    EXPECT_EQ(Run("import @a.vrl @in/sub/run.fit --skip-existing"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  kept: the logbook's entry stays\n"
                   "stored 0 days from 1 file; 1 day kept\n");
    EXPECT_EQ(Export(Path("a.vrl")), before);

    EXPECT_EQ(Run("import @a.vrl @in/sub/run.fit --replace --dry-run"), 0) << err;
    EXPECT_EQ(out, line + "  (replaces its figures)\n"
                          "would store 1 day from 1 file; nothing was changed (--dry-run)\n");
    EXPECT_EQ(Export(Path("a.vrl")), before);

    EXPECT_EQ(Run("import @a.vrl @in/sub/run.fit --replace"), 0) << err;
    EXPECT_EQ(out, line + "  (replaces its figures)\nstored 1 day from 1 file\n");
    // The figures are the run's; the race flag, workout and comment stay the user's.
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-03-01,10,01:00:01,00:06:00,10,0,180,700,0,0,"
                                             "0,0,,," +
                                                 std::string(29, 'w') + "," +
                                                 std::string(255, 'c') + "\n"));

    EXPECT_EQ(Run("import @new.vrl @in/sub/run.fit --dry-run"), 0) << err;
    EXPECT_FALSE(fs::exists(Path("new.vrl"))) << "a dry run creates no logbook";
}

// An activity whose speed cannot be true is left out of its file with a line of its own; a
// file that repeats an earlier file's activity is left out whole.
TEST_F(ActivityImportTest, ActivitiesLeftOutAreSaidAndTheRestIsStored) {
    // 5 km in 30 min, then 20 km in 30 min: 40 km/h, more than running's 30
    const FitWriter::Session easy{kMorning, 1, 1800000, 500000, 300, 140, 160};
    Write(Path("two.fit"), FitWriter()
                               .FileId(4)
                               .Sessions({easy, {kMorning + 3600, 1, 1800000, 2000000, 0, 0, 0}})
                               .Bytes());
    Write(Path("run.fit"), FitWriter().FileId(4).Sessions({easy}).Bytes());
    EXPECT_EQ(Run("import @a.vrl @two.fit @run.fit"), 1);
    EXPECT_EQ(err, Said("two.fit", "activity 2 of 2 (Running) left out: implausible (Running at "
                                   "40.00 km/h on average, more than 30)") +
                       Said("run.fit", "same activity as " + Path("two.fit") + "; left out"));
    EXPECT_EQ(out, "2026-03-01  Run  5.00 km  00:30:00  max HR 160  300 kcal  two.fit\n"
                   "stored 1 day from 1 file; 1 file left out; 1 activity left out\n");
}

// A lone activity-named file is never read as CSV, and what the tool quotes of a file's name
// or content shows its control characters escaped, so an escape cannot reach the terminal.
TEST_F(ActivityImportTest, AFileIsTakenByItsKindAndQuotedWithoutControls) {
    Write(Path("bad.gpx"), "date,distance\n2026-03-01,5\n");
    EXPECT_EQ(Run("import @a.vrl @bad.gpx"), 1);
    EXPECT_EQ(err, Said("bad.gpx", "is not a FIT, GPX or TCX file; left out"));
    EXPECT_EQ(out, "stored 0 days from 0 files; 1 file left out\n");

    Write(Path("e\x1b[31m.gpx"), "garbage");
    EXPECT_EQ(Run("import @a.vrl @e\x1b[31m.gpx"), 1);
    EXPECT_EQ(err, Said("e\\x1b[31m.gpx", "is not a FIT, GPX or TCX file; left out"));

    Write(Path("days\x7f.csv"), "date,dist\x1b]0;owned\x07\n");
    EXPECT_EQ(Run("import @a.vrl @days\x7f.csv"), 1);
    EXPECT_EQ(err, Said("days\\x7f.csv", "line 1: unknown column \"dist\\x1b]0;owned\\x07\""));
}

} // namespace
