#pragma once
// The records of one sport in a logbook: race bests at the standard distances, day records
// and best efforts from tracks, each with its ten best and their dates, ties going to the
// earliest; and what was left out of them and why (a day or an activity marked "not for
// records", or too fast to be true: RecordLimits). The window and veloria-logbook records
// both show these lists; reading and marking is left to RecordStore, painting to the window.
//
// A day's figures for a sport are those of its activities of that sport; a day without
// activities counts under the default sport with the figures typed into it. Race bests come
// from competition days and from activities marked as races, so a training day never is one.

#include "store/ActivityRow.h"
#include "store/DayRecord.h"
#include "store/RecordStore.h"
#include "store/WeekStart.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

class ActivityStore;
class LogBookDatabase;

class RecordBook {
public:
    enum class Kind { RaceBest, DayRecord, BestEffort };
    static constexpr std::size_t kTop = 10;
    // A race's distance matches a standard one within this share of it.
    static constexpr double kRaceTolerance = 0.005;

    struct Standard {
        const char* name;
        double metres;
    };
    static const std::vector<Standard> kRaceDistances;
    static const std::vector<Standard> kEffortDistances;

    // What the records are made of: read by Read, or built by hand for a test.
    struct Input {
        std::vector<DayRecord> days; // live days, in date order
        std::vector<ActivityRow> activities;
        std::set<std::int64_t> daysLeftOut;       // date keys
        std::set<std::int64_t> activitiesLeftOut; // starts
        std::set<std::int64_t> races;             // starts
        std::vector<RecordStore::Effort> efforts;
        std::string defaultSport = "Running";
        bool miles = false; // the logbook's distances are in miles, not kilometres
        WeekStart weekStart = WeekStart::Monday;
    };

    struct Entry {
        std::int32_t day = 0;   // the date key the Log Book opens on
        std::int64_t start = 0; // the activity it is made of; 0 for a typed day or several
        double value = 0;       // what is ranked
        std::string date;       // "2025-04-13", a period's label, or a streak's first day
        std::string figure;     // "0:19:58", "42.20 km", "4:05/km", "12 days"
        std::string detail;     // "5.01 km, race", "to 2025-05-12"
    };
    struct Record {
        Kind kind;
        std::string title; // "5 km", "Longest distance", "Fastest day of at least 10 km"
        std::vector<Entry> top;
    };
    struct LeftOut {
        std::int32_t day = 0;
        std::int64_t start = 0; // 0: the whole day
        std::string what;       // "2025-06-01 Running 10.00 km"
        std::string why;        // "not for records", "faster than 2:30/km: 1:58/km"
    };

    // Reads the logbook's live days and what its activities file keeps for the records;
    // false when the logbook could not be read (the store has said why).
    static bool Read(LogBookDatabase& logbook, ActivityStore& activities, Input& input,
                     WeekStart weekStart = WeekStart::Monday);
    // The sports there are records of: the default sport first, then the activities' own.
    static std::vector<std::string> Sports(const Input& input);

    void Compute(const Input& input, const std::string& sport);
    const std::vector<Record>& Records() const { return records; }
    const std::vector<LeftOut>& LeftOuts() const { return leftOut; }

    // The records as text, a line each: every kind under its heading with the sport, each
    // record with its places, then what was left out. What veloria-logbook records prints
    // and the Records window prints.
    std::vector<std::string> Lines(const std::string& sport) const;

    // "Race bests", "Day records", "Best efforts from tracks".
    static const char* KindTitle(Kind kind);
    // H:MM:SS, rounded up: a time is never shown faster than it was.
    static std::string TimeText(double seconds);

private:
    struct DayFigures {
        std::int32_t day = 0;
        double metres = 0;
        double seconds = 0;        // moving
        double clock = 0;          // elapsed, as a race is timed
        int activities = 0;        // of any sport, left out or not
        int counting = 0;          // the sport's that count
        std::int64_t only = 0;     // the start of the one that counts, when there is one
        bool raceActivity = false; // one of the sport's counted activities is marked a race
    };
    std::string DistanceText(double metres) const;
    std::string PaceText(double metres, double seconds) const;
    void RaceBests(const Input& input, const std::string& sport,
                   const std::vector<DayFigures>& days);
    void DayRecords(const Input& input, const std::vector<DayFigures>& days);
    void Efforts(const Input& input, const std::string& sport);

    std::vector<Record> records;
    std::vector<LeftOut> leftOut;
    std::set<std::int64_t> counted; // starts of the sport's activities that count
    bool miles = false;
};
