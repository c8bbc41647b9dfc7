#pragma once
// The open logbook: a data file of 340-byte day records and an index file of 9-byte
// entries, with the whole index held in memory from open to close.
// Every operation answers with one of the outcomes below and reports its own failures
// through the owner (a restore and a comparison with a backup hand their words back
// instead); nothing throws.

#include "store/DataFile.h"
#include "store/DateUtility.h"
#include "store/DayChanges.h"
#include "store/DayRecord.h"
#include "store/DayType.h"
#include "store/ErrorReporter.h"
#include "store/IndexTable.h"
#include "store/LogBookBackups.h"
#include "store/StoreStatus.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class LogBookDatabase {
public:
    // Outcomes, each kind with the numbers of the logbook's status codes: 1 success,
    // 0 failure, 2 end of data or a record that cannot be read.
    enum class OpenResult {
        Failed = 0,
        Opened = 1, // the index read from its file, or a new empty logbook
        Rebuilt = 2 // the index rebuilt from the data file
    };
    // A record that cannot be read is also said ("Error loading range of records.") the
    // first time it happens after an open, so a window that reads the same days at every
    // paint says it once and shows the rest.
    enum class ReadResult {
        Failed = 0, // no such day, or no logbook to read
        Read = 1,
        EndOrBadRead = 2 // past the last position, or a record that cannot be read
    };
    enum class StoreResult {
        Failed = 0,
        Stored = 1,
        Unreadable = 2 // EraseDay: the day's record cannot be read
    };
    // Operations that either work or do not: close, the read-many sequence's begin and end,
    // the range counts, the cut.
    enum class Result { Failed = 0, Ok = 1 };
    // A store's outcome with its words (the message said through the owner on failure).
    using StoreStatus = ::StoreStatus<StoreResult>;

    static constexpr std::size_t kMaxNameLength = 255;

    LogBookDatabase(ErrorReporter& owner, const DateUtility& dateUtility);
    ~LogBookDatabase();
    LogBookDatabase(const LogBookDatabase&) = delete;
    LogBookDatabase& operator=(const LogBookDatabase&) = delete;

    // Whether an open logbook may be written (the logbook is held alone) or only read
    // (readers share it; no writer may hold it meanwhile).
    enum class Access { Write, Read };

    // A logbook still open is closed first. Temporary files that killed writers of this
    // logbook left are removed. Opened to be read, a missing logbook is not created and Close
    // writes no index.
    OpenResult Open(const std::string& dataFileName, Access access = Access::Write);
    // Writes the index and releases the logbook; Ok also when nothing was open.
    Result Close();

    StoreResult StoreRecord(const DayRecord& record);
    // Stores every day or none: the days go into a copy of the data file beside it, which
    // is synced and renamed over the data file only when all are in. A failure or a crash
    // at any moment leaves the old logbook or all of the days. The index is written by
    // Close as usual; until then an index on disk is found stale and rebuilt.
    StoreStatus StoreAll(const std::vector<DayRecord>& days);
    // Puts a backup of this logbook (its name, or its path in the logbook's backups folder) in
    // place of its days and activities, under the lock held since the open, the way StoreAll
    // replaces them: only once the backup checks out whole and the present days and
    // activities are in a backup of their own. The activities go first, through SQLite in one
    // transaction, the days after by a rename, so a kill leaves each file whole and never
    // the present activities' planned days beside restored days. A backup without
    // activities sets the present activities file aside (NAME.vra.before-restore-<time>).
    // File() names the backup of the present state; words on success are worth saying (an
    // older backup without a recorded hash, a file set aside). The index is written by
    // Close. It says nothing itself: the words are the caller's to show.
    LogBookBackups::RestoreStatus Restore(const std::string& backup);
    // What restoring the backup would change against the days and activities as they are
    // now; the check's words when it may not be restored.
    LogBookBackups::CheckStatus CompareWithBackup(const std::string& backup, DayChanges& changes);
    // first and last may be null for an open end.
    ReadResult LoadRange(const DateValue* first, const DateValue* last, DayType type,
                         std::vector<DayRecord>& records, int& count);
    Result FastIndex(const DateValue* first, const DateValue* last, DayType type,
                     std::vector<std::int32_t>& positions, int& count);
    Result CountRange(const DateValue* first, const DateValue* last, DayType type, int& count);

    // The read-many sequence: begin, any number of reads at index positions, end.
    Result BeginReading(const char* mode);
    ReadResult ReadAtPosition(int position, DayRecord& record);
    Result EndReading();

    ReadResult ReadDay(const DateValue& date, DayRecord& record);
    StoreResult EraseDay(const DateValue& date);

    // Moves the bytes after the last whole record into a new file (tailName, else
    // tailName.1 .. tailName.99 when taken) and cuts the data file after its last whole
    // record. Ok with the name used in savedAs (empty when there was nothing to cut).
    Result CutPartialRecord(const std::string& tailName, std::string& savedAs);

    // From now on every change is backed up first as LogBookBackups::BeforeChange rules (a
    // change of many days always, a day's change until this run has backed the logbook up
    // since its last change of many days), and a backup wanted that could not be made goes to
    // say; the change follows all the same.
    using BackupSaying = std::function<void(const LogBookBackups::BackupStatus& status)>;
    void BackUpBeforeChanges(BackupSaying say, LogBookBackups rules = LogBookBackups());
    // Backs up ahead of a change, as a change of many days does or a day's change does.
    // Public for changes the store does not make itself (a repair, the activities an import
    // stores before its days): the StoreAll or cut that follows makes no second backup.
    void ChangeAhead(bool manyDays = true);

    // Records that could not be read since the logbook was opened.
    int ReadFailures() const { return readFailures; }
    // For tests: the record at this slot of any logbook reads as a disk error would (-1
    // for none). Only the reads of days see it, not the index check at open.
    static void MakeSlotUnreadable(std::int32_t slot);

    // True when path names the open data file or its index (same device and inode).
    bool Holds(const std::string& path) const;

    bool IsOpen() const { return data.IsOpen(); }
    // Open to be written: no other program has the logbook meanwhile.
    bool HeldAlone() const { return data.IsOpen() && !shared; }
    int EntryCount() const { return table.Count(); }
    const IndexTable& Table() const { return table; }
    const std::string& DataFileName() const { return dataFileName; }
    const std::string& IndexFileName() const { return indexFileName; }

