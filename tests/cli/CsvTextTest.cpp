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

TEST(CsvText, ALoneCarriageReturnAfterAQuoteIsNamed) {
    std::vector<CsvText::Row> rows;
    std::string error;
    EXPECT_FALSE(CsvText::Parse("a,b\n1,\"x\"\r2,\"y\"\r", rows, error));
    EXPECT_EQ(error,
              "line 2: a carriage return after a closing quote is not followed by a line feed");
    // At the very end of the text it ends the line, as it does after an unquoted field.
    EXPECT_TRUE(CsvText::Parse("a,b\r\n1,\"x\"\r", rows, error)) << error;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"1", "x"}));
}

TEST(CsvText, ReadsRowsOneAtATimeAndRefusesAnEndlessOne) {
    // A source that never ends: only the row limit can stop the reader.
    std::size_t given = 0;
    CsvText::Reader reader([&given](char* buffer, std::size_t length) -> std::int64_t {
        const char pattern[] = "h\n1\n";
        for (std::size_t i = 0; i < length; ++i, ++given) {
            buffer[i] = given < 4 ? pattern[given] : ',';
        }
        return static_cast<std::int64_t>(length);
    });
    CsvText::Row row;
    std::string error;
    ASSERT_EQ(reader.Next(row, error), CsvText::Reader::Result::Row);
    EXPECT_EQ(row.fields, std::vector<std::string>{"h"});
    ASSERT_EQ(reader.Next(row, error), CsvText::Reader::Result::Row);
    EXPECT_EQ(row.line, 2);
    EXPECT_EQ(reader.Next(row, error), CsvText::Reader::Result::Error);
    EXPECT_EQ(error, "line 3: row too long");
    EXPECT_LT(given, 4 * CsvText::kMaxRowBytes) << "the reader holds about one row";
}

} // namespace
