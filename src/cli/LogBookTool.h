#pragma once
// The command-line companion: export a logbook to CSV, import CSV into a logbook, check
// (and repair) a logbook's index, and print the views' figures (statistics, a calendar
// month, a graph's points) and the report file as the windows compute them, and back a
// logbook up, list its backups and restore one. This class reads
// the command line against the table of commands and their options; each command lives in a
// file of its own. All logbook access goes through the store.
// Exit status: 0 success, 1 a problem found or bad input, 2 a usage error.

#include <ostream>
#include <string>
#include <vector>

class LogBookTool {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kProblem = 1;
    static constexpr int kUsageError = 2;

    LogBookTool(std::ostream& out, std::ostream& err) : out(out), err(err) {}

    int Run(const std::vector<std::string>& arguments);

    static const char* const kUsage;
    static const char* const kVersion;

private:
    int RunCommand(const std::vector<std::string>& arguments);

    std::ostream& out;
    std::ostream& err;
};
