#include "store/FileSizeLimit.h"
#include "StoreFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LogBookDatabaseTest : public StoreFixture {
protected:
    // A training day unless told otherwise, with a workout so that texts go through too.
    static Day Run(std::int32_t key, char competition = 'N', float distance = 5.0F) {
        return Day(key).Competition(competition).Distance(distance).Workout("Easy Run");
    }

    // Opens a new logbook holding the given days, stored in the given order.
    void OpenWith(std::initializer_list<DayRecord> days) {
        ASSERT_EQ(db->Open(name), OpenResult::Opened);
        for (const DayRecord& d : days) {
            ASSERT_EQ(db->StoreRecord(d), StoreResult::Stored);
        }
    }

    // The day as the logbook gives it back; a blank record, and a failure, when it cannot.
    DayRecord Back(std::int32_t key) {
        DayRecord r = DayRecord::Blank(0);
        EXPECT_EQ(db->ReadDay(Date(key), r), ReadResult::Read) << key;
        return r;
    }
};

TEST_F(LogBookDatabaseTest, NewLogbookIsCreatedEmptyAndItsIndexWrittenOnCloseOnly) {
    EXPECT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_TRUE(fs::exists(name));
    EXPECT_EQ(DataSize(), 0U);
    EXPECT_EQ(db->EntryCount(), 0);
    EXPECT_EQ(db->IndexFileName(), indexName);
    EXPECT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(Read(indexName), "");
    EXPECT_EQ(FileCount(), 2); // the logbook and its index, nothing left beside them
    EXPECT_TRUE(reporter.messages.empty());
    // A logbook no longer open writes nothing at a second close.
    fs::remove(indexName);
    EXPECT_EQ(db->Close(), Result::Ok);
    EXPECT_FALSE(fs::exists(indexName));
}

TEST_F(LogBookDatabaseTest, DaysAppendInArrivalOrderAndTheIndexKeepsDateOrder) {
    OpenWith({Run(20260305), Run(20260301, 'Y'), Run(20260303, 0)});
    EXPECT_EQ(DataSize(), 3 * 340U);
    EXPECT_EQ(db->Table().Entries(),
              (std::vector<IndexEntry>{{20260301, 1, IndexEntry::kCompetition},
                                       {20260303, 2, 0},
                                       {20260305, 0, IndexEntry::kTraining}}));

    // Every byte of a stored record comes back, the bytes after a text's NUL included.
    DayRecord odd = Run(20260310);
    std::memset(odd.comments, 'x', sizeof odd.comments);
    odd.comments[3] = '\0';
    ASSERT_EQ(db->StoreRecord(odd), StoreResult::Stored);
    const DayRecord back = Back(20260310);
    EXPECT_EQ(std::memcmp(&odd, &back, sizeof odd), 0);
}

TEST_F(LogBookDatabaseTest, OverwriteKeepsTheSlotAndRefreshesTheFlags) {
    OpenWith({Run(20260301), Run(20260302)});
    ASSERT_EQ(db->StoreRecord(Run(20260301, 'Y', 42.0F)), StoreResult::Stored);
    EXPECT_EQ(DataSize(), 2 * 340U);
    EXPECT_EQ(db->Table().At(0), (IndexEntry{20260301, 0, IndexEntry::kCompetition}));
    EXPECT_EQ(Back(20260301).distance, 42.0F);

    ASSERT_EQ(db->StoreRecord(Run(20260302, 'Y').Erased()), StoreResult::Stored);
    EXPECT_EQ(db->Table().At(1), (IndexEntry{20260302, 1, IndexEntry::kErased}));
}

TEST_F(LogBookDatabaseTest, ErasedDaysGiveTheirSlotToTheNextNewDay) {
    OpenWith({Run(20260301), Run(20260302), Run(20260303)});
    ASSERT_EQ(db->EraseDay(Date(20260302)), StoreResult::Stored);
    EXPECT_EQ(db->Table().At(1).flags, IndexEntry::kErased);

    ASSERT_EQ(db->StoreRecord(Run(20260320)), StoreResult::Stored);
    EXPECT_EQ(DataSize(), 3 * 340U); // reused, not appended
    EXPECT_EQ(db->Table().At(1), (IndexEntry{20260302, -1, IndexEntry::kErased}));
    EXPECT_EQ(db->Table().At(3), (IndexEntry{20260320, 1, IndexEntry::kTraining}));

    // The erased day stored again gets a fresh slot at the end of the file.
    ASSERT_EQ(db->StoreRecord(Run(20260302)), StoreResult::Stored);
    EXPECT_EQ(db->Table().At(1), (IndexEntry{20260302, 3, IndexEntry::kTraining}));
    EXPECT_EQ(DataSize(), 4 * 340U);

    EXPECT_EQ(Back(20260320).dateKey, 20260320);
    EXPECT_EQ(Back(20260302).dateKey, 20260302);
    EXPECT_EQ(Back(20260302).erased, 0);

    // The index written at close reads back as a valid index.
    ASSERT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(fs::file_size(indexName), 4 * 9U);
    EXPECT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_EQ(db->EntryCount(), 4);
}

