#pragma once
// Comma-separated text as spreadsheets exchange it: fields quoted when they hold a comma,
// a quote or a line break, quotes doubled inside. Lines end in "\n"; a "\r" before a line
// end is dropped, so files saved with "\r\n" read the same.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CsvText {
public:
    struct Row {
        int line = 0; // the line the row starts on, from 1
        std::vector<std::string> fields;
    };

    // No row may be longer, so a reader never holds more than about twice this.
    static constexpr std::size_t kMaxRowBytes = 64 * 1024;

    // Fills up to length bytes; the count, 0 at the end, -1 when the input cannot be read.
    using Source = std::function<std::int64_t(char* buffer, std::size_t length)>;

    // Reads rows one at a time from a source of any length. Empty lines are skipped and a
    // leading UTF-8 byte order mark is ignored.
    class Reader {
    public:
        enum class Result { Row, End, Error };

        explicit Reader(Source source) : source(std::move(source)) {}
        // Error, with "line N: ..." in error, when a quoted field is not closed, a quote is
        // followed by something other than a comma or a line end, a row is longer than
        // kMaxRowBytes, or the input cannot be read. Nothing is read after an error.
        Result Next(Row& row, std::string& error);

    private:
        int Peek(std::size_t ahead = 0); // the byte, or -1 at the end
        void Advance() {
            ++at;
            ++rowBytes;
        }
        Result Fail(std::string& error, int line, const char* problem);

        Source source;
        std::string buffer;
        std::size_t at = 0;
        bool ended = false;
        bool readFailed = false;
        bool failed = false;
        bool started = false;
        int line = 1;
        std::size_t rowBytes = 0;
    };

    // The field as it goes into a line, quoted only when it must be.
    static std::string Field(std::string_view text);
    static void AppendField(std::string& line, std::string_view text);

    // Every row of a whole text; false with the reader's problem in error.
    static bool Parse(std::string_view text, std::vector<Row>& rows, std::string& error);
};
