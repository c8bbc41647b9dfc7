// Files as devices and a training service wrote them (recorded/, see its README), and the
// FIT numbers the reader relies on, each checked against the published FIT profile rather
// than against our own FitWriter's idea of it.

#include "FitWriter.h"
#include "ReadBytes.h"

#include "activities/ActivityFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The expected figures were worked out from each file's text, not by our reader: the TCX
// from its lap's own summary, the GPX by summing the haversine distance (mean radius
// 6371008.8 m) and the gaps of up to 30 s between the points' times in a separate script.
TEST(RecordedFilesTest, FiguresOfRecordedFiles) {
    const struct {
        const char* file;
        std::int64_t start;
        const char* sport;
        double seconds, metres;
        double calories;
        int maxHeartRate;
    } kFiles[] = {
        // A watch's run: one lap, 2007-08-07T02:42:41Z = 1186454561; TotalTimeSeconds
        // 2325.02, DistanceMeters 8348.5039063, Calories 285, no heart rate. Its three Tracks
        // (pauses) do not matter: the lap gives its timer time.
        {"watch-run.tcx", 1186454561, "Running", 2325.02, 8348.5039063, 285, 0},
        // A training service's export: 42 points a second apart from
        // 2015-01-19T21:24:20Z = 1421702660 to 21:25:01 (41 s), 125.447 m, hr up to 152;
        // no <type>.
        {"service-run.gpx", 1421702660, "Other", 41, 125.447, 0, 152},
        // A phone's walk: 44 points a second apart from 2019-12-15T20:19:55Z = 1576441195
        // to 20:20:38 (43 s), 68.367 m, no heart rate.
        {"phone-walk.gpx", 1576441195, "Other", 43, 68.367, 0, 0},
    };
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.file);
        const ActivityFileResult result =
            ActivityFile::Read(std::string(VELORIA_RECORDED_DIR) + "/" + f.file);
        ASSERT_EQ(result.problem, FileProblem::None) << result.detail;
        ASSERT_EQ(result.activities.size(), 1u);
        const Activity& a = result.activities[0];
        EXPECT_EQ(a.start, f.start);
        EXPECT_EQ(a.sport, f.sport);
        EXPECT_NEAR(a.seconds, f.seconds, 1e-6);
        EXPECT_NEAR(a.metres, f.metres, 0.01);
        EXPECT_EQ(a.calories, f.calories);
        EXPECT_EQ(a.maxHeartRate, f.maxHeartRate);
        EXPECT_EQ(a.note, "");
    }
}

// A handheld's logs begin with an empty "ACTIVE LOG" track: it is left out, not the file.
// The seven logged tracks, by the same separate script: the start; the gaps of up to 30 s
// summed (the handheld logs sparsely, so its longer gaps count as pauses, as a watch's
// stopped timer would); the distance over those gaps.
TEST(RecordedFilesTest, AHandheldsEmptyLogIsLeftOutAndItsTracksRead) {
    const struct {
        std::int64_t start;
        double seconds, metres;
    } kTracks[] = {
        {1281018239, 1612, 1740.045}, // 2010-08-05T14:23:59Z, 173 points over 2469 s
        {1281021096, 124, 857.803},   // 15:11:36, 52 points over 155 s
        {1281021865, 21, 30.210},     // 15:24:25, 2 points
        {1281022729, 140, 1019.970},  // 15:38:49, 44 points over 288 s
        {1281023911, 0, 0},           // 15:58:31, 2 points 201 s apart
        {1281024291, 13, 28.610},     // 16:04:51, 2 points
        {1281024337, 174, 155.268},   // 16:05:37, 21 points over 1092 s
    };
    const ActivityFileResult result =
        ActivityFile::Read(std::string(VELORIA_RECORDED_DIR) + "/handheld-log.gpx");
    ASSERT_EQ(result.problem, FileProblem::None) << result.detail;
    ASSERT_EQ(result.activities.size(), std::size(kTracks));
    for (std::size_t i = 0; i < std::size(kTracks); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(result.activities[i].start, kTracks[i].start);
        EXPECT_EQ(result.activities[i].sport, "Other");
        EXPECT_EQ(result.activities[i].seconds, kTracks[i].seconds);
        EXPECT_NEAR(result.activities[i].metres, kTracks[i].metres, 0.01);
        EXPECT_EQ(result.activities[i].maxHeartRate, 0);
    }
}

