#pragma once
// The Log Book's days around the shown day: the stored days of a window of dates, kept in
// key order, plus the days changed in the editor and not yet stored (each with its dirty
// mark). Stepping inside the window touches no file; the window moves, storing first,
// when the shown day leaves it. Each day it stores goes into the history, when it has one,
// with the record it replaced.

#include "editor/LogBookHistory.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/LogBookDatabase.h"

#include <cstdint>
#include <vector>

class LogBookCache {
public:
    // Room for the widest window (38 days) with the changed days of its neighbours.
    static constexpr int kCapacity = 60;

    LogBookCache(LogBookDatabase& database, const DateUtility& dates,
                 LogBookHistory* history = nullptr);

    // The window collapses onto a day; the next Adjust then loads [day - 30, day + 7].
    void StartAt(const DateValue& day);
    // Moves the window when the day lies outside (start, end]: past the end to
    // [end - 7, end + 30], at or before the start to [start - 30, start + 7]. Unsaved
    // changes are stored first; days that could not be stored stay cached and dirty.
    // True when the window moved.
    bool Adjust(const DateValue& current);

    // The cached day with this key, or null.
    const DayRecord* Find(std::int32_t key) const;
    // Puts a changed day in, replacing the cached one of the same key, and marks it dirty.
    void Put(const DayRecord& record);
    // A day stored by other means (with its activities): cached as the logbook now holds it.
    void PutStored(const DayRecord& record);
    // Stores the dirty days in key order; stops at the first failure (the store has shown
    // its message) and answers false, leaving that day and the rest dirty.
    bool StoreDirty();

    // Some cached day is changed and not yet stored.
    bool Changed() const;
    // Unsaved changes are dropped (a reset): the days stay cached until the next move
    // reloads the window, but nothing of them is stored.
    void DropChanges();

    int Count() const { return static_cast<int>(records.size()); }
    const DayRecord& At(int index) const { return records[static_cast<std::size_t>(index)]; }
    bool IsDirty(int index) const { return dirty[static_cast<std::size_t>(index)] != 0; }
    const DateValue& Start() const { return start; }
    const DateValue& End() const { return end; }
    // How many times the window was loaded from the logbook.
    int Loads() const { return loads; }

private:
    // The position of the first record whose key is the key or above.
    std::size_t LowerBound(std::int32_t key) const;
    void Insert(const DayRecord& record, bool isDirty);
    void Reload(const std::vector<DayRecord>& keep);
    // No live entry of the day in the logbook.
    bool NotStored(std::int32_t key);
    // The day's record as the logbook holds it, live or erased.
    enum class Before { None, Record, Unreadable };
    Before StoredBefore(std::int32_t key, DayRecord& record);

    LogBookDatabase& database;
    const DateUtility& dates;
    LogBookHistory* history;
    std::vector<DayRecord> records;
    std::vector<unsigned char> dirty;
    DateValue start;
    DateValue end;
    int loads = 0;
};
