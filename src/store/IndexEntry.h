#pragma once
// One entry of a logbook's index. The index file is a plain run of 9-byte entries,
// no header, in ascending dateKey order:
//
//   offset width type   field
//        0     4 int32  dateKey   the day's date key
//        4     4 int32  slot      record number in the data file; -1 once handed to another day
//        8     1 uint8  flags     1 competition, 2 training, 4 erased

#include "store/DayType.h"

#include <cstddef>
#include <cstdint>

struct IndexEntry {
    static constexpr std::size_t kSize = 9;
    static constexpr std::uint8_t kCompetition = 1;
    static constexpr std::uint8_t kTraining = 2;
    static constexpr std::uint8_t kErased = 4;

    std::int32_t dateKey = 0;
    std::int32_t slot = 0;
    std::uint8_t flags = 0;

    bool IsErased() const { return (flags & kErased) != 0; }
    // Whether the entry counts for the day type; an erased entry counts for none.
    bool Matches(DayType type) const;

    void ToBytes(unsigned char* out) const;
    static IndexEntry FromBytes(const unsigned char* in);

    bool operator==(const IndexEntry&) const = default;
};
