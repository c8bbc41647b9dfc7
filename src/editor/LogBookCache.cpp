#include "editor/LogBookCache.h"

#include <algorithm>
#include <cstring>

LogBookCache::LogBookCache(LogBookDatabase& database, const DateUtility& dates,
                           LogBookHistory* history)
    : database(database), dates(dates), history(history) {
    records.reserve(kCapacity);
    dirty.reserve(kCapacity);
}

void LogBookCache::StartAt(const DateValue& day) {
    start = day;
    end = day;
}

bool LogBookCache::Adjust(const DateValue& current) {
    const std::int32_t key = dates.KeyOfDate(current);
    if (dates.KeyOfDate(end) < key) {
        start = end;
        dates.SubtractDays(start, 7);
        dates.AddDays(end, 30);
    } else if (dates.KeyOfDate(start) >= key) {
        end = start;
        dates.AddDays(end, 7);
        dates.SubtractDays(start, 30);
    } else {
        return false;
    }
    std::vector<DayRecord> unstored;
    if (!StoreDirty()) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (dirty[i] != 0) {
                unstored.push_back(records[i]);
            }
        }
    }
    Reload(unstored);
    return true;
}

void LogBookCache::Reload(const std::vector<DayRecord>& keep) {
    ++loads;
    std::vector<DayRecord> loaded;
    int count = 0;
    // A failed load has shown its message; the cache holds what was read.
    database.LoadRange(&start, &end, DayType::AllDays, loaded, count);
    count = std::clamp(count, 0, static_cast<int>(loaded.size()));
    records.assign(loaded.begin(), loaded.begin() + count);
    dirty.assign(records.size(), 0);
    for (const DayRecord& record : keep) {
        Insert(record, true);
    }
}

std::size_t LogBookCache::LowerBound(std::int32_t key) const {
    const auto found =
        std::lower_bound(records.begin(), records.end(), key,
                         [](const DayRecord& r, std::int32_t k) { return r.dateKey < k; });
    return static_cast<std::size_t>(found - records.begin());
}

const DayRecord* LogBookCache::Find(std::int32_t key) const {
    const std::size_t at = LowerBound(key);
    return at < records.size() && records[at].dateKey == key ? &records[at] : nullptr;
}

void LogBookCache::Insert(const DayRecord& record, bool isDirty) {
    const std::size_t at = LowerBound(record.dateKey);
    if (at < records.size() && records[at].dateKey == record.dateKey) {
        records[at] = record;
        dirty[at] = isDirty ? 1 : 0;
        return;
    }
    records.insert(records.begin() + static_cast<std::ptrdiff_t>(at), record);
    dirty.insert(dirty.begin() + static_cast<std::ptrdiff_t>(at), isDirty ? 1 : 0);
}

void LogBookCache::Put(const DayRecord& record) {
    Insert(record, true);
}

void LogBookCache::PutStored(const DayRecord& record) {
    Insert(record, false);
}

bool LogBookCache::StoreDirty() {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (dirty[i] == 0) {
            continue;
        }
        // A day entered and erased before it was ever stored leaves nothing in the logbook.
        if (records[i].erased != 0 && NotStored(records[i].dateKey)) {
            dirty[i] = 0;
            continue;
        }
        DayRecord before = DayRecord::Blank(0);
        const Before had = history ? StoredBefore(records[i].dateKey, before) : Before::Unreadable;
        if (database.StoreRecord(records[i]) != LogBookDatabase::StoreResult::Stored) {
            return false;
        }
        dirty[i] = 0;
        // A record that could not be read cannot be brought back, and a store that changed
        // no byte is nothing to take back.
        if (had == Before::None) {
            history->Add(nullptr, records[i]);
        } else if (had == Before::Record && std::memcmp(&before, &records[i], sizeof before) != 0) {
            history->Add(&before, records[i]);
        }
    }
    return true;
}

bool LogBookCache::Changed() const {
    return std::any_of(dirty.begin(), dirty.end(), [](unsigned char d) { return d != 0; });
}

void LogBookCache::DropChanges() {
    std::fill(dirty.begin(), dirty.end(), 0);
}

bool LogBookCache::NotStored(std::int32_t key) {
    DateValue date;
    dates.DateOfKey(key, date);
    DayRecord stored = DayRecord::Blank(key);
    // A day that cannot be read is taken as stored, so its erasure is not lost.
    using Read = LogBookDatabase::ReadResult;
    const Read read = database.ReadDay(date, stored);
    return read == Read::Failed || (read == Read::Read && stored.erased != 0);
}

LogBookCache::Before LogBookCache::StoredBefore(std::int32_t key, DayRecord& record) {
    // An erased day whose slot went to another day has no record left.
    const IndexTable& table = database.Table();
    const int position = table.Find(key);
    if (position == IndexTable::kNotFound || table.At(position).slot < 0) {
        return Before::None;
    }
    DateValue date;
    dates.DateOfKey(key, date);
    return database.ReadDay(date, record) == LogBookDatabase::ReadResult::Read ? Before::Record
                                                                               : Before::Unreadable;
}
