#pragma once
// The backups of logbooks: copies of a data file and its activities file, kept in a folder of each
// logbook's own under $XDG_DATA_HOME/veloria/backups (~/.local/share/veloria/backups by default),
// named <logbook's file name>-<8 hex digits of a hash of its absolute path>, so two logbooks of one
// name in different folders never mix. A backup is named by its UTC time, 2026-12-07T221503Z.vrl
// (2026-12-07T221503Z-2.vrl for a second one in that second); beside it, <name>.hash holds the
// content hash of its bytes (16 hex digits and a line end). The index is not kept; it is rebuilt
// when a backup is restored. A logbook with an activities file has its copy beside,
// 2026-12-07T221503Z.vra with its .vra.hash, made through SQLite's backup API; both are in place
// before the .vrl takes its name, so a .vrl whose .vra.hash is there and whose .vra is not, or does
// not match, is damaged, never a backup without activities.
//
// A backup is made only of a logbook that holds a record and differs from its newest
// backup (size and content hash of both files). Each file is copied beside its final name,
// synced and renamed, then read back: the data file must open as a logbook of the same
// records and hash, the activities file pass SQLite's integrity check with the same activity
// count, before any older backup is removed (BackupRotation says which stay, over the backups
// neither just made nor named later than the clock). A backup that cannot be made is an outcome
// with its reason for the caller to say; it never stops the change that follows. Links in a backups
// folder are no backups: never listed, checked, restored or removed.

#include "store/StoreStatus.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

class DataFile;
class IndexTable;

class LogBookBackups {
public:
    enum class Outcome {
        Made,
        Unchanged,   // the newest backup holds the same bytes
        NoRecords,   // no logbook there, or one that holds no record
        NotDue,      // backed up in this run since its last change of many days
        NoSpace,     // less than twice the data file free
        Unwritable,  // the backup folder cannot be made or written
        CheckFailed, // the copy did not read back as the logbook; it is removed
        Failed       // the logbook cannot be read, or the copy failed otherwise
    };
    // What a check of a backup found.
    enum class Verdict {
        Sound,    // its bytes match the hash recorded beside it, its records are days
        Unhashed, // no hash was recorded (an older backup), but its records are days
        Missing,  // no backup of that name (a link is none)
        FolderUnreadable,
        Damaged,    // its bytes do not match its recorded hash
        NotALogbook // not whole records, or a record that holds no day
    };
    enum class RestoreOutcome {
        Restored,
        Refused,     // the backup is missing, damaged or no logbook's; nothing was replaced
        NotBackedUp, // the present days could not be backed up; nothing was replaced
        Failed       // the logbook could not be replaced; it is as it was
    };
    using BackupStatus = StoreStatus<Outcome>;
    using CheckStatus = StoreStatus<Verdict>;
    using RestoreStatus = StoreStatus<RestoreOutcome>;

    struct Backup {
        std::string name;
        std::int64_t time = 0; // UTC seconds
        int sequence = 1;      // 2 and up for later backups in the same second
        std::int64_t size = 0;
        Verdict verdict = Verdict::Sound;
        std::string problem; // why it may not be restored, after its name ("is damaged: ...")
        int days = 0;        // live days; 0 with the two below when it may not be restored
        std::int32_t firstDay = 0;
        std::int32_t lastDay = 0; // date keys, YYYYMMDD
        int activities = -1;      // in its activities file; -1 when it has none
        bool Restorable() const { return problem.empty(); }
    };

    // What tests replace: the clock (UTC seconds), the free bytes of a folder (-1 when
    // unknown), and a look at a new backup before it is read back.
    struct Seams {
        std::function<std::int64_t()> now;
        std::function<std::int64_t(const std::string& folder)> freeBytes;
        std::function<void(const std::string& backup)> beforeCheck;
    };

    // Whether a backup was wanted and could not be made (the words say why).
    static bool Failed(Outcome outcome) {
        return outcome != Outcome::Made && outcome != Outcome::Unchanged &&
               outcome != Outcome::NoRecords && outcome != Outcome::NotDue;
    }
    static bool Restorable(Verdict verdict) {
        return verdict == Verdict::Sound || verdict == Verdict::Unhashed;
    }

    LogBookBackups();
    explicit LogBookBackups(Seams seams);

    // $XDG_DATA_HOME/veloria/backups, or ~/.local/share/veloria/backups.
    static std::string Root();
    static std::string FolderFor(const std::string& logbook);
    // The name of the backup made at time (sequence 2 and up for later ones in that second),
    // and the reverse; false for a name that is no backup's.
    static std::string NameFor(std::int64_t time, int sequence);
    // The name of a backup's activities file: 2026-12-07T221503Z.vra.
    static std::string ActivitiesNameFor(const std::string& backup);
    static bool ParseName(const std::string& name, std::int64_t& time, int& sequence);
    // A backup's time as the user reads it: local, 2026-12-07 23:15:03.
    static std::string LocalTime(std::int64_t time);

    // Backs up the logbook, read through descriptor when given (the caller holds the
    // logbook, so nobody writes it meanwhile), else opened by name. Made's words say how
    // many older backups the rotation removed; activities (when given) gets the count the
    // backup holds, -1 when the logbook has no activities file.
    BackupStatus BackUp(const std::string& logbook, int descriptor = -1, int* activities = nullptr);
    // The rule before a change: a change of many days is always backed up first (unless
    // unchanged); a change of one day only while this object has not backed the logbook up
    // since its last change of many days (NotDue after). A backup that failed is tried again
    // at the next change.
    BackupStatus BeforeChange(const std::string& logbook, int descriptor, bool manyDays);
    // The logbook's days were replaced many at once: the next change backs them up.
    void AfterManyDays(const std::string& logbook);

    // Newest first, each checked; empty with problem set when the folder cannot be read.
    std::vector<Backup> List(const std::string& logbook, std::string& problem) const;
    std::vector<Backup> List(const std::string& logbook) const;

    // Opens a backup of the logbook, by its name or its path in the logbook's backups folder,
    // into file (no lock: nobody writes a backup) and checks it whole: its hash when one was
    // recorded, whole records, each a day, and its activities file when it has one (its
    // hash and SQLite's integrity check). table gets its days, activities (when given) the
    // count of its activities, -1 when it has none. File() is the backup's name.
    CheckStatus Open(const std::string& logbook, const std::string& backup, DataFile& file,
                     IndexTable& table, int* activities = nullptr) const;

private:
    // activities: the activities file's bytes and count, when the logbook has one.
    struct Activities {
        bool present = false;
        std::string bytes;
        int count = 0;
    };
    BackupStatus Copy(int source, std::int64_t size, std::uint64_t hash,
                      const Activities& activities, const std::string& folder,
                      const std::string& name);
    int Rotate(const std::string& folder, const std::string& made);

    Seams seams;
    std::set<std::string> backedUp; // folders backed up since their last change of many days
};
