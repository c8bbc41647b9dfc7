// Many activities a day: each kept in the activities file beside the logbook, the day's
// figures theirs, an activity imported twice stored once, the user's fields kept, the
// activities listed by sport, check and check --repair on the activities file, and its
// backups and restores with its days.

#include "ToolFixture.h"
#include "activities/FitWriter.h"
#include "activities/LocalZone.h"
#include "store/ActivityStore.h"
#include "store/ContentHash.h"
#include "store/FileSizeLimit.h"
#include "store/LogBookBackups.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMorning = 1141282800; // 2026-03-01 07:00:00 UTC as FIT counts
constexpr std::uint64_t kEvening = kMorning + 10 * 3600;

class ActivitiesCommandTest : public LogBookToolTest {
protected:
    // A FIT file of one session at UTC (its local time said to be UTC):
    // {start, sport (1 running, 2 cycling), timer ms, centimetres, kcal, avg HR, max HR}.
    void Fit(const char* name, const FitWriter::Session& session) {
        Write(Path(name), FitWriter()
                              .FileId(4)
                              .Sessions({session})
                              .ActivityMessage(session.start + 3600, session.start + 3600)
                              .Bytes());
    }
    // The morning's 10 km run in 50 minutes and the evening's 30 km ride in an hour.
    void RunAndRide() {
        Fit("run.fit", {kMorning, 1, 3000000, 1000000, 650, 150, 175});
        Fit("ride.fit", {kEvening, 2, 3600000, 3000000, 800, 130, 160});
    }
    // The same run as a service writes it: 20 s of GPX starting 30 s after the watch's.
    void RunAsGpx(const char* name) {
        Write(Path(name), "<gpx><trk><type>running</type><trkseg>"
                          "<trkpt lat=\"52\" lon=\"13\"><time>2026-03-01T07:00:30Z</time></trkpt>"
                          "<trkpt lat=\"52.001\" lon=\"13\"><time>2026-03-01T07:00:50Z</time>"
                          "</trkpt></trkseg></trk></gpx>");
    }
    // Changes a day of the logbook as the Log Book would.
    void Change(std::int32_t key, const std::function<void(DayRecord&)>& change) {
        RecordingReporter reporter;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(Path("a.vrl")), LogBookDatabase::OpenResult::Opened);
        DayRecord day = DayRecord::Blank(key);
        ASSERT_EQ(db.ReadDay(Date(key), day), LogBookDatabase::ReadResult::Read);
        change(day);
        ASSERT_EQ(db.StoreRecord(day), LogBookDatabase::StoreResult::Stored);
        ASSERT_EQ(db.Close(), LogBookDatabase::Result::Ok);
    }

    // Erases a day of the logbook as the Log Book would.
    void Erase(std::int32_t key) {
        RecordingReporter reporter;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(Path("a.vrl")), LogBookDatabase::OpenResult::Opened);
        ASSERT_EQ(db.EraseDay(Date(key)), LogBookDatabase::StoreResult::Stored);
        ASSERT_EQ(db.Close(), LogBookDatabase::Result::Ok);
    }
    // The day as the logbook holds it now.
    DayRecord DayOf(std::int32_t key) {
        RecordingReporter reporter;
        LogBookDatabase db(reporter, dates);
        DayRecord day = DayRecord::Blank(key);
        EXPECT_EQ(db.Open(Path("a.vrl"), LogBookDatabase::Access::Read),
                  LogBookDatabase::OpenResult::Opened);
        EXPECT_EQ(db.ReadDay(Date(key), day), LogBookDatabase::ReadResult::Read);
        return day;
    }
    // What an import killed once its activities are stored leaves: the day it was about to
    // write, planned in the activities file.
    void LeaveUnwritten(const DayRecord& day) {
        RecordingReporter reporter;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(Path("a.vrl")), LogBookDatabase::OpenResult::Opened);
        ActivityStore store;
        ASSERT_TRUE(store.Open(db, true).Ok());
        std::vector<ActivityRow> none;
        ASSERT_TRUE(store.Change({}, none, store.Unit(), {day}).Ok());
    }
    // Runs an import, then puts the logbook back as it was before it.
    DayRecord ImportThenPutBack(const char* import, std::int32_t key) {
        const std::string days = Read(Path("a.vrl"));
        const std::string index = Read(Path("a.idx"));
        EXPECT_EQ(Run(import), 0) << err;
        const DayRecord imported = DayOf(key);
        Write(Path("a.vrl"), days);
        Write(Path("a.idx"), index);
        return imported;
    }

    std::string InBackups(const std::string& file) const {
        return LogBookBackups::FolderFor(Path("a.vrl")) + "/" + file;
    }
    // Makes a backup now and gives its name.
    std::string BackUpNow() {
        EXPECT_EQ(Run("backup @a.vrl"), 0) << err;
        EXPECT_TRUE(Holds(out, "backed up")) << out;
        return fs::path(out.substr(0, out.find('\n'))).filename().string();
    }

    static constexpr const char* kHeader =
        "Default sport: Run (days without activities)\n"
        "Date        Start  Sport          Distance    Moving  Avg HR  Max HR   Calories  File\n";
    static constexpr const char* kRunLine = "2026-03-01  07:00  Run            10.00 km  00:50:00  "
                                            "   150     175   650 kcal  run.fit\n";
    static constexpr const char* kRideLine = "2026-03-01  17:00  Ride           30.00 km  01:00:00 "
                                             "    130     160   800 kcal  ride.fit\n";

    LocalZone zone{"UTC0"};
    DateUtility dates;
};

