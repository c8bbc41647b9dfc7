#pragma once
// The backups of logbooks: copies of a data file, kept in a folder of each logbook's own
// under $XDG_DATA_HOME/veloria/backups (~/.local/share/veloria/backups by default), named
// <logbook's file name>-<8 hex digits of a hash of its absolute path>, so two logbooks of
// one name in different folders never mix. A backup is named by its UTC time,
// 2026-12-07T221503Z.vrl (2026-12-07T221503Z-2.vrl for a second one in that second); the
// index is not kept, it is rebuilt when a backup is restored.
//
// A backup is made only of a logbook that holds a record and differs from its newest
// backup (size and content hash). It is copied beside its final name, synced and renamed,
// then read back: it must open as a logbook of the same records and hash before any older
// backup is removed (BackupRotation says which stay). A backup that cannot be made is an
// outcome with its reason for the caller to say; it never stops the change that follows.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

class LogBookBackups {
public:
    enum class Outcome {
        Made,
        Unchanged,   // the newest backup holds the same bytes
        NoRecords,   // no logbook there, or one that holds no record
        NoSpace,     // less than twice the data file free
        Unwritable,  // the backup folder cannot be made or written
        CheckFailed, // the copy did not read back as the logbook; it is removed
        Failed       // the logbook cannot be read, or the copy failed otherwise
    };
    enum class RestoreOutcome {
        Restored,
        NoSuchBackup,
        InUse,       // the logbook is open in a program
        NotBackedUp, // its present days could not be backed up; nothing was replaced
        Failed
    };

    struct Backup {
        std::string name;
        std::int64_t time = 0; // UTC seconds
        int sequence = 1;      // 2 and up for later backups in the same second
        std::int64_t size = 0;
        bool readable = false; // else the figures below are 0
        int days = 0;          // live days
        std::int32_t firstDay = 0;
        std::int32_t lastDay = 0; // date keys, YYYYMMDD
    };

    // What tests replace: the clock (UTC seconds), the free bytes of a folder (-1 when
    // unknown), and a look at a new backup before it is read back.
    struct Seams {
        std::function<std::int64_t()> now;
        std::function<std::int64_t(const std::string& folder)> freeBytes;
        std::function<void(const std::string& backup)> beforeCheck;
    };

    // Whether a backup was wanted and could not be made (then Problem says why).
    static bool Failed(Outcome outcome) {
        return outcome != Outcome::Made && outcome != Outcome::Unchanged &&
               outcome != Outcome::NoRecords;
    }

    LogBookBackups();
    explicit LogBookBackups(Seams seams);

    // $XDG_DATA_HOME/veloria/backups, or ~/.local/share/veloria/backups.
    static std::string Root();
    static std::string FolderFor(const std::string& logbook);
    // The name of the backup made at time (sequence 2 and up for later ones in that second),
    // and the reverse; false for a name that is no backup's.
    static std::string NameFor(std::int64_t time, int sequence);
    static bool ParseName(const std::string& name, std::int64_t& time, int& sequence);
    // A backup's time as the user reads it: local, 2026-12-07 23:15:03.
    static std::string LocalTime(std::int64_t time);

    // Backs up the logbook, read through descriptor when given (the caller holds the
    // logbook, so nobody writes it meanwhile), else opened by name.
    Outcome BackUp(const std::string& logbook, int descriptor = -1);
    // The same, the first time a logbook is asked about in this object's life; later calls
    // answer Unchanged.
    Outcome BackUpOnce(const std::string& logbook, int descriptor = -1);
    // Newest first; the figures come from reading each backup.
    std::vector<Backup> List(const std::string& logbook) const;
    // Takes the logbook's lock (refused while a program holds it), backs up its present
    // data file, replaces it with the backup in one rename and rebuilds the index.
    RestoreOutcome Restore(const std::string& logbook, const std::string& name);

    // The backup made or found unchanged (its file name), after BackUp or Restore.
    const std::string& Latest() const { return latest; }
    // How many older backups the last backup's rotation removed.
    int Removed() const { return removed; }
    // Why the last BackUp or Restore did not work, naming the file, in one sentence.
    const std::string& Problem() const { return problem; }

private:
    Outcome Fail(Outcome outcome, const std::string& why);
    RestoreOutcome Fail(RestoreOutcome outcome, const std::string& why);
    Outcome Copy(int source, std::int64_t size, std::uint64_t hash, const std::string& folder,
                 const std::string& name);
    void Rotate(const std::string& folder);

    Seams seams;
    std::set<std::string> backedUp; // folders, for BackUpOnce
    std::string latest;
    std::string problem;
    int removed = 0;
};
