#include "cli/LogBookTool.h"
#include "ToolFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST_F(LogBookToolTest, ExportImportExportGivesTheSameBytes) {
    MakeLogbook(Path("a.vrl"));
    ASSERT_EQ(Run("export @a.vrl --output @a.csv"), 0) << err;
    const std::string first = Read(Path("a.csv"));
    EXPECT_EQ(first.rfind(kHeader, 0), 0u);
    EXPECT_TRUE(Holds(first, "\n2026-01-05,12.345,100:00:00,00:07:11,0.1,48,181,-12,1.5e-07,7.25,"
                             "-3,70.4,Y,H,\"Competition, Flat  \",\"Race, \"\"hard\"\"\nfelt € é "
                             "fine \xC2\x81  \"\n"));
    EXPECT_TRUE(Holds(first, "\n2026-01-06,0,00:00:00,00:00:00,0,0,0,0,0,0,0,0,N,E,,\n"));
    EXPECT_EQ(first.find("2026-01-07"), std::string::npos) << "erased days are never exported";

    ASSERT_EQ(Run("import @b.vrl @a.csv"), 0) << err;
    EXPECT_EQ(out, "imported 3 days into " + Path("b.vrl") + "\n");
    EXPECT_EQ(Export(Path("b.vrl")), first);
}

TEST_F(LogBookToolTest, ExportReplacesItsFileWholeAndLeavesNothingBehind) {
    MakeLogbook(Path("a.vrl"));
    const std::string expected = Export(Path("a.vrl"));
    Write(Path("a.csv"), std::string(100000, 'x'));
    ASSERT_EQ(Run("export @a.vrl --output @a.csv"), 0) << err;
    EXPECT_EQ(Read(Path("a.csv")), expected);
    EXPECT_EQ(FileCount(), 3) << "a.vrl, a.idx and a.csv";

    EXPECT_EQ(Run("export @a.vrl --output @none/a.csv"), 1);
    EXPECT_EQ(err, Said("none/a.csv",
                        "cannot be created: no such file or directory; nothing was exported"));
    EXPECT_EQ(Read(Path("a.csv")), expected);
}

TEST_F(LogBookToolTest, ExportSelectsByDateAndDayType) {
    MakeLogbook(Path("a.vrl"));
    ASSERT_EQ(Run("export @a.vrl --type competition"), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3); // header and a quoted break
    EXPECT_TRUE(Holds(out, "\n2026-01-05,"));
    ASSERT_EQ(Run("export @a.vrl --from=2026-01-06 --to 2026-02-28"), 0);
    EXPECT_EQ(out, std::string(kHeader) + "2026-01-06,0,00:00:00,00:00:00,0,0,0,0,0,0,0,0,N,E,,\n");
    ASSERT_EQ(Run("export @a.vrl --type training --from 2026-02-01"), 0);
    EXPECT_EQ(out, kHeader);
}