// 40 km in 6600 s: 165 s a km, 21.82 km/h.
TEST_F(ActivitiesCommandTest, AMorningRunAndAnEveningRideAreTwoActivitiesOfOneDay) {
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit"), 0) << err;
    ASSERT_TRUE(fs::exists(Path("a.vra")));
    EXPECT_EQ(Run("import @a.vrl @ride.fit"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  Ride  40.00 km  01:50:00  max HR 175  1450 kcal  ride.fit  "
                   "(adds a second activity)\n"
                   "stored 1 day from 1 file\n");
    // The workout and comment the first import wrote are the user's now.
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-03-01,40,01:50:00,00:02:45,21.82,0,175,1450,"
                                             "0,0,0,0,N,,Run,Avg HR 150. Imported from run.fit\n"));

    EXPECT_EQ(Run("activities @a.vrl"), 0) << err;
    EXPECT_EQ(out, std::string(kHeader) + kRunLine + kRideLine +
                       "2 activities: 40.00 km, 01:50:00 moving, 1450 kcal\n");
    EXPECT_EQ(Run("activities @a.vrl --sport run"), 0) << err;
    EXPECT_EQ(out, std::string(kHeader) + kRunLine +
                       "1 activity: 10.00 km, 00:50:00 moving, 650 kcal\n");
    EXPECT_EQ(Run("activities @a.vrl --sport Biking --csv --from 2026-03-01 --to 2026-03-01"), 0);
    EXPECT_EQ(out,
              "date,start,sport,distanceKm,movingTime,avgHeartRate,maxHeartRate,calories,file\n"
              "2026-03-01,17:00,Cycling,30.00,01:00:00,130,160,800,ride.fit\n");
    EXPECT_EQ(Run("activities @a.vrl --from 2026-03-02"), 0);
    EXPECT_EQ(out, std::string(kHeader) + "0 activities: 0.00 km, 00:00:00 moving, 0 kcal\n");
    EXPECT_EQ(Run("activities @a.vrl --range all"), 0) << err; // the one day, 1 March
    EXPECT_TRUE(Holds(out, "2 activities: 40.00 km, 01:50:00 moving, 1450 kcal\n")) << out;
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "activities file: 2 activities\n"));

    // The next day in miles: each day stays right in the unit it was imported in.
    Fit("next.fit", {kMorning + 86400, 1, 3000000, 1000000, 650, 150, 175});
    ASSERT_EQ(Run("import @a.vrl @next.fit --unit mi"), 0) << err;
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
}

