#include "cli/CsvText.h"

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
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    int line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')) {
            i += text[i] == '\r' ? 2 : 1;
            ++line;
            continue;
        }
        Row row;
        row.line = line;
        std::string field;
        bool rowDone = false;
        while (!rowDone) {
            field.clear();
            if (i < n && text[i] == '"') {
                const int opened = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        error = "line " + std::to_string(opened) + ": a quoted field is not closed";
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') {
                        ++line;
                    }
                    field.push_back(text[i++]);
                }
                if (i < n && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') {
                    ++i;
                }
                if (i < n && text[i] != ',' && text[i] != '\n') {
                    error = "line " + std::to_string(line) +
                            ": a closing quote must be followed by a comma or the line end";
                    return false;
                }
            } else {
                while (i < n && text[i] != ',' && text[i] != '\n') {
                    field.push_back(text[i++]);
                }
                if (!field.empty() && field.back() == '\r' && (i >= n || text[i] == '\n')) {
                    field.pop_back();
                }
            }
            row.fields.push_back(field);
            if (i < n && text[i] == ',') {
                ++i;
            } else {
                if (i < n) {
                    ++i; // the line end
                    ++line;
                }
                rowDone = true;
            }
        }
        rows.push_back(std::move(row));
    }
    return true;
}