TEST_F(LogBookDatabaseTest, ReadAndEraseOfAnAbsentDayAnswerZeroQuietly) {
    OpenWith({Run(20260301)});
    DayRecord back = Run(19990101);
    EXPECT_EQ(db->ReadDay(Date(20260302), back), ReadResult::Failed);
    EXPECT_EQ(back.dateKey, 19990101);
    EXPECT_EQ(db->EraseDay(Date(20260302)), StoreResult::Failed);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(db->EraseDay(Date(20260301)), StoreResult::Stored);
    EXPECT_EQ(Back(20260301).erased, 1);
}

TEST_F(LogBookDatabaseTest, RangesSelectByDateAndDayTypeAndSkipErasedDays) {
    OpenWith(
        {Run(20260110, 'Y'), Run(20260101), Run(20260105, 0), Run(20260120), Run(20260115, 'Y')});
    ASSERT_EQ(db->EraseDay(Date(20260120)), StoreResult::Stored);
    const DateValue first = Date(20260102);
    const DateValue last = Date(20260120);

    EXPECT_EQ(Loaded(&first, &last), (Keys{20260105, 20260110, 20260115}));
    EXPECT_EQ(Loaded(nullptr, nullptr, DayType::Competition), (Keys{20260110, 20260115}));
    EXPECT_EQ(Loaded(nullptr, &first, DayType::Training), Keys{20260101});

    std::vector<std::int32_t> positions;
    int count = -1;
    ASSERT_EQ(db->FastIndex(&first, nullptr, DayType::AllDays, positions, count), Result::Ok);
    EXPECT_EQ(positions, (std::vector<std::int32_t>{1, 2, 3}));
    ASSERT_EQ(db->CountRange(nullptr, nullptr, DayType::Training, count), Result::Ok);
    EXPECT_EQ(count, 1);
    const DateValue late = Date(20270101);
    ASSERT_EQ(db->CountRange(&late, nullptr, DayType::AllDays, count), Result::Ok);
    EXPECT_EQ(count, 0);
}

TEST_F(LogBookDatabaseTest, ReadManyWalksPositionsAndLeavesErasedOnesUntouched) {
    OpenWith({Run(20260101), Run(20260102), Run(20260103)});
    ASSERT_EQ(db->EraseDay(Date(20260102)), StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(Run(20260104)), StoreResult::Stored); // takes the erased day's slot

    EXPECT_EQ(db->EndReading(), Result::Failed);
    EXPECT_EQ(reporter.messages, (Messages{"Cannot close database."}));

    ASSERT_EQ(db->BeginReading("rb"), Result::Ok);
    DayRecord buffer{};
    std::vector<std::int32_t> seen;
    for (int position = 0;; ++position) {
        buffer.erased = 1;
        const ReadResult result = db->ReadAtPosition(position, buffer);
        if (result == ReadResult::EndOrBadRead) {
            EXPECT_EQ(position, 4);
            break;
        }
        ASSERT_EQ(result, ReadResult::Read);
        if (buffer.erased == 0) {
            seen.push_back(buffer.dateKey);
        }
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{20260101, 20260103, 20260104}));

    // A store between reads is seen by the next read.
    ASSERT_EQ(db->StoreRecord(Run(20260101, 'N', 9.0F)), StoreResult::Stored);
    ASSERT_EQ(db->ReadAtPosition(0, buffer), ReadResult::Read);
    EXPECT_EQ(buffer.distance, 9.0F);
    EXPECT_EQ(db->EndReading(), Result::Ok);
    EXPECT_EQ(db->ReadAtPosition(0, buffer),
              ReadResult::EndOrBadRead); // outside a read-many sequence
}

