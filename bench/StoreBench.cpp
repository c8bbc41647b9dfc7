// The store's own operations on the ten-year sample; their floors are in BaselineBench.cpp.

#include "SampleLogBook.h"

#include <cstring>
#include <unistd.h>

namespace {

constexpr int kDays = SampleLogBook::kDays;

void SetRecordCounters(benchmark::State& state, std::int64_t records) {
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * records * static_cast<std::int64_t>(DayRecord::kSize));
}

// Open (timeOpen) or Close alone, each pair run in full; a rebuild deletes the index first.
void OpenClose(benchmark::State& state, bool timeOpen, bool rebuild) {
    SampleLogBook book(state);
    LogBookDatabase& db = book.Database();
    for (auto _ : state) {
        if (rebuild) {
            ::unlink(book.IndexFileName().c_str());
        }
        auto start = BenchClock::now();
        if (!book.OpenExpecting(rebuild ? LogBookDatabase::OpenResult::Rebuilt
                                        : LogBookDatabase::OpenResult::Opened) ||
            db.EntryCount() != kDays) {
            book.Fail("the logbook opened without its days");
            break;
        }
        const double opening = SecondsSince(start);
        start = BenchClock::now();
        if (db.Close() != LogBookDatabase::Result::Ok) {
            break;
        }
        state.SetIterationTime(timeOpen ? opening : SecondsSince(start));
    }
}

void BM_OpenWithIndex(benchmark::State& state) { OpenClose(state, true, false); }
void BM_Close(benchmark::State& state) { OpenClose(state, false, false); }
void BM_OpenWithRebuild(benchmark::State& state) { OpenClose(state, true, true); }

// fresh:1 gives LoadRange a new vector each time, as a one-shot caller does, so the cost
// of first touching 1.2 MB of memory is counted too.
void BM_LoadRangeAll(benchmark::State& state) {
    const bool fresh = state.range(0) != 0;
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    std::vector<DayRecord> records;
    int count = 0;
    for (auto _ : state) {
        if (fresh) {
            std::vector<DayRecord>().swap(records);
        }
        if (book.Database().LoadRange(&book.First(), &book.Last(), DayType::AllDays, records,
                                      count) != LogBookDatabase::ReadResult::Read) {
            break;
        }
        benchmark::DoNotOptimize(records.data());
    }
    if (!book.Failed() &&
        (count != kDays || std::memcmp(records.data(), book.Days().data(),
                                       kDays * sizeof(DayRecord)) != 0)) {
        book.Fail("LoadRange did not return the days as stored");
    }
    SetRecordCounters(state, kDays);
}

void BM_ReadManyAll(benchmark::State& state) {
    SampleLogBook book(state);
    LogBookDatabase& db = book.Database();
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    std::vector<std::int32_t> positions;
    DayRecord record;
    int count = 0;
    for (auto _ : state) {
        db.FastIndex(&book.First(), &book.Last(), DayType::AllDays, positions, count);
        if (count != kDays || db.BeginReading("rb") != LogBookDatabase::Result::Ok) {
            book.Fail("the read-many walk could not start over every day");
            break;
        }
        float total = 0;
        for (const std::int32_t position : positions) {
            if (db.ReadAtPosition(position, record) != LogBookDatabase::ReadResult::Read ||
                record.dateKey != db.Table().At(position).dateKey) {
                book.Fail("ReadAtPosition returned another day");
                break;
            }
            total += record.distance;
        }
        benchmark::DoNotOptimize(total);
        if (book.Failed() || db.EndReading() != LogBookDatabase::Result::Ok) {
            break;
        }
    }
    SetRecordCounters(state, kDays);
}

void BM_FastIndexAll(benchmark::State& state) {
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    std::vector<std::int32_t> positions;
    int count = 0;
    for (auto _ : state) {
        book.Database().FastIndex(&book.First(), &book.Last(), DayType::AllDays, positions, count);
        benchmark::DoNotOptimize(positions.data());
    }
    if (count != kDays) {
        book.Fail("FastIndex missed days");
    }
}

void BM_CountRangeAll(benchmark::State& state) {
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    int count = 0;
    for (auto _ : state) {
        book.Database().CountRange(&book.First(), &book.Last(), DayType::AllDays, count);
        benchmark::DoNotOptimize(count);
    }
    if (count != kDays) {
        book.Fail("CountRange missed days");
    }
}

// Rewrites a day in the middle, changed each time so that every store is a real write.
void BM_StoreOverwrite(benchmark::State& state) {
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    DayRecord day = book.Days()[kDays / 2];
    for (auto _ : state) {
        day.calories = (day.calories + 1) % 2000;
        if (book.Database().StoreRecord(day) != LogBookDatabase::StoreResult::Stored) {
            break;
        }
    }
}

// Adds days after the last one, growing the data file; every 512 days the logbook is cut
// back to its ten years outside the timing, so the table and the file stay near their size.
void BM_StoreAppend(benchmark::State& state) {
    constexpr int kBatch = 512;
    SampleLogBook book(state);
    LogBookDatabase& db = book.Database();
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    DateValue date = book.Last();
    int appended = 0;
    for (auto _ : state) {
        if (appended == kBatch) {
            if (!book.Restore()) {
                break;
            }
            date = book.Last();
            appended = 0;
        }
        book.Dates().AddDays(date, 1);
        const DayRecord day = SampleLogBook::MakeDay(appended, book.Dates().KeyOfDate(date));
        const auto start = BenchClock::now();
        if (db.StoreRecord(day) != LogBookDatabase::StoreResult::Stored) {
            break;
        }
        state.SetIterationTime(SecondsSince(start));
        ++appended;
    }
    if (!book.Failed() && db.EntryCount() != kDays + appended) {
        book.Fail("appended days are missing from the index");
    }
}

// The ten years stored into a new logbook in this process, day by day (StoreRecord) and
// all or nothing (StoreAll: a copy beside the data file, synced and renamed over it). The
// difference is what the import's safety costs.
void StoreTenYears(benchmark::State& state, bool all) {
    SampleLogBook book(state);
    LogBookDatabase db(book, book.Dates());
    const std::string name = book.Folder() + "/fresh.vrl";
    for (auto _ : state) {
        state.PauseTiming();
        db.Close();
        ::unlink(name.c_str());
        ::unlink((book.Folder() + "/fresh.idx").c_str());
        const bool opened = db.Open(name) == LogBookDatabase::OpenResult::Opened;
        state.ResumeTiming();
        if (!opened || book.Failed()) {
            book.Fail("the new logbook did not open");
            break;
        }
        if (all) {
            db.StoreAll(book.Days());
        } else {
            for (const DayRecord& day : book.Days()) {
                if (db.StoreRecord(day) != LogBookDatabase::StoreResult::Stored) {
                    break;
                }
            }
        }
    }
    if (!book.Failed() && db.EntryCount() != kDays) {
        book.Fail("not every day was stored");
    }
    db.Close();
}

void BM_StoreRecordTenYears(benchmark::State& state) { StoreTenYears(state, false); }
void BM_StoreAllTenYears(benchmark::State& state) { StoreTenYears(state, true); }
BENCHMARK(BM_StoreRecordTenYears)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreAllTenYears)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK(BM_OpenWithIndex)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Close)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenWithRebuild)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadRangeAll)
    ->ArgName("fresh")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadManyAll)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastIndexAll)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountRangeAll)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreOverwrite)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_StoreAppend)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
