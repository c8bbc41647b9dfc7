// The plan's reading: progress over the files of all operands, stopping part way, the same
// activity in two files, activities whose figures cannot be true, and the texts of a day.

#include "activities/ActivityImportPlan.h"
#include "LocalZone.h"
#include "store/TempFolderTest.h"
#include "activities/FitWriter.h"
#include "store/DateUtility.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

class ActivityImportPlanTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        fs::create_directories(folder / "runs");
    }
    std::string WriteRun(const std::string& name, const std::string& day) {
        const fs::path path = folder / "runs" / name;
        std::ofstream(path)
            << "<gpx version=\"1.1\"><trk><trkseg><trkpt lat=\"50\" lon=\"8\"><time>" << day
            << "T07:00:00Z</time></trkpt><trkpt lat=\"50.01\" lon=\"8\"><time>" << day
            << "T07:10:00Z</time></trkpt></trkseg></trk></gpx>";
        return path.string();
    }
    std::string Put(const std::string& name, const std::string& bytes) const {
        Write(Path(name), bytes);
        return Path(name);
    }
    // A FIT file of sessions: {start, sport, timer ms, centimetres, kcal, avg HR, max HR}.
    std::string PutFit(const std::string& name, const std::vector<FitWriter::Session>& sessions) {
        return Put(name, FitWriter().FileId(4).Sessions(sessions).Bytes());
    }
    // "FILE: reason" of every line left out.
    static std::vector<std::string> LeftOut(const ActivityImportPlan& plan) {
        std::vector<std::string> lines;
        for (const ActivityImportPlan::LeftOut& l : plan.LeftOutFiles()) {
            lines.push_back(l.file + ": " + l.reason);
        }
        return lines;
    }
    static ActivityImportPlan Planned(const std::vector<std::string>& operands) {
        ActivityImportPlan plan;
        plan.Read(operands);
        plan.Decide(ActivityDays::Unit::Kilometres, nullptr, nullptr,
                    ActivityImportPlan::Existing::Refuse);
        return plan;
    }
    LocalZone zone{"UTC"};
};

TEST_F(ActivityImportPlanTest, ProgressCountsEveryFileAndCanStop) {
    WriteRun("a.gpx", "2024-03-05");
    WriteRun("b.gpx", "2024-03-06");
    const std::string loose = WriteRun("c.gpx", "2024-03-07");
    const std::vector<std::string> operands = {(folder / "runs").string(), loose};

    std::vector<std::pair<std::size_t, std::size_t>> calls;
    ActivityImportPlan whole;
    EXPECT_TRUE(whole.Read(operands, [&](std::size_t done, std::size_t total) {
        calls.emplace_back(done, total);
        return true;
    }));
    // The folder holds c.gpx too, so it is counted four times and read three.
    EXPECT_EQ(calls,
              (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}}));
    EXPECT_EQ(whole.FilesRead(), 3u);

    ActivityImportPlan stopped;
    EXPECT_FALSE(stopped.Read(operands, [](std::size_t done, std::size_t) { return done < 2; }));
    EXPECT_EQ(stopped.FilesRead(), 2u);
    stopped.Decide(ActivityDays::Unit::Kilometres, nullptr, nullptr,
                   ActivityImportPlan::Existing::Refuse);
    ASSERT_EQ(stopped.Days().size(), 2u);
    EXPECT_EQ(stopped.Days()[1].day.record.dateKey, 20240306);
    EXPECT_EQ(stopped.Count(ActivityImportPlan::Fate::New), 2u);
    EXPECT_EQ(stopped.Records().size(), 2u);
}

constexpr std::uint64_t kFitMorning = 1141282800; // 2026-03-01 07:00:00 UTC as FIT counts

// A watch's FIT and the GPX a service made of it, and a copy: one activity, counted once.
// The later file in the reading order (operands as given, a folder's files by name) is left
// out.
TEST_F(ActivityImportPlanTest, TheSameActivityInTwoFilesIsCountedOnce) {
    const std::string fit =
        PutFit("runs/a.fit", {{kFitMorning, 1, 3600000, 1000000, 700, 150, 180}});
    // 30 s later, with a distance of its own (111 m in 20 s)
    Put("runs/b.gpx", "<gpx><trk><type>running</type><trkseg>"
                      "<trkpt lat=\"50\" lon=\"8\"><time>2026-03-01T07:00:30Z</time></trkpt>"
                      "<trkpt lat=\"50.001\" lon=\"8\"><time>2026-03-01T07:00:50Z</time></trkpt>"
                      "</trkseg></trk></gpx>");
    const std::string copy = Put("copy of a.fit", Read(fit));
    // A ride (TCX's "Biking") 59 s after the FIT's cycling is the same; 61 s after is not.
    const std::string ride =
        PutFit("ride.fit", {{kFitMorning + 7200, 2, 3600000, 2000000, 0, 0, 0}});
    const auto tcxRide = [&](const char* name, const char* start) {
        return Put(name, std::string("<TrainingCenterDatabase><Activities><Activity "
                                     "Sport=\"Biking\"><Id>") +
                             start + "</Id><Lap StartTime=\"" + start +
                             "\"><TotalTimeSeconds>3600</TotalTimeSeconds><DistanceMeters>"
                             "20000</DistanceMeters></Lap></Activity></Activities>"
                             "</TrainingCenterDatabase>");
    };
    const std::string same = tcxRide("same.tcx", "2026-03-01T09:00:59Z");
    const std::string other = tcxRide("other.tcx", "2026-03-01T09:01:01Z");

    const ActivityImportPlan plan = Planned({(folder / "runs").string(), copy, ride, same, other});
    EXPECT_EQ(LeftOut(plan), (std::vector<std::string>{
                                 Path("runs/b.gpx") + ": same activity as " + fit,
                                 copy + ": same activity as " + fit,
                                 same + ": same activity as " + ride,
                             }));
    EXPECT_EQ(plan.FilesRead(), 3u);
    ASSERT_EQ(plan.Days().size(), 1u);
    // 10 km run + 20 km ride + 20 km ride
    EXPECT_EQ(plan.Days()[0].day.record.distance, 50.0f);
    EXPECT_EQ(plan.Days()[0].day.files,
              (std::vector<std::string>{"a.fit", "ride.fit", "other.tcx"}));
}

