// veloria-logbook against what a careless or hostile user gives it: an index left by a
// killed program, odd names and file kinds, closed streams, huge or broken CSV, a full disk.

#include "FileSizeLimit.h"
#include "ToolFixture.h"

#include "cli/CsvText.h"
#include "cli/DayCsv.h"
#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using LogBookToolHostileTest = LogBookToolTest;

TEST_F(LogBookToolHostileTest, CheckNamesAFlagTheIndexGotWrong) {
    MakeLogbook(Path("a.vrl"));
    {
        // Erased, then the program is killed before it closes the logbook.
        RecordingReporter reporter;
        DateUtility dates;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(Path("a.vrl")), LogBookDatabase::OpenResult::Opened);
        ASSERT_EQ(db.EraseDay(Date(20260106)), LogBookDatabase::StoreResult::Stored);
    }
    EXPECT_EQ(Run({"check", Path("a.vrl")}), 1);
    EXPECT_NE(out.find("index: stale (entry 1: day 20260106 has flags 2, its record says 4)"),
              std::string::npos)
        << out;
    ASSERT_EQ(Run({"export", Path("a.vrl")}), 0) << err;
    EXPECT_EQ(out.find("2026-01-06"), std::string::npos) << out;
    ASSERT_EQ(Run({"check", Path("a.vrl"), "--repair"}), 0) << err;
    EXPECT_NE(out.find("live days: 2\n"), std::string::npos) << out;
}

TEST_F(LogBookToolHostileTest, TwoImportsIntoANewLogbookNeverBothSucceed) {
    // Long files keep both importers busy with their rows at the same time; they overlap
    // in one day, 2026-05-02, which only the winner may store.
    DateUtility dates;
    auto rows = [&](std::int32_t firstKey, const char* calories) {
        std::string csv = "date,calories\n";
        DateValue day;
        dates.DateOfKey(firstKey, day);
        for (int i = 0; i < 1500; ++i, dates.SubtractDays(day, 1)) {
            csv += DateUtility::KeyText(dates.KeyOfDate(day)) + "," + calories + "\n";
        }
        return csv;
    };
    Write(Path("one.csv"), rows(20260502, "1"));
    Write(Path("two.csv"), "date,calories\n2026-05-03,2\n" + rows(20260502, "2").substr(14));
    for (int trial = 0; trial < 30; ++trial) {
        SCOPED_TRACE(trial);
        const std::string logbook = Path("race" + std::to_string(trial) + ".vrl");
        const pid_t one = Spawn({"import", logbook, Path("one.csv")});
        const pid_t two = Spawn({"import", logbook, Path("two.csv")});
        const int first = Wait(one);
        const int second = Wait(two);
        ASSERT_TRUE((first == 0) != (second == 0)) << first << " " << second;
        ASSERT_EQ(Run({"export", logbook, "--from", "2026-05-02"}), 0);
        EXPECT_EQ(out, std::string(kHeader) +
                           (first == 0 ? "2026-05-02,0,00:00:00,00:00:00,0,0,0,1,0,0,0,0,,,,\n"
                                       : "2026-05-02,0,00:00:00,00:00:00,0,0,0,2,0,0,0,0,,,,\n"
                                         "2026-05-03,0,00:00:00,00:00:00,0,0,0,2,0,0,0,0,,,,\n"));
    }
}

TEST_F(LogBookToolHostileTest, NamesThatAreTheIndexOrTheLogbookAreRefused) {
    Write(Path("d.csv"), "date\n2026-01-01\n2026-01-02\n2026-01-03\n");
    EXPECT_EQ(Run({"import", Path("season.idx"), Path("d.csv")}), 1);
    EXPECT_NE(err.find("Logbook file name is that of its own index (.idx)."), std::string::npos)
        << err;
    EXPECT_FALSE(fs::exists(Path("season.idx")));

    MakeLogbook(Path("a.vrl"));
    const std::string data = Read(Path("a.vrl"));
    const std::string index = Read(Path("a.idx"));
    for (const char* target : {"a.vrl", "a.idx"}) {
        EXPECT_EQ(Run({"export", Path("a.vrl"), "--output", Path(target)}), 1) << target;
        EXPECT_NE(err.find("is the open logbook or its index; nothing was exported"),
                  std::string::npos)
            << err;
    }
    fs::create_symlink(Path("a.vrl"), Path("link.csv"));
    EXPECT_EQ(Run({"export", Path("a.vrl"), "--output", Path("link.csv")}), 1);
    EXPECT_EQ(Read(Path("a.vrl")), data);
    EXPECT_EQ(Read(Path("a.idx")), index);
}

