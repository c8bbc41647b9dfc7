// The records of a sport from days and activities built by hand: race bests, day records,
// best efforts, what is left out and why. Expected lines are "date  figure  detail".
#include "records/RecordBook.h"
#include "records/RecordLimits.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

class RecordBookTest : public ::testing::Test {
protected:
    // A day typed by hand: kilometres, seconds, competition or training.
    void Typed(std::int32_t key, float km, std::int32_t seconds, bool competition = false) {
        DayRecord d = DayRecord::Blank(key);
        d.distance = km;
        d.time = seconds;
        d.competition = competition ? 'Y' : 'N';
        Place(d);
    }
    // An activity on a day (the day is added when the logbook lacks it).
    void Activity(std::int32_t key, std::int64_t start, const char* sport, double metres,
                  std::int32_t moving, std::int32_t elapsed = 0) {
        ActivityRow a;
        a.day = key;
        a.start = start;
        a.sport = sport;
        a.metres = metres;
        a.movingSeconds = moving;
        a.elapsedSeconds = elapsed;
        input.activities.push_back(a);
        bool known = false;
        for (const DayRecord& d : input.days) {
            known = known || d.dateKey == key;
        }
        if (!known) {
            Place(DayRecord::Blank(key));
        }
    }
    void Place(const DayRecord& d) {
        input.days.push_back(d);
        std::sort(input.days.begin(), input.days.end(),
                  [](const DayRecord& a, const DayRecord& b) { return a.dateKey < b.dateKey; });
    }
    // A record's lines for a sport, by the record's kind and title.
    std::vector<std::string> RecordLines(RecordBook::Kind kind, const std::string& title,
                                         const std::string& sport = "Running") {
        RecordBook book;
        book.Compute(input, sport);
        for (const RecordBook::Record& r : book.Records()) {
            if (r.kind == kind && r.title == title) {
                std::vector<std::string> lines;
                for (const RecordBook::Entry& e : r.top) {
                    lines.push_back(e.date + "  " + e.figure +
                                    (e.detail.empty() ? "" : "  " + e.detail));
                }
                return lines;
            }
        }
        ADD_FAILURE() << "no record " << title;
        return {};
    }
    std::vector<std::string> RaceLines(const std::string& title,
                                       const std::string& sport = "Running") {
        return RecordLines(RecordBook::Kind::RaceBest, title, sport);
    }
    std::vector<std::string> DayLines(const std::string& title,
                                      const std::string& sport = "Running") {
        return RecordLines(RecordBook::Kind::DayRecord, title, sport);
    }
    std::vector<std::string> EffortLines(const std::string& title,
                                         const std::string& sport = "Running") {
        return RecordLines(RecordBook::Kind::BestEffort, title, sport);
    }
    std::vector<std::string> LeftOut(const std::string& sport = "Running") {
        RecordBook book;
        book.Compute(input, sport);
        std::vector<std::string> lines;
        for (const RecordBook::LeftOut& l : book.LeftOuts()) {
            lines.push_back(l.what + ": " + l.why);
        }
        return lines;
    }

    RecordBook::Input input;
};

using Lines = std::vector<std::string>;

// A season typed by hand. 5.02 km is within 0.5 % of 5 km (5.025 at most), 5.03 km is not;
// a training day's 5 km interval session is the fastest 5 km of all and no race best.
class RaceBestsTest : public RecordBookTest {
protected:
    void SetUp() override {
        Typed(20250309, 5.00F, 1230, true);  // 0:20:30
        Typed(20250413, 5.02F, 1198, true);  // 0:19:58
        Typed(20250504, 10.03F, 2500, true); // 0:41:40
        Typed(20250520, 5.00F, 1080);        // intervals, 0:18:00
        Typed(20250601, 21.1F, 5530, true);  // 1:32:10
        Typed(20250615, 5.03F, 1140, true);  // 0:19:00, too long for 5 km
        Typed(20250803, 5.00F, 1198, true);  // ties 2025-04-13
    }
};

