// The plan's reading: progress over the files of all operands, and stopping part way.

#include "activities/ActivityImportPlan.h"
#include "LocalZone.h"
#include "TempFolderTest.h"

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
    stopped.Decide(ActivityDays::Unit::Kilometres, nullptr, ActivityImportPlan::Existing::Refuse);
    ASSERT_EQ(stopped.Days().size(), 2u);
    EXPECT_EQ(stopped.Days()[1].day.record.dateKey, 20240306);
    EXPECT_EQ(stopped.Count(ActivityImportPlan::Fate::New), 2u);
    EXPECT_EQ(stopped.Records().size(), 2u);
}

} // namespace
