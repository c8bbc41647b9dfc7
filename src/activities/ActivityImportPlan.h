#pragma once
// What an import of activity files would do, worked out before anything is stored: the
// files its operands stand for (folders searched recursively), the files left out with
// their reasons, and the days with what each does to the logbook. The command line prints
// it and the window shows it; storing the records is left to the caller.
//
// Files are read in the order of the operands, a folder's files in name order. An activity
// whose figures cannot be true is left out, and so is one that an earlier file already gave
// (the same sport starting within a minute): a file of one activity, or whose every activity
// goes, is left out whole, else a line names the activity left out and the rest is read.

#include "activities/ActivityDays.h"
#include "store/DayRecord.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class DateUtility;
class IndexTable;

class ActivityImportPlan {
public:
    // What to do with a day that already holds an entry.
    enum class Existing { Refuse, Replace, Skip };
    enum class Fate { New, Replaces, Kept, Refused };

    struct LeftOut {
        std::string file;
        std::string reason;
        bool emptyFolder = false; // a folder operand without one activity file
        bool oneActivity = false; // one of the file's activities; the others are read
    };
    // "FILE: reason" as the command and the window show it, its controls escaped.
    static std::string Text(const LeftOut& leftOut);
    struct PlannedDay {
        ActivityDays::Day day;
        Fate fate = Fate::New;
    };

    // Called before each file is read with the files done and the files in all; false
    // stops the reading (the plan then holds what was read so far).
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    // Reads every file the operands stand for; false when stopped by progress.
    bool Read(const std::vector<std::string>& operands, const Progress& progress = {});

    // Places the read days against a logbook's index (nullptr: an empty logbook).
    void Decide(ActivityDays::Unit unit, const IndexTable* table, Existing existing);

    const std::vector<LeftOut>& LeftOutFiles() const { return leftOut; }
    const std::vector<PlannedDay>& Days() const { return days; }
    std::size_t FilesRead() const { return filesRead; }
    std::size_t Count(Fate fate) const;
    // The records to store: the new days and those that replace an entry.
    std::vector<DayRecord> Records() const;
    // "12 days from 14 files; 2 days kept; 1 file left out; 1 activity left out": what the
    // plan stores, as the command's summary and the window's say it.
    std::string CountsText() const;

    // A day's figures as the command line and the window show them, controls escaped.
    struct DayTexts {
        std::string date;         // 2024-03-04
        std::string sport;        // "Ride + Run"
        std::string distance;     // "8.20 km"
        std::string time;         // "00:42:00"
        std::string maxHeartRate; // "-" when none was recorded
        std::string calories;     // "1150 kcal"
        std::string files;        // "ride.tcx, run.fit"
        std::string note;         // "(run.fit: from its laps; the session is missing)"; or empty
    };
    static DayTexts Texts(const ActivityDays::Day& day, ActivityDays::Unit unit,
                          const DateUtility& dates);

    // The files an operand stands for: itself, or a folder's activity files in name order.
    static std::vector<std::string> FilesOf(const std::string& operand);

private:
    // Places what a file read gives; false when the file is left out whole.
    bool Place(const std::string& file, const std::vector<Activity>& activities);
    // The file an earlier activity like this one came from, or nullptr.
    const std::string* SameAs(const Activity& activity) const;

    struct Seen {
        std::string sport;
        std::string file;
    };
    ActivityDays placed;
    std::multimap<std::int64_t, Seen> starts; // the placed activities by start
    std::vector<LeftOut> leftOut;
    std::vector<PlannedDay> days;
    std::size_t filesRead = 0;
};