TEST_F(LogBookDatabaseTest, SecondOpenerOfTheSameLogbookIsRefused) {
    OpenWith({Run(20260301)});
    RecordingReporter other;
    LogBookDatabase second(other, dates);
    EXPECT_EQ(second.Open(name), OpenResult::Failed);
    EXPECT_EQ(other.messages, (Messages{"Logbook is in use by another program."}));
    EXPECT_FALSE(second.IsOpen());
    ASSERT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(second.Open(name), OpenResult::Opened);
}

TEST_F(LogBookDatabaseTest, OverlongNamesAreRefusedBeforeAnyFileIsTouched) {
    EXPECT_EQ(db->Open(std::string(256, 'a')), OpenResult::Failed);
    EXPECT_EQ(
        db->Open(folder.string() + "/" + std::string(250 - folder.string().size(), 'b') + ".vrl"),
        OpenResult::Opened);
    ASSERT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(reporter.messages, (Messages{"Logbook file name is longer than 255 characters."}));
    EXPECT_FALSE(db->IsOpen());
}

TEST_F(LogBookDatabaseTest, IndexNameReplacesTheLastExtension) {
    EXPECT_EQ(IndexFile::NameFor("a.b/log.vrl"), "a.b/log.idx");
    EXPECT_EQ(IndexFile::NameFor("dir/log.2026.vrl"), "dir/log.2026.idx");
    EXPECT_EQ(IndexFile::NameFor("dir/.hidden.vrl"), "dir/.hidden.idx");
    EXPECT_EQ(IndexFile::NameFor("dir/.hidden"), "dir/.hidden.idx");
    EXPECT_EQ(IndexFile::NameFor("a.b/plain"), "a.b/plain.idx");

    // Two logbooks that once shared an index each keep their own.
    const std::string backup = Path("mylog.bak.vrl");
    MakeLogbook(name, {Run(20260301), Run(20260302)});
    MakeLogbook(backup, {Run(20270101)});
    LogBookDatabase other(reporter, dates);
    EXPECT_EQ(db->Open(name), OpenResult::Opened);
    EXPECT_EQ(db->EntryCount(), 2);
    EXPECT_EQ(other.Open(backup), OpenResult::Opened);
    EXPECT_EQ(other.EntryCount(), 1);
    EXPECT_TRUE(fs::exists(Path("mylog.bak.idx")));
}

TEST_F(LogBookDatabaseTest, ALogbookCannotBeItsOwnIndex) {
    EXPECT_EQ(db->Open(Path("season.idx")), OpenResult::Failed);
    EXPECT_FALSE(fs::exists(Path("season.idx")));

    // A link that gives the index's name to the data file is caught too.
    MakeLogbook(name, {Run(20260301)});
    const std::string bytes = Read(name);
    fs::remove(indexName);
    fs::create_hard_link(name, indexName);
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    EXPECT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(Read(name), bytes);
    EXPECT_EQ(reporter.messages, (Messages{"Logbook file name is that of its own index (.idx).",
                                           "Logbook file name is that of its own index (.idx)."}));
}

TEST_F(LogBookDatabaseTest, OnlyRegularFilesAreOpenedAndNothingWaitsOnAFifo) {
    ::alarm(20); // a FIFO opened for reading would wait here for ever
    ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0);
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    fs::remove(name);
    fs::create_directory(name);
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    fs::remove(name);
    fs::create_symlink("/dev/null", name);
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    fs::remove(name);
    fs::create_symlink(name, name); // a link to itself: a loop
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    EXPECT_TRUE(fs::is_symlink(name));
    fs::remove(name);

    MakeLogbook(name, {Run(20260301)});
    fs::remove(indexName);
    ASSERT_EQ(::mkfifo(indexName.c_str(), 0644), 0);
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    EXPECT_FALSE(db->IsOpen());
    EXPECT_TRUE(fs::is_fifo(indexName));
    ::alarm(0);
    EXPECT_EQ(reporter.messages,
              (Messages{name + " is not a regular file.", name + " is not a regular file.",
                        name + " is not a regular file.",
                        name + " cannot be read: too many levels of symbolic links.",
                        "Index file is not a regular file."}));
}

