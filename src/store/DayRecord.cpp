#include "store/DayRecord.h"

#include "store/ByteOrder.h"
#include "store/IndexEntry.h"

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

std::uint8_t FlagsFor(std::int32_t erased, char competition) {
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

} // namespace

DayRecord DayRecord::Blank(std::int32_t dateKey) {
    DayRecord record;
    std::memset(&record, 0, sizeof record);
    record.dateKey = dateKey;
    return record;
}

void DayRecord::ToBytes(unsigned char* out) const {
    std::memcpy(out, this, kSize);
    byteorder::FlipInt32s(out, kNumberCount);
}

DayRecord DayRecord::FromBytes(const unsigned char* in) {
    DayRecord record;
    std::memcpy(&record, in, kSize);
    byteorder::FlipInt32s(reinterpret_cast<unsigned char*>(&record), kNumberCount);
    return record;
}

void DayRecord::FromFileOrder(DayRecord* records, std::size_t count) {
    if constexpr (!byteorder::kHostIsFileOrder) {
        for (std::size_t i = 0; i < count; ++i) {
            byteorder::FlipInt32s(reinterpret_cast<unsigned char*>(&records[i]), kNumberCount);
        }
    } else {
        (void)records;
        (void)count;
    }
}

std::uint8_t DayRecord::Flags() const { return FlagsFor(erased, competition); }

std::uint8_t DayRecord::FlagsOf(const unsigned char* fileBytes) {
    return FlagsFor(byteorder::GetInt32(fileBytes + offsetof(DayRecord, erased)),
                    static_cast<char>(fileBytes[offsetof(DayRecord, competition)]));
}

std::string_view DayRecord::WorkoutText() const { return BoundedText(workout, kWorkoutSize); }

std::string_view DayRecord::CommentsText() const { return BoundedText(comments, kCommentsSize); }

bool DayRecord::SameContent(const DayRecord& other) const {
    return std::memcmp(this, &other, kFixedPartSize) == 0 && WorkoutText() == other.WorkoutText() &&
           CommentsText() == other.CommentsText();
}
