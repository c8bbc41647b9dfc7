// Logbooks damaged by crashes, copies and stray bytes: open must come up with an index that
// agrees with the data file, and no later store may overwrite a day already in the file.

#include "store/DataFile.h"

#include "StoreFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

std::string EntryBytes(std::int32_t key, std::int32_t slot, std::uint8_t flags) {
    std::string bytes(IndexEntry::kSize, '\0');
    IndexEntry{key, slot, flags}.ToBytes(reinterpret_cast<unsigned char*>(bytes.data()));
    return bytes;
}

class CorruptionTest : public StoreFixture {
protected:
    // A training day whose distance tells it apart, and its bytes.
    static Day Training(std::int32_t key) {
        return Day(key).Competition('N').Distance(static_cast<float>(key % 100));
    }
    static std::string DayBytes(std::int32_t key, bool erased = false) {
        Day day = Training(key);
        return RecordBytes(erased ? day.Erased() : day);
    }

    // A new logbook of training days in the given record order, and its index.
    void WriteLogbook(const std::vector<std::int32_t>& keys) {
        fs::remove(name);
        std::vector<DayRecord> days;
        for (const std::int32_t key : keys) {
            days.push_back(Training(key));
        }
        MakeLogbook(name, days);
    }

    // Opens, expects the given result, then stores new days and checks that every record
    // that was in the data file before is still there byte for byte, and that the index
    // written at close is accepted as it stands.
    void OpenAndStoreSafely(OpenResult expectedOpen) {
        const std::string before = Read(name);
        ASSERT_EQ(db->Open(name), expectedOpen);
        const std::size_t whole = before.size() / DayRecord::kSize * DayRecord::kSize;
        for (std::int32_t key : {20301201, 20301202, 20301203}) {
            ASSERT_EQ(db->StoreRecord(Day(key).Competition('Y')), StoreResult::Stored);
        }
        const std::string after = Read(name);
        ASSERT_GE(after.size(), whole + 3 * DayRecord::kSize);
        EXPECT_EQ(after.substr(0, whole), before.substr(0, whole));
        DayRecord back{};
        ASSERT_EQ(db->ReadDay(Date(20301202), back), ReadResult::Read);
        EXPECT_EQ(back.dateKey, 20301202);
        ASSERT_EQ(db->Close(), Result::Ok);
        EXPECT_EQ(db->Open(name), OpenResult::Opened);
        EXPECT_EQ(db->Close(), Result::Ok);
    }
};

TEST_F(CorruptionTest, SoundLogbookOpensWithItsIndex) {
    WriteLogbook({20260103, 20260101, 20260102});
    OpenAndStoreSafely(OpenResult::Opened);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(CorruptionTest, IndexLeftBehindByACrashIsRebuilt) {
    // Days were stored after the index was last written: the file holds more records.
    WriteLogbook({20260101, 20260102});
    Append(name, DayBytes(20260105) + DayBytes(20260104));
    OpenAndStoreSafely(OpenResult::Rebuilt);
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_EQ(db->EntryCount(), 7);
    EXPECT_NE(db->Table().Find(20260104), IndexTable::kNotFound);
}

TEST_F(CorruptionTest, IndexOfAnotherLogbookIsNotTrusted) {
    WriteLogbook({20250101, 20250102, 20250103});
    const std::string foreign = Read(indexName);
    WriteLogbook({20260101, 20260102, 20260103});
    Write(indexName, foreign); // same count and slots, other days
    OpenAndStoreSafely(OpenResult::Rebuilt);
}

TEST_F(CorruptionTest, DamagedIndexEntriesAreCaughtOneByOne) {
    WriteLogbook({20260101, 20260102, 20260103});
    const std::vector<std::string> bad = {
        // a slot past the end of the data file
        EntryBytes(20260101, 0, 2) + EntryBytes(20260102, 1, 2) + EntryBytes(20260103, 7, 2),
        // two days on one record
        EntryBytes(20260101, 0, 2) + EntryBytes(20260102, 0, 2) + EntryBytes(20260103, 2, 2),
        // keys out of order
        EntryBytes(20260102, 1, 2) + EntryBytes(20260101, 0, 2) + EntryBytes(20260103, 2, 2),
        // an erased day's record not counted: the next new day would land on it
        EntryBytes(20260101, 0, 2) + EntryBytes(20260102, -1, 4) + EntryBytes(20260103, 2, 2),
        // flags no day can have, and a slot below -1
        EntryBytes(20260101, 0, 9) + EntryBytes(20260102, 1, 2) + EntryBytes(20260103, 2, 2),
        EntryBytes(20260101, 0, 2) + EntryBytes(20260102, -5, 4) + EntryBytes(20260103, 2, 2),
        // torn in the middle of an entry, and empty
        (EntryBytes(20260101, 0, 2) + EntryBytes(20260102, 1, 2)).substr(0, 13),
        "",
    };
    const std::string data = Read(name);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        Write(name, data);
        Write(indexName, bad[i]);
        OpenAndStoreSafely(OpenResult::Rebuilt);
    }
}

