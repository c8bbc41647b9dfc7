#include "reports/ReportPages.h"

#include "store/LogbookFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DateValue kJan05 = DateValue::Of(1996, 1, 5);  // a Friday
const DateValue kJan14 = DateValue::Of(1996, 1, 14); // a Sunday

class ReportPagesTest : public LogbookFixture {
protected:
    DateUtility dates;
    ReportPages pages{dates};
};

TEST_F(ReportPagesTest, ThreeDaysAPageAfterTheTitlePage) {
    for (const auto& [days, count] : {std::pair{0, 1}, {1, 2}, {3, 2}, {4, 3}, {1825, 610}}) {
        EXPECT_EQ(ReportPages::PageCountFor(days), count) << days;
    }

    pages.Layout(kJan05, kJan14, DayType::AllDays, 4, {});
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_TRUE(pages.EntriesOn(1).Empty());
    EXPECT_EQ(pages.EntriesOn(2).first, 0);
    EXPECT_EQ(pages.EntriesOn(2).last, 3);
    EXPECT_EQ(pages.EntriesOn(3).first, 3);
    EXPECT_EQ(pages.EntriesOn(3).last, 4);
    // A page beyond the report (after a shrink) holds no day.
    EXPECT_TRUE(pages.EntriesOn(4).Empty());
    EXPECT_TRUE(pages.EntriesOn(0).Empty());
}

TEST_F(ReportPagesTest, TitlePageHasItsNineLines) {
    ReportOptions options;
    options.title = "Winter";
    options.comments = "Base weeks \xe9t\xe9"; // record characters, shown as they are
    pages.Layout(kJan05, kJan14, DayType::Training, 4, options);
    const ReportPages::TitleLines expected = {
        "Report Title      :  Winter",
        "Comments          :  Base weeks \xe9t\xe9",
        "Start Date        :  FRI, JAN 05, 1996",
        "End Date          :  SUN, JAN 14, 1996",
        "Days in Range     :  010",
        "No. of Entries    :  004",
        "Missed Entries    :  006",
        "No. of Pages      :  003",
        "Day Type          :  TRAINING   ",
    };
    EXPECT_EQ(pages.TitlePage(), expected);

    pages.Layout(kJan05, kJan05, DayType::AllDays, 0, {});
    EXPECT_EQ(pages.TitlePage()[0], "Report Title      :  ");
    EXPECT_EQ(pages.TitlePage()[6], "Missed Entries    :  001");
}

// Typed texts are taken in record characters, or refused with the reason and left as they were.
TEST_F(ReportPagesTest, TypedTextsAreTakenOrRefusedWithTheReason) {
    const struct {
        const char* title;
        std::string comments;
        const char* why; // empty: taken
    } cases[] = {
        {"Caf\u00e9", std::string(79, 'c'), ""},
        {"\u4e2d", "", "the title holds a character a report cannot show"},
        {"", std::string(80, 'c'), "the title and the comments hold at most 79 characters each"},
        {"Week\t1", "", "the title holds a control character (a line end, tab, escape, ...)"},
        {"Week 1", "\x1b[31mred",
         "the comments hold a control character (a line end, tab, escape, ...)"},
        {"Week 1", "\xc2\x9d",
         "the comments hold a control character (a line end, tab, escape, ...)"},
    };
    for (const auto& c : cases) {
        ReportOptions options;
        options.title = "before";
        std::string why;
        EXPECT_EQ(options.SetTexts(c.title, c.comments, why), *c.why == 0) << c.title;
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(options.title, *c.why == 0 ? "Caf\xe9" : "before");
    }
    ReportOptions options;
    std::string why;
    ASSERT_TRUE(options.SetTexts("Week 1", "Caf\xc3\xa9 stop", why));
    EXPECT_EQ(options.comments, "Caf\xe9 stop");
    // A title laid out without SetTexts is cut to the 79 characters the edit holds.
    options.title = std::string(200, 'T');
    pages.Layout(kJan05, kJan14, DayType::AllDays, 0, options);
    EXPECT_EQ(pages.TitlePage()[0], "Report Title      :  " + std::string(79, 'T'));
}

TEST_F(ReportPagesTest, DayBlockByteForByte) {
    Day day(19960105);
    day.MaxHeartRate(180).Distance(12.5F).RestHeartRate(48).Time(3725).Temperature(21);
    day.Pace(298).Weight(70.25F).Speed(12.07F).Water(1.5F).Calories(850).Sleep(7.75F);
    day.Competition('Y').Difficulty('M').Workout("Long Run").Comments("Easy morning run.");
    pages.Layout(kJan05, kJan14, DayType::AllDays, 1, {});
    const std::string b51(51, ' ');
    const ReportPages::BlockLines expected = {
        "Date             :  JAN-05-1996               Maximum H. Rate  :  180",
        "Distance         :  012.50                    Resting H. Rate  :  048",
        "Time             :  01:02:05                  Temp.            :  021",
        "Pace             :  00:04:58                  Weight           :  70.25",
        "Speed            :  12.07                     Water            :  01.50",
        "Calories         :  0850                      Sleep            :  07.75",
        "Competition      :  Yes",
        "Difficulty       :  Moderate",
        "Workout          :  Long Run",
        "Comments         :  Easy morning run.                                  ",
        std::string(20, ' ') + b51,
        std::string(20, ' ') + b51,
        std::string(20, ' ') + b51,
        std::string(20, ' ') + std::string(47, ' '),
        " ",
    };
    EXPECT_EQ(pages.DayBlock(day), expected);
}

