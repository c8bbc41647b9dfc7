// The Summary in its window, offscreen, on ten years of days with an activity every other
// day: the rows of every week (about 520) computed, listed and charted.
#include "RunningProgram.h"
#include "SampleLogBook.h"

#include "framework/TImageDC.h"
#include "shell/ClientWindow.h"
#include "shell/CommandIds.h"
#include "shell/ResourceIds.h"
#include "store/ActivityStore.h"
#include "summary/SummaryDialog.h"

namespace {

// An activity on every other day of the sample, stored as an import stores them.
bool AddActivities(SampleLogBook& book) {
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return false;
    }
    ActivityStore store;
    store.Open(book.Database(), true);
    std::vector<ActivityRow> rows;
    for (std::size_t i = 0; i < book.Days().size(); i += 2) {
        ActivityRow row;
        row.day = book.Days()[i].dateKey;
        row.start = 1262332800 + static_cast<std::int64_t>(i) * 86400;
        row.sport = i % 4 == 0 ? "Running" : "Cycling";
        row.metres = 10000 + static_cast<double>(i % 7) * 1000;
        row.movingSeconds = 3000;
        row.elapsedSeconds = 3100;
        row.avgHeartRate = 140;
        rows.push_back(row);
    }
    const bool stored = store.Change({}, rows, "km").Ok();
    store.Close();
    return book.Database().Close() == LogBookDatabase::Result::Ok && stored;
}

SummaryDialog* OpenOnTenYears(SampleLogBook& book, ClientWindow& client) {
    client.Command(cmd::kSummary);
    auto* summary = dynamic_cast<SummaryDialog*>(client.Tool(res::kSummaryDialog));
    if (!summary) {
        book.Fail("the Summary did not open");
        return nullptr;
    }
    summary->ChooseRange(book.Days().front().dateKey, book.Days().back().dateKey);
    if (summary->Table().Rows().size() < 520) {
        book.Fail("the Summary holds fewer than 520 weeks");
        return nullptr;
    }
    return summary;
}

// A reload (the days and activities read, the rows summed and listed) and a paint of the
// chart, as after every change of the logbook.
void BM_SummaryTenYearsByWeek(benchmark::State& state) {
    SampleLogBook book(state);
    if (!AddActivities(book)) {
        book.Fail("the activities could not be stored");
        return;
    }
    RunningProgram program(book);
    SummaryDialog* summary = program.Client() ? OpenOnTenYears(book, *program.Client()) : nullptr;
    if (!summary) {
        return;
    }
    TImageDC image(summary->ClientRect().Width(), summary->ClientRect().Height());
    for (auto _ : state) {
        summary->SendMessage(res::kLogBookChanged, 0, 0);
        summary->PaintTo(image.DC(), true, summary->ClientRect());
    }
    state.counters["rows"] = static_cast<double>(summary->Table().Rows().size());
}

// The logic alone: the same rows from the logbook and its activities file.
void BM_SummaryTableTenYearsByWeek(benchmark::State& state) {
    SampleLogBook book(state);
    if (!AddActivities(book)) {
        book.Fail("the activities could not be stored");
        return;
    }
    ActivityStore store;
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened) ||
        !store.Open(book.Database(), false).Ok()) {
        book.Fail("the activities file did not open");
        return;
    }
    SummaryTable::Choice choice;
    choice.from = book.Days().front().dateKey;
    choice.to = book.Days().back().dateKey;
    SummaryTable table;
    for (auto _ : state) {
        if (!table.Load(book.Database(), &store, choice, choice.to)) {
            book.Fail("the logbook could not be read");
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(table.Rows().size());
}

} // namespace

BENCHMARK(BM_SummaryTenYearsByWeek)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SummaryTableTenYearsByWeek)->Unit(benchmark::kMillisecond);
