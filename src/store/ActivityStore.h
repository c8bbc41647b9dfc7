#pragma once
// The activities file beside an open logbook: NAME.vra next to NAME.vrl, an SQLite
// database of the activities each day is made of. The logbook's own files never change
// their format; this file holds what a day record cannot.
//
// It is opened only while its logbook is open, and so only under the logbook's lock; it is
// created by the first change that stores an activity, never for a logbook without any. A
// missing, read-only or damaged file never stops the logbook: the outcome says what it is,
// for the caller to show once. Rollback journal and full syncs: a change is whole or absent
// after a crash, and no -wal or -shm file is left beside the logbook.

#include "store/ActivityRow.h"
#include "store/DayRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class LogBookDatabase;
struct sqlite3;

class ActivityStore {
public:
    enum class Code {
        Ok,
        Missing,  // no activities file: the logbook has no activities
        ReadOnly, // opened, but it may only be read
        Damaged,  // not a database, or its integrity check fails
        Newer,    // written by a newer program: read only, never changed
        Failed,   // the system refused (the words say how)
    };
    struct Outcome {
        Code code = Code::Ok;
        std::string words; // for the user, naming the file; empty when Ok
        bool Ok() const { return code == Code::Ok; }
    };

    // The schema's version in PRAGMA user_version; older files are migrated on open.
    static constexpr int kVersion = 6;

    ActivityStore() = default;
    ~ActivityStore();
    ActivityStore(const ActivityStore&) = delete;
    ActivityStore& operator=(const ActivityStore&) = delete;

    // NAME.vra for NAME.vrl (the index's rule, with .vra).
    static std::string NameFor(const std::string& logbook);

    // Opens the activities file of an open logbook, to be changed or only read. A missing file
    // gives Missing and stays unopened (Store creates it); a read-only one gives ReadOnly
    // and is open to be read.
    Outcome Open(const LogBookDatabase& logbook, bool write);
    void Close();
    bool IsOpen() const { return db != nullptr; }
    const std::string& FileName() const { return fileName; }

    // The activities of the days first..last (0: an open end), by day and start.
    Outcome Read(std::int32_t first, std::int32_t last, std::vector<ActivityRow>& rows) const;
    // The activities starting from first to last seconds (both included).
    Outcome Starting(std::int64_t first, std::int64_t last, std::vector<ActivityRow>& rows) const;

    // One change, whole or not at all: the rows with these ids go, the new rows come (their
    // ids set), and the import unit is remembered. Creates the file when it is missing.
    //
    // An import also names in the same change the records it is about to store in the
    // logbook (planned): until Settle, they say which days are the import's to write, so
    // that a day left unwritten by a kill is told from a day the user changed afterwards.
    // The planned records of the settled days go first (an import taken back).
    Outcome Change(const std::vector<std::int64_t>& remove, std::vector<ActivityRow>& add,
                   const std::string& unit, const std::vector<DayRecord>& planned = {},
                   const std::vector<std::int32_t>& settled = {});
    // The days of these keys were stored in the logbook: their planned records go.
    Outcome Settle(const std::vector<std::int32_t>& days);
    // The records an import planned and has not yet settled, by day.
    Outcome Planned(std::vector<DayRecord>& records) const;
    // Settles the planned records the logbook holds already (the import was killed after
    // writing its days, or its settle failed), so that a day the user changes afterwards is
    // never taken for one left unwritten.
    Outcome SettleWritten(LogBookDatabase& logbook);
    // Whether the logbook's day is the planned record, byte for byte; a planned erase is
    // written when the day is not live.
    static bool Holds(LogBookDatabase& logbook, const DayRecord& planned);
    // A setting kept with the activities (the import's unit, the default sport, what other
    // features keep by name); empty when it is unset or there is no file.
    std::string Setting(const std::string& name) const;
    // Stores a setting at once, creating the file when it is missing.
    Outcome SetSetting(const std::string& name, const std::string& value);
    // The sport of the days typed without activities: "Running" until the user picks one.
    std::string DefaultSport() const;

    // For the tables other features keep in this file, each read and written by a class of
    // its own through SqlStatement: the open connection (nullptr while there is no file or it
    // holds nothing yet), and Ready, which creates the file when it is missing and says
    // whether it may be changed.
    sqlite3* Connection() const { return version == 0 ? nullptr : db; }
    Outcome Ready();

    // The unit distances were last imported in ("km", "mi"); "km" when none was.
    std::string Unit() const;

    // Whether the activities file of an open logbook is whole: Ok, Missing, or Damaged with
    // why. A change a killed program left half done is rolled back first.
    static Outcome Check(const LogBookDatabase& logbook);
    // Renames the activities file of a logbook held alone (and its journal) to
    // NAME.vra.damaged-YYYYMMDD-HHMMSS beside it; never deletes it.
    static Outcome SetAside(const LogBookDatabase& logbook, std::string& savedAs);

private:
    Outcome OpenFile(bool write);
    // The rows a clause picks (WHERE ... ORDER BY ...), bound to ?1 and ?2.
    Outcome Select(const char* where, std::int64_t first, std::int64_t last,
                   std::vector<ActivityRow>& rows) const;
    Outcome Migrate();
    Outcome Failure(Code code, const std::string& what) const;

    sqlite3* db = nullptr;
    std::string logbookFile; // the data file, links followed
    std::string fileName;
    bool writable = false;
    int version = 0; // of the open file; 0: it holds no activities yet
};
