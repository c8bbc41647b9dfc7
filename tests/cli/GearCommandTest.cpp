// gear: items added, retired and given to a range of activities, the table they make, and
// links that hold through undo and redo, a re-import of the same files and a restore.

#include "ToolFixture.h"
#include "activities/ActivityTotals.h"
#include "activities/FitWriter.h"
#include "editor/LogBookHistory.h"
#include "store/ActivityStore.h"
#include "store/WeekStart.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kFitEpoch = 631065600; // 1989-12-31 00:00 UTC in Unix seconds

class GearCommandTest : public LogBookToolTest {
protected:
    void SetUp() override {
        LogBookToolTest::SetUp();
        logbook = Path("log.vrl");
        MakeLogbook(logbook, {});
    }

    // A 10 km run in 50 minutes at noon UTC of the day, written as a FIT file in the folder.
    void RunFile(const std::string& folder, std::int32_t day, std::uint64_t sport = 1) {
        fs::create_directories(Path(folder));
        const auto start =
            static_cast<std::uint64_t>(weeks::DayNumber(day) * 86400 + 12 * 3600 - kFitEpoch);
        Write(Path(folder + "/" + std::to_string(day) + ".fit"),
              FitWriter()
                  .FileId(4)
                  .Sessions({{start, sport, 3000000, 1000000, 700, 150, 170}})
                  .ActivityMessage(start + 3000, start + 3000)
                  .Bytes());
    }
    // A run every other day from 1 March to 9 June 2026: 51 runs, 510 km, 42:30:00.
    void Season() {
        for (int offset = 0; offset <= 100; offset += 2) {
            RunFile("season", weeks::KeyOfDayNumber(weeks::DayNumber(20260301) + offset));
        }
    }
    int Gear(std::vector<std::string> words) {
        words.insert(words.begin(), {"gear", logbook});
        return Run(words);
    }
    // The shoes' line of the table.
    std::string ShoesLine() {
        EXPECT_EQ(Gear({"--all"}), 0) << err;
        const std::size_t at = out.find("Trail shoes  ");
        return at == std::string::npos ? out : out.substr(at, out.find('\n', at) - at);
    }
    // One step of the Activities dialog on a day: its rows become target, kept in history.
    void ChangeDay(LogBookDatabase& db, LogBookHistory& history, std::int32_t day,
                   const std::function<void(std::vector<ActivityRow>&)>& change) {
        ActivityStore store;
        ASSERT_TRUE(store.Open(db, false).Ok());
        std::vector<ActivityRow> present;
        ASSERT_TRUE(store.Read(day, day, present).Ok());
        store.Close();
        std::vector<ActivityRow> before = present;
        std::vector<ActivityRow> target = present;
        change(target);
        DayRecord was = DayRecord::Blank(day);
        ASSERT_EQ(db.ReadDay(Date(day), was), LogBookDatabase::ReadResult::Read);
        DayRecord after = was;
        after.distance = 0;
        after.time = 0;
        ActivityTotals::Apply(after, target, 1000);
        std::string problem;
        ASSERT_TRUE(LogBookHistory::StoreWithActivities(db, present, target, after, problem))
            << problem;
        history.AddActivities(&was, after, before, target);
    }

    std::string logbook;
    DateUtility dates;
};

// 120 km + 51 x 10 km = 630 km, 90% of 700.
constexpr const char* kShoes = "Trail shoes           shoes     630.00 km    42:30:00     51  "
                               "2026-03-01  2026-06-09        700 km   90%  -";

TEST_F(GearCommandTest, TheSportsDefaultShoesCarryASeasonOfImportedRunsAndWarnAt630Km) {
    ASSERT_EQ(Gear({"--add", "Trail shoes", "--sport", "Run", "--start-distance", "120", "--limit",
                    "700", "--first-use", "2026-03-01"}),
              0)
        << err;
    EXPECT_EQ(out, "Trail shoes added, the default for Running\n");
    Season();
    RunFile("season", 20260610, 2); // a ride: not the shoes'
    ASSERT_EQ(Run("import @log.vrl @season"), 0) << err;
    EXPECT_EQ(ShoesLine(), kShoes);
    EXPECT_TRUE(Holds(out, "Trail shoes: 630 of 700 km, 90% of its limit.\n"));

    ASSERT_EQ(Gear({"--retire", "Trail shoes", "--on", "2026-06-09"}), 0) << err;
    EXPECT_EQ(out, "Trail shoes retired on 2026-06-09\n");
    ASSERT_EQ(Gear({}), 0);
    EXPECT_FALSE(Holds(out, "Trail shoes"));
    EXPECT_EQ(ShoesLine(), std::string(kShoes) + "  retired 2026-06-09");
    // A run after the retirement neither counts nor gets the retired shoes.
    RunFile("later", 20260611);
    ASSERT_EQ(Run("import @log.vrl @later"), 0) << err;
    EXPECT_EQ(ShoesLine(), std::string(kShoes) + "  retired 2026-06-09");
}

