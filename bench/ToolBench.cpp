// veloria-logbook as the user runs it, a fresh process each time: the export of a whole
// logbook, an import of ten years into a new logbook and of one day into ten years, against
// the floor of starting any process at all.

#include "RunProcess.h"
#include "SampleLogBook.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void BM_Floor_SpawnTrue(benchmark::State& state) {
    for (auto _ : state) {
        if (RunProcess({"/bin/true"}) != 0) {
            state.SkipWithError("/bin/true did not run");
            break;
        }
    }
}
BENCHMARK(BM_Floor_SpawnTrue)->UseRealTime()->Unit(benchmark::kMillisecond);

#ifdef VELORIA_LOGBOOK_TOOL
void BM_ExportAll(benchmark::State& state) {
    SampleLogBook book(state);
    if (::access(VELORIA_LOGBOOK_TOOL, X_OK) != 0) {
        book.Fail("veloria-logbook is not built");
        return;
    }
    const std::string output = book.Folder() + "/export.csv";
    for (auto _ : state) {
        if (book.Failed() || RunProcess({VELORIA_LOGBOOK_TOOL, "export", book.DataFileName(),
                                         "--output", output}) != 0) {
            book.Fail("veloria-logbook export failed");
            break;
        }
    }
    // A header line and one line per day.
    std::FILE* csv = std::fopen(output.c_str(), "rb");
    int lines = 0;
    for (int c; csv && (c = std::fgetc(csv)) != EOF;) {
        lines += c == '\n';
    }
    if (csv) {
        std::fclose(csv);
    }
    if (!book.Failed() && lines != SampleLogBook::kDays + 1) {
        book.Fail("the export does not hold every day");
    }
}
BENCHMARK(BM_ExportAll)->UseRealTime()->Unit(benchmark::kMillisecond);

// veloria-logbook stats over the sample's last 1825 days, the largest range a view takes.
void BM_StatsLargestRange(benchmark::State& state) {
    SampleLogBook book(state);
    if (::access(VELORIA_LOGBOOK_TOOL, X_OK) != 0) {
        book.Fail("veloria-logbook is not built");
        return;
    }
    DateValue first = book.Last();
    book.Dates().SubtractDays(first, 1824);
    char from[16];
    char to[16];
    std::snprintf(from, sizeof from, "%04d-%02d-%02d", first.year, first.month, first.day);
    std::snprintf(to, sizeof to, "%04d-%02d-%02d", book.Last().year, book.Last().month,
                  book.Last().day);
    for (auto _ : state) {
        if (book.Failed() || RunProcess({VELORIA_LOGBOOK_TOOL, "stats", book.DataFileName(),
                                         "--from", from, "--to", to}) != 0) {
            book.Fail("veloria-logbook stats failed");
            break;
        }
    }
}
BENCHMARK(BM_StatsLargestRange)->UseRealTime()->Unit(benchmark::kMillisecond);

// veloria-logbook summary of every week of the ten years (about 520 rows), whole process.
void BM_SummaryTenYearsByWeek(benchmark::State& state) {
    SampleLogBook book(state);
    if (::access(VELORIA_LOGBOOK_TOOL, X_OK) != 0) {
        book.Fail("veloria-logbook is not built");
        return;
    }
    char to[16];
    std::snprintf(to, sizeof to, "%04d-%02d-%02d", book.Last().year, book.Last().month,
                  book.Last().day);
    for (auto _ : state) {
        if (book.Failed() ||
            RunProcess({VELORIA_LOGBOOK_TOOL, "summary", book.DataFileName(), "--from",
                        "2010-01-01", "--to", to, "--week-start", "mon"}) != 0) {
            book.Fail("veloria-logbook summary failed");
            break;
        }
    }
}
BENCHMARK(BM_SummaryTenYearsByWeek)->UseRealTime()->Unit(benchmark::kMillisecond);

// The ten years as CSV, exported by the tool itself; empty on failure.
std::string ExportSample(SampleLogBook& book) {
    const std::string csv = book.Folder() + "/sample.csv";
    if (book.Failed() ||
        RunProcess({VELORIA_LOGBOOK_TOOL, "export", book.DataFileName(), "--output", csv}) != 0) {
        book.Fail("veloria-logbook export failed");
        return {};
    }
    return csv;
}

// Import of all 3650 days into a logbook that does not exist yet: checking the rows,
// creating the logbook, the copy with every day, its sync and rename, and the index.
void BM_ImportNewLogbook(benchmark::State& state) {
    SampleLogBook book(state);
    const std::string csv = ExportSample(book);
    const std::string target = book.Folder() + "/new.vrl";
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(target.c_str());
        ::unlink((book.Folder() + "/new.idx").c_str());
        state.ResumeTiming();
        if (book.Failed() || RunProcess({VELORIA_LOGBOOK_TOOL, "import", target, csv}) != 0) {
            book.Fail("veloria-logbook import failed");
            break;
        }
    }
    // What went in comes out again.
    const std::string again = book.Folder() + "/again.csv";
    if (!book.Failed() &&
        (RunProcess({VELORIA_LOGBOOK_TOOL, "export", target, "--output", again}) != 0 ||
         RunProcess({"/usr/bin/cmp", "-s", csv, again}) != 0)) {
        book.Fail("the new logbook does not hold the days imported");
    }
}
BENCHMARK(BM_ImportNewLogbook)->UseRealTime()->Unit(benchmark::kMillisecond);

// Import of one day into the ten-year logbook (--replace, so every round does the same
// work): the whole 1.2 MB data file is copied, synced and renamed.
void BM_ImportOneDay(benchmark::State& state) {
    SampleLogBook book(state);
    const std::string csv = book.Folder() + "/one.csv";
    if (std::FILE* f = std::fopen(csv.c_str(), "wb")) {
        std::fputs("date,distance,comments\n2020-06-01,10.5,one more day\n", f);
        std::fclose(f);
    }
    for (auto _ : state) {
        if (book.Failed() || RunProcess({VELORIA_LOGBOOK_TOOL, "import", book.DataFileName(), csv,
                                         "--replace"}) != 0) {
            book.Fail("veloria-logbook import failed");
            break;
        }
    }
    if (!book.Failed() && book.OpenExpecting(LogBookDatabase::OpenResult::Opened) &&
        book.Database().EntryCount() != SampleLogBook::kDays + 1) {
        book.Fail("the day was not imported");
    }
}
BENCHMARK(BM_ImportOneDay)->UseRealTime()->Unit(benchmark::kMillisecond);
#endif

} // namespace
