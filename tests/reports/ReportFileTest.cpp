#include "reports/ReportFile.h"
#include "views/ViewSelection.h"

#include "FileSizeLimit.h"
#include "TempFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DateValue kJan05 = DateValue::Of(1996, 1, 5);  // a Friday
const DateValue kJan14 = DateValue::Of(1996, 1, 14); // a Sunday

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ReportFileTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_EQ(database.Open(Path("log.vrl")), LogBookDatabase::OpenResult::Opened);
        ASSERT_TRUE(selection.SetRange(kJan05, kJan14));
    }
    void TearDown() override {
        database.Close();
        TempFolderTest::TearDown();
    }
    void Store(std::int32_t key, const char* workout = "") {
        DayRecord day = DayRecord::Blank(key);
        day.competition = 'N';
        std::snprintf(day.workout, sizeof day.workout, "%s", workout);
        ASSERT_EQ(database.StoreRecord(day), LogBookDatabase::StoreResult::Stored);
    }
    // Files of a write that did not finish.
    int Leftovers() const {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            count += entry.path().filename().string().find(".tmp-") != std::string::npos;
        }
        return count;
    }
    std::string Text(bool titlePage, bool pageNumbers) {
        ReportOptions options;
        options.titlePage = titlePage;
        options.pageNumbers = pageNumbers;
        return ReportFile::Text(database, selection, options);
    }

    RecordingReporter reporter;
    DateUtility dates;
    LogBookDatabase database{reporter, dates};
    ViewSelection selection{dates, kJan14};
};

TEST_F(ReportFileTest, PagesOf66LinesNumberedFromTheFirstWrittenPage) {
    for (std::int32_t key : {19960105, 19960106, 19960108, 19960114}) {
        Store(key);
    }
    Store(19960115); // after the range
    const auto lines = Lines(Text(true, true));
    ASSERT_EQ(lines.size(), 3U * 66U);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Report Title      :  ");
    EXPECT_EQ(lines[8], "No. of Entries    :  004");
    EXPECT_EQ(lines[11], "Day Type          :  ALL DAYS   ");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[62], "");
    EXPECT_EQ(lines[63], "                                      001");
    EXPECT_EQ(lines[64], "\f");
    EXPECT_EQ(lines[65], "");
    // The first day page: three blocks of fifteen lines after three blank lines.
    EXPECT_EQ(lines[66 + 3].substr(0, 31), "Date             :  JAN-05-1996");
    EXPECT_EQ(lines[66 + 18].substr(0, 31), "Date             :  JAN-06-1996");
    EXPECT_EQ(lines[66 + 33].substr(0, 31), "Date             :  JAN-08-1996");
    EXPECT_EQ(lines[66 + 47], " ");
    EXPECT_EQ(lines[66 + 48], "");
    EXPECT_EQ(lines[66 + 63], "                                      002");
    EXPECT_EQ(lines[132 + 3].substr(0, 31), "Date             :  JAN-14-1996");
    EXPECT_EQ(lines[132 + 18], "");
    EXPECT_EQ(lines[132 + 63], "                                      003");

    // Without the title page the first day page is "001".
    const auto days = Lines(Text(false, true));
    ASSERT_EQ(days.size(), 2U * 66U);
    EXPECT_EQ(days[3].substr(0, 31), "Date             :  JAN-05-1996");
    EXPECT_EQ(days[63], "                                      001");
    EXPECT_EQ(days[66 + 63], "                                      002");
}

TEST_F(ReportFileTest, WithoutPageNumbersNoFormFeed) {
    Store(19960107);
    const std::string text = Text(true, false);
    EXPECT_EQ(text.find('\f'), std::string::npos);
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 2U * 66U);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 132);
    for (int i = 48; i < 66; ++i) {
        EXPECT_EQ(lines[66 + i], "") << i;
    }
}

TEST_F(ReportFileTest, AnEmptyRangeGivesTheTitlePageOrNothing) {
    const auto lines = Lines(Text(true, true));
    ASSERT_EQ(lines.size(), 66U);
    EXPECT_EQ(lines[7], "Days in Range     :  010");
    EXPECT_EQ(lines[9], "Missed Entries    :  010");
    EXPECT_EQ(lines[10], "No. of Pages      :  001");
    EXPECT_EQ(Text(false, true), "");
}

TEST_F(ReportFileTest, RecordCharactersBecomeUtf8LineByLine) {
    Store(19960105, "Caf\xe9 \x80 run");
    ReportOptions options;
    options.title = "R\xe9sum\xe9";
    const auto lines = Lines(ReportFile::Text(database, selection, options));
    ASSERT_EQ(lines.size(), 2U * 66U);
    EXPECT_EQ(lines[3], "Report Title      :  R\u00e9sum\u00e9");
    EXPECT_EQ(lines[66 + 11], "Workout          :  Caf\u00e9 \u20ac run");
}

TEST_F(ReportFileTest, WritesALongPathAndReplacesTheEarlierFile) {
    // Mend: the path is as long as it is, well past 255 characters.
    std::string deep = folder.string();
    for (int i = 0; i < 4; ++i) {
        deep += "/" + std::string(90, 'd');
    }
    std::filesystem::create_directories(deep);
    const std::string path = deep + "/report.txt";
    ASSERT_GT(path.size(), 380U);
    Write(path, "old report");
    EXPECT_EQ(ReportFile::Write(path, "new report\n", reporter), 1);
    EXPECT_EQ(Read(path), "new report\n");
    EXPECT_TRUE(reporter.messages.empty());
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(deep),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ReportFileTest, AFailedWriteLeavesTheEarlierFileAsItWas) {
    const std::string path = Path("report.txt");
    Write(path, "old report");
    {
        FileSizeLimit limit(1000); // the disk refuses the 1001st byte
        EXPECT_EQ(ReportFile::Write(path, std::string(5000, 'r'), reporter), 0);
    }
    EXPECT_EQ(Read(path), "old report");
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Cannot create report file."});
    EXPECT_EQ(Leftovers(), 0);

    // A folder that is not there.
    reporter.messages.clear();
    EXPECT_EQ(ReportFile::Write(Path("gone/report.txt"), "x", reporter), 0);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Cannot create report file."});
}

TEST_F(ReportFileTest, ASymbolicLinkIsFollowedAndKept) {
    const std::string target = Path("elsewhere.txt");
    Write(target, "earlier report");
    std::filesystem::create_symlink("elsewhere.txt", Path("report.txt"));
    EXPECT_EQ(ReportFile::Write(Path("report.txt"), "report\n", reporter), 1);
    EXPECT_EQ(Read(target), "report\n");
    EXPECT_TRUE(std::filesystem::is_symlink(Path("report.txt")));
}

TEST_F(ReportFileTest, TheOpenLogbookIsRefusedWithTheReason) {
    const std::string before = Read(Path("log.vrl"));
    EXPECT_EQ(ReportFile::Write(Path("log.vrl"), "report\n", reporter, Path("log.vrl")), 0);
    EXPECT_EQ(reporter.messages,
              std::vector<std::string>{Path("log.vrl") + ": is the open logbook or its index"});
    EXPECT_EQ(Read(Path("log.vrl")), before);
}

} // namespace
