// veloria-logbook records on a season built from typed days and real watch files, its marks
// and the best efforts an import keeps.
#include "activities/LocalZone.h"
#include "records/SeasonLogbook.h"

#include "cli/ToolFixture.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class RecordsCommandTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        MakeLogbook(Path("log.vrl"), season::TypedDays());
        files = season::WriteFiles(folder.string(), VELORIA_RECORDED_DIR);
        Import();
    }
    int Import() {
        std::vector<std::string> words{"import", Path("log.vrl")};
        words.insert(words.end(), files.begin(), files.end());
        return Run(words);
    }
    // The statement run on the activities file by hand, as another program would.
    void Sql(const char* statement) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(Path("log.vra").c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, statement, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    LocalZone utc{"UTC"};
    std::vector<std::string> files;
};

// The interval session's 5 km in 0:18:00 is the fastest of the season and never a race best;
// the glitch leads every day record until it is left out.
TEST_F(RecordsCommandTest, MarksAndTheListsTheyMake) {
    ASSERT_EQ(Run("records @log.vrl --race 2025-09-06T07:00"), 0) << err;
    EXPECT_EQ(out.substr(0, out.find('\n') + 1), "2025-09-06 07:00 Running counted as a race\n");
    EXPECT_NE(out.find("  Longest distance\n     1. 2025-08-10  60.00 km  5:00:00\n"),
              std::string::npos);
    EXPECT_NE(out.find("     1. 2025-W32  60.00 km\n"), std::string::npos);
    EXPECT_NE(out.find("     1. Aug 2025  65.00 km\n"), std::string::npos) << "60 + 5 km";

    ASSERT_EQ(Run("records @log.vrl --not-for-records 2025-08-10"), 0) << err;
    EXPECT_EQ(out, std::string("2025-08-10 left out of records\n") + season::kRunningRecords);
    ASSERT_EQ(Run("records @log.vrl"), 0) << err;
    EXPECT_EQ(out, season::kRunningRecords);
    EXPECT_EQ(out.find("5 km\n     1. 2025-05-20"), std::string::npos);

    // Counted again: back at the head of the day records.
    ASSERT_EQ(Run("records @log.vrl --for-records 2025-08-10 --not-race 2025-09-06T07:00"), 0);
    EXPECT_NE(out.find("  Longest distance\n     1. 2025-08-10  60.00 km"), std::string::npos);
    EXPECT_NE(out.find("  10 km\n     1. 2025-05-04  0:41:40  10.03 km, competition\n  15 km"),
              std::string::npos)
        << out;
}

TEST_F(RecordsCommandTest, CsvAndOtherSports) {
    ASSERT_EQ(Run("records @log.vrl --not-for-records 2025-08-10"), 0);
    ASSERT_EQ(Run("records @log.vrl --csv"), 0);
    EXPECT_EQ(out.substr(0, out.find("Day records")),
              "kind,sport,record,rank,date,figure,detail\n"
              "Race bests,Running,5 km,1,2025-04-13,0:19:58,\"5.02 km, competition\"\n"
              "Race bests,Running,5 km,2,2025-08-03,0:19:58,\"5.00 km, competition\"\n"
              "Race bests,Running,5 km,3,2025-03-09,0:20:30,\"5.00 km, competition\"\n"
              "Race bests,Running,10 km,1,2025-05-04,0:41:40,\"10.03 km, competition\"\n"
              "Race bests,Running,Half marathon,1,2025-06-01,1:32:10,\"21.10 km, competition\"\n");
    EXPECT_NE(out.find("Left out,Running,2025-08-10,,2025-08-10,,not for records\n"),
              std::string::npos);

    EXPECT_EQ(Run("records @log.vrl --sport Ride"), 1);
    EXPECT_EQ(err, "veloria-logbook: no records of Ride; there are records of Running\n");
}

TEST_F(RecordsCommandTest, MarksNeedADayOrAStartThatIsThere) {
    EXPECT_EQ(Run("records @log.vrl --race 2025-09-06"), 2);
    EXPECT_EQ(err.rfind("veloria-logbook: --race needs an activity's start: YYYY-MM-DDTHH:MM\n"
                        "usage: ",
                        0),
              0U)
        << err;
    EXPECT_EQ(Run("records @log.vrl --race 2025-09-06T08:00"), 1);
    EXPECT_EQ(err, "veloria-logbook: no activity starts at 2025-09-06T08:00\n");
    EXPECT_EQ(Run("records @log.vrl --not-for-records 2025-13-01"), 2);
}

// The biggest week follows the settings file's first day: 10 Aug 2025, the glitch's day, is
// a Sunday, the last day of ISO week 32 and the first of a Sunday week.
TEST_F(RecordsCommandTest, TheBiggestWeekBeginsOnTheSettingsDay) {
    std::filesystem::create_directories(Path("config/veloria"));
    Write(Path("config/veloria/vrl.ini"), "[GENERAL INFO]\nVERSION=3.2\nWEEKSTART=sun\n");
    ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    const int status = Run("records @log.vrl");
    ::unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(status, 0) << err;
    EXPECT_NE(out.find("  Biggest week\n     1. week of 10 Aug 2025  "), std::string::npos) << out;
}

// Files imported before their tracks were read, or whose efforts are gone: importing them
// again leaves their activities as they are and fills in the efforts.
TEST_F(RecordsCommandTest, ReimportFillsInTheBestEfforts) {
    Sql("DELETE FROM best_effort");
    ASSERT_EQ(Run("records @log.vrl"), 0);
    EXPECT_NE(out.find("Best efforts from tracks (Running)\n  1 km: none\n"), std::string::npos);
    EXPECT_EQ(Import(), 1) << "each file is left out as imported already";
    ASSERT_EQ(Run("records @log.vrl"), 0);
    EXPECT_NE(out.find("  1 km\n     1. 2025-09-06  0:03:20  in 10.00 km\n"
                       "     2. 2025-09-13  0:03:36  in 5.00 km\n"
                       "     3. 2007-08-07  0:06:02  in 8.35 km\n"),
              std::string::npos)
        << out;
}

} // namespace
