#pragma once
// veloria-logbook run in this process (Run) or as a process of its own (Spawn), on a fresh
// folder, with a small logbook whose days exercise every field's text form.

#include "store/LogbookFixture.h"
#include "cli/DayCsv.h"
#include "cli/LogBookTool.h"
#include "store/LogBookDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class LogBookToolTest : public LogbookFixture {
protected:
    int Run(std::vector<std::string> arguments) {
        std::ostringstream o;
        std::ostringstream e;
        LogBookTool tool(o, e);
        const int status = tool.Run(arguments);
        out = o.str();
        err = e.str();
        return status;
    }

    using LogbookFixture::MakeLogbook;
    // A logbook of days that exercise every field's text form.
    static void MakeLogbook(const std::string& name) {
        DayRecord a = Day(20260105).Distance(12.345F).Time(360000).Competition('Y').Difficulty('H');
        a.pace = 431;
        a.speed = 0.1F;
        a.restHeartRate = 48;
        a.maxHeartRate = 181;
        a.calories = -12;
        a.waterUsed = 1.5e-7F;
        a.hoursSlept = 7.25F;
        a.temperature = -3;
        a.bodyWeight = 70.4F;
        std::memcpy(a.workout, DayRecord::kWorkoutNames[13], 19);
        const char comment[] = "Race, \"hard\"\nfelt \x80 \xE9 fine \x81  ";
        std::memcpy(a.comments, comment, sizeof comment);
        DayRecord c = DayRecord::Blank(20260301);
        std::memset(c.workout, 'w', 29);
        std::memset(c.comments, 'c', 255);
        MakeLogbook(name,
                    {c, a, Day(20260107).Erased(), Day(20260106).Competition('N').Difficulty('E')});
    }

    // Runs the tool on a command line of blank-separated words; a word starting with '@'
    // names a file in the test's folder: Run("export @a.vrl --type competition").
    int Run(const char* line) { return Run(Words(line)); }
    int RunProcess(const char* line) { return RunProcess(Words(line)); }
    std::vector<std::string> Words(const char* line) const {
        std::vector<std::string> words;
        std::istringstream in(line);
        for (std::string word; in >> word;) {
            words.push_back(word[0] == '@' ? Path(word.substr(1)) : word);
        }
        return words;
    }

    // The export of a logbook, which must succeed.
    std::string Export(const std::string& logbook) {
        EXPECT_EQ(Run({"export", logbook}), 0) << err;
        return out;
    }

    // What the tool says about a file in the test's folder.
    std::string Said(const std::string& name, const std::string& what) const {
        return "veloria-logbook: " + Path(name) + ": " + what + "\n";
    }

    // Whether a text holds a part; the whole text is shown when it does not.
    static ::testing::AssertionResult Holds(const std::string& text, const std::string& part) {
        if (text.find(part) != std::string::npos) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
    }

    // A logbook held open by another program (the window program, say) while it lives.
    struct Holder {
        explicit Holder(const std::string& name,
                        LogBookDatabase::Access access = LogBookDatabase::Access::Write) {
            EXPECT_EQ(db.Open(name, access), LogBookDatabase::OpenResult::Opened);
        }
        RecordingReporter reporter;
        DateUtility dates;
        LogBookDatabase db{reporter, dates};
    };

    // CSV rows of days one after another (before another when step is -1) from the first,
    // each with the fields the row's number gives.
    static std::string DayRows(std::int32_t firstKey, int count, int step,
                               const std::function<std::string(int)>& fields) {
        DateValue day = Date(firstKey);
        std::string rows;
        for (int i = 0; i < count; ++i) {
            rows += DateUtility::KeyText(Key(day)) + "," + fields(i) + "\n";
            day = Shifted(day, step);
        }
        return rows;
    }

    // Starts the tool as a process with the given descriptors closed, its standard output
    // and error on the given descriptors when they are set, and the others on /dev/null;
    // its pid, or -1.
    static pid_t Spawn(const std::vector<std::string>& arguments, std::vector<int> closed = {},
                       int output = -1, int errors = -1) {
        std::vector<std::string> args{VELORIA_LOGBOOK_TOOL};
        args.insert(args.end(), arguments.begin(), arguments.end());
        return SpawnProgram(args, closed, output, errors);
    }
    // The same for any program, named by its path.
    static pid_t SpawnProgram(std::vector<std::string> args, std::vector<int> closed = {},
                              int output = -1, int errors = -1) {
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        for (int fd = 0; fd <= 2; ++fd) {
            const int given = fd == 1 ? output : fd == 2 ? errors : -1;
            if (std::find(closed.begin(), closed.end(), fd) != closed.end()) {
                posix_spawn_file_actions_addclose(&actions, fd);
            } else if (given >= 0) {
                posix_spawn_file_actions_adddup2(&actions, given, fd);
            } else {
                posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
            }
        }
        pid_t pid = -1;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        return spawned == 0 ? pid : -1;
    }
    // The exit status of a spawned tool; -1 when it did not exit by itself.
    static int Wait(pid_t pid) {
        int status = 0;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
            return -1;
        }
        return WEXITSTATUS(status);
    }

    // Runs the tool as a process of its own; what it wrote goes to out and err.
    int RunProcess(const std::vector<std::string>& arguments) {
        int outPipe[2];
        int errPipe[2];
        if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
            return -1;
        }
        const pid_t pid = Spawn(arguments, {}, outPipe[1], errPipe[1]);
        ::close(outPipe[1]);
        ::close(errPipe[1]);
        out = Drain(outPipe[0]); // the error stream is short enough to wait in its pipe
        err = Drain(errPipe[0]);
        return Wait(pid);
    }
    static std::string Drain(int fd) {
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return text;
    }

    // The first line of every export.
    static constexpr const char* kHeader =
        "date,distance,time,pace,speed,restHeartRate,maxHeartRate,calories,waterUsed,"
        "hoursSlept,temperature,bodyWeight,competition,difficulty,workout,comments\n";

    std::string out;
    std::string err;
};
