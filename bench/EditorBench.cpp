// The Log Book and Find in the running program's windows (offscreen), on the ten-year
// sample: a step inside the cache window, a step that moves it, undo and redo of a saved
// day, and full searches.
// Repaints are not part of the figures: no events are processed inside the timed loops.

#include "RunningProgram.h"
#include "SampleLogBook.h"

#include "ProgramTools.h"

#include "editor/CalcDTPDialog.h"
#include "editor/FindDialog.h"
#include "editor/FindQuery.h"
#include "editor/LogBookDialog.h"
#include "framework/TMessageBox.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/TMainApp.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

constexpr std::int32_t kMidSample = 20150615;

// The program started on the sample logbook, with the Log Book open on a day in its middle.
class RunningEditor {
public:
    explicit RunningEditor(SampleLogBook& book) : program(book) {
        if (!program.Client()) {
            return;
        }
        program.Client()->OpenLogBook();
        editor = dynamic_cast<LogBookDialog*>(program.Client()->Tool(res::kLogBookDialog));
        editor->SendMessage(LogBookDialog::kGoToDayMessage, 0, kMidSample);
    }
    bool Ready() const { return editor != nullptr; }
    ClientWindow& Client() { return *program.Client(); }

    LogBookDialog* editor = nullptr;

private:
    RunningProgram program;
};

// Steps forward and back by one day: the cache window holds both days, so no file is read.
void BM_EditorStepInsideWindow(benchmark::State& state) {
    SampleLogBook book(state);
    RunningEditor running(book);
    if (!running.Ready()) {
        return;
    }
    const int loads = running.editor->Cache().Loads();
    int direction = 102;
    for (auto _ : state) {
        running.editor->ClickButton(direction);
        direction = direction == 102 ? 103 : 102;
    }
    state.counters["loads"] = running.editor->Cache().Loads() - loads;
    if (running.editor->GetDlgItemText(500).empty()) {
        book.Fail("the shown day has no distance");
    }
}

// Steps of thirty days forward and back: each leaves the window and loads the next one.
void BM_EditorStepMovesWindow(benchmark::State& state) {
    SampleLogBook book(state);
    RunningEditor running(book);
    if (!running.Ready()) {
        return;
    }
    const int loads = running.editor->Cache().Loads();
    int direction = 104;
    for (auto _ : state) {
        running.editor->ClickButton(direction);
        direction = direction == 104 ? 105 : 104;
    }
    state.counters["loadsPerStep"] = static_cast<double>(running.editor->Cache().Loads() - loads) /
                                     static_cast<double>(state.iterations());
}

// Ctrl+Z and Ctrl+Y in turn on a saved day, each key one undo step: the record stored back,
// the day's window loaded around it and shown, the status bar line written.
void BM_EditorUndoStep(benchmark::State& state) {
    SampleLogBook book(state);
    RunningEditor running(book);
    if (!running.Ready()) {
        return;
    }
    LogBookDialog& editor = *running.editor;
    editor.SetDlgItemText(500, "42");
    editor.ClickButton(101);
    if (editor.History().UndoCount() != 1) {
        book.Fail("the day was not saved");
        return;
    }
    // The keys go to the focused control; the Save Day button has the focus after its click.
    QWidget* focused = editor.Control(101);
    bool redo = false;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, redo ? Qt::Key_Y : Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::sendEvent(focused, &key);
        redo = !redo;
    }
    if (editor.History().UndoCount() + editor.History().RedoCount() != 1 ||
        editor.History().UndoCount() != (redo ? 0U : 1U)) {
        book.Fail("the keys did not undo and redo the day");
    }
}

// Every day tested, none listed: the search itself.
void BM_FindSearchAll(benchmark::State& state) {
    SampleLogBook book(state);
    if (!book.OpenExpecting(LogBookDatabase::OpenResult::Opened)) {
        return;
    }
    FindQuery query;
    query.field = FindQuery::kComments;
    query.value = "no day says this";
    FindQuery::Found found;
    for (auto _ : state) {
        if (!query.Search(book.Database(), book.Dates(), found) || !found.keys.empty()) {
            book.Fail("the search failed or found something");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * SampleLogBook::kDays);
}

// The Find button in the dialog, with 500 result lines put in the list.
void BM_FindDialogSearch(benchmark::State& state) {
    SampleLogBook book(state);
    RunningEditor running(book);
    if (!running.Ready()) {
        return;
    }
    running.editor->ClickButton(109);
    auto* find = dynamic_cast<FindDialog*>(running.Client().Tool(res::kFindDialog));
    find->ListSetSelection(102, FindQuery::kWorkout);
    for (auto _ : state) {
        find->ClickButton(105);
    }
    if (find->ListCount(107) != FindQuery::kMaxResults) {
        book.Fail("the search did not list 500 days");
    }
}

} // namespace

BENCHMARK(BM_EditorStepInsideWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorStepMovesWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorUndoStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindSearchAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindDialogSearch)->Unit(benchmark::kMicrosecond);
