// Moving time leaves pauses out whatever the file: one run with a pause, written as a FIT
// file (with its session, with laps only, with records only), as GPX and as TCX, gives the
// same moving time.

#include "FitWriter.h"
#include "ReadBytes.h"

#include "activities/ActivityFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// 2026-03-01 07:00:00 UTC, as FIT counts it and as Unix does.
constexpr std::uint64_t kMorning = 1141282800;
constexpr std::int64_t kMorningUnix = 1772348400;

// The run: points at these seconds after the start, at "smart" intervals of 1 to 10 s;
// the runner stops at 60 s and goes on at 240 s (timer stopped, no points recorded).
// Moving time by hand: 60 s before the pause + (300 - 240) = 60 s after it = 120 s; the
// elapsed 300 s is what the GPX gave before pauses were left out.
constexpr int kSeconds[] = {0,  1,   2,   3,   8,   18,  25,  33,  40, 50,
                            60, 240, 245, 255, 262, 270, 280, 290, 300};
constexpr int kHeartRates[] = {100, 105, 110, 120, 130, 140, 150, 155, 160, 165,
                               170, 120, 140, 150, 158, 171, 165, 168, 169};
constexpr double kMoving = 120.0;

// Seconds moved by a point's time: the pause does not count.
int MovedAt(int second) {
    return second <= 60 ? second : 60 + (second - 240);
}
// Northwards 0.00003 degree a second moved: 3.3359 m/s on the mean radius, so 120 s make
// 120 * 0.00003 * pi / 180 * 6371008.8 = 400.30 m.
double LatitudeAt(int second) {
    return 52.0 + 0.00003 * MovedAt(second);
}
constexpr double kMetres = 400.30;

std::string TimeText(int second) {
    char text[32];
    std::snprintf(text, sizeof text, "2026-03-01T07:%02d:%02dZ", second / 60, second % 60);
    return text;
}

std::string Gpx() {
    std::string gpx = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                      "xmlns:tpx=\"urn:x\"><trk><type>running</type><trkseg>";
    for (std::size_t i = 0; i < std::size(kSeconds); ++i) {
        char point[256];
        std::snprintf(point, sizeof point,
                      "<trkpt lat=\"%.7f\" lon=\"13.0\"><time>%s</time><extensions>"
                      "<tpx:TrackPointExtension><tpx:hr>%d</tpx:hr></tpx:TrackPointExtension>"
                      "</extensions></trkpt>",
                      LatitudeAt(kSeconds[i]), TimeText(kSeconds[i]).c_str(), kHeartRates[i]);
        gpx += point;
    }
    return gpx + "</trkseg></trk></gpx>";
}

// The same points as a TCX lap without its own timer time, the pause inside one Track.
std::string Tcx() {
    std::string tcx = "<TrainingCenterDatabase><Activities><Activity Sport=\"Running\">"
                      "<Id>2026-03-01T07:00:00Z</Id><Lap StartTime=\"2026-03-01T07:00:00Z\">"
                      "<DistanceMeters>400.3</DistanceMeters><Track>";
    for (const int second : kSeconds) {
        tcx += "<Trackpoint><Time>" + TimeText(second) + "</Time></Trackpoint>";
    }
    return tcx + "</Track></Lap></Activity></Activities></TrainingCenterDatabase>";
}

std::uint64_t Semicircles(double degrees) {
    return static_cast<std::uint64_t>(std::llround(degrees * 2147483648.0 / 180.0));
}

// What the watch wrote: timer events, a record for each point (distance in cm at 3.34
// m/s, the watch's own figure), the laps on each side of the pause and the session.
// withLaps/withSession false: the watch stopped before writing them.
std::string Fit(bool withLaps, bool withSession) {
    FitWriter fit;
    fit.FileId(4)
        .Define(6, 12, {{0, 1, FitWriter::kEnum}}) // sport: running
        .Data(6, {1})
        .Define(3, 21,
                {{253, 4, FitWriter::kUint32}, {0, 1, FitWriter::kEnum}, {1, 1, FitWriter::kEnum}})
        .Define(4, 20,
                {{253, 4, FitWriter::kUint32},
                 {0, 4, 0x85},
                 {1, 4, 0x85},
                 {3, 1, FitWriter::kUint8},
                 {5, 4, FitWriter::kUint32}});
    fit.Data(3, {kMorning, 0, 0}); // timer start
    for (std::size_t i = 0; i < std::size(kSeconds); ++i) {
        if (kSeconds[i] == 240) {
            fit.Data(3, {kMorning + 240, 0, 0}); // timer start again
        }
        fit.Data(4, {kMorning + kSeconds[i], Semicircles(LatitudeAt(kSeconds[i])),
                     Semicircles(13.0), static_cast<std::uint64_t>(kHeartRates[i]),
                     static_cast<std::uint64_t>(MovedAt(kSeconds[i]) * 334)});
        if (kSeconds[i] == 60) {
            fit.Data(3, {kMorning + 60, 0, 1}); // timer stop
        }
    }
    fit.Data(3, {kMorning + 300, 0, 4}); // timer stop all
    if (withLaps) {
        // lap 19: start_time 2, total_timer_time 8 (ms), total_distance 9 (cm), total_calories
        // 11, avg_heart_rate 15, max_heart_rate 16, sport 25
        fit.Define(5, 19,
                   {{2, 4, FitWriter::kUint32},
                    {8, 4, FitWriter::kUint32},
                    {9, 4, FitWriter::kUint32},
                    {11, 2, FitWriter::kUint16},
                    {15, 1, FitWriter::kUint8},
                    {16, 1, FitWriter::kUint8},
                    {25, 1, FitWriter::kEnum}})
            .Data(5, {kMorning, 60000, 20040, 14, 138, 170, 1})
            .Data(5, {kMorning + 240, 60000, 20040, 16, 156, 171, 1});
    }
    if (withSession) {
        fit.Sessions({{kMorning, 1, 120000, 40080, 30, 147, 171}});
    }
    return fit.Bytes();
}

