// The training load on ten years of days, each with an activity that has a heart rate on
// two days of three: the model read and computed, the Training Load window reloaded and
// painted over its largest range offscreen, and veloria-logbook load as a whole process.
#include "RunProcess.h"
#include "RunningProgram.h"
#include "SampleLogBook.h"

#include "framework/TImageDC.h"
#include "load/TrainingLoad.h"
#include "load/TrainingLoadDialog.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// One activity a day beside the sample's days: an hour's run, at 150 on two days of three.
bool AddActivities(SampleLogBook& book) {
    if (book.Database().Open(book.DataFileName()) == LogBookDatabase::OpenResult::Failed) {
        return book.Fail("the sample did not open");
    }
    std::vector<ActivityRow> rows;
    for (std::size_t i = 0; i < book.Days().size(); ++i) {
        ActivityRow row;
        row.day = book.Days()[i].dateKey;
        row.start = 1262338200 + static_cast<std::int64_t>(i) * 86400;
        row.sport = "Running";
        row.movingSeconds = 3000 + static_cast<std::int32_t>(i % 7) * 300;
        row.elapsedSeconds = row.movingSeconds;
        row.avgHeartRate = i % 3 == 2 ? 0 : 150;
        row.maxHeartRate = 178;
        row.file = "run" + std::to_string(i) + ".fit";
        row.fileHash = i + 1;
        rows.push_back(row);
    }
    ActivityStore store;
    store.Open(book.Database(), true);
    const bool stored = store.Change({}, rows, "km").Ok();
    store.Close();
    book.Database().Close();
    return stored || book.Fail("the activities were not stored");
}

std::string Iso(const DateValue& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

// The days and activities read, each day's load and the model over every day to today.
void BM_TrainingLoadReadAndModel(benchmark::State& state) {
    SampleLogBook book(state);
    if (!AddActivities(book) ||
        book.Database().Open(book.DataFileName()) == LogBookDatabase::OpenResult::Failed) {
        return;
    }
    const std::int32_t last = book.Dates().KeyOfDate(book.Last());
    TrainingLoad load;
    for (auto _ : state) {
        load.Read(book.Database(), last, last);
    }
    if (load.Days().size() != static_cast<std::size_t>(SampleLogBook::kDays)) {
        book.Fail("the model does not hold every day");
    }
}
BENCHMARK(BM_TrainingLoadReadAndModel)->Unit(benchmark::kMillisecond);

// The window on the sample's last 1825 days: a logbook change (the model again) and a paint.
void BM_TrainingLoadWindowReloadAndPaint(benchmark::State& state) {
    SampleLogBook book(state);
    if (!AddActivities(book)) {
        return;
    }
    RunningProgram program(book);
    if (!program.Client()) {
        return;
    }
    program.Client()->Command(cmd::kTrainingLoad);
    auto* load =
        dynamic_cast<TrainingLoadDialog*>(program.Client()->Tool(res::kTrainingLoadDialog));
    DateValue first = book.Last();
    book.Dates().SubtractDays(first, 1824);
    if (!load || !load->SelectRange(first, book.Last())) {
        book.Fail("Training Load did not select 1825 days");
        return;
    }
    TImageDC image(load->ClientRect().Width(), load->ClientRect().Height());
    for (auto _ : state) {
        load->SendMessage(res::kLogBookChanged);
        load->PaintTo(image.DC(), true, load->ClientRect());
    }
    if (load->Load().Days().empty()) {
        book.Fail("no days were modelled");
    }
}
BENCHMARK(BM_TrainingLoadWindowReloadAndPaint)->Unit(benchmark::kMillisecond);

#ifdef VELORIA_LOGBOOK_TOOL
// veloria-logbook load over the last 1825 days, a fresh process each time.
void BM_LoadCommandLargestRange(benchmark::State& state) {
    SampleLogBook book(state);
    if (::access(VELORIA_LOGBOOK_TOOL, X_OK) != 0) {
        book.Fail("veloria-logbook is not built");
        return;
    }
    if (!AddActivities(book)) {
        return;
    }
    DateValue first = book.Last();
    book.Dates().SubtractDays(first, 1824);
    for (auto _ : state) {
        if (book.Failed() || RunProcess({VELORIA_LOGBOOK_TOOL, "load", book.DataFileName(),
                                         "--from", Iso(first), "--to", Iso(book.Last())}) != 0) {
            book.Fail("veloria-logbook load failed");
            break;
        }
    }
}
BENCHMARK(BM_LoadCommandLargestRange)->UseRealTime()->Unit(benchmark::kMillisecond);
#endif

} // namespace
