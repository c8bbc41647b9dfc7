#include "store/LogBookDatabase.h"

#include "store/ActivityFileCopy.h"
#include "store/FileIo.h"
#include "store/IndexFile.h"
#include "store/TemporaryFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const char* const kCannotCreateIndex = "Cannot create index.";
const char* const kCannotCreateDataFile = "Cannot create data file.";
const char* const kErrorClosing = "Error closing database system.";
const char* const kErrorStoring = "Error storing database record.";
const char* const kErrorLoadingRange = "Error loading range of records.";
const char* const kCannotOpenDatabase = "Cannot open database.";
const char* const kCannotCloseDatabase = "Cannot close database.";
const char* const kErrorReading = "Error reading data file.";
const char* const kErrorDeleting = "Error deleting database record.";
const char* const kInUse = "Logbook is in use by another program.";
const char* const kNameTooLong = "Logbook file name is longer than 255 characters.";
const char* const kIndexNameTooLong = "Index file name would be longer than 255 characters.";
const char* const kNameOfIndex = "Logbook file name is that of its own index (.idx).";
const char* const kNameWithControl = "Logbook file name holds a control character.";
const char* const kIndexNotRegular = "Index file is not a regular file.";
const char* const kCannotCut = "Cannot cut the partial record at the end of the data file.";

std::atomic<std::int32_t> unreadableSlot{-1};

bool Unreadable(std::int32_t first, std::size_t count) {
    const std::int32_t slot = unreadableSlot.load(std::memory_order_relaxed);
    return slot >= first && static_cast<std::size_t>(slot - first) < count;
}

} // namespace

// A read-ahead buffer over the data file for the read-many sequence: walks in slot order
// cost one read per window instead of one per record.
class LogBookDatabase::ReadWindow {
public:
    // 320 records (about 106 KiB), some ten months of days, a read: a view's month or a
    // year's report takes one or two reads.
    static constexpr std::size_t kRecords = 320;

    bool Read(const DataFile& data, std::int32_t slot, DayRecord& record) {
        if (Unreadable(slot, 1)) {
            return false;
        }
        if (slot < firstSlot || slot >= firstSlot + heldRecords) {
            const std::int64_t got = data.ReadSome(DayRecord::Offset(slot), bytes, sizeof bytes);
            firstSlot = slot;
            heldRecords =
                got > 0
                    ? static_cast<std::int32_t>(got / static_cast<std::int64_t>(DayRecord::kSize))
                    : 0;
            if (heldRecords == 0) {
                return false;
            }
        }
        const unsigned char* held =
            bytes + static_cast<std::size_t>(slot - firstSlot) * DayRecord::kSize;
        std::memcpy(&record, held, DayRecord::kSize);
        DayRecord::FromFileOrder(&record, 1);
        return true;
    }

    void Forget() { heldRecords = 0; }

private:
    std::int32_t firstSlot = 0;
    std::int32_t heldRecords = 0;
    unsigned char bytes[kRecords * DayRecord::kSize];
};

LogBookDatabase::LogBookDatabase(ErrorReporter& owner, const DateUtility& dateUtility)
    : owner(owner), dateUtility(dateUtility) {}

LogBookDatabase::~LogBookDatabase() = default;

