#include "store/LogBookDatabase.h"

#include "store/IndexFile.h"

#include <bit>
#include <cstring>
#include <unistd.h>

namespace {

constexpr std::int64_t kRecord = static_cast<std::int64_t>(DayRecord::kSize);

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

// Records as they lie in the file become records in memory by a plain copy on this host.
void FixByteOrder(DayRecord* records, std::size_t count) {
    if constexpr (std::endian::native != std::endian::little) {
        for (std::size_t i = 0; i < count; ++i) {
            records[i] = DayRecord::FromBytes(reinterpret_cast<const unsigned char*>(&records[i]));
        }
    } else {
        (void)records;
        (void)count;
    }
}

} // namespace

// A read-ahead buffer over the data file for the read-many sequence: walks in slot order
// cost one read per window instead of one per record.
class LogBookDatabase::ReadWindow {
public:
    static constexpr std::size_t kRecords = 320;

    bool Read(const DataFile& data, std::int32_t slot, DayRecord& record) {
        if (slot < firstSlot || slot >= firstSlot + heldRecords) {
            const std::int64_t got =
                data.ReadSome(static_cast<std::int64_t>(slot) * kRecord, bytes, sizeof bytes);
            firstSlot = slot;
            heldRecords = got > 0 ? static_cast<std::int32_t>(got / kRecord) : 0;
            if (heldRecords == 0) {
                return false;
            }
        }
        const unsigned char* held =
            bytes + static_cast<std::size_t>(slot - firstSlot) * DayRecord::kSize;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&record, held, DayRecord::kSize);
        } else {
            record = DayRecord::FromBytes(held);
        }
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

int LogBookDatabase::Open(const std::string& name) {
    if (data.IsOpen()) {
        Close();
    }
    table.Clear();
    reading.reset();
    if (name.size() > kMaxNameLength) {
        Report(kNameTooLong);
        return 0;
    }
    const std::string indexName = IndexFile::NameFor(name);
    if (indexName.size() > kMaxNameLength) {
        Report(kIndexNameTooLong);
        return 0;
    }
    dataFileName = name;
    indexFileName = indexName;

    switch (data.Open(dataFileName, false)) {
    case DataFile::OpenResult::Opened:
        break;
    case DataFile::OpenResult::Locked:
        Report(kInUse);
        return 0;
    case DataFile::OpenResult::Failed:
        // The file is there but cannot be used; it is never replaced by an empty one.
        Report(kCannotCreateDataFile);
        return 0;
    case DataFile::OpenResult::Missing:
        ::unlink(indexFileName.c_str());
        switch (data.Open(dataFileName, true)) {
        case DataFile::OpenResult::Opened:
            return 1;
        case DataFile::OpenResult::Locked:
            Report(kInUse);
            return 0;
        default:
            Report(kCannotCreateDataFile);
            return 0;
        }
    }

    if (IndexFile::Load(indexFileName, data, table).state == IndexFile::State::Ok) {
        return 1;
    }
    if (IndexFile::Rebuild(data, table)) {
        return 2;
    }
    table.Clear();
    data.Close();
    Report(kCannotCreateIndex);
    return 0;
}

int LogBookDatabase::Close() {
    reading.reset();
    if (!data.IsOpen()) {
        return 1; // nothing open: an index that is not ours must not be overwritten
    }
    const bool written = IndexFile::Write(indexFileName, table);
    data.Close();
    if (!written) {
        Report(kErrorClosing);
        return 0;
    }
    return 1;
}

bool LogBookDatabase::ReadSlot(std::int32_t slot, DayRecord& record) const {
    unsigned char bytes[DayRecord::kSize];
    if (slot < 0 || !data.ReadAt(static_cast<std::int64_t>(slot) * kRecord, bytes, sizeof bytes)) {
        return false;
    }
    record = DayRecord::FromBytes(bytes);
    return true;
}

std::int32_t LogBookDatabase::TakeFreeSlot(int& donorPosition) {
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
    const std::int64_t size = data.Size();
    if (size < 0 || size / kRecord > INT32_MAX) {
        return -1;
    }
    return static_cast<std::int32_t>(size / kRecord);
}

