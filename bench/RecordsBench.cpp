// Records over the ten-year sample with 4,000 activities and their best efforts stored: the
// window's reload and paint, veloria-logbook records as a whole process, and the best
// efforts of a three-hour track at one point a second.
#include "RunProcess.h"
#include "RunningProgram.h"
#include "SampleLogBook.h"

#include "activities/BestEfforts.h"
#include "records/RecordsDialog.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "store/RecordStore.h"

#include <QPixmap>
#include <QWidget>

#include <unistd.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kActivities = 4000;

// 4,000 runs on the sample's days (the first 350 days get two), each with the five efforts a
// track gives; false once the sample has failed.
bool AddActivities(SampleLogBook& book) {
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return false;
    }
    std::vector<ActivityRow> rows;
    std::vector<RecordStore::Effort> efforts;
    const std::vector<DayRecord>& days = book.Days();
    for (int i = 0; i < kActivities; ++i) {
        const DayRecord& day = days[static_cast<std::size_t>(i) % days.size()];
        ActivityRow row;
        row.day = day.dateKey;
        row.start = 1262332800 + static_cast<std::int64_t>(i) * 86400 + (i >= 3650 ? 43200 : 0);
        row.sport = "Running";
        row.metres = 5000 + (i * 37) % 40000;
        row.movingSeconds = static_cast<std::int32_t>(row.metres * (0.24 + (i % 13) * 0.005));
        row.file = "run.fit";
        rows.push_back(row);
        for (const double metres : BestEfforts::kMetres) {
            if (metres <= row.metres) {
                efforts.push_back({row.start, metres, metres * (0.23 + (i % 7) * 0.004)});
            }
        }
    }
    ActivityStore store;
    store.Open(book.Database(), true);
    const bool stored =
        store.Change({}, rows, "km").Ok() && RecordStore(store).StoreEfforts(efforts).Ok();
    store.Close();
    book.Database().Close();
    return stored || book.Fail("the activities could not be stored");
}

// Message 1000 as the Log Book sends it on a change: everything read and the lists filled,
// then the whole window drawn into a picture, its controls with it, as the screen gets it.
void BM_RecordsWindowReloadAndPaint(benchmark::State& state) {
    SampleLogBook book(state);
    if (!AddActivities(book)) {
        return;
    }
    RunningProgram program(book);
    ClientWindow* client = program.Client();
    if (!client || !client->Command(cmd::kRecords)) {
        book.Fail("the Records window did not open");
        return;
    }
    auto* records = dynamic_cast<RecordsDialog*>(client->Tool(res::kRecordsDialog));
    if (!records) {
        book.Fail("the Records window did not open");
        return;
    }
    QWidget* window = records->Widget();
    for (auto _ : state) {
        records->SendMessage(res::kLogBookChanged, 0, 0);
        benchmark::DoNotOptimize(window->grab()); // the lists and buttons drawn, as on screen
    }
    if (records->ListCount(RecordsDialog::kBestEfforts) < 50) {
        book.Fail("the best efforts were not listed");
    }
}
BENCHMARK(BM_RecordsWindowReloadAndPaint)->Unit(benchmark::kMillisecond);

void BM_RecordsProcess(benchmark::State& state) {
    SampleLogBook book(state);
    if (::access(VELORIA_LOGBOOK_TOOL, X_OK) != 0) {
        book.Fail("veloria-logbook is not built");
        return;
    }
    if (!AddActivities(book)) {
        return;
    }
    for (auto _ : state) {
        if (book.Failed() ||
            RunProcess({VELORIA_LOGBOOK_TOOL, "records", book.DataFileName()}) != 0) {
            book.Fail("veloria-logbook records failed");
            break;
        }
    }
}
BENCHMARK(BM_RecordsProcess)->UseRealTime()->Unit(benchmark::kMillisecond);

// Three hours at one point a second, the pace wavering between 4:00 and 5:00 a km.
void BM_BestEffortsThreeHourTrack(benchmark::State& state) {
    std::vector<TrackPoint> track;
    double metres = 0;
    for (std::int64_t t = 0; t <= 3 * 3600; ++t) {
        track.push_back({t, metres});
        metres += 1000.0 / (270.0 + 30.0 * std::sin(static_cast<double>(t) / 600.0));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(BestEfforts::Of(track));
    }
    if (!BestEfforts::Of(track)[3]) {
        state.SkipWithError("no half marathon in 3 hours");
    }
}
BENCHMARK(BM_BestEffortsThreeHourTrack)->Unit(benchmark::kMillisecond);

} // namespace
