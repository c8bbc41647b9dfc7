// veloria-logbook against what a careless or hostile user gives it: an index left by a
// killed program, odd names and file kinds, closed streams, huge or broken CSV, a full disk.

#include "ToolFixture.h"
#include "store/FileSizeLimit.h"

#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class LogBookToolHostileTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        MakeLogbook(Path("a.vrl"));
        data = Read(Path("a.vrl"));
        index = Read(Path("a.idx"));
    }
    // The logbook and its index as the fixture made them.
    void ExpectUntouched() {
        EXPECT_EQ(Read(Path("a.vrl")), data);
        EXPECT_EQ(Read(Path("a.idx")), index);
    }
    std::string data;
    std::string index;
};

TEST_F(LogBookToolHostileTest, CheckNamesAFlagTheIndexGotWrong) {
    {
        // Erased, then the program is killed before it closes the logbook.
        Holder killed(Path("a.vrl"));
        ASSERT_EQ(killed.db.EraseDay(Date(20260106)), LogBookDatabase::StoreResult::Stored);
    }
    EXPECT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "index: stale (entry 1: day 20260106 has flags 2, its record says 4)"));
    EXPECT_EQ(Export(Path("a.vrl")).find("2026-01-06"), std::string::npos) << out;
    ASSERT_EQ(Run("check @a.vrl --repair"), 0) << err;
    EXPECT_TRUE(Holds(out, "live days: 2\n"));
}

