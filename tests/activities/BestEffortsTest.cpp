// The fastest stretch of a track for a distance, and the tracks the readers hand over.
#include "activities/BestEfforts.h"
#include "activities/ActivityFile.h"
#include "activities/FitWriter.h"
#include "store/TempFolderTest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// Points as (seconds from the start, metres); the start itself is an hour after 1970.
std::vector<TrackPoint> Track(std::initializer_list<std::pair<int, double>> points) {
    std::vector<TrackPoint> track;
    for (const auto& [seconds, metres] : points) {
        track.push_back({3600 + seconds, metres});
    }
    return track;
}

struct Case {
    const char* name;
    std::vector<TrackPoint> track;
    double metres;
    std::optional<double> seconds;
};

TEST(BestEffortsTest, FastestStretchIsFoundBetweenAndAtPoints) {
    const Case cases[] = {
        // 100 m each 30 s: 1000 m take 10 x 30 = 300 s wherever they start.
        {"even pace",
         Track({{0, 0},
                {30, 100},
                {60, 200},
                {90, 300},
                {120, 400},
                {150, 500},
                {180, 600},
                {210, 700},
                {240, 800},
                {270, 900},
                {300, 1000},
                {330, 1100}}),
         1000, 300},
        // The first leg runs 1000 m in 300 s, the second 800 m in 200 s. Starting at 800 m
        // (passed at 800 / 1000 x 300 = 240 s) and ending at the point at 1800 m (500 s)
        // takes 500 - 240 = 260 s; starting at a point gives 300 s at best.
        {"start between points", Track({{0, 0}, {300, 1000}, {500, 1800}, {800, 2000}}), 1000, 260},
        // The mirror: the fast leg first. From the point at 200 m (100 s) to 1200 m, passed
        // at 200 + (1200 - 1000) / 1000 x 300 = 260 s: 160 s.
        {"end between points", Track({{0, 0}, {100, 200}, {200, 1000}, {500, 2000}}), 1000, 160},
        // Standing at the line for a minute is not run: 1000 m from 60 s to 360 s.
        {"standing start", Track({{0, 0}, {60, 0}, {360, 1000}}), 1000, 300},
        // A distance that counts back (a reset) is dropped: 0, 500, 1000 m in 100 s steps.
        {"counter glitch", Track({{0, 0}, {100, 500}, {150, 20}, {200, 1000}}), 1000, 200},
        {"shorter than the distance", Track({{0, 0}, {100, 999}}), 1000, std::nullopt},
        {"one point", Track({{0, 0}}), 1000, std::nullopt},
        {"no points", {}, 1000, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> got = BestEfforts::Fastest(c.track, c.metres);
        ASSERT_EQ(got.has_value(), c.seconds.has_value()) << c.name;
        if (got) {
            EXPECT_NEAR(*got, *c.seconds, 1e-9) << c.name;
        }
    }
}

TEST(BestEffortsTest, EveryStandardDistanceAtOnce) {
    // 10 km at 4:10/km (40 m every 10 s) for 6000 m, then 3:20/km (50 m every 10 s) for
    // 4000 m: 1500 s + 800 s.
    std::vector<TrackPoint> track{{0, 0}};
    while (track.back().metres < 10000) {
        const TrackPoint& last = track.back();
        track.push_back({last.time + 10, last.metres + (last.metres < 6000 ? 40 : 50)});
    }
    const BestEfforts::Times times = BestEfforts::Of(track);
    EXPECT_DOUBLE_EQ(*times[0], 200);  // 1 km in the fast part: 20 x 10 s
    EXPECT_DOUBLE_EQ(*times[1], 1050); // the last 5 km: 4 km fast (800 s) + 1 km slow (250 s)
    EXPECT_DOUBLE_EQ(*times[2], 2300); // all of it
    EXPECT_FALSE(times[3].has_value());
    EXPECT_FALSE(times[4].has_value());
}

class TrackReadingTest : public TempFolderTest {};

// FIT record messages (timestamp 253, distance 5 in centimetres) become the session's track;
// the session's own figures stay as the file gives them.
TEST_F(TrackReadingTest, FitRecordsBecomeTheTrack) {
    constexpr std::uint64_t kStart = 1126076400; // 2025-09-06 07:00:00 UTC as FIT counts
    FitWriter fit;
    fit.FileId(4).Sessions({{kStart, 1, 120000, 50000, 0, 0, 0}});
    fit.Define(3, 20, {{253, 4, FitWriter::kUint32}, {5, 4, FitWriter::kUint32}});
    for (std::uint64_t i = 0; i <= 12; ++i) {
        fit.Data(3, {kStart + 10 * i, 4000 * i}); // 40 m every 10 s
    }
    Write(Path("run.fit"), fit.Bytes());
    const ActivityFileResult read = ActivityFile::Read(Path("run.fit"));
    ASSERT_EQ(read.activities.size(), 1U);
    const std::vector<TrackPoint>& track = read.activities[0].track;
    ASSERT_EQ(track.size(), 13U);
    EXPECT_EQ(track[0].time, 1757142000); // kStart + 631065600 to 1970
    EXPECT_DOUBLE_EQ(track[12].metres, 480);
    EXPECT_EQ(track[12].time, 1757142120);
}

// The recorded files: a TCX point's own running distance, a GPX point's summed from its
// place (README: 42 points in service-run.gpx; 18 of the TCX's 19 points carry a distance,
// the first at 0 m, the last at 3441.1674805 m).
TEST_F(TrackReadingTest, RecordedFilesHandTheirPoints) {
    const ActivityFileResult tcx =
        ActivityFile::Read(std::string(VELORIA_RECORDED_DIR) + "/watch-run.tcx");
    ASSERT_EQ(tcx.activities.size(), 1U);
    ASSERT_EQ(tcx.activities[0].track.size(), 17U);
    EXPECT_DOUBLE_EQ(tcx.activities[0].track.front().metres, 0);
    EXPECT_DOUBLE_EQ(tcx.activities[0].track.back().metres, 3441.1674805);

    const ActivityFileResult gpx =
        ActivityFile::Read(std::string(VELORIA_RECORDED_DIR) + "/service-run.gpx");
    ASSERT_EQ(gpx.activities.size(), 1U);
    EXPECT_EQ(gpx.activities[0].track.size(), 42U);
    EXPECT_DOUBLE_EQ(gpx.activities[0].track.front().metres, 0);
}

} // namespace