TEST_F(CorruptionTest, IndexClaimingMoreDaysThanALogbookHoldsIsRebuilt) {
    WriteLogbook({20260101});
    std::string huge;
    for (int i = 0; i <= IndexTable::kMaxEntries; ++i) {
        huge += EntryBytes(19000000 + i, i, 2);
    }
    Write(indexName, huge);
    OpenAndStoreSafely(OpenResult::Rebuilt);
}

TEST_F(CorruptionTest, TornLastRecordIsLeftOutAndOverwrittenByTheNextDay) {
    WriteLogbook({20260101, 20260102, 20260103});
    Truncate(name, 2 * DayRecord::kSize + 100);
    OpenAndStoreSafely(OpenResult::Rebuilt);
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_EQ(db->EntryCount(), 5);
    EXPECT_EQ(db->Table().Find(20260103), IndexTable::kNotFound);
    EXPECT_EQ(fs::file_size(name), 5 * DayRecord::kSize);
}

TEST_F(CorruptionTest, RepeatedDayInTheDataFileKeepsItsLastRecord) {
    WriteLogbook({20260101, 20260102});
    Append(name, DayBytes(20260101));
    fs::remove(indexName);
    ASSERT_EQ(db->Open(name), OpenResult::Rebuilt);
    ASSERT_EQ(db->EntryCount(), 2);
    EXPECT_EQ(db->Table().At(0).slot, 2);
    ASSERT_EQ(db->Close(), Result::Ok);
    // The rebuilt index is taken as it stands, and the older copy is never handed out.
    OpenAndStoreSafely(OpenResult::Opened);
    // An index that names the older copy's slot for another day is not.
    Write(indexName,
          EntryBytes(20260101, 2, 2) + EntryBytes(20260102, 1, 2) + EntryBytes(20260103, 0, 2));
    EXPECT_EQ(db->Open(name), OpenResult::Rebuilt);
}

TEST_F(CorruptionTest, ErasedRecordsSurviveARebuildWithTheirSlots) {
    Write(name, DayBytes(20260101) + DayBytes(20260102, true) + DayBytes(20260103));
    ASSERT_EQ(db->Open(name), OpenResult::Rebuilt);
    EXPECT_EQ(db->Table().At(1), (IndexEntry{20260102, 1, IndexEntry::kErased}));
    ASSERT_EQ(db->StoreRecord(Day(20260110)), StoreResult::Stored);
    EXPECT_EQ(db->Table().At(3).slot, 1);
    EXPECT_EQ(fs::file_size(name), 3 * DayRecord::kSize);
}