TEST_F(LogBookDatabaseTest, AFileLargerThanALogbookCanBeIsRefusedWithoutReadingIt) {
    // Sparse files: they cost no disk. 15 TB asked the check for an array of that many
    // records; 4.5 GB took the whole of start-up to read.
    for (const off_t size : {off_t{4500000000}, off_t{340000340}}) {
        SCOPED_TRACE(size);
        reporter.messages.clear();
        fs::remove(name);
        Write(indexName, "");
        Write(name, "");
        ASSERT_EQ(::truncate(name.c_str(), size), 0);
        EXPECT_EQ(db->Open(name), OpenResult::Failed);
        EXPECT_FALSE(db->IsOpen());
        EXPECT_EQ(reporter.messages, (Messages{name + " is larger than a logbook can be (more "
                                                      "than 1000000 records of 340 bytes)."}));
        EXPECT_EQ(fs::file_size(name), static_cast<std::uintmax_t>(size));
        EXPECT_EQ(Read(indexName), "");
    }
    // A logbook of the largest size still opens; it takes no more records.
    reporter.messages.clear();
    ASSERT_EQ(::truncate(name.c_str(), 340000000), 0);
    EXPECT_EQ(db->Open(name),
              OpenResult::Opened); // its records are all undated: the empty index holds
    EXPECT_EQ(db->StoreRecord(Run(20260301)), StoreResult::Failed);
    EXPECT_EQ(fs::file_size(name), 340000000U);
    EXPECT_EQ(reporter.messages, (Messages{"Error storing database record."}));
}

TEST_F(LogBookDatabaseTest, AFailedOpenIsSaidOnceNotAgainByEveryLoad) {
    fs::create_directory(name);
    EXPECT_EQ(db->Open(name), OpenResult::Failed);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Loaded(nullptr, nullptr, DayType::AllDays, ReadResult::Failed), Keys{});
    }
    EXPECT_EQ(reporter.messages, (Messages{name + " is not a regular file."}));
    // A logbook that was open and is closed says so at the first load only.
    fs::remove(name);
    OpenWith({Run(20260301)});
    ASSERT_EQ(db->Close(), Result::Ok);
    reporter.messages.clear();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Loaded(nullptr, nullptr, DayType::AllDays, ReadResult::Failed), Keys{});
    }
    EXPECT_EQ(reporter.messages, (Messages{"Error loading range of records."}));
}

TEST_F(LogBookDatabaseTest, ARecordThatCannotBeReadIsSaidOnceAndTheRestDelivered) {
    // Slots in date order: 20260301 at 0, 20260302 at 1 (unreadable), 20260303 at 2.
    OpenWith({Run(20260301), Run(20260302), Run(20260303)});
    struct Unreadable {
        Unreadable() { LogBookDatabase::MakeSlotUnreadable(1); }
        ~Unreadable() { LogBookDatabase::MakeSlotUnreadable(-1); }
    } unreadable;
    for (int load = 0; load < 2; ++load) {
        EXPECT_EQ(Loaded(nullptr, nullptr, DayType::AllDays, ReadResult::EndOrBadRead),
                  Keys{20260301});
    }
    ASSERT_EQ(db->BeginReading("rb"), Result::Ok);
    DayRecord day{};
    EXPECT_EQ(db->ReadAtPosition(0, day), ReadResult::Read);
    EXPECT_EQ(db->ReadAtPosition(1, day), ReadResult::EndOrBadRead);
    EXPECT_EQ(db->ReadAtPosition(2, day), ReadResult::Read);
    EXPECT_EQ(day.dateKey, 20260303);
    EXPECT_EQ(db->ReadAtPosition(3, day), ReadResult::EndOrBadRead); // the end: no failure
    EXPECT_EQ(db->EndReading(), Result::Ok);
    EXPECT_EQ(db->ReadFailures(), 3);
    EXPECT_EQ(reporter.messages, (Messages{"Error loading range of records."}));
}

TEST_F(LogBookDatabaseTest, DaysWithoutALogbookDateAreNeverStored) {
    OpenWith({Run(20260301)});
    for (std::int32_t key : {0, -5, 20261399, 20260230, 19591231, 21010101}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(db->StoreRecord(Run(key)), StoreResult::Failed);
    }
    EXPECT_EQ(db->StoreRecord(Run(19600101)), StoreResult::Stored);
    EXPECT_EQ(db->StoreRecord(Run(21001231)), StoreResult::Stored);
    EXPECT_EQ(db->EntryCount(), 3);
    EXPECT_EQ(DataSize(), 3 * 340U);
}

