#include "store/DayRecord.h"
#include "store/IndexEntry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DayRecord, BytesRoundTripKeepsEveryByteAndTheLittleEndianLayout) {
    unsigned char bytes[DayRecord::kSize];
    for (std::size_t i = 0; i < sizeof bytes; ++i) {
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    }
    const DayRecord record = DayRecord::FromBytes(bytes);
    unsigned char back[DayRecord::kSize];
    record.ToBytes(back);
    EXPECT_EQ(std::memcmp(bytes, back, sizeof bytes), 0);

    DayRecord day = DayRecord::Blank(20260302);
    day.time = 0x01020304;
    day.competition = 'Y';
    day.ToBytes(back);
    EXPECT_EQ(back[0], 0xCE); // 20260302 = 0x013525CE, low byte first
    EXPECT_EQ(back[0] | back[1] << 8 | back[2] << 16 | back[3] << 24, 20260302);
    EXPECT_EQ(back[12], 0x04);
    EXPECT_EQ(back[15], 0x01);
    EXPECT_EQ(back[52], 'Y');
}

TEST(DayRecord, FlagsFollowTheErasedMarkThenTheCompetitionCode) {
    DayRecord r = DayRecord::Blank(20260101);
    EXPECT_EQ(r.Flags(), 0);
    r.competition = 'Y';
    EXPECT_EQ(r.Flags(), IndexEntry::kCompetition);
    r.competition = 'N';
    EXPECT_EQ(r.Flags(), IndexEntry::kTraining);
    r.competition = 'y';
    EXPECT_EQ(r.Flags(), 0);
    r.competition = 'Y';
    r.erased = 1;
    EXPECT_EQ(r.Flags(), IndexEntry::kErased);

    const auto entry = [](std::uint8_t flags) { return IndexEntry{20260101, 0, flags}; };
    for (DayType t : {DayType::Training, DayType::Competition, DayType::AllDays}) {
        EXPECT_FALSE(entry(IndexEntry::kErased).Matches(t)) << "erased days match nothing";
    }
    EXPECT_TRUE(entry(0).Matches(DayType::AllDays));
    EXPECT_FALSE(entry(0).Matches(DayType::Training));
    EXPECT_FALSE(entry(0).Matches(DayType::Competition));
    EXPECT_TRUE(entry(IndexEntry::kCompetition).Matches(DayType::Competition));
    EXPECT_TRUE(entry(IndexEntry::kTraining).Matches(DayType::Training));
    EXPECT_FALSE(entry(IndexEntry::kTraining).Matches(static_cast<DayType>(3)));
}

TEST(DayRecord, ContentComparisonIgnoresBytesAfterTheTexts) {
    DayRecord a = DayRecord::Blank(20260101);
    std::strcpy(a.workout, "Other, Flat        ");
    std::strcpy(a.comments, "easy");
    DayRecord b = a;
    b.workout[25] = 'x';
    b.comments[100] = 'y';
    EXPECT_TRUE(a.SameContent(b));
    b.comments[1] = 'E';
    EXPECT_FALSE(a.SameContent(b));
    b = a;
    b.difficulty = 'H';
    EXPECT_FALSE(a.SameContent(b));
}

TEST(DayRecord, TextsAreBoundedWhenTheirNulIsMissing) {
    DayRecord r = DayRecord::Blank(20260101);
    std::memset(r.workout, 'w', sizeof r.workout);
    std::memset(r.comments, 'c', sizeof r.comments);
    EXPECT_EQ(r.WorkoutText().size(), 30u);
    EXPECT_EQ(r.CommentsText().size(), 256u);
    r.workout[29] = 0;
    EXPECT_EQ(r.WorkoutText().size(), 29u);
    for (const char* name : DayRecord::kWorkoutNames) {
        EXPECT_EQ(std::strlen(name), 19u) << name;
    }
}

TEST(IndexEntry, NineBytesLittleEndian) {
    const IndexEntry e{20991231, -1, IndexEntry::kErased};
    unsigned char bytes[IndexEntry::kSize];
    e.ToBytes(bytes);
    EXPECT_EQ(bytes[4], 0xFF);
    EXPECT_EQ(bytes[7], 0xFF);
    EXPECT_EQ(bytes[8], 4);
    EXPECT_EQ(IndexEntry::FromBytes(bytes), e);
}

} // namespace
