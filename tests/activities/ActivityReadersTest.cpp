// The three readers over files built for each rule: what each activity holds, or why the
// file gave none.

#include "FitWriter.h"
#include "ReadBytes.h"

#include "activities/ActivityFile.h"
#include "activities/FitReader.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// 2026-03-01 07:00:00 UTC, as FIT counts it and as Unix does.
constexpr std::uint64_t kMorning = 1141282800;
constexpr std::int64_t kMorningUnix = 1772348400;

const FitWriter::Session kRun{kMorning, 1, 3600500, 1000000, 700, 150, 180};

// A file of the run whose activity message puts its local time an hour east.
std::string RunFile(FitWriter writer = FitWriter()) {
    return writer.FileId(4)
        .Sessions({kRun})
        .ActivityMessage(kMorning + 4000, kMorning + 7600)
        .Bytes();
}

std::string Flip(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

void ExpectActivities(const ActivityFileResult& result, const std::vector<Activity>& expected,
                      const std::string& name) {
    ASSERT_EQ(result.problem, FileProblem::None) << name << ": " << result.detail;
    ASSERT_EQ(result.activities.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(name + " #" + std::to_string(i));
        const Activity& a = result.activities[i];
        const Activity& e = expected[i];
        EXPECT_EQ(a.start, e.start);
        EXPECT_EQ(a.localOffset, e.localOffset);
        EXPECT_EQ(a.sport, e.sport);
        EXPECT_NEAR(a.seconds, e.seconds, 1e-6);
        EXPECT_NEAR(a.metres, e.metres, 0.01);
        EXPECT_EQ(a.calories, e.calories);
        EXPECT_EQ(a.maxHeartRate, e.maxHeartRate);
        EXPECT_NEAR(a.avgHeartRate.value_or(-1), e.avgHeartRate.value_or(-1), 1e-9);
        EXPECT_EQ(a.note, e.note);
    }
}

TEST(FitReaderTest, CrcIsTheFitCrc16) {
    const unsigned char check[] = "123456789";
    EXPECT_EQ(FitReader::Crc16(0, check, 9), 0xBB3D);
}

const Activity kRunRead{kMorningUnix, 3600, "Running", 3600.5, 10000.0, 700, 180, 150.0, "", 0, {}};

// GPX: 0.01 degree of latitude is 1111.95 m on the mean radius.
// A session's elapsed time (its field 7, pauses in) and its ascent (22) go with the
// activity; a session without them says none.
TEST(FitReaderTest, ASessionTellsItsElapsedTimeAndAscent) {
    using W = FitWriter;
    const std::string climbed = FitWriter()
                                    .FileId(4)
                                    .Define(1, 18,
                                            {{2, 4, W::kUint32},
                                             {5, 1, W::kEnum},
                                             {7, 4, W::kUint32},
                                             {8, 4, W::kUint32},
                                             {9, 4, W::kUint32},
                                             {22, 2, W::kUint16}})
                                    .Data(1, {kMorning, 2, 4200000, 3600000, 3000000, 310})
                                    .Bytes();
    ActivityFileResult result = ReadBytes(climbed);
    ASSERT_EQ(result.activities.size(), 1U) << result.detail;
    EXPECT_EQ(result.activities[0].seconds, 3600.0);
    EXPECT_EQ(result.activities[0].elapsed, 4200.0);
    EXPECT_EQ(result.activities[0].ascent, 310.0);

    result = ReadBytes(RunFile());
    ASSERT_EQ(result.activities.size(), 1U);
    EXPECT_EQ(result.activities[0].elapsed, 0.0);
    EXPECT_EQ(result.activities[0].ascent, std::nullopt);
}

TEST(ActivityFileTest, ActivitiesOfWellFormedFiles) {
    auto pt = [](const char* lat, const char* time) {
        return std::string("<trkpt lat=\"") + lat + "\" lon=\"13.0\"><time>" + time +
               "</time></trkpt>";
    };
    const struct {
        const char* name;
        std::string bytes;
        std::vector<Activity> expected;
    } kCases[] = {
        {"little-endian, 14-byte header", RunFile(), {kRunRead}},
        {"big-endian, 12-byte header", RunFile(FitWriter(true, 12)), {kRunRead}},
        {"without an activity message the machine's zone decides",
         FitWriter().FileId(4).Sessions({kRun}).Bytes(),
         {{kMorningUnix, std::nullopt, "Running", 3600.5, 10000.0, 700, 180, 150.0, "", 0, {}}}},
        {"local type 0 redefined from file_id to session, records between",
         FitWriter()
             .FileId(4)
             .Define(3, 20, {{253, 4, FitWriter::kUint32}, {3, 1, FitWriter::kUint8}})
             .Data(3, {kMorning + 1, 120})
             .Define(
                 0, 18,
                 {{5, 1, FitWriter::kEnum}, {2, 4, FitWriter::kUint32}, {8, 4, FitWriter::kUint32}})
             .Data(0, {2, kMorning, 60000})
             .Bytes(),
         {{kMorningUnix, std::nullopt, "Cycling", 60.0, 0.0, 0, 0, std::nullopt, "", 0, {}}}},
        // The last full time is 30 (0x1E) into its 32 seconds; offset 2 rolls over to 4 seconds
        // later.
        {"compressed timestamps carry the activity's time",
         FitWriter()
             .FileId(4)
             .Sessions({kRun})
             .Define(1, 20, {{253, 4, FitWriter::kUint32}, {3, 1, FitWriter::kUint8}})
             .Data(1, {kMorning + 14, 130})
             .Define(2, 34, {{5, 4, FitWriter::kUint32}})
             .Compressed(2, 2, {kMorning + 18 + 3600})
             .Bytes(),
         {kRunRead}},
        {"a developer field is skipped by its size",
         FitWriter()
             .FileId(4)
             .Define(1, 18, {{2, 4, FitWriter::kUint32}, {5, 1, FitWriter::kEnum}}, {3, 1})
             .Data(1, {kMorning, 11})
             .Bytes(),
         {{kMorningUnix, std::nullopt, "Walking", 0.0, 0.0, 0, 0, std::nullopt, "", 0, {}}}},
        {"invalid markers: all ones, and generic is Other",
         FitWriter()
             .FileId(4)
             .Sessions({{kMorning, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF, 0xFF, 0xFF}})
             .Bytes(),
         {{kMorningUnix, std::nullopt, "Other", 0.0, 0.0, 0, 0, std::nullopt, "", 0, {}}}},
        {"chained files, each with its own offset",
         RunFile() + FitWriter(true)
                         .FileId(4)
                         .Sessions({{kMorning + 86400, 12, 1000, 500000, 300, 0xFF, 160}})
                         .Bytes(),
         {kRunRead,
          {kMorningUnix + 86400,
           std::nullopt,
           "Cross country skiing",
           1.0,
           5000.0,
           300,
           160,
           std::nullopt,
           "",
           0,
           {}}}},
        {"three sports in start order",
         FitWriter()
             .FileId(4)
             .Sessions({{kMorning, 5, 1800000, 150000, 400, 140, 160},
                        {kMorning + 1800, 3, 120000, 0, 0, 0xFF, 0xFF},
                        {kMorning + 1920, 2, 3600000, 4000000, 900, 145, 170}})
             .Bytes(),
         {{kMorningUnix, std::nullopt, "Swimming", 1800.0, 1500.0, 400, 160, 140.0, "", 0, {}},
          {kMorningUnix + 1800,
           std::nullopt,
           "Transition",
           120.0,
           0.0,
           0,
           0,
           std::nullopt,
           "",
           0,
           {}},
          {kMorningUnix + 1920,
           std::nullopt,
           "Cycling",
           3600.0,
           40000.0,
           900,
           170,
           145.0,
           "",
           0,
           {}}}},
        // 25 s + 20 s (the fraction of a second dropped); 30 s: a gap of 30 s is still moving.
        {"GPX 1.1: two segments, the gap between them a pause; hr in extensions",
         "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" "
         "xmlns=\"http://www.topografix.com/GPX/1/1\" "
         "xmlns:ns3=\"urn:x\"><metadata><time>2020-01-01T00:00:00Z</time></metadata>"
         "<trk><name>Run</name><type>running</type><trkseg>" +
             pt("52.00", "2026-03-01T07:00:00Z") +
             "<trkpt lat=\"52.01\" lon=\"13.0\"><time>2026-03-01T07:00:25Z</time><extensions>"
             "<ns3:TrackPointExtension><ns3:hr>171</ns3:hr></ns3:TrackPointExtension></"
             "extensions></trkpt>"
             "</trkseg><trkseg>" +
             pt("52.02", "2026-03-01T07:10:00Z") + pt("52.03", "2026-03-01T07:10:20.5Z") +
             "</trkseg></trk>"
             "<trk><type>Cross_Country_Skiing</type><trkseg>" +
             pt("52.00", "2026-03-01T10:00:00+01:00") + pt("52.00", "2026-03-01T10:00:30+01:00") +
             "</trkseg></trk></gpx>",
         {{kMorningUnix, std::nullopt, "Running", 45.0, 2223.90, 0, 171, std::nullopt, "", 0, {}},
          {kMorningUnix + 7200,
           std::nullopt,
           "Cross country skiing",
           30.0,
           0.0,
           0,
           0,
           std::nullopt,
           "",
           0,
           {}}}},
        {"GPX 1.0 with a byte-order mark, no type, a point without time first",
         "\xEF\xBB\xBF<gpx version=\"1.0\"><trk><trkseg><trkpt lat=\"0\" lon=\"0\"/>"
         "<trkpt lat=\"0.01\" lon=\"0\"><time>2026-03-01T07:00:00Z</time></trkpt>"
         "</trkseg></trk></gpx>",
         {{kMorningUnix, std::nullopt, "Other", 0.0, 1111.95, 0, 0, std::nullopt, "", 0, {}}}},
        {"TCX: laps summed (not the track's running distance), HR weighted by lap time",
         R"(<TrainingCenterDatabase xmlns="http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2">
            <Activities><Activity Sport="Running"><Id>2026-03-01T07:00:00Z</Id>
              <Lap StartTime="2026-03-01T07:00:00Z"><TotalTimeSeconds>600</TotalTimeSeconds>
                <DistanceMeters>2000</DistanceMeters><Calories>150</Calories>
                <AverageHeartRateBpm><Value>140</Value></AverageHeartRateBpm>
                <MaximumHeartRateBpm><Value>160</Value></MaximumHeartRateBpm>
                <Track><Trackpoint><DistanceMeters>99999</DistanceMeters></Trackpoint></Track></Lap>
              <Lap StartTime="2026-03-01T07:10:00Z"><TotalTimeSeconds>300.5</TotalTimeSeconds>
                <DistanceMeters>1000.25</DistanceMeters><Calories>80.6</Calories>
                <AverageHeartRateBpm><Value>170</Value></AverageHeartRateBpm>
                <MaximumHeartRateBpm><Value>175</Value></MaximumHeartRateBpm></Lap>
            </Activity>
            <Activity Sport="Biking"><Id>2026-03-02T07:00:00Z</Id><Lap StartTime="x">
              <TotalTimeSeconds>60</TotalTimeSeconds>
              <Track><Trackpoint><Time>2026-03-02T07:00:00Z</Time></Trackpoint></Track></Lap>
            </Activity>
            <Activity Sport="Swimming"><Lap StartTime="2026-03-03T07:00:00Z"/></Activity>
            </Activities></TrainingCenterDatabase>)",
         {{kMorningUnix,
           std::nullopt,
           "Running",
           900.5,
           3000.25,
           231,
           175,
           (140.0 * 600 + 170.0 * 300.5) / 900.5,
           "",
           0,
           {}},
          {kMorningUnix + 86400, std::nullopt, "Biking", 60.0, 0.0, 0, 0, std::nullopt, "", 0, {}},
          {kMorningUnix + 2 * 86400,
           std::nullopt,
           "Other",
           0.0,
           0.0,
           0,
           0,
           std::nullopt,
           "",
           0,
           {}}}},
        // Handhelds begin with an empty "ACTIVE LOG"; planners add the route as a track
        // without times. Only what has times counts, distance and heart rate too: the
        // timeless segment's 0.01 degree and its hr 190 are left out.
        {"GPX: an empty track and a timeless one beside the recorded track",
         "<gpx><trk><name>ACTIVE LOG</name><trkseg>\n</trkseg></trk>"
         "<trk><name>Planned</name><trkseg><trkpt lat=\"1\" lon=\"1\"/><trkpt lat=\"1.1\" "
         "lon=\"1\"/></trkseg></trk>"
         "<trk><type>running</type><trkseg><trkpt lat=\"52.05\" lon=\"13.0\"><extensions><hr>190"
         "</hr></extensions></trkpt><trkpt lat=\"52.04\" lon=\"13.0\"/></trkseg><trkseg>" +
             pt("52.00", "2026-03-01T07:00:00Z") + pt("52.01", "2026-03-01T07:00:20Z") +
             "</trkseg></trk></gpx>",
         {{kMorningUnix, std::nullopt, "Running", 20.0, 1111.95, 0, 0, std::nullopt, "", 0, {}}}},
        // The second lap has neither a start nor a timed point: its 5 km and 300 kcal are
        // not counted; the second activity has no time at all and is left out.
        {"TCX: a lap and an activity without times beside timed ones",
         R"(<TrainingCenterDatabase><Activities>
            <Activity Sport="Running"><Id>2026-03-01T07:00:00Z</Id>
              <Lap StartTime="2026-03-01T07:00:00Z"><TotalTimeSeconds>600</TotalTimeSeconds>
                <DistanceMeters>2000</DistanceMeters><Calories>150</Calories></Lap>
              <Lap><TotalTimeSeconds>900</TotalTimeSeconds><DistanceMeters>5000</DistanceMeters>
                <Calories>300</Calories><MaximumHeartRateBpm><Value>190</Value>
                </MaximumHeartRateBpm></Lap></Activity>
            <Activity Sport="Biking"><Lap><TotalTimeSeconds>60</TotalTimeSeconds></Lap></Activity>
            </Activities></TrainingCenterDatabase>)",
         {{kMorningUnix, std::nullopt, "Running", 600.0, 2000.0, 150, 0, std::nullopt, "", 0, {}}}},
        {"FIT: a session without a start beside one with",
         FitWriter()
             .FileId(4)
             .Sessions({{0xFFFFFFFF, 2, 60000, 100000, 50, 0xFF, 0xFF}, kRun})
             .Bytes(),
         {{kMorningUnix, std::nullopt, "Running", 3600.5, 10000.0, 700, 180, 150.0, "", 0, {}}}},
    };
    for (const auto& c : kCases) {
        ExpectActivities(ReadBytes(c.bytes), c.expected, c.name);
        // One byte at a time: no message depends on arriving in one piece.
        ExpectActivities(ReadBytes(c.bytes, 1), c.expected, std::string(c.name) + " (bytewise)");
        ExpectActivities(ReadBytes(Gzip(c.bytes), 7), c.expected, std::string(c.name) + " (gzip)");
    }
}