TEST_F(ActivitiesCommandTest, TheSameWorkoutFromTwoFilesIsStoredOnce) {
    RunAndRide();
    RunAsGpx("run.gpx");
    EXPECT_EQ(Run("import @a.vrl @run.fit @run.gpx"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("run.gpx") + ": same activity as " + Path("run.fit") +
                       "; left out\n");

    // Another import, later: against what is stored.
    RunAsGpx("copy.gpx");
    EXPECT_EQ(Run("import @a.vrl @copy.gpx @ride.fit"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("copy.gpx") +
                       ": already imported (same as run.fit); left out\n");
    EXPECT_EQ(out, "2026-03-01  Ride  40.00 km  01:50:00  max HR 175  1450 kcal  ride.fit  "
                   "(adds a second activity)\n"
                   "stored 1 day from 1 file; 1 file left out\n");
    EXPECT_EQ(Run("import @a.vrl @ride.fit --dry-run"), 1);
    EXPECT_EQ(out, "would store 0 days from 0 files; 1 file left out; nothing was changed "
                   "(--dry-run)\n");
    EXPECT_EQ(Run("activities @a.vrl"), 0);
    EXPECT_EQ(out, std::string(kHeader) + kRunLine + kRideLine +
                       "2 activities: 40.00 km, 01:50:00 moving, 1450 kcal\n");
}

TEST_F(ActivitiesCommandTest, ReplaceKeepsTheUsersFieldsAndReplacesTheDaysActivities) {
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit @ride.fit"), 0) << err;
    Change(20260301, [](DayRecord& day) {
        day.competition = 'Y';
        day.difficulty = 'H';
        day.restHeartRate = 44;
        std::strcpy(day.workout, "Race day");
        std::strcpy(day.comments, "Felt strong, windy");
    });
    // The race again, timed better: 12 km in the same hour.
    Fit("race.fit", {kMorning + 600, 1, 3000000, 1200000, 700, 160, 185});
    EXPECT_EQ(Run("import @a.vrl @race.fit"), 0) << err;
    EXPECT_TRUE(Holds(out, "(adds a third activity)\n")) << out;
    EXPECT_EQ(Run("import @a.vrl @race.fit --replace --dry-run"), 0) << err;
    EXPECT_TRUE(Holds(out, "(replaces 3 activities)\n")) << out;
    ASSERT_EQ(Run("check @a.vrl --repair"), 0) << out;

    EXPECT_EQ(Run("import @a.vrl @race.fit --replace"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  Run  12.00 km  00:50:00  max HR 185  700 kcal  race.fit  "
                   "(replaces 3 activities)\n"
                   "stored 1 day from 1 file\n");
    // 3000 s / 12 km = 250 s a km; 14.4 km/h.
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-03-01,12,00:50:00,00:04:10,14.4,44,185,700,"
                                             "0,0,0,0,Y,H,Race day,\"Felt strong, windy\"\n"));
    EXPECT_EQ(Run("activities @a.vrl --csv"), 0);
    EXPECT_EQ(out,
              "date,start,sport,distanceKm,movingTime,avgHeartRate,maxHeartRate,calories,file\n"
              "2026-03-01,07:10,Running,12.00,00:50:00,160,185,700,race.fit\n");
}

// A day the user changed or erased after its import is theirs: check says so as a note and
// --repair leaves its bytes.
TEST_F(ActivitiesCommandTest, ADayChangedOrErasedByHandAfterItsImportIsLeftAsItIs) {
    // A logbook without activities never gets an activities file.
    MakeLogbook(Path("a.vrl"));
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_FALSE(fs::exists(Path("a.vra")));
    EXPECT_FALSE(Holds(out, "activities"));

    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit @ride.fit --skip-existing"), 0) << err;
    EXPECT_EQ(out, "2026-03-01  kept: the logbook's entry stays\n"
                   "stored 0 days from 2 files; 1 day kept\n");
    ASSERT_EQ(Run("import @a.vrl @run.fit @ride.fit --replace"), 0) << err;
    Change(20260301, [](DayRecord& day) { day.distance = 12.5F; });
    const std::string changed = Read(Path("a.vrl"));
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "activities file: 2 activities\n"
                           "note: day 2026-03-01 was changed by hand after its activities were "
                           "imported (its figures are not those of its 2 activities); it is "
                           "left as it is\n"))
        << out;
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out << err;
    EXPECT_TRUE(Holds(out, "repair: nothing to repair in the index\n")) << out;
    EXPECT_EQ(Read(Path("a.vrl")), changed);

    Erase(20260301);
    const std::string erased = Read(Path("a.vrl"));
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "note: day 2026-03-01 was erased by hand after its 2 activities were "
                           "imported; it is left as it is\n"))
        << out;
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out << err;
    EXPECT_EQ(Read(Path("a.vrl")), erased);
    EXPECT_FALSE(Holds(Export(Path("a.vrl")), "\n2026-03-01,"));

    // A damaged activities file is said, and set aside whole; the logbook stays as it is.
    Write(Path("a.vra"), "not a database, whatever its name says");
    const std::string repaired = Read(Path("a.vrl"));
    EXPECT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "activities file: " + Path("a.vra") + " is damaged: not a database\n"));
    EXPECT_EQ(Run("import @a.vrl @run.fit --replace"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("a.vra") +
                       " is damaged: it is not an activities file; veloria-logbook check "
                       "--repair sets it aside; nothing was imported\n");
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_FALSE(fs::exists(Path("a.vra")));
    int setAside = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("a.vra.damaged-", 0) == 0) {
            ++setAside;
            EXPECT_EQ(Read(entry.path().string()), "not a database, whatever its name says");
            EXPECT_TRUE(Holds(out, "repair: set the damaged activities file aside as " +
                                       entry.path().string() + "\n"));
        }
    }
    EXPECT_EQ(setAside, 1);
    EXPECT_EQ(Read(Path("a.vrl")), repaired);
}