TEST_F(LogBookToolHostileTest, ClosedStandardStreamsNeverBecomeTheLogbook) {
    MakeLogbook(Path("a.vrl"));
    Write(Path("bad.csv"), "date\nnot a date\n");
    const std::string data = Read(Path("a.vrl"));
    EXPECT_EQ(Wait(Spawn({"export", Path("a.vrl")}, {1})), 0) << "standard output is /dev/null";
    EXPECT_EQ(Wait(Spawn({"import", Path("a.vrl"), Path("bad.csv")}, {2})), 1);
    EXPECT_EQ(Wait(Spawn({"check", Path("a.vrl")}, {0, 1, 2})), 0);
    EXPECT_EQ(Read(Path("a.vrl")), data);
}

TEST_F(LogBookToolHostileTest, ExportWritesThroughNoLinkThatIsAlreadyThere) {
    MakeLogbook(Path("a.vrl"));
    Write(Path("victim.txt"), "precious");
    fs::create_symlink(Path("victim.txt"), Path("out.csv.part"));
    ASSERT_EQ(Run({"export", Path("a.vrl"), "--output", Path("out.csv")}), 0) << err;
    EXPECT_EQ(Read(Path("victim.txt")), "precious");
    EXPECT_EQ(Read(Path("out.csv")).rfind("date,distance,", 0), 0u);
    EXPECT_FALSE(fs::is_symlink(Path("out.csv")));
    EXPECT_EQ(FileCount(), 5); // a.vrl, a.idx, victim.txt, the link, out.csv
}

TEST_F(LogBookToolHostileTest, FifosAndDevicesAreRefusedAtOnce) {
    ::alarm(20); // opening a FIFO for reading would wait here for ever
    MakeLogbook(Path("a.vrl"));
    ASSERT_EQ(::mkfifo(Path("in.csv").c_str(), 0644), 0);
    EXPECT_EQ(Run({"import", Path("a.vrl"), Path("in.csv")}), 1);
    EXPECT_NE(err.find("in.csv: is not a regular file"), std::string::npos) << err;
    EXPECT_EQ(Run({"import", Path("a.vrl"), "/dev/zero"}), 1);
    EXPECT_NE(err.find("/dev/zero: is not a regular file"), std::string::npos) << err;

    ASSERT_EQ(::mkfifo(Path("f.vrl").c_str(), 0644), 0);
    for (auto args : std::vector<std::vector<std::string>>{{"export", Path("f.vrl")},
                                                           {"check", Path("f.vrl")},
                                                           {"check", Path("f.vrl"), "--repair"}}) {
        EXPECT_EQ(Run(args), 1) << args[0];
        EXPECT_NE(err.find("not a regular file"), std::string::npos) << err;
    }
    fs::remove(Path("a.idx"));
    ASSERT_EQ(::mkfifo(Path("a.idx").c_str(), 0644), 0);
    EXPECT_EQ(Run({"export", Path("a.vrl")}), 1);
    EXPECT_NE(err.find("Index file is not a regular file."), std::string::npos) << err;
    EXPECT_EQ(Run({"export", Path("a.vrl"), "--output", "/dev/null"}), 1);
    ::alarm(0);
}

TEST_F(LogBookToolHostileTest, AFileLargerThanALogbookIsRefusedByEveryCommand) {
    Write(Path("big.vrl"), "");
    ASSERT_EQ(::truncate(Path("big.vrl").c_str(), 6000000000), 0); // sparse: no disk
    for (auto args : std::vector<std::vector<std::string>>{
             {"export", Path("big.vrl")}, {"check", Path("big.vrl")}, {"stats", Path("big.vrl")}}) {
        EXPECT_EQ(Run(args), 1) << args[0];
        EXPECT_NE(err.find("big.vrl"), std::string::npos) << err;
        EXPECT_NE(err.find("is larger than a logbook can be (more than 1000000 records of 340 "
                           "bytes)"),
                  std::string::npos)
            << err;
    }
    EXPECT_EQ(fs::file_size(Path("big.vrl")), 6000000000U);
    EXPECT_FALSE(fs::exists(Path("big.idx")));
}

