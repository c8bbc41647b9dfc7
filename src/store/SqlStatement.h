#pragma once
// A prepared SQLite statement, finalised when it goes: the activities file's tables and the
// tables other features keep in it read and write through it.

#include <cstddef>
#include <cstdint>
#include <sqlite3.h>
#include <string>

class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql) {
        status = sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        prepared = status == SQLITE_OK;
    }
    ~SqlStatement() { sqlite3_finalize(s); }
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool Prepared() const { return prepared; }
    int Status() const { return status; }
    void Bind(int at, std::int64_t value) { sqlite3_bind_int64(s, at, value); }
    void Bind(int at, double value) { sqlite3_bind_double(s, at, value); }
    void Bind(int at, const std::string& text) {
        sqlite3_bind_text(s, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void Bind(int at, const unsigned char* bytes, std::size_t size) {
        sqlite3_bind_blob(s, at, bytes, static_cast<int>(size), SQLITE_TRANSIENT);
    }
    void BindNull(int at) { sqlite3_bind_null(s, at); }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int Step() {
        status = prepared ? sqlite3_step(s) : status;
        return status;
    }
    void Reset() {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
    std::int64_t Int(int at) const { return sqlite3_column_int64(s, at); }
    double Real(int at) const { return sqlite3_column_double(s, at); }
    bool Null(int at) const { return sqlite3_column_type(s, at) == SQLITE_NULL; }
    std::string Bytes(int at) const {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s, at));
        return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(s, at)))
                     : std::string();
    }
    std::string Text(int at) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, at));
        return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(s, at)))
                    : std::string();
    }

private:
    sqlite3_stmt* s = nullptr;
    int status = SQLITE_OK;
    bool prepared = false;
};
