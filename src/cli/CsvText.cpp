#include "cli/CsvText.h"

#include <algorithm>
#include <cstring>

namespace {

// Bytes asked of the input at a time, as many as the longest row: few reads, and what is
// held stays near twice kMaxRowBytes.
constexpr std::size_t kChunk = 64 * 1024;

} // namespace

std::string CsvText::Field(std::string_view text) {
    std::string out;
    AppendField(out, text);
    return out;
}

void CsvText::AppendField(std::string& line, std::string_view text) {
    if (text.find_first_of(",\"\n\r") == std::string_view::npos) {
        line.append(text);
        return;
    }
    line.push_back('"');
    for (const char c : text) {
        if (c == '"') {
            line.push_back('"');
        }
        line.push_back(c);
    }
    line.push_back('"');
}

bool CsvText::Parse(std::string_view text, std::vector<Row>& rows, std::string& error) {
    rows.clear();
    Reader reader([text](char* buffer, std::size_t length) mutable -> std::int64_t {
        const std::size_t n = std::min(length, text.size());
        std::memcpy(buffer, text.data(), n);
        text.remove_prefix(n);
        return static_cast<std::int64_t>(n);
    });
    Row row;
    for (;;) {
        switch (reader.Next(row, error)) {
        case Reader::Result::Row:
            rows.push_back(std::move(row));
            break;
        case Reader::Result::End:
            return true;
        case Reader::Result::Error:
            return false;
        }
    }
}

int CsvText::Reader::Peek(std::size_t ahead) {
    while (at + ahead >= buffer.size() && !ended) {
        buffer.erase(0, at);
        at = 0;
        const std::size_t held = buffer.size();
        buffer.resize(held + kChunk);
        const std::int64_t got = source(buffer.data() + held, kChunk);
        buffer.resize(held + static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
        if (got <= 0) {
            ended = true;
            readFailed = got < 0;
        }
    }
    return at + ahead < buffer.size() ? static_cast<unsigned char>(buffer[at + ahead]) : -1;
}

CsvText::Reader::Result CsvText::Reader::Fail(std::string& error, int atLine, const char* problem) {
    failed = true;
    error = "line " + std::to_string(atLine) + ": " + problem;
    return Result::Error;
}

CsvText::Reader::Result CsvText::Reader::Next(Row& row, std::string& error) {
    if (failed) {
        error = "the input was not read to its end";
        return Result::Error;
    }
    if (!started) {
        started = true;
        // A UTF-8 byte-order mark, as spreadsheets write one, is no part of the header.
        if (Peek(0) == 0xEF && Peek(1) == 0xBB && Peek(2) == 0xBF) {
            at += 3;
        }
    }
    for (;;) {
        const int c = Peek();
        if (c == '\n') {
            ++at;
            ++line;
        } else if (c == '\r' && Peek(1) == '\n') {
            at += 2;
            ++line;
        } else {
            break;
        }
    }
    if (Peek() < 0) {
        return readFailed ? Fail(error, line, "the file could not be read to its end") : Result::End;
    }

    row.line = line;
    row.fields.clear();
    rowBytes = 0;
    const char* const tooLong = "row too long";
    for (;;) {
        std::string field;
        if (Peek() == '"') {
            const int opened = line;
            Advance();
            for (;;) {
                const int c = Peek();
                if (c < 0) {
                    return Fail(error, opened, readFailed ? "the file could not be read to its end"
                                                          : "a quoted field is not closed");
                }
                if (rowBytes > kMaxRowBytes) {
                    return Fail(error, row.line, tooLong);
                }
                Advance();
                if (c == '"') {
                    if (Peek() != '"') {
                        break;
                    }
                    Advance();
                } else if (c == '\n') {
                    ++line;
                }
                field.push_back(static_cast<char>(c));
            }
            if (Peek() == '\r') {
                const int next = Peek(1);
                if (next != '\n' && next >= 0) {
                    return Fail(error, line,
                                "a carriage return after a closing quote is not followed by a "
                                "line feed");
                }
                Advance(); // "\r\n", or "\r" at the very end: a line end either way
            }
            const int c = Peek();
            if (c >= 0 && c != ',' && c != '\n') {
                return Fail(error, line,
                            "a closing quote must be followed by a comma or the line end");
            }
        } else {
            for (int c = Peek(); c >= 0 && c != ',' && c != '\n'; c = Peek()) {
                if (rowBytes > kMaxRowBytes) {
                    return Fail(error, row.line, tooLong);
                }
                field.push_back(static_cast<char>(c));
                Advance();
            }
            if (!field.empty() && field.back() == '\r' && (Peek() < 0 || Peek() == '\n')) {
                field.pop_back();
            }
        }
        if (rowBytes > kMaxRowBytes) {
            return Fail(error, row.line, tooLong);
        }
        row.fields.push_back(std::move(field));
        const int c = Peek();
        if (c == ',') {
            Advance();
            continue;
        }
        if (c == '\n') {
            Advance();
            ++line;
        } else if (readFailed) {
            return Fail(error, line, "the file could not be read to its end");
        }
        return Result::Row;
    }
}