LogBookDatabase::OpenResult LogBookDatabase::Open(const std::string& name, Access access) {
    if (data.IsOpen()) {
        Close();
    }
    table.Clear();
    reading.reset();
    readFailures = 0;
    // Every way out but success below has said why; a load from the closed logbook then
    // adds nothing.
    closedSaid = true;
    if (name.size() > kMaxNameLength) {
        Report(kNameTooLong);
        return OpenResult::Failed;
    }
    // A NUL or another control character is no part of a path: with a NUL the system would
    // open the text before it for both files.
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
        Report(kNameWithControl);
        return OpenResult::Failed;
    }
    const std::string indexName = IndexFile::NameFor(name);
    if (indexName.size() > kMaxNameLength) {
        Report(kIndexNameTooLong);
        return OpenResult::Failed;
    }
    if (indexName == name) {
        Report(kNameOfIndex);
        return OpenResult::Failed;
    }
    dataFileName = name;
    indexFileName = indexName;

    const bool reader = access == Access::Read;
    shared = reader;
    switch (data.Open(dataFileName, false, reader)) {
    case DataFile::OpenResult::Opened:
        break;
    case DataFile::OpenResult::Locked:
        Report(kInUse);
        return OpenResult::Failed;
    case DataFile::OpenResult::NotRegular:
    case DataFile::OpenResult::TooLarge:
    case DataFile::OpenResult::Failed:
        // The file is there but cannot be used; it is never replaced by an empty one.
        Report((dataFileName + " " + data.Problem() + ".").c_str());
        return OpenResult::Failed;
    case DataFile::OpenResult::Missing:
        if (reader) {
            Report((dataFileName + " cannot be read: no such file.").c_str());
            return OpenResult::Failed;
        }
        ::unlink(indexFileName.c_str());
        switch (data.Open(dataFileName, true)) {
        case DataFile::OpenResult::Opened:
            return OpenResult::Opened;
        case DataFile::OpenResult::Locked:
            Report(kInUse);
            return OpenResult::Failed;
        default:
            Report(kCannotCreateDataFile);
            return OpenResult::Failed;
        }
    }

    // A link may give the index's name to the data file itself.
    struct stat dataInfo {};
    struct stat indexInfo {};
    if (data.Stat(dataInfo) && ::stat(indexFileName.c_str(), &indexInfo) == 0 &&
        fileio::SameFile(dataInfo, indexInfo)) {
        data.Close();
        Report(kNameOfIndex);
        return OpenResult::Failed;
    }
    // The lock is ours, so no writer of this logbook is at work: what temporary files of
    // it remain were left by one that was killed.
    TemporaryFile::RemoveLeftovers(dataFileName);
    TemporaryFile::RemoveLeftovers(indexFileName);
    if (const std::string file = fileio::Resolved(dataFileName); file != dataFileName) {
        TemporaryFile::RemoveLeftovers(file); // an import through a link works beside its file
    }

    switch (IndexFile::Load(indexFileName, data, table).state) {
    case IndexFile::State::Ok:
        return OpenResult::Opened;
    case IndexFile::State::NotRegular:
        table.Clear();
        data.Close();
        Report(kIndexNotRegular);
        return OpenResult::Failed;
    default:
        break;
    }
    if (IndexFile::Rebuild(data, table)) {
        return OpenResult::Rebuilt;
    }
    table.Clear();
    data.Close();
    Report(kCannotCreateIndex);
    return OpenResult::Failed;
}

LogBookDatabase::Result LogBookDatabase::Close() {
    reading.reset();
    if (!data.IsOpen()) {
        return Result::Ok; // nothing open: an index that is not ours must not be overwritten
    }
    // A reader shares the logbook with others and leaves its files as they are.
    const bool written = shared || IndexFile::Write(indexFileName, table);
    data.Close();
    closedSaid = false;
    if (!written) {
        Report(kErrorClosing);
        return Result::Failed;
    }
    return Result::Ok;
}

bool LogBookDatabase::ReadSlot(std::int32_t slot, DayRecord& record) const {
    unsigned char bytes[DayRecord::kSize];
    if (slot < 0 || Unreadable(slot, 1) ||
        !data.ReadAt(DayRecord::Offset(slot), bytes, sizeof bytes)) {
        return false;
    }
    record = DayRecord::FromBytes(bytes);
    return true;
}

