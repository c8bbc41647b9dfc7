#include "ProgramArguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Action = ProgramArguments::Action;

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    Action action;
    const char* logBook; // absolute, or relative to the current folder
    const char* problem;
};

class ProgramArgumentsTest : public testing::TestWithParam<Case> {};

TEST_P(ProgramArgumentsTest, Reads) {
    const Case& c = GetParam();
    const ProgramArguments read = ProgramArguments::Read(c.arguments);
    EXPECT_EQ(read.action, c.action);
    const std::string logBook = c.logBook;
    const std::string expected = logBook.empty() || logBook[0] == '/'
                                     ? logBook
                                     : (std::filesystem::current_path() / logBook).string();
    EXPECT_EQ(read.logBook, expected);
    EXPECT_EQ(read.problem, c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramArgumentsTest,
    testing::Values(
        Case{"Nothing", {}, Action::Run, "", ""},
        Case{
            "AbsoluteLogbook", {"/data/season 2026.vrl"}, Action::Run, "/data/season 2026.vrl", ""},
        Case{"RelativeLogbookMadeAbsolute", {"logs/../a.vrl"}, Action::Run, "a.vrl", ""},
        Case{"DashDashEndsOptions", {"--", "-odd.vrl"}, Action::Run, "-odd.vrl", ""},
        Case{"HelpAfterAQtOption", {"-platform", "offscreen", "--help"}, Action::Help, "", ""},
        Case{"ShortHelp", {"a.vrl", "-h"}, Action::Help, "", ""},
        Case{"HelpBeforeVersion", {"--version", "--help"}, Action::Help, "", ""},
        Case{"Version", {"a.vrl", "--version"}, Action::Version, "", ""},
        Case{"HelpAfterDashDashIsALogbook", {"--", "--help"}, Action::Run, "--help", ""},
        Case{"UnknownOption",
             {"--frobnicate"},
             Action::UsageError,
             "",
             "unknown option --frobnicate"},
        Case{"TwoLogbooks", {"a.vrl", "b.vrl"}, Action::UsageError, "a.vrl", "one LOGBOOK at most"},
        Case{"EmptyLogbook", {""}, Action::UsageError, "", "an empty LOGBOOK"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(ProgramArgumentsText, VersionNamesTheProgram) {
    EXPECT_STREQ(ProgramArguments::kVersion, "veloria 3.2\n");
}

} // namespace