TEST_F(GearCommandTest, ItemsLinkedToActivitiesHoldThroughUndoRedoReimportAndRestore) {
    Season();
    ASSERT_EQ(Run("import @log.vrl @season"), 0) << err;
    ASSERT_EQ(Gear({"--add", "Trail shoes", "--start-distance", "120", "--limit", "700"}), 0);
    ASSERT_EQ(Gear({"--assign", "Trail shoes", "--from", "2026-03-01", "--to", "2026-06-09",
                    "--sport", "running"}),
              0)
        << err;
    EXPECT_EQ(out, "Trail shoes given to 51 of 51 activities and 0 of 0 days without "
                   "activities\n");
    ASSERT_EQ(Gear({"--assign", "Trail shoes"}), 0);
    EXPECT_EQ(out, "Trail shoes given to 0 of 51 activities and 0 of 0 days without "
                   "activities\n");
    EXPECT_EQ(ShoesLine(), kShoes);

    {
        // The Activities dialog stores the day's rows again (new ids); undo and redo too.
        RecordingReporter reporter;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(logbook), LogBookDatabase::OpenResult::Opened);
        LogBookHistory history;
        ChangeDay(db, history, 20260303, [](auto& rows) { rows[0].note = "new laces"; });
        std::int32_t key = 0;
        ASSERT_TRUE(history.Undo(db, key));
        ASSERT_TRUE(history.Redo(db, key));
        ASSERT_TRUE(history.Undo(db, key));
        db.Close();
    }
    EXPECT_EQ(ShoesLine(), kShoes);

    ASSERT_EQ(Run("import @log.vrl @season --replace"), 0) << err;
    EXPECT_EQ(ShoesLine(), kShoes);
    // Every file is left out as imported already (status 1).
    ASSERT_EQ(Run("import @log.vrl @season"), 1) << err;
    EXPECT_EQ(ShoesLine(), kShoes);

    ASSERT_EQ(Run("backup @log.vrl"), 0) << err;
    const std::size_t as = out.find(" as ");
    const std::string backup = out.substr(as + 4, out.find('\n') - as - 4);
    {
        RecordingReporter reporter;
        LogBookDatabase db(reporter, dates);
        ASSERT_EQ(db.Open(logbook), LogBookDatabase::OpenResult::Opened);
        LogBookHistory history;
        ChangeDay(db, history, 20260303, [](auto& rows) { rows.clear(); });
        db.Close();
    }
    // 620 km: 88%, no warning.
    EXPECT_TRUE(Holds(ShoesLine(), "620.00 km    41:40:00     50"));
    ASSERT_EQ(Run({"restore", logbook, backup}), 0) << err;
    EXPECT_EQ(ShoesLine(), kShoes);
}

// Years typed by hand: a day of 8 km in 40 minutes counts, a day without distance and a day
// of another range do not; a ride of the range is not the shoes'.
TEST_F(GearCommandTest, AssignGivesTheRangesTypedDaysAndActivitiesOfTheSport) {
    MakeLogbook(logbook, {Day(20250210).Distance(8).Time(2400), Day(20250211).Comments("rest"),
                          Day(20250301).Distance(5).Time(1500)});
    RunFile("rides", 20250212, 2);
    ASSERT_EQ(Run("import @log.vrl @rides"), 0) << err;
    ASSERT_EQ(Gear({"--add", "Old shoes", "--kind", "shoes", "--sport", "Running"}), 0) << err;
    ASSERT_EQ(Gear({"--assign", "Old shoes", "--from", "2025-02-01", "--to", "2025-02-28"}), 0)
        << err;
    EXPECT_EQ(out, "Old shoes given to 0 of 0 activities and 1 of 1 days without activities\n");
    ASSERT_EQ(Gear({"--csv"}), 0);
    EXPECT_EQ(out,
              "name,kind,distance,unit,time,uses,firstUse,lastUse,limit,used,retireBy,retired\n"
              "Old shoes,shoes,8,km,0:40:00,1,2025-02-10,2025-02-10,-,-,-,-\n");
}

TEST_F(GearCommandTest, TextThatDoesNotReadWholeAndMisplacedOptionsAreRefused) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        int status;
        const char* said;
    };
    const Case cases[] = {
        {"a unit in the limit",
         {"--add", "Shoes", "--limit", "700km"},
         2,
         "Distance limit: \"700km\" is not a distance (a number such as 120 or 12.5)."},
        {"an exponent",
         {"--add", "Shoes", "--start-distance", "1e3"},
         2,
         "Starting distance: \"1e3\" is not a distance"},
        {"no such date",
         {"--add", "Shoes", "--first-use", "2026-02-30"},
         2,
         "First use: \"2026-02-30\" is not a date (YYYY-MM-DD)."},
        {"a kind of its own",
         {"--add", "Shoes", "--kind", "skis"},
         2,
         "--kind must be shoes, bike or other"},
        {"two actions",
         {"--add", "Shoes", "--retire", "Shoes"},
         2,
         "--add, --retire and --assign go one at a time"},
        {"a limit without --add", {"--limit", "700"}, 2, "go with --add"},
        {"--on without --retire", {"--on", "2026-01-01"}, 2, "--on goes with --retire"},
        {"retiring no such item", {"--retire", "Old shoes"}, 1, "no gear named Old shoes"},
        {"a name taken", {"--add", "Road bike"}, 1, "There is gear named Road bike already."},
    };
    ASSERT_EQ(Gear({"--add", "Road bike", "--kind", "bike"}), 0) << err;
    for (const Case& c : cases) {
        EXPECT_EQ(Gear(c.words), c.status) << c.name;
        EXPECT_TRUE(Holds(err, c.said)) << c.name;
    }
    ASSERT_EQ(Gear({"--csv"}), 0);
    EXPECT_EQ(out,
              "name,kind,distance,unit,time,uses,firstUse,lastUse,limit,used,retireBy,retired\n"
              "Road bike,bike,0,km,0:00:00,0,-,-,-,-,-,-\n");
}

} // namespace
