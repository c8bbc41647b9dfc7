#include "store/IndexTable.h"

#include <algorithm>

namespace {

constexpr int CountDays(int firstYear, int lastYear) {
    int days = 0;
    for (int y = firstYear; y <= lastYear; ++y) {
        days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
    }
    return days;
}

bool KeyBelow(const IndexEntry& entry, std::int32_t key) { return entry.dateKey < key; }

} // namespace

const int IndexTable::kMaxEntries = CountDays(1960, 2100);

int IndexTable::Find(std::int32_t key) const {
    const auto it = std::lower_bound(entries.begin(), entries.end(), key, KeyBelow);
    if (it == entries.end() || it->dateKey != key) {
        return kNotFound;
    }
    return static_cast<int>(it - entries.begin());
}

int IndexTable::Insert(std::int32_t key, std::optional<std::int32_t> slot, std::uint8_t flags) {
    const auto it = std::lower_bound(entries.begin(), entries.end(), key, KeyBelow);
    const auto position = static_cast<int>(it - entries.begin());
    if (it == entries.end() || it->dateKey != key) {
        entries.insert(it, IndexEntry{key, slot.value_or(0), flags});
    }
    IndexEntry& entry = At(position);
    if (slot) {
        entry.slot = *slot;
    }
    entry.flags = flags;
    return position;
}

void IndexTable::RemoveAt(int position) {
    entries.erase(entries.begin() + position);
}

int IndexTable::LowPosition(const std::int32_t* firstKey) const {
    if (!firstKey) {
        return 0;
    }
    return static_cast<int>(std::lower_bound(entries.begin(), entries.end(), *firstKey, KeyBelow) -
                            entries.begin());
}

int IndexTable::HighPosition(const std::int32_t* lastKey) const {
    if (!lastKey) {
        return Count();
    }
    const auto after = std::upper_bound(
        entries.begin(), entries.end(), *lastKey,
        [](std::int32_t key, const IndexEntry& entry) { return key < entry.dateKey; });
    return static_cast<int>(after - entries.begin());
}