// Only a day an import planned and did not write is written by check --repair; a logbook
// put back to before an import (a restored backup) keeps its days.
TEST_F(ActivitiesCommandTest, OnlyTheDaysAnImportWasCutShortBeforeWritingAreRepaired) {
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @ride.fit"), 0) << err;
    const std::string rideOnly = Read(Path("a.vrl"));
    const DayRecord both = ImportThenPutBack("import @a.vrl @run.fit", 20260301);
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "note: day 2026-03-01 was changed by hand after its activities were "
                           "imported (its figures are not those of its 2 activities); it is "
                           "left as it is\n"))
        << out;
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_EQ(Read(Path("a.vrl")), rideOnly);

    // The same import killed between its two writes.
    LeaveUnwritten(both);
    EXPECT_EQ(Run("import @a.vrl @run.fit"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("run.fit") +
                       ": already imported (same as run.fit); left out\n");
    EXPECT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "day 2026-03-01: an import was cut short here: its figures are not "
                           "yet written\n"))
        << out;
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_TRUE(Holds(out, "repair: wrote 1 day an import was cut short before writing\n"));
    // The ride's day, its workout and comment as its import wrote them, both figures in it.
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-03-01,40,01:50:00,00:02:45,21.82,0,175,1450,"
                                             "0,0,0,0,N,,Ride,Avg HR 130. Imported from "
                                             "ride.fit\n"));
    // A planned day the logbook already holds is only forgotten.
    const std::string repaired = Read(Path("a.vrl"));
    LeaveUnwritten(both);
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_TRUE(Holds(out, "repair: cleared what an import left of 1 day it had written in "
                           "full\n"))
        << out;
    EXPECT_EQ(Read(Path("a.vrl")), repaired);

    // A day the logbook lacks: erased since its import, or never written.
    Fit("next.fit", {kMorning + 86400, 1, 3000000, 1000000, 650, 150, 175});
    const DayRecord next = ImportThenPutBack("import @a.vrl @next.fit", 20260302);
    EXPECT_EQ(Run("import @a.vrl @next.fit"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("next.fit") +
                       ": already imported (same as next.fit), and its day was erased from the "
                       "logbook since; left out\n");
    LeaveUnwritten(next);
    EXPECT_EQ(Run("import @a.vrl @next.fit"), 1);
    EXPECT_EQ(err, "veloria-logbook: " + Path("next.fit") +
                       ": already imported (same as next.fit), but its day is not in the "
                       "logbook yet: veloria-logbook check --repair writes it; left out\n");
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_TRUE(Holds(out, "repair: wrote 1 day an import was cut short before writing\n"));
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-03-02,10,00:50:00,00:05:00,12,0,175,650,0,0,"
                                             "0,0,N,,Run,Avg HR 150. Imported from next.fit\n"));

    // Such a day gets a new file's activity too: the day is made from them all. Avg HR
    // (150 * 3000 + 130 * 3600) / 6600 = 139.1.
    Fit("third.fit", {kMorning + 2 * 86400, 1, 3000000, 1000000, 650, 150, 175});
    const std::string third = Read(Path("a.vrl"));
    const std::string thirdIndex = Read(Path("a.idx"));
    ASSERT_EQ(Run("import @a.vrl @third.fit"), 0) << err;
    Write(Path("a.vrl"), third);
    Write(Path("a.idx"), thirdIndex);
    Fit("third-ride.fit", {kEvening + 2 * 86400, 2, 3600000, 3000000, 800, 130, 160});
    EXPECT_EQ(Run("import @a.vrl @third-ride.fit"), 0) << err;
    EXPECT_EQ(out, "2026-03-03  Ride  40.00 km  01:50:00  max HR 175  1450 kcal  third-ride.fit\n"
                   "stored 1 day from 1 file\n");
    EXPECT_TRUE(Holds(Export(Path("a.vrl")),
                      "\n2026-03-03,40,01:50:00,00:02:45,21.82,0,175,1450,0,0,0,0,N,,Run + Ride,"
                      "\"Avg HR 139. Imported from third.fit, third-ride.fit\"\n"));
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
}