TEST_F(RaceBestsTest, CompetitionDaysAtStandardDistancesTiesToTheEarliest) {
    EXPECT_EQ(RaceLines("5 km"), (Lines{"2025-04-13  0:19:58  5.02 km, competition",
                                        "2025-08-03  0:19:58  5.00 km, competition",
                                        "2025-03-09  0:20:30  5.00 km, competition"}));
    EXPECT_EQ(RaceLines("10 km"), (Lines{"2025-05-04  0:41:40  10.03 km, competition"}));
    EXPECT_EQ(RaceLines("Half marathon"), (Lines{"2025-06-01  1:32:10  21.10 km, competition"}));
    EXPECT_EQ(RaceLines("Marathon"), Lines{});
    EXPECT_EQ(RaceLines("3 km"), Lines{});
}

TEST_F(RaceBestsTest, OnlyTheTenBestAreListed) {
    // Twelve more 5 km races in 2024, the n-th in 1200 + n seconds: the ten best of all are
    // the two in 0:19:58, then 2024's first eight (0:20:01 .. 0:20:08); 0:20:30 is out.
    for (int n = 1; n <= 12; ++n) {
        Typed(20240100 + n, 5.0F, 1200 + n, true);
    }
    const Lines five = RaceLines("5 km");
    ASSERT_EQ(five.size(), 10U);
    EXPECT_EQ(five[2], "2024-01-01  0:20:01  5.00 km, competition");
    EXPECT_EQ(five[8], "2024-01-07  0:20:07  5.00 km, competition");
    EXPECT_EQ(five[9], "2024-01-08  0:20:08  5.00 km, competition");
}

TEST_F(RaceBestsTest, AnActivityMarkedAsARaceIsOneRaceTimedByItsClock) {
    // A mile race inside a training day with a warm-up: the marked activity alone counts,
    // timed by its elapsed 330 s, not its moving 320 s.
    Activity(20250910, 1757487600, "Running", 3000, 1080);         // warm-up, 3 km
    Activity(20250910, 1757490000, "Running", 1609.344, 320, 330); // the mile
    input.races.insert(1757490000);
    EXPECT_EQ(RaceLines("1 mile"), (Lines{"2025-09-10  0:05:30  1.61 km, race"}));
    EXPECT_EQ(RaceLines("3 km"), Lines{}) << "the warm-up is no race";
    // The same on a competition day: still the marked activity, not the day's 4.61 km.
    input.days.back().competition = 'Y';
    EXPECT_EQ(RaceLines("1 mile"), (Lines{"2025-09-10  0:05:30  1.61 km, race"}));
}

TEST_F(RaceBestsTest, ACompetitionDayOfActivitiesIsTheirSum) {
    Activity(20251005, 1759647600, "Running", 10010, 2390, 2400);
    for (DayRecord& d : input.days) {
        d.competition = d.dateKey == 20251005 ? 'Y' : d.competition;
    }
    EXPECT_EQ(RaceLines("10 km"), (Lines{"2025-10-05  0:40:00  10.01 km, competition",
                                         "2025-05-04  0:41:40  10.03 km, competition"}));
    EXPECT_EQ(RaceLines("10 km", "Cycling"), Lines{});
}

// Day records over five days: Mon 3 Mar 2025 10 km in 3000 s, Tue 12 km in 3700 s, Wed
// 5 km in 1400 s; Mon 10 Mar 21.1 km in 6000 s; Tue 1 Apr 3 km in 900 s.
class DayRecordsTest : public RecordBookTest {
protected:
    void SetUp() override {
        Typed(20250303, 10.0F, 3000);
        Typed(20250304, 12.0F, 3700);
        Typed(20250305, 5.0F, 1400);
        Typed(20250310, 21.1F, 6000);
        Typed(20250401, 3.0F, 900);
    }
};