std::int32_t LogBookDatabase::TakeFreeSlot(const DataFile& file, int& donorPosition) {
    donorPosition = IndexTable::kNotFound;
    for (int i = 0; i < table.Count(); ++i) {
        IndexEntry& entry = table.At(i);
        if (entry.IsErased() && entry.slot != -1) {
            donorPosition = i;
            const std::int32_t slot = entry.slot;
            entry.slot = -1;
            return slot;
        }
    }
    // The true end of the data file, never a count that a disagreeing table suggests.
    // A file already as large as a logbook may be gets no more records: it would not open
    // again.
    const std::int64_t size = file.Size();
    const std::int64_t records = size / static_cast<std::int64_t>(DayRecord::kSize);
    if (size < 0 || records >= DataFile::kMaxRecords) {
        return -1;
    }
    return static_cast<std::int32_t>(records);
}

bool LogBookDatabase::Put(const DataFile& file, const DayRecord& record) {
    int position = table.Find(record.dateKey);
    const bool inserted = position == IndexTable::kNotFound;
    const IndexEntry before = inserted ? IndexEntry{} : table.At(position);
    int donor = IndexTable::kNotFound;
    std::int32_t slot = inserted ? -1 : before.slot;
    if (slot == -1) {
        slot = TakeFreeSlot(file, donor);
        if (slot < 0) {
            return false;
        }
    }
    position = table.Insert(record.dateKey, slot, record.Flags());

    unsigned char bytes[DayRecord::kSize];
    record.ToBytes(bytes);
    if (file.WriteAt(DayRecord::Offset(slot), bytes, sizeof bytes)) {
        return true;
    }
    // Put the table back as it was, so that no entry names a record that was never
    // written and the next new day cannot be given the same slot twice.
    if (inserted) {
        table.RemoveAt(position);
        if (donor != IndexTable::kNotFound && donor > position) {
            --donor;
        }
    } else {
        table.At(position) = before;
    }
    if (donor != IndexTable::kNotFound) {
        table.At(donor).slot = slot;
    }
    return false;
}

LogBookDatabase::StoreResult LogBookDatabase::StoreRecord(const DayRecord& record) {
    // A key that is no logbook date would be left out of the index at the next open.
    if (!data.IsOpen() || !data.IsWritable() || !DateUtility::IsLogbookKey(record.dateKey)) {
        Report(kErrorStoring);
        return StoreResult::Failed;
    }
    backedUpAhead = false;
    BackUpAhead(false);
    if (reading) {
        reading->Forget();
    }
    errno = 0;
    if (!Put(data, record)) {
        StoreFailed(errno);
        return StoreResult::Failed;
    }
    return StoreResult::Stored;
}

std::string LogBookDatabase::StoreFailed(int error) {
    std::string message = kErrorStoring;
    if (error != 0) {
        message += " " + dataFileName + " cannot be written: " + fileio::Reason(error) + ".";
    }
    Report(message.c_str());
    return message;
}

LogBookDatabase::StoreStatus LogBookDatabase::StoreAll(const std::vector<DayRecord>& days) {
    bool usable = data.IsOpen() && data.IsWritable();
    for (const DayRecord& day : days) {
        usable = usable && DateUtility::IsLogbookKey(day.dateKey);
    }
    if (!usable) {
        Report(kErrorStoring);
        return {StoreResult::Failed, kErrorStoring};
    }
    if (!std::exchange(backedUpAhead, false)) {
        BackUpAhead(true);
    }
    if (reading) {
        reading->Forget();
    }
    int error = 0;
    if (!Replace(data, data.Size(), days, false, error)) {
        return {StoreResult::Failed, StoreFailed(error)};
    }
    if (sayBackup) {
        backups.AfterManyDays(dataFileName);
    }
    return StoreResult::Stored;
}