TEST(ActivityPausesTest, OneRunGivesOneMovingTimeInEveryForm) {
    const struct {
        const char* name;
        std::string bytes;
        double metres;
        double calories;
        std::string note;
        double elapsed; // the first point to the last, pause in; 0 where the file tells none
    } kForms[] = {
        {"FIT with its session", Fit(true, true), 400.80, 30, "", 0},
        // 2 * 200.40 m; 14 + 16 kcal
        {"FIT without a session", Fit(true, false), 400.80, 30,
         "from its laps; the session is missing", 0},
        // The records' last distance, 120 s * 3.34 m/s; records hold no calories.
        {"FIT without a session or laps", Fit(false, false), 400.80, 0,
         "from its records; no session or lap", 300},
        {"GPX", Gpx(), kMetres, 0, "", 300},
        {"TCX without the lap's timer time", Tcx(), 400.30, 0, "", 300},
    };
    for (const auto& form : kForms) {
        SCOPED_TRACE(form.name);
        const ActivityFileResult result = ReadBytes(form.bytes);
        ASSERT_EQ(result.problem, FileProblem::None) << result.detail;
        ASSERT_EQ(result.activities.size(), 1u);
        const Activity& run = result.activities[0];
        EXPECT_EQ(run.start, kMorningUnix);
        EXPECT_EQ(run.sport, "Running");
        EXPECT_NEAR(run.seconds, kMoving, 1.0);
        EXPECT_NEAR(run.metres, form.metres, 0.05);
        EXPECT_EQ(run.calories, form.calories);
        EXPECT_EQ(run.note, form.note);
        EXPECT_EQ(run.elapsed, form.elapsed);
        if (std::string(form.name) != "TCX without the lap's timer time") {
            EXPECT_EQ(run.maxHeartRate, 171);
        }
    }
}

// Gaps of up to 30 s are recording intervals, longer ones pauses; so are the gaps between
// GPX segments and between TCX Tracks.
TEST(ActivityPausesTest, GapsLongerThanThirtySecondsArePauses) {
    auto pt = [](const char* time) {
        return std::string("<trkpt lat=\"0\" lon=\"0\"><time>2026-03-01T07:") + time +
               "Z</time></trkpt>";
    };
    // 30 + 29 (a 31 s gap left out) + 10 (the gap between segments left out)
    const std::string gpx = "<gpx><trk><trkseg>" + pt("00:00") + pt("00:30") + pt("01:01") +
                            pt("01:30") + "</trkseg><trkseg>" + pt("01:40") + pt("01:50") +
                            "</trkseg></trk></gpx>";
    const ActivityFileResult read = ReadBytes(gpx);
    ASSERT_EQ(read.activities.size(), 1u) << read.detail;
    EXPECT_EQ(read.activities[0].seconds, 69.0);

    auto tp = [](const char* time) {
        return std::string("<Trackpoint><Time>2026-03-01T07:") + time + "Z</Time></Trackpoint>";
    };
    // Lap 1: 20 s, then 5 s in its second Track; lap 2 gives its own 100 s.
    const std::string tcx =
        "<TrainingCenterDatabase><Activities><Activity Sport=\"Running\">"
        "<Id>2026-03-01T07:00:00Z</Id><Lap StartTime=\"2026-03-01T07:00:00Z\"><Track>" +
        tp("00:00") + tp("00:10") + tp("00:20") + "</Track><Track>" + tp("00:25") + tp("00:30") +
        "</Track></Lap><Lap StartTime=\"2026-03-01T07:05:00Z\"><TotalTimeSeconds>100"
        "</TotalTimeSeconds><Track>" +
        tp("05:00") + tp("09:00") +
        "</Track></Lap></Activity></Activities></TrainingCenterDatabase>";
    const ActivityFileResult tcxRead = ReadBytes(tcx);
    ASSERT_EQ(tcxRead.activities.size(), 1u) << tcxRead.detail;
    EXPECT_EQ(tcxRead.activities[0].seconds, 125.0);
}

} // namespace