TEST_F(LogBookToolTest, BadRowsAreAllReportedAndNothingIsStored) {
    MakeLogbook(Path("a.vrl"));
    const std::string before = Read(Path("a.vrl"));
    const std::string beforeIndex = Read(Path("a.idx"));
    Write(Path("in.csv"),
          "comments,date,distance,time,competition,workout\n"
          ",2026-02-29,1,,,\n"                              // 2: not a calendar date
          ",1959-12-31,1,,,\n"                              // 3: before the first day
          ",2026-04-01,1.2.3,1:60:00,X,\n"                  // 4: number, duration, competition
          ",2026-04-02,1e99,,,\n"                           // 5: out of single precision
          ",2026-04-03,,,,abcdefghijabcdefghijabcdefghij\n" // 6: 30 bytes of workout
          "\"\xF0\x9F\x8F\x83\",2026-04-04,,,,\n"           // 7: no such character in the code page
          ",2026-04-05,,,\n"                                // 8: too few fields
          ",2026-04-06,,,,\n"                               // 9: good
          ",2026-04-06,,,,\n"                               // 10: repeats line 9
          ",2026-01-05,,,,\n"                               // 11: a live day without --replace
          ",2026-04-07,nan,,,\n"                            // 12: no measurement
          ",2026-04-08,-infinity,,,\n");                    // 13
    ASSERT_EQ(Run("import @a.vrl @in.csv"), 1);
    const std::string p = "veloria-logbook: " + Path("in.csv") + ": line ";
    for (const char* expected :
         {"2: date \"2026-02-29\" is not a date from 1960-01-01 to 2100-12-31",
          "3: date \"1959-12-31\" is not a date", "4: distance \"1.2.3\" is not a number",
          "4: time \"1:60:00\" is not a duration like 50:00 or 1:05:00 with minutes and seconds "
          "below 60",
          "4: competition \"X\" is not Y, N or empty", "5: distance \"1e99\" is not a number",
          "6: workout \"abcdefghijabcdefghijabcdefghij\" is longer than 29 bytes", "7: comments",
          "8: has 5 fields, the header 6", "10: date 2026-04-06 repeats line 9",
          "11: date 2026-01-05 already holds a day", "12: distance \"nan\" is not a number",
          "13: distance \"-infinity\" is not a number"}) {
        EXPECT_TRUE(Holds(err, p + expected));
    }
    EXPECT_EQ(err.find("line 9:"), std::string::npos);
    EXPECT_TRUE(Holds(err, "11 bad rows; nothing was stored"));
    EXPECT_EQ(Read(Path("a.vrl")), before);
    EXPECT_EQ(Read(Path("a.idx")), beforeIndex);

    ASSERT_EQ(Run("import @new.vrl @in.csv"), 1);
    EXPECT_FALSE(fs::exists(Path("new.vrl"))) << "a refused import creates no logbook";
}

// Durations are read as the logbook reads them: 50:00 and 5 are minutes.
TEST_F(LogBookToolTest, ImportKeepsOrReplacesLiveDaysAndMissingColumnsAreEmpty) {
    MakeLogbook(Path("a.vrl"));
    Write(Path("in.csv"), "date,calories,time,pace\n2026-01-05,2500,50:00,4:30\n"
                          "2026-01-07,10,1:05:00,5\n");
    ASSERT_EQ(Run("import @a.vrl @in.csv"), 1) << "2026-01-05 is a live day";
    // Kept: the new day goes in, the live day stays as it was.
    ASSERT_EQ(Run("import @a.vrl @in.csv --skip-existing"), 0) << err;
    EXPECT_EQ(out, "imported 1 day into " + Path("a.vrl") + "; 1 day already there kept\n");
    EXPECT_TRUE(Holds(Export(Path("a.vrl")), "\n2026-01-05,12.345,"));
    EXPECT_TRUE(Holds(out, "\n2026-01-07,0,01:05:00,00:05:00,0,0,0,10,0,0,0,0,,,,\n"));
    ASSERT_EQ(Run("import @a.vrl @in.csv --replace"), 0) << err;
    ASSERT_EQ(Run("export @a.vrl --to 2026-01-07"), 0);
    EXPECT_EQ(out, std::string(kHeader) + "2026-01-05,0,00:50:00,00:04:30,0,0,0,2500,0,0,0,0,,,,\n"
                                          "2026-01-06,0,00:00:00,00:00:00,0,0,0,0,0,0,0,0,N,E,,\n"
                                          "2026-01-07,0,01:05:00,00:05:00,0,0,0,10,0,0,0,0,,,,\n");
}

TEST_F(LogBookToolTest, HeaderProblemsAreReportedOnLineOne) {
    Write(Path("y.csv"), "distance,time\n1,00:01:00\n");
    EXPECT_EQ(Run("import @a.vrl @y.csv"), 1);
    EXPECT_TRUE(Holds(err, "line 1: no date column"));
    EXPECT_EQ(Run("import @a.vrl @missing.csv"), 1);
    EXPECT_FALSE(fs::exists(Path("a.vrl")));
}

