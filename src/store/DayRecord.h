#pragma once
// One day of a logbook, laid out in memory exactly as it lies in the data file.
// The file layout (340 bytes, no header, no padding, little-endian):
//
//   offset width type     field
//        0     4 int32    dateKey        year * 10000 + month * 100 + day
//        4     4 int32    erased         0 live, 1 erased
//        8     4 float32  distance
//       12     4 int32    time           seconds
//       16     4 int32    pace           seconds
//       20     4 float32  speed
//       24     4 int32    restHeartRate
//       28     4 int32    maxHeartRate
//       32     4 int32    calories
//       36     4 float32  waterUsed
//       40     4 float32  hoursSlept
//       44     4 int32    temperature
//       48     4 float32  bodyWeight
//       52     1 char     competition    'Y', 'N' or 0
//       53     1 char     difficulty     'E', 'M', 'H' or 0
//       54    30 char[30] workout        Windows-1252, NUL-terminated (29 characters at most)
//       84   256 char[256] comments      Windows-1252, NUL-terminated (255 characters at most)
//
// Bytes after a text's NUL are kept as they are, so a record read and written back is
// identical in all 340 bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

struct DayRecord {
    static constexpr std::size_t kSize = 340;
    static constexpr std::size_t kWorkoutSize = 30;
    static constexpr std::size_t kCommentsSize = 256;
    // Bytes compared for change before the two texts: dateKey through difficulty.
    static constexpr std::size_t kFixedPartSize = 54;

    std::int32_t dateKey;
    std::int32_t erased;
    float distance;
    std::int32_t time;
    std::int32_t pace;
    float speed;
    std::int32_t restHeartRate;
    std::int32_t maxHeartRate;
    std::int32_t calories;
    float waterUsed;
    float hoursSlept;
    std::int32_t temperature;
    float bodyWeight;
    char competition;
    char difficulty;
    char workout[kWorkoutSize];
    char comments[kCommentsSize];

    // A day without data: every byte 0 but the key.
    static DayRecord Blank(std::int32_t dateKey);

    // Where record number slot starts in the data file.
    static constexpr std::int64_t Offset(std::int32_t slot) {
        return static_cast<std::int64_t>(slot) * static_cast<std::int64_t>(kSize);
    }

    // The file bytes of a record and back; on a little-endian host these are plain copies.
    void ToBytes(unsigned char* out) const;
    static DayRecord FromBytes(const unsigned char* in);
    // Records copied from the file as they lie there, turned into host order in place.
    static void FromFileOrder(DayRecord* records, std::size_t count);

    // Index flags of this record: 4 when erased, else 1 for 'Y', 2 for 'N', 0 otherwise.
    std::uint8_t Flags() const;
    // The same flags of a record as it lies in the file.
    static std::uint8_t FlagsOf(const unsigned char* fileBytes);

    // The texts up to their NUL, never past the field even when the NUL is missing.
    std::string_view WorkoutText() const;
    std::string_view CommentsText() const;

    // Same day content: the first 54 bytes equal and both texts equal as strings.
    bool SameContent(const DayRecord& other) const;

    // The sixteen workout descriptions the editor offers, 19 characters each.
    static constexpr int kWorkoutNameCount = 16;
    static const char* const kWorkoutNames[kWorkoutNameCount];
};

static_assert(sizeof(DayRecord) == DayRecord::kSize, "DayRecord must be 340 bytes");
static_assert(offsetof(DayRecord, erased) == 4);
static_assert(offsetof(DayRecord, distance) == 8);
static_assert(offsetof(DayRecord, time) == 12);
static_assert(offsetof(DayRecord, pace) == 16);
static_assert(offsetof(DayRecord, speed) == 20);
static_assert(offsetof(DayRecord, restHeartRate) == 24);
static_assert(offsetof(DayRecord, maxHeartRate) == 28);
static_assert(offsetof(DayRecord, calories) == 32);
static_assert(offsetof(DayRecord, waterUsed) == 36);
static_assert(offsetof(DayRecord, hoursSlept) == 40);
static_assert(offsetof(DayRecord, temperature) == 44);
static_assert(offsetof(DayRecord, bodyWeight) == 48);
static_assert(offsetof(DayRecord, competition) == 52);
static_assert(offsetof(DayRecord, difficulty) == 53);
static_assert(offsetof(DayRecord, workout) == 54);
static_assert(offsetof(DayRecord, comments) == 84);
static_assert(sizeof(float) == 4);
