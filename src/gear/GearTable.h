#pragma once
// What each piece of gear has done, summed on every read from the activities and the days
// without activities that carry it, between its first use and its retirement: its starting
// distance plus theirs, their moving time, its first and last use, how near its limit it is
// (a warning at 90% and at 100%) and the day it is likely to reach its limit at the pace of
// the last 8 weeks. The Gear window shows it and `veloria-logbook gear` prints it.

#include "store/ActivityRow.h"
#include "store/ActivityStore.h"
#include "store/DayRecord.h"
#include "store/GearItem.h"
#include "store/GearStore.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class LogBookDatabase;

class GearTable {
public:
    enum class Warning { None, Near, Reached };
    static constexpr int kProjectionWeeks = 8;

    // One activity, or one day without activities, carrying the item.
    struct Use {
        std::int32_t day = 0;
        std::int64_t start = 0; // 0 for a day without activities
        std::string sport;
        double metres = 0;
        std::int64_t seconds = 0;
    };
    struct Row {
        GearItem item;
        double metres = 0; // its starting distance included
        std::int64_t seconds = 0;
        std::int32_t firstUse = 0; // 0: not used yet
        std::int32_t lastUse = 0;
        double fraction = 0; // of its limit (the nearer of distance and time); 0 without one
        Warning warning = Warning::None;
        std::int32_t projected = 0; // 0: none (no limit, reached, or not used lately)
        std::vector<Use> uses;      // by day and start
        bool Active() const { return item.retired == 0; }
    };

    // What the table is made from: the items and their links, every activity of the file, the
    // records of the days the day links name, the logbook's unit and today's key.
    struct Input {
        std::vector<GearItem> items;
        std::vector<GearStore::Link> activityLinks;
        std::vector<GearStore::Link> dayLinks;
        std::vector<ActivityRow> activities;
        std::map<std::int32_t, DayRecord> days;
        std::string unit = "km";
        std::int32_t today = 0;
    };
    explicit GearTable(const Input& input);
    GearTable() = default;

    // Reads everything the table needs from an open logbook and its activities file.
    static ActivityStore::Outcome Load(LogBookDatabase& logbook, ActivityStore& store,
                                       std::int32_t today, GearTable& table);

    const std::vector<Row>& Rows() const { return rows; }
    const Row* Find(std::int64_t id) const;
    const std::string& Unit() const { return unit; }
    double MetresPerUnit() const { return metresPerUnit; }

    // Texts as the window and the command show them.
    std::string Distance(double metres) const;     // "630.00 km"
    static std::string Time(std::int64_t seconds); // "63:05:00", hours unbounded
    static std::string Date(std::int32_t key);     // "2026-03-01", "-" for 0
    std::string Limit(const GearItem& item) const; // "700 km", "50:00:00", "700 km / 50:00:00"
    static std::string Percent(const Row& row);    // "90%", "-" without a limit
    // The warning of a row, or empty: "Trail shoes: 630.00 of 700 km, 90% of its limit."
    std::string WarningText(const Row& row) const;
    // The warnings of the active items, one line each.
    std::vector<std::string> Warnings() const;
    // How much of its limit a row has used, in tenths of the bar's cells: "[#########.]" at
    // 90%, full past its limit, empty without one.
    static std::string Bar(const Row& row, int cells = 10);
    // The Gear window's line of an item, and of one of its uses.
    std::string Line(const Row& row) const;
    std::string UseLine(const Use& use) const;
    // What heads that list: "Activities of Trail shoes: 3", and the days without activities
    // when it carries any: "Activities of Trail shoes: 3, and 1 day without activities".
    static std::string UsesTitle(const Row& row);
    // The command's table of the active items (all: the retired too), and as CSV.
    std::string Text(bool all) const;
    std::string Csv(bool all) const;

private:
    Row Make(const GearItem& item, const Input& input,
             const std::map<std::int64_t, const ActivityRow*>& byStart,
             const std::map<std::int32_t, int>& activityDays) const;

    std::vector<Row> rows;
    std::string unit = "km";
    double metresPerUnit = 1000;
    std::int32_t today = 0;
};
