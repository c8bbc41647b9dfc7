// Backups: one of the ten-year sample and one of the largest logbook a file can hold
// (51,500 days, 1960 onwards), each with its read-back check and rotation, and the list of
// 30 backups that File > Restore from Backup and `backups` show.

#include "SampleLogBook.h"

#include "store/LogBookBackups.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Backups go into the sample's own folder, which goes away with it.
void BackupsInto(const SampleLogBook& book) {
    ::setenv("XDG_DATA_HOME", (book.Folder() + "/data").c_str(), 1);
}

// The timed part is the backup alone; the folder is emptied before each, so every one is made.
void TimeBackups(benchmark::State& state, SampleLogBook& book, const std::string& logbook) {
    LogBookBackups backups;
    const std::string folder = LogBookBackups::FolderFor(logbook);
    for (auto _ : state) {
        std::error_code error;
        fs::remove_all(folder, error);
        const auto start = BenchClock::now();
        if (const auto status = backups.BackUp(logbook);
            !status.Is(LogBookBackups::Outcome::Made)) {
            book.Fail(("no backup: " + status.Words()).c_str());
            break;
        }
        state.SetIterationTime(SecondsSince(start));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(logbook)));
}

void BM_BackupTenYears(benchmark::State& state) {
    SampleLogBook book(state);
    book.Database().Close();
    BackupsInto(book);
    TimeBackups(state, book, book.DataFileName());
}

void BM_BackupLargestLogbook(benchmark::State& state) {
    SampleLogBook book(state);
    BackupsInto(book);
    constexpr int kLargest = 51500;
    const std::string logbook = book.Folder() + "/largest.vrl";
    {
        std::ofstream out(logbook, std::ios::binary);
        DateValue date = DateValue::Of(1960, 1, 1);
        unsigned char bytes[DayRecord::kSize];
        for (int i = 0; i < kLargest; ++i, book.Dates().AddDays(date, 1)) {
            SampleLogBook::MakeDay(i, book.Dates().KeyOfDate(date)).ToBytes(bytes);
            out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
        }
    }
    TimeBackups(state, book, logbook);
}

void BM_ListThirtyBackups(benchmark::State& state) {
    SampleLogBook book(state);
    book.Database().Close();
    BackupsInto(book);
    const std::string folder = LogBookBackups::FolderFor(book.DataFileName());
    fs::create_directories(folder);
    for (int i = 0; i < 30; ++i) {
        fs::copy_file(book.DataFileName(),
                      folder + "/" + LogBookBackups::NameFor(1796681703 - 86400 * i, 1));
    }
    const LogBookBackups backups;
    for (auto _ : state) {
        const auto listed = backups.List(book.DataFileName());
        if (listed.size() != 30 || listed.back().days != SampleLogBook::kDays) {
            book.Fail("the backups were not listed with their days");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_BackupTenYears)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackupLargestLogbook)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListThirtyBackups)->UseRealTime()->Unit(benchmark::kMillisecond);