bool LogBookDatabase::Replace(const DataFile& source, std::int64_t size,
                              const std::vector<DayRecord>& days, bool rebuild, int& error,
                              const std::function<bool()>& beforeCommit) {
    // Through a symbolic link the copy goes beside the file the link names and replaces
    // it there, so the link stays and leads to the new days; only the file this logbook
    // holds open is ever replaced.
    struct stat info {};
    struct stat named {};
    const std::string file = fileio::Resolved(dataFileName);
    if (!data.Stat(info) || ::stat(file.c_str(), &named) != 0 || !fileio::SameFile(info, named) ||
        size < 0) {
        error = 0;
        return false;
    }
    // The copy is locked before it gets the logbook's name, so that a program opening the
    // name after the rename finds it in use, as it found the old file.
    TemporaryFile copy;
    DataFile next;
    bool ok = copy.Create(file, info.st_mode & 07777);
    if (ok && ::geteuid() == 0) {
        // Root storing into another user's logbook leaves it theirs.
        [[maybe_unused]] const int kept = ::fchown(copy.Descriptor(), info.st_uid, info.st_gid);
    }
    if (ok) {
        next.Adopt(copy.Release(), true);
        ok = DataFile::Lock(next.Descriptor()) &&
             fileio::CopyContents(source.Descriptor(), next.Descriptor(), size);
    }
    error = ok ? 0 : errno;
    const IndexTable before = table;
    if (ok && rebuild) {
        ok = IndexFile::Rebuild(next, table);
    }
    for (std::size_t i = 0; ok && i < days.size(); ++i) {
        errno = 0;
        ok = Put(next, days[i]);
        error = ok ? 0 : errno;
    }
    if (ok && ::fsync(next.Descriptor()) != 0) {
        ok = false;
        error = errno;
    }
    if (ok && beforeCommit && !beforeCommit()) {
        ok = false;
        error = 0;
    }
    if (ok && !copy.Commit()) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        table = before;
        return false;
    }
    fileio::SyncFolder(file);
    data.Swap(next); // the old file and its lock go with next
    return true;
}

LogBookBackups::CheckStatus LogBookDatabase::CompareWithBackup(const std::string& backup,
                                                               DayChanges& changes) {
    changes = DayChanges{};
    DataFile file;
    IndexTable days;
    int activities = -1;
    LogBookBackups::CheckStatus check = backups.Open(dataFileName, backup, file, days, &activities);
    if (LogBookBackups::Restorable(check.Outcome()) &&
        !DayChanges::Between(table, data, days, file, changes)) {
        return {LogBookBackups::Verdict::NotALogbook,
                "The days of " + dataFileName + " and of " + check.File() +
                    " cannot all be read to compare them.",
                check.File()};
    }
    // Activities are counted only where the present file can be read; a restore backs it up
    // first, and refuses when it cannot.
    const std::string live = ActivityFileCopy::NameFor(fileio::Resolved(dataFileName));
    std::string bytes;
    std::string why;
    int present = 0;
    struct stat info {};
    const bool missing = ::lstat(live.c_str(), &info) != 0 && errno == ENOENT;
    if (missing || ActivityFileCopy::Snapshot(live, bytes, present, why)) {
        changes.activitiesBefore = present;
        changes.activitiesAfter = activities < 0 ? 0 : activities;
    }
    return check;
}