// A program that ends without closing leaves the index of its last close: the keys and
// slots may still agree with the data file while the flags no longer do.
TEST_F(CorruptionTest, FlagsThatDisagreeWithTheirRecordsAreRebuilt) {
    auto day = [](std::int32_t key, char competition) { return Day(key).Competition(competition); };
    MakeLogbook(name, {day(20260101, 'N'), day(20260102, 'N'), day(20260103, 'N')});
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    const DateValue second = Date(20260102);
    ASSERT_EQ(db->EraseDay(second), StoreResult::Stored);
    ASSERT_EQ(db->Close(), Result::Ok); // the index says: 20260102 erased

    // Entered again over the erased day, made a competition, then killed before close.
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    ASSERT_EQ(db->StoreRecord(day(20260102, 'N')), StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(day(20260103, 'Y')), StoreResult::Stored);
    Kill();

    DataFile data;
    ASSERT_EQ(data.Open(name, false), DataFile::OpenResult::Opened);
    IndexTable stale;
    const IndexFile::Verdict verdict = IndexFile::Load(indexName, data, stale);
    EXPECT_EQ(verdict.state, IndexFile::State::Stale);
    EXPECT_EQ(verdict.problem, "entry 1: day 20260102 has flags 4, its record says 2");
    data.Close();

    ASSERT_EQ(db->Open(name), OpenResult::Rebuilt);
    EXPECT_EQ(db->Table().At(1), (IndexEntry{20260102, 1, IndexEntry::kTraining}));
    EXPECT_EQ(db->Table().At(2), (IndexEntry{20260103, 2, IndexEntry::kCompetition}));
    // The day seen again keeps its record: a new day goes to the end.
    ASSERT_EQ(db->StoreRecord(day(20260110, 'N')), StoreResult::Stored);
    EXPECT_EQ(db->Table().At(3).slot, 3);

    // Erased and killed before close: the day must not come back.
    ASSERT_EQ(db->Close(), Result::Ok);
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    ASSERT_EQ(db->EraseDay(second), StoreResult::Stored);
    Kill();
    ASSERT_EQ(db->Open(name), OpenResult::Rebuilt);
    EXPECT_EQ(Loaded(), (Keys{20260101, 20260103, 20260110}));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(CorruptionTest, RecordsWithoutALogbookDateAreLeftOutButKept) {
    Write(name, DayBytes(20260101) + DayBytes(0) + DayBytes(-5) + DayBytes(20261399) +
                    DayBytes(20260102));
    std::vector<std::int64_t> undated;
    {
        DataFile data;
        ASSERT_EQ(data.Open(name, false), DataFile::OpenResult::Opened);
        IndexTable table;
        ASSERT_TRUE(IndexFile::Rebuild(data, table, &undated));
        EXPECT_EQ(table.Count(), 2);
    }
    EXPECT_EQ(undated, (std::vector<std::int64_t>{1, 2, 3}));
    OpenAndStoreSafely(
        OpenResult::Rebuilt); // their bytes stay, and no new day is given their slots
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_EQ(db->EntryCount(), 5);
    EXPECT_EQ(db->Table().At(2).slot, 5);
    // An index that names such a record is not trusted.
    ASSERT_EQ(db->Close(), Result::Ok);
    Write(indexName, EntryBytes(20260101, 0, 2) + EntryBytes(20261399, 3, 2));
    EXPECT_EQ(db->Open(name), OpenResult::Rebuilt);
}

TEST_F(CorruptionTest, TemporaryFilesOfAKilledWriterGoAtTheNextOpen) {
    WriteLogbook({20260101});
    for (const char* leftover : {".mylog.idx.tmp-a1B2c3", ".mylog.vrl.tmp-Zz9Yy8"}) {
        Write(Path(leftover), "left by a killed close or import");
    }
    Write(Path(".other.idx.tmp-a1B2c3"), "another logbook's");
    Write(Path(".mylog.idx.tmp-toolong"), "not one of ours");
    ASSERT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_FALSE(fs::exists(Path(".mylog.idx.tmp-a1B2c3")));
    EXPECT_FALSE(fs::exists(Path(".mylog.vrl.tmp-Zz9Yy8")));
    EXPECT_TRUE(fs::exists(Path(".other.idx.tmp-a1B2c3")));
    EXPECT_TRUE(fs::exists(Path(".mylog.idx.tmp-toolong")));
    ASSERT_EQ(db->Close(), Result::Ok);
}

TEST_F(CorruptionTest, RandomBytesNeverCrashAndNeverLoseARecord) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int records = round % 7;
        std::string data(static_cast<std::size_t>(records) * DayRecord::kSize +
                             static_cast<std::size_t>(round % 3) * 17,
                         '\0');
        for (char& c : data) {
            c = static_cast<char>(byte(random));
        }
        // Half the rounds keep real keys so the checks past the first one are reached.
        if (round % 2 == 0) {
            for (int i = 0; i < records; ++i) {
                const std::string key = DayBytes(20260101 + i).substr(0, 8);
                data.replace(static_cast<std::size_t>(i) * DayRecord::kSize, 8, key);
            }
        }
        std::string index(static_cast<std::size_t>(round % 5) * IndexEntry::kSize, '\0');
        for (std::size_t i = 0; i < index.size(); ++i) {
            index[i] = static_cast<char>(byte(random));
        }
        Write(name, data);
        Write(indexName, index);
        const std::string before = Read(name);
        ASSERT_NE(db->Open(name), OpenResult::Failed);
        DayRecord r = DayRecord::Blank(20991231);
        ASSERT_EQ(db->StoreRecord(r), StoreResult::Stored);
        const std::size_t whole = before.size() / DayRecord::kSize * DayRecord::kSize;
        EXPECT_EQ(Read(name).substr(0, whole), before.substr(0, whole));
        ASSERT_EQ(db->Close(), Result::Ok);
        // The index written at close is taken as it stands, even over random keys.
        ASSERT_EQ(db->Open(name), OpenResult::Opened);
        ASSERT_EQ(db->Close(), Result::Ok);
    }
}

} // namespace
