#include "store/Period.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    std::int32_t first;
    std::int32_t last;
    const char* label;
};

void ExpectPeriod(const Period& period, const Expected& expected) {
    EXPECT_EQ(period.FirstDay(), expected.first) << expected.label;
    EXPECT_EQ(period.LastDay(), expected.last) << expected.label;
    EXPECT_EQ(period.Label(), expected.label);
}

Period Week(std::int32_t key, WeekStart start = WeekStart::Monday) {
    return Period::Containing(key, PeriodKind::Week, start);
}

TEST(PeriodTest, IsoWeeksCrossTheYearsEnd) {
    const struct {
        std::int32_t key;
        Expected week;
    } cases[] = {
        // 1 January 2026 is a Thursday, so its week is week 1 of 2026.
        {20260101, {20251229, 20260104, "2026-W01"}},
        {20251228, {20251222, 20251228, "2025-W52"}},
        // 2020 began on a Wednesday and is a leap year: it has a week 53 reaching into 2021.
        {20210103, {20201228, 20210103, "2020-W53"}},
        {20210104, {20210104, 20210110, "2021-W01"}},
        // 2021 began on a Friday: its last week is 52, and 1 January 2022 still belongs to it.
        {20220101, {20211227, 20220102, "2021-W52"}},
        {20151231, {20151228, 20160103, "2015-W53"}},
    };
    for (const auto& c : cases) {
        ExpectPeriod(Week(c.key), c.week);
    }
    EXPECT_EQ(periods::IsoWeeksInYear(2020), 53);
    EXPECT_EQ(periods::IsoWeeksInYear(2021), 52);
    EXPECT_EQ(periods::IsoWeeksInYear(2026), 53); // begins on a Thursday
}

TEST(PeriodTest, SundayAndSaturdayWeeksAreNamedByTheirFirstDay) {
    ExpectPeriod(Week(20260101, WeekStart::Sunday), {20251228, 20260103, "week of 28 Dec 2025"});
    ExpectPeriod(Week(20260103, WeekStart::Saturday), {20260103, 20260109, "week of 3 Jan 2026"});
    ExpectPeriod(Week(20260102, WeekStart::Saturday), {20251227, 20260102, "week of 27 Dec 2025"});
    // A Saturday week over a leap day: 24 Feb + 6 days = 1 March 2024.
    ExpectPeriod(Week(20240301, WeekStart::Saturday), {20240224, 20240301, "week of 24 Feb 2024"});
}

TEST(PeriodTest, MonthsAndYearsEndOnTheirLastDay) {
    ExpectPeriod(Period::Containing(20240215, PeriodKind::Month), {20240201, 20240229, "Feb 2024"});
    ExpectPeriod(Period::Containing(21000215, PeriodKind::Month), {21000201, 21000228, "Feb 2100"});
    ExpectPeriod(Period::Containing(20261231, PeriodKind::Month), {20261201, 20261231, "Dec 2026"});
    ExpectPeriod(Period::Containing(20260704, PeriodKind::Year), {20260101, 20261231, "2026"});
    EXPECT_TRUE(Period::Containing(20260704, PeriodKind::Month).Holds(20260731));
    EXPECT_FALSE(Period::Containing(20260704, PeriodKind::Month).Holds(20260801));
}

TEST(PeriodTest, PreviousAndNextStepOnePeriod) {
    const Period w01 = Week(20260101);
    ExpectPeriod(w01.Previous(), {20251222, 20251228, "2025-W52"});
    EXPECT_EQ(Week(20210104).Previous().Label(), "2020-W53");
    EXPECT_EQ(Week(20201228).Next().Label(), "2021-W01");
    EXPECT_EQ(w01.Previous().Next(), w01);
    const Period january = Period::Containing(20260131, PeriodKind::Month);
    ExpectPeriod(january.Previous(), {20251201, 20251231, "Dec 2025"});
    ExpectPeriod(january.Next(), {20260201, 20260228, "Feb 2026"});
    ExpectPeriod(Period::Containing(20260101, PeriodKind::Year).Previous(),
                 {20250101, 20251231, "2025"});
    EXPECT_EQ(Week(20260101, WeekStart::Sunday).Previous().Label(), "week of 21 Dec 2025");
}

TEST(PeriodTest, YearEarlierKeepsTheWeekNumberOrTheMidweekDate) {
    ExpectPeriod(Week(20260101).YearEarlier(), {20241230, 20250105, "2025-W01"});
    // 2019 has no week 53: 2020-W53 compares with 2019-W52.
    ExpectPeriod(Week(20201231).YearEarlier(), {20191223, 20191229, "2019-W52"});
    EXPECT_EQ(Week(20211227).YearEarlier().Label(), "2020-W52");
    // A Sunday week from 28 Dec 2025: its Wednesday, 31 Dec, a year back is a Tuesday in the
    // week from Sunday 29 Dec 2024.
    EXPECT_EQ(Week(20260101, WeekStart::Sunday).YearEarlier().Label(), "week of 29 Dec 2024");
    ExpectPeriod(Period::Containing(20240229, PeriodKind::Month).YearEarlier(),
                 {20230201, 20230228, "Feb 2023"});
    EXPECT_EQ(Period::Containing(20240229, PeriodKind::Year).YearEarlier().Label(), "2023");
}

TEST(PeriodTest, KindWordsReadBack) {
    EXPECT_EQ(periods::KindOfWord("week"), PeriodKind::Week);
    EXPECT_EQ(periods::KindOfWord("month"), PeriodKind::Month);
    EXPECT_EQ(periods::KindOfWord("year"), PeriodKind::Year);
    EXPECT_EQ(periods::KindOfWord("Week"), std::nullopt);
    EXPECT_STREQ(periods::WordOfKind(PeriodKind::Month), "month");
    EXPECT_EQ(periods::WeekStartOfWord("sun"), WeekStart::Sunday);
    EXPECT_EQ(periods::WeekStartOfWord("sat"), WeekStart::Saturday);
    EXPECT_EQ(periods::WeekStartOfWord("mon"), WeekStart::Monday);
    EXPECT_EQ(periods::WeekStartOfWord("tue"), std::nullopt);
    EXPECT_STREQ(periods::WordOfWeekStart(WeekStart::Saturday), "sat");
}

} // namespace