TEST_F(DayRecordsTest, LongestDistanceAndTime) {
    EXPECT_EQ(DayLines("Longest distance"),
              (Lines{"2025-03-10  21.10 km  1:40:00", "2025-03-04  12.00 km  1:01:40",
                     "2025-03-03  10.00 km  0:50:00", "2025-03-05  5.00 km  0:23:20",
                     "2025-04-01  3.00 km  0:15:00"}));
    EXPECT_EQ(DayLines("Longest time")[1], "2025-03-04  1:01:40  12.00 km");
}

TEST_F(DayRecordsTest, BiggestWeekMonthYearAndStreak) {
    // Weeks from Monday: 3-9 Mar holds 10 + 12 + 5 = 27 km (ISO week 10), 10-16 Mar 21.1,
    // 31 Mar - 6 Apr 3 (week 14).
    EXPECT_EQ(DayLines("Biggest week"),
              (Lines{"2025-W10  27.00 km", "2025-W11  21.10 km", "2025-W14  3.00 km"}));
    EXPECT_EQ(DayLines("Biggest month"), (Lines{"Mar 2025  48.10 km", "Apr 2025  3.00 km"}));
    EXPECT_EQ(DayLines("Biggest year"), (Lines{"2025  51.10 km"}));
    EXPECT_EQ(DayLines("Most active days in a row"),
              (Lines{"2025-03-03  3 days  to 2025-03-05", "2025-03-10  1 day  to 2025-03-10",
                     "2025-04-01  1 day  to 2025-04-01"}));
    // Weeks from Sunday: 2-8 Mar still holds the first three days, 9-15 Mar the fourth.
    input.weekStart = WeekStart::Sunday;
    EXPECT_EQ(DayLines("Biggest week")[0], "week of 2 Mar 2025  27.00 km");
}

TEST_F(DayRecordsTest, FastestDaysByAveragePaceRoundedUp) {
    // Seconds a km: Wed 1400 / 5 = 280 (4:40), 10 Mar 6000 / 21.1 = 284.4 (4:45 up),
    // Mon 3000 / 10 = 300 (5:00), Tue 3700 / 12 = 308.3 (5:09 up); 1 Apr's 3 km is too short.
    EXPECT_EQ(DayLines("Fastest day of at least 5 km (average pace)"),
              (Lines{"2025-03-05  4:40/km  5.00 km in 0:23:20",
                     "2025-03-10  4:45/km  21.10 km in 1:40:00",
                     "2025-03-03  5:00/km  10.00 km in 0:50:00",
                     "2025-03-04  5:09/km  12.00 km in 1:01:40"}));
    EXPECT_EQ(DayLines("Fastest day of at least 21.1 km (average pace)"),
              (Lines{"2025-03-10  4:45/km  21.10 km in 1:40:00"}));
    // A logbook in miles: 13.2 mi (21243 m) in 6000 s is 454.5 s a mile, 7:35 rounded up;
    // the other days (10, 12, 5, 3 mi) stay under 21.1 km.
    input.miles = true;
    input.days[3].distance = 13.2F;
    EXPECT_EQ(DayLines("Fastest day of at least 21.1 km (average pace)"),
              (Lines{"2025-03-10  7:35/mi  13.20 mi in 1:40:00"}));
}

TEST_F(DayRecordsTest, DaysCountUnderTheirActivitiesSports) {
    // A ride on 1 Apr makes that day's figures its activities': no run that day any more,
    // and the ride counts under Cycling only.
    Activity(20250401, 1743490800, "Cycling", 40000, 4800);
    EXPECT_EQ(DayLines("Longest distance").back(), "2025-03-05  5.00 km  0:23:20");
    EXPECT_EQ(DayLines("Longest distance", "Cycling"), (Lines{"2025-04-01  40.00 km  1:20:00"}));
    // Another default sport takes the typed days with it.
    input.defaultSport = "Walking";
    EXPECT_EQ(DayLines("Longest distance"), Lines{});
    EXPECT_EQ(RecordBook::Sports(input), (Lines{"Walking", "Cycling"}));
}