LogBookBackups::RestoreStatus LogBookDatabase::Restore(const std::string& backup) {
    using Outcome = LogBookBackups::RestoreOutcome;
    if (!data.IsOpen() || !data.IsWritable()) {
        return {Outcome::Failed, "No logbook is open to restore into."};
    }
    DataFile file;
    IndexTable days;
    int activities = -1;
    const LogBookBackups::CheckStatus check =
        backups.Open(dataFileName, backup, file, days, &activities);
    if (!LogBookBackups::Restorable(check.Outcome())) {
        return {Outcome::Refused, check.Words() + " The logbook is as it was."};
    }
    // Its present days and activities go into a backup first, whatever this run backed up
    // before.
    const LogBookBackups::BackupStatus before = backups.BackUp(dataFileName, data.Descriptor());
    if (LogBookBackups::Failed(before.Outcome())) {
        return {Outcome::NotBackedUp,
                before.Words() + " The logbook was not restored, so its present days stay."};
    }
    if (reading) {
        reading->Forget();
    }
    const std::string live = ActivityFileCopy::NameFor(fileio::Resolved(dataFileName));
    const std::string folder = LogBookBackups::FolderFor(dataFileName);
    struct stat logbookInfo {};
    data.Stat(logbookInfo);
    struct stat liveInfo {};
    const bool hadActivities = ::lstat(live.c_str(), &liveInfo) == 0;
    std::string setAside;
    std::string why;
    bool activitiesPut = false;
    const auto putActivities = [&] {
        if (activities >= 0) {
            activitiesPut = ActivityFileCopy::Restore(
                folder + "/" + LogBookBackups::ActivitiesNameFor(check.File()), live,
                logbookInfo.st_mode & 0666, static_cast<int>(logbookInfo.st_uid),
                static_cast<int>(logbookInfo.st_gid), why);
            return activitiesPut;
        }
        if (hadActivities && !ActivityFileCopy::SetAside(live, "before-restore", setAside)) {
            why = fileio::Reason(errno);
            return false;
        }
        return true;
    };
    int error = 0;
    if (!Replace(file, file.Size(), {}, true, error, putActivities)) {
        if (!why.empty()) {
            return {Outcome::Failed, "The activities file " + live + " cannot be restored: " + why +
                                         "; the logbook is as it was."};
        }
        // The days could not take their place after the activities did: the activities go
        // back as they were.
        if (!setAside.empty()) {
            ::rename(setAside.c_str(), live.c_str());
        } else if (activitiesPut && hadActivities && before.File().size() > 0) {
            ActivityFileCopy::Restore(folder + "/" +
                                          LogBookBackups::ActivitiesNameFor(before.File()),
                                      live, 0600, 0, 0, why);
        } else if (activitiesPut) {
            ::unlink(live.c_str());
        }
        return {Outcome::Failed, dataFileName + " cannot be replaced" +
                                     (error != 0 ? ": " + fileio::Reason(error) : std::string()) +
                                     "; the logbook is as it was."};
    }
    backups.AfterManyDays(dataFileName);
    std::string words = check.Words();
    if (!setAside.empty()) {
        words += std::string(words.empty() ? "" : " ") + "The backup was made before " +
                 fileio::LastComponent(dataFileName) +
                 " had activities: its activities file was set aside as " + setAside + ".";
    }
    return {Outcome::Restored, words,
            before.Is(LogBookBackups::Outcome::NoRecords) ? std::string() : before.File()};
}

void LogBookDatabase::KeyRange(const DateValue* first, const DateValue* last,
                               std::int32_t& firstKey, std::int32_t& lastKey) const {
    firstKey = first ? dateUtility.KeyOfDate(*first) : 0;
    lastKey = last ? dateUtility.KeyOfDate(*last) : 0;
}

LogBookDatabase::ReadResult LogBookDatabase::LoadRange(const DateValue* first,
                                                       const DateValue* last, DayType type,
                                                       std::vector<DayRecord>& records,
                                                       int& count) {
    records.clear();
    count = 0;
    if (!data.IsOpen()) {
        if (!closedSaid) {
            Report(kErrorLoadingRange);
            closedSaid = true;
        }
        return ReadResult::Failed;
    }
    std::int32_t firstKey = 0;
    std::int32_t lastKey = 0;
    KeyRange(first, last, firstKey, lastKey);
    std::vector<std::int32_t> slots;
    table.Select(first ? &firstKey : nullptr, last ? &lastKey : nullptr, type,
                 [&](int position) { slots.push_back(table.At(position).slot); });
    records.resize(slots.size());

    // Days entered in date order lie in consecutive slots: each such run is one read
    // straight into the output.
    ReadResult result = ReadResult::Read;
    std::size_t delivered = 0;
    while (delivered < slots.size()) {
        std::size_t runEnd = delivered + 1;
        while (runEnd < slots.size() && slots[runEnd] == slots[runEnd - 1] + 1) {
            ++runEnd;
        }
        const std::size_t length = runEnd - delivered;
        if (!Unreadable(slots[delivered], length) &&
            data.ReadAt(DayRecord::Offset(slots[delivered]), &records[delivered],
                        length * DayRecord::kSize)) {
            DayRecord::FromFileOrder(&records[delivered], length);
            delivered = runEnd;
            continue;
        }
        // Deliver what can be read of the run, record by record, up to the first failure;
        // when every record of the run reads, only the large read failed and the next run
        // follows.
        while (delivered < runEnd && ReadSlot(slots[delivered], records[delivered])) {
            ++delivered;
        }
        if (delivered < runEnd) {
            ReadFailed();
            result = ReadResult::EndOrBadRead;
            break;
        }
    }
    records.resize(delivered);
    count = static_cast<int>(delivered);
    return result;
}

