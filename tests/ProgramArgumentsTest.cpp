#include "ProgramArguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Action = ProgramArguments::Action;

TEST(ProgramArguments, ReadsTheActionTheLogbookAndTheProblem) {
    const struct {
        std::vector<std::string> arguments;
        Action action;
        const char* logBook; // absolute, or relative to the current folder
        const char* problem;
    } kCases[] = {
        {{}, Action::Run, "", ""},
        {{"/data/season 2026.vrl"}, Action::Run, "/data/season 2026.vrl", ""},
        {{"logs/../a.vrl"}, Action::Run, "a.vrl", ""}, // made absolute
        {{"--", "-odd.vrl"}, Action::Run, "-odd.vrl", ""},
        {{"-platform", "offscreen", "--help"}, Action::Help, "", ""},
        {{"a.vrl", "-h"}, Action::Help, "", ""},
        {{"--version", "--help"}, Action::Help, "", ""},
        {{"a.vrl", "--version"}, Action::Version, "", ""},
        {{"--", "--help"}, Action::Run, "--help", ""},
        {{"--frobnicate"}, Action::UsageError, "", "unknown option --frobnicate"},
        // Qt's own options, with their values, are not ours to refuse.
        {{"-platform", "offscreen", "a.vrl", "--display", ":1"}, Action::Run, "a.vrl", ""},
        {{"-style=fusion", "-reverse", "-qwindowtitle", "-x.vrl"}, Action::Run, "", ""},
        {{"-stylesheet=a.qss", "-bogus"}, Action::UsageError, "", "unknown option -bogus"},
        {{"a.vrl", "b.vrl"}, Action::UsageError, "a.vrl", "one LOGBOOK at most"},
        {{""}, Action::UsageError, "", "an empty LOGBOOK"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(&c - kCases);
        const ProgramArguments read = ProgramArguments::Read(c.arguments);
        EXPECT_EQ(read.action, c.action);
        const std::string logBook = c.logBook;
        EXPECT_EQ(read.logBook, logBook.empty() || logBook[0] == '/'
                                    ? logBook
                                    : (std::filesystem::current_path() / logBook).string());
        EXPECT_EQ(read.problem, c.problem);
    }
    EXPECT_STREQ(ProgramArguments::kVersion, "veloria 3.2\n");
}

} // namespace