// Days that cannot be stored take their activities back, and what the import planned for
// them: nothing is left for check --repair to write.
TEST_F(ActivitiesCommandTest, AnImportWhoseDaysCannotBeStoredLeavesNothingPlanned) {
    std::vector<DayRecord> days;
    for (std::int32_t month = 1; month <= 10; ++month) {
        for (std::int32_t day = 1; day <= 28; ++day) {
            days.push_back(DayRecord::Blank(20250000 + month * 100 + day));
        }
    }
    MakeLogbook(Path("a.vrl"), days); // 280 days, 95200 bytes
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit"), 0) << err;
    {
        const FileSizeLimit limit(60000); // the activities file fits, a copy of the days not
        EXPECT_EQ(Run("import @a.vrl @ride.fit"), 1);
    }
    EXPECT_TRUE(Holds(err, "nothing was imported")) << err;
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "activities file: 1 activity\n")) << out;
    EXPECT_FALSE(Holds(out, "day 2026-03-01")) << out;
    EXPECT_EQ(Run("import @a.vrl @ride.fit"), 0) << err;
}

// A backup holds the activities with the days, a change to the activities alone is backed up,
// and a restore puts both back.
TEST_F(ActivitiesCommandTest, ABackupHoldsTheActivitiesAndARestorePutsThemBack) {
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit"), 0) << err;
    const std::string first = BackUpNow();
    EXPECT_EQ(out.rfind("backed up " + Path("a.vrl") + " with its 1 activity as ", 0), 0U) << out;
    ASSERT_EQ(Run("backups @a.vrl"), 0);
    EXPECT_TRUE(Holds(out, "DAYS  ACTIVITIES  FIRST DAY")) << out;
    EXPECT_TRUE(Holds(out, "     1           1  2026-03-01  2026-03-01         340\n")) << out;
    EXPECT_TRUE(fs::exists(InBackups(fs::path(first).replace_extension(".vra").string())));

    LeaveUnwritten(DayOf(20260301)); // the activities file alone changes
    const std::string second = BackUpNow();
    EXPECT_NE(second, first);
    // The backup before the import holds the activities as they were with the days as they
    // were: the newest backup still, with its one activity.
    ASSERT_EQ(Run("import @a.vrl @ride.fit"), 0) << err;
    const auto listed = LogBookBackups().List(Path("a.vrl"));
    ASSERT_EQ(listed.size(), 2U);
    EXPECT_EQ(listed[0].activities, 1);

    ASSERT_EQ(Run({"restore", Path("a.vrl"), first}), 0) << err;
    EXPECT_TRUE(Holds(out, "(adds 0 days, removes 0, changes 1; 1 activity fewer)")) << out;
    EXPECT_EQ(Run("activities @a.vrl"), 0) << err;
    EXPECT_EQ(out, std::string(kHeader) + kRunLine +
                       "1 activity: 10.00 km, 00:50:00 moving, 650 kcal\n");
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
}

