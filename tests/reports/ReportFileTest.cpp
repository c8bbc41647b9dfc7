#include "reports/ReportFile.h"
#include "views/ViewSelection.h"

#include "store/FileSizeLimit.h"
#include "store/LogbookFixture.h"

#include <gtest/gtest.h>

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

class ReportFileTest : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        ASSERT_EQ(database.Open(Path("log.vrl")), LogBookDatabase::OpenResult::Opened);
        ASSERT_TRUE(selection.SetRange(kJan05, kJan14));
    }
    void TearDown() override {
        database.Close();
        LogbookFixture::TearDown();
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

// The title page's and the day blocks' lines are ReportPagesTest's; here, where they lie.
TEST_F(ReportFileTest, PagesOf66LinesNumberedFromTheFirstWrittenPage) {
    // The last day lies after the range.
    for (const std::int32_t key : {19960105, 19960106, 19960108, 19960114, 19960115}) {
        ASSERT_EQ(database.StoreRecord(Day(key)), LogBookDatabase::StoreResult::Stored);
    }
    const auto lines = Lines(Text(true, true));
    ASSERT_EQ(lines.size(), 3U * 66U);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Report Title      :  ");
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

    // Without the title page the first day page is "001"; without numbers, no number and no
    // form feed, the page still 66 lines.
    const auto days = Lines(Text(false, true));
    ASSERT_EQ(days.size(), 2U * 66U);
    EXPECT_EQ(days[3].substr(0, 31), "Date             :  JAN-05-1996");
    EXPECT_EQ(days[63], "                                      001");
    const std::string plain = Text(false, false);
    EXPECT_EQ(plain.find('\f'), std::string::npos);
    const auto unnumbered = Lines(plain);
    ASSERT_EQ(unnumbered.size(), 2U * 66U);
    for (const int i : {63, 64, 66 + 63}) {
        EXPECT_EQ(unnumbered[i], "") << i;
    }
}

TEST_F(ReportFileTest, AnEmptyRangeGivesTheTitlePageOrNothing) {
    EXPECT_EQ(Lines(Text(true, true)).size(), 66U);
    EXPECT_EQ(Text(false, true), "");
}

// The file is written whole through the store's writer, which is tested on its own; here what
// the report says when it is refused or fails, and that the earlier file stays.
TEST_F(ReportFileTest, ARefusedOrFailedWriteIsSaidAndLeavesTheEarlierFile) {
    const std::string path = Path("report.txt");
    const std::string logbook = Read(Path("log.vrl"));
    EXPECT_EQ(ReportFile::Write(path, "new report\n", reporter, Path("log.vrl")), 1);
    EXPECT_EQ(Read(path), "new report\n");
    EXPECT_EQ(ReportFile::Write(Path("log.vrl"), "report\n", reporter, Path("log.vrl")), 0);
    {
        FileSizeLimit limit(1000); // the disk refuses the 1001st byte
        EXPECT_EQ(ReportFile::Write(path, std::string(5000, 'r'), reporter), 0);
    }
    EXPECT_EQ(ReportFile::Write(Path("gone/report.txt"), "x", reporter), 0);
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{
                                     Path("log.vrl") + ": is the open logbook or its index",
                                     "Cannot create report file.", "Cannot create report file."}));
    EXPECT_EQ(Read(path), "new report\n");
    EXPECT_EQ(Read(Path("log.vrl")), logbook);
    EXPECT_EQ(Leftovers(), 0);
}

} // namespace
