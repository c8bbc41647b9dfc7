// The views in their windows, offscreen, on ten years of days: what a paint and a reload
// cost over the largest range, and that a burst of date steps reads nothing.
#include "RunningProgram.h"
#include "SampleLogBook.h"

#include "ProgramTools.h"
#include "framework/TImageDC.h"
#include "framework/TMessageBox.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/TMainApp.h"
#include "views/CalendarDialog.h"
#include "views/GraphsDialog.h"
#include "views/SelectorIds.h"
#include "views/StatsDialog.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// The last 1825 days of the sample.
StatsDialog* OpenStatsOnLargestRange(SampleLogBook& book, ClientWindow& client) {
    client.OpenStatistics();
    auto* stats = dynamic_cast<StatsDialog*>(client.Tool(res::kStatsDialog));
    DateValue first = book.Last();
    book.Dates().SubtractDays(first, 1824);
    if (!stats || !stats->SelectRange(first, book.Last()) || stats->Positions().size() != 1825) {
        book.Fail("Statistics did not select 1825 days");
        return nullptr;
    }
    return stats;
}

// Compute the ten rows from 1825 days (read-many) and draw the grid and cells into an image
// through the dialog's own paint, as printing does.
void BM_StatisticsPaintLargestRange(benchmark::State& state) {
    SampleLogBook book(state);
    RunningProgram program(book);
    StatsDialog* stats =
        program.Client() ? OpenStatsOnLargestRange(book, *program.Client()) : nullptr;
    if (!stats) {
        return;
    }
    TImageDC image(stats->ClientRect().Width(), stats->ClientRect().Height());
    for (auto _ : state) {
        stats->PaintTo(image.DC(), true, stats->ClientRect());
    }
    if (stats->Table().RowAt(0).entered == 0) {
        book.Fail("no distances were counted");
    }
}

// Five date steps in a row: the header changes, the index is not read until the timer.
void BM_StatisticsBurstOfSteps(benchmark::State& state) {
    SampleLogBook book(state);
    RunningProgram program(book);
    StatsDialog* stats =
        program.Client() ? OpenStatsOnLargestRange(book, *program.Client()) : nullptr;
    if (!stats) {
        return;
    }
    const int reloads = stats->Reloads();
    for (auto _ : state) {
        for (int i = 0; i < 5; ++i) {
            stats->ClickButton(i % 2 == 0 ? selector::kNextStart : selector::kPreviousStart);
        }
    }
    state.counters["reloads"] = stats->Reloads() - reloads;
}

// Gather 29 points of 61 days each from 1825 days and draw them, for each kind of graph.
void BM_GraphPaintLargestRange(benchmark::State& state) {
    SampleLogBook book(state);
    RunningProgram program(book);
    if (!program.Client()) {
        return;
    }
    program.Client()->OpenGraphs();
    auto* graphs = dynamic_cast<GraphsDialog*>(program.Client()->Tool(res::kGraphsDialog));
    DateValue first = book.Last();
    book.Dates().SubtractDays(first, 1824);
    if (!graphs || !graphs->SelectRange(first, book.Last())) {
        book.Fail("Graphs did not select 1825 days");
        return;
    }
    const int kinds[] = {GraphsDialog::kBarGraph, GraphsDialog::kLineGraph,
                         GraphsDialog::kAreaGraph, GraphsDialog::kMovingAverage};
    graphs->ClickButton(kinds[state.range(0)]);
    const int reloads = graphs->Reloads();
    TImageDC image(graphs->ClientRect().Width(), graphs->ClientRect().Height());
    for (auto _ : state) {
        graphs->PaintTo(image.DC(), true, graphs->ClientRect());
    }
    state.counters["points"] = static_cast<double>(graphs->Series().Points().size());
    state.counters["reloads"] = graphs->Reloads() - reloads;
}

// A month step of the Calendar: load the month (load range) and paint its 42 cells.
void BM_CalendarMonthReloadAndPaint(benchmark::State& state) {
    SampleLogBook book(state);
    RunningProgram program(book);
    if (!program.Client()) {
        return;
    }
    program.Client()->OpenCalendar();
    auto* calendar = dynamic_cast<CalendarDialog*>(program.Client()->Tool(res::kCalendarDialog));
    // Back into the sample's years.
    for (int i = 0; i < 8 && calendar; ++i) {
        calendar->ClickButton(CalendarDialog::kPreviousYear);
    }
    if (!calendar || calendar->Month().Days().empty()) {
        book.Fail("the calendar shows no days of the sample");
        return;
    }
    TImageDC image(calendar->ClientRect().Width(), calendar->ClientRect().Height());
    int step = CalendarDialog::kNextMonth;
    for (auto _ : state) {
        calendar->ClickButton(step);
        step = step == CalendarDialog::kNextMonth ? CalendarDialog::kPreviousMonth
                                                  : CalendarDialog::kNextMonth;
        calendar->PaintTo(image.DC(), true, calendar->ClientRect());
    }
}

} // namespace

BENCHMARK(BM_StatisticsPaintLargestRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatisticsBurstOfSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GraphPaintLargestRange)
    ->DenseRange(0, 3)
    ->ArgName("kind")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalendarMonthReloadAndPaint)->Unit(benchmark::kMicrosecond);