private:
    class ReadWindow;

    void Report(const char* message) { owner.ReportError(message); }
    bool ReadSlot(std::int32_t slot, DayRecord& record) const;
    // Counts a record that could not be read, and says so the first time.
    void ReadFailed();
    // Gives the record its slot in the table and writes it into file; on failure the table
    // is as it was.
    bool Put(const DataFile& file, const DayRecord& record);
    // Replaces the data file with a copy of size bytes of source into which the days are put
    // (the table rebuilt from the copy first when rebuild is set), synced and renamed over it
    // with its owner and mode. On failure the table and the file are as they were, and error
    // holds the cause.
    // beforeCommit runs once the copy is whole and synced, just before the rename; false
    // from it fails the replace.
    bool Replace(const DataFile& source, std::int64_t size, const std::vector<DayRecord>& days,
                 bool rebuild, int& error, const std::function<bool()>& beforeCommit = {});
    void BackUpAhead(bool manyDays);
    // Says "Error storing database record." with the file and the cause when one is known,
    // and gives the message back.
    std::string StoreFailed(int error);
    // A slot for a new record: an erased day's record first, else the file's true end.
    // -1 when the file's size cannot be read or the file is as large as a logbook may be.
    std::int32_t TakeFreeSlot(const DataFile& file, int& donorPosition);
    void KeyRange(const DateValue* first, const DateValue* last, std::int32_t& firstKey,
                  std::int32_t& lastKey) const;

    ErrorReporter& owner;
    DataFile data;
    const DateUtility& dateUtility;
    IndexTable table;
    std::string dataFileName;
    std::string indexFileName;
    std::unique_ptr<ReadWindow> reading;
    // Whether the user has been told that no logbook is open, so that every view that
    // asks for days afterwards does not say it again.
    bool closedSaid = false;
    int readFailures = 0;
    bool shared = false; // opened to be read only
    LogBookBackups backups;
    BackupSaying sayBackup;     // empty: no backups before changes
    bool backedUpAhead = false; // by ChangeAhead, for the change of many days that follows
};
