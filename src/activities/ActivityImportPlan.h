#pragma once
// What an import of activity files would do, worked out before anything is stored: the
// files its operands stand for (folders searched recursively), the files left out with
// their reasons, and the days with what each does to the logbook. The command line prints
// it and the window shows it; storing the records is left to the caller.

#include "activities/ActivityDays.h"
#include "store/DayRecord.h"

#include <cstddef>
#include <functional>
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
    };
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
    // "12 days from 14 files; 2 days kept; 1 file left out": what the plan stores, as the
    // command's summary and the window's say it.
    std::string CountsText() const;

    // A day's figures as the command line and the window show them.
    struct DayTexts {
        std::string date;         // 2024-03-04
        std::string sport;        // "Biking + Running"
        std::string distance;     // "8.20 km"
        std::string time;         // "00:42:00"
        std::string maxHeartRate; // "-" when none was recorded
        std::string calories;     // "1150 kcal"
    };
    static DayTexts Texts(const DayRecord& record, ActivityDays::Unit unit,
                          const DateUtility& dates);

    // The files an operand stands for: itself, or a folder's activity files in name order.
    static std::vector<std::string> FilesOf(const std::string& operand);

private:
    ActivityDays placed;
    std::vector<LeftOut> leftOut;
    std::vector<PlannedDay> days;
    std::size_t filesRead = 0;
};