int LogBookDatabase::StoreRecord(const DayRecord& record) {
    if (!data.IsOpen() || !data.IsWritable()) {
        Report(kErrorStoring);
        return 0;
    }
    if (reading) {
        reading->Forget();
    }
    int position = table.Find(record.dateKey);
    const bool inserted = position == IndexTable::kNotFound;
    const IndexEntry before = inserted ? IndexEntry{} : table.At(position);
    int donor = IndexTable::kNotFound;
    std::int32_t slot = inserted ? -1 : before.slot;
    if (slot == -1) {
        slot = TakeFreeSlot(donor);
        if (slot < 0) {
            Report(kErrorStoring);
            return 0;
        }
    }
    position = table.Insert(record.dateKey, slot, record.Flags());

    unsigned char bytes[DayRecord::kSize];
    record.ToBytes(bytes);
    if (data.WriteAt(static_cast<std::int64_t>(slot) * kRecord, bytes, sizeof bytes)) {
        return 1;
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
    Report(kErrorStoring);
    return 0;
}

void LogBookDatabase::KeyRange(const DateValue* first, const DateValue* last,
                               std::int32_t& firstKey, std::int32_t& lastKey) const {
    firstKey = first ? dateUtility.KeyOfDate(*first) : 0;
    lastKey = last ? dateUtility.KeyOfDate(*last) : 0;
}

int LogBookDatabase::LoadRange(const DateValue* first, const DateValue* last, DayType type,
                               std::vector<DayRecord>& records, int& count) {
    records.clear();
    count = 0;
    if (!data.IsOpen()) {
        Report(kErrorLoadingRange);
        return 0;
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
    int result = 1;
    std::size_t delivered = 0;
    while (delivered < slots.size()) {
        std::size_t runEnd = delivered + 1;
        while (runEnd < slots.size() && slots[runEnd] == slots[runEnd - 1] + 1) {
            ++runEnd;
        }
        const std::size_t length = runEnd - delivered;
        if (data.ReadAt(static_cast<std::int64_t>(slots[delivered]) * kRecord,
                        &records[delivered], length * DayRecord::kSize)) {
            FixByteOrder(&records[delivered], length);
            delivered = runEnd;
            continue;
        }
        // Deliver what can be read of the run, record by record, up to the first failure.
        while (delivered < runEnd && ReadSlot(slots[delivered], records[delivered])) {
            ++delivered;
        }
        result = 2;
        break;
    }
    records.resize(delivered);
    count = static_cast<int>(delivered);
    return result;
}

int LogBookDatabase::FastIndex(const DateValue* first, const DateValue* last, DayType type,
                               std::vector<std::int32_t>& positions, int& count) {
    positions.clear();
    std::int32_t firstKey = 0;
    std::int32_t lastKey = 0;
    KeyRange(first, last, firstKey, lastKey);
    table.Select(first ? &firstKey : nullptr, last ? &lastKey : nullptr, type,
                 [&](int position) { positions.push_back(position); });
    count = static_cast<int>(positions.size());
    return 1;
}

int LogBookDatabase::CountRange(const DateValue* first, const DateValue* last, DayType type,
                                int& count) {
    std::int32_t firstKey = 0;
    std::int32_t lastKey = 0;
    KeyRange(first, last, firstKey, lastKey);
    int selected = 0;
    table.Select(first ? &firstKey : nullptr, last ? &lastKey : nullptr, type,
                 [&](int) { ++selected; });
    count = selected;
    return 1;
}

int LogBookDatabase::BeginReading(const char* mode) {
    if (!data.IsOpen() || !mode || mode[0] != 'r') {
        Report(kCannotOpenDatabase);
        return 0;
    }
    reading = std::make_unique<ReadWindow>();
    return 1;
}

int LogBookDatabase::ReadAtPosition(int position, DayRecord& record) {
    if (!reading || position < 0 || position >= table.Count()) {
        return 2;
    }
    const IndexEntry& entry = table.At(position);
    if (entry.IsErased()) {
        return 1;
    }
    return reading->Read(data, entry.slot, record) ? 1 : 2;
}

int LogBookDatabase::EndReading() {
    if (!reading) {
        Report(kCannotCloseDatabase);
        return 0;
    }
    reading.reset();
    return 1;
}

int LogBookDatabase::ReadDay(const DateValue& date, DayRecord& record) {
    const int position = table.Find(dateUtility.KeyOfDate(date));
    if (position == IndexTable::kNotFound) {
        return 0;
    }
    if (!data.IsOpen()) {
        Report(kErrorReading);
        return 0;
    }
    return ReadSlot(table.At(position).slot, record) ? 1 : 2;
}

int LogBookDatabase::EraseDay(const DateValue& date) {
    const int position = table.Find(dateUtility.KeyOfDate(date));
    if (position == IndexTable::kNotFound) {
        return 0;
    }
    if (!data.IsOpen() || !data.IsWritable()) {
        Report(kErrorDeleting);
        return 0;
    }
    DayRecord record;
    const std::int32_t slot = table.At(position).slot;
    if (!ReadSlot(slot, record)) {
        return 2;
    }
    if (reading) {
        reading->Forget();
    }
    record.erased = 1;
    unsigned char bytes[DayRecord::kSize];
    record.ToBytes(bytes);
    if (!data.WriteAt(static_cast<std::int64_t>(slot) * kRecord, bytes, sizeof bytes)) {
        Report(kErrorDeleting);
        return 0;
    }
    table.At(position).flags = IndexEntry::kErased;
    return 1;
}
