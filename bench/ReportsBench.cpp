// Reports on ten years of days: the report file of the largest range laid out and written,
// one preview page drawn, and page steps that do not read the index.
#include "RunningProgram.h"
#include "SampleLogBook.h"

#include "ProgramTools.h"
#include "framework/TImageDC.h"
#include "framework/TMessageBox.h"
#include "reports/ReportFile.h"
#include "reports/ReportsDialog.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/TMainApp.h"
#include "views/ViewSelection.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// The program offscreen on the sample, with Reports open on its last 1825 days.
class RunningReports {
public:
    explicit RunningReports(SampleLogBook& book) : program(book) {
        if (!program.Client()) {
            return;
        }
        program.Client()->OpenReports();
        reports = dynamic_cast<ReportsDialog*>(program.Client()->Tool(res::kReportsDialog));
        DateValue first = book.Last();
        book.Dates().SubtractDays(first, 1824);
        if (!reports || !reports->SelectRange(first, book.Last()) ||
            reports->Preview().PageCount() != 610) {
            book.Fail("Reports did not lay out 610 pages");
            reports = nullptr;
        }
    }
    ReportsDialog* Reports() { return reports; }

private:
    RunningProgram program;
    ReportsDialog* reports = nullptr;
};

// Lay out 610 pages of the last 1825 days, read every day through read-many, convert the
// lines and write the file beside its name, renamed into place.
void BM_ReportFileLargestRange(benchmark::State& state) {
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    ViewSelection selection(book.Dates(), book.Last());
    DateValue first = book.Last();
    book.Dates().SubtractDays(first, 1824);
    if (!selection.SetRange(first, book.Last())) {
        book.Fail("no 1825-day range");
        return;
    }
    std::vector<std::int32_t> positions;
    selection.Positions(book.Database(), positions);
    ReportPages pages(book.Dates());
    const std::string path = book.Folder() + "/report.txt";
    std::size_t bytes = 0;
    for (auto _ : state) {
        pages.Layout(selection, static_cast<int>(positions.size()), ReportOptions{});
        const std::string text = pages.FileText(book.Database(), positions);
        if (ReportFile::Write(path, text, book) != 1) {
            return;
        }
        bytes = text.size();
    }
    state.counters["pages"] = pages.PageCount();
    state.counters["bytes"] = static_cast<double>(bytes);
}

// One day page of three days drawn through the pane's paint at 96 pixels per inch.
void BM_ReportPreviewPage(benchmark::State& state) {
    SampleLogBook book(state);
    RunningReports program(book);
    ReportsDialog* reports = program.Reports();
    if (!reports) {
        return;
    }
    reports->Preview().SetCurrentPage(300);
    TImageDC image(760, 1000);
    for (auto _ : state) {
        reports->Preview().PaintTo(image.DC(), true, TRect{0, 0, 760, 1000});
    }
}

// "+ Page" and "- Page" in turn: the report laid out again and the label written; the
// index is not read (reloads stays 0).
void BM_ReportPageStep(benchmark::State& state) {
    SampleLogBook book(state);
    RunningReports program(book);
    ReportsDialog* reports = program.Reports();
    if (!reports) {
        return;
    }
    const int reloads = reports->Reloads();
    int step = ReportsDialog::kNextPage;
    for (auto _ : state) {
        reports->ClickButton(step);
        step = step == ReportsDialog::kNextPage ? ReportsDialog::kPreviousPage
                                                : ReportsDialog::kNextPage;
    }
    state.counters["reloads"] = reports->Reloads() - reloads;
}

} // namespace

BENCHMARK(BM_ReportFileLargestRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPreviewPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPageStep)->Unit(benchmark::kMicrosecond);