LogBookDatabase::Result LogBookDatabase::FastIndex(const DateValue* first, const DateValue* last,
                                                   DayType type,
                                                   std::vector<std::int32_t>& positions,
                                                   int& count) {
    positions.clear();
    std::int32_t firstKey = 0;
    std::int32_t lastKey = 0;
    KeyRange(first, last, firstKey, lastKey);
    table.Select(first ? &firstKey : nullptr, last ? &lastKey : nullptr, type,
                 [&](int position) { positions.push_back(position); });
    count = static_cast<int>(positions.size());
    return Result::Ok;
}

LogBookDatabase::Result LogBookDatabase::CountRange(const DateValue* first, const DateValue* last,
                                                    DayType type, int& count) {
    std::int32_t firstKey = 0;
    std::int32_t lastKey = 0;
    KeyRange(first, last, firstKey, lastKey);
    int selected = 0;
    table.Select(first ? &firstKey : nullptr, last ? &lastKey : nullptr, type,
                 [&](int) { ++selected; });
    count = selected;
    return Result::Ok;
}

LogBookDatabase::Result LogBookDatabase::BeginReading(const char* mode) {
    if (!data.IsOpen() || !mode || mode[0] != 'r') {
        Report(kCannotOpenDatabase);
        return Result::Failed;
    }
    reading = std::make_unique<ReadWindow>();
    return Result::Ok;
}

LogBookDatabase::ReadResult LogBookDatabase::ReadAtPosition(int position, DayRecord& record) {
    if (!reading || position < 0 || position >= table.Count()) {
        return ReadResult::EndOrBadRead;
    }
    const IndexEntry& entry = table.At(position);
    if (entry.IsErased()) {
        return ReadResult::Read;
    }
    if (!reading->Read(data, entry.slot, record)) {
        ReadFailed();
        return ReadResult::EndOrBadRead;
    }
    return ReadResult::Read;
}

LogBookDatabase::Result LogBookDatabase::EndReading() {
    if (!reading) {
        Report(kCannotCloseDatabase);
        return Result::Failed;
    }
    reading.reset();
    return Result::Ok;
}

LogBookDatabase::ReadResult LogBookDatabase::ReadDay(const DateValue& date, DayRecord& record) {
    const int position = table.Find(dateUtility.KeyOfDate(date));
    if (position == IndexTable::kNotFound) {
        return ReadResult::Failed;
    }
    if (!data.IsOpen()) {
        Report(kErrorReading);
        return ReadResult::Failed;
    }
    if (!ReadSlot(table.At(position).slot, record)) {
        ReadFailed();
        return ReadResult::EndOrBadRead;
    }
    return ReadResult::Read;
}

void LogBookDatabase::ReadFailed() {
    if (readFailures++ == 0) {
        Report(kErrorLoadingRange);
    }
}

void LogBookDatabase::BackUpBeforeChanges(BackupSaying say, LogBookBackups rules) {
    sayBackup = std::move(say);
    backups = std::move(rules);
}