TEST_F(LogBookToolTest, CheckReportsWithoutChangingAndRepairRebuilds) {
    MakeLogbook(Path("a.vrl"));
    ASSERT_EQ(Run("check @a.vrl"), 0) << err;
    // The erased day gave its record to the day stored after it.
    EXPECT_TRUE(Holds(out, "live days: 3\nerased days: 1\nrecords: 3\nindex: ok\n"));

    // An index from before the last day was added: one record too few.
    const std::string index = Read(Path("a.idx"));
    Truncate(Path("a.idx"), index.size() - 9);
    ASSERT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "index: stale ("));
    EXPECT_TRUE(Holds(out, "live days: 3 (counted from the data file)"));
    EXPECT_EQ(Read(Path("a.idx")).size(), index.size() - 9) << "check alone changes nothing";

    ASSERT_EQ(Run("check @a.vrl --repair"), 0) << err;
    EXPECT_TRUE(
        Holds(out, "index: ok\nrepair: rebuilt the index from the data file (it was stale"));
    // A rebuilt index forgets the erased day whose record went to another day.
    EXPECT_TRUE(Holds(out, "live days: 3\nerased days: 0\nrecords: 3\n"));
    EXPECT_EQ(Run("check @a.vrl"), 0);

    fs::remove(Path("a.idx"));
    EXPECT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "index: missing (no index file)"));

    EXPECT_EQ(Run("check @none.vrl"), 1);
    EXPECT_FALSE(fs::exists(Path("none.vrl")));
    EXPECT_EQ(Run("check @none.vrl --repair"), 0);
    EXPECT_TRUE(fs::exists(Path("none.vrl")) && fs::exists(Path("none.idx")));
}

// Each command takes only its own options: another command's option, a value given to a
// flag, a missing value, a bad value or a wrong count of operands is a usage error naming
// it, followed by the usage.
TEST_F(LogBookToolTest, EachCommandTakesOnlyItsOwnOptions) {
    const struct {
        const char* line; // words split at blanks
        const char* firstLine;
    } kCases[] = {
        {"export a --csv", "unknown option --csv for export"},
        {"import a b --output c", "unknown option --output for import"},
        {"check a --from 2026-01-01", "unknown option --from for check"},
        {"stats a --category time", "unknown option --category for stats"},
        {"calendar a --type all", "unknown option --type for calendar"},
        {"graph a --month=2026-01", "unknown option --month for graph"},
        {"report a --replace", "unknown option --replace for report"},
        {"stats a --csv=yes", "--csv takes no value"},
        {"report a --no-page-numbers=", "--no-page-numbers takes no value"},
        {"report a --title", "--title needs a value"},
        {"import a", "import needs LOGBOOK and a FILE-OR-FOLDER"},
        {"import a b.fit c.CSV", "c.CSV: a CSV file is imported alone, not among activity files"},
        {"import a b --replace --skip-existing",
         "--replace and --skip-existing exclude each other"},
        {"import a b.csv --unit mi", "--unit is for activity files, not CSV"},
        {"import a b.fit --unit miles", "--unit must be km or mi"},
        {"calendar --month 2026-01", "calendar needs exactly one LOGBOOK"},
        {"stats a --", "unknown option -- for stats"},
        {"", "no command given"},
        {"frobnicate x", "unknown command \"frobnicate\""},
        {"export", "export needs exactly one LOGBOOK"},
        {"export a --type races", "--type must be all, training or competition"},
        {"export a --from 2026-1-5",
         "--from \"2026-1-5\" is not a date from 1960-01-01 to 2100-12-31"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Run(c.line), 2) << c.firstLine;
        EXPECT_EQ(err, std::string("veloria-logbook: ") + c.firstLine + "\n" + LogBookTool::kUsage);
        EXPECT_EQ(out, "");
    }
    // A flag's value is its own argument no more: the name that follows is an operand.
    MakeLogbook(Path("a.vrl"));
    EXPECT_EQ(Run("check --repair @a.vrl"), 0) << err;
    // A value that looks like an option is still the value.
    EXPECT_EQ(Run("report @a.vrl --title --no-title-page"), 0) << err;
    EXPECT_TRUE(Holds(out, "Report Title      :  --no-title-page\n"));
}

TEST_F(LogBookToolTest, HelpGoesToStandardOutput) {
    EXPECT_EQ(Run({"check", "--help"}), 0);
    EXPECT_EQ(out, LogBookTool::kUsage);
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(out, "veloria-logbook 3.2\n");
}

} // namespace