// Figures a damaged file can give: more than 1000 km or 48 hours in one activity, or an
// average speed beyond the sport's (running 30 km/h, cycling 100, others 150).
TEST_F(ActivityImportPlanTest, ActivitiesThatCannotBeTrueAreLeftOut) {
    const struct {
        const char* name;
        std::uint64_t sport, timerMs, centimetres;
        const char* reason; // empty: read
    } kCases[] = {
        // 4294967294 cm = 42949.67 km
        {"a wrapped distance", 1, 3600000, 4294967294,
         "is implausible (42949.67 km in one activity, more than 1000)"},
        // 720000000 ms = 200 hours; 1 km in it is slow but possible
        {"two hundred hours", 11, 720000000, 100000,
         "is implausible (200.0 hours in one activity, more than 48)"},
        {"48 hours of walking", 11, 172800000, 10000000, ""},
        {"1000 km by bike in ten hours", 2, 36000000, 100000000, ""},
        // 10 km in 1199 s = 30.025 km/h
        {"a run faster than 2:00 a km", 1, 1199000, 1000000,
         "is implausible (Running at 30.03 km/h on average, more than 30)"},
        {"a run of 2:00 a km", 1, 1200000, 1000000, ""},
        {"a ride at 101 km/h", 2, 3600000, 10100000,
         "is implausible (Cycling at 101.00 km/h on average, more than 100)"},
        {"another sport at 151 km/h", 0, 3600000, 15100000,
         "is implausible (Other at 151.00 km/h on average, more than 150)"},
    };
    for (const auto& c : kCases) {
        const std::string file =
            PutFit("one.fit", {{kFitMorning, c.sport, c.timerMs, c.centimetres, 0, 0, 0}});
        const ActivityImportPlan plan = Planned({file});
        if (*c.reason == '\0') {
            EXPECT_EQ(LeftOut(plan), std::vector<std::string>{}) << c.name;
            EXPECT_EQ(plan.Days().size(), 1u) << c.name;
        } else {
            EXPECT_EQ(LeftOut(plan), std::vector<std::string>{file + ": " + c.reason}) << c.name;
            EXPECT_EQ(plan.Days().size(), 0u) << c.name;
        }
    }

    // One bad session of three (20 km in half an hour): the others are read, and a line says which
    // was left out.
    const std::string three =
        PutFit("three.fit", {{kFitMorning, 1, 1800000, 500000, 0, 0, 0},
                             {kFitMorning + 3600, 1, 1800000, 2000000, 0, 0, 0},
                             {kFitMorning + 7200, 2, 3600000, 3000000, 0, 0, 0}});
    const ActivityImportPlan plan = Planned({three});
    EXPECT_EQ(LeftOut(plan),
              std::vector<std::string>{three + ": activity 2 of 3 (Running) left out: implausible "
                                               "(Running at 40.00 km/h on average, more than 30)"});
    EXPECT_EQ(plan.FilesRead(), 1u);
    EXPECT_EQ(plan.CountsText(), "1 day from 1 file; 1 activity left out");
    ASSERT_EQ(plan.Days().size(), 1u);
    EXPECT_EQ(plan.Days()[0].day.record.distance, 35.0f); // 5 km + 30 km
}

// What the command's day line and the preview's row show of a day.
TEST_F(ActivityImportPlanTest, ADaysTextsNameItsFilesAndHowItsFiguresWereFound) {
    ActivityDays placed;
    Activity run{1772348400, 0,   "Running", 3000, 10000, 650,
                 175,        150, {},        0,    {}}; // 2026-03-01 07:00 UTC
    run.note = "from its laps; the session is missing";
    Activity ride{1772352000, 0, "Cycling", 3600, 30000, 0, 0, std::nullopt, {}, 0, {}};
    ASSERT_TRUE(placed.Add("watch\x1b[2J.fit", {run}));
    ASSERT_TRUE(placed.Add("ride.gpx", {ride}));
    const std::vector<ActivityDays::Day> days = placed.Days(ActivityDays::Unit::Miles);
    ASSERT_EQ(days.size(), 1u);
    const ActivityImportPlan::DayTexts t =
        ActivityImportPlan::Texts(days[0], ActivityDays::Unit::Miles, DateUtility());
    EXPECT_EQ(t.date, "2026-03-01");
    EXPECT_EQ(t.sport, "Run + Ride");
    EXPECT_EQ(t.distance, "24.85 mi"); // 40 km / 1.609344 = 24.855
    EXPECT_EQ(t.time, "01:50:00");
    EXPECT_EQ(t.maxHeartRate, "175");
    EXPECT_EQ(t.calories, "650 kcal");
    EXPECT_EQ(t.files, "watch\\x1b[2J.fit, ride.gpx");
    EXPECT_EQ(t.note, "(watch\\x1b[2J.fit: from its laps; the session is missing)");
}

} // namespace