TEST(ActivityFileTest, FilesGivingNoActivity) {
    const std::string good = FitWriter().FileId(4).Sessions({kRun}).Bytes();
    const struct {
        const char* name;
        std::string bytes;
        FileProblem problem;
    } kCases[] = {
        {"a data byte flipped", Flip(good, 60), FileProblem::CrcMismatch},
        {"the CRC flipped", Flip(good, good.size() - 1), FileProblem::CrcMismatch},
        {"the header's CRC flipped", Flip(good, 12), FileProblem::CrcMismatch},
        {"cut in a message", good.substr(0, 30), FileProblem::CutShort},
        {"cut before the CRC", good.substr(0, good.size() - 1), FileProblem::CutShort},
        {"a compressed file cut", Gzip(good).substr(0, 30), FileProblem::CutShort},
        {"a settings file", FitWriter().FileId(2).Sessions({kRun}).Bytes(),
         FileProblem::NotAnActivity},
        {"no file_id", FitWriter().Sessions({kRun}).Bytes(), FileProblem::NotAnActivity},
        {"an activity without sessions", FitWriter().FileId(4).Bytes(), FileProblem::NoActivity},
        {"a session without start",
         FitWriter().FileId(4).Sessions({{0xFFFFFFFF, 1, 1, 1, 1, 1, 1}}).Bytes(),
         FileProblem::WithoutTimes},
        {"a start counted from the device's power-on",
         FitWriter().FileId(4).Sessions({{5000, 1, 1, 1, 1, 1, 1}}).Bytes(),
         FileProblem::WithoutTimes},
        {"data of an undefined local type", FitWriter().FileId(4).Data(5, {}).Bytes(),
         FileProblem::Damaged},
        {"a message past the data size",
         FitWriter().Define(0, 0, {{0, 200, 0x0D}}).Raw(std::string(1, '\0')).Bytes(),
         FileProblem::Damaged},
        {"garbage after the file", good + "junk-junk-junk", FileProblem::Damaged},
        {"unknown content", "hello, world", FileProblem::UnknownContent},
        {"empty", "", FileProblem::UnknownContent},
        {"compressed garbage", Gzip("hello, world"), FileProblem::UnknownContent},
        {"a track without times",
         "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg></trk></gpx>",
         FileProblem::WithoutTimes},
        {"routes and waypoints only", "<gpx><wpt lat=\"1\" lon=\"1\"/></gpx>",
         FileProblem::NoActivity},
        {"another XML document", "<kml><Document/></kml>", FileProblem::UnknownContent},
        {"unclosed", "<gpx><trk>", FileProblem::NotXml},
        {"not well-formed", "<gpx><trk></gpx>", FileProblem::NotXml},
        {"entities are never expanded",
         "<!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
         "<gpx><trk><type>&b;</type></trk></gpx>",
         FileProblem::Damaged},
        {"external entities are never loaded",
         "<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><gpx>&x;</gpx>",
         FileProblem::Damaged},
        {"nesting without end",
         std::string("<gpx>") +
             [] {
                 std::string s;
                 for (int i = 0; i < 300; ++i) {
                     s += "<a>";
                 }
                 return s;
             }(),
         FileProblem::Damaged},
        {"a comment without end holds no more than a bounded token",
         "<gpx><!--" + std::string(2 * 1024 * 1024, 'a'), FileProblem::Damaged},
        {"control characters where a tag should be", std::string("<gpx>\x01\x1B[2J</gpx>"),
         FileProblem::NotXml},
        {"a TCX activity without Id or lap start",
         "<TrainingCenterDatabase><Activities><Activity Sport=\"Running\"><Lap/></Activity>"
         "</Activities></TrainingCenterDatabase>",
         FileProblem::WithoutTimes},
    };
    for (const auto& c : kCases) {
        const ActivityFileResult result = ReadBytes(c.bytes);
        EXPECT_EQ(result.problem, c.problem) << c.name << ": " << result.detail;
        EXPECT_TRUE(result.activities.empty()) << c.name;
        // The detail is the readers' own words, never the file's bytes (which may hold
        // control characters): printable ASCII only.
        for (const char ch : result.detail) {
            EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << c.name << ": " << result.detail;
        }
    }
}