TEST_F(LogBookToolHostileTest, TwoImportsIntoANewLogbookNeverBothSucceed) {
    // Long files keep both importers busy with their rows at the same time; they overlap
    // in one day, 2026-05-02, which only the winner may store.
    Write(Path("one.csv"),
          "date,calories\n" + DayRows(20260502, 1500, -1, [](int) { return "1"; }));
    Write(Path("two.csv"),
          "date,calories\n2026-05-03,2\n" + DayRows(20260502, 1500, -1, [](int) { return "2"; }));
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

TEST_F(LogBookToolHostileTest, ALogbookNamedAsAnIndexIsRefused) {
    Write(Path("d.csv"), "date\n2026-01-01\n2026-01-02\n2026-01-03\n");
    EXPECT_EQ(Run("import @season.idx @d.csv"), 1);
    EXPECT_TRUE(Holds(err, "Logbook file name is that of its own index (.idx)."));
    EXPECT_FALSE(fs::exists(Path("season.idx")));
}

TEST_F(LogBookToolHostileTest, ClosedStandardStreamsNeverBecomeTheLogbook) {
    Write(Path("bad.csv"), "date\nnot a date\n");
    EXPECT_EQ(Wait(Spawn({"export", Path("a.vrl")}, {1})), 0) << "standard output is /dev/null";
    EXPECT_EQ(Wait(Spawn({"import", Path("a.vrl"), Path("bad.csv")}, {2})), 1);
    EXPECT_EQ(Wait(Spawn({"check", Path("a.vrl")}, {0, 1, 2})), 0);
    EXPECT_EQ(Read(Path("a.vrl")), data);
}

TEST_F(LogBookToolHostileTest, ExportWritesThroughNoLinkThatIsAlreadyThere) {
    Write(Path("victim.txt"), "precious");
    fs::create_symlink(Path("victim.txt"), Path("out.csv.part"));
    ASSERT_EQ(Run("export @a.vrl --output @out.csv"), 0) << err;
    EXPECT_EQ(Read(Path("victim.txt")), "precious");
    EXPECT_EQ(Read(Path("out.csv")).rfind("date,distance,", 0), 0u);
    EXPECT_FALSE(fs::is_symlink(Path("out.csv")));
    EXPECT_EQ(FileCount(), 5); // a.vrl, a.idx, victim.txt, the link, out.csv
}

TEST_F(LogBookToolHostileTest, FifosAndDevicesAreRefusedAtOnce) {
    ::alarm(20); // opening a FIFO for reading would wait here for ever
    ASSERT_EQ(::mkfifo(Path("in.csv").c_str(), 0644), 0);
    EXPECT_EQ(Run("import @a.vrl @in.csv"), 1);
    EXPECT_TRUE(Holds(err, "in.csv: is not a regular file"));
    EXPECT_EQ(Run("import @a.vrl /dev/zero"), 1);
    EXPECT_TRUE(Holds(err, "/dev/zero: is not a regular file"));

    ASSERT_EQ(::mkfifo(Path("f.vrl").c_str(), 0644), 0);
    for (const char* line : {"export @f.vrl", "check @f.vrl", "check @f.vrl --repair"}) {
        EXPECT_EQ(Run(line), 1) << line;
        EXPECT_TRUE(Holds(err, "not a regular file"));
    }
    fs::remove(Path("a.idx"));
    ASSERT_EQ(::mkfifo(Path("a.idx").c_str(), 0644), 0);
    EXPECT_EQ(Run("export @a.vrl"), 1);
    EXPECT_TRUE(Holds(err, "Index file is not a regular file."));
    EXPECT_EQ(Run("export @a.vrl --output /dev/null"), 1);
    ::alarm(0);
}

TEST_F(LogBookToolHostileTest, AFileLargerThanALogbookIsRefusedByEveryCommand) {
    Write(Path("big.vrl"), "");
    ASSERT_EQ(::truncate(Path("big.vrl").c_str(), 6000000000), 0); // sparse: no disk
    for (const char* line : {"export @big.vrl", "check @big.vrl", "stats @big.vrl"}) {
        EXPECT_EQ(Run(line), 1) << line;
        EXPECT_TRUE(Holds(err, "big.vrl"));
        EXPECT_TRUE(Holds(err, "is larger than a logbook can be (more than 1000000 records of 340 "
                               "bytes)"));
    }
    EXPECT_EQ(fs::file_size(Path("big.vrl")), 6000000000U);
    EXPECT_FALSE(fs::exists(Path("big.idx")));
}

TEST_F(LogBookToolHostileTest, HugeRowsAreRefusedAfterTheHeaderIsChecked) {
    Write(Path("commas.csv"), "date\n" + std::string(3 * 1024 * 1024, ','));
    EXPECT_EQ(Run("import @a.vrl @commas.csv"), 1);
    EXPECT_TRUE(Holds(err.substr(0, 300), "commas.csv: line 2: row too long; nothing was stored"));
    Write(Path("header.csv"), "date,color\n" + std::string(3 * 1024 * 1024, 'x'));
    EXPECT_EQ(Run("import @a.vrl @header.csv"), 1);
    EXPECT_TRUE(Holds(err, "line 1: unknown column \"color\""));
    // A row just within the limit is read (and refused for what it holds).
    Write(Path("long.csv"), "date,comments\n2026-02-01," + std::string(65000, 'c') + "\n");
    EXPECT_EQ(Run("import @a.vrl @long.csv"), 1);
    EXPECT_TRUE(Holds(err.substr(0, 300), "line 2: comments \"cccc"));
}

TEST_F(LogBookToolHostileTest, AFailedWriteLeavesTheLogbookAsItWasAndSaysSoOnce) {
    Write(Path("many.csv"),
          "date,distance\n" + DayRows(20300101, 1000, 1, [](int) { return "1"; }));
    {
        const FileSizeLimit limit(data.size() + 400 * 340);
        EXPECT_EQ(Run("import @a.vrl @many.csv"), 1);
    }
    EXPECT_EQ(err, Said("a.vrl", "Error storing database record. " + Path("a.vrl") +
                                     " cannot be written: file too large.") +
                       Said("a.vrl", "nothing was imported; the logbook is as it was"));
    ExpectUntouched();
    EXPECT_EQ(FileCount(), 3);
    ASSERT_EQ(Run("import @a.vrl @many.csv"), 0) << err;
    EXPECT_EQ(out, "imported 1000 days into " + Path("a.vrl") + "\n");
}

TEST_F(LogBookToolHostileTest, RecordsNoProgramWroteAreListedAndNeverExported) {
    Append(Path("a.vrl"), RecordBytes(Day(0)) + RecordBytes(Day(-5)) + RecordBytes(Day(20261399)));
    const std::string appended = Read(Path("a.vrl"));
    EXPECT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "records: 6\n"
                           "record at slot 3 has no valid date; left out\n"
                           "record at slot 4 has no valid date; left out\n"
                           "record at slot 5 has no valid date; left out\n"));
    const std::string csv = Export(Path("a.vrl"));
    EXPECT_EQ(csv.find("2026-13-99"), std::string::npos) << csv;
    EXPECT_EQ(csv.find("0000-00-00"), std::string::npos) << csv;
    EXPECT_EQ(Run("check @a.vrl --repair"), 0) << out;
    EXPECT_EQ(Read(Path("a.vrl")), appended) << "their bytes stay";
}

TEST_F(LogBookToolHostileTest, RepairCutsARecordCutShortAndKeepsItsBytes) {
    Append(Path("a.vrl"), "torn record");
    EXPECT_EQ(Run("check @a.vrl"), 1);
    EXPECT_TRUE(Holds(out, "data file: ends in 11 bytes that are not a whole record"));
    ASSERT_EQ(Run("check @a.vrl --repair"), 0) << out << err;
    EXPECT_TRUE(
        Holds(out, "repair: cut the record cut short from the data file; its bytes are in " +
                       Path("a.vrl.tail")));
    EXPECT_EQ(Read(Path("a.vrl")), data);
    EXPECT_EQ(Read(Path("a.vrl.tail")), "torn record");
    EXPECT_EQ(Run("check @a.vrl"), 0) << out;

    Write(Path("a.vrl"), data + "another");
    ASSERT_EQ(Run("check @a.vrl --repair"), 0) << out << err;
    EXPECT_EQ(Read(Path("a.vrl.tail")), "torn record");
    EXPECT_EQ(Read(Path("a.vrl.tail.1")), "another");
}

} // namespace
