// Floors and a comparison for the store's figures: the same bytes moved by the plainest
// system calls, and the same range query on an SQLite table of the same days.

#include "SampleLogBook.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kDays = SampleLogBook::kDays;

// The physical floor of a whole-logbook read: one read() of the data file at offset 0.
void BM_Floor_ReadDataFile(benchmark::State& state) {
    SampleLogBook book(state);
    const int fd = ::open(book.DataFileName().c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<unsigned char> buffer(static_cast<std::size_t>(book.DataBytes()));
    for (auto _ : state) {
        if (::pread(fd, buffer.data(), buffer.size(), 0) != book.DataBytes()) {
            book.Fail("short read of the data file");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations() * kDays);
    state.SetBytesProcessed(state.iterations() * book.DataBytes());
}

// The floor under Close: one write of the index's bytes into a file already open.
void BM_Floor_WriteIndexBytes(benchmark::State& state) {
    SampleLogBook book(state);
    const std::vector<unsigned char> bytes(kDays * IndexEntry::kSize, 0x5a);
    const int fd = ::open((book.Folder() + "/floor.idx").c_str(),
                          O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    for (auto _ : state) {
        if (::pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
            book.Fail("short write");
            break;
        }
    }
    ::close(fd);
}

// The floor under FastIndex and CountRange: one pass over the in-memory entries.
void BM_Floor_ScanEntries(benchmark::State& state) {
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    const std::vector<IndexEntry>& entries = book.Database().Table().Entries();
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::count_if(entries.begin(), entries.end(),
                                               [](const IndexEntry& e) { return !e.IsErased(); }));
    }
}

// The floor under StoreRecord: one 340-byte write at a record's place in the data file.
void BM_Floor_WriteRecord(benchmark::State& state) {
    SampleLogBook book(state);
    const int fd = ::open(book.DataFileName().c_str(), O_WRONLY | O_CLOEXEC);
    const DayRecord& day = book.Days()[kDays / 2];
    const off_t offset = off_t{kDays / 2} * static_cast<std::int64_t>(DayRecord::kSize);
    for (auto _ : state) {
        if (::pwrite(fd, &day, sizeof day, offset) != static_cast<ssize_t>(sizeof day)) {
            book.Fail("short write");
            break;
        }
    }
    ::close(fd);
}

class SqliteDays {
public:
    // One row per day with the record's columns, dateKey the primary key.
    bool Build(const std::string& fileName, const std::vector<DayRecord>& days) {
        if (sqlite3_open(fileName.c_str(), &db) != SQLITE_OK ||
            !Run("CREATE TABLE days (dateKey INTEGER PRIMARY KEY, erased INTEGER, distance REAL,"
                 " time INTEGER, pace INTEGER, speed REAL, restHeartRate INTEGER,"
                 " maxHeartRate INTEGER, calories INTEGER, waterUsed REAL, hoursSlept REAL,"
                 " temperature INTEGER, bodyWeight REAL, competition TEXT, difficulty TEXT,"
                 " workout TEXT, comments TEXT)") ||
            !Run("BEGIN")) {
            return false;
        }
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO days VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", -1,
                           &insert, nullptr);
        bool ok = insert != nullptr;
        for (const DayRecord& d : days) {
            if (!ok) {
                break;
            }
            const std::int64_t ints[] = {d.dateKey, d.erased, d.time, d.pace, d.restHeartRate,
                                         d.maxHeartRate, d.calories, d.temperature};
            const int intColumns[] = {1, 2, 4, 5, 7, 8, 9, 12};
            for (int k = 0; k < 8; ++k) {
                sqlite3_bind_int64(insert, intColumns[k], ints[k]);
            }
            sqlite3_bind_double(insert, 3, d.distance);
            sqlite3_bind_double(insert, 6, d.speed);
            sqlite3_bind_double(insert, 10, d.waterUsed);
            sqlite3_bind_double(insert, 11, d.hoursSlept);
            sqlite3_bind_double(insert, 13, d.bodyWeight);
            sqlite3_bind_text(insert, 14, &d.competition, 1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 15, &d.difficulty, 1, SQLITE_TRANSIENT);
            const std::string_view workout = d.WorkoutText(), comments = d.CommentsText();
            sqlite3_bind_text(insert, 16, workout.data(), static_cast<int>(workout.size()),
                              SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 17, comments.data(), static_cast<int>(comments.size()),
                              SQLITE_TRANSIENT);
            ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
        }
        sqlite3_finalize(insert);
        return ok && Run("COMMIT") &&
               sqlite3_prepare_v2(db, "SELECT * FROM days WHERE dateKey BETWEEN ? AND ? "
                                      "ORDER BY dateKey", -1, &range, nullptr) == SQLITE_OK;
    }

    bool LoadRange(std::int32_t firstKey, std::int32_t lastKey, std::vector<DayRecord>& out) {
        out.clear();
        sqlite3_bind_int64(range, 1, firstKey);
        sqlite3_bind_int64(range, 2, lastKey);
        int step;
        while ((step = sqlite3_step(range)) == SQLITE_ROW) {
            DayRecord& d = out.emplace_back(DayRecord::Blank(Int(0)));
            d.erased = Int(1);
            d.distance = Real(2);
            d.time = Int(3);
            d.pace = Int(4);
            d.speed = Real(5);
            d.restHeartRate = Int(6);
            d.maxHeartRate = Int(7);
            d.calories = Int(8);
            d.waterUsed = Real(9);
            d.hoursSlept = Real(10);
            d.temperature = Int(11);
            d.bodyWeight = Real(12);
            Text(13, &d.competition, 1);
            Text(14, &d.difficulty, 1);
            Text(15, d.workout, sizeof d.workout - 1);
            Text(16, d.comments, sizeof d.comments - 1);
        }
        sqlite3_reset(range);
        return step == SQLITE_DONE;
    }

    ~SqliteDays() {
        sqlite3_finalize(range);
        sqlite3_close(db);
    }

private:
    bool Run(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    std::int32_t Int(int column) { return sqlite3_column_int(range, column); }
    float Real(int column) { return static_cast<float>(sqlite3_column_double(range, column)); }
    // Copies at most limit bytes of a text column into field (already zeroed).
    void Text(int column, char* field, std::size_t limit) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(range, column));
        const auto length = static_cast<std::size_t>(sqlite3_column_bytes(range, column));
        std::memcpy(field, text ? text : "", std::min(length, limit));
    }

    sqlite3* db = nullptr;
    sqlite3_stmt* range = nullptr;
};