TEST_F(ReportPagesTest, UnsetFlagsAndWideValues) {
    // 100 hours: the duration widens and pushes its right-hand column.
    DayRecord day = Day(20240229).Time(360000).Temperature(-5).Difficulty('X');
    const auto block = pages.DayBlock(day);
    EXPECT_EQ(block[0], "Date             :  FEB-29-2024               Maximum H. Rate  :  000");
    EXPECT_EQ(block[1], "Distance         :  000.00                    Resting H. Rate  :  000");
    EXPECT_EQ(block[2], "Time             :  100:00:00                  Temp.            :  -05");
    EXPECT_EQ(block[3], "Pace             :  00:00:00                  Weight           :  00.00");
    EXPECT_EQ(block[6], "Competition      :  No");
    EXPECT_EQ(block[7], "Difficulty       :  Easy");
    EXPECT_EQ(block[8], "Workout          :  ");

    // A value no field should hold still makes a line of at most 127 characters.
    day.speed = 3.0e38F;
    day.waterUsed = 3.0e38F;
    EXPECT_EQ(pages.DayBlock(day)[4].size(), 127U);
}

TEST_F(ReportPagesTest, CommentPieces) {
    using P = ReportPages::Pieces;
    const std::string b51(51, ' ');

    // No blank near the end of a piece: 51 characters and a hyphen, the 52nd starts the next.
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ01234567";
    ASSERT_EQ(letters.size(), 60U);
    EXPECT_EQ(ReportPages::CommentPieces(letters),
              (P{"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXY-",
                 "Z01234567" + std::string(42, ' '), b51, b51, std::string(48, ' ')}));

    // The only blank among positions 42..51 is at 42: the piece ends before it.
    const std::string at42 = std::string(42, 'a') + " " + std::string(20, 'b');
    EXPECT_EQ(
        ReportPages::CommentPieces(at42),
        (P{std::string(42, 'a'), std::string(20, 'b') + std::string(31, ' '), b51, b51, b51}));

    // A blank at 41 is too early to break at.
    const std::string at41 = std::string(41, 'a') + " " + std::string(20, 'b');
    EXPECT_EQ(ReportPages::CommentPieces(at41)[0],
              std::string(41, 'a') + " " + std::string(9, 'b') + "-");

    // A full comment without blanks: four hyphenated pieces and 51 characters left over.
    const std::string full(255, 'x');
    const std::string x51(51, 'x');
    EXPECT_EQ(ReportPages::CommentPieces(full),
              (P{x51 + "-", x51 + "-", x51 + "-", x51 + "-", x51}));

    EXPECT_EQ(ReportPages::CommentPieces("Short"),
              (P{"Short" + std::string(46, ' '), b51, b51, b51, std::string(47, ' ')}));

    // A comments field without its terminating zero is read up to its end only.
    DayRecord day = DayRecord::Blank(19960105);
    std::fill(std::begin(day.comments), std::end(day.comments), 'y');
    const auto block = pages.DayBlock(day);
    EXPECT_EQ(block[9], "Comments         :  " + std::string(51, 'y') + "-");
    EXPECT_EQ(block[13], std::string(20, ' ') + std::string(51, 'y'));
}

TEST_F(ReportPagesTest, ControlCharactersBecomeBlanksSoNoLineBreaksOrEscapes) {
    // A line end, a form feed, a tab and an undefined byte (a C1 control once decoded).
    const auto block = pages.DayBlock(Day(19960105)
                                          .Workout("Hills\r\x1b[2Jx4\x7f")
                                          .Comments("Felt\nstrong\fon the\tlast \x9d rep"));
    EXPECT_EQ(block[8], "Workout          :  Hills  [2Jx4 ");
    EXPECT_EQ(block[9], "Comments         :  Felt strong on the last   rep" + std::string(22, ' '));

    // Texts handed over without SetTexts are blanked the same way.
    ReportOptions options;
    options.title = "Week\n1";
    options.comments = "\fhard";
    pages.Layout(kJan05, kJan14, DayType::AllDays, 1, options);
    EXPECT_EQ(pages.TitlePage()[0], "Report Title      :  Week 1");
    EXPECT_EQ(pages.TitlePage()[1], "Comments          :   hard");
}

} // namespace
