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
//
// The plan is then weighed against the logbook and the activities stored beside it: an
// activity stored already (the same sport starting within a minute) is left out too, a day
// made from activities takes the new ones beside its own, and a day that holds an entry
// keeps every field the user gave it; only its figures follow its activities.

#include "activities/ActivityDays.h"
#include "activities/BestEfforts.h"
#include "store/ActivityStore.h"
#include "store/DayRecord.h"
#include "store/RecordStore.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class ActivityStore;
class DateUtility;
class LogBookDatabase;

class ActivityImportPlan {
public:
    // What to do with a day that already holds an entry.
    //   Refuse  a day typed by hand (an entry without activities) stops the import
    //   Skip    such a day is kept as it is
    //   Replace every day the import touches: the activities from files go, the new ones come
    // Without Replace, a day made from activities takes the new ones beside its own.
    enum class Existing { Refuse, Replace, Skip };
    enum class Fate {
        New,      // no entry yet
        Adds,     // activities added beside those the day holds
        Replaces, // the day's activities (or a typed entry's figures) replaced
        Kept,
        Refused,
    };

    struct LeftOut {
        std::string file;
        std::string reason;
        bool emptyFolder = false; // a folder operand without one activity file
        bool oneActivity = false; // one of the file's activities; the others are read
    };
    // "FILE: reason" as the command and the window show it, its controls escaped.
    static std::string Text(const LeftOut& leftOut);
    struct PlannedDay {
        ActivityDays::Day day; // its record is what the logbook gets
        Fate fate = Fate::New;
        std::vector<ActivityRow> stored; // the day's activities in the file before the import
    };
    // What the day does, as the command and the preview say it: "new", "adds a second
    // activity", "replaces 2 activities", "entry kept"...
    static std::string FateText(const PlannedDay& planned);

    // Called before each file is read with the files done and the files in all; false
    // stops the reading (the plan then holds what was read so far).
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    // Reads every file the operands stand for; false when stopped by progress.
    bool Read(const std::vector<std::string>& operands, const Progress& progress = {});
    // Takes activities read from elsewhere (a CSV of stored activities) as if a file had
    // given them: source names them where they are left out, file is what they are stored as.
    void Take(const std::string& source, const std::string& file, std::uint64_t fileHash,
              const std::vector<Activity>& activities);

    // Places the read days against an open logbook and its activities (nullptr: none). Any
    // number of times: each decides anew.
    void Decide(ActivityDays::Unit unit, LogBookDatabase* logbook, const ActivityStore* stored,
                Existing existing);

    const std::vector<LeftOut>& LeftOutFiles() const { return leftOut; }
    const std::vector<PlannedDay>& Days() const { return days; }
    std::size_t FilesRead() const { return filesRead; }
    std::size_t Count(Fate fate) const;
    // The records to store: the new days and those that change.
    std::vector<DayRecord> Records() const;
    // The activities to store, and the ids of the stored ones they replace.
    std::vector<ActivityRow> AddedActivities() const;
    std::vector<std::int64_t> RemovedActivities() const;

    enum class StoreOutcome {
        Stored,
        NothingStored, // the logbook and its activities are as they were
        DaysBehind,    // the activities are stored, the days not: check --repair writes them
    };
    // Stores the decided plan into the logbook and the activities file it was decided
    // against, saying in problem why when it could not.
    StoreOutcome Store(LogBookDatabase& logbook, ActivityStore& activities,
                       std::string& problem) const;
    // The best efforts of the read activities' tracks, by the start of the stored activity
    // each is (an activity stored already gets those of its file read again).
    const std::vector<RecordStore::Effort>& Efforts() const { return efforts; }
    // How many of them the activities file does not hold as they are.
    std::size_t NewEfforts() const { return newEfforts; }
    // Keeps them beside the activities; after Store, or alone when every activity read was
    // stored already.
    ActivityStore::Outcome StoreEfforts(ActivityStore& activities) const;
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
    bool ReadFiles(const std::vector<std::string>& operands, const Progress& progress);
    // Places what a file read gives; false when the file is left out whole.
    bool Place(const std::string& source, const std::string& file, std::uint64_t fileHash,
               const std::vector<Activity>& activities);
    // The file an earlier activity like this one came from, or nullptr.
    const std::string* SameAs(const Activity& activity) const;
    // Weighs one day against the logbook; false when its entry cannot be read.
    void AddEfforts(std::int64_t storedStart, std::int64_t readStart);
    void DecideDay(PlannedDay& planned, LogBookDatabase* logbook, const ActivityStore* stored,
                   Existing existing) const;

    struct Seen {
        std::string sport;
        std::string file;
    };
    // A file read and kept, with its activities that no earlier file gave (and their
    // places among all of the file's).
    struct Taken {
        std::string file; // where it was read, as messages name it
        std::string storedAs;
        std::uint64_t hash = 0;
        std::size_t count = 0;
        std::vector<std::pair<std::size_t, Activity>> activities;
    };
    std::vector<Taken> takenFiles;
    std::multimap<std::int64_t, BestEfforts::Times> trackTimes; // by the read start
    std::vector<RecordStore::Effort> efforts;
    std::size_t newEfforts = 0;
    std::multimap<std::int64_t, Seen> starts; // the placed activities by start
    std::vector<LeftOut> leftOut;
    std::size_t leftOutReading = 0; // how many of leftOut the reading gave
    std::vector<PlannedDay> days;
    std::size_t filesRead = 0;
    ActivityDays::Unit unit = ActivityDays::Unit::Kilometres;
};