// The same range query as BM_LoadRangeAll, on an SQLite file in the same temporary folder
// (so in the page cache), every column copied into a DayRecord.
void BM_SqliteRangeAll(benchmark::State& state) {
    SampleLogBook book(state);
    SqliteDays table;
    if (book.Failed() || !table.Build(book.Folder() + "/days.sqlite", book.Days())) {
        book.Fail("cannot build the SQLite table");
        return;
    }
    std::vector<DayRecord> rows;
    const std::int32_t firstKey = book.Dates().KeyOfDate(book.First());
    const std::int32_t lastKey = book.Dates().KeyOfDate(book.Last());
    for (auto _ : state) {
        if (!table.LoadRange(firstKey, lastKey, rows)) {
            book.Fail("the SQLite range query failed");
            break;
        }
        benchmark::DoNotOptimize(rows.data());
    }
    if (!book.Failed() && (rows.size() != kDays || std::memcmp(rows.data(), book.Days().data(),
                                                               kDays * sizeof(DayRecord)) != 0)) {
        book.Fail("the SQLite rows differ from the days");
    }
    state.SetItemsProcessed(state.iterations() * kDays);
}

} // namespace

BENCHMARK(BM_Floor_ReadDataFile)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_WriteIndexBytes)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_ScanEntries)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_WriteRecord)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteRangeAll)->UseRealTime()->Unit(benchmark::kMicrosecond);
