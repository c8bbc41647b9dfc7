#pragma once
// Comma-separated text as spreadsheets exchange it: fields quoted when they hold a comma,
// a quote or a line break, quotes doubled inside. Lines end in "\n"; a "\r" before an
// unquoted line end is dropped, so files saved with "\r\n" read the same.

#include <string>
#include <string_view>
#include <vector>

class CsvText {
public:
    struct Row {
        int line = 0; // the line the row starts on, from 1
        std::vector<std::string> fields;
    };

    // The field as it goes into a line, quoted only when it must be.
    static std::string Field(std::string_view text);
    static void AppendField(std::string& line, std::string_view text);

    // Splits the whole text into rows; empty lines are skipped and a leading UTF-8 byte order
    // mark is ignored. False, with the problem in error, when a quoted field is not closed
    // or a quote is followed by something other than a comma or a line end.
    static bool Parse(std::string_view text, std::vector<Row>& rows, std::string& error);
};