TEST(ActivityFileTest, CommentsAndBlanksAreNotHeldAsOneToken) {
    std::string comments;
    for (int i = 0; i < 110000; ++i) {
        comments += "<!-- c -->"; // 10 bytes: 1,100,000 in all, past kMaxToken (1,048,576)
    }
    const std::string gpx =
        "<?xml version=\"1.0\"?>\n" + comments + std::string(1100000, '\n') +
        "<gpx><trk><trkseg><trkpt lat=\"52.00\" lon=\"13.0\"><time>2026-03-01T07:00:00Z"
        "</time></trkpt>" +
        comments +
        "<trkpt lat=\"52.00\" lon=\"13.0\"><time>2026-03-01T07:00:10Z</time></trkpt>"
        "</trkseg></trk></gpx>" +
        comments;
    ExpectActivities(
        ReadBytes(gpx),
        {{kMorningUnix, std::nullopt, "Other", 10.0, 0.0, 0, 0, std::nullopt, "", 0, {}}},
        "110,000 comments three times over");
}

TEST(ActivityFileTest, FolderNamesAreTakenByTheirEnds) {
    for (const char* name : {"a.fit", "A.FIT", "b.gpx.gz", "c.Tcx.GZ", "d.tcx"}) {
        EXPECT_TRUE(ActivityFile::HasActivityName(name)) << name;
    }
    for (const char* name : {"a.fit.bak", "fit", "a.gz", "a.csv", "a.gpxgz", ".fitx"}) {
        EXPECT_FALSE(ActivityFile::HasActivityName(name)) << name;
    }
}

} // namespace