TEST_F(LogBookDatabaseTest, StoreAllKeepsTheOldLogbookWhenAWriteFails) {
    OpenWith({Run(20260301), Run(20260302), Run(20260303)});
    ASSERT_EQ(db->EraseDay(Date(20260302)), StoreResult::Stored);
    const std::string bytes = Read(name);
    const IndexTable before = db->Table();
    std::vector<DayRecord> days;
    for (int d = 10; d < 20; ++d) {
        days.push_back(Run(20260300 + d, 'Y'));
    }
    days.push_back(Run(20260301, 'Y', 9.0F));
    {
        // Room for the copy and two more records, not for ten.
        const FileSizeLimit limit(DataSize() + 2 * 340);
        EXPECT_EQ(db->StoreAll(days), StoreResult::Failed);
    }
    EXPECT_EQ(reporter.messages, (Messages{"Error storing database record. " + name +
                                           " cannot be written: file too large."}));
    EXPECT_EQ(Read(name), bytes);
    EXPECT_EQ(db->Table().Entries(), before.Entries());
    EXPECT_EQ(FileCount(), 1) << "the copy is gone";

    ASSERT_EQ(db->StoreAll(days), StoreResult::Stored);
    EXPECT_EQ(db->EntryCount(), 13);
    EXPECT_EQ(DataSize(), 12 * 340U) << "the first new day took the erased day's record";
    EXPECT_EQ(Back(20260301).distance, 9.0F);

    // The new file is locked under the logbook's name, and needs no index to be whole.
    RecordingReporter other;
    LogBookDatabase second(other, dates);
    EXPECT_EQ(second.Open(name), OpenResult::Failed);
    EXPECT_EQ(other.messages, (Messages{"Logbook is in use by another program."}));
    Kill();
    EXPECT_EQ(second.Open(name), OpenResult::Rebuilt);
    EXPECT_EQ(second.EntryCount(), 12); // all but the erased day whose record went on
    EXPECT_EQ(second.Close(), Result::Ok);
}

TEST_F(LogBookDatabaseTest, FailedStoreLeavesTheTableAsItWas) {
    OpenWith({Run(20260301), Run(20260302), Run(20260303)});
    ASSERT_EQ(db->EraseDay(Date(20260302)), StoreResult::Stored);
    ASSERT_EQ(db->StoreRecord(Run(20260305)),
              StoreResult::Stored); // slot 1 handed over, the 2nd keeps -1
    const IndexTable before = db->Table();
    {
        const FileSizeLimit limit(DataSize());
        EXPECT_EQ(db->StoreRecord(Run(20260310)), StoreResult::Failed); // a new day past the end
        EXPECT_EQ(db->StoreRecord(Run(20260302)),
                  StoreResult::Failed); // the erased day needs a new slot
        EXPECT_EQ(db->StoreRecord(Run(20260301, 'Y')), StoreResult::Stored); // in place still works
    }
    const std::string full =
        "Error storing database record. " + name + " cannot be written: file too large.";
    EXPECT_EQ(reporter.messages, (Messages{full, full}));
    IndexTable expected = before;
    expected.At(0).flags = IndexEntry::kCompetition;
    EXPECT_EQ(db->Table().Entries(), expected.Entries());
    EXPECT_EQ(DataSize(), 3 * 340U);

    // Nothing was lost: the next new day gets the true end of the file.
    ASSERT_EQ(db->StoreRecord(Run(20260310)), StoreResult::Stored);
    EXPECT_EQ(db->Table().At(db->Table().Find(20260310)).slot, 3);
    ASSERT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(db->Open(name), OpenResult::Opened);
}

TEST_F(LogBookDatabaseTest, ANameWithANulOrAControlCharacterOpensNothing) {
    // "/d/log" with a NUL before ".vrl": the system would open "/d/log" for both files.
    const std::string plain = Path("log");
    Write(plain, std::string(340, 'x'));
    EXPECT_EQ(db->Open(plain + std::string(1, '\0') + ".vrl"), OpenResult::Failed);
    EXPECT_EQ(db->Open(Path("tab\there.vrl")), OpenResult::Failed);
    ASSERT_EQ(reporter.messages.size(), 2U);
    EXPECT_EQ(reporter.messages[0], "Logbook file name holds a control character.");
    EXPECT_EQ(Read(plain), std::string(340, 'x'));
    EXPECT_FALSE(fs::exists(Path("tab\there.vrl")));
    EXPECT_EQ(db->Close(), Result::Ok);
    EXPECT_EQ(Read(plain), std::string(340, 'x'));
}

} // namespace
