#include "cli/CsvText.h"

#include <gtest/gtest.h>

namespace {

std::vector<CsvText::Row> Rows(std::string_view text) {
    std::vector<CsvText::Row> rows;
    std::string error;
    EXPECT_TRUE(CsvText::Parse(text, rows, error)) << error;
    return rows;
}

TEST(CsvText, QuotesOnlyWhatMustBeQuoted) {
    EXPECT_EQ(CsvText::Field("plain text  "), "plain text  ");
    EXPECT_EQ(CsvText::Field("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvText::Field("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvText::Field("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvText::Field("cr\r"), "\"cr\r\"");
}

TEST(CsvText, ReadsBackWhatItQuotes) {
    const std::string tricky[] = {"", "a,b", "\"", "x\r\ny", ",,", "end\""};
    std::string line;
    for (const auto& t : tricky) {
        CsvText::AppendField(line, t);
        line += ',';
    }
    line.back() = '\n';
    const auto rows = Rows(line);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fields, std::vector<std::string>(std::begin(tricky), std::end(tricky)));
}

TEST(CsvText, CountsLinesAcrossQuotedBreaksAndSkipsEmptyLines) {
    const auto rows = Rows("\xEF\xBB\xBFh1,h2\r\n\"a\nb\",c\r\n\n1,2\n,\n");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"h1", "h2"}));
    EXPECT_EQ(rows[1].line, 2);
    EXPECT_EQ(rows[1].fields[0], "a\nb");
    EXPECT_EQ(rows[1].fields[1], "c");
    EXPECT_EQ(rows[2].line, 5);
    EXPECT_EQ(rows[3].fields, (std::vector<std::string>{"", ""}));
}

TEST(CsvText, RefusesBrokenQuoting) {
    std::vector<CsvText::Row> rows;
    std::string error;
    EXPECT_FALSE(CsvText::Parse("a\n\"open\nstill open", rows, error));
    EXPECT_EQ(error, "line 2: a quoted field is not closed");
    EXPECT_FALSE(CsvText::Parse("\"done\"x,y\n", rows, error));
    EXPECT_EQ(error.rfind("line 1: ", 0), 0u);
}

} // namespace
