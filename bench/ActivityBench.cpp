// Reading activity files from memory: a 10 MB FIT file of one record a second (target at
// least 150 MB/s) and a 10 MB GPX track (target at least 50 MB/s). Each run checks that the
// one activity came out.

#include "RunProcess.h"
#include "SampleLogBook.h"
#include "activities/ActivityFile.h"
#include "activities/ActivityImportPlan.h"
#include "activities/DayActivitiesText.h"
#include "activities/FitReader.h"
#include "store/ActivityStore.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kSize = 10 * 1000 * 1000;
constexpr std::uint32_t kStart = 1141282800; // 2026-03-01 07:00:00 UTC as FIT counts

void Put(std::string& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// file_id, then records (time, position, distance, heart rate, cadence, speed, altitude),
// then a session and the activity message.
std::string MakeFit(std::size_t size = kSize, std::uint32_t start = kStart) {
    std::string data = std::string("\x40\x00\x00\x00\x00\x01\x00\x01\x00", 9) + '\0' + '\x04';
    data += std::string("\x41\x00\x00\x14\x00\x08", 6);
    const unsigned char fields[] = {253, 4, 0x86, 0, 4, 0x85, 1, 4, 0x85, 5, 4, 0x86,
                                    3,   1, 0x02, 4, 1, 0x02, 6, 2, 0x84, 2, 2, 0x84};
    data.append(reinterpret_cast<const char*>(fields), sizeof fields);
    std::uint32_t t = start;
    while (data.size() < size - 100) {
        data += '\x01';
        Put(data, t, 4);
        Put(data, 626000000 + t % 1000, 4);
        Put(data, 155000000 + t % 777, 4);
        Put(data, (t - start) * 300, 4);
        Put(data, 120 + t % 50, 1);
        Put(data, 85, 1);
        Put(data, 3000, 2);
        Put(data, 2600, 2);
        ++t;
    }
    data += std::string("\x42\x00\x00\x12\x00\x03\x02\x04\x86\x05\x01\x00\x08\x04\x86", 15);
    data += '\x02';
    Put(data, start, 4);
    data += '\x01';
    Put(data, static_cast<std::uint64_t>(t - start) * 1000, 4);
    std::string file;
    file += '\x0E';
    file += std::string("\x20\x08\x08", 3);
    Put(file, data.size(), 4);
    file += ".FIT";
    Put(file, 0, 2);
    file += data;
    Put(file, FitReader::Crc16(0, reinterpret_cast<const unsigned char*>(file.data()), file.size()),
        2);
    return file;
}

std::string MakeGpx() {
    std::string gpx = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" "
                      "xmlns:gpxtpx=\"urn:x\"><trk><type>running</type><trkseg>\n";
    char point[256];
    for (int i = 0; gpx.size() < kSize - 100; ++i) {
        std::snprintf(point, sizeof point,
                      "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele><time>2026-03-01T%02d:%02d:"
                      "%02dZ</time><extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>%d</"
                      "gpxtpx:hr></gpxtpx:TrackPointExtension></extensions></trkpt>\n",
                      52.0 + i * 1e-5, 13.0 + i * 1e-5, 34.5 + i % 10, 7 + i / 3600 % 17,
                      i / 60 % 60, i % 60, 120 + i % 50);
        gpx += point;
    }
    return gpx + "</trkseg></trk></gpx>\n";
}

void Read(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        std::size_t at = 0;
        const ActivityFileResult result =
            ActivityFile::Read([&](unsigned char* buffer, std::size_t length) -> std::int64_t {
                const std::size_t n = std::min(length, bytes.size() - at);
                std::memcpy(buffer, bytes.data() + at, n);
                at += n;
                return static_cast<std::int64_t>(n);
            });
        if (result.problem != FileProblem::None || result.activities.size() != 1) {
            state.SkipWithError("the file did not give its one activity");
            break;
        }
        benchmark::DoNotOptimize(result.activities[0].metres);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_ReadFit10MB(benchmark::State& state) {
    static const std::string fit = MakeFit();
    Read(state, fit);
}
void BM_ReadGpx10MB(benchmark::State& state) {
    static const std::string gpx = MakeGpx();
    Read(state, gpx);
}

BENCHMARK(BM_ReadFit10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGpx10MB)->Unit(benchmark::kMillisecond);

// A year of training after the sample's ten: 365 FIT files of about 100 kB, one a day of
// 2020, written into the sample's folder.
constexpr std::uint32_t kYearStart = 946796400; // 2020-01-01 07:00:00 UTC as FIT counts

std::string WriteYear(SampleLogBook& book) {
    const std::string folder = book.Folder() + "/year";
    ::mkdir(folder.c_str(), 0700);
    for (std::uint32_t day = 0; day < 365; ++day) {
        char name[32];
        std::snprintf(name, sizeof name, "/%03u.fit", day);
        std::ofstream(folder + name, std::ios::binary)
            << MakeFit(100 * 1000, kYearStart + day * 86400);
    }
    return folder;
}

// Reading the year and deciding each day against the opened logbook, as the window's
// preview does (target under 1 s).
void BM_PreviewYear(benchmark::State& state) {
    SampleLogBook book(state);
    const std::string folder = WriteYear(book);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    for (auto _ : state) {
        ActivityImportPlan plan;
        plan.Read({folder});
        plan.Decide(ActivityDays::Unit::Kilometres, &book.Database(), nullptr,
                    ActivityImportPlan::Existing::Refuse);
        if (plan.Count(ActivityImportPlan::Fate::New) != 365) {
            book.Fail("the preview does not hold the year's 365 new days");
            break;
        }
    }
}
BENCHMARK(BM_PreviewYear)->UseRealTime()->Unit(benchmark::kMillisecond);

// A logbook that holds 4000 activities (some eleven years of training), two a day; false
// (the run failed) when they could not be stored.
bool StoreElevenYears(SampleLogBook& book) {
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return false;
    }
    std::vector<ActivityRow> rows;
    for (int i = 0; i < 4000; ++i) {
        ActivityRow row;
        row.day = book.Days()[static_cast<std::size_t>(i / 2)].dateKey;
        row.start = 1262329200 + static_cast<std::int64_t>(i) * 43200;
        row.sport = i % 2 == 0 ? "Running" : "Cycling";
        row.metres = 10000 + i;
        row.movingSeconds = 3000;
        row.elapsedSeconds = 3300;
        row.avgHeartRate = 140;
        row.maxHeartRate = 170;
        row.calories = 650;
        row.file = "2010-01-01-07-00-00.fit";
        row.fileHash = 0x9e3779b97f4a7c15ULL * static_cast<std::uint64_t>(i + 1);
        rows.push_back(row);
    }
    ActivityStore store;
    store.Open(book.Database(), true);
    if (!store.Change({}, rows, "km").Ok()) {
        book.Fail("the 4000 activities could not be stored");
        return false;
    }
    return true;
}

// Opening the activities file of that logbook and reading one day's two (target under
// 5 ms).
void BM_OpenAndReadADaysActivities(benchmark::State& state) {
    SampleLogBook book(state);
    if (!StoreElevenYears(book)) {
        return;
    }
    const std::int32_t day = book.Days()[1000].dateKey;
    for (auto _ : state) {
        ActivityStore store;
        std::vector<ActivityRow> rows;
        if (!store.Open(book.Database(), false).Ok() || !store.Read(day, day, rows).Ok() ||
            rows.size() != 2) {
            book.Fail("the day's two activities were not read");
            break;
        }
    }
}
BENCHMARK(BM_OpenAndReadADaysActivities)->UseRealTime()->Unit(benchmark::kMicrosecond);

// What the Log Book does at each day it shows: the file opened, the day's two activities
// read with the unit, and their line made (target under 0.2 ms).
void BM_LogBookDaysActivitiesLine(benchmark::State& state) {
    SampleLogBook book(state);
    if (!StoreElevenYears(book)) {
        return;
    }
    const std::int32_t day = book.Days()[1000].dateKey;
    for (auto _ : state) {
        ActivityStore store;
        std::vector<ActivityRow> rows;
        if (!store.Open(book.Database(), false).Ok() || !store.Read(day, day, rows).Ok()) {
            book.Fail("the day's activities were not read");
            break;
        }
        const std::string line = DayActivitiesText::Line(rows, store.Unit(), 64);
        if (line != "Run 12.00 km 50:00 \u00b7 Ride 12.00 km 50:00") {
            book.Fail(("the line reads " + line).c_str());
            break;
        }
    }
}
BENCHMARK(BM_LogBookDaysActivitiesLine)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Opening the ten-year logbook as the program does, without (activities:0) and with
// (activities:1) an activities file of 4000 activities: the logbook opened, then its
// activities file opened to be written and what an import left planned settled. The
// difference is the activities file's cost (target under 10 ms); bytesPerActivity is that
// file's size over its activities (target under 300).
void BM_OpenLogbook(benchmark::State& state) {
    const bool activities = state.range(0) != 0;
    SampleLogBook book(state);
    if (activities && !StoreElevenYears(book)) {
        return;
    }
    book.Database().Close();
    for (auto _ : state) {
        const BenchClock::time_point start = BenchClock::now();
        if (book.Database().Open(book.DataFileName()) != LogBookDatabase::OpenResult::Opened) {
            book.Fail("the logbook did not open with its index");
            break;
        }
        ActivityStore store;
        const ActivityStore::Outcome opened = store.Open(book.Database(), true);
        if (opened.Ok()) {
            store.SettleWritten(book.Database());
        }
        store.Close();
        state.SetIterationTime(SecondsSince(start));
        if (opened.code != (activities ? ActivityStore::Code::Ok : ActivityStore::Code::Missing)) {
            book.Fail("the activities file did not open as expected");
            break;
        }
        book.Database().Close();
    }
    if (activities) {
        struct stat info {};
        if (::stat(ActivityStore::NameFor(book.DataFileName()).c_str(), &info) == 0) {
            state.counters["bytesPerActivity"] = static_cast<double>(info.st_size) / 4000;
        }
    }
}
BENCHMARK(BM_OpenLogbook)
    ->ArgName("activities")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

#ifdef VELORIA_LOGBOOK_TOOL
// veloria-logbook import LOGBOOK FOLDER of the year as a whole process, as a user's first
// import (target under 1 s): each run starts from the ten years without an activities file or
// a backup, so it creates the file, stores the 365 activities with their days and backs up
// first. Backups go into the sample's folder.
void BM_ImportYear(benchmark::State& state) {
    SampleLogBook book(state);
    const std::string folder = WriteYear(book);
    const std::string backups = book.Folder() + "/data";
    ::setenv("XDG_DATA_HOME", backups.c_str(), 1);
    const std::string activitiesFile = ActivityStore::NameFor(book.DataFileName());
    for (auto _ : state) {
        std::error_code ignored;
        std::filesystem::remove_all(backups, ignored);
        ::unlink(activitiesFile.c_str());
        if (!book.Restore() || book.Database().Close() != LogBookDatabase::Result::Ok) {
            book.Fail("the ten years could not be put back");
            break;
        }
        const BenchClock::time_point start = BenchClock::now();
        const int status =
            RunProcess({VELORIA_LOGBOOK_TOOL, "import", book.DataFileName(), folder});
        state.SetIterationTime(SecondsSince(start));
        ActivityStore store;
        std::vector<ActivityRow> rows;
        if (status != 0 || !book.OpenExpecting(LogBookDatabase::OpenResult::Opened) ||
            book.Database().EntryCount() != SampleLogBook::kDays + 365 ||
            !store.Open(book.Database(), false).Ok() || !store.Read(0, 0, rows).Ok() ||
            rows.size() != 365) {
            book.Fail("the import did not store the year's 365 days and activities");
            break;
        }
    }
    ::unsetenv("XDG_DATA_HOME");
}
BENCHMARK(BM_ImportYear)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

} // namespace