void LogBookDatabase::ChangeAhead(bool manyDays) {
    BackUpAhead(manyDays);
    backedUpAhead = manyDays;
}

void LogBookDatabase::BackUpAhead(bool manyDays) {
    if (!sayBackup || !data.IsOpen() || !data.IsWritable()) {
        return;
    }
    const LogBookBackups::BackupStatus status =
        backups.BeforeChange(dataFileName, data.Descriptor(), manyDays);
    if (LogBookBackups::Failed(status.Outcome())) {
        sayBackup(status);
    }
}

void LogBookDatabase::MakeSlotUnreadable(std::int32_t slot) {
    unreadableSlot.store(slot, std::memory_order_relaxed);
}

LogBookDatabase::StoreResult LogBookDatabase::EraseDay(const DateValue& date) {
    const int position = table.Find(dateUtility.KeyOfDate(date));
    if (position == IndexTable::kNotFound) {
        return StoreResult::Failed;
    }
    if (!data.IsOpen() || !data.IsWritable()) {
        Report(kErrorDeleting);
        return StoreResult::Failed;
    }
    DayRecord record;
    const std::int32_t slot = table.At(position).slot;
    if (!ReadSlot(slot, record)) {
        return StoreResult::Unreadable;
    }
    backedUpAhead = false;
    BackUpAhead(false);
    if (reading) {
        reading->Forget();
    }
    record.erased = 1;
    unsigned char bytes[DayRecord::kSize];
    record.ToBytes(bytes);
    if (!data.WriteAt(DayRecord::Offset(slot), bytes, sizeof bytes)) {
        Report(kErrorDeleting);
        return StoreResult::Failed;
    }
    table.At(position).flags = IndexEntry::kErased;
    return StoreResult::Stored;
}

LogBookDatabase::Result LogBookDatabase::CutPartialRecord(const std::string& tailName,
                                                          std::string& savedAs) {
    savedAs.clear();
    const std::int64_t size = data.Size();
    if (!data.IsOpen() || !data.IsWritable() || size < 0) {
        Report(kCannotCut);
        return Result::Failed;
    }
    const std::int64_t whole = size / static_cast<std::int64_t>(DayRecord::kSize) *
                               static_cast<std::int64_t>(DayRecord::kSize);
    if (whole == size) {
        return Result::Ok;
    }
    std::vector<unsigned char> tail(static_cast<std::size_t>(size - whole));
    if (!data.ReadAt(whole, tail.data(), tail.size())) {
        Report(kCannotCut);
        return Result::Failed;
    }
    // Never over an earlier tail: each cut keeps its bytes in a file of its own.
    int fd = -1;
    std::string name;
    // A hundred names are plenty for the tails of one logbook; past them, the cut is refused.
    for (int n = 0; n < 100 && fd < 0; ++n) {
        name = n == 0 ? tailName : tailName + "." + std::to_string(n);
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        Report(kCannotCut);
        return Result::Failed;
    }
    if (!std::exchange(backedUpAhead, false)) {
        BackUpAhead(true);
    }
    const bool saved = fileio::WriteAll(fd, tail.data(), tail.size()) && ::fsync(fd) == 0;
    ::close(fd);
    if (!saved || !data.Truncate(whole)) {
        if (!saved) {
            ::unlink(name.c_str());
        }
        Report(kCannotCut);
        return Result::Failed;
    }
    savedAs = name;
    if (sayBackup) {
        backups.AfterManyDays(dataFileName);
    }
    return Result::Ok;
}

bool LogBookDatabase::Holds(const std::string& path) const {
    struct stat other {};
    struct stat mine {};
    if (!data.IsOpen() || ::stat(path.c_str(), &other) != 0) {
        return false;
    }
    if (data.Stat(mine) && fileio::SameFile(mine, other)) {
        return true;
    }
    return ::stat(indexFileName.c_str(), &mine) == 0 && fileio::SameFile(mine, other);
}