// A day marked "not for records" goes from every list, a glitch too fast for its sport
// too, each named with why.
TEST_F(DayRecordsTest, DaysAndActivitiesLeftOutAreGoneEverywhereWithTheirReason) {
    Activity(20250320, 1742454000, "Running", 10000, 1200); // 30 km/h: a GPS jump
    Activity(20250321, 1742540400, "Cycling", 50000, 1200); // 150 km/h
    Activity(20250322, 1742626800, "Running", 5000, 1500);  // a real run, marked
    input.activitiesLeftOut.insert(1742626800);
    input.daysLeftOut.insert(20250304);
    input.efforts = {{1742454000, 1000, 100}, {1742626800, 1000, 290}};
    EXPECT_EQ(LeftOut(), (Lines{"2025-03-04: not for records",
                                "2025-03-20 Running 10.00 km: faster than 2:30/km: 2:00/km",
                                "2025-03-22 Running 5.00 km: not for records"}));
    EXPECT_EQ(LeftOut("Cycling"),
              (Lines{"2025-03-04: not for records",
                     "2025-03-21 Cycling 50.00 km: faster than 100.0 km/h: 150.0 km/h"}));
    EXPECT_EQ(DayLines("Longest distance")[1], "2025-03-03  10.00 km  0:50:00");
    EXPECT_EQ(DayLines("Biggest week")[0], "2025-W11  21.10 km") << "W10 is 10 + 5 = 15 km";
    EXPECT_EQ(DayLines("Most active days in a row")[0], "2025-03-03  1 day  to 2025-03-03");
    EXPECT_EQ(EffortLines("1 km"), Lines{});
    EXPECT_EQ(DayLines("Longest distance", "Cycling"), Lines{});
}

TEST_F(RecordBookTest, BestEffortsOfTheSportsCountedActivitiesRoundedUp) {
    Activity(20250906, 1757142000, "Running", 10000, 2300);
    Activity(20250913, 1757746800, "Running", 5000, 1300);
    Activity(20250914, 1757833200, "Cycling", 30000, 3600);
    input.efforts = {
        {1757142000, 1000, 200},    {1757142000, 5000, 1050}, {1757142000, 10000, 2300},
        {1757746800, 1000, 199.01}, {1757746800, 5000, 1300}, {1757833200, 1000, 90},
        {1757999999, 1000, 100}, // an activity no longer stored
    };
    EXPECT_EQ(EffortLines("1 km"),
              (Lines{"2025-09-13  0:03:20  in 5.00 km", "2025-09-06  0:03:20  in 10.00 km"}))
        << "199.01 s shows as 3:20, never faster than run";
    EXPECT_EQ(EffortLines("5 km"),
              (Lines{"2025-09-06  0:17:30  in 10.00 km", "2025-09-13  0:21:40  in 5.00 km"}));
    EXPECT_EQ(EffortLines("Marathon"), Lines{});
    EXPECT_EQ(EffortLines("1 km", "Cycling"), (Lines{"2025-09-14  0:01:30  in 30.00 km"}));
}

TEST(RecordLimitsTest, TheTableAndItsWords) {
    EXPECT_EQ(RecordLimits::TooFast("Running", 1000, 150), "") << "2:30/km itself is allowed";
    EXPECT_EQ(RecordLimits::TooFast("Running", 1000, 149), "faster than 2:30/km: 2:29/km");
    EXPECT_EQ(RecordLimits::TooFast("Walking", 1000, 290), "faster than 5:00/km: 4:50/km");
    EXPECT_EQ(RecordLimits::TooFast("Swimming", 100, 50), "faster than 1:00/100 m: 0:50/100 m");
    EXPECT_EQ(RecordLimits::TooFast("Biking", 1000, 30), "faster than 100.0 km/h: 120.0 km/h");
    EXPECT_EQ(RecordLimits::TooFast("Rowing", 1000, 1), "") << "no limit";
}

} // namespace
