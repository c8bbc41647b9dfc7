#include "store/DayRecord.h"

#include "store/ByteOrder.h"
#include "store/IndexEntry.h"

#include <bit>
#include <cstring>

const char* const DayRecord::kWorkoutNames[kWorkoutNameCount] = {
    "Distance, Mixed    ", "Distance, Flat     ", "Distance, Hills    ", "Distance, Track    ",
    "Speed Work, Mixed  ", "Speed Work, Flat   ", "Speed Work, Hills  ", "Speed Work, Track  ",
    "Other, Mixed       ", "Other, Flat        ", "Other, Hills       ", "Other, Track       ",
    "Competition, Mixed ", "Competition, Flat  ", "Competition, Hills ", "Competition, Track ",
};

namespace {

// Offsets 0..51 hold thirteen 4-byte numbers; a float swaps like an int.
constexpr int kNumberCount = 13;

std::string_view BoundedText(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, '\0', size);
    return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size};
}

} // namespace

DayRecord DayRecord::Blank(std::int32_t dateKey) {
    DayRecord record;
    std::memset(&record, 0, sizeof record);
    record.dateKey = dateKey;
    return record;
}

void DayRecord::ToBytes(unsigned char* out) const {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, this, kSize);
    } else {
        const auto* self = reinterpret_cast<const unsigned char*>(this);
        for (int i = 0; i < kNumberCount; ++i) {
            std::int32_t v;
            std::memcpy(&v, self + 4 * i, 4);
            byteorder::PutInt32(out + 4 * i, v);
        }
        std::memcpy(out + 52, self + 52, kSize - 52);
    }
}

DayRecord DayRecord::FromBytes(const unsigned char* in) {
    DayRecord record;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&record, in, kSize);
    } else {
        auto* self = reinterpret_cast<unsigned char*>(&record);
        for (int i = 0; i < kNumberCount; ++i) {
            std::int32_t v = byteorder::GetInt32(in + 4 * i);
            std::memcpy(self + 4 * i, &v, 4);
        }
        std::memcpy(self + 52, in + 52, kSize - 52);
    }
    return record;
}

std::uint8_t DayRecord::Flags() const {
    if (erased == 1) {
        return IndexEntry::kErased;
    }
    if (competition == 'Y') {
        return IndexEntry::kCompetition;
    }
    if (competition == 'N') {
        return IndexEntry::kTraining;
    }
    return 0;
}

std::string_view DayRecord::WorkoutText() const { return BoundedText(workout, kWorkoutSize); }

std::string_view DayRecord::CommentsText() const { return BoundedText(comments, kCommentsSize); }

bool DayRecord::SameContent(const DayRecord& other) const {
    return std::memcmp(this, &other, kFixedPartSize) == 0 && WorkoutText() == other.WorkoutText() &&
           CommentsText() == other.CommentsText();
}