// Restoring means the state at backup time: a backup made before the logbook had activities
// sets the present activities file aside, whole.
TEST_F(ActivitiesCommandTest, ARestoreFromABackupWithoutActivitiesSetsThePresentFileAside) {
    MakeLogbook(Path("a.vrl"), {Day(20260105).Distance(5.0F)});
    const std::string before = BackUpNow();
    EXPECT_EQ(out.rfind("backed up " + Path("a.vrl") + " as ", 0), 0U) << out;
    ASSERT_EQ(Run("backups @a.vrl"), 0);
    EXPECT_TRUE(Holds(out, "     1           -  2026-01-05  2026-01-05         340\n")) << out;
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit @ride.fit"), 0) << err;
    const std::string activities = Read(Path("a.vra"));

    ASSERT_EQ(Run({"restore", Path("a.vrl"), before}), 0) << err;
    EXPECT_TRUE(Holds(out, "(adds 0 days, removes 1, changes 0; 2 activities fewer)")) << out;
    EXPECT_TRUE(Holds(out, "The backup was made before a.vrl had activities: its activities "
                           "file was set aside as " +
                               Path("a.vra.before-restore-")))
        << out;
    EXPECT_FALSE(fs::exists(Path("a.vra")));
    int setAside = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("a.vra.before-restore-", 0) == 0) {
            ++setAside;
            EXPECT_EQ(Read(entry.path().string()), activities);
        }
    }
    EXPECT_EQ(setAside, 1);
    EXPECT_EQ(Run("activities @a.vrl"), 0) << err;
    EXPECT_TRUE(Holds(out, "0 activities")) << out;
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;
    EXPECT_TRUE(Holds(out, "live days: 1\n")) << out;
}

// A backup whose activities file is not the one made with it is marked and never restored.
TEST_F(ActivitiesCommandTest, ADamagedActivitiesCopyInABackupIsMarkedAndRefused) {
    RunAndRide();
    ASSERT_EQ(Run("import @a.vrl @run.fit"), 0) << err;
    const std::string name = BackUpNow();
    const std::string copy = InBackups(fs::path(name).replace_extension(".vra").string());
    const std::string good = Read(copy);
    ASSERT_EQ(Run("import @a.vrl @ride.fit"), 0) << err;
    const std::string present = Read(Path("a.vrl"));
    const std::string garbage(good.size(), 'x');
    char hash[24];
    std::snprintf(hash, sizeof hash, "%016llx\n",
                  static_cast<unsigned long long>(ContentHash::Of(garbage)));
    const struct {
        const char* what;
        std::function<void()> spoil;
        const char* reason;
    } cases[] = {
        {"a byte changed", [&] { Write(copy, "X" + good.substr(1)); },
         "does not match the hash recorded when it was made."},
        {"garbage with its hash",
         [&] {
             Write(copy, garbage);
             Write(copy + ".hash", hash);
         },
         "fails its integrity check"},
        {"removed", [&] { fs::remove(copy); }, "is missing."},
    };
    for (const auto& c : cases) {
        c.spoil();
        ASSERT_EQ(Run("backups @a.vrl"), 0) << c.what;
        EXPECT_TRUE(Holds(out, "  ! is damaged: its activities file " +
                                   fs::path(copy).filename().string() + " " + c.reason))
            << c.what << out;
        EXPECT_EQ(Run({"restore", Path("a.vrl"), name}), 1) << c.what;
        EXPECT_TRUE(Holds(err, c.reason)) << c.what << err;
        EXPECT_TRUE(Holds(err, "The logbook is as it was.")) << c.what;
        EXPECT_EQ(Read(Path("a.vrl")), present) << c.what;
    }
}

} // namespace