TEST_F(LogBookToolHostileTest, HugeRowsAreRefusedAfterTheHeaderIsChecked) {
    MakeLogbook(Path("a.vrl"));
    Write(Path("commas.csv"), "date\n" + std::string(3 * 1024 * 1024, ','));
    EXPECT_EQ(Run({"import", Path("a.vrl"), Path("commas.csv")}), 1);
    EXPECT_NE(err.find("commas.csv: line 2: row too long; nothing was stored"), std::string::npos)
        << err.substr(0, 300);
    Write(Path("header.csv"), "date,color\n" + std::string(3 * 1024 * 1024, 'x'));
    EXPECT_EQ(Run({"import", Path("a.vrl"), Path("header.csv")}), 1);
    EXPECT_NE(err.find("line 1: unknown column \"color\""), std::string::npos) << err;
    // A row just within the limit is read (and refused for what it holds).
    Write(Path("long.csv"), "date,comments\n2026-02-01," + std::string(65000, 'c') + "\n");
    EXPECT_EQ(Run({"import", Path("a.vrl"), Path("long.csv")}), 1);
    EXPECT_NE(err.find("line 2: comments \"cccc"), std::string::npos) << err.substr(0, 300);
}

TEST_F(LogBookToolHostileTest, AFailedWriteLeavesTheLogbookAsItWasAndSaysSoOnce) {
    MakeLogbook(Path("a.vrl"));
    std::string csv = "date,distance\n";
    DateUtility dates;
    DateValue day;
    dates.DateOfKey(20300101, day);
    for (int i = 0; i < 1000; ++i, dates.AddDays(day, 1)) {
        csv += DateUtility::KeyText(dates.KeyOfDate(day)) + ",1\n";
    }
    Write(Path("many.csv"), csv);
    const std::string data = Read(Path("a.vrl"));
    const std::string index = Read(Path("a.idx"));
    {
        const FileSizeLimit limit(data.size() + 400 * 340);
        EXPECT_EQ(Run({"import", Path("a.vrl"), Path("many.csv")}), 1);
    }
    EXPECT_EQ(err, "veloria-logbook: " + Path("a.vrl") + ": Error storing database record.\n" +
                       "veloria-logbook: " + Path("a.vrl") +
                       ": nothing was imported; the logbook is as it was\n");
    EXPECT_EQ(Read(Path("a.vrl")), data);
    EXPECT_EQ(Read(Path("a.idx")), index);
    EXPECT_EQ(FileCount(), 3);
    ASSERT_EQ(Run({"import", Path("a.vrl"), Path("many.csv")}), 0) << err;
    EXPECT_EQ(out, "imported 1000 days into " + Path("a.vrl") + "\n");
}

TEST_F(LogBookToolHostileTest, RecordsNoProgramWroteAreListedAndNeverExported) {
    MakeLogbook(Path("a.vrl"));
    Append(Path("a.vrl"), RecordBytes(Day(0)) + RecordBytes(Day(-5)) + RecordBytes(Day(20261399)));
    const std::string data = Read(Path("a.vrl"));
    EXPECT_EQ(Run({"check", Path("a.vrl")}), 1);
    EXPECT_NE(out.find("records: 6\n"
                       "record at slot 3 has no valid date; left out\n"
                       "record at slot 4 has no valid date; left out\n"
                       "record at slot 5 has no valid date; left out\n"),
              std::string::npos)
        << out;
    ASSERT_EQ(Run({"export", Path("a.vrl")}), 0);
    EXPECT_EQ(out.find("2026-13-99"), std::string::npos) << out;
    EXPECT_EQ(out.find("0000-00-00"), std::string::npos) << out;
    EXPECT_EQ(Run({"check", Path("a.vrl"), "--repair"}), 0) << out;
    EXPECT_EQ(Read(Path("a.vrl")), data) << "their bytes stay";
}

TEST_F(LogBookToolHostileTest, RepairCutsARecordCutShortAndKeepsItsBytes) {
    MakeLogbook(Path("a.vrl"));
    const std::string whole = Read(Path("a.vrl"));
    Append(Path("a.vrl"), "torn record");
    EXPECT_EQ(Run({"check", Path("a.vrl")}), 1);
    EXPECT_NE(out.find("data file: ends in 11 bytes that are not a whole record"),
              std::string::npos)
        << out;
    ASSERT_EQ(Run({"check", Path("a.vrl"), "--repair"}), 0) << out << err;
    EXPECT_NE(out.find("repair: cut the record cut short from the data file; its bytes are in " +
                       Path("a.vrl.tail")),
              std::string::npos)
        << out;
    EXPECT_EQ(Read(Path("a.vrl")), whole);
    EXPECT_EQ(Read(Path("a.vrl.tail")), "torn record");
    EXPECT_EQ(Run({"check", Path("a.vrl")}), 0) << out;

    Write(Path("a.vrl"), whole + "another");
    ASSERT_EQ(Run({"check", Path("a.vrl"), "--repair"}), 0) << out << err;
    EXPECT_EQ(Read(Path("a.vrl.tail")), "torn record");
    EXPECT_EQ(Read(Path("a.vrl.tail.1")), "another");
}

} // namespace