// Message and field numbers, base types and scales as the FIT profile (SDK 21.222) gives
// them, with the fields beside each one the reader must not take for it (elapsed time
// beside timer time, speeds beside heart rates) filled with other values.
//   base types: enum 0x00, uint8 0x02, uint16 0x84, sint32 0x85, uint32 0x86
//   file_id 0: type 0 (file: activity 4)
//   sport 12: sport 0 (sport: running 1, cycling 2, swimming 5)
//   session 18: start_time 2, sport 5, total_elapsed_time 7 (s, scale 1000), total_timer_time
//     8 (s, scale 1000), total_distance 9 (m, scale 100), total_calories 11 (kcal),
//     avg_speed 14, max_speed 15 (uint16), avg_heart_rate 16, max_heart_rate 17 (bpm)
//   lap 19: start_time 2, total_elapsed_time 7, total_timer_time 8, total_distance 9,
//     total_calories 11, avg_heart_rate 15, max_heart_rate 16, sport 25
//   record 20: position_lat 0, position_long 1 (sint32), altitude 2, heart_rate 3,
//     cadence 4, distance 5 (m, scale 100), speed 6; timestamp 253
//   event 21: event 0 (timer 0), event_type 1 (start 0, stop 1, stop_all 4)
//   activity 34: total_timer_time 0, local_timestamp 5; timestamp 253
// Times count seconds from 1989-12-31T00:00:00Z; 2026-03-01T07:00:00Z is 1141282800.
TEST(RecordedFilesTest, FitNumbersAreTheProfiles) {
    constexpr std::uint64_t kStart = 1141282800;
    constexpr std::int64_t kStartUnix = 1772348400;
    auto common = [&](FitWriter& fit) {
        fit.Define(0, 0, {{0, 1, 0x00}})
            .Data(0, {4})
            .Define(1, 12, {{0, 1, 0x00}})
            .Data(1, {5}) // swimming: what laps without a sport of their own, and records, are
            .Define(2, 21, {{253, 4, 0x86}, {0, 1, 0x00}, {1, 1, 0x00}})
            .Data(2, {kStart, 0, 0})
            .Define(3, 20,
                    {{253, 4, 0x86},
                     {0, 4, 0x85},
                     {1, 4, 0x85},
                     {2, 2, 0x84},
                     {3, 1, 0x02},
                     {4, 1, 0x02},
                     {5, 4, 0x86},
                     {6, 2, 0x84}})
            // altitude 2 and speed 6 hold values no heart rate or distance has
            .Data(3, {kStart, 0, 0, 3000, 120, 90, 0, 4000})
            .Data(3, {kStart + 10, 0, 0, 3000, 181, 90, 5000, 4000})
            .Data(3, {kStart + 20, 0, 0, 3000, 130, 90, 10000, 4000})
            .Data(2, {kStart + 20, 0, 4});
    };

    FitWriter withSession;
    common(withSession);
    withSession
        .Define(4, 18,
                {{253, 4, 0x86},
                 {2, 4, 0x86},
                 {5, 1, 0x00},
                 {7, 4, 0x86},
                 {8, 4, 0x86},
                 {9, 4, 0x86},
                 {11, 2, 0x84},
                 {14, 2, 0x84},
                 {15, 2, 0x84},
                 {16, 1, 0x02},
                 {17, 1, 0x02}})
        .Data(4, {kStart + 20, kStart, 2, 99000, 20000, 10000, 7, 250, 251, 140, 181})
        .Define(5, 34, {{253, 4, 0x86}, {0, 4, 0x86}, {5, 4, 0x86}})
        .Data(5, {kStart + 20, 77000, kStart + 20 + 3600});
    // 20000 ms = 20 s (not the elapsed 99 s), 10000 cm = 100 m, 7 kcal, max 181 bpm, avg 140,
    // cycling, an hour east.
    const ActivityFileResult session = ReadBytes(withSession.Bytes());
    ASSERT_EQ(session.problem, FileProblem::None) << session.detail;
    ASSERT_EQ(session.activities.size(), 1u);
    EXPECT_EQ(session.activities[0].start, kStartUnix);
    EXPECT_EQ(session.activities[0].localOffset, 3600);
    EXPECT_EQ(session.activities[0].sport, "Cycling");
    EXPECT_EQ(session.activities[0].seconds, 20.0);
    EXPECT_EQ(session.activities[0].metres, 100.0);
    EXPECT_EQ(session.activities[0].calories, 7.0);
    EXPECT_EQ(session.activities[0].maxHeartRate, 181);
    EXPECT_EQ(session.activities[0].avgHeartRate, 140.0);

    FitWriter withLaps;
    common(withLaps);
    withLaps
        .Define(4, 19,
                {{2, 4, 0x86},
                 {7, 4, 0x86},
                 {8, 4, 0x86},
                 {9, 4, 0x86},
                 {11, 2, 0x84},
                 {15, 1, 0x02},
                 {16, 1, 0x02},
                 {24, 1, 0x00},
                 {25, 1, 0x00}})
        .Data(4, {kStart, 50000, 10000, 5000, 3, 150, 170, 7, 1})
        .Data(4, {kStart + 10, 50000, 10000, 5000, 4, 160, 181, 7, 1});
    // Two running laps: 2 * 10 s, 2 * 50 m, 3 + 4 kcal, max 181, avg (150 + 160) / 2.
    const ActivityFileResult laps = ReadBytes(withLaps.Bytes());
    ASSERT_EQ(laps.problem, FileProblem::None) << laps.detail;
    ASSERT_EQ(laps.activities.size(), 1u);
    EXPECT_EQ(laps.activities[0].sport, "Running");
    EXPECT_EQ(laps.activities[0].seconds, 20.0);
    EXPECT_EQ(laps.activities[0].metres, 100.0);
    EXPECT_EQ(laps.activities[0].calories, 7.0);
    EXPECT_EQ(laps.activities[0].maxHeartRate, 181);
    EXPECT_EQ(laps.activities[0].avgHeartRate, 155.0);

    FitWriter recordsOnly;
    common(recordsOnly);
    // Records 10 s apart: 20 s, the last distance 10000 cm = 100 m, heart rate 181 at most,
    // the sport message's swimming.
    const ActivityFileResult records = ReadBytes(recordsOnly.Bytes());
    ASSERT_EQ(records.problem, FileProblem::None) << records.detail;
    ASSERT_EQ(records.activities.size(), 1u);
    EXPECT_EQ(records.activities[0].start, kStartUnix);
    EXPECT_EQ(records.activities[0].sport, "Swimming");
    EXPECT_EQ(records.activities[0].seconds, 20.0);
    EXPECT_EQ(records.activities[0].metres, 100.0);
    EXPECT_EQ(records.activities[0].maxHeartRate, 181);
}

} // namespace
