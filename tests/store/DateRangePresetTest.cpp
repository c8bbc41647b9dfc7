#include "store/DateRangePreset.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = DateRangePreset::Kind;

// The menu's preset of a title, so the rows read as the user sees them.
DateRangePreset Titled(const std::string& title) {
    for (const DateRangePreset& p : DateRangePreset::Menu()) {
        if (title == p.Title()) {
            return p;
        }
    }
    ADD_FAILURE() << "no preset " << title;
    return DateRangePreset::Menu()[0];
}

struct Case {
    const char* name;
    const char* preset;
    std::int32_t today;
    WeekStart start;
    DayRange expected;
};

// 2026-12-08 is a Tuesday; 2026-01-01 a Thursday.
const Case kCases[] = {
    {"today", "Today", 20261208, WeekStart::Monday, {20261208, 20261208}},
    {"this week from Monday", "This Week", 20261208, WeekStart::Monday, {20261207, 20261208}},
    {"this week from Sunday", "This Week", 20261208, WeekStart::Sunday, {20261206, 20261208}},
    {"this week on its first day", "This Week", 20261207, WeekStart::Monday, {20261207, 20261207}},
    {"last week", "Last Week", 20261208, WeekStart::Monday, {20261130, 20261206}},
    // This week began Mon 29 Dec, Sun 28 Dec, Sat 27 Dec: last week is the seven before.
    {"last week over new year Monday",
     "Last Week",
     20260101,
     WeekStart::Monday,
     {20251222, 20251228}},
    {"last week over new year Sunday",
     "Last Week",
     20260101,
     WeekStart::Sunday,
     {20251221, 20251227}},
    {"last week over new year Saturday",
     "Last Week",
     20260101,
     WeekStart::Saturday,
     {20251220, 20251226}},
    // 3, 2, 1 January and 31 .. 28 December.
    {"last 7 days over new year", "Last 7 Days", 20260103, WeekStart::Monday, {20251228, 20260103}},
    // 28 days: 1 .. 8 December (8) and 11 .. 30 November (20).
    {"last 4 weeks", "Last 4 Weeks", 20261208, WeekStart::Monday, {20261111, 20261208}},
    {"this month on a leap day", "This Month", 20240229, WeekStart::Monday, {20240201, 20240229}},
    {"last month ends on a leap day",
     "Last Month",
     20240315,
     WeekStart::Monday,
     {20240201, 20240229}},
    {"last month in a common year",
     "Last Month",
     20230315,
     WeekStart::Monday,
     {20230201, 20230228}},
    {"last month over new year", "Last Month", 20260105, WeekStart::Monday, {20251201, 20251231}},
    // 31 May back three months is 31 February, held at 28 (29) February; the day after.
    {"last 3 months from a month end",
     "Last 3 Months",
     20260531,
     WeekStart::Monday,
     {20260301, 20260531}},
    {"last 3 months in a leap year",
     "Last 3 Months",
     20240531,
     WeekStart::Monday,
     {20240301, 20240531}},
    {"last 3 months over new year",
     "Last 3 Months",
     20260115,
     WeekStart::Monday,
     {20251016, 20260115}},
    {"last 3 months from 30 November",
     "Last 3 Months",
     20241130,
     WeekStart::Monday,
     {20240831, 20241130}},
    {"year to date", "Year to Date", 20261208, WeekStart::Monday, {20260101, 20261208}},
    // 2024 holds 366 days, so its last 365 begin on 2 January.
    {"last 365 days of a leap year",
     "Last 365 Days",
     20241231,
     WeekStart::Monday,
     {20240102, 20241231}},
    {"last 365 days past a leap day",
     "Last 365 Days",
     20250301,
     WeekStart::Monday,
     {20240302, 20250301}},
    {"last year", "Last Year", 20250101, WeekStart::Monday, {20240101, 20241231}},
    {"held at 1960", "Last 365 Days", 19600105, WeekStart::Monday, {19600101, 19600105}},
};

class DateRangePresetTest : public ::testing::TestWithParam<Case> {};

TEST_P(DateRangePresetTest, NamesItsDays) {
    const Case& c = GetParam();
    const std::optional<DayRange> range = Titled(c.preset).On(c.today, c.start, std::nullopt);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->first, c.expected.first);
    EXPECT_EQ(range->last, c.expected.last);
}

INSTANTIATE_TEST_SUITE_P(Presets, DateRangePresetTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

TEST(DateRangeAllTest, RunsFromTheFirstToTheLastEntry) {
    const DateRangePreset all = Titled("All");
    EXPECT_EQ(all.On(20261208, WeekStart::Monday, DayRange{19991231, 20261130}),
              (DayRange{19991231, 20261130}));
    EXPECT_FALSE(all.On(20261208, WeekStart::Monday, std::nullopt).has_value());
}

TEST(DateRangeAllTest, MenuHoldsTheTwelveInOrder) {
    std::string titles;
    for (const DateRangePreset& p : DateRangePreset::Menu()) {
        titles += std::string(p.Title()) + "|";
    }
    EXPECT_EQ(titles, "Today|This Week|Last Week|Last 7 Days|Last 4 Weeks|This Month|Last Month|"
                      "Last 3 Months|Year to Date|Last 365 Days|Last Year|All|");
}

TEST(DayRangeTest, CountsAndCutsKeepingTheLastDays) {
    EXPECT_EQ((DayRange{20240101, 20241231}.Days()), 366);
    EXPECT_EQ((DayRange{20261208, 20261208}.Days()), 1);
    // 2021-12-09 .. 2026-12-08 are five years with 29 February 2024: 1826 days, one too many.
    EXPECT_EQ((DayRange{20200101, 20261208}.Cut(1825)), (DayRange{20211210, 20261208}));
    EXPECT_EQ((DayRange{20260101, 20261208}.Cut(1825)), (DayRange{20260101, 20261208}));
}

TEST(RangeWordTest, ReadsTheCommandLineWords) {
    const struct {
        const char* word;
        DayRange expected; // on Tuesday 2026-12-08, weeks from Monday
    } kWords[] = {
        {"this-week", {20261207, 20261208}},  {"last-week", {20261130, 20261206}},
        {"last:10d", {20261129, 20261208}},   {"last:1d", {20261208, 20261208}},
        {"last:2w", {20261125, 20261208}},    {"this-month", {20261201, 20261208}},
        {"last-month", {20261101, 20261130}}, {"ytd", {20260101, 20261208}},
        {"last-year", {20250101, 20251231}},  {"all", {20000102, 20261130}},
    };
    for (const auto& w : kWords) {
        const std::optional<DateRangePreset> preset = DateRangePreset::OfWord(w.word);
        ASSERT_TRUE(preset.has_value()) << w.word;
        EXPECT_EQ(preset->On(20261208, WeekStart::Monday, DayRange{20000102, 20261130}), w.expected)
            << w.word;
    }
}

TEST(RangeWordTest, RefusesWordsOutsideTheGrammar) {
    for (const char* word :
         {"", "today", "Last-week", "last:", "last:d", "last:7", "last:7x", "last:0d", "last:-3d",
          "last:+3d", "last:123456d", "last:7dd", "last: 7d", "ytd "}) {
        EXPECT_FALSE(DateRangePreset::OfWord(word).has_value()) << '"' << word << '"';
    }
}

} // namespace
