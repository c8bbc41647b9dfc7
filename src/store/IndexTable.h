#pragma once
// The in-memory index of a logbook: entries in strictly ascending key order, one per key.
// Lookup, insertion and range selection; no file is touched here.

#include "store/DayType.h"
#include "store/IndexEntry.h"

#include <cstdint>
#include <optional>
#include <vector>

class IndexTable {
public:
    static constexpr int kNotFound = -1;
    // No logbook holds more entries than there are days from 1960-01-01 to 2100-12-31;
    // a file that claims more is damaged, and nothing is allocated for it.
    static const int kMaxEntries;

    int Count() const { return static_cast<int>(entries.size()); }
    const IndexEntry& At(int position) const { return entries[static_cast<std::size_t>(position)]; }
    IndexEntry& At(int position) { return entries[static_cast<std::size_t>(position)]; }
    const std::vector<IndexEntry>& Entries() const { return entries; }
    void Assign(std::vector<IndexEntry> table) { entries = std::move(table); }
    void Clear() { entries.clear(); }

    // Position of the key, or kNotFound.
    int Find(std::int32_t key) const;
    // Reuses the entry of an existing key, else inserts one in key order; the slot is kept
    // when none is given. Returns the entry's position.
    int Insert(std::int32_t key, std::optional<std::int32_t> slot, std::uint8_t flags);
    // Removes the entry at a position (only to undo an insertion that could not be stored).
    void RemoveAt(int position);

    // The positions low .. high-1 of a date range: low is the first key >= firstKey (0
    // without one), high the first key > lastKey (the count without one).
    int LowPosition(const std::int32_t* firstKey) const;
    int HighPosition(const std::int32_t* lastKey) const;

    // Calls take(position) for each position of the range that matches the day type.
    template <typename Take>
    void Select(const std::int32_t* firstKey, const std::int32_t* lastKey, DayType type,
                Take&& take) const {
        const int high = HighPosition(lastKey);
        for (int i = LowPosition(firstKey); i < high; ++i) {
            if (entries[static_cast<std::size_t>(i)].Matches(type)) {
                take(i);
            }
        }
    }

private:
    std::vector<IndexEntry> entries;
};
