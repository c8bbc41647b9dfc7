// The export of a whole logbook as the user runs it: a fresh veloria-logbook process,
// against the floor of starting any process at all.

#include "SampleLogBook.h"

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Runs a program with standard output sent to /dev/null; its exit status, -1 if it did not run.
int RunProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

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
        if (book.Failed() ||
            RunProcess({VELORIA_LOGBOOK_TOOL, "export", book.DataFileName(), "--output", output}) !=
                0) {
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
#endif

} // namespace
